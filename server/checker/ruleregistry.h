#pragma once
// The checker's rules in one place: they run in priority order, each seeing the findings
// of those before it, and overlapping findings are settled here alone: the lower priority
// number wins, then the higher certainty, then the earlier finding of the same rule.
// Read-only once built: many threads may run one registry at once.

#include "rule.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace PennovaChecker {

class RuleRegistry
{
public:
    // Takes the rule; false (and the rule dropped) when its id is taken.
    bool add(std::unique_ptr<Rule> rule);
    // In priority order (ties: order of adding).
    const std::vector<std::unique_ptr<Rule>> &rules() const { return m_rules; }
    const Rule *find(const std::string &id) const;
    // Switches a rule on or off for good (before checks start); false for an unknown id.
    bool setEnabled(const std::string &id, bool on);

    // The rule runs for this sentence: enabled, its switches on, not disabled by the
    // sentence's local rules.
    static bool runs(const Rule &rule, const Sentence &sentence);

    // Findings of the main stage's rules, each stamped with its rule's priority.
    std::vector<Finding> collect(const Sentence &sentence) const;
    // Those of the WhenClean stage (after settling found nothing to keep).
    std::vector<Finding> collectWhenClean(const Sentence &sentence) const;

    // The findings to keep: those `admit` accepts, by priority, then certainty, then order;
    // a finding overlapping one already kept is dropped; at most `limit`. Returned in text order.
    // A finding that only adds after its words claims the gap after them, not the words.
    static std::vector<Finding> settle(std::vector<Finding> found, const std::function<bool(const Finding &)> &admit,
                                       size_t limit);

private:
    // The characters a finding claims when findings are settled.
    static std::pair<int, int> claimed(const Finding &f);
    std::vector<Finding> collectStage(const Sentence &sentence, Rule::Stage stage) const;

    std::vector<std::unique_ptr<Rule>> m_rules;
};

} // namespace PennovaChecker
