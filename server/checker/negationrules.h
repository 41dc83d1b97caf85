#pragma once
// Double negatives ("I don't have nothing", "She can't find nobody", "We didn't see
// no cars"): after a negated verb, the negative word becomes its any- form.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class NegationRules
{
public:
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
};

} // namespace PennovaChecker
