#pragma once
// How a sentence and its clauses open: a first word in lower case ("for example,
// ..."), a linking phrase without its comma ("For example we ..."), a capital letter
// after a comma inside the sentence ("For example, Many people ..."), a linking
// word inside the sentence without its closing comma ("..., however the"), and a
// missing empty subject ("Is important to ...", "Have many people ...").

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class OpenerRules
{
public:
    explicit OpenerRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

private:
    void lowerCaseStart(const std::vector<Token> &t, const std::vector<std::string> &tags,
                        std::vector<Finding> *out) const;
    void commaAfterOpener(const std::vector<Token> &t, const std::vector<std::string> &tags,
                          std::vector<Finding> *out) const;
    // "..., however the price rose", "; for example we": a linking word inside the sentence
    // takes a comma after it as well
    void commaAfterLinker(const std::vector<Token> &t, const std::vector<std::string> &tags,
                          std::vector<Finding> *out) const;
    void capitalAfterComma(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // "Comparing with older people, they ..." -> "Compared with": the subject does not compare
    void comparedWith(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void missingSubject(const std::vector<Token> &t, const std::vector<std::string> &tags,
                        std::vector<Finding> *out) const; // "Is important to ...", "Have many ..."

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
