#pragma once
// VerbFormSlots: the verbs whose form a writer chooses (base, -s, past, participle, -ing)
// and what a classifier reads around them to predict that choice: the lemma, the subject
// before the verb (a pronoun's person and number, a noun's number), the auxiliary, modal or
// "to" before it, a verb that governs it ("made me go"), time words in the sentence, and
// the words after it. The verb's own form and tag are never features, so a learner's
// "he go" and "he goes" read the same. The same code runs on native training text and on a
// learner's sentence.

#include "perceptronmodel.h"
#include "tokenizer.h"

#include <array>
#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class VerbFormSlots
{
public:
    enum Form { Base = 0, Third, Past, Participle, Ing, FormCount };
    static const std::vector<std::string> &classNames(); // "base", "s", "past", "part", "ing"

    struct Slot
    {
        int at = 0;
        std::string lemma;
        std::array<std::string, FormCount> forms; // the lemma's five forms
        unsigned writtenMask = 0; // the forms spelt as written ("put": base, past and participle)
        Form written = Base;      // the one the tagger's tag names, else the first of the mask
    };

    // tags: one part-of-speech tag per token.
    static std::vector<Slot> find(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                  const Lexicon &lexicon);
    static PerceptronModel::Features features(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                              const Slot &slot, const Lexicon &lexicon);
    // The features as text (for tests and inspection).
    static std::vector<std::string> featureNames(const std::vector<Token> &tokens,
                                                 const std::vector<std::string> &tags, const Slot &slot,
                                                 const Lexicon &lexicon);
    // What the rule checks before it trusts the model: the auxiliary, modal or "to" before the
    // verb ("-" for none), whether "and", "or" or a comma joins it to an earlier verb, and its
    // subject's number ("3sg", "pl", "other" for I, you, we and they, "and" for nouns joined,
    // "ppl" for a plural name, "obj" for an object pronoun, "-" when none is found).
    struct Context
    {
        std::string auxiliary;
        bool joined = false;
        std::string subjectNumber;
        bool gerundSubject = false;   // "joining these activities helps"
        bool relativeSubject = false; // "perspectives which adds", "the lives of kids has", "a chef
                                      // that tries new dishes wins": the subject may be another noun
    };
    static Context context(const std::vector<Token> &tokens, const std::vector<std::string> &tags, const Slot &slot,
                           const Lexicon &lexicon);
    // The lemma of a verb form the lexicon knows ("went" -> "go", "making" -> "make"), "" else.
    static std::string lemmaOf(const std::string &lower, const Lexicon &lexicon);
};

} // namespace PennovaChecker
