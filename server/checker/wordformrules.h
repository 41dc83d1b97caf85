#pragma once
// A word of the wrong class where its neighbours ask for another: a verb where a noun
// belongs ("the rapid develop of" -> "development") and a noun after "very" ("a very
// success event" -> "successful"). Derived forms are built by suffix and kept only where
// WordNet knows them and they are common words.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class WordFormRules
{
public:
    explicit WordFormRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

    // The commonest noun made from a verb by a suffix ("develop" -> "development",
    // "pollute" -> "pollution"); "" when none is a common noun.
    std::string nounOfVerb(const std::string &verb) const;
    // The commonest adjective made from a noun by a suffix ("success" -> "successful",
    // "importance" -> "important", "economy" -> "economic"); "" when none.
    std::string adjectiveOfNoun(const std::string &noun) const;

private:
    std::string commonest(const std::vector<std::string> &forms, int pos) const;
    void verbAsNoun(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    void nounAfterVery(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
