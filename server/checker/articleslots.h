#pragma once
// ArticleSlots: the places before noun phrases where English chooses between "a/an",
// "the" and no article, and what a classifier reads there. A slot is a phrase of
// adjectives and nouns ending in a common noun, preceded by an article or by nothing
// that determines it (a phrase after "my", "this", "two", "John's" is no slot). The
// same code finds the slots in native training text and in a learner's sentence, so
// that the model sees at run time what it learned from.

#include "perceptronmodel.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class ArticleSlots
{
public:
    enum Choice { None = 0, A = 1, The = 2 };
    static const std::vector<std::string> &classNames(); // "none", "a", "the"

    struct Slot
    {
        int article = -1; // token of the written article, -1 without one
        int first = 0;    // first word of the phrase after the article
        int head = 0;     // its head noun
        Choice written = None;
    };

    // True when a noun inside the slot's phrase stands before an -ing or -ed word ("data
    // concerning the system"): the phrase is two, and the first noun is not the head's modifier.
    static bool splitByVerb(const std::vector<std::string> &tags, const Slot &slot);
    // tags: one part-of-speech tag per token.
    static std::vector<Slot> find(const std::vector<Token> &tokens, const std::vector<std::string> &tags);
    // The features of a slot; the written article is not among them.
    static PerceptronModel::Features features(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                              const Slot &slot);
    // The features as text (for tests and inspection).
    static std::vector<std::string> featureNames(const std::vector<Token> &tokens,
                                                 const std::vector<std::string> &tags, const Slot &slot);
};

} // namespace PennovaChecker
