#pragma once
// Learner and web text the checker benchmarks read: JFLEG (tokenised sentences with four
// corrections each), CWEB (M2 edits) and REALEC (every token labelled correct or
// incorrect), with word alignment of a sentence to a correction. Header only: each
// benchmark is one program.

#include "pennovapaths.h"

#include <algorithm>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace LearnerSets {

// The bench-data folder, ending in "/": $PENNOVA_BENCH_DATA for a build outside the main
// tree, else the shared folder beside the source tree.
inline std::string benchData()
{
    const char *env = std::getenv("PENNOVA_BENCH_DATA");
    return env ? std::string(env) + "/" : std::string(PENNOVA_SHARED_DIR "/bench-data/");
}

// JFLEG text is tokenised ("it 's", "day ."): join it back into plain text.
inline std::string detokenise(std::string s)
{
    const std::pair<const char *, const char *> joins[] = {
        {" .", "."}, {" ,", ","}, {" ?", "?"}, {" !", "!"}, {" ;", ";"}, {" :", ":"}, {" n't", "n't"},
        {" 's", "'s"}, {" 're", "'re"}, {" 've", "'ve"}, {" 'm", "'m"}, {" 'll", "'ll"}, {" 'd", "'d"}};
    for (const auto &[from, to] : joins) {
        size_t p;
        while ((p = s.find(from)) != std::string::npos)
            s.replace(p, std::strlen(from), to);
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

// For each S block of an M2 file: true when it has no edit but "noop".
inline std::vector<bool> uneditedBlocks(const std::string &path)
{
    std::vector<bool> out;
    std::ifstream in(path);
    std::string line;
    bool inBlock = false, clean = true;
    while (std::getline(in, line)) {
        if (line.rfind("S ", 0) == 0) {
            if (inBlock)
                out.push_back(clean);
            inBlock = true;
            clean = true;
        } else if (line.rfind("A ", 0) == 0 && line.find("|||noop|||") == std::string::npos) {
            clean = false;
        }
    }
    if (inBlock)
        out.push_back(clean);
    return out;
}

inline std::vector<std::string> readLines(const std::string &path)
{
    std::vector<std::string> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        out.push_back(line);
    return out;
}

// Words and punctuation marks of a sentence with their byte offsets.
struct Piece
{
    std::string text;
    size_t start, end;
};

inline std::vector<Piece> pieces(const std::string &s)
{
    std::vector<Piece> out;
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == ' ') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        if (std::isalnum(c) || c >= 0x80) {
            // letters, digits and the apostrophes and hyphens inside a word
            while (j < s.size()) {
                const unsigned char d = static_cast<unsigned char>(s[j]);
                const bool inner = (d == '\'' || d == '-') && j + 1 < s.size()
                    && (std::isalnum(static_cast<unsigned char>(s[j + 1])) || s[j + 1] & 0x80);
                if (!(std::isalnum(d) || d >= 0x80 || inner))
                    break;
                ++j;
            }
        }
        out.push_back({s.substr(i, j - i), i, j});
        i = j;
    }
    return out;
}

inline std::string lowered(std::string s)
{
    for (char &c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Cost of writing reference word r where the source has s: equal words nothing,
// a change of case little, a near spelling less than an unrelated word, and every
// substitution less than a deletion plus an insertion (2).
inline double substitution(const std::string &s, const std::string &r)
{
    if (s == r)
        return 0.0;
    const std::string a = lowered(s), b = lowered(r);
    if (a == b)
        return 0.2;
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diag = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diag + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diag = up;
        }
    }
    return 0.6 + 0.8 * double(row[b.size()]) / double(std::max(a.size(), b.size()));
}

// A word alignment of a source sentence with one reference: per source word the
// reference word written for it (or none), and per gap the words inserted there.
struct Alignment
{
    std::vector<int> target;                         // source word -> reference word, -1 deleted
    std::vector<std::vector<std::string>> inserted;  // gap before source word k (k = n: at the end)
};

inline Alignment align(const std::vector<Piece> &src, const std::vector<Piece> &ref)
{
    const size_t n = src.size(), m = ref.size();
    std::vector<std::vector<double>> d(n + 1, std::vector<double>(m + 1, 0.0));
    for (size_t i = 0; i <= n; ++i)
        d[i][0] = double(i);
    for (size_t j = 0; j <= m; ++j)
        d[0][j] = double(j);
    for (size_t i = 1; i <= n; ++i)
        for (size_t j = 1; j <= m; ++j)
            d[i][j] = std::min({d[i - 1][j] + 1.0, d[i][j - 1] + 1.0,
                                d[i - 1][j - 1] + substitution(src[i - 1].text, ref[j - 1].text)});
    Alignment a;
    a.target.assign(n, -1);
    a.inserted.assign(n + 1, {});
    size_t i = n, j = m;
    while (i > 0 || j > 0) {
        if (i > 0 && j > 0 && d[i][j] == d[i - 1][j - 1] + substitution(src[i - 1].text, ref[j - 1].text)) {
            a.target[i - 1] = int(j - 1);
            --i, --j;
        } else if (i > 0 && d[i][j] == d[i - 1][j] + 1.0) {
            --i;
        } else {
            a.inserted[i].insert(a.inserted[i].begin(), ref[j - 1].text);
            --j;
        }
    }
    return a;
}

// A learner sentence as plain text with its tokens' UTF-16 offsets and whether the
// annotators marked each token as wrong (a missing word marks the token after the gap).
struct LabelledSentence
{
    std::string text;
    std::vector<int> start, end;
    std::vector<bool> wrong;
    // wrong because of an article: a wrong "a", "an" or "the" (REALEC; JFLEG also where an
    // article is inserted before the token)
    std::vector<bool> article;
    // wrong because of a noun's number: a reference writes the other number of the word (JFLEG
    // only; REALEC does not say why a token is wrong)
    std::vector<bool> number;
    // wrong because of a preposition: a wrong preposition, or one a reference puts in its place
    // or inserts before it (JFLEG only)
    std::vector<bool> preposition;
    bool clean() const { return std::none_of(wrong.begin(), wrong.end(), [](bool w) { return w; }); }
};

inline bool isArticle(const std::string &word)
{
    const std::string w = lowered(word);
    return w == "a" || w == "an" || w == "the";
}

// The prepositions whose choice, omission or excess learners get wrong ("to" included: a
// reference changing an infinitive's "to" is counted too).
inline bool isPreposition(const std::string &word)
{
    static const char *const words[] = {"of",      "in",     "to",      "for",    "on",     "with",   "at",
                                        "from",    "about",  "by",      "into",   "over",   "onto",   "upon",
                                        "during",  "among",  "between", "through", "towards", "toward", "under",
                                        "without", "within", "across",  "against", "since",  "until",  "behind"};
    const std::string w = lowered(word);
    return std::any_of(std::begin(words), std::end(words), [&](const char *p) { return w == p; });
}

// One word is the other in the other number: "student"/"students", "city"/"cities",
// "box"/"boxes", "child"/"children" (lower case).
inline bool otherNumber(std::string a, std::string b)
{
    a = lowered(a);
    b = lowered(b);
    if (a.size() > b.size())
        std::swap(a, b);
    static const char *const irregular[][2] = {{"child", "children"}, {"man", "men"}, {"woman", "women"},
                                               {"person", "people"}, {"foot", "feet"}, {"tooth", "teeth"}};
    for (const auto &pair : irregular)
        if (a == pair[0] && b == pair[1])
            return true;
    if (a.size() < 2 || b.compare(0, a.size() - 1, a, 0, a.size() - 1) != 0)
        return false;
    return b == a + "s" || b == a + "es" || (a.back() == 'y' && b == a.substr(0, a.size() - 1) + "ies");
}

inline int utf16Length(const std::string &s)
{
    int n = 0;
    for (unsigned char c : s)
        n += (c & 0xC0) != 0x80 ? (c >= 0xF0 ? 2 : 1) : 0;
    return n;
}

// REALEC/MultiGED TSV: "token<TAB>c|i" lines, a blank line between sentences. Tokens are
// joined as written text (no space before punctuation and clitics, none around hyphens).
// True when the tokens come in identical pairs ("The The same same thing thing ..."): the
// REALEC dev file holds 42 such copies of sentences, every token labelled correct, which no
// writer produced; a checker rightly flags their doubled words and is then scored wrong.
inline bool doubledCopy(const std::vector<std::string> &tokens)
{
    if (tokens.size() < 4)
        return false;
    std::size_t pairs = 0;
    for (std::size_t i = 0; i + 1 < tokens.size(); i += 2)
        pairs += tokens[i] == tokens[i + 1] ? 1 : 0;
    return pairs * 5 >= (tokens.size() / 2) * 4;
}

// doubledCopies: set to the number of doubled copies left out (doubledCopy()).
inline std::vector<LabelledSentence> readRealec(const std::string &path, int *doubledCopies = nullptr)
{
    std::vector<LabelledSentence> out;
    std::ifstream in(path);
    std::string line;
    LabelledSentence cur;
    bool glue = false; // the previous token takes no space after it
    std::vector<std::string> tokens;
    if (doubledCopies)
        *doubledCopies = 0;
    auto flush = [&] {
        if (doubledCopy(tokens)) {
            if (doubledCopies)
                ++*doubledCopies;
        } else if (!cur.wrong.empty()) {
            out.push_back(cur);
        }
        cur = LabelledSentence();
        tokens.clear();
        glue = false;
    };
    static const char *const attached[] = {",", ".", ";", ":", "?", "!", ")", "%", "'s", "n't", "'re", "'ve", "'m",
                                           "'ll", "'d", "-", "'"};
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t tab = line.rfind('\t');
        if (line.empty() || tab == std::string::npos || tab == 0) {
            flush();
            continue;
        }
        const std::string token = line.substr(0, tab);
        tokens.push_back(token);
        bool attach = glue;
        for (const char *a : attached)
            attach = attach || token == a;
        if (!cur.text.empty() && !attach)
            cur.text += ' ';
        const int at = utf16Length(cur.text);
        cur.text += token;
        cur.start.push_back(at);
        cur.end.push_back(at + utf16Length(token));
        cur.wrong.push_back(line.substr(tab + 1) == "i");
        cur.article.push_back(cur.wrong.back() && isArticle(token));
        cur.number.push_back(false);
        cur.preposition.push_back(false);
        glue = token == "(" || token == "-";
    }
    flush();
    return out;
}

// JFLEG sentences (detokenised) with a token marked wrong where at least `agree` of the
// references change it or insert words just before it.
inline std::vector<LabelledSentence> readJfleg(const std::string &dir, const std::string &split, int agree = 2)
{
    const std::vector<std::string> src = readLines(dir + "/" + split + "/" + split + ".src");
    std::vector<std::vector<std::string>> refs;
    for (int k = 0; k < 4; ++k)
        refs.push_back(readLines(dir + "/" + split + "/" + split + ".ref" + std::to_string(k)));
    std::vector<LabelledSentence> out;
    for (size_t i = 0; i < src.size(); ++i) {
        LabelledSentence s;
        s.text = detokenise(src[i]);
        const std::vector<Piece> words = pieces(s.text);
        std::vector<int> votes(words.size(), 0), articleVotes(words.size(), 0), numberVotes(words.size(), 0),
            prepositionVotes(words.size(), 0);
        for (const auto &ref : refs) {
            if (i >= ref.size())
                continue;
            const std::vector<Piece> r = pieces(detokenise(ref[i]));
            const Alignment al = align(words, r);
            for (size_t k = 0; k < words.size(); ++k) {
                const bool changed = al.target[k] < 0 || r[size_t(al.target[k])].text != words[k].text;
                votes[k] += changed || !al.inserted[k].empty() ? 1 : 0;
                const bool articleChanged = changed && isArticle(words[k].text);
                const bool articleInserted = std::any_of(al.inserted[k].begin(), al.inserted[k].end(), isArticle);
                articleVotes[k] += articleChanged || articleInserted ? 1 : 0;
                const bool prepositionChanged =
                    changed && (isPreposition(words[k].text) || (al.target[k] >= 0 && isPreposition(r[size_t(al.target[k])].text)));
                const bool prepositionInserted =
                    std::any_of(al.inserted[k].begin(), al.inserted[k].end(), isPreposition);
                prepositionVotes[k] += prepositionChanged || prepositionInserted ? 1 : 0;
                numberVotes[k] += al.target[k] >= 0 && otherNumber(words[k].text, r[size_t(al.target[k])].text) ? 1 : 0;
            }
            if (!words.empty() && !al.inserted[words.size()].empty())
                ++votes[words.size() - 1];
        }
        for (size_t k = 0; k < words.size(); ++k) {
            // JFLEG is ASCII apart from a few characters: byte offsets stand for UTF-16 ones
            s.start.push_back(int(words[k].start));
            s.end.push_back(int(words[k].end));
            s.wrong.push_back(votes[k] >= agree);
            s.article.push_back(articleVotes[k] >= agree);
            s.number.push_back(numberVotes[k] >= agree);
            s.preposition.push_back(prepositionVotes[k] >= agree);
        }
        out.push_back(std::move(s));
    }
    return out;
}

// The development sets the classifiers' margins are chosen on: REALEC dev and JFLEG dev.
inline std::vector<LabelledSentence> learnerDevSets(const std::string &data)
{
    std::vector<LabelledSentence> learner = readRealec(data + "grammar/realec/en_realec_dev.tsv");
    const std::vector<LabelledSentence> jfleg = readJfleg(data + "grammar/jfleg", "dev");
    learner.insert(learner.end(), jfleg.begin(), jfleg.end());
    return learner;
}

// The unedited sentences of CWEB-G and CWEB-S test: native web text a margin must not flag.
inline std::vector<LabelledSentence> cwebUnedited(const std::string &data)
{
    std::vector<LabelledSentence> web;
    for (const char *set : {"CWEB-G", "CWEB-S"}) {
        const std::vector<bool> clean = uneditedBlocks(data + "grammar/cweb/m2/" + set + ".test.m2");
        const std::vector<std::string> source = readLines(data + "grammar/cweb/raw/" + set + ".test.source");
        for (size_t i = 0; i < source.size() && i < clean.size(); ++i)
            if (clean[i])
                web.push_back({source[i], {}, {}, {}, {}, {}, {}});
    }
    return web;
}

} // namespace LearnerSets
