#pragma once
// Polish: IMPROVE suggestions that replace plain words and phrases with richer
// ones that fit the context ("very important" -> "crucial", "big problem" ->
// "serious problem"). Level 1 offers the most suggestions, level 3 only the strongest.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class Polisher
{
public:
    // lexicon: word frequencies, to tell countable nouns from mass nouns; not owned.
    explicit Polisher(const Lexicon &lexicon) : m_lex(lexicon) {}
    // tags: the tagger's tag per token; a replacement is offered only where it fits the
    // noun's number and countability ("a great deal of" never before a countable noun).
    std::vector<Finding> suggest(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                 int level) const;
    // False when the sentences cannot be polished: too few words, or mostly quotation.
    static bool polishable(const std::vector<std::vector<Token>> &sentences);

private:
    bool countable(const std::string &singular) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
