#include "ruleregistry.h"

#include "gapspan.h"
#include "ruleengine.h"

#include <algorithm>

namespace PennovaChecker {

bool RuleRegistry::add(std::unique_ptr<Rule> rule)
{
    if (!rule || find(rule->id()))
        return false;
    const auto at = std::upper_bound(m_rules.begin(), m_rules.end(), rule->priority(),
                                     [](int p, const std::unique_ptr<Rule> &r) { return p < r->priority(); });
    m_rules.insert(at, std::move(rule));
    return true;
}

const Rule *RuleRegistry::find(const std::string &id) const
{
    for (const auto &r : m_rules)
        if (r->id() == id)
            return r.get();
    return nullptr;
}

bool RuleRegistry::setEnabled(const std::string &id, bool on)
{
    for (const auto &r : m_rules)
        if (r->id() == id) {
            r->setEnabled(on);
            return true;
        }
    return false;
}

bool RuleRegistry::runs(const Rule &rule, const Sentence &s)
{
    return rule.enabled() && (rule.needs() & ~s.switches) == 0 && !(s.localRules && s.localRules->isDisabled(rule.id()));
}

std::vector<Finding> RuleRegistry::collectStage(const Sentence &s, Rule::Stage stage) const
{
    std::vector<Finding> found;
    for (const auto &rule : m_rules) {
        if (rule->stage() != stage || !runs(*rule, s))
            continue;
        const size_t before = found.size();
        rule->check(s, found);
        for (size_t k = before; k < found.size(); ++k)
            found[k].priority = rule->priority();
    }
    return found;
}

std::vector<Finding> RuleRegistry::collect(const Sentence &s) const
{
    return collectStage(s, Rule::Main);
}

std::vector<Finding> RuleRegistry::collectWhenClean(const Sentence &s) const
{
    return collectStage(s, Rule::WhenClean);
}

std::pair<int, int> RuleRegistry::claimed(const Finding &f)
{
    // "Afica" -> "Afica," fills the gap after the word, which a spelling finding on the word
    // leaves free
    if (GapSpan::addsAfter(f, f.errorInfo))
        return {f.end, f.end + 1};
    return {f.start, f.end};
}

std::vector<Finding> RuleRegistry::settle(std::vector<Finding> found, const std::function<bool(const Finding &)> &admit,
                                          size_t limit)
{
    std::stable_sort(found.begin(), found.end(), [](const Finding &a, const Finding &b) {
        return a.priority != b.priority ? a.priority < b.priority : a.certainty > b.certainty;
    });
    std::vector<Finding> kept;
    for (Finding &f : found) {
        if (kept.size() >= limit)
            break;
        if (admit && !admit(f))
            continue;
        const auto [a, b] = claimed(f);
        if (std::none_of(kept.begin(), kept.end(), [&](const Finding &k) {
                const auto [c, d] = claimed(k);
                return c < b && a < d;
            }))
            kept.push_back(std::move(f));
    }
    std::stable_sort(kept.begin(), kept.end(), [](const Finding &a, const Finding &b) { return a.start < b.start; });
    return kept;
}

} // namespace PennovaChecker
