#pragma once

#include "countstable.h"
// VerbComplementRule: whether a verb takes "to" + verb or the -ing form after it, from a table
// of how native writers followed each verb (counted from the Brown corpus and the UD treebanks
// by pennova-complementtrain, see VerbComplementSlots). It speaks only where the table is sure:
// the verb was seen often with a verb after it, (nearly) never in the written form, and mostly
// in the other:
//   "I suggest to go" -> "going", "We considered to move" -> "moving"   (verb_gerund)
//   "I want going" -> "to go", "They decided going" -> "to go"          (verb_infinitive)
//   "They object to pay" -> "to paying": "to" is a preposition there    (gerund_after_preposition)
// Guards (guard()) leave alone what the table cannot judge: verbs where both forms are right
// with different meanings ("stopped to smoke", "remember doing"), verbs with an object and a
// bare verb ("let him go", "saw them leave"), -ing words used as nouns ("I want clothing",
// "seeks licensing partners") or adjectives ("they want amazing"); VerbComplementSlots already
// leaves out passives, linking verbs ("seems boring") and -ing forms that open a clause. Runs
// after the hand-written rules: a finding already on the verb or its complement settles the case.
//
// Table file (text): "pennova-verb-complements 1", "classes to ing to-ing uses", then one row
// per verb: its key ("decide", "give_up") and a count per column.

#include "finding.h"
#include "verbcomplementslots.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class VerbComplementRule
{
public:
    using Slot = VerbComplementSlots::Slot;
    using Counts = CountsTable::Counts;
    using Table = CountsTable::Table;
    static constexpr size_t kMaxRows = 100000;
    static constexpr size_t kMaxLine = 256;

    // When the table is trusted to overrule the writer.
    struct Gate
    {
        uint32_t minTotal = 10;          // verbs seen after the verb (to, -ing and to -ing together)
        double maxWrittenShare = 0.0;    // the written form at most this often
        double minSuggestedShare = 0.9;  // the suggested form at least this often
        double minRate = 0.02;           // the suggested form per use of the verb at least
        bool toGerund = true;            // "to go" -> "going"
        bool toInfinitive = true;        // "going" -> "to go"
    };

    // lexicon is not owned and must outlive the rule.
    explicit VerbComplementRule(const Lexicon &lexicon) : m_lex(lexicon) {}
    // False (the rule silent) when the file is missing or malformed.
    bool load(const std::string &path, std::string *error = nullptr);
    // From a stream; false and no table kept when malformed.
    bool load(std::istream &in, std::string *error = nullptr);
    // In the file format above, rows sorted (the same counts give the same file).
    static bool save(std::ostream &out, const Table &table);
    void setTable(Table table) { m_table = std::move(table); }
    size_t rows() const { return m_table.size(); }
    const Counts *countsOf(const std::string &key) const;
    void setGate(const Gate &gate) { m_gate = gate; }
    const Gate &gate() const { return m_gate; }

    // The column to suggest in place of the written one, or -1 to leave it.
    static int decide(const Counts *counts, VerbComplementSlots::Column written, const Gate &gate);
    // Why the slot must be left whatever the table says ("both_forms", "object_verb",
    // "noun_ing", "adjective_ing"), or nullptr.
    static const char *guard(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                             const Slot &slot, const Lexicon &lexicon);

    // Findings already in *out on the verb or its complement leave it alone.
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;
    // The finding for a slot and the column decide() chose.
    Finding finding(const std::vector<Token> &tokens, const Slot &slot, int choice) const;

private:
    static const CountsTable::Format &format();
    const Lexicon &m_lex;
    Gate m_gate;
    Table m_table;
};

} // namespace PennovaChecker
