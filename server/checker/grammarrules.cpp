#include "grammarrules.h"

#include "lexicon.h"
#include "postagger.h"
#include "rulesupport.h"
#include "wordclasses.h"

#include <algorithm>
#include <sstream>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;

const Set &functionWords()
{
    static const Set s = {"and", "or", "of", "in", "on", "at", "is", "are", "was", "to", "as", "if", "it", "its", "an",
                          "a", "the", "for", "with", "by", "be", "but", "not", "so", "than", "that", "this", "from"};
    return s;
}

const Set &adverbsBetween()
{
    static const Set s = {"always", "often", "usually", "never", "sometimes", "also", "still", "really", "just",
                          "seldom", "rarely", "even", "certainly", "probably", "definitely"};
    return s;
}

// Words before a subject that call for the subjunctive or an object pronoun.
const Set &subjunctiveTriggers()
{
    static const Set s = {"suggest", "suggests", "suggested", "insist", "insists", "insisted", "demand", "demands",
                          "demanded", "require", "requires", "required", "recommend", "recommends", "recommended",
                          "request", "requests", "requested", "propose", "proposes", "proposed", "essential",
                          "important", "necessary", "vital", "crucial", "imperative", "ask", "asked", "urge", "urged",
                          "lest", "let", "make", "made", "help", "helped", "see", "saw", "watch", "watched", "hear",
                          "heard", "if", "whether"};
    return s;
}

// Unambiguous past forms after "to" (none of them is also a common noun or adjective).
const Set &pastAfterTo()
{
    static const Set s = {"went", "came", "ate", "gave", "took", "wrote", "bought", "taught", "brought", "did", "got",
                          "became", "began", "knew", "sang", "swam", "drank", "drove", "flew", "forgot", "grew",
                          "threw", "chose", "broke", "woke", "wore", "told", "sold", "sent", "spent", "built", "kept",
                          "slept", "met", "said", "made", "ran", "sat", "stood", "understood", "caught",
                          "fought", "held", "heard", "was", "were", "spoke", "hid", "shook", "stole", "swept", "rode",
                          "drew", "meant", "lent", "sought", "played", "visited", "wanted", "watched", "helped",
                          "studied", "lived", "walked", "talked", "enjoyed", "stayed", "tried", "asked", "listened",
                          "arrived", "decided", "returned", "hoped", "happened", "explained"};
    return s;
}

const Set &thirdAfterTo()
{
    static const Set s = {"goes", "gets", "comes", "becomes", "makes", "eats", "has", "is", "gives", "buys", "knows",
                          "thinks", "tells", "keeps", "learns", "teaches", "seems", "finds", "brings", "begins", "says"};
    return s;
}

// Past forms that are common adjectives: never "corrected" after an auxiliary.
const Set &adjectivalPast()
{
    static const Set s = {"used", "left", "found", "saw", "felt", "fell", "lay", "lost", "won", "led", "fed", "rose",
                          "bore", "bound", "ground", "wound", "married", "interested", "tired", "worried", "excited",
                          "bored", "surprised", "pleased", "scared", "lit", "hung", "spoke", "set", "put", "read", "loved"};
    return s;
}

bool isModalWord(const Lexicon &lex, const Token &t)
{
    return lex.isModal(t.lower) || (t.lower.size() > 3 && t.lower.compare(t.lower.size() - 3, 3, "'ll") == 0);
}

} // namespace

bool GrammarRules::clauseStart(const std::vector<Token> &t, int i) const
{
    if (i == 0)
        return true;
    const Token &p = t[size_t(i) - 1];
    if (p.kind == Token::Punct)
        return p.text == "," || p.text == ";" || p.text == ":" || p.text == "\"" || p.text == "(";
    static const Set joiners = {"and", "but", "because", "that", "so", "or", "although", "though", "when", "while",
                                "since", "as", "after", "before", "until", "where", "then"};
    return joiners.count(p.lower) != 0;
}

bool GrammarRules::auxiliaryBefore(const std::vector<Token> &t, int i) const
{
    // any auxiliary, modal or subjunctive trigger earlier in the same clause
    static const Set boundaries = {"and", "but", "because", "so", "or", "then", "when", "while", "although",
                                   "though", "since", "after", "before", "until"};
    for (int k = i - 1; k >= 0 && k >= i - 12; --k) {
        const Token &tok = t[size_t(k)];
        if (tok.kind == Token::Punct && (tok.text == "," || tok.text == ";" || tok.text == ":"))
            return false;
        const std::string &w = tok.lower;
        if (m_lex.isAuxiliary(w) || isModalWord(m_lex, tok) || subjunctiveTriggers().count(w))
            return true;
        if (boundaries.count(w))
            return false;
    }
    return false;
}

bool GrammarRules::pastTimeIn(const std::vector<Token> &t)
{
    // "He tell me yesterday": the verb wants its past ("told"), which the tense rules give
    static const Set times = {"week", "year", "month", "night", "summer", "winter", "weekend", "time", "semester"};
    for (size_t k = 0; k < t.size(); ++k) {
        const std::string &w = t[k].lower;
        if (w == "yesterday" || w == "ago" || (w == "last" && k + 1 < t.size() && times.count(t[k + 1].lower)))
            return true;
    }
    return false;
}

std::string GrammarRules::baseOfFinite(const std::string &w) const
{
    if (m_lex.isThirdPerson(w) || m_lex.isPastForm(w))
        return m_lex.baseOf(w);
    return {};
}

bool GrammarRules::pastOverBase(const std::string &w) const
{
    // a verb of its own ("to saw", "to found"), not a participle before a noun ("Do loved ones")
    if (!m_tagger || m_lex.baseOfPast(w).empty() || m_lex.baseOfPast(w) == w || !m_lex.isPos(w, Lexicon::Verb))
        return false;
    std::istringstream tags(m_tagger->seenTags(w));
    bool past = false;
    for (std::string tag; tags >> tag;) {
        if (tag == "VB" || tag == "VBP")
            return false;
        past = past || tag == "VBD";
    }
    return past;
}

void GrammarRules::check(const std::vector<Token> &t, bool withArticles, bool withGrammar,
                         std::vector<Finding> *out) const
{
    if (withArticles)
        articles(t, out);
    if (!withGrammar)
        return;
    agreement(t, out);
    verbAfterModal(t, out);
    verbAfterTo(t, out);
    repeatedWords(t, out);
    pronounI(t, out);
}

void GrammarRules::articles(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const Token &a = t[size_t(i)];
        if (a.kind != Token::Word || (a.lower != "a" && a.lower != "an"))
            continue;
        if (a.text == "A" && i > 0)
            continue; // "type A", "grade A"
        if (i > 0 && !t[size_t(i) - 1].spaceBefore && t[size_t(i) - 1].kind == Token::Punct && t[size_t(i) - 1].text == "'")
            continue;
        const int n = RuleSupport::nextWord(t, i);
        if (n < 0 || !t[size_t(n)].spaceBefore || t[size_t(n)].attached)
            continue;
        const Token &w = t[size_t(n)];
        if (w.isAllCaps() || w.lower.size() < 2 || functionWords().count(w.lower))
            continue;
        // "a everything" needs no article at all: do not offer "an"
        static const Set pronouns = {"everything", "everyone", "everybody", "anything", "anyone", "anybody",
                                     "each", "our", "every", "either", "any", "all", "other"};
        if (pronouns.count(w.lower))
            continue;
        if (n + 1 < int(t.size()) && !t[size_t(n) + 1].spaceBefore && t[size_t(n) + 1].text == "-"
            && w.lower.size() < 3)
            continue; // "a e-mail"-like letter compounds are left alone
        const int sound = m_lex.frequency(w.lower) ? RuleSupport::vowelSound(w.lower) : unknownWordSound(w.lower);
        if (sound < 0)
            continue;
        if (a.lower == "a" && sound == 1)
            out->push_back(RuleSupport::replace(t, i, i, "an", "GRAMMAR", "article_an", 3));
        else if (a.lower == "an" && sound == 0)
            out->push_back(RuleSupport::replace(t, i, i, "a", "GRAMMAR", "article_a", 3));
    }
}

int GrammarRules::unknownWordSound(const std::string &w)
{
    // a misspelt word keeps its first letter far more often than not ("a adiction", "an
    // bautiful"); only letters whose sound the rest of the word cannot change are read: a
    // vowel but u ("a uber"), and a consonant but h, x and y before a vowel ("an sms", "an
    // mba" are read out letter by letter)
    if (w.size() < 4 || !std::all_of(w.begin(), w.end(), [](char c) { return c >= 'a' && c <= 'z'; }))
        return -1;
    static const std::string vowels = "aeiou";
    const char first = w[0], second = w[1];
    if (first == 'a' || first == 'i' || (first == 'e' && second != 'u' && second != 'w')
        || (first == 'o' && second != 'u' && second != 'n'))
        return 1;
    if (vowels.find(first) == std::string::npos && first != 'h' && first != 'x' && first != 'y'
        && vowels.find(second) != std::string::npos)
        return 0;
    return -1;
}

void GrammarRules::agreement(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const Set singular = {"he", "she", "it"};
    static const Set plural = {"they", "we", "you", "i"};
    // "This make me happy": a sentence that opens with "this" or "that" and a verb with an object
    static const Set objects = {"me", "us", "him", "her", "them", "you", "people", "everyone"};
    if (t.size() > 3 && (t[0].lower == "this" || t[0].lower == "that") && m_lex.isCommonVerbBase(t[1].lower)
        && t[1].kind == Token::Word && !m_lex.baseEqualsPast(t[1].lower) && objects.count(t[2].lower)
        && !m_lex.isAuxiliary(t[1].lower))
        out->push_back(RuleSupport::replace(t, 1, 1, m_lex.thirdPerson(t[1].lower), "GRAMMAR", "sv_agreement", 2));
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const Token &s = t[size_t(i)];
        if (s.kind != Token::Word)
            continue;
        const bool sing = singular.count(s.lower) != 0;
        const bool plur = plural.count(s.lower) != 0;
        if (!sing && !plur)
            continue;
        if (s.lower == "i" && s.text != "I")
            continue;
        if ((s.lower == "it" || s.lower == "you") && !clauseStart(t, i))
            continue; // object pronouns
        const int p = RuleSupport::prevWord(t, i);
        // "... and it have": "it" is next to never half of a compound subject; nor is a
        // pronoun after an "and" that opens the sentence or follows a comma ("And we says")
        if (s.lower != "it" && p >= 0 && (t[size_t(p)].lower == "and" || t[size_t(p)].lower == "or" || t[size_t(p)].lower == "nor")
            && RuleSupport::prevWord(t, p) >= 0) {
            // compound subjects; but "my friends and I goes" is wrong either way: after "and" a
            // plural pronoun never takes an -s verb, be it half of the subject or one of its own
            const int v = RuleSupport::nextWord(t, i);
            const std::string verb = RuleSupport::lowerAt(t, v);
            if (plur && t[size_t(p)].lower == "and" && (verb == "has" || verb == "does"
                                                      || (m_lex.isThirdPerson(verb) && verb != "is")))
                out->push_back(RuleSupport::replace(t, v, v, verb == "has" ? "have" : verb == "does" ? "do" : m_lex.baseOf(verb),
                                                    "GRAMMAR", "sv_agreement", 2));
            // nor "was" or "is" after "we" or "they" ("... and we was happy")
            else if ((s.lower == "we" || s.lower == "they") && (verb == "was" || verb == "is"))
                out->push_back(RuleSupport::replace(t, v, v, verb == "was" ? "were" : "are", "GRAMMAR", "sv_agreement", 2));
            continue;
        }
        if (i + 2 < int(t.size()) && (t[size_t(i) + 1].lower == "and" || t[size_t(i) + 1].lower == "or"))
            continue;
        int v = RuleSupport::nextWord(t, i);
        if (v < 0)
            continue;
        const std::string &w = t[size_t(v)].lower;

        // be
        if (s.lower == "i" && (w == "is" || w == "are")) {
            out->push_back(RuleSupport::replace(t, v, v, "am", "GRAMMAR", "sv_agreement", 3));
            continue;
        }
        if (sing && (w == "are" || w == "am")) {
            out->push_back(RuleSupport::replace(t, v, v, "is", "GRAMMAR", "sv_agreement", 3));
            continue;
        }
        if (plur && s.lower != "i" && (w == "is" || w == "am")) {
            out->push_back(RuleSupport::replace(t, v, v, "are", "GRAMMAR", "sv_agreement", 3));
            continue;
        }
        if (plur && s.lower != "i" && w == "was") {
            out->push_back(RuleSupport::replace(t, v, v, "were", "GRAMMAR", "sv_agreement", 3));
            continue;
        }
        if (auxiliaryBefore(t, i))
            continue; // questions, subjunctives and objects of causatives
        // have / do
        if (sing && w == "have") {
            out->push_back(RuleSupport::replace(t, v, v, "has", "GRAMMAR", "sv_agreement", 3));
            continue;
        }
        if (plur && w == "has") {
            out->push_back(RuleSupport::replace(t, v, v, "have", "GRAMMAR", "sv_agreement", 3));
            continue;
        }
        if (sing && w == "don't") {
            out->push_back(RuleSupport::replace(t, v, v, "doesn't", "GRAMMAR", "sv_agreement", 3));
            continue;
        }
        if (plur && w == "doesn't") {
            out->push_back(RuleSupport::replace(t, v, v, "don't", "GRAMMAR", "sv_agreement", 3));
            continue;
        }
        if (plur && w == "does") {
            out->push_back(RuleSupport::replace(t, v, v, "do", "GRAMMAR", "sv_agreement", 3));
            continue;
        }
        // one adverb may stand between subject and verb
        if (adverbsBetween().count(w)) {
            const int v2 = RuleSupport::nextWord(t, v);
            if (v2 < 0)
                continue;
            v = v2;
        }
        const std::string &verb = t[size_t(v)].lower;
        // ("He need not fear", "He need only ask": need as a modal)
        const bool modalNeed = verb == "need" && (RuleSupport::lowerAt(t, v + 1) == "not"
                                                  || RuleSupport::lowerAt(t, v + 1) == "only");
        if (sing && verb != "be" && verb != "do" && (m_lex.isCommonVerbBase(verb) || m_lex.isPlainVerbOnly(verb))
            && !m_lex.baseEqualsPast(verb)
            && !m_lex.isPastOfOther(verb) && !modalNeed && !t[size_t(v)].isCapitalised() && !pastTimeIn(t)) {
            const int after = v + 1 < int(t.size()) ? v + 1 : -1;
            if (after >= 0 && t[size_t(after)].kind == Token::Punct && t[size_t(after)].text == "-")
                continue;
            out->push_back(RuleSupport::replace(t, v, v, m_lex.thirdPerson(verb), "GRAMMAR", "sv_agreement", 3));
        } else if (plur && verb != "is" && verb != "has" && verb != "does" && !t[size_t(v)].isCapitalised()) {
            const std::string base = m_lex.baseOfThird(verb);
            if (!base.empty())
                out->push_back(RuleSupport::replace(t, v, v, base, "GRAMMAR", "sv_agreement", 3));
        }
    }
}

void GrammarRules::verbAfterModal(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    const Set &doForms = WordClasses::words(WordClass::DoForm);
    const Set &pronouns = WordClasses::words(WordClass::SubjectPronoun);
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const Token &m = t[size_t(i)];
        if (m.kind != Token::Word)
            continue;
        const bool modal = isModalWord(m_lex, m);
        const bool doAux = doForms.count(m.lower) != 0;
        if (!modal && !doAux)
            continue;
        if (m.isCapitalised() && i > 0 && m.lower == "may")
            continue; // the month
        const int p = RuleSupport::prevWord(t, i);
        // "this"/"that" before a modal are pronouns: "that will did damage", "this can helps"
        const bool pronoun = p >= 0 && (t[size_t(p)].lower == "that" || t[size_t(p)].lower == "this") && modal;
        if (p >= 0 && !pronoun && (m_lex.isDeterminer(t[size_t(p)].lower) || t[size_t(p)].lower == "free"
                       || t[size_t(p)].lower == "good"))
            continue; // "the will", "a can"
        // "The research they did helped": "did" closes a relative clause after a noun, and the
        // verb after it is the sentence's own
        if (doAux && RuleSupport::closesRelativeClause(m_lex, t, i))
            continue;
        int v = RuleSupport::nextWord(t, i);
        if (v >= 0 && (t[size_t(v)].lower == "not" || adverbsBetween().count(t[size_t(v)].lower)))
            v = RuleSupport::nextWord(t, v);
        if (doAux && v >= 0 && pronouns.count(t[size_t(v)].lower) && (i == 0 || clauseStart(t, i)))
            v = RuleSupport::nextWord(t, v); // "Does he likes ...?"
        if (v < 0)
            continue;
        const Token &w = t[size_t(v)];
        if (w.isCapitalised())
            continue;
        if (modal && w.lower == "to" && m.lower != "ought") {
            const int b = RuleSupport::nextWord(t, v);
            if (b >= 0 && m_lex.isCommonVerbBase(t[size_t(b)].lower)) {
                Finding f;
                if (RuleSupport::deletion(t, v, "GRAMMAR", "modal_to", 3, &f))
                    out->push_back(f);
            }
            continue;
        }
        // "they could lost everything" -> "lose" (or "be lost": the past may be an adjective)
        static const Set pastAfterModal = {"lost", "left", "won", "led", "fed"};
        if (modal && pastAfterModal.count(w.lower) && m.lower != "'ll" && RuleSupport::lowerAt(t, v + 1) != "up") {
            Finding f = RuleSupport::replace(t, v, v, m_lex.baseOf(w.lower), "GRAMMAR", "modal_base", 2);
            Candidate passive = f.candidates[0];
            passive.correction = "be " + w.text;
            passive.score = f.candidates[0].score / 2;
            f.candidates.push_back(passive);
            out->push_back(f);
            continue;
        }
        if (adjectivalPast().count(w.lower) && !(doAux && pastOverBase(w.lower)))
            continue;
        std::string base = baseOfFinite(w.lower);
        // a regular past of a verb the common table lacks ("will stimulated"); the past may
        // be a passive without its "be", offered second
        // (a past WordNet also lists as an adjective only before its object: "will faced many")
        static const Set objectOpeners = {"the", "a", "an", "many", "some", "his", "her", "their", "our", "my",
                                          "your", "its", "this", "these", "those", "more", "much", "several"};
        if (base.empty() && modal && w.lower.size() > 4 && w.lower.compare(w.lower.size() - 2, 2, "ed") == 0
            && (!m_lex.isPos(w.lower, Lexicon::Adjective) || objectOpeners.count(RuleSupport::lowerAt(t, v + 1)))
            && m.lower != "'ll") {
            const std::string stem = w.lower.substr(0, w.lower.size() - 2);
            for (const std::string &c : {stem, stem + "e", stem.back() == 'i' ? stem.substr(0, stem.size() - 1) + "y" : stem,
                                         stem.substr(0, stem.size() - 1)})
                if (base.empty() && m_lex.isPos(c, Lexicon::Verb) && m_lex.pastOf(c) == w.lower && m_lex.frequency(c) > 0)
                    base = c;
            if (!base.empty()) {
                Finding f = RuleSupport::replace(t, v, v, base, "GRAMMAR", "modal_base", 2);
                Candidate passive = f.candidates[0];
                passive.correction = "be " + w.text;
                passive.score = f.candidates[0].score / 2;
                f.candidates.push_back(passive);
                out->push_back(f);
                continue;
            }
        }
        // an -s form of a verb the common table lacks ("will benefits the society"); not where
        // the modal comes before its subject ("as must courses in the minor") or is a slip
        // after a preposition ("on may subjects")
        static const Set inverting = {"as", "so", "nor", "neither", "than", "where", "what", "how", "why", "when",
                                      "who", "which"};
        const std::string before = p >= 0 ? t[size_t(p)].lower : std::string();
        if (base.empty() && modal && m.lower != "'ll" && w.lower.size() > 4 && w.lower.back() == 's'
            && w.lower.compare(w.lower.size() - 2, 2, "ss") != 0 && p >= 0 && !inverting.count(before)
            && !m_lex.isPreposition(before)) {
            const std::string stem = w.lower.substr(0, w.lower.size() - 1);
            const std::string esStem = w.lower.substr(0, w.lower.size() - 2);
            for (const std::string &c : {stem, esStem})
                if (base.empty() && m_lex.isPos(c, Lexicon::Verb) && m_lex.thirdPerson(c) == w.lower
                    && m_lex.frequency(c) > 0)
                    base = c;
            if (!base.empty()) {
                out->push_back(RuleSupport::replace(t, v, v, base, "GRAMMAR", "modal_base", 2));
                continue;
            }
        }
        // "I didn't saw him": a base native text hardly uses as one is the past of another verb
        if (doAux && base == w.lower && pastOverBase(w.lower))
            base = m_lex.baseOfPast(w.lower);
        if (base.empty() || base == w.lower)
            continue;
        if (doAux && base == "be")
            continue; // "did was" is rare and "do is" is a different construction
        out->push_back(RuleSupport::replace(t, v, v, base, "GRAMMAR", modal ? "modal_base" : "do_base", 3));
    }
}

void GrammarRules::verbAfterTo(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word || t[size_t(i)].lower != "to")
            continue;
        const int v = RuleSupport::nextWord(t, i);
        if (v < 0 || t[size_t(v)].isCapitalised())
            continue;
        const std::string &w = t[size_t(v)].lower;
        if (!pastAfterTo().count(w) && !thirdAfterTo().count(w)) {
            regularPastAfterTo(t, i, v, out);
            continue;
        }
        // "Everyone I had talked to knew": a preposition left at the end of a relative clause,
        // after a past verb that takes no infinitive
        static const Set infinitiveVerbs = {"want", "decide", "try", "hope", "plan", "need", "start", "begin",
                                            "learn", "choose", "refuse", "like", "love", "continue", "seem",
                                            "manage", "agree", "promise", "expect", "fail", "have", "use", "tend"};
        const std::string before = RuleSupport::lowerAt(t, i - 1);
        if ((m_lex.isPastForm(before) || m_lex.isParticiple(before)) && !infinitiveVerbs.count(m_lex.baseOf(before)))
            continue;
        // a following "-" or "'s" means a compound or a noun
        if (v + 1 < int(t.size()) && !t[size_t(v) + 1].spaceBefore && t[size_t(v) + 1].kind == Token::Punct)
            if (t[size_t(v) + 1].text == "-")
                continue;
        const std::string base = m_lex.baseOf(w);
        if (base.empty() || base == w)
            continue;
        out->push_back(RuleSupport::replace(t, v, v, base, "GRAMMAR", "to_infinitive", 3));
    }
}

// "It is important to maintained a healthy life": a regular past after a "to" that can only
// mark an infinitive (after "important", "able", "want" ...); a past that is also an
// adjective only before an object ("important to married couples" is right)
void GrammarRules::regularPastAfterTo(const std::vector<Token> &t, int to, int v, std::vector<Finding> *out) const
{
    static const Set infinitiveBefore = {
        "important", "necessary", "able", "unable", "likely", "unlikely", "easy", "difficult", "hard", "possible",
        "impossible", "essential", "want", "wants", "wanted", "need", "needs", "needed", "try", "tries", "tried",
        "decide", "decides", "decided", "hope", "hopes", "plan", "plans", "going", "order", "willing", "trying"};
    static const Set objectOpeners = {"the", "a", "an", "his", "her", "their", "our", "my", "your", "its", "this",
                                      "these", "those", "them", "him", "us", "me", "it", "more", "some", "new"};
    const std::string &w = t[size_t(v)].lower;
    if (!infinitiveBefore.count(RuleSupport::lowerAt(t, to - 1)) || w.size() < 5
        || w.compare(w.size() - 2, 2, "ed") != 0)
        return;
    if (m_lex.isPos(w, Lexicon::Adjective) && !objectOpeners.count(RuleSupport::lowerAt(t, v + 1)))
        return;
    const std::string stem = w.substr(0, w.size() - 2);
    std::string base;
    for (const std::string &c : {stem, stem + "e", stem.back() == 'i' ? stem.substr(0, stem.size() - 1) + "y" : stem,
                                 stem.substr(0, stem.size() - 1)})
        if (base.empty() && c.size() > 1 && m_lex.isPos(c, Lexicon::Verb) && m_lex.pastOf(c) == w && m_lex.frequency(c) > 0)
            base = c;
    if (!base.empty())
        out->push_back(RuleSupport::replace(t, v, v, base, "GRAMMAR", "to_infinitive", 2));
}

void GrammarRules::repeatedWords(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const Set allowed = {"had", "that", "is", "do", "very", "so", "bye", "ha", "no", "yeah", "really", "many",
                                "far", "more", "much", "knock", "tut", "blah", "now", "well", "too", "can", "la",
                                "yes", "there", "night", "hush", "pooh", "again", "round", "on", "and", "over",
                                "little", "long", "bit", "step", "by", "out", "after"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const Token &a = t[size_t(i)];
        const Token &b = t[size_t(i) + 1];
        if (a.kind != Token::Word || b.kind != Token::Word || !b.spaceBefore || a.lower != b.lower)
            continue;
        if (allowed.count(a.lower) || a.attached || b.attached || b.isCapitalised())
            continue; // "Wagga Wagga", "Duran Duran"
        Finding f;
        // delete the second word; when punctuation follows it directly, delete the first
        if (RuleSupport::deletion(t, i + 1, "GRAMMAR", "repeated_word", 3, &f)
            || RuleSupport::deletion(t, i, "GRAMMAR", "repeated_word", 3, &f))
            out->push_back(f);
        ++i;
    }
}

void GrammarRules::pronounI(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    for (int i = 0; i < int(t.size()); ++i) {
        const Token &w = t[size_t(i)];
        if (w.kind != Token::Word || w.attached)
            continue;
        const bool bare = w.text == "i";
        const bool contracted = w.text.size() > 2 && w.text[0] == 'i' && w.text[1] == '\''
            && (w.text == "i'm" || w.text == "i've" || w.text == "i'll" || w.text == "i'd");
        if (!bare && !contracted)
            continue;
        if (bare) {
            const bool listMark = (i + 1 < int(t.size()) && !t[size_t(i) + 1].spaceBefore
                                   && (t[size_t(i) + 1].text == "." || t[size_t(i) + 1].text == ")"))
                || (i > 0 && !w.spaceBefore && t[size_t(i) - 1].text == "(");
            if (listMark)
                continue;
        }
        std::string fixed = w.text;
        fixed[0] = 'I';
        out->push_back(RuleSupport::replace(t, i, i, fixed, "GRAMMAR", "pronoun_i", 3));
    }
}

} // namespace PennovaChecker
