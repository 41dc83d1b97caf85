#pragma once
// Verbs used against their transitivity: "rise" with an object ("rise a family" -> "raise"),
// "raise" and "lay" without one ("prices raise", "to lay down" -> "rise", "lie"),
// and verbs of feeling, which act on someone and so describe a person only in the passive
// ("I am interest in music" -> "interested", "the more I satisfy" -> "I am satisfied").

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class TransitivityRules
{
public:
    explicit TransitivityRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

    // "interest", "satisfy", "bore": a verb whose subject causes the feeling
    static bool isFeelingVerb(const std::string &lower);
    // The base of the feeling verb when the subject pronoun at i is followed by its form with
    // nothing it acts on ("I satisfy with", "they interested in"): the finding is this
    // family's whatever the tagger makes of the form. "" otherwise.
    static std::string feelingWithoutObjectAt(const Lexicon &lexicon, const std::vector<Token> &tokens, int i);

private:
    using Tokens = std::vector<Token>;
    using Tags = std::vector<std::string>;

    void riseWithObject(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    void raiseWithoutObject(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // prices raise
    void enjoyWithoutObject(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // enjoyed very much
    void haveForBe(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // has located in
    void lieLay(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // to lay down
    void beFeelingBase(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;  // am interest in
    // the base of a form of a feeling verb ("disappointed" -> "disappoint"); "" otherwise
    static std::string feelingBase(const Lexicon &lexicon, const std::string &lower);
    void feelingWithoutObject(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // I satisfy

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
