#include "postagger.h"

#include "lexicon.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <numeric>
#include <random>
#include <sstream>

namespace PennovaChecker {

namespace {

constexpr size_t kMaxTags = 64;
constexpr size_t kMaxDictionary = 1000000;
constexpr size_t kMaxFeatures = 4000000;
constexpr size_t kMaxLine = 1 << 16;
constexpr size_t kMaxWords = 2000; // per sentence; the rest keep the tag "" (never a finding)

uint64_t fnv(uint64_t h, const std::string &s)
{
    for (unsigned char c : s)
        h = (h ^ c) * 1099511628211ULL;
    return (h ^ 0x1f) * 1099511628211ULL;
}

uint64_t feature(const char *name, const std::string &a, const std::string &b = std::string())
{
    return fnv(fnv(fnv(1469598103934665603ULL, name), a), b);
}

std::string lowerAscii(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return s;
}

std::string normalise(const std::string &w)
{
    if (w.empty())
        return w;
    const bool digits = std::all_of(w.begin(), w.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits && w.size() == 4)
        return "!YEAR";
    if (w[0] >= '0' && w[0] <= '9')
        return "!DIGITS";
    if (w.find('-', 1) != std::string::npos)
        return "!HYPHEN";
    return lowerAscii(w);
}

std::string suffix(const std::string &w, size_t n) { return w.size() <= n ? w : w.substr(w.size() - n); }

// "Xxxx" -> "Xx", "USA" -> "X", "3.5" -> "d.d": the word's outline, repeats collapsed.
std::string shape(const std::string &w)
{
    std::string out;
    for (unsigned char c : w) {
        char s = c >= 'A' && c <= 'Z' ? 'X' : c >= 'a' && c <= 'z' ? 'x' : c >= '0' && c <= '9' ? 'd' : c >= 0x80 ? 'u' : char(c);
        if (out.empty() || out.back() != s)
            out.push_back(s);
        if (out.size() >= 6)
            break;
    }
    return out;
}

// The parts a checker token is tagged as: contractions and possessives split the way
// the training treebank writes them.
std::vector<std::string> pieces(const std::string &w)
{
    const std::string l = lowerAscii(w);
    if (l.size() > 3 && l.compare(l.size() - 3, 3, "n't") == 0) {
        const std::string head = l == "can't" ? w.substr(0, 2) : l == "won't" ? w.substr(0, 2) : w.substr(0, w.size() - 3);
        return {head, w.substr(w.size() - 3)};
    }
    const size_t ap = w.rfind('\'');
    if (ap != std::string::npos && ap > 0) {
        const std::string tail = l.substr(ap);
        if (tail == "'s" || tail == "'re" || tail == "'ve" || tail == "'m" || tail == "'ll" || tail == "'d")
            return {w.substr(0, ap), w.substr(ap)};
    }
    return {w};
}

} // namespace

std::string PosTagger::lexicalClass(const std::string &l) const
{
    if (!m_lex)
        return {};
    std::string c;
    const int mask = m_lex->posMask(l);
    if (mask & Lexicon::Noun)
        c += 'N';
    if (mask & Lexicon::Verb)
        c += 'V';
    if (mask & Lexicon::Adjective)
        c += 'J';
    if (mask & Lexicon::Adverb)
        c += 'R';
    if (m_lex->isCommonVerbBase(l))
        c += 'b';
    if (m_lex->isThirdPerson(l))
        c += 't';
    if (m_lex->isPastForm(l))
        c += 'p';
    if (m_lex->isParticiple(l))
        c += 'n';
    auto stemIs = [&](size_t cut, const char *add, int pos) {
        return l.size() > cut + 2 && m_lex->isPos(l.substr(0, l.size() - cut) + add, Lexicon::Pos(pos));
    };
    const size_t n = l.size();
    if (n > 3 && l.back() == 's' && (stemIs(1, "", Lexicon::Noun) || (l.compare(n - 3, 3, "ies") == 0 && stemIs(3, "y", Lexicon::Noun))))
        c += 'S';
    if (n > 4 && l.compare(n - 3, 3, "ing") == 0 && (stemIs(3, "", Lexicon::Verb) || stemIs(3, "e", Lexicon::Verb)))
        c += 'G';
    if (n > 3 && l.compare(n - 2, 2, "ed") == 0 && (stemIs(2, "", Lexicon::Verb) || stemIs(1, "", Lexicon::Verb)))
        c += 'E';
    const int rank = m_lex->frequencyRank(l);
    c += rank == 0 ? '0' : rank < 1000 ? '1' : rank < 10000 ? '2' : '3';
    return c;
}

void PosTagger::features(const std::vector<std::string> &norm, const std::vector<std::string> &words,
                         const std::vector<std::string> &classes, size_t i, const std::string &prev,
                         const std::string &prev2, Features *out) const
{
    static const std::string start = "-START-", end = "-END-";
    auto at = [&](long k) -> const std::string & {
        return k < 0 ? start : size_t(k) >= norm.size() ? end : norm[size_t(k)];
    };
    const long j = long(i);
    const std::string &w = norm[i];
    out->clear();
    out->push_back(feature("bias", ""));
    out->push_back(feature("w", w));
    out->push_back(feature("s3", suffix(w, 3)));
    out->push_back(feature("s2", suffix(w, 2)));
    out->push_back(feature("p1", w.substr(0, 1)));
    out->push_back(feature("shape", shape(words[i]), i == 0 ? "first" : ""));
    out->push_back(feature("t-1", prev));
    out->push_back(feature("t-2", prev2));
    out->push_back(feature("t-1t-2", prev, prev2));
    out->push_back(feature("t-1w", prev, w));
    out->push_back(feature("w-1", at(j - 1)));
    out->push_back(feature("s3-1", suffix(at(j - 1), 3)));
    out->push_back(feature("w-2", at(j - 2)));
    out->push_back(feature("w+1", at(j + 1)));
    out->push_back(feature("s3+1", suffix(at(j + 1), 3)));
    out->push_back(feature("w+2", at(j + 2)));
    out->push_back(feature("ww+1", w, at(j + 1)));
    out->push_back(feature("s4", suffix(w, 4)));
    out->push_back(feature("p3", w.substr(0, 3)));
    out->push_back(feature("t-1s3", prev, suffix(w, 3)));
    out->push_back(feature("w-1w", at(j - 1), w));
    if (m_lex) {
        const std::string &cls = classes[i];
        out->push_back(feature("lex", cls));
        out->push_back(feature("lext-1", cls, prev));
        out->push_back(feature("lex+1", i + 1 < classes.size() ? classes[i + 1] : end));
        out->push_back(feature("lexs3", cls, suffix(w, 3)));
        out->push_back(feature("lexshape", cls, shape(words[i])));
    }
}

void PosTagger::buildIndex(std::unordered_map<uint64_t, std::vector<Weight>> &weights)
{
    size_t size = 16;
    while (size < weights.size() * 2)
        size *= 2;
    m_keys.assign(size, 0);
    m_first.assign(size, 0);
    m_count.assign(size, 0);
    m_flat.clear();
    std::vector<uint64_t> keys;
    keys.reserve(weights.size());
    for (const auto &kv : weights)
        keys.push_back(kv.first);
    std::sort(keys.begin(), keys.end()); // the same layout whatever the map's order
    for (uint64_t key : keys) {
        const uint64_t k = key ? key : 1; // 0 marks a free slot
        size_t slot = size_t(k) & (size - 1);
        while (m_keys[slot])
            slot = (slot + 1) & (size - 1);
        const std::vector<Weight> &ws = weights[key];
        m_keys[slot] = k;
        m_first[slot] = uint32_t(m_flat.size());
        m_count[slot] = uint8_t(std::min<size_t>(ws.size(), kMaxTags));
        m_flat.insert(m_flat.end(), ws.begin(), ws.begin() + m_count[slot]);
    }
    weights.clear();
}

int PosTagger::predict(const Features &f) const
{
    float scores[kMaxTags] = {};
    const size_t mask = m_keys.size() - 1;
    for (uint64_t key : f) {
        const uint64_t k = key ? key : 1;
        for (size_t slot = size_t(k) & mask; m_keys[slot]; slot = (slot + 1) & mask) {
            if (m_keys[slot] != k)
                continue;
            for (size_t w = m_first[slot]; w < m_first[slot] + m_count[slot]; ++w)
                scores[m_flat[w].tag] += m_flat[w].value;
            break;
        }
    }
    return int(std::max_element(scores, scores + m_tags.size()) - scores);
}

const std::string &PosTagger::tagName(int index) const
{
    static const std::string none;
    return index >= 0 && size_t(index) < m_tags.size() ? m_tags[size_t(index)] : none;
}

int PosTagger::tagIndex(const std::string &tag)
{
    auto it = std::find(m_tags.begin(), m_tags.end(), tag);
    if (it != m_tags.end())
        return int(it - m_tags.begin());
    if (m_tags.size() >= kMaxTags)
        return 0;
    m_tags.push_back(tag);
    return int(m_tags.size()) - 1;
}

std::vector<std::string> PosTagger::tagWords(const std::vector<std::string> &words) const
{
    std::vector<std::string> tags(words.size());
    if (empty() || words.empty())
        return tags;
    const size_t n = std::min(words.size(), kMaxWords);
    std::vector<std::string> norm(n), classes(n);
    std::vector<bool> known(n);
    for (size_t i = 0; i < n; ++i) {
        norm[i] = normalise(words[i]);
        known[i] = m_dictionary.count(words[i]) != 0;
    }
    for (size_t i = 0; i < n; ++i)
        if (!known[i] || (i > 0 && !known[i - 1])) // read by this word's features or the previous one's
            classes[i] = lexicalClass(norm[i]);
    std::string prev = "-START-", prev2 = "-START2-";
    Features f;
    for (size_t i = 0; i < n; ++i) {
        auto d = m_dictionary.find(words[i]);
        if (d != m_dictionary.end()) {
            tags[i] = tagName(d->second);
        } else {
            features(norm, words, classes, i, prev, prev2, &f);
            tags[i] = tagName(predict(f));
        }
        prev2 = prev;
        prev = tags[i];
    }
    return tags;
}

std::vector<std::string> PosTagger::tag(const std::vector<Token> &tokens) const
{
    std::vector<std::string> words;
    std::vector<size_t> first(tokens.size());
    for (size_t k = 0; k < tokens.size(); ++k) {
        first[k] = words.size();
        if (tokens[k].kind == Token::Word)
            for (const std::string &p : pieces(tokens[k].text))
                words.push_back(p);
        else
            words.push_back(tokens[k].text);
    }
    const std::vector<std::string> tagged = tagWords(words);
    std::vector<std::string> out(tokens.size());
    for (size_t k = 0; k < tokens.size(); ++k)
        out[k] = tagged[first[k]];
    return out;
}

void PosTagger::buildTagDictionary(const std::vector<Sentence> &sentences)
{
    std::unordered_map<std::string, std::unordered_map<std::string, int>> counts;
    for (const Sentence &s : sentences)
        for (size_t i = 0; i < s.words.size() && i < s.tags.size(); ++i)
            ++counts[s.words[i]][s.tags[i]];
    m_dictionary.clear();
    for (const auto &[word, byTag] : counts) {
        int total = 0, best = 0;
        std::string bestTag;
        for (const auto &[t, n] : byTag) {
            total += n;
            if (n > best) {
                best = n;
                bestTag = t;
            }
        }
        if (total >= 20 && best >= total * 0.97)
            m_dictionary[word] = uint8_t(tagIndex(bestTag));
    }
}

void PosTagger::train(const std::vector<Sentence> &input, int iterations)
{
    m_tags.clear();
    std::unordered_map<uint64_t, std::vector<Weight>> averaged;
    for (const Sentence &s : input)
        for (const std::string &t : s.tags)
            tagIndex(t);
    buildTagDictionary(input);

    struct Slot
    {
        std::vector<float> w;
        std::vector<double> total;
        std::vector<long> stamp;
    };
    std::unordered_map<uint64_t, Slot> slots;
    const size_t nt = m_tags.size();
    long clock = 0;
    auto update = [&](uint64_t key, int tag, float delta) {
        Slot &s = slots[key];
        if (s.w.empty()) {
            s.w.assign(nt, 0.f);
            s.total.assign(nt, 0.0);
            s.stamp.assign(nt, 0);
        }
        s.total[size_t(tag)] += double(clock - s.stamp[size_t(tag)]) * s.w[size_t(tag)];
        s.stamp[size_t(tag)] = clock;
        s.w[size_t(tag)] += delta;
    };
    auto score = [&](const Features &f) {
        std::vector<float> sc(nt, 0.f);
        for (uint64_t key : f) {
            auto it = slots.find(key);
            if (it != slots.end())
                for (size_t t = 0; t < nt; ++t)
                    sc[t] += it->second.w[t];
        }
        return int(std::max_element(sc.begin(), sc.end()) - sc.begin());
    };

    std::vector<size_t> order(input.size());
    std::iota(order.begin(), order.end(), 0);
    std::mt19937 random(7);
    Features f;
    for (int it = 0; it < iterations; ++it) {
        for (size_t si : order) {
            const Sentence &s = input[si];
            const size_t n = std::min(s.words.size(), s.tags.size());
            std::vector<std::string> norm(n), classes(n);
            for (size_t i = 0; i < n; ++i) {
                norm[i] = normalise(s.words[i]);
                classes[i] = lexicalClass(norm[i]);
            }
            std::string prev = "-START-", prev2 = "-START2-";
            for (size_t i = 0; i < n; ++i) {
                std::string guess;
                auto d = m_dictionary.find(s.words[i]);
                if (d != m_dictionary.end()) {
                    guess = tagName(d->second);
                } else {
                    features(norm, s.words, classes, i, prev, prev2, &f);
                    const int g = score(f);
                    const int truth = tagIndex(s.tags[i]);
                    ++clock;
                    if (g != truth)
                        for (uint64_t key : f) {
                            update(key, truth, 1.f);
                            update(key, g, -1.f);
                        }
                    guess = tagName(g);
                }
                prev2 = prev;
                prev = guess;
            }
        }
        std::shuffle(order.begin(), order.end(), random);
    }
    // average, drop what rounds to nothing
    for (auto &[key, s] : slots) {
        std::vector<Weight> ws;
        for (size_t t = 0; t < nt; ++t) {
            const double total = s.total[t] + double(clock - s.stamp[t]) * s.w[t];
            const float avg = float(total / double(std::max(1L, clock)));
            if (avg > 0.0005f || avg < -0.0005f)
                ws.push_back({uint8_t(t), avg});
        }
        if (!ws.empty())
            averaged.emplace(key, std::move(ws));
    }
    buildIndex(averaged);
}

double PosTagger::accuracy(const std::vector<Sentence> &sentences) const
{
    size_t right = 0, total = 0;
    for (const Sentence &s : sentences) {
        const std::vector<std::string> got = tagWords(s.words);
        for (size_t i = 0; i < got.size() && i < s.tags.size(); ++i) {
            right += got[i] == s.tags[i] ? 1 : 0;
            ++total;
        }
    }
    return total ? double(right) / double(total) : 0.0;
}

bool PosTagger::save(const std::string &path) const
{
    FILE *f = std::fopen(path.c_str(), "w");
    if (!f)
        return false;
    std::fprintf(f, "pennova-pos 1\ntags");
    for (const std::string &t : m_tags)
        std::fprintf(f, " %s", t.c_str());
    std::vector<std::pair<std::string, uint8_t>> dict(m_dictionary.begin(), m_dictionary.end());
    std::sort(dict.begin(), dict.end());
    std::fprintf(f, "\ndictionary %zu\n", dict.size());
    for (const auto &[w, t] : dict)
        std::fprintf(f, "%s %d\n", w.c_str(), int(t));
    std::vector<size_t> slots;
    for (size_t slot = 0; slot < m_keys.size(); ++slot)
        if (m_keys[slot])
            slots.push_back(slot);
    std::sort(slots.begin(), slots.end(), [&](size_t a, size_t b) { return m_keys[a] < m_keys[b]; });
    std::fprintf(f, "weights %zu\n", slots.size());
    for (size_t slot : slots) {
        std::fprintf(f, "%016llx", static_cast<unsigned long long>(m_keys[slot]));
        for (size_t w = m_first[slot]; w < m_first[slot] + m_count[slot]; ++w)
            std::fprintf(f, " %d:%.4g", int(m_flat[w].tag), double(m_flat[w].value));
        std::fprintf(f, "\n");
    }
    std::fprintf(f, "end\n");
    return std::fclose(f) == 0;
}

bool PosTagger::load(const std::string &path, std::string *error)
{
    std::ifstream in(path);
    if (!in) {
        if (error)
            *error = "cannot open " + path;
        m_tags.clear();
        return false;
    }
    return load(in, error);
}

bool PosTagger::load(std::istream &in, std::string *error)
{
    std::vector<std::string> tags;
    std::unordered_map<std::string, uint8_t> dictionary;
    std::unordered_map<uint64_t, std::vector<Weight>> weights;
    auto fail = [&](const std::string &why) {
        if (error)
            *error = why;
        m_tags.clear();
        m_dictionary.clear();
        m_keys.clear();
        m_flat.clear();
        return false;
    };
    std::string line;
    auto next = [&]() {
        if (!std::getline(in, line))
            return false;
        return line.size() <= kMaxLine;
    };
    if (!next() || line != "pennova-pos 1")
        return fail("not a tagger model");
    if (!next() || line.rfind("tags", 0) != 0)
        return fail("missing tag list");
    {
        std::istringstream ts(line.substr(4));
        std::string t;
        while (ts >> t)
            tags.push_back(t);
        if (tags.empty() || tags.size() > kMaxTags)
            return fail("bad tag list");
    }
    size_t count = 0;
    if (!next() || std::sscanf(line.c_str(), "dictionary %zu", &count) != 1 || count > kMaxDictionary)
        return fail("bad dictionary header");
    for (size_t i = 0; i < count; ++i) {
        if (!next())
            return fail("truncated dictionary");
        const size_t sp = line.rfind(' ');
        if (sp == std::string::npos || sp == 0)
            return fail("bad dictionary line");
        const int t = std::atoi(line.c_str() + sp + 1);
        if (t < 0 || size_t(t) >= tags.size())
            return fail("dictionary tag out of range");
        dictionary[line.substr(0, sp)] = uint8_t(t);
    }
    if (!next() || std::sscanf(line.c_str(), "weights %zu", &count) != 1 || count > kMaxFeatures)
        return fail("bad weights header");
    weights.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        if (!next())
            return fail("truncated weights");
        const char *p = line.c_str();
        char *endp = nullptr;
        const uint64_t key = std::strtoull(p, &endp, 16);
        if (endp == p)
            return fail("bad feature key");
        std::vector<Weight> ws;
        p = endp;
        while (*p == ' ') {
            const long t = std::strtol(p + 1, &endp, 10);
            if (endp == p + 1 || *endp != ':' || t < 0 || size_t(t) >= tags.size())
                return fail("bad weight");
            p = endp + 1;
            const float v = std::strtof(p, &endp);
            if (endp == p)
                return fail("bad weight value");
            ws.push_back({uint8_t(t), v});
            p = endp;
        }
        if (*p != '\0' || ws.empty())
            return fail("bad weights line");
        weights[key] = std::move(ws);
    }
    if (!next() || line != "end")
        return fail("truncated model");
    m_tags = std::move(tags);
    m_dictionary = std::move(dictionary);
    buildIndex(weights);
    return true;
}

} // namespace PennovaChecker
