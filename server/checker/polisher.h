#pragma once
// Polish: IMPROVE suggestions that replace plain words and phrases with richer
// ones that fit the context ("very important" -> "crucial", "big problem" ->
// "serious problem"). Level 1 offers the most suggestions, level 3 only the strongest.

#include "finding.h"
#include "tokenizer.h"

#include <vector>

namespace PennovaChecker {

class Polisher
{
public:
    std::vector<Finding> suggest(const std::vector<Token> &tokens, int level) const;
    // False when the sentences cannot be polished: too few words, or mostly quotation.
    static bool polishable(const std::vector<std::vector<Token>> &sentences);
};

} // namespace PennovaChecker
