#pragma once
// -ing and -ed adjectives of feeling: a person feels "bored", a thing is "boring".
// "I am boring in class" -> "bored"; "The film was bored" with "it/this/that" ->
// "boring"; "I feel boring" -> "bored".

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class FeelingRules
{
public:
    void check(const std::vector<Token> &tokens, std::vector<Finding> *out) const;

private:
    // "bored" <-> "boring"; "" when w is neither form of a feeling adjective
    static std::string otherForm(const std::string &w);
};

} // namespace PennovaChecker
