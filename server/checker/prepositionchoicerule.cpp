#include "prepositionchoicerule.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <sstream>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Slot = PrepositionSlots::Slot;

} // namespace

bool PrepositionChoiceRule::isTimeWord(const std::string &w)
{
    static const char *const kWords[] = {
        "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday", "weekend", "morning",
        "afternoon", "evening", "night", "day", "week", "month", "year", "time", "moment", "hour", "minute",
        "century", "age", "period", "summer", "winter", "spring", "autumn", "fall", "season", "january",
        "february", "march", "april", "may", "june", "july", "august", "september", "october", "november",
        "december", "holiday", "vacation", "childhood", "future", "past", "end", "beginning", "way"};
    return std::any_of(std::begin(kWords), std::end(kWords), [&](const char *k) { return w == k; });
}

bool PrepositionChoiceRule::load(const std::string &path, std::string *error)
{
    Table table;
    const bool ok = CountsTable::readFile(path, format(), &table, error);
    m_table = std::move(table);
    return ok;
}

const CountsTable::Format &PrepositionChoiceRule::format()
{
    static const CountsTable::Format f = {"pennova-preposition-counts 1", "not a preposition counts file",
                                          "the table's columns are not the checker's prepositions",
                                          PrepositionSlots::classNames(), kMaxRows, kMaxLine,
                                          [](const std::string &key) {
                                              return key.size() >= 3 && key[1] == ':'
                                                  && std::string("VJN").find(key[0]) != std::string::npos;
                                          }};
    return f;
}

bool PrepositionChoiceRule::load(std::istream &in, std::string *error)
{
    Table table;
    const bool ok = CountsTable::read(in, format(), &table, error);
    m_table = std::move(table);
    return ok;
}

bool PrepositionChoiceRule::save(std::ostream &out, const Table &table)
{
    return CountsTable::write(out, format(), table);
}

const PrepositionChoiceRule::Counts *PrepositionChoiceRule::countsOf(const std::string &key) const
{
    const auto it = m_table.find(key);
    return it == m_table.end() ? nullptr : &it->second;
}

int PrepositionChoiceRule::decide(const Counts *counts, const Slot &s, const Gate &gate)
{
    constexpr int kDirect = PrepositionSlots::kDirect;
    if (!counts || counts->size() != size_t(PrepositionSlots::kColumns) || s.column < 0 || s.column > kDirect)
        return -1;
    if ((s.kind == PrepositionSlots::Verb && !gate.verbs) || (s.kind == PrepositionSlots::Adjective && !gate.adjectives)
        || (s.kind == PrepositionSlots::Noun && !gate.nouns))
        return -1;
    double prepositions = 0;
    int best = -1;
    for (int c = 0; c < kDirect; ++c) {
        prepositions += (*counts)[size_t(c)];
        if (best < 0 || (*counts)[size_t(c)] > (*counts)[size_t(best)])
            best = c;
    }
    const double direct = s.kind == PrepositionSlots::Verb ? (*counts)[size_t(kDirect)] : 0.0;
    const double all = prepositions + direct;
    const double written = (*counts)[size_t(s.column)];
    const int by = PrepositionSlots::classOf("by");
    // "with", "for", "to", "from" and "by" open a clause's own phrases after nearly any verb
    // ("handle with care", "answered for him"); these seldom do
    static const int kOwn[] = {PrepositionSlots::classOf("on"), PrepositionSlots::classOf("about"),
                               PrepositionSlots::classOf("of"), PrepositionSlots::classOf("in"),
                               PrepositionSlots::classOf("into")};
    if (s.kind == PrepositionSlots::Verb && std::find(std::begin(kOwn), std::end(kOwn), s.column) != std::end(kOwn)
        && gate.extra && gate.extraMinActive
        && !s.participle && !s.gerund && s.governor > 0 && written == 0) {
        const double active = all - (*counts)[size_t(by)];
        if (active >= gate.extraMinActive && direct >= active * gate.extraMinDirectShare)
            return kDirect;
    }
    if (all < gate.minTotal || written > all * gate.maxWrittenShare)
        return -1;
    if (s.column == kDirect) // missing: the verb never takes its object directly
        return gate.missing && (*counts)[size_t(best)] >= all * gate.minBestShare ? best : -1;
    if (direct >= all * gate.minBestShare) // extra: it nearly always does; a passive has no object to take
        return gate.extra && !s.participle && !s.gerund && s.governor > 0 ? kDirect : -1;
    // choice: among the prepositions after the word; a passive's agent ("dealt by", and as the
    // participle's favourite, "determined by") and a noun's "of" (which follows nearly any noun)
    // are no evidence
    if ((s.participle && (s.column == by || best == by))
        || (s.kind == PrepositionSlots::Noun && best == PrepositionSlots::classOf("of")))
        return -1;
    return prepositions >= gate.minTotal && (*counts)[size_t(best)] >= prepositions * gate.minBestShare ? best : -1;
}

int PrepositionChoiceRule::frameChoice(const Slot &s) const
{
    // "easy to me to understand": before a person and an infinitive native writers put one
    // preposition after nearly every adjective; a written one never seen in the frame, neither
    // after any adjective nor after this one ("foolish of him to"), is the learner's
    if (!s.infinitive)
        return -1;
    const Counts *pooled = countsOf(PrepositionSlots::pooledFrameKey(s));
    if (!pooled || pooled->size() != size_t(PrepositionSlots::kColumns) || s.column < 0
        || s.column >= PrepositionSlots::kDirect || (*pooled)[size_t(s.column)] > 0)
        return -1;
    const Counts *own = countsOf(PrepositionSlots::frameKey(s));
    if (own && own->size() == size_t(PrepositionSlots::kColumns) && (*own)[size_t(s.column)] > 0)
        return -1;
    // an adjective that mostly takes the written one anyway says who may do it ("open to anyone
    // to join")
    const Counts *word = countsOf(PrepositionSlots::key(s));
    if (word && word->size() == size_t(PrepositionSlots::kColumns)) {
        double seen = 0;
        for (int c = 0; c < PrepositionSlots::kDirect; ++c)
            seen += (*word)[size_t(c)];
        if (seen > 0 && (*word)[size_t(s.column)] >= seen * 0.5)
            return -1;
    }
    double all = 0;
    int best = 0;
    for (int c = 0; c < PrepositionSlots::kDirect; ++c) {
        all += (*pooled)[size_t(c)];
        if ((*pooled)[size_t(c)] > (*pooled)[size_t(best)])
            best = c;
    }
    return all >= m_gate.frameMinTotal && (*pooled)[size_t(best)] >= all * m_gate.frameMinBestShare ? best : -1;
}

bool PrepositionChoiceRule::mayAttachElsewhere(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                               const Slot &s)
{
    if (s.object < 0 || size_t(s.object) >= t.size())
        return true;
    const Token &object = t[size_t(s.object)];
    if (object.isCapitalised() || object.kind != Token::Word || tags[size_t(s.object)] == "CD"
        || isTimeWord(object.lemma.empty() ? object.lower : object.lemma))
        return true;
    // an adjective takes its preposition as a predicate ("is proud of", "very keen on"); before
    // its noun or after one ("close with the greatest difference") the phrase may be the clause's
    if (s.kind == PrepositionSlots::Adjective) {
        static const char *const kBefore[] = {"be",   "feel", "become", "seem",  "get",       "look",   "remain",
                                              "very", "so",   "too",    "quite", "really",    "extremely",
                                              "not",  "more", "most",   "less",  "always",    "also",   "rather",
                                              "pretty", "fairly", "completely", "totally", "highly", "particularly"};
        if (s.governor == 0)
            return true;
        const Token &before = t[size_t(s.governor) - 1];
        const std::string &w = before.lemma.empty() ? before.lower : before.lemma;
        if (std::none_of(std::begin(kBefore), std::end(kBefore), [&](const char *k) { return w == k; }))
            return true;
    }
    for (int k = s.governor + 1; k < s.object; ++k)
        if (t[size_t(k)].kind == Token::Number || t[size_t(k)].isCapitalised())
            return true;
    // a bare noun before "of" makes a preposition of its own ("in terms of", "on behalf of")
    if (s.preposition >= 0 && s.object == s.preposition + 1 && size_t(s.object) + 1 < t.size()
        && t[size_t(s.object) + 1].is("of"))
        return true;
    // a bare noun after an adjective's "in" says in what respect ("close in numbers", "rich in oil")
    if (s.kind == PrepositionSlots::Adjective && s.preposition >= 0 && t[size_t(s.preposition)].is("in")
        && s.object == s.preposition + 1)
        return true;
    return false;
}

bool PrepositionChoiceRule::objectFronted(const std::vector<Token> &t, const std::vector<std::string> &tags, int verb)
{
    // back over the verb's auxiliaries, adverbs and subject to what comes before the clause
    int k = verb - 1;
    while (k >= 0
           && (tags[size_t(k)] == "MD" || tags[size_t(k)] == "RB" || tags[size_t(k)] == "TO"
               || tags[size_t(k)].rfind("VB", 0) == 0))
        --k;
    if (k >= 0 && tags[size_t(k)] == "PRP") {
        --k;
        // "the account you gave of it": a noun right before the subject heads a relative clause
        if (k >= 0 && (tags[size_t(k)] == "NN" || tags[size_t(k)] == "NNS"))
            return true;
    }
    for (int j = std::max(0, k - 6); j <= k; ++j) {
        const std::string &w = t[size_t(j)].lower;
        if (w == "what" || w == "which" || w == "that" || w == "who" || w == "whom" || w == "whatever"
            || w == "where")
            return true;
    }
    return false;
}

bool PrepositionChoiceRule::extraStandsAlone(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                             const Slot &s)
{
    // a verb's form after a determiner, a possessive, an adjective or a quantity is the noun
    // ("more influence on them", "the effect on")
    if (s.governor > 0) {
        const std::string &before = tags[size_t(s.governor) - 1];
        const std::string &w = t[size_t(s.governor) - 1].lower;
        if (before == "DT" || before == "PRP$" || before == "POS" || before.rfind("JJ", 0) == 0 || w == "more"
            || w == "less" || w == "most" || w == "much")
            return false;
    }
    // "about" before an amount means roughly ("represent about a quarter")
    if (t[size_t(s.preposition)].is("about") && size_t(s.preposition) + 1 < t.size()) {
        const Token &next = t[size_t(s.preposition) + 1];
        if (tags[size_t(s.preposition) + 1] == "CD" || next.kind == Token::Number || next.is("a") || next.is("an")
            || next.is("half"))
            return false;
    }
    return true;
}

void PrepositionChoiceRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                  std::vector<Finding> *out) const
{
    if (m_table.empty() || tags.size() != t.size())
        return;
    for (const Slot &s : PrepositionSlots::find(t, tags, m_lex)) {
        int choice = frameChoice(s);
        if (choice < 0)
            choice = decide(countsOf(PrepositionSlots::key(s)), s, m_gate);
        if (choice < 0 || mayAttachElsewhere(t, tags, s))
            continue;
        // "elderly needs help from": after an -s verb read as a plural noun the governor is a noun
        const int g = s.governor;
        if (s.kind == PrepositionSlots::Verb && g > 0 && tags[size_t(g) - 1] == "NNS"
            && m_lex.isCommonVerbBase(m_lex.baseOf(t[size_t(g) - 1].lower))
            && m_lex.thirdPerson(m_lex.baseOf(t[size_t(g) - 1].lower)) == t[size_t(g) - 1].lower)
            continue;
        // "need to learning" wants an infinitive, not "need learning"; "what it throws at you"
        // has its object before the verb
        if (choice == PrepositionSlots::kDirect
            && (t[size_t(s.preposition)].is("to") || objectFronted(t, tags, s.governor)))
            continue;
        if (s.preposition >= 0 && choice == PrepositionSlots::kDirect && !extraStandsAlone(t, tags, s))
            continue;
        // another rule's finding on the governor, the preposition or the object settles the case
        const int a = t[size_t(s.governor)].start, b = t[size_t(s.object)].end;
        if (std::any_of(out->begin(), out->end(), [&](const Finding &f) { return f.start < b && a < f.end; }))
            continue;
        const std::string &word = PrepositionSlots::classNames()[size_t(choice)];
        if (s.preposition < 0) {
            out->push_back(R::replace(t, s.governor, s.governor, t[size_t(s.governor)].text + " " + word, "GRAMMAR",
                                      "preposition_missing", 2));
        } else if (choice == PrepositionSlots::kDirect) {
            Finding f;
            if (R::deletion(t, s.preposition, "GRAMMAR", "redundant_preposition", 2, &f))
                out->push_back(f);
        } else {
            out->push_back(R::replace(t, s.preposition, s.preposition, R::caseLike(t[size_t(s.preposition)], word),
                                      "GRAMMAR", "preposition_choice", 2));
        }
    }
}

} // namespace PennovaChecker
