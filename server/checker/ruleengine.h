#pragma once
// Runs the rules of the rule files (see rulefileparser.h) over a tokenized, tagged
// sentence and makes the same findings as the hand-written rule classes.
// Read-only once loaded: many threads may run one engine at once.

#include "datarule.h"
#include "finding.h"
#include "tokenizer.h"
#include "wordtable.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class RuleEngine
{
public:
    using Tokens = std::vector<Token>;
    using Tags = std::vector<std::string>;

    // Loads the *.rules files of folder in name order; a broken file adds its error and no
    // rule. A rule whose id is already loaded replaces the earlier one. A missing folder
    // loads nothing.
    void loadFolder(const std::string &folder);
    void add(std::vector<DataRule> rules);
    void disable(const std::string &id) { m_disabled.insert(id); }

    const std::vector<DataRule> &rules() const { return m_rules; }
    // The first rule that gives a page for the explanation kind, or null.
    const DataRule *pageRule(const std::string &explain) const;
    const std::vector<std::string> &errors() const { return m_errors; }
    const std::vector<std::string> &families() const { return m_families; } // in load order
    bool isDisabled(const std::string &id) const { return m_disabled.count(id) != 0; }
    // The rule is switched off here or replaced by one of this engine's own.
    bool shadows(const std::string &id) const { return m_disabled.count(id) || m_ids.count(id); }

    // Findings of the family's rules, position by position, rules in file order; the
    // lexicon gives the verb forms of suggestions. Rules that `shadow` switches off or
    // replaces are left out.
    void run(const std::string &family, const Tokens &t, const Tags &tags, const Lexicon &lexicon,
             std::vector<Finding> *out, const RuleEngine *shadow = nullptr) const;

    // The tokens, tags and lexicon a sentence is matched with.
    struct Sentence
    {
        const Tokens &t;
        const Tags &tags;
        const Lexicon &lexicon;
    };
    // Token ranges [first, end) of each item when pattern matches from token pos; the
    // end of the whole match in *end. False when it does not match there.
    bool matchAt(const RulePattern &pattern, const Sentence &s, int pos, std::vector<std::pair<int, int>> *spans,
                 int *end) const;
    // The correction of a rule for a match. opening: the token that starts the sentence and
    // owes its capital to that alone (-1 if none); written after other words of the
    // correction, it loses the capital ("Last one" -> "The last one").
    static std::string suggestion(const DataRule &rule, const Tokens &t,
                                  const std::vector<std::pair<int, int>> &spans, const Lexicon &lexicon,
                                  int opening = -1);
    // The text of one alternative of a suggestion for a match.
    static std::string suggestion(const std::vector<SuggestionPart> &parts, const Tokens &t,
                                  const std::vector<std::pair<int, int>> &spans, const Lexicon &lexicon,
                                  int opening = -1);

private:
    bool step(const RulePattern &p, size_t k, const Sentence &s, int pos, std::vector<std::pair<int, int>> *spans,
              int *end) const;
    bool tokenMatches(const PatternItem &item, const Sentence &s, int pos) const;
    bool holds(const PatternItem &condition, const Sentence &s, int pos) const; // one condition, not negated
    bool cancelled(const DataRule &rule, const Sentence &s, int first, int end) const;
    bool apply(const DataRule &rule, const Sentence &s, int pos, std::vector<Finding> *out) const;

    // The rules of one family by the words their patterns can start with, so that a position
    // tries only the rules its word can start; rules that can start anywhere (a tag, a skip, a
    // sentence start) in `anywhere`. Indexes into m_rules, in file order.
    struct FamilyIndex
    {
        WordTable<std::vector<size_t>> byWord;
        std::vector<size_t> anywhere;
    };
    void buildIndex();

    std::vector<DataRule> m_rules;
    std::unordered_map<std::string, FamilyIndex> m_index;
    std::vector<std::string> m_families;
    std::unordered_set<std::string> m_ids;
    std::vector<std::string> m_errors;
    std::unordered_set<std::string> m_disabled;
};

} // namespace PennovaChecker
