#pragma once
// A Rule whose check is a function: the adapter that puts a hand-written rule family (or
// a family of the rule files) into the registry without changing its insides.

#include "rule.h"

#include <functional>

namespace PennovaChecker {

class FunctionRule : public Rule
{
public:
    using Check = std::function<void(const Sentence &, std::vector<Finding> &)>;

    FunctionRule(std::string id, std::string kind, int priority, unsigned needs, Check check, Stage stage = Main)
        : Rule(std::move(id), std::move(kind), priority, needs, stage), m_check(std::move(check))
    {
    }

    void check(const Sentence &sentence, std::vector<Finding> &found) const override { m_check(sentence, found); }

private:
    const Check m_check;
};

} // namespace PennovaChecker
