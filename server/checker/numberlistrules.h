#pragma once
// Number in lists of nouns: a bare singular among plurals ("ideas and concept") and a list of
// bare singulars naming kinds of things ("use car, ship and train") take the plural, where
// native text (NounDeterminers: Brown and UD) hardly ever leaves the nouns bare.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;
class NounDeterminers;
class NumberRules;

class NumberListRules
{
public:
    // Neither is owned; both must outlive this.
    NumberListRules(const Lexicon &lexicon, const NumberRules &numbers) : m_lex(lexicon), m_numbers(numbers) {}
    // The native counts (not owned; null or empty: the rules are silent).
    void setCounts(const NounDeterminers *counts) { m_counts = counts; }
    // tags: one part-of-speech tag per token.
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;
    // A noun native text leaves bare at most a fifth of the times it was seen (ten times at
    // least): "friend" 9 %, "concept" 9 %, "newspaper" 15 %; not "school" 40 %, "art" 47 %.
    bool rarelyBare(const std::string &lower) const;

private:
    // "ideas and concept", "family, friend or hobbies": a bare counted singular joined by "and"
    // or "or" to a plural takes the plural too ("schools and art" may be meant in general).
    void singularAmongPlurals(const std::vector<Token> &t, const std::vector<std::string> &tags,
                              std::vector<Finding> *out) const;
    // "use airplane, ship, and train", "such as night club, bar and so on": a list of bare
    // singulars after a verb or "such as", each a noun rarely bare, names kinds of things in
    // general: they take the plural.
    void bareSingularList(const std::vector<Token> &t, const std::vector<std::string> &tags,
                          std::vector<Finding> *out) const;

    const Lexicon &m_lex;
    const NumberRules &m_numbers;
    const NounDeterminers *m_counts = nullptr;
};

} // namespace PennovaChecker
