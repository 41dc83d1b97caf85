#include "tenserules.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <unordered_map>

#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;
using R = RuleSupport;

const Set &lastWhat()
{
    static const Set s = {"week", "month", "year", "night", "summer", "winter", "spring", "autumn", "fall",
                          "weekend", "semester", "term", "holiday", "holidays", "vacation", "century", "decade",
                          "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday", "january",
                          "february", "march", "april", "june", "july", "august", "september", "october",
                          "november", "december", "christmas", "time"};
    return s;
}

const Set &timeUnits()
{
    static const Set s = {"year", "years", "month", "months", "week", "weeks", "day", "days", "hour", "hours",
                          "minute", "minutes", "decade", "decades", "century", "centuries"};
    return s;
}

const Set &amounts()
{
    static const Set s = {"a", "an", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten",
                          "eleven", "twelve", "twenty", "fifty", "hundred", "several", "many", "few", "some",
                          "couple"};
    return s;
}

// Words that put a sentence into the present or the future whatever else it says.
const Set &presentMarkers()
{
    static const Set s = {"now", "today", "nowadays", "every", "usually", "always", "often", "still", "currently",
                          "tomorrow", "next", "since", "until", "sometimes", "generally", "these", "ever", "never",
                          "recently", "already", "yet"};
    return s;
}

// Verbs whose present is right beside a past-time phrase ("I remember last year").
const Set &reportingVerbs()
{
    static const Set s = {"think", "thinks", "believe", "believes", "know", "knows", "remember", "remembers",
                          "hope", "hopes", "guess", "suppose", "mean", "means", "say", "says", "wonder", "feel",
                          "feels", "show", "shows", "see", "recall", "recalls", "forget", "regret", "miss", "doubt",
                          "expect", "seem", "seems", "wish", "imagine", "find", "finds", "hear", "understand",
                          "realize", "realise", "agree", "bet"};
    return s;
}

// Length of a past-time phrase at i ("yesterday", "last year", "three years ago",
// "when I was young"); 0 when none begins there.
int pastMarkerAt(const std::vector<Token> &t, int i)
{
    const std::string w = R::lowerAt(t, i);
    // a point of comparison ("taller than last year"), a noun's time ("the events of last
    // year") or a title ("the novel Two Years Ago") does not date the clause
    const std::string previous = R::lowerAt(t, i - 1);
    if (previous == "than" || previous == "of" || (t[size_t(i)].isCapitalised() && !previous.empty()))
        return 0;
    if (w == "yesterday")
        return 1;
    // "over last year", "in last decade": a period up to now that lost its "the"
    static const std::unordered_set<std::string> spanning = {"over", "within", "throughout", "for"};
    static const std::unordered_set<std::string> periods = {"decade", "century", "few", "several", "couple"};
    const bool period = spanning.count(previous) || ((previous == "in" || previous == "during")
                                                     && periods.count(R::lowerAt(t, i + 1)));
    if (w == "last" && lastWhat().count(R::lowerAt(t, i + 1)) && previous != "the" && previous != "this" && !period)
        return 2;
    if ((amounts().count(w) || (i < int(t.size()) && t[size_t(i)].kind == Token::Number))
        && timeUnits().count(R::lowerAt(t, i + 1)) && R::lowerAt(t, i + 2) == "ago")
        return 3;
    // "long ago", "a long time ago", "in my childhood", "in the old days"
    if (w == "long" && R::lowerAt(t, i + 1) == "ago")
        return 2;
    if (w == "a" && R::lowerAt(t, i + 1) == "long" && R::lowerAt(t, i + 2) == "time" && R::lowerAt(t, i + 3) == "ago")
        return 4;
    if (w == "in" && R::lowerAt(t, i + 2) == "childhood" && (R::lowerAt(t, i + 1) == "my" || R::lowerAt(t, i + 1) == "his"
                                                           || R::lowerAt(t, i + 1) == "her" || R::lowerAt(t, i + 1) == "our"))
        return 3;
    if (w == "in" && R::lowerAt(t, i + 1) == "the" && R::lowerAt(t, i + 2) == "old" && R::lowerAt(t, i + 3) == "days")
        return 4;
    // "in the past," "at that time", "in those days", "in 2010": not "in the past few years"
    // ("than in the past" compares the present with it)
    const std::string before = R::lowerAt(t, i - 1);
    if (w == "in" && R::lowerAt(t, i + 1) == "the" && R::lowerAt(t, i + 2) == "past" && before != "than"
        && before != "as" && before != "like" && (i + 3 >= int(t.size()) || t[size_t(i) + 3].kind == Token::Punct))
        return 3;
    if ((w == "at" && R::lowerAt(t, i + 1) == "that" && R::lowerAt(t, i + 2) == "time")
        || (w == "in" && R::lowerAt(t, i + 1) == "those" && (R::lowerAt(t, i + 2) == "days" || R::lowerAt(t, i + 2) == "years")))
        return 3;
    if (w == "in" && i + 1 < int(t.size()) && t[size_t(i) + 1].kind == Token::Number && t[size_t(i) + 1].text.size() == 4
        && (t[size_t(i) + 1].text.compare(0, 2, "19") == 0 || t[size_t(i) + 1].text.compare(0, 3, "200") == 0
            || t[size_t(i) + 1].text.compare(0, 3, "201") == 0))
        return 2;
    if (w == "when" && R::isSubjectPronoun(R::lowerAt(t, i + 1)) && (R::lowerAt(t, i + 2) == "was" || R::lowerAt(t, i + 2) == "were")) {
        static const Set states = {"young", "little", "small", "a", "in", "at", "younger"};
        if (states.count(R::lowerAt(t, i + 3)) || amounts().count(R::lowerAt(t, i + 3))
            || (i + 3 < int(t.size()) && t[size_t(i) + 3].kind == Token::Number))
            return 3;
    }
    return 0;
}

bool isBoundary(const std::vector<Token> &t, int i)
{
    // "my friends and I go", "I and my friends go": "and" beside "I" joins a subject, not two clauses
    if ((t[size_t(i)].lower == "and" || t[size_t(i)].lower == "or") && i > 0 && t[size_t(i) - 1].kind == Token::Word
        && (R::lowerAt(t, i + 1) == "i" || R::lowerAt(t, i + 1) == "me" || R::lowerAt(t, i - 1) == "i"))
        return false;
    return R::clauseBoundary(t[size_t(i)]);
}

} // namespace

std::string TenseRules::pastOf(const std::string &w) const
{
    static const std::pair<const char *, const char *> fixed[] = {
        {"am", "was"}, {"is", "was"}, {"are", "were"}, {"have", "had"}, {"has", "had"}, {"do", "did"},
        {"does", "did"}, {"don't", "didn't"}, {"doesn't", "didn't"}, {"isn't", "wasn't"}, {"aren't", "weren't"},
        {"can", "could"}, {"can't", "couldn't"}, {"will", "would"}, {"won't", "wouldn't"}, {"been", ""}};
    for (const auto &[from, to] : fixed)
        if (w == from)
            return to;
    // a past of one verb that is the base of another: "I lay down yesterday" (lie), "found" (find)
    static const Set pastOfAnother = {"lay", "found", "saw", "fell", "wound", "ground", "bound"};
    if (pastOfAnother.count(w))
        return {};
    const std::string base = m_lex.baseOf(w);
    if (base.empty() || base == "be")
        return {};
    return m_lex.pastOf(base);
}

std::string TenseRules::presentFor(const std::string &base, bool thirdSingular, bool firstSingular) const
{
    if (base == "be")
        return firstSingular ? "am" : thirdSingular ? "is" : "are";
    return thirdSingular ? m_lex.thirdPerson(base) : base;
}

void TenseRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const
{
    presentWithPastMarker(t, tags, out);
    willInCondition(t, tags, out);
    sinceWithLength(t, out);
    presentWithSince(t, tags, out);
    pastWithSince(t, tags, out);
    presentWithBefore(t, tags, out);
    wishPresent(t, out);
}

void TenseRules::sinceChildhood(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                std::vector<Finding> *out) const
{
    // "Since I was a child, I like reading" -> "I have liked": a clause naming a time of life
    // opens a state that runs up to now
    static const Set childhood = {"child", "kid", "young", "little", "small", "boy", "girl", "baby", "teenager"};
    const int n = int(t.size());
    if (n < 7 || t[0].lower != "since" || !R::tagIs(tags, 1, "PRP")
        || (R::lowerAt(t, 2) != "was" && R::lowerAt(t, 2) != "were"))
        return;
    int comma = -1;
    for (int k = 3; k < n && k <= 6; ++k) {
        if (t[size_t(k)].text == ",") {
            comma = k;
            break;
        }
        if (!childhood.count(t[size_t(k)].lower) && !R::tagIs(tags, k, "DT") && !R::tagIs(tags, k, "RB"))
            return;
    }
    if (comma < 0 || !childhood.count(R::lowerAt(t, comma - 1)))
        return;
    const int s = comma + 1, v = comma + 2;
    const std::string subject = R::lowerAt(t, s);
    const std::string w = R::lowerAt(t, v);
    if (!R::tagIs(tags, s, "PRP") || subject == "it" || !(R::tagIs(tags, v, "VBP") || R::tagIs(tags, v, "VBZ")))
        return;
    const bool third = R::isThirdSingularPronoun(subject);
    const std::string base = (w == "am" || w == "is" || w == "are") ? "be" : m_lex.baseOf(w).empty() ? w : m_lex.baseOf(w);
    if (!m_lex.isCommonVerbBase(base) && base != "be")
        return;
    const std::string participle = base == "be" ? "been" : m_lex.participleOf(base);
    if (participle.empty() || w == "have" || w == "has")
        return;
    out->push_back(R::replace(t, v, v, (third ? "has " : "have ") + participle, "GRAMMAR", "tense_since_perfect", 2));
}

void TenseRules::presentWithSince(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                  std::vector<Finding> *out) const
{
    static const Set points = {"last", "then", "childhood", "birth", "yesterday", "january", "february", "march",
                               "april", "may", "june", "july", "august", "september", "october", "november",
                               "december"};
    sinceChildhood(t, tags, out);
    for (int k = 1; k + 1 < int(t.size()); ++k) {
        if (t[size_t(k)].lower != "since")
            continue;
        // a point in time after it, not a reason ("since I am ill")
        const Token &p = t[size_t(k) + 1];
        const bool year = p.kind == Token::Number && p.text.size() == 4;
        if (!year && !(points.count(p.lower) && !p.isCapitalised()) && !(p.lower == "may" && p.isCapitalised()))
            continue;
        int v = k - 1;
        while (v >= 0 && !R::clauseBoundary(t[size_t(v)]) && !(R::tagIs(tags, v, "VBZ") || R::tagIs(tags, v, "VBP")))
            --v;
        if (v < 1 || R::clauseBoundary(t[size_t(v)]))
            continue;
        const std::string &w = t[size_t(v)].lower;
        int s = v - 1;
        if (R::tagIs(tags, s, "RB"))
            --s;
        const std::string subject = R::lowerAt(t, s);
        // "I am living here since 2010" -> "have been living"
        const bool progressive = (w == "am" || w == "is" || w == "are") && R::tagIs(tags, v + 1, "VBG")
            && t[size_t(v) + 1].lower != "going";
        if (!(R::tagIs(tags, s, "PRP") || R::tagIs(tags, s, "NN")) || (subject == "it" && !progressive) || subject == "there"
            || w == "have" || w == "has" || R::tagIs(tags, v + 1, "VBN") || (R::tagIs(tags, v + 1, "VBG") && !progressive))
            continue; // "It is two years since ...", perfects and progressives
        const bool third = R::isThirdSingularPronoun(subject) || (R::tagIs(tags, s, "NN") && !R::tagIs(tags, s, "NNS"));
        if (progressive) {
            out->push_back(R::replace(t, v, v + 1, (third ? "has been " : "have been ") + t[size_t(v) + 1].text,
                                      "GRAMMAR", "tense_since_perfect", 2));
            continue;
        }
        const std::string base = (w == "am" || w == "is" || w == "are") ? "be" : m_lex.baseOf(w);
        const std::string participle = base == "be" ? "been" : base.empty() ? std::string() : m_lex.participleOf(base);
        if (participle.empty())
            continue;
        out->push_back(R::replace(t, v, v, (third ? "has " : "have ") + participle, "GRAMMAR", "tense_since_perfect", 2));
    }
}

// The perfect for a simple past verb at v whose clause runs from a point in time up to now
// ("The population increased since 2000", "Since then, prices rose"); "has"/"have" from the
// word before the verb. Empty when the verb is no plain past of a known verb.
std::string TenseRules::perfectOfPast(const std::vector<Token> &t, const std::vector<std::string> &tags, int v) const
{
    const std::string &w = t[size_t(v)].lower;
    if (!R::tagIs(tags, v, "VBD") || w == "had" || w == "did" || (!m_lex.isPastForm(w) && w != "was" && w != "were"))
        return {};
    int s = v - 1;
    if (R::tagIs(tags, s, "RB"))
        --s;
    const std::string subject = R::lowerAt(t, s);
    const bool plural = R::tagIs(tags, s, "NNS") || w == "were" || subject == "they" || subject == "we"
        || subject == "i" || subject == "you" || subject == "people" || subject == "children";
    if (!(R::tagIs(tags, s, "NN") || R::tagIs(tags, s, "PRP")) || subject == "there")
        return {};
    const std::string base = (w == "was" || w == "were") ? "be" : m_lex.baseOfPast(w);
    const std::string participle = base == "be" ? "been" : base.empty() ? std::string() : m_lex.participleOf(base);
    if (participle.empty())
        return {};
    return (plural ? "have " : "has ") + participle;
}

void TenseRules::pastWithSince(const std::vector<Token> &t, const std::vector<std::string> &tags,
                               std::vector<Finding> *out) const
{
    static const Set points = {"then", "childhood", "birth"};
    // "the highest level since 2008", "the first time since then": a superlative or an
    // ordinal looks back from its own time and keeps the past
    static const Set ranks = {"first", "last", "only", "next", "second", "third"};
    const int n = int(t.size());
    for (int k = 0; k + 1 < n; ++k) {
        if (t[size_t(k)].lower != "since" || (k > 0 && R::lowerAt(t, k - 1) == "ever" && k == 1))
            continue;
        const Token &p = t[size_t(k) + 1];
        const bool year = p.kind == Token::Number && p.text.size() == 4;
        const bool last = p.lower == "last" && (R::lowerAt(t, k + 2) == "year" || R::lowerAt(t, k + 2) == "month"
                                                || R::lowerAt(t, k + 2) == "week" || R::lowerAt(t, k + 2) == "decade");
        if (!year && !last && !points.count(p.lower))
            continue;
        bool ranked = false;
        int v = -1;
        const bool opener = k == 0 || (k == 1 && t[0].lower == "ever");
        if (opener) {
            // "Since 2000, the population increased": the first verb after the comma
            int c = k + 2;
            while (c < n && t[size_t(c)].text != "," && c <= k + 4)
                ++c;
            if (c >= n || t[size_t(c)].text != ",")
                continue;
            for (int j = c + 1; j < n && !R::clauseBoundary(t[size_t(j)]); ++j) {
                ranked = ranked || R::tagIs(tags, j, "JJS") || R::tagIs(tags, j, "RBS") || ranks.count(t[size_t(j)].lower);
                if (R::tagIs(tags, j, "VB") || R::tagIs(tags, j, "MD")) {
                    v = j;
                    break;
                }
            }
        } else {
            // "The population increased rapidly since 2000": the nearest verb before it
            for (int j = k - 1; j >= 0 && !R::clauseBoundary(t[size_t(j)]); --j) {
                ranked = ranked || R::tagIs(tags, j, "JJS") || R::tagIs(tags, j, "RBS") || ranks.count(t[size_t(j)].lower);
                if (R::tagIs(tags, j, "VB") || R::tagIs(tags, j, "MD")) {
                    v = j;
                    break;
                }
            }
        }
        if (v < 0 || ranked)
            continue;
        const std::string perfect = perfectOfPast(t, tags, v);
        if (!perfect.empty())
            out->push_back(R::replace(t, v, v, perfect, "GRAMMAR", "tense_since_perfect", 2));
    }
}

void TenseRules::presentWithBefore(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                   std::vector<Finding> *out) const
{
    const int n = int(t.size());
    for (int k = 3; k < n; ++k) {
        // "before" closing its clause: an adverb reaching up to now ("the day before", "as
        // before" and "than before" look back from another time or compare)
        if (t[size_t(k)].lower != "before" || (k + 1 < n && t[size_t(k) + 1].kind != Token::Punct))
            continue;
        const std::string prev = R::lowerAt(t, k - 1);
        if (prev == "as" || prev == "than" || prev == "ever" || prev == "long" || prev == "just" || prev == "shortly"
            || prev == "day" || prev == "week" || prev == "month" || prev == "year" || prev == "night" || prev == "time"
            || R::tagIs(tags, k - 1, "CD"))
            continue;
        int v = k - 1;
        while (v > 0 && !R::clauseBoundary(t[size_t(v)]) && !(R::tagIs(tags, v, "VBZ") || R::tagIs(tags, v, "VBP")))
            --v;
        if (v < 2 || R::clauseBoundary(t[size_t(v)]) || t[size_t(v) - 1].lower != "never")
            continue;
        const std::string &w = t[size_t(v)].lower;
        const int s = v - 2;
        const std::string subject = R::lowerAt(t, s);
        if (!R::tagIs(tags, s, "PRP") || subject == "it" || subject == "you" || (s > 0 && !R::clauseBoundary(t[size_t(s) - 1])
                                                                                  && t[size_t(s) - 1].kind == Token::Word))
            continue; // a pronoun opening its clause ("If you never ...", "what it never ...")
        if (w == "have" || w == "has" || w == "am" || w == "is" || w == "are")
            continue;
        bool other = false; // another verb between: "I never know what I did before"
        for (int j = v + 1; j < k; ++j)
            other = other || R::tagIs(tags, j, "VB") || R::tagIs(tags, j, "MD") || R::clauseBoundary(t[size_t(j)]);
        const std::string base = m_lex.baseOf(w).empty() ? w : m_lex.baseOf(w);
        const std::string participle = m_lex.participleOf(base);
        if (other || participle.empty() || !m_lex.isCommonVerbBase(base))
            continue;
        const bool third = R::isThirdSingularPronoun(subject);
        out->push_back(R::replace(t, v - 1, v, (third ? "has never " : "have never ") + participle, "GRAMMAR",
                                  "tense_experience_perfect", 2));
    }
}

void TenseRules::wishPresent(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const std::unordered_map<std::string, std::string> past = {{"can", "could"}, {"will", "would"},
                                                                      {"can't", "couldn't"}, {"won't", "wouldn't"}};
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        const std::string &w = t[size_t(i)].lower;
        if (w != "wish" && w != "wishes" && w != "wished")
            continue;
        // "I wish (that) I can": the pronoun subject follows at once
        int s = RuleSupport::nextWord(t, i);
        if (RuleSupport::lowerAt(t, s) == "that")
            s = RuleSupport::nextWord(t, s);
        if (s < 0 || !RuleSupport::isSubjectPronoun(t[size_t(s)].lower))
            continue;
        const int m = RuleSupport::nextWord(t, s);
        auto it = m < 0 ? past.end() : past.find(t[size_t(m)].lower);
        if (it != past.end())
            out->push_back(RuleSupport::replace(t, m, m, it->second, "GRAMMAR", "wish_past", 2));
    }
}

void TenseRules::presentWithPastMarker(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                       std::vector<Finding> *out) const
{
    const int n = int(t.size());
    int marker = -1, length = 0;
    for (int i = 0; i < n; ++i) {
        if (t[size_t(i)].kind == Token::Punct && (t[size_t(i)].text == "\"" || t[size_t(i)].text == "?"))
            return; // quoted speech and questions keep their own tenses
        if (presentMarkers().count(t[size_t(i)].lower) || t[size_t(i)].lower == "will" || t[size_t(i)].lower == "'ll")
            return;
        if (marker < 0 && (length = pastMarkerAt(t, i)) > 0)
            marker = i;
    }
    if (marker < 0)
        return;
    // The clause that holds the marker; a marker that opens the sentence or is a
    // when-clause of its own governs the next clause instead.
    int from = marker, to = marker + length - 1;
    while (from > 0 && !isBoundary(t, from - 1))
        --from;
    while (to + 1 < n && !isBoundary(t, to + 1))
        ++to;
    const bool whenClause = R::lowerAt(t, marker) == "when";
    if ((whenClause || (from == marker && to == marker + length - 1)) && to + 1 < n && t[size_t(to) + 1].text == ",") {
        from = to + 2;
        to = from;
        while (to + 1 < n && !isBoundary(t, to + 1))
            ++to;
    } else if (whenClause) {
        to = from - 2; // "I like it when I was a child": the clause before
        from = to;
        while (from > 0 && !isBoundary(t, from - 1))
            --from;
    }
    for (int v = std::max(0, from); v <= to && v < n; ++v) {
        if (v >= marker && v < marker + length)
            continue;
        const Token &tok = t[size_t(v)];
        if (tok.kind != Token::Word)
            continue;
        // the tagger may call a present verb after a noun subject a base form ("my mother buy",
        // "my mother always tell")
        const int before = R::tagIs(tags, v - 1, "RB") && v - 1 > from ? v - 2 : v - 1;
        const bool present = R::tagIs(tags, v, "VBZ") || R::tagIs(tags, v, "VBP")
            || (tags[size_t(v)] == "VB" && (R::tagIs(tags, before, "NN") || R::isThirdSingularPronoun(R::lowerAt(t, before)))
                && m_lex.isCommonVerbBase(tok.lower));
        // "Last night I can't sleep" -> "couldn't"
        static const std::unordered_map<std::string, std::string> canPast = {
            {"can", "could"}, {"can't", "couldn't"}, {"cannot", "could not"}};
        const auto can = canPast.find(tok.lower);
        if (can != canPast.end() && (R::tagIs(tags, v - 1, "PRP") || R::tagIs(tags, v - 1, "NN"))
            && R::lowerAt(t, v - 1) != "there" && !tok.isCapitalised()) {
            out->push_back(R::replace(t, v, v, can->second, "GRAMMAR", "tense_past_time", 2));
            return;
        }
        if (R::tagIs(tags, v, "VBD") || R::tagIs(tags, v, "MD"))
            return; // the clause has a past or modal verb of its own
        if (!present)
            continue;
        // the subject right before it (one adverb may stand between)
        int s = v - 1;
        if (s >= 0 && R::tagIs(tags, s, "RB") && s > from)
            --s;
        if (s < 0 || !(R::tagIs(tags, s, "PRP") || R::tagIs(tags, s, "NN")) || R::lowerAt(t, s) == "there")
            return;
        // (a base form after "he" or a singular noun agrees with nothing, so it cannot be a
        // present of reporting: "He tell me yesterday")
        const bool disagrees = !R::tagIs(tags, v, "VBZ") && m_lex.isCommonVerbBase(tok.lower)
            && (R::isThirdSingularPronoun(R::lowerAt(t, s))
                || (R::tagIs(tags, s, "NN") && !R::tagIs(tags, s, "NNS") && !R::tagIs(tags, s, "NNP")));
        if ((reportingVerbs().count(tok.lower) && !disagrees) || tok.isCapitalised())
            return;
        // "In 2007, Bartley accepts ...": stories and news tell the past in the present; a year
        // marks the past only for the writer's own "I"/"we"
        // (a base form after a singular noun agrees with nothing: "In 2010, my father buy a car")
        const bool bareAfterSingular = R::tagIs(tags, s, "NN") && !R::tagIs(tags, s, "NNS") && !R::tagIs(tags, s, "NNP")
            && !R::tagIs(tags, v, "VBZ") && m_lex.isCommonVerbBase(tok.lower);
        if (marker + 1 < n && t[size_t(marker) + 1].kind == Token::Number && R::lowerAt(t, marker) == "in" && R::lowerAt(t, s) != "i"
            && R::lowerAt(t, s) != "we" && !bareAfterSingular)
            return;
        if ((tok.lower == "have" || tok.lower == "has") && R::tagIs(tags, v + 1, "VBN")) {
            // present perfect with a finished time: "have visited it yesterday" -> "visited"
            const std::string participle = R::lowerAt(t, v + 1);
            const bool plural = R::lowerAt(t, s) == "we" || R::lowerAt(t, s) == "they" || R::lowerAt(t, s) == "you"
                || R::tagIs(tags, s, "NNS");
            const std::string past = participle == "been" ? (plural ? "were" : "was") : pastOf(participle);
            if (!past.empty())
                out->push_back(R::replace(t, v, v + 1, past, "GRAMMAR", "tense_perfect_finished", 2));
            return;
        }
        const std::string past = pastOf(tok.lower);
        if (past.empty())
            return;
        out->push_back(R::replace(t, v, v, past, "GRAMMAR", "tense_past_time", 2));
        return;
    }
}

void TenseRules::willInCondition(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                 std::vector<Finding> *out) const
{
    static const Set openers = {"if", "unless", "when", "once", "until", "till", "before", "after"};
    // the last word of the conjunction that starts at k: "when", "as soon as", "by the time",
    // "the next time", "the moment" (not "at the moment"); -1 when none does
    const auto openerEnd = [&](int k) {
        const auto at = [&](int j) { return R::lowerAt(t, j); };
        if (openers.count(at(k)))
            return k;
        if ((at(k) == "as" && (at(k + 1) == "soon" || at(k + 1) == "long") && at(k + 2) == "as")
            || (at(k) == "by" && at(k + 1) == "the" && at(k + 2) == "time")
            || (at(k) == "the" && at(k + 1) == "next" && at(k + 2) == "time"))
            return k + 2;
        if (at(k) == "the" && at(k + 1) == "moment" && at(k - 1) != "at" && at(k - 1) != "for" && at(k - 1) != "from")
            return k + 1;
        return -1;
    };
    // a clause that opens the sentence ("I wonder if he will come" is right) ...
    int i = 0;
    while (i < int(t.size()) && t[size_t(i)].kind != Token::Word)
        ++i;
    if (R::lowerAt(t, i) == "and" || R::lowerAt(t, i) == "but" || R::lowerAt(t, i) == "even")
        ++i;
    if (openerEnd(i) >= 0)
        willInClause(t, tags, openerEnd(i), out);
    // ... or one after a main clause in the future with no verb of knowing or asking:
    // "I will call you when I will arrive" ("I will ask when he will come" is a question)
    static const Set questionWords = {"know", "knows", "knew", "tell", "told", "ask", "asked", "asks", "wonder",
                                      "wondered", "sure", "idea", "decide", "decided", "remember", "say", "said",
                                      "explain", "see", "find", "check", "unclear", "clear", "question", "doubt",
                                      "predict", "guess", "imagine", "learn", "show", "certain"};
    // (a command is about the time to come too: "Wait here until I finish")
    bool future = tags.size() > size_t(i) && tags[size_t(i)] == "VB" && m_lex.isCommonVerbBase(R::lowerAt(t, i))
        && R::lowerAt(t, i) != "do" && R::lowerAt(t, i) != "let" && !questionWords.count(R::lowerAt(t, i));
    for (int k = i + 1; k + 1 < int(t.size()); ++k) {
        const std::string &w = t[size_t(k)].lower;
        if (questionWords.count(w))
            return;
        if (w == "will" || w == "'ll" || w == "won't" || w == "shall") {
            future = true;
        } else if (future && openerEnd(k) >= 0 && R::prevWord(t, k) >= 0) {
            willInClause(t, tags, openerEnd(k), out);
            k = openerEnd(k);
        }
    }
}

void TenseRules::willInClause(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                              std::vector<Finding> *out) const
{
    const bool conditional = R::lowerAt(t, i) == "if" || R::lowerAt(t, i) == "unless";
    // the subject: a pronoun, or a short noun phrase
    int s = i + 1, head = -1;
    for (int k = s; k < int(t.size()) && k <= s + 3; ++k) {
        if (R::tagIs(tags, k, "PRP") || R::tagIs(tags, k, "NN")) {
            head = k;
            if (R::tagIs(tags, k, "PRP"))
                break;
        } else if (!(R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "PRP$") || R::tagIs(tags, k, "JJ")
                     || R::tagIs(tags, k, "CD"))) {
            break;
        }
    }
    if (head < 0)
        return;
    const int will = head + 1;
    const std::string subject = R::lowerAt(t, head);
    if (subject == "you" && conditional)
        return; // "if you will excuse me": polite, not future
    // "if it will not rain", "if he won't come" -> "does not rain", "doesn't come"
    const std::string w = R::lowerAt(t, will);
    const bool contracted = w == "won't";
    // (a person who "won't" refuses: "if you won't help me" is right; only "it" has no will)
    const bool negated = contracted || (w == "will" && R::lowerAt(t, will + 1) == "not");
    if (negated && subject != "it")
        return;
    int verb = R::nextWord(t, negated && !contracted ? will + 1 : will);
    if ((w != "will" && w != "'ll" && !contracted) || verb < 0)
        return;
    const std::string base = R::lowerAt(t, verb);
    if (!m_lex.isCommonVerbBase(base) && !(R::tagIs(tags, verb, "VB") && m_lex.isPos(base, Lexicon::Verb)))
        return;
    const bool third = R::isThirdSingularPronoun(subject)
        || (!R::tagIs(tags, head, "PRP") && (R::tagIs(tags, head, "NN") && !R::tagIs(tags, head, "NNS") && !R::tagIs(tags, head, "NNPS")));
    std::string fix = presentFor(base, third, subject == "i");
    if (negated && base == "be")
        fix += contracted ? "n't" : " not";
    else if (negated)
        fix = std::string(third ? "does" : "do") + (contracted ? "n't " : " not ") + base;
    if (negated && base == "be" && contracted && fix == "amn't")
        fix = "am not";
    out->push_back(R::replace(t, will, verb, fix, "GRAMMAR", "tense_if_will", conditional ? 3 : 2));
}

void TenseRules::sinceWithLength(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // "since three years" -> "for three years" (a length of time, not a point)
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "since")
            continue;
        const int a = R::nextWord(t, i) >= 0 ? i + 1 : -1;
        if (a < 0 && !(i + 1 < int(t.size()) && t[size_t(i) + 1].kind == Token::Number))
            continue;
        const bool amount = amounts().count(R::lowerAt(t, i + 1)) || t[size_t(i) + 1].kind == Token::Number;
        const std::string unit = R::lowerAt(t, i + 2);
        if (!amount || !timeUnits().count(unit) || R::lowerAt(t, i + 3) == "ago")
            continue;
        if (t[size_t(i) + 1].kind == Token::Number && t[size_t(i) + 1].text.size() == 4)
            continue; // a year
        out->push_back(R::replace(t, i, i, "for", "GRAMMAR", "since_for", 3));
    }
}

} // namespace PennovaChecker
