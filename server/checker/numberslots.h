#pragma once
// NumberSlots: the head nouns of noun phrases whose number (singular or plural) a writer
// chooses, and what a classifier reads around them to predict that choice: the
// determiner or quantifier before the phrase ("many", "a", "one of the", "a lot of"),
// the words inside it, the verb after it, the noun's lemma and how often its plural is
// written at all. The noun's own form is never a feature, so the learner's singular and
// plural read the same. The same code runs on native training text and on a learner's
// sentence.

#include "perceptronmodel.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class NounForms;

class NumberSlots
{
public:
    enum Number { Singular = 0, Plural = 1 };
    static const std::vector<std::string> &classNames(); // "sg", "pl"

    struct Slot
    {
        int first = 0; // first word of the phrase (after its determiner)
        int head = 0;  // the head noun
        std::string lemma;
        Number written = Singular;
    };

    // What the words before the phrase say of its number: "a", "one", "every" (One); "many",
    // "these", "two" (Many); "some", "all", "no" (Some); a quantity with "of" ("a lot of",
    // "one of the"); "the"; a possessive ("my", "John's"); or no determiner at all.
    enum Context { One = 0, Many, Some, Of, The, Possessive, NoDeterminer, ContextCount };
    static const std::vector<std::string> &contextNames();
    static Context context(const std::vector<Token> &tokens, const std::vector<std::string> &tags, const Slot &slot);

    // tags: one part-of-speech tag per token.
    static std::vector<Slot> find(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                  const NounForms &forms);
    static PerceptronModel::Features features(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                              const Slot &slot, const NounForms &forms);
    // The features as text (for tests and inspection).
    static std::vector<std::string> featureNames(const std::vector<Token> &tokens,
                                                 const std::vector<std::string> &tags, const Slot &slot,
                                                 const NounForms &forms);
};

} // namespace PennovaChecker
