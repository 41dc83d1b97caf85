#pragma once
// Sentence suggestion (category 6): a sentence without a finite verb, or a lone
// "Because ..." clause, is a fragment. At most one finding per sentence.

#include "finding.h"
#include "tokenizer.h"

#include <vector>

namespace PennovaChecker {

class Lexicon;

class FragmentRule
{
public:
    explicit FragmentRule(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    // sentenceLength16: the sentence's UTF-16 length. True when *out was filled.
    bool check(const std::vector<Token> &tokens, Finding *out) const;

private:
    bool mayBeFiniteVerb(const std::vector<Token> &t, int i) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
