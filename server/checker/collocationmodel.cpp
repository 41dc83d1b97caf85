#include "collocationmodel.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace PennovaChecker {

namespace {

bool tagIs(const std::vector<std::string> &tags, int i, const char *prefix)
{
    return i >= 0 && i < int(tags.size()) && tags[size_t(i)].rfind(prefix, 0) == 0;
}

// A common noun (NNP, a name, never heads a pair).
bool commonNoun(const std::vector<std::string> &tags, int i)
{
    return i >= 0 && i < int(tags.size()) && (tags[size_t(i)] == "NN" || tags[size_t(i)] == "NNS");
}

bool plainWord(const Token &t)
{
    if (t.kind != Token::Word || t.lemma.empty())
        return false;
    return std::all_of(t.lower.begin(), t.lower.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; });
}

// What may stand between a verb and its object's nouns: articles, possessives, numbers,
// adjectives.
bool modifier(const std::vector<std::string> &tags, int i)
{
    static const std::set<std::string> allowed = {"DT", "PDT", "PRP$", "CD", "JJ", "JJR", "JJS"};
    return i >= 0 && i < int(tags.size()) && allowed.count(tags[size_t(i)]) > 0;
}

// Nouns that head no collocation: indefinite pronouns, measures and kinds before "of"
// left out, and times, which stand after a verb as adverbials ("drink all day").
bool neutralNoun(const std::string &lemma, bool object)
{
    static const std::set<std::string> nouns = {
        "something", "anything", "everything", "nothing",   "one",     "day",   "night",  "morning",
        "evening",   "afternoon", "week",      "month",     "year",    "hour",  "minute", "second",
        "time",      "today",     "tonight",   "tomorrow",  "yesterday", "weekend", "while", "moment"};
    // an object's measure or kind: its collocate is the noun after "of"
    static const std::set<std::string> measures = {"lot", "kind", "sort", "type", "part", "number", "bit", "way"};
    return nouns.count(lemma) > 0 || (object && measures.count(lemma) > 0);
}

std::string key(const std::string &a, const std::string &b)
{
    return a + ' ' + b;
}

} // namespace

const std::vector<CollocationModel::Group> &CollocationModel::groups()
{
    // The verbs and adjectives Chinese-speaking learners swap, where one Chinese word covers
    // several English ones: 做 do/make (犯罪 commit, 拍照 take), 说 say/tell/speak/talk,
    // 看 see TV (watch), watch a book (read), 学 learn/study (学到知识 acquire), 吃药 take,
    // 大雨 heavy, 高价 high, 小雨 light. Words that go with nearly anything (have, get,
    // little, high) and the near-synonyms of size (large, great, huge: a large house, a great
    // man) are never flagged.
    static const std::vector<Group> all = {
        {VerbObject, {"do", "make"}, {"do", "make", "take", "commit", "pay", "conduct"}},
        {VerbObject, {"say", "tell", "speak", "talk"}, {"say", "tell", "speak", "talk"}},
        {VerbObject, {"see"}, {"watch", "read"}},
        {VerbObject, {"watch"}, {"read"}},
        {VerbObject, {"learn", "study"}, {"learn", "study", "acquire", "gain"}},
        {VerbObject, {"eat"}, {"eat", "take"}},
        {AdjectiveNoun, {"big", "strong"}, {"heavy", "high", "strong", "serious", "deep"}},
        {AdjectiveNoun, {"expensive"}, {"high"}},
        {AdjectiveNoun, {"cheap"}, {"low"}},
        {AdjectiveNoun, {"small", "light", "weak", "low"}, {"light", "low", "slight", "weak"}},
    };
    return all;
}

std::vector<CollocationModel::Pair> CollocationModel::pairs(const std::vector<Token> &t,
                                                             const std::vector<std::string> &tags)
{
    std::vector<Pair> out;
    if (tags.size() != t.size())
        return out;
    const int n = int(t.size());
    for (int i = 0; i < n; ++i) {
        if (!plainWord(t[size_t(i)]))
            continue;
        if (tagIs(tags, i, "VB")) {
            int j = i + 1;
            int skipped = 0;
            // an adverb counts only before an adjective ("a very big mistake")
            while (j < n && (modifier(tags, j) || (tagIs(tags, j, "RB") && tagIs(tags, j + 1, "JJ"))) && skipped < 4) {
                ++j;
                ++skipped;
            }
            // a day word ends the noun phrase: it is an adverbial ("did the work yesterday")
            static const std::set<std::string> days = {"yesterday", "today", "tonight", "tomorrow"};
            int last = -1;
            for (int k = j; k < n && k < j + 3 && commonNoun(tags, k) && plainWord(t[size_t(k)])
                 && (k == j || days.count(t[size_t(k)].lower) == 0);
                 ++k)
                last = k;
            // none before "of", and none before an adjective: "make life easy" makes the
            // object something, it does not make the object;
            if (last < 0 || neutralNoun(t[size_t(last)].lemma, true))
                continue;
            if (last + 1 < n) {
                // nor before a verb: the noun is the subject of what follows ("see the children
                // play", "I see prices rise"), or the object's complement was taken for a verb
                // ("made a crime last year" has none, and an adverb in -ly says how: "did it quickly")
                const std::string &after = t[size_t(last) + 1].lower;
                // (unless a verb follows: "Does that plan really work" asks a question)
                const bool manner = tagIs(tags, last + 1, "RB") && after.size() > 4
                    && after.compare(after.size() - 2, 2, "ly") == 0 && !tagIs(tags, last + 2, "VB")
                    && !tagIs(tags, last + 2, "MD");
                const bool complement = (tagIs(tags, last + 1, "JJ") || (tagIs(tags, last + 1, "RB") && !manner))
                    && !(last + 2 < n && commonNoun(tags, last + 2));
                if ((commonNoun(tags, last + 1) && days.count(after) == 0) || after == "of" || tagIs(tags, last + 1, "VB")
                    || tagIs(tags, last + 1, "MD") || complement)
                    continue;
            }
            // an -ing form after a noun is part of a compound ("sports doing opportunities");
            // "do" after "neither", "so", "as" stands for a verb before it ("as do most people")
            static const std::set<std::string> standIn = {"neither", "nor", "so", "as", "than"};
            if ((tags[size_t(i)] == "VBG" && i > 0 && commonNoun(tags, i - 1))
                || (t[size_t(i)].lemma == "do" && i > 0 && standIn.count(t[size_t(i) - 1].lower)))
                continue;
            out.push_back({VerbObject, i, last, t[size_t(i)].lemma, t[size_t(last)].lemma});
        } else if (tags[size_t(i)] == "JJ") {
            const int k = i + 1;
            // a day word after the noun is an adverbial, not a compound ("heavy rain yesterday")
            static const std::set<std::string> days = {"yesterday", "today", "tonight", "tomorrow"};
            const bool compound = commonNoun(tags, k + 1) && days.count(t[size_t(k) + 1].lower) == 0;
            if (!commonNoun(tags, k) || !plainWord(t[size_t(k)]) || compound
                || neutralNoun(t[size_t(k)].lemma, false))
                continue;
            out.push_back({AdjectiveNoun, i, k, t[size_t(i)].lower, t[size_t(k)].lemma});
        }
    }
    return out;
}

void CollocationModel::addPair(Kind kind, const std::string &first, const std::string &noun, uint64_t n)
{
    m_pairs[kind][key(first, noun)] += n;
    m_nouns[kind][noun] += n;
}

void CollocationModel::add(const std::vector<Token> &tokens, const std::vector<std::string> &tags)
{
    for (const Pair &p : pairs(tokens, tags)) {
        ++m_pairs[p.kind][key(p.first, p.second)];
        ++m_nouns[p.kind][p.second];
    }
}

bool CollocationModel::save(const std::string &path) const
{
    std::ofstream out(path);
    if (!out)
        return false;
    std::set<std::string> words[KindCount];
    for (const Group &g : groups()) {
        words[g.kind].insert(g.sources.begin(), g.sources.end());
        words[g.kind].insert(g.targets.begin(), g.targets.end());
    }
    out << "# pennova collocation model 1: P kind first noun count (pairs of the groups' words), "
           "N kind noun count (every pair with the noun); kind 0 verb-object, 1 adjective-noun\n";
    for (int k = 0; k < KindCount; ++k) {
        const std::map<std::string, uint64_t> pairs(m_pairs[k].begin(), m_pairs[k].end());
        for (const auto &[pair, c] : pairs)
            if (words[k].count(pair.substr(0, pair.find(' '))))
                out << "P " << k << ' ' << pair << ' ' << c << '\n';
        // a noun seen once or twice in the role never passes minNoun
        const std::map<std::string, uint64_t> nouns(m_nouns[k].begin(), m_nouns[k].end());
        for (const auto &[noun, c] : nouns)
            if (c >= 3)
                out << "N " << k << ' ' << noun << ' ' << c << '\n';
    }
    return bool(out);
}

bool CollocationModel::load(const std::string &path, std::string *error)
{
    for (int k = 0; k < KindCount; ++k) {
        m_pairs[k].clear();
        m_nouns[k].clear();
    }
    m_loaded = false;
    const auto fail = [&](const std::string &why) {
        for (int k = 0; k < KindCount; ++k) {
            m_pairs[k].clear();
            m_nouns[k].clear();
        }
        if (error)
            *error = path + ": " + why;
        return false;
    };
    std::ifstream in(path);
    if (!in)
        return fail("cannot be read");
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string type, first, second, rest;
        int kind = -1;
        long long c = -1;
        fields >> type >> kind;
        const bool pair = type == "P";
        if ((!pair && type != "N") || kind < 0 || kind >= KindCount)
            return fail("line " + std::to_string(lineNo) + " is no pair or noun count");
        fields >> first;
        if (pair)
            fields >> second;
        fields >> c;
        if (!fields || c <= 0 || (fields >> rest))
            return fail("line " + std::to_string(lineNo) + " is malformed");
        if (pair)
            m_pairs[kind][key(first, second)] = uint64_t(c);
        else
            m_nouns[kind][first] = uint64_t(c);
    }
    if (m_nouns[VerbObject].empty() && m_nouns[AdjectiveNoun].empty())
        return fail("holds no counts");
    m_loaded = true;
    return true;
}

uint64_t CollocationModel::count(Kind kind, const std::string &first, const std::string &second) const
{
    const auto it = m_pairs[kind].find(key(first, second));
    return it == m_pairs[kind].end() ? 0 : it->second;
}

uint64_t CollocationModel::nounTotal(Kind kind, const std::string &noun) const
{
    const auto it = m_nouns[kind].find(noun);
    return it == m_nouns[kind].end() ? 0 : it->second;
}

CollocationModel::Verdict CollocationModel::judge(Kind kind, const std::string &first, const std::string &second) const
{
    Verdict v;
    v.written = count(kind, first, second);
    if (v.written > maxWritten || nounTotal(kind, second) < minNoun)
        return v;
    for (const Group &g : groups()) {
        if (g.kind != kind || std::find(g.sources.begin(), g.sources.end(), first) == g.sources.end())
            continue;
        std::set<std::string> words(g.sources.begin(), g.sources.end());
        words.insert(g.targets.begin(), g.targets.end());
        uint64_t total = 0;
        for (const std::string &w : words)
            total += count(kind, w, second);
        std::string best, runnerUp;
        uint64_t bestCount = 0, runnerUpCount = 0;
        for (const std::string &w : g.targets) {
            const uint64_t c = count(kind, w, second);
            if (w == first)
                continue;
            if (c > bestCount) {
                runnerUp = best;
                runnerUpCount = bestCount;
                best = w;
                bestCount = c;
            } else if (c > runnerUpCount) {
                runnerUp = w;
                runnerUpCount = c;
            }
        }
        if (best.empty() || double(bestCount) < minShare * double(total)
            || double(bestCount) < minNounShare * double(nounTotal(kind, second)) || bestCount <= v.suggested)
            continue;
        if (bestCount < minSuggested) {
            // too few counts for the margins above: the written pair never seen, the other
            // one a clear part of the noun's uses, and for verbs only a swap within the
            // learner's own group (do/make), never a rarer verb of the targets
            const bool swap = std::find(g.sources.begin(), g.sources.end(), best) != g.sources.end();
            if (bestCount < minSparse || v.written > 0
                || double(bestCount) < minSparseNounShare * double(nounTotal(kind, second))
                || (kind == VerbObject && !swap))
                continue;
        } else if (double(bestCount) < minRatio * double(v.written + 1)) {
            continue;
        }
        v.better = best;
        v.also = runnerUpCount >= minSparse && double(runnerUpCount) >= minAlsoShare * double(bestCount)
            ? runnerUp
            : std::string();
        v.suggested = bestCount;
        v.sparse = bestCount < minSuggested;
    }
    return v;
}

} // namespace PennovaChecker
