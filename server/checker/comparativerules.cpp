#include "comparativerules.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;
using R = RuleSupport;

// words that already compare, or that take "than" without a comparison
bool comparing(const std::vector<Token> &t, const std::vector<std::string> &tags, int k)
{
    static const Set words = {"more", "less", "fewer", "rather", "other", "else", "different", "differently",
                              "prefer", "prefers", "preferred", "instead", "otherwise", "superior", "inferior",
                              "same", "similar", "as", "too", "enough"};
    return words.count(t[size_t(k)].lower) || R::tagIs(tags, k, "JJR") || R::tagIs(tags, k, "RBR")
        || R::tagIs(tags, k, "JJS") || R::tagIs(tags, k, "RBS");
}

} // namespace

void ComparativeRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                             std::vector<Finding> *out) const
{
    if (tags.size() != t.size() || tags.empty() || tags[0].empty())
        return;
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        notThan(t, tags, i, out);
        veryThan(t, tags, i, out);
        moreBeforeVerb(t, tags, i, out);
        missingFirstAs(t, tags, i, out);
        sameAs(t, i, out);
        repeatedPositive(t, tags, i, out);
    }
}

void ComparativeRules::repeatedPositive(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "new and new technology" (越来越新) -> "newer and newer"; "more and more", "again and
    // again" and nouns ("miles and miles") already say it
    // (the second word decides: the first may open the sentence with its capital)
    if (R::lowerAt(t, i + 1) != "and" || R::lowerAt(t, i + 2) != t[size_t(i)].lower || !gradable(t, tags, i + 2)
        || (m_lex.posMask(t[size_t(i)].lower) & Lexicon::Noun))
        return;
    if (i > 0 && !t[size_t(i)].spaceBefore && t[size_t(i) - 1].text == "-")
        return; // "non-financial and financial": two different words
    const std::string graded = R::comparativeOf(m_lex, t[size_t(i)]);
    const bool longForm = graded.compare(0, 5, "more ") == 0;
    const std::string fix = longForm ? "more and more " + t[size_t(i) + 2].text : graded + " and " + graded;
    out->push_back(R::replace(t, i, i + 2, R::caseLike(t[size_t(i)], fix), "GRAMMAR", "repeated_positive", 2));
}

bool ComparativeRules::gradable(const Tokens &t, const Tags &tags, int i) const
{
    const std::string w = R::lowerAt(t, i);
    if (w.size() < 3 || t[size_t(i)].isCapitalised() || !R::tagIs(tags, i, "JJ") || comparing(t, tags, i)
        || m_lex.comparativeKind(w) != 0 || !(m_lex.posMask(w) & Lexicon::Adjective))
        return false;
    static const Set ungraded = {"only", "main", "whole", "entire", "former", "latter", "own", "such", "certain",
                                 "able", "unable", "likely", "sure", "alone", "used", "due", "ready"};
    return !ungraded.count(w);
}

void ComparativeRules::notThan(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I think that not interesting than hard sports" -> "less interesting than" (不如)
    if (t[size_t(i)].lower != "not" || R::lowerAt(t, i + 2) != "than" || !gradable(t, tags, i + 1))
        return;
    Finding f = R::replace(t, i, i + 1, "less " + t[size_t(i) + 1].text, "GRAMMAR", "comparative_less", 2);
    Candidate graded = f.candidates[0];
    graded.correction = "not " + R::comparativeOf(m_lex, t[size_t(i) + 1]);
    graded.score = f.candidates[0].score / 2;
    f.candidates.push_back(graded);
    out->push_back(f);
}

void ComparativeRules::veryThan(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "It is very important for them to understand ideas than to learn facts" -> "more important":
    // "very" cannot grade a comparison that "than" closes later in the same clause. Right next to
    // "than" ("very tall than") another rule already speaks.
    if (t[size_t(i)].lower != "very" || !gradable(t, tags, i + 1) || R::lowerAt(t, i + 2) == "than")
        return;
    static const Set stops = {"but", "because", "so", "which", "who", "when", "while", "if", "although", "though",
                              "since", "whereas", "unless", "where"};
    for (int k = i - 1; k >= 0 && k >= i - 3; --k)
        if (comparing(t, tags, k) || t[size_t(k)].lower == "than")
            return; // "more than very happy"
    for (int k = i + 2; k < int(t.size()) && k <= i + 14; ++k) {
        const Token &tok = t[size_t(k)];
        if (tok.kind == Token::Punct || stops.count(tok.lower) || comparing(t, tags, k))
            return;
        if (tok.lower == "than") {
            out->push_back(R::replace(t, i, i + 1, R::comparativeOf(m_lex, t[size_t(i) + 1]), "GRAMMAR", "comparative_very", 2));
            return;
        }
    }
}

void ComparativeRules::missingFirstAs(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "He is tall as me", "make it short as possible" -> "as tall as": an equal comparison
    // needs "as" on both sides ("famous as a singer" names a role and stays)
    // ("open as before", "busy as usual" say "in the same way" and stay too)
    static const Set partners = {"me", "him", "her", "us", "them", "possible"};
    static const Set plainAdverbs = {"soon", "fast", "far", "much", "long", "often", "early", "late", "well", "hard"};
    // after a verb of seeming a name compares too: "it looks fancy as Mercedes"
    static const Set seeming = {"look", "looks", "looked", "seem", "seems", "seemed", "sound", "sounds", "feel", "feels"};
    const bool name = i + 2 < int(t.size()) && t[size_t(i) + 2].kind == Token::Word && t[size_t(i) + 2].isCapitalised()
        && seeming.count(R::lowerAt(t, i - 1));
    if (R::lowerAt(t, i + 1) != "as" || (!partners.count(R::lowerAt(t, i + 2)) && !name))
        return;
    const std::string &w = t[size_t(i)].lower;
    const bool adverb = (R::tagIs(tags, i, "RB") && w.size() > 4 && w.compare(w.size() - 2, 2, "ly") == 0)
        || plainAdverbs.count(w);
    if (!gradable(t, tags, i) && !adverb)
        return;
    // "as fun and flavourful as possible": the first "as" may stand before a list
    for (int k = i - 1; k >= 0 && k >= i - 5; --k) {
        const std::string &before = t[size_t(k)].lower;
        if (before == "as" || before == "so" || before == "just" || (k >= i - 2 && comparing(t, tags, k)))
            return;
        if (t[size_t(k)].kind == Token::Punct && t[size_t(k)].text != ",")
            break;
    }
    out->push_back(R::replace(t, i, i, "as " + t[size_t(i)].text, "GRAMMAR", "as_as", 2));
}

void ComparativeRules::sameAs(const Tokens &t, int i, std::vector<Finding> *out) const
{
    // "as same as yours", "is same as mine" -> "the same as" (一样): "same" takes "the"
    static const Set before = {"is", "are", "was", "were", "be", "been", "look", "looks", "looked", "exactly",
                               "almost", "just", "nearly", "basically"};
    if (t[size_t(i)].lower != "same" || R::lowerAt(t, i + 1) != "as")
        return;
    const std::string prev = R::lowerAt(t, i - 1);
    if (prev == "as")
        out->push_back(R::replace(t, i - 1, i, "the same", "GRAMMAR", "the_same", 2));
    else if (before.count(prev))
        out->push_back(R::replace(t, i, i, "the same", "GRAMMAR", "the_same", 2));
}

void ComparativeRules::moreBeforeVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const
{
    // "I can more enjoy the trip" -> "enjoy the trip more": "more" follows the verb and its object
    const std::string &w = t[size_t(i)].lower;
    const bool opener = m_lex.isModal(w) || w == "i" || w == "we" || w == "they" || w == "you";
    if (!opener || R::lowerAt(t, i + 1) != "more")
        return;
    const int v = i + 2;
    const std::string verb = R::lowerAt(t, v);
    // the tagger reads "like" after "more" as a preposition: "I more like apples"
    const bool likeVerb = verb == "like" && !m_lex.isModal(w);
    if (verb.empty() || t[size_t(v)].isCapitalised() || !m_lex.isCommonVerbBase(verb)
        || !(likeVerb || (R::tagIs(tags, v, "VB") && !R::tagIs(tags, v, "VBN") && !R::tagIs(tags, v, "VBG")
                          && !R::tagIs(tags, v, "VBD") && !R::tagIs(tags, v, "VBZ")))
        || (m_lex.isPos(verb, Lexicon::Adjective) && !likeVerb) || m_lex.isAuxiliary(verb))
        return;
    // the object: a pronoun, or a determiner with its adjectives and nouns; a verb that is also a
    // noun needs one ("we can more help" may be a noun phrase)
    int last = v;
    const std::string next = R::lowerAt(t, v + 1);
    static const Set objectPronouns = {"it", "them", "him", "her", "me", "us", "you", "this", "that", "these",
                                       "those"};
    if (objectPronouns.count(next)) {
        last = v + 1;
    } else if (R::tagIs(tags, v + 1, "DT") || R::tagIs(tags, v + 1, "PRP$") || R::tagIs(tags, v + 1, "NN")
               || R::tagIs(tags, v + 1, "JJ")) {
        // "a family" after "more like" is a comparison of kind: "they are more like a family"
        const bool determiner = R::tagIs(tags, v + 1, "DT") || R::tagIs(tags, v + 1, "PRP$");
        if (likeVerb && (next == "a" || next == "an"))
            return;
        last = determiner ? v + 1 : v;
        while (last + 1 < int(t.size()) && (R::tagIs(tags, last + 1, "JJ") || R::tagIs(tags, last + 1, "NN"))
               && !comparing(t, tags, last + 1))
            ++last;
        if (last == v || (determiner && last == v + 1) || !R::tagIs(tags, last, "NN"))
            return;
    } else if (v + 1 < int(t.size()) && t[size_t(v) + 1].kind != Token::Punct && !R::tagIs(tags, v + 1, "IN")) {
        return; // "we more or less agree", "can more than double"
    }
    if (m_lex.isPos(verb, Lexicon::Noun) && last == v)
        return;
    out->push_back(R::replace(t, i + 1, last, R::textOf(t, v, last) + " more", "GRAMMAR", "more_verb_order", 2));
}

} // namespace PennovaChecker
