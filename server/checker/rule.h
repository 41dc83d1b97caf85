#pragma once
// One rule of the checker as the registry runs it: an id (what --disable-rule names), the
// kind of error it finds, a priority that settles overlaps (lower wins) and the request
// switches it needs. The hand-written families and the rule files' families are both Rules.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace PennovaChecker {

class RuleEngine;

// The request's switches ("server.mor", ...) as bits; a rule runs when all it needs are on.
enum RuleSwitch : unsigned {
    SwitchSpell = 1u << 0,
    SwitchReal = 1u << 1,
    SwitchMor = 1u << 2,
    SwitchGrammar = 1u << 3,
    SwitchDet = 1u << 4,
    SwitchRule = 1u << 5,
    SwitchStyle = 1u << 6,
    SwitchPostStyle = 1u << 7,
    SwitchAll = 0xffu
};

// A sentence as the rules see it: tokens (with their lemmas), one tag per token, and what
// the request says about it.
struct Sentence
{
    const std::vector<Token> &tokens;
    const std::vector<std::string> &tags;
    int kind = 0; // 0 sentence, 1 title
    unsigned switches = SwitchAll;
    const std::unordered_set<std::string> *userWords = nullptr;
    const std::vector<std::string> *previous = nullptr; // the sentences before this one
    const RuleEngine *localRules = nullptr;              // a school's rule files
};

class Rule
{
public:
    enum Stage {
        Main,     // runs with the others; overlaps are settled by priority
        WhenClean // runs only when no finding of the main stage is kept
    };

    Rule(std::string id, std::string kind, int priority, unsigned needs, Stage stage = Main)
        : m_id(std::move(id)), m_kind(std::move(kind)), m_priority(priority), m_needs(needs), m_stage(stage)
    {
    }
    virtual ~Rule() = default;
    Rule(const Rule &) = delete;
    Rule &operator=(const Rule &) = delete;

    const std::string &id() const { return m_id; }
    const std::string &kind() const { return m_kind; } // GRAMMAR, REAL, MOPHOLOGY, NONWORD, STYLE, ...
    int priority() const { return m_priority; }
    unsigned needs() const { return m_needs; }
    Stage stage() const { return m_stage; }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }

    // Appends this rule's findings to found, which holds those of the rules before it
    // (a rule may step aside where an earlier one has spoken).
    virtual void check(const Sentence &sentence, std::vector<Finding> &found) const = 0;

private:
    const std::string m_id;
    const std::string m_kind;
    const int m_priority;
    const unsigned m_needs;
    const Stage m_stage;
    bool m_enabled = true;
};

} // namespace PennovaChecker
