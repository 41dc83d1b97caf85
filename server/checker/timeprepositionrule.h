#pragma once
// TimePrepositionRule: "in", "on" or "at" before a phrase of time, as native writers put it
// before the same words: "in the morning", "on Sunday", "at night", "at the same time". The
// counts (pennova-prepositiontrain --times, from Brown, the UD treebanks and WordNet's
// examples) are kept per phrase ("the same time") and per determiner and head ("the days",
// for a phrase seen too seldom on its own). The written preposition is flagged only where the
// phrase, or its determiner and head, was counted often, never with it and nearly always with
// one other, and the determiner and head row knows it as rare at most:
//   "in the same time" -> "at", "at the night" -> "in", "on the summer" -> "in"
// Left alone: a head that modifies a noun after it ("at the morning session"), that an
// "of"-phrase or a relative clause pins down ("on the morning of the fifth", "in an age when")
// or that is paired with another ("at the summer and winter solstices"), years and other
// numbers, and a preposition the word before takes ("believe in the future", "look at the
// time"): a verb, adjective or noun before it must have been counted with prepositions often,
// seldom with the written one.
//
// Table file (text): "pennova-time-prepositions 1", "classes in on at", then one row per key:
// "P:<phrase>" or "H:<determiner>_<head>" (words joined by "_") and a count per class.

#include "countstable.h"
#include "finding.h"
#include "tokenizer.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace PennovaChecker {

class PrepositionChoiceRule;

class TimePrepositionRule
{
public:
    using Counts = CountsTable::Counts;
    using Table = CountsTable::Table;
    static constexpr size_t kMaxRows = 50000;
    static constexpr size_t kMaxLine = 128;

    static const std::vector<std::string> &classNames(); // in, on, at
    static int classOf(const std::string &lower);

    struct Slot
    {
        int at = 0;          // the preposition
        int head = 0;        // the time word ending the phrase
        int written = 0;     // classOf the preposition
        std::string phrase;  // "P:the_same_time"
        std::string head2;   // "H:the_time": the first word before the head, if any, and the head
    };

    // Each "in", "on" or "at" whose phrase (at most two plain words before the head) ends in a
    // time word, its lemma a time noun; tags: one per token, lemmas read where set.
    static std::vector<Slot> find(const std::vector<Token> &tokens, const std::vector<std::string> &tags);

    struct Gate
    {
        uint32_t minTotal = 8;      // the phrase (else its determiner and head) counted this often
        double minBestShare = 0.9;  // the suggested preposition at least this often
        // the written one's share at most in the determiner and head row, where the phrase's
        // row decides
        double maxHeadWrittenShare = 0.03;
        // the written one's share at most among the prepositions counted after the word before
        // ("believe in the future": far more)
        double maxGovernorShare = 0.1;
        uint32_t minGovernorPrepositions = 10; // counted after it, for the share to tell
    };

    // False (the rule silent) when the file is missing or malformed.
    bool load(const std::string &path, std::string *error = nullptr);
    bool load(std::istream &in, std::string *error = nullptr);
    // In the file format above, rows sorted.
    static bool save(std::ostream &out, const Table &table);
    size_t rows() const { return m_table.size(); }
    void setGate(const Gate &gate) { m_gate = gate; }
    // The native counts of prepositions after words (not owned; may be null): a preposition
    // counted after the word before the phrase is that word's.
    void setGovernors(const PrepositionChoiceRule *governors) { m_governors = governors; }

    // The class to put in place of the written one, or -1.
    int decide(const Slot &slot) const;
    // Findings already in *out on the preposition leave it alone.
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;

private:
    static const CountsTable::Format &format();
    // Whether the word before the preposition (over adverbs), a verb, adjective or noun, was
    // counted with it more than gate.maxGovernorShare of its prepositions, or with too few to tell.
    bool governorTakes(const std::vector<Token> &tokens, const std::vector<std::string> &tags, const Slot &slot) const;

    Table m_table;
    Gate m_gate;
    const PrepositionChoiceRule *m_governors = nullptr;
};

} // namespace PennovaChecker
