#pragma once
// Style: a transition word that opens this sentence and the one before it. The wordy
// phrases with a concise replacement are rules in data/rules/wordy.rules.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class StyleRules
{
public:
    // previousOpeners: the lower-case first words of the sentences before this one.
    void repeatedOpener(const std::vector<Token> &tokens, const std::vector<std::string> &previousOpeners,
                        std::vector<Finding> *out) const;
    // The lower-case first word of a sentence ("" when it has none).
    static std::string opener(const std::vector<Token> &tokens);
};

} // namespace PennovaChecker
