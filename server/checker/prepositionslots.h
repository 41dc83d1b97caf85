#pragma once
// PrepositionSlots: where a verb, adjective or noun is followed by the preposition English
// fixes by that word ("interested in", "depend on", "the reason for"), and where a verb takes
// its object directly ("discuss the plan"). The same code counts native text for the
// preposition table and finds the learner's slots, so both see the same cases.

#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class PrepositionSlots
{
public:
    // The prepositions of the table, in column order; the last column (kDirect) counts a
    // verb's object with no preposition.
    static const std::vector<std::string> &classNames();
    static constexpr int kDirect = 12;
    static constexpr int kColumns = 13;
    // The column of a preposition, or -1 when it is none of them.
    static int classOf(const std::string &lower);

    enum Governor { Verb = 0, Adjective = 1, Noun = 2 };
    struct Slot
    {
        int governor = 0;     // the verb, adjective or noun
        int preposition = -1; // the preposition, or -1 when the object follows the verb directly
        int object = -1;      // the head of the object (a noun, pronoun, number or -ing form)
        Governor kind = Verb;
        std::string lemma;    // the governor's lemma (its token's, else its lower case)
        int column = 0;       // classOf the preposition, or kDirect
        bool gerund = false;     // its -ing form ("striking in description")
        bool participle = false; // a verb's past participle ("encouraged by", "discussed on page 8")
        bool person = false;     // an adjective's object is a person pronoun ("easy for me", "kind to them")
        bool infinitive = false; // ... and a to-infinitive follows it ("easy for me to say")
    };

    // tags: one part-of-speech tag per token; the tokens' lemmas set where known.
    static std::vector<Slot> find(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                  const Lexicon &lexicon);
    // The table's key of a slot: "V:depend", "J:interested", "N:reason".
    static std::string key(const Slot &slot);
    // The rows of an adjective's person-and-infinitive frame ("easy for me to say"), counted
    // besides its own: the adjective's ("J:easy+i") and all adjectives' ("J:+i"); empty for
    // other slots.
    static std::string frameKey(const Slot &slot);
    static std::string pooledFrameKey(const Slot &slot);
    // The head of a noun phrase starting at i (past determiners, adjectives, numbers and
    // nouns before nouns), or -1 when none starts there.
    static int objectHead(const std::vector<Token> &tokens, const std::vector<std::string> &tags, int i);
};

} // namespace PennovaChecker
