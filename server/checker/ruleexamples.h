#pragma once
// Runs a rule's examples through the whole checker: each wrong sentence must be flagged at
// its span with its correction first, the sentence mended with it must get no finding,
// and each clean look-alike no finding at the most sensitive confidence. What a teacher
// runs on a new rule file before the server reads it.

#include "datarule.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class EnglishChecker;
class RuleEngine;

class RuleExamples
{
public:
    // The failures of rule's examples ("file:line: rule ID: what"), none when all hold.
    // local: the rules to check with besides the built-in ones (the rule's own file).
    static std::vector<std::string> failures(const EnglishChecker &checker, const DataRule &rule,
                                             const RuleEngine *local);
};

} // namespace PennovaChecker
