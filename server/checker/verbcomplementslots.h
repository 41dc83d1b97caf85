#pragma once
// VerbComplementSlots: where a verb is followed by another verb as its complement, and in
// which form: "to" + base ("decided to go"), the -ing form ("enjoy reading"), or "to" + -ing
// where "to" is a preposition ("object to paying"). Also every use of a verb, so that a
// table can tell how often a verb takes an infinitive at all. The same code counts native
// text for the complement table and finds the learner's slots, so both see the same cases.
//
// Left out on both sides: auxiliaries and modals, passives and participles without "have"
// ("is considered to be", "a man considered to be"), "used to", "going to", "have got to",
// nouns the tagger read as verbs ("a smooth finish to resist"), an -ing form that opens the
// subject of a clause ("I think going abroad is good"), -ing forms after linking verbs (adjectives:
// "became boring") and -ing prepositions ("including", "according").

#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class VerbComplementSlots
{
public:
    enum Column { Infinitive = 0, Gerund = 1, ToGerund = 2, Uses = 3 };
    static constexpr int kColumns = 4;
    // The columns' names in the table file: "to", "ing", "to-ing", "uses".
    static const std::vector<std::string> &classNames();

    struct Slot
    {
        int verb = 0;         // the governing verb
        int first = 0;        // the complement's first word ("to", "not" or the -ing form)
        int complement = 0;   // the complement's verb (the base after "to", or the -ing form)
        std::string key;      // the verb's lemma, with its particle: "decide", "give_up"
        Column form = Infinitive;
        bool negated = false; // "decided not to go"
    };

    // The verb's key where it is an active lexical verb (with its particle when one follows:
    // "give_up"), else "". next receives the index after the verb (after its particle).
    static std::string verbKey(const std::vector<Token> &tokens, const std::vector<std::string> &tags, int i,
                               const Lexicon &lexicon, int *next = nullptr);
    // The base of a verb form: the lexicon's own forms, else a WordNet verb the suffix
    // (-s, -ed, -ing) was put on ("deserves" -> "deserve", "postponing" -> "postpone"); "" else.
    static std::string lemmaOf(const std::string &lower, const std::string &tag, const Lexicon &lexicon);
    // Every active lexical verb, as its key (the "uses" column).
    static std::vector<std::pair<int, std::string>> verbs(const std::vector<Token> &tokens,
                                                          const std::vector<std::string> &tags,
                                                          const Lexicon &lexicon);
    // tags: one part-of-speech tag per token; lemmas set where known.
    static std::vector<Slot> find(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                  const Lexicon &lexicon);
    // Whether "to be" or "to have" after the verb may belong to its object rather than to the
    // verb: after a past form with no personal pronoun before it, a participle ("a man
    // considered to be the best"), or with a relative word before it ("what you would have
    // considered to be").
    static bool passiveOrFronted(const std::vector<Token> &tokens, const std::vector<std::string> &tags, int verb,
                             int complement);
    // Whether the -ing form at i opens the subject of a clause: a finite verb follows it
    // before any clause boundary ("think going abroad is good").
    static bool opensClause(const std::vector<Token> &tokens, const std::vector<std::string> &tags, int i);
};

} // namespace PennovaChecker
