#pragma once
// Direct questions asked in statement order, as Chinese keeps it: "Where you live?" ->
// "Where do you live?", "What you are doing?" -> "What are you doing?".

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class QuestionRules
{
public:
    explicit QuestionRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

private:
    const Lexicon &m_lex;
};

} // namespace PennovaChecker
