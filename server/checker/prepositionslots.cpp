#include "prepositionslots.h"

#include "lexicon.h"

#include <algorithm>

namespace PennovaChecker {

namespace {

bool startsWith(const std::string &s, const char *p) { return s.rfind(p, 0) == 0; }

bool plainWord(const Token &t)
{
    return t.kind == Token::Word && !t.lower.empty()
        && t.lower.find_first_not_of("abcdefghijklmnopqrstuvwxyz-") == std::string::npos;
}

bool objectPronoun(const std::string &w)
{
    static const char *const kWords[] = {"me", "him", "her", "us", "them", "it", "you", "this", "these", "those",
                                         "everyone", "everything", "something", "someone", "anything", "anyone"};
    return std::any_of(std::begin(kWords), std::end(kWords), [&](const char *k) { return w == k; });
}

// a person as a bare object: who something is easy for, or who someone is kind to
bool personObject(const std::string &w)
{
    static const char *const kWords[] = {"me", "him", "her", "us", "them", "you", "people", "everyone",
                                         "everybody", "anyone", "anybody", "someone", "somebody", "others"};
    return std::any_of(std::begin(kWords), std::end(kWords), [&](const char *k) { return w == k; });
}

bool particle(const std::string &w)
{
    static const char *const kWords[] = {"up", "down", "out", "off", "in", "on", "over", "back", "away"};
    return std::any_of(std::begin(kWords), std::end(kWords), [&](const char *k) { return w == k; });
}

// adjectives that quantify or compare what follows rather than take a preposition of their own
bool quantifier(const std::string &w)
{
    static const char *const kWords[] = {"much", "many", "more", "most", "less", "least", "few", "fewer",
                                         "enough", "same", "other", "such", "own", "several", "last",
                                         "first", "next", "whole", "various", "certain", "only"};
    return std::any_of(std::begin(kWords), std::end(kWords), [&](const char *k) { return w == k; });
}

} // namespace

const std::vector<std::string> &PrepositionSlots::classNames()
{
    static const std::vector<std::string> names = {"of",   "in",    "to", "for",  "on",   "with", "at",
                                                   "from", "about", "by", "into", "over", "-"};
    return names;
}

int PrepositionSlots::classOf(const std::string &lower)
{
    const std::vector<std::string> &names = classNames();
    const auto it = std::find(names.begin(), names.begin() + kDirect, lower);
    return it == names.begin() + kDirect ? -1 : int(it - names.begin());
}

std::string PrepositionSlots::key(const Slot &s)
{
    static const char kinds[] = {'V', 'J', 'N'};
    return std::string(1, kinds[s.kind]) + ":" + s.lemma;
}

std::string PrepositionSlots::frameKey(const Slot &s)
{
    return s.kind == Adjective && s.infinitive ? "J:" + s.lemma + "+i" : std::string();
}

std::string PrepositionSlots::pooledFrameKey(const Slot &s)
{
    return s.kind == Adjective && s.infinitive ? std::string("J:+i") : std::string();
}

int PrepositionSlots::objectHead(const std::vector<Token> &t, const std::vector<std::string> &tags, int i)
{
    const int n = int(t.size());
    int o = i;
    while (o < n && o < i + 5
           && (tags[size_t(o)] == "DT" || tags[size_t(o)] == "PRP$" || startsWith(tags[size_t(o)], "JJ")
               || tags[size_t(o)] == "CD" || tags[size_t(o)] == "PDT" || tags[size_t(o)] == "POS"
               || (startsWith(tags[size_t(o)], "NN") && o + 1 < n && startsWith(tags[size_t(o) + 1], "NN"))))
        ++o;
    if (o >= n)
        return -1;
    const std::string &tag = tags[size_t(o)];
    if (startsWith(tag, "NN") || tag == "VBG" || tag == "CD" || (tag == "PRP" && objectPronoun(t[size_t(o)].lower)))
        return o;
    if (o > i && tags[size_t(o) - 1] == "DT") // "this", "those" on their own
        return o - 1;
    return -1;
}

std::vector<PrepositionSlots::Slot> PrepositionSlots::find(const std::vector<Token> &t,
                                                           const std::vector<std::string> &tags,
                                                           const Lexicon &lexicon)
{
    std::vector<Slot> out;
    if (tags.size() != t.size())
        return out;
    const int n = int(t.size());
    for (int g = 0; g + 1 < n; ++g) {
        const Token &gov = t[size_t(g)];
        const std::string &gtag = tags[size_t(g)];
        if (!plainWord(gov) || (g > 0 && gov.isCapitalised()) || lexicon.isAuxiliary(gov.lower))
            continue;
        Slot s;
        s.governor = g;
        s.lemma = gov.lemma.empty() ? gov.lower : gov.lemma;
        if (startsWith(gtag, "VB")) {
            s.kind = Verb;
            s.participle = gtag == "VBN";
            s.gerund = gtag == "VBG";
        }
        else if (gtag == "JJ" && !quantifier(gov.lower))
            s.kind = Adjective;
        else if (gtag == "NN" || gtag == "NNS")
            s.kind = Noun;
        else
            continue;
        const int p = g + 1;
        const Token &next = t[size_t(p)];
        if (!next.spaceBefore)
            continue;
        const int column = next.kind == Token::Word ? classOf(next.lower) : -1;
        if (column >= 0) {
            const std::string &ptag = tags[size_t(p)];
            // "to" before a verb is an infinitive's; a particle ("look up") is the verb's own
            if (ptag != "IN" && !(ptag == "TO" && p + 1 < n && tags[size_t(p) + 1] != "VB"))
                continue;
            const int o = objectHead(t, tags, p + 1);
            if (o < 0)
                continue; // a stranded preposition ("the house we looked at") or a clause
            s.preposition = p;
            s.object = o;
            s.column = column;
            // "up to them to decide": a particle read as an adjective takes no person frame
            if (s.kind == Adjective && o == p + 1 && personObject(t[size_t(o)].lower) && !particle(gov.lower)) {
                s.person = true;
                s.infinitive = o + 2 < n && t[size_t(o) + 1].is("to") && tags[size_t(o) + 2] == "VB";
            }
            out.push_back(s);
        } else if (s.kind == Verb && gtag != "VBN" && gtag != "VBG") {
            // the object right after an active verb ("discuss the plan"); a participle may be
            // an adjective ("the money paid them") or a noun ("reading books")
            const int o = objectHead(t, tags, p);
            if (o < 0 || (tags[size_t(p)] != "DT" && tags[size_t(p)] != "PRP$" && tags[size_t(p)] != "PRP"
                          && !startsWith(tags[size_t(p)], "NN")))
                continue;
            if (tags[size_t(p)] == "PRP" && !objectPronoun(next.lower))
                continue;
            if (o + 1 < n && (startsWith(tags[size_t(o) + 1], "VB") || tags[size_t(o) + 1] == "MD"))
                continue; // the subject of a clause ("think the plan works")
            s.object = o;
            s.column = kDirect;
            out.push_back(s);
        }
    }
    return out;
}

} // namespace PennovaChecker
