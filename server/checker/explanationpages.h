#pragma once
// The explanation service's pages: an HTML fragment in Chinese for one finding,
// chosen by its explainType ("et"), or for a polish suggestion ("lexsub").

#include <map>
#include <string>
#include <vector>

namespace PennovaChecker {

class RuleEngine;
class WordNetDictionary;

class ExplanationPages
{
public:
    // Neither is owned. rules: the rule files, whose rules may give their kind's page (read
    // after the table here; null for none).
    explicit ExplanationPages(const WordNetDictionary &wordnet, const RuleEngine *rules = nullptr)
        : m_wordnet(wordnet), m_rules(rules)
    {
    }
    std::string page(const std::string &rawQuery) const;

    // Each page's kind with its wrong and right example, sorted by kind (the table's pages;
    // the rule files' pages are their rules' own examples).
    struct Example
    {
        std::string kind, wrong, right;
    };
    static std::vector<Example> examples();

    static std::string escapeHtml(const std::string &text);
    static std::string percentDecode(const std::string &text);
    // The query's parameters in order (a key may repeat), decoded.
    static std::vector<std::pair<std::string, std::string>> parseQuery(const std::string &rawQuery);

private:
    std::string findingPage(const std::vector<std::pair<std::string, std::string>> &params) const;
    std::string polishPage(const std::vector<std::pair<std::string, std::string>> &params) const;

    const WordNetDictionary &m_wordnet;
    const RuleEngine *m_rules;
};

} // namespace PennovaChecker
