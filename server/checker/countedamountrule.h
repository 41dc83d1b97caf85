#pragma once
// "The amount of people", "a large amount of houses": "amount" measures what is not
// counted; a plural of people, animals, things or places is counted by "number". Which
// plurals count comes from WordNet's first sense of the singular (a person, an artifact,
// ...); plurals of money, substances and acts ("amounts of payments", "amount of
// chemicals") are how native writers use "amount" and stay.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class CountedAmountRule
{
public:
    explicit CountedAmountRule(const Lexicon &lexicon); // lexicon not owned, must outlive the rule
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    // Whether a plural noun names things one counts one by one (people, houses, countries).
    bool countedPlural(const std::string &plural) const;

private:
    // people, animals, things, places, plants, works: what one counts
    static bool countedClass(int nounClass);

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
