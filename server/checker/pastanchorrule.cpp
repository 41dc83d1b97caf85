#include "pastanchorrule.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <ctime>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;
using R = RuleSupport;

// Words that put the sentence's time at now or later, or open a span that reaches now:
// a present verb beside them may be right whatever past the sentence also names.
const Set &presentWords()
{
    static const Set s = {"now", "today", "nowadays", "currently", "tomorrow", "next", "since", "ever", "yet",
                          "already", "recently", "still", "will", "'ll", "shall", "won't", "present", "moment",
                          "anymore", "longer", "presently",
                          // forecasts: "In 2010 the figure is expected to double"
                          "expected", "estimated", "projected", "predicted", "forecast", "anticipated", "likely"};
    return s;
}

// Verbs whose present is right beside a past time: knowing and saying about the past now
// ("I remember last year"), and a chart or text presenting its figures ("The graph shows
// the sales in 1990").
const Set &presentingVerbs()
{
    static const Set s = {"think", "believe", "know", "remember", "hope", "guess", "suppose", "mean", "say", "wonder",
                          "feel", "show", "see", "recall", "forget", "regret", "miss", "doubt", "expect", "seem",
                          "wish", "imagine", "find", "hear", "understand", "realize", "realise", "agree", "bet",
                          "illustrate", "depict", "compare", "present", "give", "provide", "demonstrate",
                          "represent", "describe", "indicate", "reveal", "display", "outline", "contain", "include",
                          "concern", "deal", "relate", "refer", "measure", "report", "list", "summarize", "summarise",
                          "highlight", "focus", "detail", "break", "reflect", "tell", "explain", "consider",
                          "examine", "analyse", "analyze", "estimate", "predict", "cover", "inform", "identify",
                          "suggest", "prove", "note", "notice", "mention", "claim", "argue", "state", "confirm"};
    return s;
}

// Subjects that present the past rather than live in it ("The book tells of 1940").
const Set &presenters()
{
    static const Set s = {"chart", "charts", "graph", "graphs", "table", "tables", "diagram", "diagrams", "map",
                          "maps", "picture", "pictures", "data", "illustration", "survey", "report", "study",
                          "article", "book", "author", "writer", "film", "movie", "paper", "research", "text",
                          "passage", "lecture", "lecturer", "statistics", "information", "story", "novel", "photo",
                          "photograph", "image", "records", "record", "history", "website", "museum", "exhibition"};
    return s;
}

const Set &timeUnits()
{
    static const Set s = {"year", "years", "month", "months", "week", "weeks", "day", "days", "hour", "hours",
                          "minute", "minutes", "decade", "decades", "century", "centuries", "time", "while",
                          "long"};
    return s;
}

const Set &amountWords()
{
    static const Set s = {"a", "an", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine", "ten",
                          "eleven", "twelve", "fifteen", "twenty", "thirty", "forty", "fifty", "hundred", "several",
                          "many", "few", "some", "couple", "of", "long", "hundreds", "thousands", "dozen", "dozens"};
    return s;
}

const Set &lastWhat()
{
    static const Set s = {"week", "month", "year", "night", "summer", "winter", "spring", "autumn", "fall",
                          "weekend", "semester", "term", "holiday", "holidays", "vacation", "century", "decade",
                          "monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday", "january",
                          "february", "march", "april", "may", "june", "july", "august", "september", "october",
                          "november", "december", "christmas", "time"};
    return s;
}

const Set &months()
{
    static const Set s = {"january", "february", "march", "april", "may", "june", "july", "august", "september",
                          "october", "november", "december"};
    return s;
}

// Words before a time phrase that make it a point of comparison or a limit, not the
// time of the clause ("bigger than in 1990", "the events of last year").
const Set &notAnchoring()
{
    static const Set s = {"than", "as", "like", "since", "until", "till", "by", "from", "to", "of", "with", "in",
                          "before", "after", "compared", "unlike", "for", "'s"};
    return s;
}

// Past clauses of time that fix the time of the clause they join.
const Set &timeConjunctions()
{
    static const Set s = {"when", "after", "before", "while", "once", "whenever"};
    return s;
}

// Nouns a "when" or "after" may define ("the day when I left is ...").
const Set &timeNouns()
{
    static const Set s = {"day", "days", "year", "years", "time", "times", "moment", "week", "month", "period",
                          "night", "morning", "evening", "age", "era", "minute", "hour", "point", "place", "case"};
    return s;
}

// Verbs whose present after a dated past sentence tells how things are now ("I was born in
// 2000. I live in Wuhan", "I joined the club last year. I like it").
const Set &statesAndHabits()
{
    static const Set s = {"live", "work", "study", "like", "love", "hate", "want", "need", "own", "enjoy", "prefer",
                          "teach", "belong", "keep", "use", "plan", "care", "mind", "cost", "weigh", "lack", "deserve",
                          "matter", "depend", "stay", "play", "speak", "write", "read", "hope", "owe", "fit", "look",
                          "sound", "smell", "taste", "appear", "remain", "go", "come", "get"};
    return s;
}

// Words of frequency make the clause a habit of now ("I swim every day").
bool habitIn(const std::vector<Token> &t, int from, int to)
{
    static const Set s = {"always", "usually", "often", "sometimes", "never", "every", "each", "rarely", "seldom",
                          "generally", "normally", "still", "also", "too", "again", "really", "all"};
    for (int k = from; k <= to && k < int(t.size()); ++k)
        if (s.count(t[size_t(k)].lower))
            return true;
    return false;
}

bool hasVerb(const std::vector<std::string> &tags, int from, int to)
{
    for (int k = from; k <= to; ++k)
        if (R::tagIs(tags, k, "VB") || R::tagIs(tags, k, "MD"))
            return true;
    return false;
}

bool isBeForm(const std::string &w)
{
    return w == "am" || w == "is" || w == "are" || w == "isn't" || w == "aren't";
}

bool boundaryAt(const std::vector<Token> &t, int i)
{
    const Token &tok = t[size_t(i)];
    if (tok.kind == Token::Punct && (tok.text == "%" || tok.text == "$"))
        return false; // "20 % in 1990"
    // "my friends and I go": "and" beside "I" joins a subject, not two clauses
    if ((tok.lower == "and" || tok.lower == "or") && i > 0 && t[size_t(i) - 1].kind == Token::Word
        && (R::lowerAt(t, i + 1) == "i" || R::lowerAt(t, i - 1) == "i"))
        return false;
    return R::clauseBoundary(tok) || tok.lower == "whose" || tok.lower == "whom" || tok.lower == "once";
}

int firstWord(const std::vector<Token> &t)
{
    for (int i = 0; i < int(t.size()); ++i)
        if (t[size_t(i)].kind == Token::Word || t[size_t(i)].kind == Token::Number)
            return i;
    return -1;
}

// No finite verb and no noun right after v up to the clause's end: a word the tagger called
// a noun after a subject is then the clause's verb ("my family travel to Japan").
bool verblessAfter(const std::vector<Token> &t, const std::vector<std::string> &tags, int v, int to)
{
    if (R::tagIs(tags, v + 1, "NN") || R::tagIs(tags, v + 1, "VB") || R::tagIs(tags, v + 1, "POS")
        || R::tagIs(tags, v + 1, "CD"))
        return false;
    for (int k = v + 1; k <= to && k < int(t.size()); ++k)
        if ((R::tagIs(tags, k, "VB") && !R::tagIs(tags, k, "VBG") && !R::tagIs(tags, k, "VBN")) || R::tagIs(tags, k, "MD"))
            return false;
    return true;
}

// A noun phrase with its determiner runs from the clause's start up to v ("The number of
// cars | rises"), so a word after it the tagger called a noun may be the verb; not after
// a bare list of nouns ("local and mobiles calls").
bool determinedSubjectBefore(const std::vector<Token> &t, const std::vector<std::string> &tags, int v, int from)
{
    bool determiner = false;
    int k = v - 1;
    for (; k >= from; --k) {
        if (R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "PRP$")) {
            // the phrase starts at its determiner ("In 2000 the number of cars")
            determiner = true;
            if (k > from && !(R::tagIs(tags, k - 1, "DT") || R::tagIs(tags, k - 1, "PRP$"))) {
                --k;
                break;
            }
        } else if (!(R::tagIs(tags, k, "NN") || R::tagIs(tags, k, "JJ") || R::tagIs(tags, k, "CD") || t[size_t(k)].lower == "of"))
            break;
    }
    return determiner && (k < from || t[size_t(k)].kind != Token::Word);
}

} // namespace

PastAnchorRule::PastAnchorRule(const Lexicon &lexicon) : m_lex(lexicon)
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    m_thisYear = parts.tm_year + 1900;
}

bool PastAnchorRule::pastYear(const Token &token) const
{
    if (token.kind != Token::Number || token.text.size() != 4)
        return false;
    for (char c : token.text)
        if (c < '0' || c > '9')
            return false;
    const int year = std::stoi(token.text);
    return year >= 1800 && year < m_thisYear;
}

PastAnchorRule::Span PastAnchorRule::adverbialAt(const std::vector<Token> &t, int i, Anchor *kind) const
{
    const int n = int(t.size());
    const std::string w = R::lowerAt(t, i);
    const auto at = [&](int k) { return R::lowerAt(t, k); };
    // (a capitalised time inside the sentence is a title: "the novel Two Years Ago")
    if (w.empty() || notAnchoring().count(at(i - 1))
        || (t[size_t(i)].isCapitalised() && i > firstWord(t) && t[size_t(i) - 1].kind == Token::Word))
        return {};
    const auto yearAt = [&](int k) { return k >= 0 && k < n && pastYear(t[size_t(k)]); };
    *kind = Anchor::Definite;
    if (w == "yesterday")
        return {i, i};
    if (w == "last" && lastWhat().count(at(i + 1)) && at(i - 1) != "the" && at(i - 1) != "this"
        && at(i + 2) != "'s" && !(at(i + 1) == "may" && t[size_t(i) + 1].text == "may"))
        return {i, i + 1};
    // "two years ago", "a few weeks ago", "long ago", "a long time ago"
    if (amountWords().count(w) || timeUnits().count(w) || (i < n && t[size_t(i)].kind == Token::Number)) {
        for (int j = i + 1; j < n && j <= i + 4; ++j) {
            if (at(j) == "ago" && timeUnits().count(at(j - 1)))
                return {i, j};
            if (!(amountWords().count(at(j)) || timeUnits().count(at(j)) || t[size_t(j)].kind == Token::Number))
                break;
        }
    }
    if (w == "in") {
        int k = i + 1;
        if (at(k) == "early" || at(k) == "late" || at(k) == "mid")
            ++k;
        if (at(k) == "the" && at(k + 1) == "year")
            k += 2;
        if (months().count(at(k)) && t[size_t(k)].isCapitalised())
            ++k;
        if (yearAt(k))
            return {i, k};
    }
    // "during 2014 and 2015", "during 1990"
    if (w == "during" && yearAt(i + 1))
        return {i, i + 1};
    // "from 1995 to 2005", "between 1990 and 2000": a finished stretch of years
    if (w == "between" && yearAt(i + 1) && at(i + 2) == "and" && yearAt(i + 3))
        return {i, i + 3};
    if (w == "from" && yearAt(i + 1) && (at(i + 2) == "to" || at(i + 2) == "till" || at(i + 2) == "until")
        && yearAt(i + 3))
        return {i, i + 3};
    *kind = Anchor::Vague;
    if (w == "in" && (at(i + 1) == "my" || at(i + 1) == "his" || at(i + 1) == "her" || at(i + 1) == "our"
                      || at(i + 1) == "their")
        && (at(i + 2) == "childhood" || at(i + 2) == "youth"))
        return {i, i + 2};
    if (w == "in" && (at(i + 1) == "those" || (at(i + 1) == "the" && (at(i + 2) == "old" || at(i + 2) == "olden")))
        && (at(i + 2) == "days" || at(i + 2) == "years" || at(i + 2) == "times" || at(i + 3) == "days"))
        return {i, at(i + 1) == "those" ? i + 2 : i + 3};
    // "at that time", "at the time" (not "at the time of writing")
    if (w == "at" && (at(i + 1) == "that" || at(i + 1) == "the") && at(i + 2) == "time" && at(i + 3) != "of"
        && at(i + 3) != "when")
        return {i, i + 2};
    if (w == "once" && at(i + 1) == "upon" && at(i + 2) == "a" && at(i + 3) == "time")
        return {i, i + 3};
    if (w == "back" && at(i + 1) == "then")
        return {i, i + 1};
    // "in the past" at a clause's edge ("in the past few years" reaches now)
    if (w == "in" && at(i + 1) == "the" && at(i + 2) == "past" && (i + 3 >= n || t[size_t(i) + 3].kind == Token::Punct))
        return {i, i + 2};
    return {};
}

PastAnchorRule::Span PastAnchorRule::pastClauseAt(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                  int i) const
{
    const int n = int(t.size());
    int k = i + 1;
    if (R::lowerAt(t, i) == "as" && R::lowerAt(t, i + 1) == "soon" && R::lowerAt(t, i + 2) == "as")
        k = i + 3;
    else if (!timeConjunctions().count(R::lowerAt(t, i)))
        return {};
    // the subject: a pronoun, or a short noun phrase ending in a noun
    if (R::isSubjectPronoun(R::lowerAt(t, k))) {
        ++k;
    } else {
        int head = -1;
        for (int j = k; j < n && j <= k + 4; ++j) {
            if (R::tagIs(tags, j, "NN"))
                head = j;
            else if (!(R::tagIs(tags, j, "DT") || R::tagIs(tags, j, "PRP$") || R::tagIs(tags, j, "JJ")
                       || R::tagIs(tags, j, "CD") || R::tagIs(tags, j, "POS")))
                break;
        }
        if (head < 0)
            return {};
        k = head + 1;
    }
    if (R::tagIs(tags, k, "RB"))
        ++k;
    const std::string v = R::lowerAt(t, k);
    const bool past = R::tagIs(tags, k, "VBD") || v == "was" || v == "were" || v == "had" || v == "did"
        || v == "wasn't" || v == "weren't" || v == "didn't";
    // not a form that is also the present ("When you read me") or a participle before the
    // clause's own verb ("After the factors described have been computed")
    if (!past || v == "used" || m_lex.baseEqualsPast(v) || m_lex.baseOf(v) == v)
        return {};
    // "while" of time runs on: "While I was walking" (not "While he cited ..., it does")
    if (R::lowerAt(t, i) == "while" && !((v == "was" || v == "were") && R::tagIs(tags, k + 1, "VBG")))
        return {};
    const int after = R::tagIs(tags, k + 1, "RB") ? k + 2 : k + 1;
    if (R::tagIs(tags, after, "VBZ") || R::tagIs(tags, after, "VBP") || R::tagIs(tags, after, "MD")
        || R::tagIs(tags, after, "VBD") || (tags.size() > size_t(after) && tags[size_t(after)] == "VB"
                                              && m_lex.isAuxiliary(R::lowerAt(t, after))))
        return {};
    int to = k;
    while (to + 1 < n && !boundaryAt(t, to + 1))
        ++to;
    return {i, to};
}

PastAnchorRule::Span PastAnchorRule::clauseAround(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                                  Span anchor) const
{
    const int n = int(t.size());
    int from = anchor.from, to = anchor.to;
    while (from > 0 && !boundaryAt(t, from - 1))
        --from;
    for (;;) {
        while (to + 1 < n && !boundaryAt(t, to + 1))
            ++to;
        // "In 1990 fish and chicken are ...": an "and" before the clause has a verb joins nouns
        if (to + 2 >= n || (t[size_t(to) + 1].lower != "and" && t[size_t(to) + 1].lower != "or")
            || !R::tagIs(tags, to, "NN"))
            break;
        bool verb = false;
        for (int k = from; k <= to; ++k)
            verb = verb || R::tagIs(tags, k, "VB") || R::tagIs(tags, k, "MD");
        if (verb)
            break;
        to += 1;
    }
    return {from, to};
}

PastAnchorRule::Span PastAnchorRule::clauseAfter(const std::vector<Token> &t, int i) const
{
    const int n = int(t.size());
    if (i < 0 || i >= n || boundaryAt(t, i))
        return {};
    int to = i;
    while (to + 1 < n && !boundaryAt(t, to + 1))
        ++to;
    return {i, to};
}

std::string PastAnchorRule::pastOf(const std::string &w) const
{
    static const std::pair<const char *, const char *> fixed[] = {
        {"am", "was"}, {"is", "was"}, {"are", "were"}, {"have", "had"}, {"has", "had"}, {"do", "did"},
        {"does", "did"}, {"don't", "didn't"}, {"doesn't", "didn't"}, {"isn't", "wasn't"}, {"aren't", "weren't"},
        {"can", "could"}, {"can't", "couldn't"}, {"cannot", "could not"}};
    for (const auto &[from, to] : fixed)
        if (w == from)
            return to;
    // a past of one verb that is the base of another: "lay" (lie), "found" (find)
    static const Set pastOfAnother = {"lay", "found", "saw", "fell", "wound", "ground", "bound"};
    if (pastOfAnother.count(w))
        return {};
    std::string base = m_lex.baseOf(w);
    if (base.empty())
        base = regularBase(w);
    if (base.empty() || base == "be")
        return {};
    return m_lex.pastOf(base);
}

std::string PastAnchorRule::regularBase(const std::string &w) const
{
    // the base of a regular -s form of a verb the tables lack ("accounts" -> "account")
    if (w.size() < 4 || w.back() != 's' || w[w.size() - 2] == 's')
        return {};
    std::string base = w.substr(0, w.size() - 1);
    if (w.size() > 4 && w.compare(w.size() - 3, 3, "ies") == 0)
        base = w.substr(0, w.size() - 3) + "y";
    else if (w.size() > 4 && w.compare(w.size() - 2, 2, "es") == 0 && !m_lex.isPos(base, Lexicon::Verb))
        base = w.substr(0, w.size() - 2);
    return m_lex.isPos(base, Lexicon::Verb) ? base : std::string();
}

bool PastAnchorRule::timeOpen(const std::vector<Token> &t) const
{
    for (size_t i = 0; i < t.size(); ++i) {
        const Token &tok = t[i];
        if (tok.kind == Token::Punct && (tok.text == "\"" || tok.text == "?" || tok.text == "“" || tok.text == "”"))
            return true; // quoted speech and questions keep their own tenses
        // ("the next day" follows a day told before; "next week" is to come)
        if (presentWords().count(tok.lower) && !(tok.lower == "next" && i > 0 && t[i - 1].lower == "the"
                                                 && timeUnits().count(R::lowerAt(t, int(i) + 1))))
            return true;
        // a year still to come: a chart with forecasts tells its past years in the present too
        if (tok.kind == Token::Number && tok.text.size() == 4 && tok.text.find_first_not_of("0123456789") == std::string::npos
            && std::stoi(tok.text) >= m_thisYear && std::stoi(tok.text) < m_thisYear + 200)
            return true;
    }
    for (size_t i = 0; i + 1 < t.size(); ++i)
        if ((t[i].lower == "these" && (t[i + 1].lower == "days" || t[i + 1].lower == "years"))
            || (t[i].lower == "going" && t[i + 1].lower == "to"))
            return true;
    return false;
}

int PastAnchorRule::sequenceEnd(const std::vector<Token> &t) const
{
    const int f = firstWord(t);
    if (f < 0)
        return -1;
    const auto at = [&](int k) { return R::lowerAt(t, k); };
    int end = -1;
    // ("then there are ...", "then we have ..." may list rather than tell what came next)
    static const Set single = {"then", "later", "afterwards", "afterward", "soon", "eventually"};
    if (single.count(at(f)) && at(f + 1) != "there")
        end = f;
    else if (at(f) == "after" && (at(f + 1) == "that" || at(f + 1) == "this") && !R::isSubjectPronoun(at(f + 2)))
        end = f + 1;
    else if (at(f) == "the" && (at(f + 1) == "next" || at(f + 1) == "following")
             && (at(f + 2) == "day" || at(f + 2) == "morning" || at(f + 2) == "evening" || at(f + 2) == "week"
                 || at(f + 2) == "month" || at(f + 2) == "year"))
        end = f + 2;
    else if (amountWords().count(at(f)) || t[size_t(f)].kind == Token::Number)
        // "Two years later", "A few days later"
        for (int j = f + 1; j <= f + 3 && j < int(t.size()); ++j) {
            if (at(j) == "later" && timeUnits().count(at(j - 1))) {
                end = j;
                break;
            }
            if (!(amountWords().count(at(j)) || timeUnits().count(at(j)) || t[size_t(j)].kind == Token::Number))
                break;
        }
    if (end >= 0 && end + 1 < int(t.size()) && t[size_t(end) + 1].text == ",")
        ++end;
    return end;
}

int PastAnchorRule::pastVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int *subject) const
{
    if (t.empty() || timeOpen(t) || R::lowerAt(t, firstWord(t)) == "if" || R::lowerAt(t, firstWord(t)) == "unless")
        return -1;
    for (int v = 0; v < int(t.size()); ++v) {
        const std::string &w = t[size_t(v)].lower;
        if (R::tagIs(tags, v, "MD") || R::tagIs(tags, v, "VBZ") || R::tagIs(tags, v, "VBP"))
            return -1;
        const bool past = (R::tagIs(tags, v, "VBD") && !(m_lex.isThirdPerson(w) && !m_lex.isPastForm(w)))
            || w == "was" || w == "were";
        if (!past)
            continue;
        int s = v - 1;
        if (s > 0 && R::tagIs(tags, s, "RB"))
            --s;
        *subject = s;
        return v;
    }
    return -1;
}

void PastAnchorRule::thenAfterPast(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                   std::vector<bool> *flagged, std::vector<Finding> *out) const
{
    const int n = int(t.size());
    bool past = false;
    for (int i = 0; i + 1 < n; ++i) {
        const std::string &w = t[size_t(i)].lower;
        // a present or a modal of its own before, or a condition "then" draws from ("If he was
        // there, then he is guilty")
        static const Set conditions = {"if", "unless", "once", "since", "because", "provided", "given", "suppose",
                                       "supposing", "assuming"};
        if (R::tagIs(tags, i, "MD") || R::tagIs(tags, i, "VBZ") || R::tagIs(tags, i, "VBP") || conditions.count(w))
            return;
        past = past || (R::tagIs(tags, i, "VBD") && !(m_lex.isThirdPerson(w) && !m_lex.isPastForm(w))) || w == "was"
            || w == "were";
        if (w != "then" || !past || i == 0 || (t[size_t(i) - 1].lower != "and" && t[size_t(i) - 1].text != ","))
            continue;
        const int v = R::tagIs(tags, i + 1, "RB") ? i + 2 : i + 1;
        const std::string &verb = R::lowerAt(t, v);
        // "... and then falls to 10 %": the verb shares the subject of the past one
        const bool third = m_lex.isThirdPerson(verb) && !m_lex.isPastForm(verb);
        if (v < n && !t[size_t(v)].isCapitalised() && (third || R::tagIs(tags, v, "VBZ"))
            && (R::tagIs(tags, v + 1, "IN") || R::tagIs(tags, v + 1, "TO") || R::tagIs(tags, v + 1, "RB")
                || R::tagIs(tags, v + 1, "CD") || R::tagIs(tags, v + 1, "DT") || v + 1 >= n
                || t[size_t(v) + 1].kind == Token::Punct)) {
            const std::string fixed = pastOf(verb);
            if (!fixed.empty() && fixed != verb && !presentingVerbs().count(m_lex.baseOf(verb))) {
                out->push_back(R::replace(t, v, v, fixed, "GRAMMAR", "tense_past_time", 2));
                (*flagged)[size_t(v)] = true;
            }
            return;
        }
        // "..., and then it falls": a clause of its own
        if (R::isSubjectPronoun(R::lowerAt(t, i + 1)) || R::tagIs(tags, i + 1, "DT"))
            flagClause(t, tags, clauseAfter(t, i + 1), {}, Anchor::Clause, flagged, out);
        return;
    }
}

bool PastAnchorRule::mayFollow(const std::vector<Token> &t) const
{
    const int f = firstWord(t);
    if (f < 0)
        return false;
    const std::string &w = t[size_t(f)].lower;
    return w == "i" || w == "he" || w == "she" || w == "we" || w == "they" || w == "it" || sequenceEnd(t) >= 0;
}

void PastAnchorRule::checkAfter(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                const std::vector<Token> &previous,
                                const std::function<std::vector<std::string>()> &tagPrevious,
                                std::vector<Finding> *out) const
{
    const int n = int(t.size());
    if (n == 0 || timeOpen(t))
        return;
    // a time of its own is read by check()
    for (int i = 0; i < n; ++i) {
        Anchor kind = Anchor::Definite;
        if (!adverbialAt(t, i, &kind).empty() || !pastClauseAt(t, tags, i).empty())
            return;
        if (t[size_t(i)].kind == Token::Number && pastYear(t[size_t(i)]))
            return;
    }
    const std::vector<std::string> previousTags = tagPrevious();
    int subject = -1;
    if (pastVerb(previous, previousTags, &subject) < 0)
        return;
    const int seq = sequenceEnd(t);
    int start = seq + 1;
    bool eventsOnly = false;
    if (seq < 0) {
        // the same pronoun as the dated past sentence before
        start = firstWord(t);
        if (subject < 0 || R::lowerAt(previous, subject) != t[size_t(start)].lower || t[size_t(start)].lower == "you")
            return;
        bool dated = false;
        for (int i = 0; i < int(previous.size()) && !dated; ++i) {
            Anchor kind = Anchor::Definite;
            dated = !adverbialAt(previous, i, &kind).empty() || !pastClauseAt(previous, previousTags, i).empty()
                || (previous[size_t(i)].kind == Token::Number && pastYear(previous[size_t(i)]) && R::lowerAt(previous, i - 1) == "in");
        }
        if (!dated)
            return;
        eventsOnly = true;
    }
    std::vector<bool> flagged(size_t(n), false);
    flagClause(t, tags, clauseAfter(t, start), {}, Anchor::Clause, &flagged, out, eventsOnly);
}

void PastAnchorRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                           std::vector<Finding> *out) const
{
    const int n = int(t.size());
    if (timeOpen(t))
        return;
    const int first = firstWord(t);
    std::vector<bool> flagged(size_t(n), false);
    thenAfterPast(t, tags, &flagged, out);
    for (int i = 0; i < n; ++i) {
        Anchor kind = Anchor::Definite;
        const Span a = adverbialAt(t, i, &kind);
        if (!a.empty()) {
            const Span c = clauseAround(t, tags, a);
            // an adverbial standing alone before a comma sets the time of the clause after it
            if (c.from == a.from && c.to == a.to) {
                if (a.to + 2 < n && t[size_t(a.to) + 1].text == ",") {
                    // past a phrase with no verb between commas ("In 1985, as well as in 1990, the rate is")
                    int start = a.to + 2;
                    for (int hop = 0; hop < 2; ++hop) {
                        int comma = start;
                        while (comma < n && t[size_t(comma)].kind != Token::Punct)
                            ++comma;
                        if (comma + 1 >= n || comma == start || t[size_t(comma)].text != "," || hasVerb(tags, start, comma))
                            break;
                        start = comma + 1;
                    }
                    flagClause(t, tags, clauseAfter(t, start), a, kind, &flagged, out);
                }
            } else {
                flagClause(t, tags, c, a, kind, &flagged, out);
            }
            i = a.to;
            continue;
        }
        const Span p = pastClauseAt(t, tags, i);
        if (p.empty())
            continue;
        // a clause that opens the sentence (after "But" or "However,") sets the time of the
        // main clause after it; one after the main clause, of the clause before
        const bool opens = i == first || (i == first + 1 && (R::clauseBoundary(t[size_t(first)]) || R::tagIs(tags, first, "RB")))
            || (i == first + 2 && t[size_t(i) - 1].text == ",");
        if (opens) {
            if (p.to + 2 < n && t[size_t(p.to) + 1].text == ",") {
                flagClause(t, tags, clauseAfter(t, p.to + 2), p, Anchor::Clause, &flagged, out);
            } else {
                // no comma: the main clause starts at a pronoun subject with a verb after a
                // noun, adjective or adverb ("When I was young I play")
                for (int k = i + 3; k < p.to; ++k) {
                    if (!R::isSubjectPronoun(t[size_t(k)].lower) || t[size_t(k)].lower == "you")
                        continue;
                    if (R::tagIs(tags, k - 1, "NN") || R::tagIs(tags, k - 1, "JJ") || R::tagIs(tags, k - 1, "RB")
                        || R::tagIs(tags, k - 1, "CD"))
                        flagClause(t, tags, {k, p.to}, p, Anchor::Clause, &flagged, out);
                    break;
                }
            }
        } else if (i > first && t[size_t(i) - 1].kind == Token::Word && !timeNouns().count(t[size_t(i) - 1].lower)
                   && R::lowerAt(t, i) == "when") {
            flagClause(t, tags, clauseAround(t, tags, {i - 1, i - 1}), p, Anchor::Clause, &flagged, out);
        }
        i = p.to;
    }
}

void PastAnchorRule::flagClause(const std::vector<Token> &t, const std::vector<std::string> &tags, Span c, Span anchor,
                                Anchor kind, std::vector<bool> *flagged, std::vector<Finding> *out, bool eventsOnly) const
{
    if (c.empty())
        return;
    const bool inside = anchor.from >= c.from && anchor.to <= c.to;
    // "I heard my uncles and cousins speak": a clause after "and" shares the past verb before it
    if (c.from >= 2 && (t[size_t(c.from) - 1].lower == "and" || t[size_t(c.from) - 1].lower == "or"))
        for (int k = c.from - 2; k >= 0 && !boundaryAt(t, k); --k)
            if (R::tagIs(tags, k, "VBD") || R::tagIs(tags, k, "MD"))
                return;
    for (int v = c.from; v <= c.to; ++v) {
        if (inside && v >= anchor.from && v <= anchor.to)
            continue;
        const Token &tok = t[size_t(v)];
        if (tok.kind != Token::Word)
            continue;
        const std::string &w = tok.lower;
        // (the tagger may call an -s verb a past: "it falls/VBD")
        const bool thirdPerson = m_lex.isThirdPerson(w) && !m_lex.isPastForm(w);
        if ((R::tagIs(tags, v, "VBD") && !thirdPerson) || R::tagIs(tags, v, "MD") || w == "would" || w == "could"
            || w == "should" || w == "might" || w == "must" || w == "'d")
            return; // the clause has a past or a modal of its own
        // the tagger may call a present verb after a noun subject a base form or a noun
        // ("my mother buy", "my family travel/NN to Japan")
        // (or after the plural of the subject's "of" phrase: "the number of cars increases/NNS")
        const bool afterSubject = v > c.from
            && ((R::tagIs(tags, v - 1, "NN") && !R::tagIs(tags, v - 1, "NNP")) || R::isSubjectPronoun(R::lowerAt(t, v - 1))
                || (tags[size_t(v) - 1] == "NNS" && R::lowerAt(t, v - 2) == "of"));
        // ("the number of cars rises/NNS from")
        const bool present = R::tagIs(tags, v, "VBZ") || R::tagIs(tags, v, "VBP") || (R::tagIs(tags, v, "VBD") && thirdPerson)
            || (tags[size_t(v)] == "VB" && afterSubject && m_lex.isCommonVerbBase(w))
            || (tags[size_t(v)] == "NN" && afterSubject && m_lex.isCommonVerbBase(w) && verblessAfter(t, tags, v, c.to))
            || (tags[size_t(v)] == "NNS" && (afterSubject || R::tagIs(tags, v - 1, "NNP")) && !presenters().count(w)
                && (thirdPerson || (!regularBase(w).empty() && (R::tagIs(tags, v + 1, "IN") || R::tagIs(tags, v + 1, "TO")
                                                                 || R::tagIs(tags, v + 1, "RB"))))
                && verblessAfter(t, tags, v, c.to) && (R::tagIs(tags, v - 1, "NNP") || determinedSubjectBefore(t, tags, v, c.from)));
        if (!present)
            continue;
        if (tok.isCapitalised() || (*flagged)[size_t(v)])
            return; // a title ("In 1990 Comes the Sun")
        // the subject right before it (one adverb may stand between)
        int s = v - 1;
        if (s > c.from && R::tagIs(tags, s, "RB"))
            --s;
        if (s < c.from)
            return;
        // a time after a participle in front of the verb dates that participle ("with the
        // film coming out months ago the audience isn't there")
        if (inside && anchor.to < v)
            for (int k = c.from; k < anchor.from; ++k)
                if (R::tagIs(tags, k, "VBG") || R::tagIs(tags, k, "VBN"))
                    return;
        // a time inside the subject belongs to its noun phrase: "a trip two years ago costs",
        // "sales in 2019 are up"
        if (inside && s >= anchor.from && s <= anchor.to)
            return;
        const std::string subject = R::lowerAt(t, s);
        const bool there = subject == "there" && isBeForm(w);
        if (!(R::tagIs(tags, s, "PRP") || R::tagIs(tags, s, "NN") || there) || (subject == "there" && !there))
            return;
        if (presenters().count(subject))
            return;
        // "In 2007, Bartley accepts a plea bargain": a story or a news summary may tell a named
        // person's dated past in the present (a chart's countries are in the dictionary and
        // stay: "In 2012 Russia spends")
        if (kind == Anchor::Definite && R::tagIs(tags, s, "NNP") && !isBeForm(w) && !m_lex.isPos(subject, Lexicon::Noun)
            && (R::lowerAt(t, anchor.from) == "in" || R::lowerAt(t, anchor.from) == "from"
                || R::lowerAt(t, anchor.from) == "between"))
            return;
        const std::string base = isBeForm(w) ? "be" : m_lex.baseOf(w).empty() ? w : m_lex.baseOf(w);
        if (eventsOnly && (base == "be" || base == "have" || statesAndHabits().count(base) || habitIn(t, c.from, c.to)))
            return;
        if (presentingVerbs().count(base) || (base == "look" && (R::lowerAt(t, v + 1) == "for" || R::lowerAt(t, v + 1) == "forward")))
            return;
        // "it is clear that in 1990 ...": the writer's comment on the figures is now
        if (subject == "it" && R::lowerAt(t, c.to + 1) == "that")
            return;
        // a trailing past clause dates the verb just before it ("it happens to me when I
        // studied"), not one further back ("the points are the facts we have when ...")
        if (!inside && anchor.from > v)
            for (int k = v + 1; k <= c.to; ++k)
                if (R::tagIs(tags, k, "VB") || R::tagIs(tags, k, "MD"))
                    return;
        if (inside && anchor.from > v) {
            // only a definite time dates the verb before it ("left in the past" is a place)
            if (kind != Anchor::Definite)
                return;
            // the time after the verb: "happens in 2000 cases" counts things
            if (anchor.to + 1 < int(t.size()) && R::tagIs(tags, anchor.to + 1, "NN"))
                return;
            // and belongs to the nearest verb before it: "a cake created in 1832"
            for (int k = v + 1; k < anchor.from; ++k)
                if (R::tagIs(tags, k, "VB"))
                    return;
        }
        const int next = v + 1 < int(t.size()) && R::tagIs(tags, v + 1, "RB") ? v + 2 : v + 1;
        if (R::lowerAt(t, next) == "going" && R::lowerAt(t, next + 1) == "to")
            return;
        if (w == "have" || w == "has") {
            // present perfect with a finished time: "has risen in 2010" -> "rose"
            if (!R::tagIs(tags, next, "VBN") || kind != Anchor::Definite || R::lowerAt(t, next) == "been")
                return;
            const std::string past = pastOf(R::lowerAt(t, next));
            if (past.empty())
                return;
            out->push_back(R::replace(t, v, next, past, "GRAMMAR", "tense_perfect_finished", 2));
            (*flagged)[size_t(v)] = true;
            return;
        }
        const std::string past = pastOf(w);
        if (past.empty() || past == w)
            return; // "hit", "put": the written form may be the past already
        out->push_back(R::replace(t, v, v, past, "GRAMMAR", "tense_past_time", 2));
        (*flagged)[size_t(v)] = true;
        return;
    }
}

} // namespace PennovaChecker
