#pragma once
// How a sentence opens: a first word in lower case ("for example, ..."), and a
// linking phrase without its comma ("For example we ...", "In my opinion it ...").

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

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
