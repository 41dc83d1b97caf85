#include "adverbrules.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Set = std::unordered_set<std::string>;

// Adjectives that describe how something is done and have a common -ly adverb.
const Set &mannerAdjectives()
{
    static const Set s = {"quick", "slow", "rapid", "careful", "careless", "easy", "good", "bad", "beautiful",
                          "perfect", "fluent", "serious", "quiet", "loud", "efficient", "effective", "successful",
                          "proper", "correct", "sudden", "gradual", "steady", "dramatic", "significant", "sharp",
                          "constant", "continuous", "considerable", "substantial", "smooth", "polite", "patient",
                          "honest", "happy", "angry", "independent", "regular", "automatic", "quickly"};
    return s;
}

// Base forms of verbs that are done in some manner (not linking verbs: "look good" is right).
const Set &actionVerbs()
{
    static const Set s = {"do", "speak", "write", "work", "run", "drive", "walk", "talk", "finish", "learn", "play",
                          "sing", "study", "move", "answer", "react", "respond", "change", "develop", "grow",
                          "increase", "decrease", "rise", "fall", "drop", "decline", "improve", "expand", "spread",
                          "treat", "handle", "behave", "perform", "act", "explain", "solve", "complete", "recover",
                          "deal", "live", "read", "dance", "cook", "swim", "fix"};
    return s;
}

// Verbs of change: an adjective right after them is their manner ("grew rapid").
const Set &changeVerbs()
{
    static const Set s = {"increase", "decrease", "rise", "fall", "drop", "decline", "improve", "expand", "spread",
                          "change", "develop", "recover"};
    return s;
}

const Set &degreeWords()
{
    static const Set s = {"very", "so", "too", "really", "extremely", "quite", "pretty"};
    return s;
}

// Whether the verb form belongs to the set: "recovered" -> "recover", "finishes" -> "finish".
bool formOf(const Lexicon &lex, const std::string &w, const Set &bases)
{
    if (bases.count(w) || bases.count(lex.baseOf(w)))
        return true;
    for (const char *suffix : {"ed", "d", "es", "s"}) {
        const std::string end(suffix);
        if (w.size() > end.size() + 2 && w.compare(w.size() - end.size(), end.size(), end) == 0
            && bases.count(w.substr(0, w.size() - end.size())))
            return true;
    }
    return false;
}

bool clauseEnd(const std::vector<Token> &t, int k)
{
    if (k >= int(t.size()))
        return true;
    const Token &n = t[size_t(k)];
    if (n.kind == Token::Punct)
        return n.text != "-" && n.text != "'";
    static const Set joiners = {"and", "but", "so", "because", "when", "while", "if", "than", "as", "in", "at",
                                "on", "for", "with", "without", "by", "to", "every", "after", "before"};
    return joiners.count(n.lower) != 0;
}

} // namespace

std::string AdverbRules::adverbOf(const std::string &a) const
{
    if (!mannerAdjectives().count(a))
        return {};
    if (a == "good")
        return "well";
    if (a == "quickly")
        return {};
    const size_t n = a.size();
    std::string adverb;
    if (a.back() == 'y')
        adverb = a.substr(0, n - 1) + "ily";
    else if (n > 2 && a.compare(n - 2, 2, "le") == 0)
        adverb = a.substr(0, n - 1) + "y";
    else if (n > 2 && a.compare(n - 2, 2, "ic") == 0)
        adverb = a + "ally";
    else
        adverb = a + "ly";
    return m_lex.frequency(adverb) > 0 ? adverb : std::string();
}

std::string AdverbRules::adjectiveOf(const std::string &w) const
{
    if (w.size() < 5 || w.compare(w.size() - 2, 2, "ly") != 0)
        return {};
    const std::string stem = w.substr(0, w.size() - 2);
    // main-ly, happ-ily, basic-ally, probab-ly, tru-ly
    const std::string forms[] = {stem, stem.back() == 'i' ? stem.substr(0, stem.size() - 1) + "y" : std::string(),
                                 w.size() > 6 && stem.compare(stem.size() - 2, 2, "al") == 0
                                     ? stem.substr(0, stem.size() - 2) : std::string(),
                                 stem.back() == 'b' ? stem + "le" : std::string(), stem + "e"};
    for (const std::string &a : forms)
        if (a.size() > 2 && m_lex.isPos(a, Lexicon::Adjective) && m_lex.frequency(a) >= 100000)
            return a;
    return {};
}

void AdverbRules::adverbBeforeNoun(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                   std::vector<Finding> *out) const
{
    for (int i = 1; i + 1 < int(t.size()); ++i) {
        const Token &adv = t[size_t(i)];
        if (adv.kind != Token::Word || adv.isCapitalised() || !R::tagIs(tags, i, "RB")
            || !(R::tagIs(tags, i - 1, "DT") || R::tagIs(tags, i - 1, "PRP$")) || t[size_t(i) - 1].kind != Token::Word)
            continue;
        // the noun heads its phrase ("the really big house" has an adjective after the adverb;
        // "the early days", "the friendly staff": the -ly word is an adjective itself)
        const Token &noun = t[size_t(i) + 1];
        if (!R::tagIs(tags, i + 1, "NN") || R::tagIs(tags, i + 1, "NNP") || noun.isCapitalised() || !noun.spaceBefore
            || R::tagIs(tags, i + 2, "NN") || R::tagIs(tags, i + 2, "JJ") || m_lex.isPos(adv.lower, Lexicon::Adjective)
            || m_lex.isPos(noun.lower, Lexicon::Adjective))
            continue;
        // "this quickly changes": a demonstrative may be the subject and the -s word its verb
        static const std::unordered_set<std::string> pronouns = {"this", "that", "these", "those", "all", "each",
                                                                  "both", "some", "any", "either", "neither"};
        if (pronouns.count(t[size_t(i) - 1].lower) || m_lex.isThirdPerson(noun.lower))
            continue;
        const std::string adjective = adjectiveOf(adv.lower);
        if (!adjective.empty())
            out->push_back(R::replace(t, i, i, adjective, "GRAMMAR", "adjective_form", 2));
    }
}

void AdverbRules::adverbAfterBe(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                std::vector<Finding> *out) const
{
    static const Set be = {"is", "are", "was", "were", "be", "been", "am", "'m", "'re"};
    static const Set degrees = {"very", "so", "too", "quite", "extremely", "really", "pretty", "rather", "fairly"};
    for (int i = 2; i < int(t.size()); ++i) {
        const Token &adv = t[size_t(i)];
        if (adv.kind != Token::Word || m_lex.isPos(adv.lower, Lexicon::Adjective)
            || (!R::tagIs(tags, i, "RB") && !R::tagIs(tags, i, "JJ")))
            continue;
        // "It is obviously that ..." -> "obvious": an adjective that takes a that-clause
        // ("It is exactly that kind", "It is mainly that ..." keep their adverbs)
        static const Set judging = {"obviously", "clearly", "evidently", "apparently", "certainly", "possibly",
                                    "probably", "undoubtedly", "undeniably", "unfortunately", "surprisingly",
                                    "necessarily", "essentially", "importantly"};
        if (be.count(R::lowerAt(t, i - 1)) && R::lowerAt(t, i - 2) == "it" && R::lowerAt(t, i + 1) == "that"
            && judging.count(adv.lower) && !R::tagEquals(tags, i + 2, "NN")) {
            const std::string adjective = adjectiveOf(adv.lower);
            if (!adjective.empty())
                out->push_back(R::replace(t, i, i, adjective, "GRAMMAR", "adjective_after_be", 2));
            continue;
        }
        if (!be.count(R::lowerAt(t, i - 2)) || !degrees.count(R::lowerAt(t, i - 1)))
            continue;
        // the clause ends after it: "very seriously ill" and "so badly damaged" are right
        const Token *next = i + 1 < int(t.size()) ? &t[size_t(i) + 1] : nullptr;
        static const Set joiners = {"and", "but", "because", "so", "when", "if", "that"};
        if (next && !(next->kind == Token::Punct && next->text != "-" && next->text != "'")
            && !joiners.count(next->lower))
            continue;
        const std::string adjective = adjectiveOf(adv.lower);
        if (!adjective.empty())
            out->push_back(R::replace(t, i, i, adjective, "GRAMMAR", "adjective_after_be", 2));
    }
}

void AdverbRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                        std::vector<Finding> *out) const
{
    adverbBeforeNoun(t, tags, out);
    adverbAfterBe(t, tags, out);
    for (int i = 1; i < int(t.size()); ++i) {
        const Token &adj = t[size_t(i)];
        if (adj.kind != Token::Word || adj.isCapitalised() || (!R::tagIs(tags, i, "JJ") && !R::tagIs(tags, i, "RB")))
            continue;
        const std::string adverb = adverbOf(adj.lower);
        if (adverb.empty())
            continue;
        const int p = R::prevWord(t, i);
        if (p < 0)
            continue;
        // 1. "prices increased rapid": right after a verb of change, ending the clause
        if (formOf(m_lex, t[size_t(p)].lower, changeVerbs()) && R::tagIs(tags, p, "VB") && clauseEnd(t, i + 1)) {
            out->push_back(R::replace(t, i, i, adverb, "GRAMMAR", "adverb_form", 2));
            continue;
        }
        if (!degreeWords().count(t[size_t(p)].lower))
            continue;
        // 2. "very quick done": before a participle
        const int n = R::nextWord(t, i);
        if (n == i + 1 && R::tagIs(tags, n, "VBN") && adj.lower != "good" && clauseEnd(t, n + 1)) {
            out->push_back(R::replace(t, i, i, adverb, "GRAMMAR", "adverb_form", 2));
            continue;
        }
        // 3. "He did it very quick", "She speaks English very good": an action verb and its
        // object before the degree word, and the clause ends after the adjective
        if (!clauseEnd(t, i + 1))
            continue;
        int v = R::prevWord(t, p);
        // the object: a pronoun, or a noun with up to two words of its phrase ("the work")
        if (v >= 0 && R::tagIs(tags, v, "PRP") && !R::tagIs(tags, v, "PRP$")) {
            v = R::prevWord(t, v);
        } else if (v >= 0 && R::tagIs(tags, v, "NN")) {
            v = R::prevWord(t, v);
            for (int k = 0; k < 2 && v >= 0 && (R::tagIs(tags, v, "DT") || R::tagIs(tags, v, "PRP$")
                                                || R::tagIs(tags, v, "JJ") || R::tagIs(tags, v, "NN")); ++k)
                v = R::prevWord(t, v);
        }
        if (v < 0 || !R::tagIs(tags, v, "VB"))
            continue;
        if (!formOf(m_lex, t[size_t(v)].lower, actionVerbs()))
            continue;
        out->push_back(R::replace(t, i, i, adverb, "GRAMMAR", "adverb_form", 2));
    }
}

} // namespace PennovaChecker
