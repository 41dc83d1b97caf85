#pragma once
// PrepositionChoiceRule: the preposition a verb, adjective or noun takes, from a table of how
// native writers followed each word (counted from the Brown corpus and the UD treebanks by
// pennova-prepositiontrain). It speaks only where the table is sure: the word was seen often,
// the learner's choice (nearly) never, another choice most of the time.
//   choice:  "interested on music" -> "in", "depend of" -> "on"
//   extra:   "discuss about the plan" -> "discuss the plan" (the verb takes its object directly)
//   missing: "listen music" -> "listen to music" (the verb never takes its object directly)
//   frame:   "easy to me to understand" -> "for" (before a person and an infinitive, judged on
//            all adjectives' uses of the frame, which native writers nearly always give "for")
// A preposition that may attach to something else than the word before it (a time or a
// place: "arrived in the morning", "a signal at the output") is the chief source of false
// alarms, so times, places, names and prepositions before "of" are left alone, and nouns (whose
// phrases attach anywhere) are off by default.
//
// An unneeded preposition after an active verb is judged on fewer uses ("influence on them": the
// verb seen ten times, nearly always with its object directly, its passive agent left out), and
// only for prepositions that seldom open a phrase of the clause's own (on, about, of, in, into).
//
// Counted from Brown and the UD treebanks (about 90,000 slots), the table is sure of few words:
// on REALEC and JFLEG dev it finds little beyond the hand-written preposition rules
// (bench_prepositions). A missing preposition after a verb is mostly left to
// MissingPrepositionRule, whose table also counts the objects verbs take directly.
//
// Table file (text): "pennova-preposition-counts 1", "classes" and the columns
// (PrepositionSlots::classNames), then one row per word: "<kind>:<lemma>" and a count per column.

#include "countstable.h"
#include "finding.h"
#include "prepositionslots.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class PrepositionChoiceRule
{
public:
    using Counts = CountsTable::Counts;
    using Table = CountsTable::Table;
    static constexpr size_t kMaxRows = 200000;
    static constexpr size_t kMaxLine = 256;

    // When the table is trusted to overrule the writer.
    struct Gate
    {
        uint32_t minTotal = 40;        // prepositions (and direct objects) seen after the word
        double maxWrittenShare = 0.0;  // the written choice at most this often
        double minBestShare = 0.7;     // the suggested one at least this often
        bool verbs = true, adjectives = true, nouns = false;
        bool extra = true, missing = true;
        // an unneeded preposition after an active verb is judged on the verb's active uses (its
        // passive agent, "influenced by", left out): seen this often, its object this share of
        // them directly, the written preposition never
        uint32_t extraMinActive = 10;
        double extraMinDirectShare = 0.9;
        // the person-and-infinitive frame after an adjective ("easy for me to say"), judged on
        // all adjectives' uses of it: seen this often, its preposition this share of them
        uint32_t frameMinTotal = 20;
        double frameMinBestShare = 0.9;
    };

    // lexicon is not owned and must outlive the rule.
    explicit PrepositionChoiceRule(const Lexicon &lexicon) : m_lex(lexicon) {}
    // False (the rule silent) when the file is missing or malformed.
    bool load(const std::string &path, std::string *error = nullptr);
    // From a stream; false and no table kept when malformed.
    bool load(std::istream &in, std::string *error = nullptr);
    // In the file format above, rows sorted (the same counts give the same file).
    static bool save(std::ostream &out, const Table &table);
    size_t rows() const { return m_table.size(); }
    const Counts *countsOf(const std::string &key) const;
    void setGate(const Gate &gate) { m_gate = gate; }
    const Gate &gate() const { return m_gate; }

    // The column to put in place of the slot's, or -1 to leave it: kDirect to drop the
    // preposition, a preposition's column to replace it or (for a direct object) to add it.
    static int decide(const Counts *counts, const PrepositionSlots::Slot &slot, const Gate &gate);
    // The preposition the slot's adjective frame takes in place of the written one, or -1.
    int frameChoice(const PrepositionSlots::Slot &slot) const;
    // Whether the slot's object or preposition may belong to something else than the word
    // before it: a time, a place or a name, or a verb's preposition of time or place.
    static bool mayAttachElsewhere(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                   const PrepositionSlots::Slot &slot);

    // A noun of time ("morning", "week", "holiday"): a phrase of it attaches to the clause.
    static bool isTimeWord(const std::string &lower);

    // Whether the verb's object may stand before it ("what the weather throws at you", "the
    // account you gave of it"), so that a preposition after it has its object elsewhere.
    static bool objectFronted(const std::vector<Token> &tokens, const std::vector<std::string> &tags, int verb);

    // Whether an unneeded preposition the table finds after a verb is one: not after a verb's
    // form read as a noun ("more influence on them") nor "about" meaning roughly ("represent
    // about a quarter").
    static bool extraStandsAlone(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                 const PrepositionSlots::Slot &slot);

    // Findings already in *out on the slot leave it alone.
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;

private:
    static const CountsTable::Format &format();
    const Lexicon &m_lex;
    Gate m_gate;
    Table m_table;
};

} // namespace PennovaChecker
