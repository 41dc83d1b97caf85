#include "editdistance.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace PennovaChecker {

namespace {

bool isVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y'; }

// Row and column of a letter on a QWERTY keyboard.
bool keyPos(char c, int *row, int *col)
{
    static const char *rows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    for (int r = 0; r < 3; ++r)
        for (int i = 0; rows[r][i]; ++i)
            if (rows[r][i] == c) {
                *row = r;
                *col = i * 2 + r; // rows are staggered by half a key
                return true;
            }
    return false;
}

bool adjacentKeys(char a, char b)
{
    int ra, ca, rb, cb;
    if (!keyPos(a, &ra, &ca) || !keyPos(b, &rb, &cb))
        return false;
    return std::abs(ra - rb) <= 1 && std::abs(ca - cb) <= 2;
}

bool soundAlike(char a, char b)
{
    static const char *pairs[] = {"ck", "cs", "sz", "gj", "iy", "fv", "mn", "dt", "bp", "kq", "sc", "xz"};
    for (const char *p : pairs)
        if ((a == p[0] && b == p[1]) || (a == p[1] && b == p[0]))
            return true;
    return false;
}

double substitution(char a, char b)
{
    if (a == b)
        return 0.0;
    if (isVowel(a) && isVowel(b))
        return 0.55;
    if (soundAlike(a, b))
        return 0.6;
    if (adjacentKeys(a, b))
        return 0.7;
    return 1.0;
}

// Cost of inserting or deleting c at position i of s (s is the word that has it).
double indel(const std::string &s, size_t i)
{
    const char c = s[i];
    if ((i > 0 && s[i - 1] == c) || (i + 1 < s.size() && s[i + 1] == c))
        return 0.45; // doubled letter
    if (c == 'e' && i + 1 == s.size())
        return 0.6;
    if (isVowel(c))
        return 0.75;
    if (c == 'h')
        return 0.75;
    // an "r" between a vowel and a consonant is not heard in many accents ("futher", "suprise")
    if (c == 'r' && i > 0 && i + 1 < s.size() && isVowel(s[i - 1]) && !isVowel(s[i + 1]))
        return 0.6;
    return 1.0;
}

// substitution() for every pair of bytes, built once: the alignment asks for it at every cell
class SubstitutionTable
{
public:
    static const SubstitutionTable &get()
    {
        static const SubstitutionTable table;
        return table;
    }
    double cost(char a, char b) const { return m_cost[uint8_t(a)][uint8_t(b)]; }

private:
    SubstitutionTable()
    {
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b)
                m_cost[a][b] = substitution(char(a), char(b));
    }
    double m_cost[256][256];
};

} // namespace

int EditDistance::damerau(const std::string &a, const std::string &b, int max)
{
    const int n = int(a.size()), m = int(b.size());
    if (std::abs(n - m) > max)
        return max + 1;
    // three rows; on the stack for any word, on the heap for longer strings
    constexpr int kStackRow = 64;
    int stack[3 * kStackRow];
    std::vector<int> heap;
    int *rows = stack;
    if (m + 1 > kStackRow) {
        heap.resize(3 * size_t(m + 1));
        rows = heap.data();
    }
    const int stride = m + 1 > kStackRow ? m + 1 : kStackRow;
    int *prev2 = rows, *prev = rows + stride, *cur = rows + 2 * stride;
    std::fill(prev2, prev2 + m + 1, 0);
    std::fill(cur, cur + m + 1, 0);
    for (int j = 0; j <= m; ++j)
        prev[j] = j;
    for (int i = 1; i <= n; ++i) {
        cur[0] = i;
        int rowMin = cur[0];
        for (int j = 1; j <= m; ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int v = std::min({prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                v = std::min(v, prev2[j - 2] + 1);
            cur[j] = v;
            rowMin = std::min(rowMin, v);
        }
        if (rowMin > max)
            return max + 1;
        int *const oldest = prev2;
        prev2 = prev;
        prev = cur;
        cur = oldest;
    }
    return prev[m];
}

double EditDistance::weighted(const std::string &a, const std::string &b)
{
    const size_t n = a.size(), m = b.size();
    const size_t width = m + 1;
    std::vector<double> cells((n + 1) * width, 0.0);
    const auto d = [&cells, width](size_t i, size_t j) -> double & { return cells[i * width + j]; };
    // the insertion and deletion costs depend on the position only: work them out once
    std::vector<double> costs(n + m);
    double *const indelA = costs.data(), *const indelB = costs.data() + n;
    for (size_t i = 0; i < n; ++i)
        indelA[i] = indel(a, i);
    for (size_t j = 0; j < m; ++j)
        indelB[j] = indel(b, j);
    const SubstitutionTable &sub = SubstitutionTable::get();
    for (size_t i = 1; i <= n; ++i)
        d(i, 0) = d(i - 1, 0) + indelA[i - 1];
    for (size_t j = 1; j <= m; ++j)
        d(0, j) = d(0, j - 1) + indelB[j - 1];
    for (size_t i = 1; i <= n; ++i) {
        for (size_t j = 1; j <= m; ++j) {
            double v = std::min({d(i - 1, j) + indelA[i - 1], d(i, j - 1) + indelB[j - 1],
                                 d(i - 1, j - 1) + sub.cost(a[i - 1], b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                v = std::min(v, d(i - 2, j - 2) + 0.6);
            d(i, j) = v;
        }
    }
    double result = d(n, m);
    if (n && m && a[0] != b[0])
        result += 0.5; // writers seldom get the first letter wrong
    return result;
}

std::string EditDistance::soundKey(const std::string &w)
{
    std::string s;
    for (size_t i = 0; i < w.size(); ++i) {
        const char c = w[i];
        const char next = i + 1 < w.size() ? w[i + 1] : 0;
        char out = 0;
        if (c == 'p' && next == 'h') {
            out = 'f';
            ++i;
        } else if (c == 'c' && next == 'k') {
            out = 'k';
            ++i;
        } else if (c == 'g' && next == 'h') {
            ++i;
            continue;
        } else if (i == 0 && ((c == 'k' && next == 'n') || (c == 'w' && next == 'r') || (c == 'p' && next == 's'))) {
            continue;
        } else if (c == 'c') {
            out = (next == 'e' || next == 'i' || next == 'y') ? 's' : 'k';
        } else if (c == 'q') {
            out = 'k';
        } else if (c == 'z') {
            out = 's';
        } else if (c == 'x') {
            s += "ks";
            continue;
        } else if (c == 'h' || c == 'w') {
            continue;
        } else if (isVowel(c)) {
            out = i == 0 ? 'a' : 0;
        } else if (c >= 'a' && c <= 'z') {
            out = c;
        }
        if (out && (s.empty() || s.back() != out))
            s.push_back(out);
    }
    return s;
}

} // namespace PennovaChecker
