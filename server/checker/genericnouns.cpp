#include "genericnouns.h"

#include "articleslots.h"
#include "rulesupport.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;

const std::string &lowerAt(const std::vector<Token> &t, int i)
{
    static const std::string none;
    return i < 0 || size_t(i) >= t.size() ? none : t[size_t(i)].lower;
}

// exact tags, not prefixes
bool tagIs(const std::vector<std::string> &tags, int i, const char *tag)
{
    return RuleSupport::tagEquals(tags, i, tag);
}

// Nouns that name a part, or a place in an order, of something the reader knows ("the rest",
// "the following", "the end"), and superlatives read as nouns: "the" is right with them anywhere.
const Set &singlingOut()
{
    static const Set s = {"same", "rest", "following", "above", "below", "former", "latter", "top", "bottom",
                          "middle", "end", "beginning", "start", "front", "back", "whole", "majority", "minority",
                          "latest", "last", "first", "next", "most", "least", "best", "worst", "other", "others"};
    return s;
}

// Adjectives that point at a set the reader knows or count it: "the present members", "the
// past few years".
const Set &pinningAdjectives()
{
    static const Set s = {"only", "main", "entire", "aforementioned", "remaining", "respective", "present",
                          "previous", "following", "particular", "certain", "specific", "given", "current",
                          "said", "latter", "former", "very", "usual", "various", "individual", "past", "few",
                          "many", "several", "numerous", "early", "late", "recent", "coming"};
    return s;
}

// Quantities that take "of the" ("many of the people", "one of the problems").
const Set &quantities()
{
    static const Set s = {"all", "both", "half", "some", "any", "many", "much", "most", "few", "several", "none",
                          "one", "each", "either", "neither", "part", "rest", "majority", "minority",
                          "number", "lot", "lots", "plenty", "percent", "kind", "kinds", "type", "types", "sort",
                          "sorts"};
    return s;
}

// Adverbs that may stand between a subject and its verb ("the technology also changes").
const Set &midAdverbs()
{
    static const Set s = {"also", "often", "always", "never", "usually", "still", "really", "sometimes", "even",
                          "already", "generally", "rarely", "seldom", "certainly", "probably"};
    return s;
}

bool finiteVerbAt(const std::vector<Token> &t, const std::vector<std::string> &tags, int i)
{
    static const Set pasts = {"was", "were", "had", "did"};
    return tagIs(tags, i, "VBZ") || tagIs(tags, i, "VBP") || tagIs(tags, i, "MD") || pasts.count(lowerAt(t, i));
}

// Nothing after the head pins the noun down: the sentence or clause ends there, another
// phrase is joined to it, or its verb follows.
bool openAfter(const std::vector<Token> &t, const std::vector<std::string> &tags, int h)
{
    const int n = h + 1;
    if (n >= int(t.size()))
        return true;
    const Token &next = t[size_t(n)];
    if (next.kind == Token::Punct) {
        static const Set ends = {".", ",", ";", ":", "!", "?"};
        return ends.count(next.text) > 0;
    }
    if (next.kind != Token::Word || next.lower.find('\'') != std::string::npos)
        return false;
    if (next.lower == "and" || next.lower == "or" || next.lower == "but") {
        // "the society and culture of China": the "of" pins both; "the research and development
        // approach": the nouns modify another
        int k = n + 1, nouns = 0;
        for (int words = 0; k < int(t.size()) && words < 4; ++k, ++words) {
            if (!(tagIs(tags, k, "DT") || tagIs(tags, k, "JJ") || tagIs(tags, k, "NN") || tagIs(tags, k, "NNS")))
                break;
            nouns += tagIs(tags, k, "NN") || tagIs(tags, k, "NNS");
        }
        return lowerAt(t, k) != "of" && nouns < 2;
    }
    if (finiteVerbAt(t, tags, n))
        return true;
    return midAdverbs().count(next.lower) && finiteVerbAt(t, tags, n + 1);
}

bool namedIn(const std::vector<Token> &t, int end, const std::string &noun, const std::string &lemma)
{
    for (int k = 0; k < end && k < int(t.size()); ++k) {
        const Token &w = t[size_t(k)];
        if (w.kind == Token::Word && (GenericNouns::sameNoun(w.lower, noun) || (!lemma.empty() && w.lemma == lemma)))
            return true;
    }
    return false;
}

} // namespace

bool GenericNouns::sameNoun(const std::string &a, const std::string &b)
{
    if (a == b)
        return !a.empty();
    const std::string &s = a.size() < b.size() ? a : b, &l = a.size() < b.size() ? b : a;
    if (l.compare(0, s.size(), s) == 0) {
        const std::string tail = l.substr(s.size());
        if (tail == "s" || tail == "es")
            return true;
    }
    // "society" and "societies"
    return s.size() > 2 && s.back() == 'y' && l == s.substr(0, s.size() - 1) + "ies";
}

std::vector<GenericNouns::Use> GenericNouns::uses(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                  const std::vector<Token> &previous)
{
    std::vector<Use> out;
    for (const ArticleSlots::Slot &s : ArticleSlots::find(t, tags)) {
        // a plural may have plain adjectives before it ("the young people", "modern technologies");
        // a superlative, comparative, ordinal or noun modifier names one set
        bool plainAdjectives = s.first < s.head && tagIs(tags, s.head, "NNS");
        for (int k = s.first; k < s.head && plainAdjectives; ++k)
            plainAdjectives = tagIs(tags, k, "JJ") && !singlingOut().count(t[size_t(k)].lower)
                && !pinningAdjectives().count(t[size_t(k)].lower);
        if (s.written == ArticleSlots::A || (s.first != s.head && !plainAdjectives)
            || singlingOut().count(t[size_t(s.head)].lower) || !openAfter(t, tags, s.head))
            continue;
        const int before = s.article >= 0 ? s.article - 1 : s.first - 1;
        const std::string p = lowerAt(t, before);
        // "all the people", "many of the people": part of a known set
        if (p == "all" || p == "both" || p == "half"
            || (p == "of" && (quantities().count(lowerAt(t, before - 1)) || tagIs(tags, before - 1, "CD"))))
            continue;
        Use u;
        u.article = s.article;
        u.head = s.head;
        u.withThe = s.written == ArticleSlots::The;
        u.plural = tags[size_t(s.head)] == "NNS";
        u.noun = t[size_t(s.head)].lower;
        u.modified = s.first < s.head;
        // a noun named before is known to the reader
        if (namedIn(t, s.article >= 0 ? s.article : s.first, u.noun, t[size_t(s.head)].lemma)
            || namedIn(previous, int(previous.size()), u.noun, {}))
            continue;
        if (before < 0) {
            u.governor = "^";
        } else if (tagIs(tags, before, "IN") || tagIs(tags, before, "TO")) {
            u.governor = p;
            u.preposition = true;
        } else if (tags[size_t(before)].rfind("VB", 0) == 0) {
            u.governor = t[size_t(before)].lemma.empty() ? p : t[size_t(before)].lemma;
        }
        out.push_back(std::move(u));
    }
    return out;
}

void GenericNouns::add(const Use &use)
{
    if (use.modified) { // one row per noun for every governor
        Counts &c = m_counts[use.noun + " " + modifiedRow()];
        (use.withThe ? c.the : c.bare) += 1;
        return;
    }
    for (const std::string &g : {use.preposition ? std::string() : std::string("*"), use.governor}) {
        if (g.empty())
            continue;
        Counts &c = m_counts[use.noun + " " + g];
        (use.withThe ? c.the : c.bare) += 1;
    }
}

bool GenericNouns::save(const std::string &path, int minCount) const
{
    std::map<std::string, Counts> kept; // sorted, so that the file is the same from run to run
    for (const auto &[key, c] : m_counts)
        if (int(c.total()) >= minCount)
            kept[key] = c;
    std::ofstream out(path);
    if (!out)
        return false;
    out << "# noun governor bare the: how often native text leaves a noun bare or puts \"the\" before it\n"
           "# alone where nothing after it pins it down; governor * = every use not after a preposition,\n"
           "# ^ = the start of the sentence; + = a plural after adjectives, any governor\n";
    for (const auto &[key, c] : kept)
        out << key << ' ' << c.bare << ' ' << c.the << '\n';
    return bool(out);
}

bool GenericNouns::load(const std::string &path, std::string *error)
{
    m_counts.clear();
    const auto fail = [&](const std::string &why) {
        m_counts.clear();
        if (error)
            *error = path + ": " + why;
        return false;
    };
    std::ifstream in(path);
    if (!in)
        return fail("cannot be read");
    constexpr size_t kMaxWord = 64;
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string noun, governor, rest;
        long long bare = -1, the = -1;
        fields >> noun >> governor >> bare >> the;
        // (a noun or governor longer than any word is no count of ours)
        if (!fields || (fields >> rest) || bare < 0 || the < 0 || bare + the == 0 || bare > UINT32_MAX
            || the > UINT32_MAX || noun.size() > kMaxWord || governor.size() > kMaxWord)
            return fail("line " + std::to_string(lineNo) + " is not \"noun governor bare the\"");
        m_counts[noun + " " + governor] = {uint32_t(bare), uint32_t(the)};
    }
    if (m_counts.empty())
        return fail("no counts");
    return true;
}

const std::string &GenericNouns::modifiedRow()
{
    static const std::string row = "+";
    return row;
}

GenericNouns::Counts GenericNouns::counts(const std::string &noun, const std::string &governor) const
{
    const auto it = m_counts.find(noun + " " + governor);
    return it == m_counts.end() ? Counts() : it->second;
}

double GenericNouns::bareShare(const Use &use, int minNoun, int minPair) const
{
    const auto share = [](const Counts &c) { return (c.bare + 1.0) / (c.total() + 2.0); };
    if (use.modified) {
        const Counts c = counts(use.noun, modifiedRow());
        return int(c.total()) < std::max(1, minNoun) ? -1 : share(c);
    }
    const Counts all = counts(use.noun);
    if (use.preposition) {
        const Counts pair = counts(use.noun, use.governor);
        if (int(pair.total()) < std::max(1, minPair))
            return -1;
        if (use.plural)
            return share(pair);
        return int(all.total()) < std::max(1, minPair) ? -1 : std::min(share(pair), share(all));
    }
    if (int(all.total()) < std::max(1, minNoun))
        return -1;
    if (use.governor.empty())
        return share(all);
    // a governor seen a few times moves the noun's share only a little
    constexpr double kWeight = 4.0;
    const Counts g = counts(use.noun, use.governor);
    return (g.bare + kWeight * share(all)) / (g.total() + kWeight);
}

} // namespace PennovaChecker
