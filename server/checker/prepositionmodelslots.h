#pragma once
// PrepositionModelSlots: every preposition of a common set (of, in, to, for, on, with, at, from,
// about, by, into, over) and what a classifier reads around it to predict which one a native
// writer puts there: the words, lemmas and tags on either side, the verb, adjective or noun it
// follows, the head of its object (with its determiner, and whether it names a time), and the
// verb of the clause. The preposition itself is never a feature, so a learner's "interested on"
// and "interested in" read the same. The same code runs on native training text and on a
// learner's sentence.

#include "perceptronmodel.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class PrepositionModelSlots
{
public:
    // The classes in index order (PrepositionSlots' prepositions without its direct column).
    static const std::vector<std::string> &classNames();
    static constexpr int kClasses = 12;
    static int classOf(const std::string &lower);

    struct Slot
    {
        int at = 0;       // the preposition
        int written = 0;  // its class
        int governor = -1; // the verb, adjective or noun before it (over adverbs), -1 when none
        int object = -1;   // the head of its object, -1 when none is found
        int verb = -1;     // the nearest verb before it in its clause, -1 when none
    };

    // tags: one part-of-speech tag per token; lemmas are read where set. "to" before a verb
    // (an infinitive) and particles are no slots.
    static std::vector<Slot> find(const std::vector<Token> &tokens, const std::vector<std::string> &tags);
    static PerceptronModel::Features features(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                              const Slot &slot);
    // The features as text (for tests and inspection).
    static std::vector<std::string> featureNames(const std::vector<Token> &tokens,
                                                 const std::vector<std::string> &tags, const Slot &slot);
};

} // namespace PennovaChecker
