#include "complementrules.h"

#include "lexicon.h"
#include "rulesupport.h"
#include "wordclasses.h"

#include <cctype>
#include <unordered_map>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;
using R = RuleSupport;

// objects that show the word before them is a verb: "time play football"
const Set &doneWords()
{
    static const Set s = {"football", "basketball", "games", "homework", "english", "music", "tv", "dinner"};
    return s;
}

const Set &beForms()
{
    static const Set s = {"am", "is", "are", "was", "were", "be", "been", "i'm", "it's", "he's", "she's", "we're",
                          "they're", "you're"};
    return s;
}

} // namespace

void ComplementRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                            std::vector<Finding> *out) const
{
    const bool tagged = tags.size() == t.size() && !tags.empty() && !tags[0].empty();
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        adverbBeforeTo(t, i, out);
        participleForAdjective(t, i, out);
        letsTo(t, i, out);
        asFollows(t, i, out);
        if (!tagged)
            continue;
        beVeryVerb(t, tags, i, out);
        bareAfterGerundVerb(t, tags, i, out);
        prepositionToVerb(t, tags, i, out);
        notWithoutAuxiliary(t, tags, i, out);
        thereVerb(t, tags, i, out);
        thinkWithoutIt(t, tags, i, out);
        contractedBeVerb(t, tags, i, out);
        forSomeoneVerb(t, tags, i, out);
        objectVerb(t, tags, i, out);
        causativeForm(t, tags, i, out);
        spendBareVerb(t, tags, i, out);
        nounBareVerb(t, tags, i, out);
    }
}

void ComplementRules::adverbBeforeTo(const Tokens &t, int i, std::vector<Finding> *out) const
{
    // "Young people are more easily to adapt" -> "easier to adapt": "be" takes the adjective
    // before an infinitive ("it is easy to see"); the adverb belongs with a verb ("easily see")
    static const std::unordered_map<std::string, std::string> adjectives = {
        {"easily", "easy"}, {"conveniently", "convenient"}, {"comfortably", "comfortable"}};
    static const Set degree = {"more", "very", "so", "too", "quite", "much", "really", "not", "less"};
    if (!beForms().count(t[size_t(i)].lower))
        return;
    int a = i + 1;
    const bool graded = degree.count(R::lowerAt(t, a)) > 0;
    if (graded)
        ++a;
    const auto adj = adjectives.find(R::lowerAt(t, a));
    if (adj == adjectives.end() || R::lowerAt(t, a + 1) != "to" || !m_lex.isPos(R::lowerAt(t, a + 2), Lexicon::Verb))
        return;
    const bool more = graded && t[size_t(i) + 1].lower == "more";
    const int first = more ? i + 1 : a;
    const std::string fix = more && adj->second == "easy" ? "easier" : (more ? "more " : "") + adj->second;
    out->push_back(R::replace(t, first, a, R::caseLike(t[size_t(first)], fix), "GRAMMAR", "adjective_after_be", 2));
}

void ComplementRules::participleForAdjective(const Tokens &t, int i, std::vector<Finding> *out) const
{
    // "He will be matured enough" -> "mature": the adjective describes a person's state; the
    // participle only a process ("the cheese was matured for a year")
    if (!beForms().count(t[size_t(i)].lower))
        return;
    static const Set degree = {"more", "very", "so", "too", "quite", "really", "not", "less", "fully"};
    int a = i + 1;
    const bool graded = degree.count(R::lowerAt(t, a)) > 0;
    if (graded)
        ++a;
    if (R::lowerAt(t, a) != "matured")
        return;
    const std::string next = R::lowerAt(t, a + 1);
    const bool ends = a + 1 >= int(t.size()) || t[size_t(a) + 1].kind == Token::Punct;
    if (!graded && next != "enough" && next != "than" && !ends)
        return;
    if (next == "by" || next == "in" || next == "for")
        return;
    out->push_back(R::replace(t, a, a, "mature", "GRAMMAR", "adjective_after_be", 2));
}

void ComplementRules::asFollows(const Tokens &t, int i, std::vector<Finding> *out) const
{
    // "The reasons are as follow:" -> "as follows": a fixed phrase whatever the subject's number
    if (t[size_t(i)].lower != "as" || R::lowerAt(t, i + 1) != "follow")
        return;
    if (i + 2 < int(t.size()) && (t[size_t(i) + 2].kind != Token::Punct || t[size_t(i) + 2].text == "-"))
        return; // "as follow-up", and "as follow the rules" is another "as"
    out->push_back(R::replace(t, i + 1, i + 1, "follows", "GRAMMAR", "as_follows", 3));
}

void ComplementRules::letsTo(const Tokens &t, int i, std::vector<Finding> *out) const
{
    // "Let's to go home" -> "Let's go home"
    if (t[size_t(i)].lower != "let's" || R::lowerAt(t, i + 1) != "to" || !m_lex.isCommonVerbBase(R::lowerAt(t, i + 2)))
        return;
    Finding f;
    if (R::deletion(t, i + 1, "GRAMMAR", "causative_to", 3, &f))
        out->push_back(f);
}

void ComplementRules::bareAfterGerundVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I enjoy play basketball", "I finished read the book" -> "playing", "reading": these verbs
    // take the -ing form; "like" and "love" take it or "to"
    static const Set gerundVerbs = {"enjoy", "enjoys", "enjoyed", "finish", "finishes", "finished", "mind", "avoid",
                                    "avoids", "avoided", "practise", "practice", "practised", "practiced", "keep",
                                    "keeps", "kept", "consider", "considered", "quit", "miss", "missed", "like",
                                    "likes", "love", "loves", "hate", "hates"};
    static const Set objects = {"my", "your", "his", "her", "our", "their", "the", "a", "an", "this", "that", "these",
                                "those", "it", "them", "him", "me", "us", "some", "basketball", "football",
                                "tennis", "games", "computer", "piano", "guitar", "music", "english", "chinese"};
    const std::string &g = t[size_t(i)].lower;
    if (!gerundVerbs.count(g) || !R::tagIs(tags, i, "VB"))
        return;
    // the verb's own subject before it: "I enjoy", not "the kids' enjoy" or "a like"
    if (!R::isSubjectPronoun(R::lowerAt(t, i - 1)) && !R::tagIs(tags, i - 1, "NN") && !R::tagIs(tags, i - 1, "RB"))
        return;
    const int v = i + 1;
    const std::string w = R::lowerAt(t, v);
    if (w.empty() || t[size_t(v)].isCapitalised() || !m_lex.isCommonVerbBase(w) || m_lex.isAuxiliary(w)
        || w == "to" || m_lex.isPos(w, Lexicon::Adjective) || (!m_lex.baseOf(w).empty() && m_lex.baseOf(w) != w))
        return;
    // a word that is also a noun is its object ("enjoy work", "like music") unless an object follows it
    if (m_lex.isPos(w, Lexicon::Noun) && !objects.count(R::lowerAt(t, v + 1))
        && !(R::tagIs(tags, v, "VB") && R::tagIs(tags, v + 1, "NNS")))
        return;
    if (!m_lex.isPos(w, Lexicon::Noun) && !R::tagIs(tags, v, "VB") && !R::tagIs(tags, v, "NN"))
        return;
    const bool eitherForm = g.compare(0, 4, "like") == 0 || g.compare(0, 4, "love") == 0 || g.compare(0, 4, "hate") == 0;
    Finding f = R::replace(t, v, v, m_lex.ingOf(w), "GRAMMAR", "verb_gerund", 2);
    if (eitherForm) {
        Candidate to = f.candidates[0];
        to.correction = "to " + t[size_t(v)].text;
        to.score = f.candidates[0].score / 2;
        f.candidates.push_back(to);
    }
    out->push_back(f);
}

void ComplementRules::prepositionToVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "pay attention to protect", "be devoted to help" -> "-ing": this "to" is a preposition
    static const Set phrases = {"attention", "devoted", "committed", "dedicated", "contribute", "contributes",
                                "contributed", "accustomed", "opposed", "addition", "key", "object", "objected"};
    if (t[size_t(i)].lower != "to" || !phrases.count(R::lowerAt(t, i - 1)))
        return;
    const std::string prev = R::lowerAt(t, i - 1);
    if (prev == "key" && R::lowerAt(t, i - 2) != "the")
        return;
    const int v = i + 1;
    const std::string w = R::lowerAt(t, v);
    if (w.empty() || t[size_t(v)].isCapitalised() || !m_lex.isCommonVerbBase(w) || m_lex.isAuxiliary(w)
        || !R::tagIs(tags, v, "VB") || m_lex.isPos(w, Lexicon::Adjective))
        return;
    if (m_lex.isPos(w, Lexicon::Noun) && !R::tagIs(tags, v + 1, "DT") && !R::tagIs(tags, v + 1, "PRP"))
        return; // "contribute to change", "the key to success"
    out->push_back(R::replace(t, v, v, m_lex.ingOf(w), "GRAMMAR", "gerund_after_preposition", 2));
}

namespace {

// a subject may open here: the start, a comma, or a joining word
bool subjectStart(const std::vector<Token> &t, int k)
{
    static const Set joiners = {"and", "but", "so", "because", "if", "when", "that", "although", "though", "while"};
    if (k <= 0)
        return k == 0;
    const Token &p = t[size_t(k) - 1];
    return (p.kind == Token::Punct && (p.text == "," || p.text == ";")) || joiners.count(p.lower);
}

} // namespace

void ComplementRules::notWithoutAuxiliary(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "My English not good", "He not like it" (不): "not" needs "be" before an adjective and
    // "do" before a verb
    if (t[size_t(i)].lower != "not" || i == 0)
        return;
    const int s = i - 1;
    const std::string subject = t[size_t(s)].lower;
    const Set &pronouns = WordClasses::words(WordClass::SubjectPronoun);
    bool plural = false, first = false;
    if (pronouns.count(subject)) {
        if ((subject == "it" || subject == "you") && !subjectStart(t, s))
            return; // "make it not work": an object
        plural = subject == "we" || subject == "they" || subject == "you";
        first = subject == "i";
    } else if (R::tagIs(tags, s, "NN") && (R::tagIs(tags, s - 1, "PRP$") || R::tagIs(tags, s - 1, "DT"))
               && subjectStart(t, s - 1) && !t[size_t(s)].isCapitalised()) {
        plural = R::tagIs(tags, s, "NNS");
    } else if (R::lowerAt(t, s) == "english" && R::tagIs(tags, s - 1, "PRP$") && subjectStart(t, s - 1)) {
        plural = false; // "My English not good"
    } else {
        return;
    }
    const int v = i + 1;
    const std::string w = R::lowerAt(t, v);
    if (w.empty() || w == "only" || w == "to" || w == "even" || w == "yet" || w == "all" || w == "just")
        return;
    const bool adjective = R::tagIs(tags, v, "JJ") && m_lex.isPos(w, Lexicon::Adjective) && !m_lex.isCommonVerbBase(w);
    // (the tagger reads "like" after "not" as a preposition)
    const bool verbTag = (R::tagIs(tags, v, "VB") && !R::tagIs(tags, v, "VBG") && !R::tagIs(tags, v, "VBN")
                          && !R::tagIs(tags, v, "VBD") && !R::tagIs(tags, v, "VBZ"))
        || w == "like";
    const bool verb = !adjective && verbTag && m_lex.isCommonVerbBase(w) && !m_lex.isAuxiliary(w);
    if (!adjective && !verb)
        return;
    std::string fix;
    if (adjective)
        fix = first ? "am not" : plural ? "are not" : "is not";
    else
        fix = plural || first ? "do not" : "does not";
    out->push_back(R::replace(t, i, i, fix, "GRAMMAR", adjective ? "be_missing" : "do_not", 2));
}

void ComplementRules::thereVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "There are many people in the park play football" -> "playing": a second verb after the
    // noun of "there is/are" describes it
    const Set &be = WordClasses::words(WordClass::NounBe);
    if (t[size_t(i)].lower != "there" || !be.count(R::lowerAt(t, i + 1)))
        return;
    int k = i + 2;
    int nouns = 0;
    while (k < int(t.size()) && (R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "JJ") || R::tagIs(tags, k, "CD")
                                 || R::tagIs(tags, k, "NN") || R::tagIs(tags, k, "PRP$"))) {
        if (R::tagIs(tags, k, "NN"))
            ++nouns;
        ++k;
    }
    // a plural noun of people or animals doing it ("many ways help people" wants "to help")
    static const Set doers = {"people", "children", "kids", "men", "women", "animals", "birds", "friends", "teenagers",
                              "tourists", "families", "youths", "boys", "girls", "fans", "passengers", "residents"};
    const std::string noun = R::lowerAt(t, k - 1);
    const bool agent = noun.size() > 5
        && (noun.compare(noun.size() - 3, 3, "ers") == 0 || noun.compare(noun.size() - 4, 4, "ists") == 0
            || noun.compare(noun.size() - 4, 4, "ents") == 0 || noun.compare(noun.size() - 4, 4, "ants") == 0);
    if (nouns == 0 || !R::tagIs(tags, k - 1, "NNS") || !(doers.count(noun) || agent))
        return;
    // one place phrase: "in the park"
    if (R::tagIs(tags, k, "IN") && R::lowerAt(t, k) != "that" && R::lowerAt(t, k) != "of") {
        ++k;
        while (k < int(t.size()) && (R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "JJ")))
            ++k;
        if (!R::tagIs(tags, k, "NN"))
            return;
        ++k; // its one noun: "in the park"
    }
    const std::string w = R::lowerAt(t, k);
    // the tagger may join a verb with an object to the noun before it ("park play football")
    const bool verbTag = tags.size() > size_t(k) && (tags[size_t(k)] == "VBP" || tags[size_t(k)] == "VB"
                                                     || (tags[size_t(k)] == "NN" && R::tagIs(tags, k + 1, "NN")));
    if (w.empty() || !verbTag || !m_lex.isCommonVerbBase(w) || m_lex.isAuxiliary(w) || m_lex.isPos(w, Lexicon::Adjective))
        return;
    if (m_lex.isPos(w, Lexicon::Noun) && !R::tagIs(tags, k + 1, "NN") && !R::tagIs(tags, k + 1, "DT")
        && !R::tagIs(tags, k + 1, "IN"))
        return;
    out->push_back(R::replace(t, k, k, m_lex.ingOf(w), "GRAMMAR", "there_verb", 2));
}

void ComplementRules::thinkWithoutIt(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I think is very important to learn" -> "I think it is": the clause needs its subject "it"
    // (also after an opinion phrase: "In my opinion, is necessary to ...")
    static const Set thinking = {"think", "believe", "feel", "guess", "suppose", "thought", "believed", "felt"};
    const bool opinion = (t[size_t(i)].lower == "opinion" || t[size_t(i)].lower == "view") && R::lowerAt(t, i - 2) == "in"
        && i + 1 < int(t.size()) && t[size_t(i) + 1].text == ",";
    if (opinion)
        ++i; // the comma stands where "think" would
    else if (!thinking.count(t[size_t(i)].lower) || !R::isSubjectPronoun(R::lowerAt(t, i - 1)) || !subjectStart(t, i - 1))
        return;
    const int b = i + 1; // ("I think that is right": "that" is the subject)
    const std::string be = R::lowerAt(t, b);
    if (be != "is" && be != "was")
        return;
    int a = b + 1;
    if (R::tagIs(tags, a, "RB"))
        ++a;
    if (!R::tagIs(tags, a, "JJ") || R::tagIs(tags, a, "JJS"))
        return;
    out->push_back(R::replace(t, b, b, "it " + t[size_t(b)].text, "GRAMMAR", "missing_subject", 2));
}

void ComplementRules::contractedBeVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "It's take a long time", "He's go to school" -> "It takes", "He goes": "be" has no place
    // before a bare verb ("he's come" is "he has come": verbs whose participle is the base stay)
    static const std::unordered_map<std::string, std::string> subjects = {
        {"it's", "it"}, {"he's", "he"}, {"she's", "she"}, {"i'm", "I"}, {"we're", "we"}, {"they're", "they"},
        {"you're", "you"}};
    const auto subject = subjects.find(t[size_t(i)].lower);
    if (subject == subjects.end())
        return;
    const int v = i + 1;
    const std::string w = R::lowerAt(t, v);
    if (w.empty() || !R::tagIs(tags, v, "VB") || R::tagIs(tags, v, "VBG") || R::tagIs(tags, v, "VBN")
        || R::tagIs(tags, v, "VBD") || !m_lex.isCommonVerbBase(w) || m_lex.isAuxiliary(w)
        || m_lex.participleOf(w) == w || m_lex.baseEqualsPast(w) || (m_lex.isPos(w, Lexicon::Adjective) && w != "go"))
        return;
    const std::string next = R::lowerAt(t, v + 1);
    if (m_lex.isPos(w, Lexicon::Noun) && !R::tagIs(tags, v + 1, "DT") && !R::tagIs(tags, v + 1, "PRP")
        && next != "to")
        return; // "it's fun", "it's work"
    const bool third = subject->second == "it" || subject->second == "he" || subject->second == "she";
    std::string lead = subject->second;
    if (t[size_t(i)].isCapitalised())
        lead[0] = char(std::toupper(static_cast<unsigned char>(lead[0])));
    Finding f = R::replace(t, i, v, lead + " " + (third ? m_lex.thirdPerson(w) : w), "GRAMMAR", "be_verb", 2);
    Candidate progressive = f.candidates[0];
    progressive.correction = t[size_t(i)].text + " " + m_lex.ingOf(w);
    progressive.score = f.candidates[0].score / 2;
    f.candidates.push_back(progressive);
    out->push_back(f);
}

void ComplementRules::forSomeoneVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "It is important for us learn English" -> "for us to learn": after "for" and the doer the
    // verb is an infinitive
    static const Set doers = {"us", "me", "you", "him", "her", "them", "people", "students", "children", "everyone",
                              "everybody", "kids"};
    if (t[size_t(i)].lower != "for" || !doers.count(R::lowerAt(t, i + 1)))
        return;
    // only after an adjective or "time" ("important for us", "time for us")
    const std::string before = R::lowerAt(t, i - 1);
    if (!R::tagIs(tags, i - 1, "JJ") && before != "time")
        return;
    const int v = i + 2;
    const std::string w = R::lowerAt(t, v);
    if (w.empty() || t[size_t(v)].isCapitalised() || !m_lex.isCommonVerbBase(w) || m_lex.isAuxiliary(w)
        || m_lex.isPos(w, Lexicon::Adjective) || !R::tagIs(tags, v, "VB") || R::tagIs(tags, v, "VBG")
        || R::tagIs(tags, v, "VBN") || R::tagIs(tags, v, "VBD") || R::tagIs(tags, v, "VBZ"))
        return;
    if (m_lex.isPos(w, Lexicon::Noun) && !R::tagIs(tags, v + 1, "DT") && !R::tagIs(tags, v + 1, "PRP")
        && !R::tagIs(tags, v + 1, "NN") && !R::tagIs(tags, v + 1, "PRP$"))
        return;
    out->push_back(R::replace(t, v, v, "to " + t[size_t(v)].text, "GRAMMAR", "to_missing", 2));
}

void ComplementRules::objectVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "He wants me go", "My mother told me study hard" -> "me to go"; "I saw him to go out" ->
    // "saw him go": these verbs take the object and "to", verbs of perception take no "to"
    static const Set takeTo = {"want", "wants", "wanted", "ask", "asks", "asked", "tell", "tells", "told",
                               "encourage", "encourages", "encouraged", "allow", "allows", "allowed", "advise",
                               "advised", "expect", "expected", "force", "forced", "invite", "invited", "persuade",
                               "persuaded", "teach", "taught", "remind", "reminded", "warn", "warned", "order",
                               "ordered", "require", "required"};
    // ("go to see her to have my hair cut", "watched them to learn": "to" of purpose)
    static const Set perceive = {"see", "saw", "hear", "heard"};
    static const Set objects = {"me", "him", "her", "us", "them", "you"};
    const std::string &w = t[size_t(i)].lower;
    if (!objects.count(R::lowerAt(t, i + 1)) || !R::tagIs(tags, i, "VB"))
        return;
    if (perceive.count(w) && R::lowerAt(t, i + 2) == "to" && m_lex.isCommonVerbBase(R::lowerAt(t, i + 3))
        && R::lowerAt(t, i - 1) != "to" && R::lowerAt(t, i - 1) != "go" && R::lowerAt(t, i - 1) != "come") {
        Finding f;
        if (R::deletion(t, i + 2, "GRAMMAR", "perception_base", 2, &f))
            out->push_back(f);
        return;
    }
    if (!takeTo.count(w))
        return;
    const int v = i + 2;
    const std::string verb = R::lowerAt(t, v);
    if (verb.empty() || t[size_t(v)].isCapitalised() || !m_lex.isCommonVerbBase(verb) || m_lex.isAuxiliary(verb)
        || m_lex.baseEqualsPast(verb) || (m_lex.isPos(verb, Lexicon::Adjective) && verb != "go"))
        return;
    // "asked her name": a noun after the object is a second object
    static const Set after = {"home", "hard", "abroad", "out", "back", "up", "there"};
    // (verbs with two objects may take a noun compound there: "told them work stories")
    const bool twoObjects = w.compare(0, 3, "tel") == 0 || w == "told" || w.compare(0, 3, "tea") == 0
        || w == "taught" || w.compare(0, 3, "ask") == 0;
    const bool verbAfter = R::tagIs(tags, v + 1, "DT") || R::tagIs(tags, v + 1, "PRP") || R::tagIs(tags, v + 1, "PRP$")
        || after.count(R::lowerAt(t, v + 1)) || R::lowerAt(t, v + 1) == "to"
        || (!twoObjects && R::tagIs(tags, v + 1, "NNS"));
    const bool nounToo = m_lex.isPos(verb, Lexicon::Noun) && verb != "go" && verb != "come";
    if (nounToo ? !verbAfter : !(R::tagIs(tags, v, "VB") || verbAfter))
        return;
    out->push_back(R::replace(t, v, v, "to " + t[size_t(v)].text, "GRAMMAR", "to_missing", 2));
}

void ComplementRules::spendBareVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "He spent all his money buy clothes", "I spend two hours do homework" -> "buying", "doing"
    static const Set spend = {"spend", "spends", "spent", "spending", "waste", "wastes", "wasted"};
    static const Set amounts = {"time", "money", "hours", "hour", "days", "day", "minutes", "years", "weeks",
                                "months", "evenings", "afternoon", "morning", "weekend"};
    if (!spend.count(t[size_t(i)].lower))
        return;
    int k = i + 1;
    bool amount = false;
    while (k < int(t.size()) && k <= i + 5
           && (R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "PDT") || R::tagIs(tags, k, "PRP$") || R::tagIs(tags, k, "JJ")
               || R::tagIs(tags, k, "CD") || amounts.count(t[size_t(k)].lower))) {
        amount = amount || amounts.count(t[size_t(k)].lower) > 0;
        ++k;
    }
    if (!amount || !amounts.count(R::lowerAt(t, k - 1)))
        return;
    const std::string w = R::lowerAt(t, k);
    // ("spend hours do homework", "have fun": do and have are main verbs here)
    if (w.empty() || t[size_t(k)].isCapitalised() || !m_lex.isCommonVerbBase(w) || w == "be" || m_lex.isModal(w)
        || m_lex.isPos(w, Lexicon::Adjective) || !(R::tagIs(tags, k, "VB") || R::tagIs(tags, k, "NN")))
        return;
    // a word that is also a noun only before its own object
    if (m_lex.isPos(w, Lexicon::Noun) && !R::tagIs(tags, k + 1, "DT") && !R::tagIs(tags, k + 1, "PRP")
        && !R::tagIs(tags, k + 1, "PRP$") && !R::tagIs(tags, k + 1, "NNS") && !R::tagIs(tags, k + 1, "NN"))
        return;
    out->push_back(R::replace(t, k, k, m_lex.ingOf(w), "GRAMMAR", "verb_gerund", 2));
}

void ComplementRules::nounBareVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I have no time play games", "a chance see him" -> "time to play": these nouns take "to"
    static const Set nouns = {"time", "chance", "opportunity", "money", "right", "ability", "courage", "permission"};
    static const Set determiners = {"no", "enough", "the", "a", "an", "some", "more", "any", "little", "much"};
    if (!nouns.count(t[size_t(i)].lower) || !determiners.count(R::lowerAt(t, i - 1)))
        return;
    const int v = i + 1;
    const std::string w = R::lowerAt(t, v);
    const bool objectAfter = R::tagIs(tags, v + 1, "DT") || R::tagIs(tags, v + 1, "PRP") || R::tagIs(tags, v + 1, "PRP$")
        || R::tagIs(tags, v + 1, "NNS") || doneWords().count(R::lowerAt(t, v + 1));
    // the tagger may read "time play games" as a compound; an object after the word tells
    const bool verbTag = tags[size_t(v)] == "VB" || (tags[size_t(v)] == "NN" && objectAfter);
    if (w.empty() || t[size_t(v)].isCapitalised() || !verbTag || !m_lex.isCommonVerbBase(w) || m_lex.isAuxiliary(w)
        || m_lex.isPos(w, Lexicon::Adjective))
        return;
    // "time travel", "money transfer": a noun compound unless an object follows the verb
    if (m_lex.isPos(w, Lexicon::Noun) && !objectAfter && !(tags[size_t(v)] == "VB" && R::tagIs(tags, v + 1, "NN")))
        return;
    out->push_back(R::replace(t, v, v, "to " + t[size_t(v)].text, "GRAMMAR", "to_missing", 2));
}

void ComplementRules::beVeryVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I am very like it", "She is very enjoy it" -> "I really like it": "very" grades
    // adjectives; a verb takes "really" and no "be"
    static const Set verbs = {"like", "love", "enjoy", "want", "hope", "appreciate", "miss", "admire", "hate",
                              "agree"};
    static const std::unordered_map<std::string, const char *> subjects = {
        {"i", "am"}, {"we", "are"}, {"they", "are"}, {"you", "are"}, {"he", "is"}, {"she", "is"}};
    const auto subject = subjects.find(t[size_t(i)].lower);
    if (subject == subjects.end() || R::lowerAt(t, i + 1) != subject->second || R::lowerAt(t, i + 2) != "very")
        return;
    const std::string verb = R::lowerAt(t, i + 3);
    if (!verbs.count(verb))
        return;
    // "I am very like my father" compares: "like" only before "it", "to" or an -ing form
    const std::string next = R::lowerAt(t, i + 4);
    if (verb == "like" && next != "it" && next != "to" && !R::tagIs(tags, i + 4, "VBG"))
        return;
    const bool third = subject->second == std::string("is");
    out->push_back(R::replace(t, i + 1, i + 3, "really " + (third ? m_lex.thirdPerson(verb) : verb), "GRAMMAR",
                              "very_verb", 2));
}

void ComplementRules::causativeForm(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "Let him goes", "He made me cried", "I heard him sang" -> the base form after let/make,
    // a verb of perception, and its object
    static const Set causatives = {"let", "lets", "make", "makes", "made", "making", "saw", "heard", "watched",
                                   "noticed", "felt", "see", "hear", "watch", "help", "helps", "helped", "helping"};
    static const Set articles = {"the", "a", "an"};
    const Set &objects = WordClasses::words(WordClass::ObjectPronoun);
    const std::string &verb = t[size_t(i)].lower;
    if (!causatives.count(verb))
        return;
    const bool perceiving = verb[0] != 'm' && verb[0] != 'l' && verb.compare(0, 4, "help") != 0;
    int v = i + 2;
    bool phrase = false;
    if (!objects.count(R::lowerAt(t, i + 1))) {
        // "makes the product looks", "help your child learns": a noun phrase as the object;
        // after a verb of perception it may open a clause ("I noticed the price rises")
        if (perceiving || !(articles.count(R::lowerAt(t, i + 1)) || R::tagIs(tags, i + 1, "PRP$")))
            return;
        int k = i + 2;
        while (k < int(t.size()) && R::tagIs(tags, k, "JJ"))
            ++k;
        if (!R::nounTag(tags, k) || R::tagIs(tags, k, "NNP") || t[size_t(k)].isCapitalised())
            return;
        v = k + 1;
        phrase = true;
    }
    const std::string w = R::lowerAt(t, v);
    if (w.empty() || t[size_t(v)].isCapitalised() || w == "is" || w == "was" || R::lowerAt(t, v + 1) == "by")
        return;
    const bool third = m_lex.isThirdPerson(w) && !m_lex.isPos(w, Lexicon::Noun);
    // "made the boy tired": an -ed form after a noun may describe it; "in making the dedication
    // has caused": after a gerund the phrase may be the subject of the next verb
    if (phrase && (!third || w == "has" || w == "does" || verb.back() == 'g'))
        return;
    // an -ed form that is also an adjective describes the object: "made me tired"
    const bool past = m_lex.isPastForm(w) && !m_lex.isPos(w, Lexicon::Adjective) && !m_lex.isParticiple(w)
        && (m_lex.participleOf(m_lex.baseOf(w)) != w || (w.size() > 3 && w.compare(w.size() - 2, 2, "ed") == 0));
    const std::string base = m_lex.baseOf(w);
    if ((!third && !past) || base.empty() || base == w || m_lex.isPos(w, Lexicon::Adjective))
        return;
    // after a verb of perception an -ed form may be a passive ("I heard him called a liar"):
    // only a past that cannot be a participle ("sang", "ran")
    if (perceiving && !third && m_lex.participleOf(base) == w)
        return;
    out->push_back(R::replace(t, v, v, base, "GRAMMAR", perceiving ? "perception_base" : "causative_to", 2));
}

} // namespace PennovaChecker
