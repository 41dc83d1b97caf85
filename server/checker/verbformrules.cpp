#include "verbformrules.h"

#include "lexicon.h"
#include "rulesupport.h"
#include "transitivityrules.h"
#include "wordclasses.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;
using R = RuleSupport;

const Set &adverbsBetween()
{
    static const Set s = {"very", "so", "really", "too", "always", "still", "also", "often", "usually", "quite",
                          "not", "now", "already", "just", "never", "all", "both", "even", "certainly"};
    return s;
}

const Set &modals() { return WordClasses::words(WordClass::Modal); }

bool isWordAt(const std::vector<Token> &t, int i) { return i >= 0 && i < int(t.size()) && t[size_t(i)].kind == Token::Word; }

bool finiteTag(const std::vector<std::string> &tags, int i)
{
    return R::tagIs(tags, i, "VBZ") || R::tagIs(tags, i, "VBP") || R::tagIs(tags, i, "VBD") || R::tagIs(tags, i, "MD");
}

// The end of a phrase that a missing "be" leaves hanging: punctuation, a preposition,
// "to", a conjunction or the end.
bool phraseEnd(const std::vector<Token> &t, const std::vector<std::string> &tags, int i)
{
    if (i >= int(t.size()) || t[size_t(i)].kind == Token::Punct)
        return true;
    return R::tagIs(tags, i, "IN") || R::tagIs(tags, i, "TO") || R::tagIs(tags, i, "CC");
}

// The last noun of a noun phrase from k: an optional determiner or possessive, adjectives,
// nouns (names too when withNames); -1 when there is no noun.
int nounPhraseHead(const std::vector<std::string> &tags, int k, bool withNames, bool *determined)
{
    *determined = R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "PRP$");
    if (*determined)
        ++k;
    while (R::tagIs(tags, k, "JJ"))
        ++k;
    int head = -1;
    for (; R::tagIs(tags, k, "NN") && (withNames || !R::tagIs(tags, k, "NNP")); ++k)
        head = k;
    return head;
}

// The sentence speaks of the past: it has a past verb or "could"/"would" and no present one.
bool pastSentence(const std::vector<Token> &t, const std::vector<std::string> &tags)
{
    bool past = false;
    for (int i = 0; i < int(t.size()); ++i) {
        if (R::tagIs(tags, i, "VBZ") || R::tagIs(tags, i, "VBP") || t[size_t(i)].lower == "will")
            return false;
        past = past || R::tagIs(tags, i, "VBD") || t[size_t(i)].lower == "could" || t[size_t(i)].lower == "would";
    }
    return past;
}

// "be" for a subject: I -> am, he/she/it or a singular noun -> is, others -> are.
std::string beFor(const std::string &subject, bool pluralNoun, bool past)
{
    const bool plural = pluralNoun || subject == "we" || subject == "they" || subject == "you";
    if (past)
        return plural ? "were" : "was";
    return subject == "i" ? "am" : plural ? "are" : "is";
}

// verbs that end an embedded question's subject ("what the problem is")
const Set &mainVerbsAfterQuestionWord()
{
    static const Set s = {"is", "was", "can", "could", "will", "would", "may", "might", "should", "must",
                          "makes", "helps", "gives", "brings", "means", "takes", "requires", "needs"};
    return s;
}

} // namespace

bool VerbFormRules::adjectiveOnly(const std::string &w) const
{
    // a verb form read as an adjective ("used", "worried", "organized") may be the verb itself;
    // of the -ed forms only the feelings count ("they interested in")
    static const Set feelings = {"interested", "excited", "bored", "tired", "satisfied", "disappointed", "pleased",
                                 "frightened", "confused", "embarrassed", "amazed", "ashamed", "delighted"};
    if (w.size() > 4 && w.compare(w.size() - 2, 2, "ed") == 0)
        return feelings.count(w) != 0;
    return (m_lex.posMask(w) == Lexicon::Adjective && m_lex.baseOf(w).empty()) || w == "sure";
}

std::string VerbFormRules::baseOfIng(const std::string &w) const
{
    return RuleSupport::baseOfIng(m_lex, w);
}

void VerbFormRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                          std::vector<Finding> *out) const
{
    if (tags.size() != t.size() || tags.empty() || tags[0].empty())
        return;
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        pronounWithoutBe(t, tags, i, out);
        clauseWithoutBe(t, tags, i, out);
        auxiliaryAdjective(t, tags, i, out);
        modalDo(t, i, out);
        missingTo(t, tags, i, out);
        bareParticiple(t, tags, i, out);
        stativeProgressive(t, tags, i, out);
        auxiliaryIng(t, tags, i, out);
        beWithThirdPerson(t, tags, i, out);
        ingAfterPhrase(t, tags, i, out);
        noForNot(t, tags, i, out);
        pronounPassive(t, tags, i, out);
        relativeWithoutBe(t, tags, i, out);
        embeddedQuestion(t, tags, i, out);
        beNotVerb(t, tags, i, out);
        nounVeryAdjective(t, tags, i, out);
        conjunctionBareVerb(t, tags, i, out);
        intransitivePassive(t, tags, i, out);
        passivePast(t, tags, i, out);
        perfectPassiveObject(t, tags, i, out);
    }
    bareVerbSubject(t, tags, out);
    nounPassive(t, tags, out);
    doubleSubject(t, tags, out);
}

void VerbFormRules::pronounWithoutBe(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I going to school", "They really interested in music", "He very busy.", "I born in 1999"
    static const Set subjects = {"i", "he", "she", "we", "they"};
    const std::string &s = t[size_t(i)].lower;
    if (!subjects.count(s) || (s == "i" && t[size_t(i)].text != "I"))
        return;
    const std::string before = R::lowerAt(t, i - 1);
    if (before == "than" || before == "as" || before == "and" || before == "or" || m_lex.isAuxiliary(before)
        || before == "which" || before == "that" || before == "whom")
        return; // comparisons, compound subjects, questions ("What am I capable of?"), object relatives
    int k = i + 1;
    if (adverbsBetween().count(R::lowerAt(t, k)) && isWordAt(t, k + 1))
        ++k;
    if (!isWordAt(t, k) || t[size_t(k)].isCapitalised())
        return;
    const std::string &w = t[size_t(k)].lower;
    if (k == i + 1 && !TransitivityRules::feelingWithoutObjectAt(m_lex, t, i).empty())
        return; // "they interested in": the feeling rule's, whatever the tag
    const bool past = pastSentence(t, tags);
    std::string be;
    if (w == "born" && k == i + 1) {
        be = beFor(s, false, true);
    } else if (R::tagIs(tags, k, "VBG") && !baseOfIng(w).empty()) {
        // a gerund right after a pronoun is a progressive without its "be"
        be = beFor(s, false, past);
    } else if (R::tagIs(tags, k, "JJ") && adjectiveOnly(w) && phraseEnd(t, tags, k + 1)) {
        be = beFor(s, false, past);
    } else {
        return;
    }
    const std::string fixed = t[size_t(i)].text + " " + be + " " + R::textOf(t, i + 1, k);
    out->push_back(R::replace(t, i, k, fixed, "GRAMMAR", "be_missing", 2));
}

void VerbFormRules::clauseWithoutBe(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "When my grandmother getting old, ..." -> "was getting": a noun subject and an -ing
    // form with no finite verb in the clause; or in a sentence with no finite verb at all
    // ("Nowadays many people using phones.", "The number of cars increasing every year.")
    static const Set openers = {"when", "while", "if", "because", "although", "though", "since", "once", "until",
                                "unless", "whereas"};
    const bool opener = openers.count(t[size_t(i)].lower) != 0;
    // the sentence's own subject: at its start or after an opening adverb ("Nowadays, many people")
    static const Set degreeWords = {"no", "not", "never", "only", "just", "even", "so", "very", "too", "more", "most",
                                    "less", "also", "almost"};
    const bool sentenceStart = i == 0 && !opener
        ? true
        : i > 0 && !opener && R::tagIs(tags, 0, "RB") && !degreeWords.count(t[0].lower)
            && (i == 1 || (i == 2 && t[1].text == ","));
    if (!opener && !sentenceStart)
        return;
    bool determined = false;
    const int head = nounPhraseHead(tags, opener ? i + 1 : i, false, &determined);
    if (head < 0 || (!determined && !R::tagIs(tags, head, "NNS")))
        return; // a bare singular may be a gerund or a name
    // a sentence's subject: not a name, not a verb's -s form the tagger joined to a noun ("The
    // chart presents data showing", a plural inside the phrase), not a phrase with "no" (a
    // headline: "No more trains leaving")
    const int first = opener ? i + 1 : i;
    if (sentenceStart && ((t[size_t(head)].isCapitalised() && head > 0) || m_lex.isThirdPerson(t[size_t(head)].lower)
                          || t[size_t(first)].lower == "no"))
        return;
    for (int k = first; sentenceStart && k < head; ++k)
        if (R::tagIs(tags, k, "NNS"))
            return;
    int v = head + 1;
    if (sentenceStart && R::lowerAt(t, v) == "of") {
        bool of = false;
        const int ofHead = nounPhraseHead(tags, v + 1, false, &of);
        v = ofHead < 0 ? -1 : ofHead + 1;
    }
    if (v < 0 || !R::tagIs(tags, v, "VBG") || !isWordAt(t, v) || baseOfIng(t[size_t(v)].lower).empty())
        return;
    // "if the people living here agree": a reduced relative clause (a plain VB not after "to"
    // is a present the tagger took for a base form); a sentence's subject needs no verb anywhere
    for (int m = v + 1; m < int(t.size()) && (sentenceStart || !R::clauseBoundary(t[size_t(m)])); ++m)
        if (finiteTag(tags, m) || (R::tagIs(tags, m, "VB") && !R::tagIs(tags, m - 1, "TO")) || R::tagIs(tags, m, "MD"))
            return;
    const std::string be = beFor(R::lowerAt(t, head), R::tagIs(tags, head, "NNS"), pastSentence(t, tags));
    out->push_back(R::replace(t, v, v, be + " " + t[size_t(v)].text, "GRAMMAR", "be_missing", 2));
}

void VerbFormRules::auxiliaryAdjective(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "You will happy" -> "will be happy"; "They didn't successful" -> "weren't successful"
    const Set &doForms = WordClasses::words(WordClass::DoForm);
    const std::string &a = t[size_t(i)].lower;
    const bool modal = modals().count(a) != 0;
    if (!modal && !doForms.count(a))
        return;
    int k = i + 1;
    const bool negated = R::lowerAt(t, k) == "not" || (a.size() > 3 && a.compare(a.size() - 3, 3, "n't") == 0)
        || a == "cannot";
    if (R::lowerAt(t, k) == "not")
        ++k;
    if (!modal && !negated)
        return; // "Do you happy?" is left to the question rules
    // adjectives that are also rare nouns or verbs count before "to", a preposition or the end
    static const Set mostlyAdjectives = {"ready", "busy", "sorry", "angry", "tired", "late", "free", "quiet"};
    const bool adjectiveHere = isWordAt(t, k) && (adjectiveOnly(t[size_t(k)].lower)
                                                  || (mostlyAdjectives.count(t[size_t(k)].lower) && phraseEnd(t, tags, k + 1)));
    if (!adjectiveHere || t[size_t(k)].isCapitalised() || t[size_t(k)].lower == "able")
        return;
    if (R::tagIs(tags, k + 1, "VB") || R::tagIs(tags, k + 1, "NN") || R::tagIs(tags, k + 1, "JJ"))
        return; // "will sure help", an adjective before its noun
    const std::string &adjective = t[size_t(k)].text;
    if (modal) {
        out->push_back(R::replace(t, k, k, "be " + adjective, "GRAMMAR", "be_missing", 2));
        return;
    }
    // the subject before "do": a pronoun or a noun; none: an imperative ("Don't sad")
    const int s = R::prevWord(t, i);
    const std::string subject = R::lowerAt(t, s);
    std::string fixed;
    if (s < 0 || R::tagIs(tags, s, "CC") || R::tagIs(tags, s, "RB")) {
        fixed = t[size_t(i)].text + (a == "do" ? " not be " : " be ") + adjective;
        if (a != "do" && a != "don't")
            return;
    } else if (R::tagIs(tags, s, "PRP") || R::tagIs(tags, s, "NN")) {
        const bool past = a == "did" || a == "didn't";
        const std::string be = beFor(subject, R::tagIs(tags, s, "NNS"), past);
        const bool contracted = a.find('\'') != std::string::npos;
        fixed = (contracted && be != "am" ? be + "n't" : be + " not") + " " + adjective;
    } else {
        return;
    }
    out->push_back(R::replace(t, i, k, fixed, "GRAMMAR", "be_missing", 2));
}

void VerbFormRules::modalDo(const Tokens &t, int i, std::vector<Finding> *out) const
{
    // "People may still do not know" -> "may still not know": a modal is negated by "not" alone
    static const Set between = {"still", "also", "just", "even", "really", "certainly", "probably", "sometimes"};
    static const Set doForms = {"do", "does", "did"};
    const Set &doNot = WordClasses::words(WordClass::DoNot);
    if (!modals().count(t[size_t(i)].lower) || t[size_t(i)].lower.find('\'') != std::string::npos)
        return;
    int d = i + 1;
    if (between.count(R::lowerAt(t, d)))
        ++d;
    const std::string w = R::lowerAt(t, d);
    int last = d;
    if (doForms.count(w) && R::lowerAt(t, d + 1) == "not")
        last = d + 1;
    else if (!doNot.count(w))
        return;
    const std::string next = R::lowerAt(t, last + 1);
    if (next.empty() || next == "only" || next == "just" || next == "merely" || !m_lex.isCommonVerbBase(next))
        return;
    out->push_back(R::replace(t, d, last, "not", "GRAMMAR", "modal_do", 3));
}

void VerbFormRules::missingTo(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I want go home" -> "want to go": these verbs take "to" before another verb
    static const Set takesTo = {"want", "wants", "wanted", "decide", "decides", "decided", "hope", "hopes", "hoped",
                                "plan", "plans", "planned", "refuse", "refuses", "refused", "promise", "promised",
                                "learn", "learns", "learned", "learnt", "expect", "expects", "expected", "wish",
                                "wished", "manage", "managed", "afford", "pretend", "pretended", "agree", "agreed",
                                "used", "prefer", "prefers", "preferred"};
    const std::string &w = t[size_t(i)].lower;
    const std::string before = R::lowerAt(t, i - 1);
    // ("Would you like go?": the subject may stand between in a question)
    const bool wouldLike = w == "like"
        && (before == "would" || (before.size() > 2 && before.compare(before.size() - 2, 2, "'d") == 0)
            || (R::lowerAt(t, i - 2) == "would" && R::isSubjectPronoun(before)));
    if ((!takesTo.count(w) && !wouldLike) || !(R::tagIs(tags, i, "VB") || wouldLike))
        return;
    // "I used to going there" -> "go": without "be" or "get", "used to" takes the base form
    if (w == "used" && R::lowerAt(t, i + 1) == "to" && R::tagIs(tags, i + 2, "VBG") && !m_lex.isAuxiliary(before)
        && before != "get" && before != "got" && before != "getting" && !baseOfIng(R::lowerAt(t, i + 2)).empty()) {
        out->push_back(R::replace(t, i + 2, i + 2, baseOfIng(R::lowerAt(t, i + 2)), "GRAMMAR", "to_infinitive", 2));
        return;
    }
    if (w == "used")
        return; // "We used water": only "used to" is a pattern here
    const int v = R::nextWord(t, i);
    if (v < 0 || t[size_t(v)].isCapitalised())
        return;
    // "I want going" -> "to go" (not after "learn": "learn swimming" names a skill; "prefer
    // studying" is as right as "prefer to study")
    const std::string ingBase = R::tagIs(tags, v, "VBG") ? baseOfIng(t[size_t(v)].lower) : std::string();
    const bool takesIngToo = w.compare(0, 5, "learn") == 0 || w.compare(0, 6, "prefer") == 0;
    if (!ingBase.empty() && !takesIngToo && !R::tagIs(tags, v + 1, "NN")) {
        out->push_back(R::replace(t, v, v, "to " + ingBase, "GRAMMAR", "to_missing", 2));
        return;
    }
    const std::string &verb = t[size_t(v)].lower;
    const int mask = m_lex.posMask(verb);
    const bool verbOnly = mask == Lexicon::Verb;
    // a word that is only ever a verb stays one whatever the tagger makes of it here
    if (!R::tagIs(tags, v, "VB") && !verbOnly)
        return;
    // a word that is also a noun or an adjective ("want help", "wish luck") only when it is a
    // common verb with an object or a place after it
    const bool object = R::tagIs(tags, v + 1, "DT") || R::tagIs(tags, v + 1, "PRP") || R::tagIs(tags, v + 1, "RB")
        || R::tagIs(tags, v + 1, "IN") || R::tagIs(tags, v + 1, "TO");
    if (!verbOnly && !(m_lex.isCommonVerbBase(verb) && object))
        return;
    if (verb == "help" || verb == "please" || verb == "thank")
        return;
    out->push_back(R::replace(t, v, v, "to " + t[size_t(v)].text, "GRAMMAR", "to_missing", 2));
}

void VerbFormRules::bareParticiple(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I seen it" -> "saw" (or "have seen"); "reasons that drawn me" -> "drew"
    const Set &subjects = WordClasses::words(WordClass::PersonalSubject);
    static const Set between = {"already", "just", "never", "ever", "also", "really", "all"};
    const std::string &s = t[size_t(i)].lower;
    const bool pronoun = subjects.count(s) && (s != "i" || t[size_t(i)].text == "I");
    const bool relative = (s == "that" || s == "who" || s == "which") && R::tagIs(tags, i, "W")
        && R::tagIs(tags, i - 1, "NN");
    if (!pronoun && !relative)
        return;
    // "As we all known, ..." -> "know": the fixed aside takes the present
    if (R::lowerAt(t, i - 1) == "as" && (s == "we" || s == "you" || s == "they")) {
        const int k = R::lowerAt(t, i + 1) == "all" ? i + 2 : i + 1;
        const std::string &after = k + 1 < int(t.size()) ? t[size_t(k) + 1].text : std::string();
        if (R::lowerAt(t, k) == "known" && (after == "," || after == "that")) {
            out->push_back(R::replace(t, k, k, "know", "GRAMMAR", "participle_alone", 2));
            return;
        }
    }
    if (pronoun && (R::lowerAt(t, i - 1) == "than" || R::lowerAt(t, i - 1) == "as" || m_lex.isAuxiliary(R::lowerAt(t, i - 1))))
        return; // "What have you done?"
    int v = i + 1;
    if (pronoun && between.count(R::lowerAt(t, v)))
        ++v;
    if (!isWordAt(t, v) || t[size_t(v)].isCapitalised() || t[size_t(v)].attached)
        return;
    const std::string &w = t[size_t(v)].lower;
    if (w == "born" || w == "been" || !m_lex.isParticiple(w) || R::tagIs(tags, v, "NN"))
        return;
    // with an object or a place after it: "I seen him", "they gone home"
    const bool object = R::tagIs(tags, v + 1, "DT") || R::tagIs(tags, v + 1, "PRP") || R::tagIs(tags, v + 1, "IN")
        || R::tagIs(tags, v + 1, "RB") || R::tagIs(tags, v + 1, "TO") || R::tagIs(tags, v + 1, "NN");
    if (!object || (relative && !(R::tagIs(tags, v + 1, "PRP") || R::tagIs(tags, v + 1, "DT"))))
        return;
    const std::string base = m_lex.baseOf(w);
    const std::string past = m_lex.pastOf(base);
    if (base.empty() || past.empty() || past == w)
        return;
    // after a pronoun the simple past; in a relative clause the present agreeing with the noun before it
    const bool singularNoun = relative && !R::tagIs(tags, i - 1, "NNS");
    const std::string first = pronoun ? past : singularNoun ? m_lex.thirdPerson(base) : base;
    Finding f = R::replace(t, v, v, first, "GRAMMAR", "participle_alone", 2);
    Candidate second = f.candidates[0];
    second.correction = pronoun ? ((s == "he" || s == "she") ? "has " : "have ") + w : past;
    second.score = f.candidates[0].score / 2;
    f.candidates.push_back(second);
    out->push_back(f);
}

void VerbFormRules::stativeProgressive(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "Many people are believing in it" -> "believe": verbs of states take no progressive
    const Set &be = WordClasses::words(WordClass::BeForm);
    static const Set states = {"know", "believe", "belong", "own", "possess", "contain", "consist", "resemble",
                               "seem", "prefer"};
    const std::string &b = t[size_t(i)].lower;
    if (!be.count(b))
        return;
    const std::string subject = R::lowerAt(t, i - 1);
    const bool pronoun = R::isSubjectPronoun(subject) && subject != "it" && subject != "you";
    if (!pronoun && !R::tagIs(tags, i - 1, "NNS"))
        return; // "The key is knowing when to stop": a gerund after a singular noun
    int v = i + 1;
    if ((R::lowerAt(t, v) == "still" || R::lowerAt(t, v) == "also" || R::lowerAt(t, v) == "all") && isWordAt(t, v + 1))
        ++v;
    const std::string base = baseOfIng(R::lowerAt(t, v));
    if (base.empty() || !states.count(base) || !R::tagIs(tags, v, "VBG"))
        return;
    const bool past = b == "was" || b == "were";
    const bool third = b == "is" || (b == "was" && subject != "i");
    const std::string verb = past ? m_lex.pastOf(base) : third ? m_lex.thirdPerson(base) : base;
    const std::string fixed = v > i + 1 ? t[size_t(i) + 1].text + " " + verb : verb;
    out->push_back(R::replace(t, i, v, fixed, "GRAMMAR", "stative_progressive", 2));
}

void VerbFormRules::auxiliaryIng(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I will going there", "She can swimming", "He didn't coming" -> the base form
    const Set &doNot = WordClasses::words(WordClass::DoNot);
    const std::string &a = t[size_t(i)].lower;
    const bool doForm = doNot.count(a) || ((a == "do" || a == "does" || a == "did") && R::lowerAt(t, i + 1) == "not");
    if (!modals().count(a) && !doForm)
        return;
    if (a == "may" && t[size_t(i)].isCapitalised() && i > 0)
        return; // the month
    const std::string before = R::lowerAt(t, i - 1);
    if (before == "as" || before == "than" || before == "so" || before == "nor" || before == "neither")
        return; // "as will adding hay": the modal stands before its subject
    int v = i + 1;
    if (R::lowerAt(t, v) == "not")
        ++v;
    if (!isWordAt(t, v) || t[size_t(v)].isCapitalised() || !R::tagIs(tags, v, "VBG"))
        return;
    const std::string base = baseOfIng(t[size_t(v)].lower);
    if (base.empty() || base == "be")
        return;
    out->push_back(R::replace(t, v, v, base, "GRAMMAR", doForm ? "do_base" : "modal_base", 2));
}

void VerbFormRules::beWithThirdPerson(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "It is depends on you", "He is goes to school": a finite verb needs no "be" before it
    const std::string &b = t[size_t(i)].lower;
    if (b != "is" && b != "was")
        return;
    const std::string subject = R::lowerAt(t, i - 1);
    if (!R::isThirdSingularPronoun(subject) && !(R::tagIs(tags, i - 1, "NN") && !R::tagIs(tags, i - 1, "NNS")))
        return;
    const int v = i + 1;
    const std::string w = R::lowerAt(t, v);
    if (w.empty() || t[size_t(v)].isCapitalised() || !R::tagIs(tags, v, "VBZ") || !m_lex.isThirdPerson(w)
        || w == "is" || w == "has" || w == "does")
        return;
    const std::string base = m_lex.baseOf(w);
    if (base.empty() || m_lex.isPos(w, Lexicon::Noun))
        return; // "The aim is means to an end"
    out->push_back(R::replace(t, i, v, t[size_t(v)].text, "GRAMMAR", "be_verb", 2));
}

void VerbFormRules::ingAfterPhrase(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    static const Set spend = {"spend", "spends", "spent", "spending", "waste", "wastes", "wasted", "wasting"};
    static const Set timeWords = {"time", "hours", "days", "years", "minutes", "weeks", "months", "evenings",
                                  "weekends", "afternoon", "morning", "day"};
    static const Set difficulty = {"difficulty", "difficulties", "trouble", "problems"};
    static const Set have = {"have", "has", "had", "having"};
    const std::string &w = t[size_t(i)].lower;
    int to = -1;
    if (w == "worth" && R::lowerAt(t, i + 1) == "to") {
        to = i + 1;
    } else if (spend.count(w)) {
        // "spend (a lot of / two) hours to finish"
        for (int k = i + 1; k <= i + 5 && k < int(t.size()); ++k) {
            if (timeWords.count(R::lowerAt(t, k))) {
                if (R::lowerAt(t, k + 1) == "to")
                    to = k + 1;
                break;
            }
            if (!(R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "CD") || R::tagIs(tags, k, "JJ")
                  || R::lowerAt(t, k) == "lot" || R::lowerAt(t, k) == "of" || R::tagIs(tags, k, "PRP$")))
                break;
        }
    } else if (difficulty.count(w) && have.count(R::lowerAt(t, i - 1)) && R::lowerAt(t, i + 1) == "to") {
        to = i + 1;
    }
    const int v = to < 0 ? -1 : R::nextWord(t, to);
    if (v < 0 || !R::tagIs(tags, v, "VB") || !m_lex.isCommonVerbBase(t[size_t(v)].lower)
        || t[size_t(v)].lower == "be")
        return;
    out->push_back(R::replace(t, to, v, m_lex.ingOf(t[size_t(v)].lower), "GRAMMAR", "verb_gerund", 2));
}

void VerbFormRules::clauseVerbSubject(const Tokens &t, const Tags &tags, int f, std::vector<Finding> *out) const
{
    // "Understand how they work would give students a lesson" -> "Understanding": a verb with a
    // question-word clause, and then a second verb that has no subject of its own. A verb of
    // saying in the inner clause may take that verb ("Remember what I said would happen").
    static const Set questionWords = {"how", "what", "why", "where", "when", "whether", "who", "which"};
    static const Set reporting = {"said", "say", "says", "think", "thinks", "thought", "believe", "believed",
                                  "expect", "expected", "told", "tell", "know", "knew", "hope", "feel", "felt",
                                  "guess", "suppose", "mean", "meant", "imagine"};
    const Set &mainVerbs = mainVerbsAfterQuestionWord();
    if (!questionWords.count(R::lowerAt(t, f + 1)))
        return;
    bool inner = R::lowerAt(t, f + 2) == "to"; // "how to swim" is a whole clause already
    for (int k = f + 2; k < int(t.size()); ++k) {
        const Token &tok = t[size_t(k)];
        if (R::clauseBoundary(tok) || tok.lower == "that")
            return;
        const bool finite = R::tagIs(tags, k, "VBP") || R::tagIs(tags, k, "VBD") || R::tagIs(tags, k, "VBZ")
            || R::tagIs(tags, k, "MD");
        if (inner && mainVerbs.count(tok.lower)) {
            out->push_back(R::replace(t, f, f, R::caseLike(t[size_t(f)], m_lex.ingOf(t[size_t(f)].lower)), "GRAMMAR",
                                      "gerund_subject", 2));
            return;
        }
        if (finite) {
            if (inner || reporting.count(tok.lower))
                return;
            inner = true;
            if (R::tagIs(tags, k, "MD"))
                ++k; // the modal's own verb
        }
    }
}

void VerbFormRules::bareVerbSubject(const Tokens &t, const Tags &tags, std::vector<Finding> *out) const
{
    // verbs that open an imperative with a clause after them: "Remember the days are short"
    static const Set clauseVerbs = {"remember", "know", "think", "believe", "imagine", "suppose", "say", "see",
                                    "note", "notice", "make", "ensure", "assume", "consider", "find", "tell",
                                    "ask", "show", "explain", "guess", "hope", "let", "check", "look", "keep",
                                    "forget", "feel", "pretend", "realize", "understand", "watch", "hear", "trust",
                                    "please", "help", "go", "come", "click", "thank"};
    const Set &mainVerbs = mainVerbsAfterQuestionWord();
    // at the start, or after an opening adverb and its comma ("Moreover, take risks teaches"),
    // or after "that" and a verb of saying ("The lecture thinks that take the tax is not good")
    static const Set reporting = {"think", "thinks", "thought", "believe", "believes", "believed", "say", "says",
                                  "said", "claim", "claims", "claimed", "argue", "argues", "argued", "feel", "feels"};
    int f = R::tagIs(tags, 0, "RB") && t.size() > 2 && t[1].text == "," ? 2 : 0;
    if ((f == 0 && !t[0].isCapitalised()) || !R::tagIs(tags, f, "VB"))
        f = -1;
    for (int k = 1; f < 0 && k + 1 < int(t.size()); ++k)
        if (t[size_t(k)].lower == "that" && reporting.count(R::lowerAt(t, k - 1)))
            f = k + 1;
    if (f < 0 || int(t.size()) < f + 4 || t[size_t(f)].kind != Token::Word || !R::tagIs(tags, f, "VB"))
        return;
    const std::string &w = t[size_t(f)].lower;
    // a word that is also a noun only when the tagger reads a verb with an object after it
    // ("Take risks teaches you"; "Work experience helps" is a noun phrase)
    const bool verbTag = !R::tagIs(tags, f, "VBD") && !R::tagIs(tags, f, "VBN") && !R::tagIs(tags, f, "VBG");
    const bool nounWithObject = m_lex.isPos(w, Lexicon::Noun) && verbTag
        && (R::tagIs(tags, f + 1, "DT") || R::tagIs(tags, f + 1, "PRP$") || R::tagIs(tags, f + 1, "PRP")
            || (R::tagIs(tags, f + 1, "NNS") && R::tagIs(tags, f + 2, "VBZ")));
    if (!m_lex.isCommonVerbBase(w) || (m_lex.isPos(w, Lexicon::Noun) && !nounWithObject)
        || m_lex.isPos(w, Lexicon::Adjective) || m_lex.isAuxiliary(w) || t.back().text == "?")
        return; // "Do your employees know ...?" asks
    if (clauseVerbs.count(w)) {
        clauseVerbSubject(t, tags, f, out);
        return;
    }
    // the verb's object, then the sentence's own verb before any comma or clause word
    for (int k = f + 1; k < int(t.size()); ++k) {
        if (R::clauseBoundary(t[size_t(k)]) || R::tagIs(tags, k, "VBD") || R::tagIs(tags, k, "VBP"))
            return;
        if (k >= f + 2 && (mainVerbs.count(t[size_t(k)].lower) || (f > 0 && R::tagIs(tags, k, "VBZ")))) {
            out->push_back(R::replace(t, f, f, R::caseLike(t[size_t(f)], m_lex.ingOf(w)), "GRAMMAR", "gerund_subject", 2));
            return;
        }
    }
}

void VerbFormRules::noForNot(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I no like it", "someone who no give" -> "don't"/"doesn't": "no" does not negate a verb
    if (t[size_t(i)].lower != "no")
        return;
    const std::string s = R::lowerAt(t, i - 1);
    const bool relative = (s == "who" || s == "that") && R::tagIs(tags, i - 2, "NN");
    if (!(R::isSubjectPronoun(s) && s != "it" && s != "you") && !relative)
        return;
    const int v = R::nextWord(t, i);
    if (v < 0 || !m_lex.isCommonVerbBase(t[size_t(v)].lower) || t[size_t(v)].lower == "more"
        || t[size_t(v)].lower == "longer")
        return;
    // after "who no" the clause still needs its verb, so a noun reading of a common verb does not
    // count there ("someone who no give"); after a pronoun it does ("I no money")
    const bool verbOnly = m_lex.posMask(t[size_t(v)].lower) == Lexicon::Verb;
    if (!verbOnly && !relative && (R::tagIs(tags, v, "NN") || R::tagIs(tags, v, "JJ")))
        return;
    if (R::tagIs(tags, v, "JJ") && !verbOnly)
        return;
    const bool third = R::isThirdSingularPronoun(s) || (relative && !R::tagIs(tags, i - 2, "NNS"));
    out->push_back(R::replace(t, i, i, third ? "doesn't" : "don't", "GRAMMAR", "no_not", 2));
}

void VerbFormRules::pronounPassive(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "They killed by ships" -> "They were killed by": a passive with "by" needs "be"
    static const Set subjects = {"i", "he", "she", "we", "they"};
    static const Set intransitive = {"go", "come", "stand", "sit", "pass", "live", "walk", "stop", "drop", "run",
                                     "fly", "die", "arrive", "travel", "stay", "grow", "rise", "fall", "swear",
                                     "abide", "get", "do", "go", "learn", "earn", "succeed", "begin", "start", "end",
                                     "swim", "drive", "ride", "sail", "lead", "win", "lose", "finish", "work",
                                     // and those that take "by" for a place, a way or a measure: "We waited
                                     // by the car", "met by the lake", "paid by the hour"
                                     "wait", "meet", "pay", "sleep", "lie", "play", "eat", "gather", "park",
                                     "camp", "settle", "kneel", "rest", "move", "hurry", "rush", "shop"};
    const std::string &s = t[size_t(i)].lower;
    if (!subjects.count(s) || (s == "i" && t[size_t(i)].text != "I") || m_lex.isAuxiliary(R::lowerAt(t, i - 1)))
        return;
    const int v = R::nextWord(t, i);
    if (v < 0 || !(R::tagIs(tags, v, "VBN") || R::tagIs(tags, v, "VBD")) || R::lowerAt(t, v + 1) != "by")
        return;
    const std::string &w = t[size_t(v)].lower;
    const std::string base = m_lex.baseOf(w);
    if (base.empty() || intransitive.count(base) || m_lex.participleOf(base) != w)
        return;
    // "by" must open a noun phrase, not "by then", "by heart"
    const int n = v + 2;
    if (!(R::tagIs(tags, n, "DT") || R::tagIs(tags, n, "NNS") || R::tagIs(tags, n, "PRP") || R::tagIs(tags, n, "NNP")))
        return;
    bool present = false;
    for (int k = 0; k < int(t.size()); ++k)
        present = present || R::tagIs(tags, k, "VBZ") || R::tagIs(tags, k, "VBP") || t[size_t(k)].lower == "will";
    const std::string be = beFor(s, false, !present);
    out->push_back(R::replace(t, i, v, t[size_t(i)].text + " " + be + " " + t[size_t(v)].text, "GRAMMAR",
                              "be_missing", 2));
}

void VerbFormRules::intransitivePassive(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    static const Set intransitive = {"happen", "occur", "exist", "appear", "disappear", "belong", "consist", "emerge",
                                     "arise", "die", "arrive", "last", "remain", "seem", "result", "graduate"};
    const std::string &b = t[size_t(i)].lower;
    const bool past = b == "was" || b == "were";
    const bool perfect = b == "been" && (R::lowerAt(t, i - 1) == "has" || R::lowerAt(t, i - 1) == "have"
                                         || R::lowerAt(t, i - 1) == "had");
    if (b != "is" && b != "are" && b != "am" && !past && !perfect)
        return;
    const int v = R::nextWord(t, i);
    if (v < 0 || t[size_t(v)].isCapitalised())
        return;
    const std::string &w = t[size_t(v)].lower;
    std::string base = m_lex.baseOf(w);
    if (base.empty() && w.size() > 4 && w.compare(w.size() - 2, 2, "ed") == 0) {
        // a regular verb outside the common table: "consisted", "graduated", "occurred"
        for (const std::string &stem : {w.substr(0, w.size() - 2), w.substr(0, w.size() - 1), w.substr(0, w.size() - 3)})
            if (intransitive.count(stem))
                base = stem;
    }
    const std::string participle = base.empty() ? std::string() : m_lex.participleOf(base);
    if (base.empty() || !intransitive.count(base) || (!participle.empty() && participle != w)
        || (m_lex.isPos(w, Lexicon::Adjective) && !(base == "graduate" && R::lowerAt(t, v + 1) == "from")))
        return; // ("a graduated scale"; "was graduated from" is the learner's passive)
    if (perfect) { // "has been happened" -> "has happened"
        out->push_back(R::replace(t, i, v, w, "GRAMMAR", "intransitive_passive", 2));
        return;
    }
    const std::string subject = R::lowerAt(t, i - 1);
    const bool third = b == "is" || (b == "was" && subject != "i" && subject != "you");
    const std::string pastForm = m_lex.pastOf(base).empty() ? w : m_lex.pastOf(base);
    const std::string fixed = past ? pastForm : third ? m_lex.thirdPerson(base) : base;
    out->push_back(R::replace(t, i, v, fixed, "GRAMMAR", "intransitive_passive", 3));
}

void VerbFormRules::passivePast(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "The letter was wrote by my sister" -> "written": a passive takes the participle
    static const Set be = {"is", "are", "was", "were", "be", "been"};
    if (!be.count(t[size_t(i)].lower))
        return;
    const int v = R::nextWord(t, i);
    if (v < 0 || t[size_t(v)].isCapitalised())
        return;
    const std::string &w = t[size_t(v)].lower;
    const std::string base = m_lex.baseOf(w);
    const std::string participle = base.empty() ? std::string() : m_lex.participleOf(base);
    if (!m_lex.isPastForm(w) || participle.empty() || participle == w || base == "be")
        return;
    if (R::lowerAt(t, v + 1) == "by") {
        if (!(R::tagIs(tags, v + 2, "DT") || R::tagIs(tags, v + 2, "PRP") || R::tagIs(tags, v + 2, "NN")))
            return; // "by" must open the doer
    } else if (m_lex.isPos(w, Lexicon::Noun) || m_lex.isPos(w, Lexicon::Adjective) || R::lowerAt(t, i - 1) == "what") {
        return; // without "by" only a form that is nothing but a past ("was took", not "was broke")
    }
    out->push_back(R::replace(t, v, v, participle, "GRAMMAR", "passive_participle", 2));
}

void VerbFormRules::perfectPassiveObject(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // verbs with two objects have a passive with one left: "I have been given a book"
    static const Set twoObjects = {"give", "tell", "show", "teach", "offer", "send", "ask", "award", "grant", "pay",
                                   "promise", "lend", "call", "name", "elect", "make", "allow", "deny", "charge",
                                   "assign", "bring", "hand", "leave", "owe", "sell", "serve", "consider", "find"};
    const std::string &h = t[size_t(i)].lower;
    if ((h != "have" && h != "has" && h != "had") || R::lowerAt(t, i + 1) != "been")
        return;
    const int v = i + 2;
    const std::string w = R::lowerAt(t, v);
    if (w.empty() || !R::tagIs(tags, v, "VBN"))
        return;
    const std::string base = m_lex.baseOf(w);
    if (base.empty() || twoObjects.count(base) || !m_lex.isCommonVerbBase(base))
        return;
    // an object right after it: a name, a determiner and a noun, a plain noun before "for"
    const bool object = R::tagIs(tags, v + 1, "NNP") || R::tagIs(tags, v + 1, "DT") || R::tagIs(tags, v + 1, "PRP$")
        || (R::tagIs(tags, v + 1, "NN") && (R::lowerAt(t, v + 2) == "for" || R::lowerAt(t, v + 2) == "since"));
    if (!object || R::lowerAt(t, v + 1) == "that" || R::lowerAt(t, v + 1) == "this" || R::lowerAt(t, v + 1) == "there")
        return;
    out->push_back(R::replace(t, v, v, m_lex.ingOf(base), "GRAMMAR", "perfect_progressive", 2));
}

void VerbFormRules::doubleSubject(const Tokens &t, const Tags &tags, std::vector<Finding> *out) const
{
    // "My sister she likes music" -> "My sister likes": the noun is the subject already
    static const Set female = {"mother", "sister", "mom", "mum", "grandmother", "aunt", "daughter", "wife", "girlfriend"};
    static const Set male = {"father", "brother", "dad", "grandfather", "uncle", "son", "husband", "boyfriend"};
    static const Set plural = {"parents", "friends", "classmates", "teachers", "students", "brothers", "sisters"};
    static const Set possessive = {"my", "his", "her", "our", "their", "your"};
    if (t.size() < 4 || !possessive.count(R::lowerAt(t, 0)))
        return;
    const std::string noun = R::lowerAt(t, 1), pronoun = R::lowerAt(t, 2);
    const bool pair = (female.count(noun) && pronoun == "she") || (male.count(noun) && pronoun == "he")
        || (plural.count(noun) && pronoun == "they");
    if (!pair || !(R::tagIs(tags, 3, "VB") || R::tagIs(tags, 3, "MD") || R::tagIs(tags, 3, "RB")))
        return;
    Finding f;
    if (R::deletion(t, 2, "GRAMMAR", "double_subject", 2, &f))
        out->push_back(f);
}

void VerbFormRules::nounPassive(const Tokens &t, const Tags &tags, std::vector<Finding> *out) const
{
    // "Many people killed by cars." -> "are killed": a clause whose only verb is a participle with "by"
    int k = 0;
    while (R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "JJ") || R::tagIs(tags, k, "PRP$"))
        ++k;
    if (k >= int(t.size()) || !R::tagIs(tags, k, "NNS") || !R::tagIs(tags, k + 1, "VBN") || R::lowerAt(t, k + 2) != "by")
        return;
    const int v = k + 1;
    const std::string base = m_lex.baseOf(t[size_t(v)].lower);
    if (base.empty() || m_lex.participleOf(base) != t[size_t(v)].lower)
        return;
    for (int m = v + 1; m < int(t.size()); ++m)
        if (finiteTag(tags, m) || (R::clauseBoundary(t[size_t(m)]) && t[size_t(m)].text != "."))
            return; // "The soldiers killed by the enemy were buried": a reduced relative clause
    out->push_back(R::replace(t, v, v, beFor("", true, pastSentence(t, tags)) + " " + t[size_t(v)].text, "GRAMMAR",
                              "be_missing", 2));
}

void VerbFormRules::relativeWithoutBe(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "people who living here" -> "who are living": a relative clause needs its own verb
    const std::string &r = t[size_t(i)].lower;
    if ((r != "who" && r != "which" && r != "that") || !(R::tagIs(tags, i, "WP") || R::tagIs(tags, i, "WDT"))
        || !R::tagIs(tags, i - 1, "NN") || R::tagIs(tags, i - 1, "NNP"))
        return;
    const int v = R::nextWord(t, i);
    if (v < 0 || !R::tagIs(tags, v, "VBG") || baseOfIng(t[size_t(v)].lower).empty())
        return;
    // "an impression that asking for it would ...": "that" opens a clause whose subject is the -ing form
    if (r == "that")
        for (int m = v + 1; m < int(t.size()) && t[size_t(m)].kind == Token::Word; ++m)
            if (finiteTag(tags, m))
                return;
    const std::string be = beFor(R::lowerAt(t, i - 1), R::tagIs(tags, i - 1, "NNS"), pastSentence(t, tags));
    out->push_back(R::replace(t, v, v, be + " " + t[size_t(v)].text, "GRAMMAR", "be_missing", 2));
}

void VerbFormRules::embeddedQuestion(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    static const Set whWords = {"where", "how", "why", "when", "what"};
    const Set &be = WordClasses::words(WordClass::NounBe);
    const std::string &wh = t[size_t(i)].lower;
    const std::string aux = R::lowerAt(t, i + 1);
    const bool doForm = aux == "does" || aux == "do" || aux == "did";
    const bool modal = m_lex.isModal(aux) && aux != "'ll";
    if (!whWords.count(wh) || (!be.count(aux) && !doForm && !modal))
        return;
    // asked inside a statement: after a verb ("know where"), or a verb and its object ("tell me how")
    const bool afterVerb = R::tagIs(tags, i - 1, "VB")
        || (R::tagIs(tags, i - 1, "PRP") && R::tagIs(tags, i - 2, "VB") && !R::isSubjectPronoun(R::lowerAt(t, i - 1)))
        || R::lowerAt(t, i - 1) == "idea" || R::lowerAt(t, i - 1) == "sure";
    if (!afterVerb)
        return;
    static const Set asking = {"know", "knows", "knew", "understand", "understood", "tell", "told", "ask", "asked",
                               "wonder", "wondered", "explain", "explained", "learn", "learned", "show", "showed",
                               "remember", "forget", "find", "found", "see", "decide", "decided", "discover",
                               "idea", "sure", "me", "us", "him", "her", "them"};
    if (!asking.count(R::lowerAt(t, i - 1)))
        return;
    // a pronoun subject after the verb: "what should I do", "where was I going" -> "what I should do"
    if (R::isSubjectPronoun(R::lowerAt(t, i + 2))) {
        int last = i + 2;
        if (modal || doForm) {
            const std::string verb = R::lowerAt(t, i + 3);
            if (!R::tagIs(tags, i + 3, "VB") || !m_lex.isCommonVerbBase(verb) || verb == "be")
                return;
            if (doForm) { // "where does he live" -> "where he lives": the verb takes do's tense and person
                const std::string form = aux == "did" ? m_lex.pastOf(verb)
                    : aux == "does" && R::isThirdSingularPronoun(R::lowerAt(t, i + 2)) ? m_lex.thirdPerson(verb) : verb;
                out->push_back(R::replace(t, i, i + 3, t[size_t(i)].text + " " + t[size_t(i) + 2].text + " " + form,
                                          "GRAMMAR", "embedded_question", 2));
                return;
            }
            last = i + 3;
        } else if (R::tagIs(tags, i + 3, "VBG")) {
            last = i + 3;
        } else if (i + 3 < int(t.size()) && t[size_t(i) + 3].kind != Token::Punct) {
            return;
        }
        std::string fixed = t[size_t(i)].text + " " + t[size_t(i) + 2].text + " " + t[size_t(i) + 1].text;
        if (last > i + 2)
            fixed += " " + R::textOf(t, i + 3, last);
        out->push_back(R::replace(t, i, last, fixed, "GRAMMAR", "embedded_question", 2));
        return;
    }
    if (modal)
        return;
    // the subject after "be": a noun phrase that ends the clause
    bool determined = false;
    int head = nounPhraseHead(tags, i + 2, true, &determined);
    if (doForm) {
        // "know what does this word mean" -> "what this word means" (the tagger may read
        // the verb as the last noun of the phrase)
        if (head > i + 2 && R::tagIs(tags, head - 1, "NN") && m_lex.isCommonVerbBase(R::lowerAt(t, head))
            && !R::tagIs(tags, head + 1, "VB"))
            --head;
        const int v = head + 1;
        const std::string verb = R::lowerAt(t, v);
        if (head < 0 || !determined || !(R::tagIs(tags, v, "VB") || R::tagIs(tags, v, "NN")) || !m_lex.isCommonVerbBase(verb)
            || verb == "be")
            return;
        const bool third = aux == "does" || (aux == "did" ? false : !R::tagIs(tags, head, "NNS"));
        const std::string form = aux == "did" ? m_lex.pastOf(verb) : (third && aux == "does") ? m_lex.thirdPerson(verb) : verb;
        out->push_back(R::replace(t, i, v, t[size_t(i)].text + " " + R::textOf(t, i + 2, head) + " " + form, "GRAMMAR",
                                  "embedded_question", 2));
        return;
    }
    if (head < 0 || (!determined && wh != "what") || (wh == "what" && !determined && !R::tagIs(tags, head, "NNS")))
        return;
    int end = head + 1;
    if (R::tagIs(tags, end, "RB") && (end + 1 >= int(t.size()) || t[size_t(end) + 1].kind == Token::Punct))
        ++end; // "how is the weather there?"
    if (end < int(t.size()) && t[size_t(end)].kind != Token::Punct && !R::tagIs(tags, end, "CC"))
        return;
    const std::string fixed = t[size_t(i)].text + " " + R::textOf(t, i + 2, head) + " " + t[size_t(i) + 1].text;
    out->push_back(R::replace(t, i, head, fixed, "GRAMMAR", "embedded_question", 2));
}

void VerbFormRules::beNotVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "They are not stop", "I am not like it" -> "do not": a verb is negated with "do"
    static const Set handled = {"agree", "disagree", "be", "have", "do", "used", "supposed", "need", "depend"};
    const std::string &b = t[size_t(i)].lower;
    if ((b != "am" && b != "is" && b != "are" && b != "was" && b != "were") || R::lowerAt(t, i + 1) != "not")
        return;
    const std::string subject = R::lowerAt(t, i - 1);
    if (!R::isSubjectPronoun(subject) && !R::tagIs(tags, i - 1, "NNS"))
        return;
    const int v = i + 2;
    const std::string w = R::lowerAt(t, v);
    if (w.empty() || t[size_t(v)].isCapitalised() || !m_lex.isCommonVerbBase(w) || handled.count(w)
        || m_lex.baseEqualsPast(w))
        return;
    // "like" before an object; other words only when tagged a verb, and a word that is also a
    // noun or an adjective only after a personal pronoun ("They are not stop", not "It is not use")
    const bool like = w == "like" && (R::tagIs(tags, v + 1, "PRP") || R::tagIs(tags, v + 1, "DT") || R::tagIs(tags, v + 1, "VBG")
                                      || R::tagIs(tags, v + 1, "TO"));
    const bool person = R::isSubjectPronoun(subject) && subject != "it";
    const bool ambiguous = m_lex.isPos(w, Lexicon::Noun) || m_lex.isPos(w, Lexicon::Adjective);
    if (!like && !(R::tagIs(tags, v, "VB") && (!ambiguous || person)))
        return;
    const std::string doForm = b == "was" || b == "were" ? "did" : b == "is" ? "does" : "do";
    out->push_back(R::replace(t, i, v, doForm + " not " + t[size_t(v)].text, "GRAMMAR", "be_verb", 2));
}

void VerbFormRules::nounVeryAdjective(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    if (t[size_t(i)].lower != "very" || !R::tagIs(tags, i - 1, "NN") || !R::tagIs(tags, i + 1, "JJ"))
        return;
    // a verb after its subject with an adverb that is also an adjective ("students work very
    // hard", "they run very fast"): the word before "very" is a verb base after a noun or a pronoun
    const std::string &before = t[size_t(i) - 1].lower;
    if (m_lex.isPos(R::lowerAt(t, i + 1), Lexicon::Adverb) && m_lex.isCommonVerbBase(before)
        && (R::tagIs(tags, i - 2, "NN") || R::tagIs(tags, i - 2, "PRP")) && !R::tagIs(tags, i - 2, "PRP$"))
        return;
    // no verb in the clause, before or after: "I find the film very good" has one
    for (int k = i - 1; k >= 0 && !R::clauseBoundary(t[size_t(k)]); --k)
        if (R::tagIs(tags, k, "VB") || R::tagIs(tags, k, "MD"))
            return;
    for (int k = i + 2; k < int(t.size()) && !R::clauseBoundary(t[size_t(k)]); ++k)
        if (R::tagIs(tags, k, "VB") || R::tagIs(tags, k, "MD"))
            return;
    const std::string be = beFor(R::lowerAt(t, i - 1), R::tagIs(tags, i - 1, "NNS"), pastSentence(t, tags));
    out->push_back(R::replace(t, i, i, be + " " + t[size_t(i)].text, "GRAMMAR", "be_missing", 2));
}

void VerbFormRules::conjunctionBareVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "plan carefully when hire people", "think before take a choice" -> "hiring", "taking"
    static const Set conjunctions = {"when", "while", "before", "after"};
    if (!conjunctions.count(t[size_t(i)].lower) || i == 0)
        return;
    const int v = R::nextWord(t, i);
    if (v < 0 || t[size_t(v)].isCapitalised() || !m_lex.isCommonVerbBase(t[size_t(v)].lower)
        || t[size_t(v)].lower == "be" || m_lex.isPos(t[size_t(v)].lower, Lexicon::Adjective))
        return;
    const std::string &w = t[size_t(v)].lower;
    // with an object after it; a word that is also a noun only when tagged a verb
    const bool object = R::tagIs(tags, v + 1, "DT") || R::tagIs(tags, v + 1, "PRP$")
        || (R::tagIs(tags, v + 1, "PRP") && R::lowerAt(t, v + 1) != "i");
    if (!object || (m_lex.isPos(w, Lexicon::Noun) && !R::tagIs(tags, v, "VB")) || R::tagIs(tags, v, "VBP")
        || R::tagIs(tags, v, "VBD"))
        return;
    // "after work the next day": a noun before a time phrase, not a verb with an object
    if (m_lex.isPos(w, Lexicon::Noun) && R::timePhraseAt(t, v + 2))
        return;
    out->push_back(R::replace(t, v, v, m_lex.ingOf(w), "GRAMMAR", "gerund_after_preposition", 2));
}

} // namespace PennovaChecker
