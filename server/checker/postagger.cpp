#include "postagger.h"

#include "lexicon.h"
#include "wordforms.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <numeric>
#include <random>
#include <sstream>
#include <string_view>
#include <unordered_set>

namespace PennovaChecker {

namespace {

constexpr size_t kMaxTags = 64;
constexpr size_t kMaxDictionary = 1000000;
constexpr size_t kMaxFeatures = 4000000;
constexpr size_t kMaxLine = 1 << 16;
const std::string kUnseen = "-UNSEEN-"; // a word form training never saw
constexpr size_t kMaxWords = 2000; // per sentence; the rest keep the tag "" (never a finding)

// FNV-1a over the bytes, then a terminator so that ("ab", "c") and ("a", "bc") differ
uint64_t fnvBytes(uint64_t h, std::string_view s)
{
    for (unsigned char c : s)
        h = (h ^ c) * 1099511628211ULL;
    return h;
}

uint64_t fnv(uint64_t h, std::string_view s) { return (fnvBytes(h, s) ^ 0x1f) * 1099511628211ULL; }

uint64_t feature(const char *name, std::string_view a, std::string_view b = std::string_view())
{
    return fnv(fnv(fnv(1469598103934665603ULL, name), a), b);
}

// feature(name, a + b, c) without building a + b
uint64_t feature(const char *name, std::string_view a, std::string_view b, std::string_view c)
{
    const uint64_t joined = (fnvBytes(fnvBytes(fnv(1469598103934665603ULL, name), a), b) ^ 0x1f) * 1099511628211ULL;
    return fnv(joined, c);
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

std::string_view suffix(std::string_view w, size_t n) { return w.size() <= n ? w : w.substr(w.size() - n); }

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
    std::string c;
    if (!m_lex)
        return c;
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

void PosTagger::Context::reset(const std::vector<std::string> &words, size_t n)
{
    norm.resize(n);
    lower.resize(n);
    quoteOpen.assign(n, false);
    bool open = false;
    for (size_t i = 0; i < n; ++i) {
        quoteOpen[i] = open;
        if (words[i] == "\"")
            open = !open;
    }
    shapes.resize(n);
    classes.assign(n, std::string());
    signatures.assign(n, std::string());
    ambiguity.assign(n, std::string());
    size_t letters = 0, capitals = 0, upper = 0;
    for (size_t i = 0; i < n; ++i) {
        norm[i] = normalise(words[i]);
        lower[i] = lowerAscii(words[i]);
        shapes[i] = shape(words[i]);
        const char first = words[i].empty() ? ' ' : words[i][0];
        if (i > 0 && std::isalpha(static_cast<unsigned char>(first))) {
            ++letters;
            capitals += std::isupper(static_cast<unsigned char>(first)) ? 1 : 0;
            upper += shapes[i] == "X" ? 1 : 0;
        }
    }
    // headings and signatures ("Credit Risk Management") are written in capitals
    casing = letters < 2 ? "short" : upper * 10 >= letters * 6 ? "upper" : capitals * 10 >= letters * 6 ? "title"
                                                                          : capitals * 4 >= letters ? "some" : "plain";
}

void PosTagger::features(const Context &c, size_t i, const std::string &prev, const std::string &prev2,
                         Features *out) const
{
    static const std::string start = "-START-", end = "-END-";
    const size_t n = c.norm.size();
    auto at = [&](const std::vector<std::string> &v, long k) -> const std::string & {
        return k < 0 ? start : size_t(k) >= n ? end : v[size_t(k)];
    };
    const long j = long(i);
    const std::string &w = c.norm[i], &l = c.lower[i], &sh = c.shapes[i];
    const std::string_view lv = l;
    out->clear();
    out->push_back(feature("bias", ""));
    out->push_back(feature("w", w));
    out->push_back(feature("p1", lv.substr(0, 1)));
    for (size_t k = 2; k <= 4 && k < l.size(); ++k) {
        static const char *const name[] = {"", "", "s2", "s3", "s4"};
        out->push_back(feature(name[k], suffix(lv, k)));
    }
    if (l.size() > 3)
        out->push_back(feature("p3", lv.substr(0, 3)));
    out->push_back(feature("shape", sh, i == 0 ? "first" : ""));
    out->push_back(feature("t-1", prev));
    out->push_back(feature("t-2", prev2));
    out->push_back(feature("t-1t-2", prev, prev2));
    out->push_back(feature("t-1w", prev, w));
    out->push_back(feature("t-1s3", prev, suffix(l, 3)));
    out->push_back(feature("w-1", at(c.norm, j - 1)));
    out->push_back(feature("s3-1", suffix(at(c.lower, j - 1), 3)));
    out->push_back(feature("w-2", at(c.norm, j - 2)));
    out->push_back(feature("w+1", at(c.norm, j + 1)));
    out->push_back(feature("s3+1", suffix(at(c.lower, j + 1), 3)));
    out->push_back(feature("w+2", at(c.norm, j + 2)));
    out->push_back(feature("ww+1", w, at(c.norm, j + 1)));
    out->push_back(feature("w-1w", at(c.norm, j - 1), w));
    // the tags training saw each word with, here and two either side
    const std::string &amb = c.ambiguity[i];
    out->push_back(feature("amb", amb));
    out->push_back(feature("ambt-1", amb, prev));
    out->push_back(feature("amb+1", at(c.ambiguity, j + 1)));
    out->push_back(feature("ambamb+1", amb, at(c.ambiguity, j + 1)));
    out->push_back(feature("amb+2", at(c.ambiguity, j + 2)));
    out->push_back(feature("amb-1", at(c.ambiguity, j - 1)));
    if (m_lex) {
        const std::string &cls = c.classes[i];
        out->push_back(feature("lex", cls));
        out->push_back(feature("lext-1", cls, prev));
        out->push_back(feature("lex+1", at(c.classes, j + 1)));
        out->push_back(feature("lexs3", cls, suffix(l, 3)));
        out->push_back(feature("lexshape", cls, sh));
    }
    if (m_forms) {
        out->push_back(feature("sig", c.signatures[i]));
        out->push_back(feature("sigshape", c.signatures[i], sh));
    }
    if (l == "\"" || l == "'" || l == "`")
        out->push_back(feature("quote", l, c.quoteOpen[i] ? "open" : "closed"));
    out->push_back(feature("s5", suffix(l, 5)));
    out->push_back(feature("shape-1shape+1", at(c.shapes, j - 1), at(c.shapes, j + 1)));
    out->push_back(feature("w-1w+1", at(c.norm, j - 1), at(c.norm, j + 1)));
    if (w == "!HYPHEN") { // the last part decides: "well-known", "follow-up"
        const std::string_view tail = lv.substr(lv.rfind('-') + 1);
        out->push_back(feature("hyph", tail));
        out->push_back(feature("hyphs3", suffix(tail, 3)));
    }
    out->push_back(feature("case", c.casing, sh));
    out->push_back(feature("caseamb", c.casing, sh, amb));
}

void PosTagger::addDomainCopies(Features *f, uint64_t salt)
{
    const size_t n = f->size();
    for (size_t k = 0; k < n; ++k)
        f->push_back(((*f)[k] ^ salt) * 1099511628211ULL);
}

void PosTagger::describe(const std::string &word, size_t i, Context *c) const
{
    auto amb = m_ambiguity.find(c->norm[i]);
    c->ambiguity[i] = amb == m_ambiguity.end() ? std::string() : amb->second;
    describeForm(word, i, c);
}

void PosTagger::describeForm(const std::string &word, size_t i, Context *c) const
{
    if (const Description *common = m_common.find(word)) {
        c->classes[i] = common->lexicalClass;
        c->signatures[i] = common->signature;
        return;
    }
    c->classes[i] = lexicalClass(c->lower[i]);
    if (m_forms)
        c->signatures[i] = m_forms->signature(word);
}

void PosTagger::describeCommonWords()
{
    // the commonest words, and the very commonest capitalised as a sentence starts them
    constexpr int kLowerRank = 20000, kCapitalRank = 3000;
    m_common.clear();
    if (!m_lex)
        return;
    for (const auto &entry : m_lex->frequencies()) {
        const std::string &lower = entry.first;
        const int rank = m_lex->frequencyRank(lower);
        if (rank <= 0 || rank > kLowerRank || lower.empty() || lowerAscii(lower) != lower)
            continue;
        const std::string cls = lexicalClass(lower);
        if (!m_common.contains(lower))
            m_common[lower] = Description{cls, m_forms ? m_forms->signature(lower) : std::string()};
        if (rank <= kCapitalRank && lower[0] >= 'a' && lower[0] <= 'z') {
            std::string capital = lower;
            capital[0] = char(capital[0] - 'a' + 'A');
            if (!m_common.contains(capital))
                m_common[capital] = Description{cls, m_forms ? m_forms->signature(capital) : std::string()};
        }
    }
}

void PosTagger::buildIndex(std::unordered_map<uint64_t, std::vector<Weight>> &weights)
{
    std::vector<uint64_t> keys;
    keys.reserve(weights.size());
    for (const auto &kv : weights)
        keys.push_back(kv.first);
    std::sort(keys.begin(), keys.end()); // the same layout whatever the map's order
    std::vector<Row> rows;
    std::vector<Weight> flat;
    for (uint64_t key : keys) {
        const std::vector<Weight> &ws = weights[key];
        const uint8_t count = uint8_t(std::min<size_t>(ws.size(), kMaxTags));
        rows.push_back({key, uint32_t(flat.size()), count});
        flat.insert(flat.end(), ws.begin(), ws.begin() + count);
    }
    weights.clear();
    buildIndex(rows, std::move(flat));
}

void PosTagger::buildIndex(const std::vector<Row> &rows, std::vector<Weight> flat)
{
    size_t size = 16;
    while (size < rows.size() * 2)
        size *= 2;
    m_slots.assign(size, Slot());
    for (const Row &row : rows) {
        const uint64_t k = row.key ? row.key : 1; // 0 marks a free slot
        size_t slot = size_t(k) & (size - 1);
        while (m_slots[slot].key)
            slot = (slot + 1) & (size - 1);
        m_slots[slot] = {k, row.first, row.count};
    }
    m_flat = std::move(flat);
}

int PosTagger::predict(const Features &f) const
{
    float scores[kMaxTags] = {};
    const size_t mask = m_slots.size() - 1;
    // the look-ups wait on memory: ask for a batch of slots at once, then for their weights,
    // and only then add them up
    constexpr size_t kBatch = 32;
    for (size_t from = 0; from < f.size(); from += kBatch) {
        const size_t n = std::min(kBatch, f.size() - from);
        for (size_t k = 0; k < n; ++k)
            __builtin_prefetch(&m_slots[size_t(f[from + k] ? f[from + k] : 1) & mask]);
        const Slot *found[kBatch];
        for (size_t k = 0; k < n; ++k) {
            const uint64_t key = f[from + k] ? f[from + k] : 1;
            found[k] = nullptr;
            for (size_t slot = size_t(key) & mask; m_slots[slot].key; slot = (slot + 1) & mask)
                if (m_slots[slot].key == key) {
                    found[k] = &m_slots[slot];
                    __builtin_prefetch(&m_flat[found[k]->first]);
                    break;
                }
        }
        for (size_t k = 0; k < n; ++k)
            if (const Slot *s = found[k])
                for (size_t w = s->first; w < size_t(s->first) + s->count; ++w)
                    scores[m_flat[w].tag] += m_flat[w].value;
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
    Context c;
    c.reset(words, n);
    std::vector<int> dictionaryTag(n, -1); // the tag of a word the dictionary settles
    std::vector<bool> known(n);
    std::vector<const std::string *> ambiguity(n); // the tags training saw the form with
    const auto unseen = m_ambiguity.find(kUnseen);
    for (size_t i = 0; i < n; ++i) {
        if (const auto d = m_dictionary.find(words[i]); d != m_dictionary.end())
            dictionaryTag[i] = d->second;
        known[i] = dictionaryTag[i] >= 0;
        auto amb = m_ambiguity.find(c.norm[i]);
        if (amb == m_ambiguity.end()) {
            c.norm[i] = kUnseen;
            amb = unseen;
        }
        ambiguity[i] = amb == m_ambiguity.end() ? nullptr : &amb->second;
    }
    for (size_t i = 0; i < n; ++i) // read by this word's features or a neighbour's
        if (!known[i] || (i > 0 && !known[i - 1]) || (i > 1 && !known[i - 2]) || (i + 1 < n && !known[i + 1])) {
            c.ambiguity[i] = ambiguity[i] ? *ambiguity[i] : std::string();
            describeForm(words[i], i, &c);
        }
    std::string prev = "-START-", prev2 = "-START2-";
    Features f;
    for (size_t i = 0; i < n; ++i) {
        if (known[i]) {
            tags[i] = tagName(dictionaryTag[i]);
        } else {
            features(c, i, prev, prev2, &f);
            tags[i] = tagName(predict(f));
        }
        // an irregular plural is plural, whatever the treebanks' few examples taught
        if (tags[i] == "NN" && m_forms && m_forms->isIrregularPlural(c.lower[i]))
            tags[i] = "NNS";
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
    for (const Sentence &s : sentences) // a word tagged without its context: by the treebanks' conventions
        for (size_t i = 0; i < s.words.size() && i < s.tags.size(); ++i)
            if (!s.tags[i].empty() && !s.secondary)
                counts[s.words[i]][s.tags[i]] += s.weight;
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
    // the tags each word form was seen with (in lower case), the rare ones left out
    std::unordered_map<std::string, std::unordered_map<std::string, int>> byForm;
    for (const Sentence &s : sentences)
        for (size_t i = 0; i < s.words.size() && i < s.tags.size(); ++i)
            if (!s.tags[i].empty())
                byForm[normalise(s.words[i])][s.tags[i]] += s.weight;
    m_ambiguity.clear();
    for (const auto &[form, byTag] : byForm)
        if (form.size() < 100 && !tagSet(byTag, std::string()).empty())
            m_ambiguity[form] = tagSet(byTag, std::string());
}

std::string PosTagger::seenTags(const std::string &lower) const
{
    auto it = m_ambiguity.find(lower);
    return it == m_ambiguity.end() ? std::string() : it->second;
}

std::string PosTagger::tagSet(const std::unordered_map<std::string, int> &byTag, const std::string &without, int times)
{
    int total = 0;
    for (const auto &[t, n] : byTag)
        total += n - (t == without ? times : 0);
    std::vector<std::string> tags;
    for (const auto &[t, n] : byTag) {
        const int m = n - (t == without ? times : 0);
        if (m > 0 && m * 20 >= total)
            tags.push_back(t);
    }
    std::sort(tags.begin(), tags.end());
    std::string joined;
    for (const std::string &t : tags)
        joined += (joined.empty() ? "" : " ") + t;
    return joined;
}

void PosTagger::train(const std::vector<Sentence> &input, int iterations, float minWeight)
{
    m_tags.clear();
    const bool copies = std::any_of(input.begin(), input.end(), [](const Sentence &s) { return s.secondary; });
    std::unordered_map<uint64_t, uint64_t> copyOf; // a feature's copy -> the feature
    std::unordered_set<uint64_t> secondaryCopies;  // secondary text's own copies: left out of the model
    constexpr uint64_t kPrimarySalt = 0x9e3779b97f4a7c15ULL, kSecondarySalt = 0xc2b2ae3d27d4eb4fULL;
    std::unordered_map<uint64_t, std::vector<Weight>> averaged;
    for (const Sentence &s : input)
        for (const std::string &t : s.tags)
            if (!t.empty())
                tagIndex(t);
    buildTagDictionary(input);

    // per feature only the tags it was ever updated for: a few of the ~50, so that a
    // million features fit in memory
    struct Entry
    {
        uint8_t tag;
        float w;
        double total;
        long stamp;
    };
    using Slot = std::vector<Entry>;
    std::unordered_map<uint64_t, Slot> slots;
    const size_t nt = m_tags.size();
    long clock = 0;
    auto update = [&](uint64_t key, int tag, float delta) {
        Slot &s = slots[key];
        auto e = std::find_if(s.begin(), s.end(), [&](const Entry &x) { return x.tag == tag; });
        if (e == s.end())
            e = s.insert(s.end(), Entry{uint8_t(tag), 0.f, 0.0, 0});
        e->total += double(clock - e->stamp) * e->w;
        e->stamp = clock;
        e->w += delta;
    };
    auto score = [&](const Features &f) {
        std::vector<float> sc(nt, 0.f);
        for (uint64_t key : f) {
            auto it = slots.find(key);
            if (it != slots.end())
                for (const Entry &e : it->second)
                    sc[e.tag] += e.w;
        }
        return int(std::max_element(sc.begin(), sc.end()) - sc.begin());
    };

    std::unordered_map<std::string, std::unordered_map<std::string, int>> formCounts;
    for (const Sentence &s : input)
        for (size_t i = 0; i < s.words.size() && i < s.tags.size(); ++i)
            if (!s.tags[i].empty())
                formCounts[normalise(s.words[i])][s.tags[i]] += s.weight;
    std::vector<Context> contexts(input.size());
    for (size_t si = 0; si < input.size(); ++si) {
        const Sentence &s = input[si];
        Context &c = contexts[si];
        c.reset(s.words, std::min(s.words.size(), s.tags.size()));
        for (size_t i = 0; i < c.norm.size(); ++i) {
            describe(s.words[i], i, &c);
            // as if this word had not been seen here, so that rare words look the way unseen ones will;
            // not in secondary text, so that what a new word is comes from the treebanks' text
            auto counts = formCounts.find(c.norm[i]);
            if (counts != formCounts.end() && (!s.secondary || s.ownCopies))
                c.ambiguity[i] = tagSet(counts->second, s.tags[i], s.weight);
        }
    }
    std::vector<std::vector<bool>> rare(input.size());
    for (size_t si = 0; si < input.size(); ++si)
        for (size_t i = 0; i < contexts[si].norm.size(); ++i) {
            int total = 0;
            for (const auto &kv : formCounts[contexts[si].norm[i]])
                total += kv.second;
            rare[si].push_back(total <= input[si].weight && (!input[si].secondary || input[si].ownCopies)); // in this sentence only
        }
    std::vector<size_t> order;
    for (size_t si = 0; si < input.size(); ++si)
        order.insert(order.end(), size_t(std::max(1, input[si].weight)), si);
    std::mt19937 random(7);
    Features f;
    for (int it = 0; it < iterations; ++it) {
        for (size_t si : order) {
            const Sentence &s = input[si];
            const size_t n = std::min(s.words.size(), s.tags.size());
            Context &c = contexts[si];
            std::vector<std::string> saved;
            saved = c.norm; // words seen once now and then read as unseen ones
            for (size_t i = 0; i < n; ++i)
                if (rare[si][i] && random() % 2)
                    c.norm[i] = kUnseen;
            std::string prev = "-START-", prev2 = "-START2-";
            for (size_t i = 0; i < n; ++i) {
                std::string guess;
                auto d = m_dictionary.find(s.words[i]);
                if (d != m_dictionary.end()) {
                    guess = tagName(d->second);
                } else {
                    features(c, i, prev, prev2, &f);
                    const size_t shared = f.size();
                    if (copies && !s.secondary)
                        addDomainCopies(&f, kPrimarySalt);
                    else if (s.ownCopies)
                        addDomainCopies(&f, kSecondarySalt);
                    const int g = score(f);
                    const int truth = s.tags[i].empty() ? g : tagIndex(s.tags[i]);
                    ++clock;
                    if (g != truth)
                        for (size_t k = 0; k < f.size(); ++k) {
                            update(f[k], truth, 1.f);
                            update(f[k], g, -1.f);
                            if (k >= shared && s.secondary)
                                secondaryCopies.insert(f[k]);
                            else if (k >= shared)
                                copyOf.emplace(f[k], f[k - shared]);
                        }
                    guess = tagName(g);
                }
                prev2 = prev;
                prev = guess;
            }
            c.norm = std::move(saved);
        }
        std::shuffle(order.begin(), order.end(), random);
    }
    // average, drop what rounds to nothing
    for (auto &[key, s] : slots) {
        std::sort(s.begin(), s.end(), [](const Entry &a, const Entry &b) { return a.tag < b.tag; });
        std::vector<Weight> ws;
        for (const Entry &e : s) {
            const double total = e.total + double(clock - e.stamp) * e.w;
            const float avg = float(total / double(std::max(1L, clock)));
            if (avg > minWeight || avg < -minWeight || copies)
                ws.push_back({e.tag, avg});
        }
        Slot().swap(s);
        if (!ws.empty() && !secondaryCopies.count(key))
            averaged.emplace(key, std::move(ws));
    }
    if (copies) { // tagging reads the treebanks' side: each copy added into its feature
        std::unordered_map<uint64_t, std::vector<Weight>> merged;
        std::vector<uint64_t> keys;
        for (const auto &kv : averaged)
            keys.push_back(kv.first);
        std::sort(keys.begin(), keys.end());
        for (uint64_t key : keys) {
            const auto original = copyOf.find(key);
            std::vector<Weight> &into = merged[original == copyOf.end() ? key : original->second];
            for (const Weight &w : averaged[key]) {
                auto same = std::find_if(into.begin(), into.end(), [&](const Weight &x) { return x.tag == w.tag; });
                if (same == into.end())
                    into.push_back(w);
                else
                    same->value += w.value;
            }
        }
        averaged.clear();
        for (auto &[key, ws] : merged) {
            std::sort(ws.begin(), ws.end(), [](const Weight &a, const Weight &b) { return a.tag < b.tag; });
            ws.erase(std::remove_if(ws.begin(), ws.end(), [&](const Weight &w) { return w.value <= minWeight && w.value >= -minWeight; }),
                     ws.end());
            if (!ws.empty())
                averaged.emplace(key, std::move(ws));
        }
    }
    buildIndex(averaged);
}

double PosTagger::accuracy(const std::vector<Sentence> &sentences) const
{
    size_t right = 0, total = 0;
    for (const Sentence &s : sentences) {
        const std::vector<std::string> got = tagWords(s.words);
        for (size_t i = 0; i < got.size() && i < s.tags.size(); ++i) {
            if (s.tags[i].empty())
                continue;
            right += got[i] == s.tags[i] ? 1 : 0;
            ++total;
        }
    }
    return total ? double(right) / double(total) : 0.0;
}

PosTagger::Score PosTagger::evaluate(const std::vector<Sentence> &test, const std::vector<Sentence> &training) const
{
    std::unordered_set<std::string> seen;
    for (const Sentence &s : training)
        seen.insert(s.words.begin(), s.words.end());
    Score score;
    for (const Sentence &s : test) {
        const std::vector<std::string> got = tagWords(s.words);
        for (size_t i = 0; i < got.size() && i < s.tags.size(); ++i) {
            if (s.tags[i].empty())
                continue;
            const bool right = got[i] == s.tags[i];
            if (seen.count(s.words[i])) {
                ++score.known;
                score.knownRight += right;
            } else {
                ++score.unknown;
                score.unknownRight += right;
            }
        }
    }
    return score;
}

bool PosTagger::save(const std::string &path) const
{
    FILE *f = std::fopen(path.c_str(), "w");
    if (!f)
        return false;
    std::fprintf(f, "pennova-pos 2\ntags");
    for (const std::string &t : m_tags)
        std::fprintf(f, " %s", t.c_str());
    std::vector<std::pair<std::string, uint8_t>> dict(m_dictionary.begin(), m_dictionary.end());
    std::sort(dict.begin(), dict.end());
    std::fprintf(f, "\ndictionary %zu\n", dict.size());
    for (const auto &[w, t] : dict)
        std::fprintf(f, "%s %d\n", w.c_str(), int(t));
    std::vector<std::pair<std::string, std::string>> forms(m_ambiguity.begin(), m_ambiguity.end());
    std::sort(forms.begin(), forms.end());
    std::fprintf(f, "forms %zu\n", forms.size());
    for (const auto &[form, tags] : forms) { // form, tab, tag numbers
        std::istringstream names(tags);
        std::string numbers, t;
        while (names >> t)
            numbers += (numbers.empty() ? "" : " ") + std::to_string(std::find(m_tags.begin(), m_tags.end(), t) - m_tags.begin());
        std::fprintf(f, "%s\t%s\n", form.c_str(), numbers.c_str());
    }
    std::vector<size_t> slots;
    for (size_t slot = 0; slot < m_slots.size(); ++slot)
        if (m_slots[slot].key)
            slots.push_back(slot);
    std::sort(slots.begin(), slots.end(), [&](size_t a, size_t b) { return m_slots[a].key < m_slots[b].key; });
    std::fprintf(f, "weights %zu\n", slots.size());
    for (size_t slot : slots) {
        const Slot &s = m_slots[slot];
        std::fprintf(f, "%016llx", static_cast<unsigned long long>(s.key));
        for (size_t w = s.first; w < size_t(s.first) + s.count; ++w)
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
    std::unordered_map<std::string, std::string> ambiguity;
    std::vector<Row> rows; // read straight into the index's layout: no map of a million small vectors
    std::vector<Weight> flat;
    auto fail = [&](const std::string &why) {
        if (error)
            *error = why;
        m_tags.clear();
        m_dictionary.clear();
        m_ambiguity.clear();
        m_slots.clear();
        m_flat.clear();
        return false;
    };
    std::string line;
    auto next = [&]() {
        if (!std::getline(in, line))
            return false;
        return line.size() <= kMaxLine;
    };
    if (!next() || line != "pennova-pos 2")
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
    if (!next() || std::sscanf(line.c_str(), "forms %zu", &count) != 1 || count > kMaxDictionary)
        return fail("bad forms header");
    for (size_t i = 0; i < count; ++i) {
        if (!next())
            return fail("truncated forms");
        const size_t tab = line.find('\t');
        if (tab == std::string::npos || tab == 0 || tab + 1 == line.size())
            return fail("bad forms line");
        std::istringstream numbers(line.substr(tab + 1));
        std::string names, number;
        while (numbers >> number) {
            char *endp = nullptr;
            const long t = std::strtol(number.c_str(), &endp, 10);
            if (*endp != '\0' || t < 0 || size_t(t) >= tags.size())
                return fail("form tag out of range");
            names += (names.empty() ? "" : " ") + tags[size_t(t)];
        }
        ambiguity[line.substr(0, tab)] = names;
    }
    if (!next() || std::sscanf(line.c_str(), "weights %zu", &count) != 1 || count > kMaxFeatures)
        return fail("bad weights header");
    rows.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        if (!next())
            return fail("truncated weights");
        const char *p = line.c_str();
        char *endp = nullptr;
        const uint64_t key = std::strtoull(p, &endp, 16);
        if (endp == p)
            return fail("bad feature key");
        const size_t first = flat.size();
        p = endp;
        while (*p == ' ') {
            const long t = std::strtol(p + 1, &endp, 10);
            if (endp == p + 1 || *endp != ':' || t < 0 || size_t(t) >= tags.size())
                return fail("bad weight");
            p = endp + 1;
            const float v = std::strtof(p, &endp);
            if (endp == p)
                return fail("bad weight value");
            if (flat.size() - first < kMaxTags)
                flat.push_back({uint8_t(t), v});
            p = endp;
        }
        if (*p != '\0' || flat.size() == first)
            return fail("bad weights line");
        rows.push_back({key, uint32_t(first), uint8_t(flat.size() - first)});
    }
    if (!next() || line != "end")
        return fail("truncated model");
    m_tags = std::move(tags);
    m_dictionary = std::move(dictionary);
    m_ambiguity = std::move(ambiguity);
    // in key order, as save writes them; of a repeated key the last line counts
    std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.key < b.key; });
    std::vector<Row> unique;
    unique.reserve(rows.size());
    for (const Row &row : rows) {
        if (!unique.empty() && unique.back().key == row.key)
            unique.back() = row;
        else
            unique.push_back(row);
    }
    buildIndex(unique, std::move(flat));
    describeCommonWords();
    return true;
}

} // namespace PennovaChecker
