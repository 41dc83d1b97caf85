#pragma once
// MissingPrepositionRule: a verb that native writers almost never follow by its object
// directly, written with the object right after it: "listen music" -> "listen to", "arrive
// school" -> "arrive at", "depend the weather" -> "depend on", "participate the game" ->
// "participate in". The table counts, for each verb lemma in native text (Brown and the UD
// treebanks, pennova-objecttrain), how often its object follows it directly and how often
// after each common preposition, for noun-phrase objects ("V:listen") and for "what"-clauses
// ("W:look"; a verb without enough of those is read by its noun objects), and keeps the heads
// of the direct objects a verb that seldom takes one was given ("live a good life", "wait your
// turn", "look what he did"), which the rule leaves alone. It speaks only where the verb was
// seen often, its object directly (nearly) never and one preposition at least 45 % of the time
// ("agree with", beside "to" and "on").
// Look-alikes it leaves: times and amounts ("wait a minute", "wait two hours"), "home" and
// directions, particles ("look it up"), passives, linking verbs ("become a teacher"), gerunds
// and -ing nouns ("listening skills", "go shopping"), the subject after its verb ("replied
// Tom"), the subject of a clause ("think the plan works"), and a verb the tagger may have
// misread: after a preposition or determiner, or a noun-verb before a bare noun without a
// subject pronoun, modal or "to" before it.
//
// Table file (text): "pennova-verb-objects 1", "classes" and the columns
// (PrepositionSlots::classNames), then one row per key: "V:<lemma>" or "W:<lemma>" and a
// count per column, and "O:<verb>:<object>" for the objects native writers gave a verb that
// seldom takes one directly ("O:live:life": "live a good life"), counted in the last column.

#include "countstable.h"
#include "finding.h"
#include "tokenizer.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class MissingPrepositionRule
{
public:
    using Counts = CountsTable::Counts;
    using Table = CountsTable::Table;
    static constexpr size_t kMaxRows = 100000;
    static constexpr size_t kMaxLine = 256;

    // When the table is trusted to add a preposition.
    struct Gate
    {
        uint32_t minTotal = 20;      // objects seen after the verb, direct or after a preposition
        double maxDirectShare = 0.04; // the direct object at most this often
        uint32_t minTotalNeverDirect = 10; // fewer objects will do where none came directly
        double minBestShare = 0.45;  // the suggested preposition at least this often among them
        double minSecondShare = 0.25; // another one this often is offered second ("arrive at", "in")
    };

    // Where a verb's object follows it, directly or after one of the table's prepositions.
    struct Slot
    {
        int verb = 0;
        int preposition = -1; // -1: the object follows the verb directly
        int object = -1;      // the object's head, or "what"
        int column = 0;       // PrepositionSlots' column of the preposition, or kDirect
        std::string key;      // "V:listen", "W:look"
    };

    // lexicon is not owned and must outlive the rule.
    explicit MissingPrepositionRule(const Lexicon &lexicon) : m_lex(lexicon) {}
    // False (the rule silent) when the file is missing or malformed.
    bool load(const std::string &path, std::string *error = nullptr);
    bool load(std::istream &in, std::string *error = nullptr);
    // In the file format above, rows sorted (the same counts give the same file).
    static bool save(std::ostream &out, const Table &table);
    void setTable(Table table) { m_table = std::move(table); }
    size_t rows() const { return m_table.size(); }
    const Counts *countsOf(const std::string &key) const;
    void setGate(const Gate &gate) { m_gate = gate; }
    const Gate &gate() const { return m_gate; }

    // The slots of a tagged, lemmatised sentence, as the trainer counts them and the rule reads
    // them: active verbs only, without the look-alikes above.
    static std::vector<Slot> find(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                                   const Lexicon &lexicon);
    // The key of the verb and its object's head, "O:live:life": a row of it in the table says
    // native writers gave the verb that object directly.
    static std::string pairKey(const std::vector<Token> &tokens, const Slot &slot);
    // The column of the preposition to add after a verb with these counts, or -1; *second the
    // column of another one native writers use often enough to offer as well, or -1.
    static int decide(const Counts *counts, const Gate &gate, int *second = nullptr);

    // Findings already in *out on the verb or its object leave it alone.
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;

private:
    static const CountsTable::Format &format();
    const Lexicon &m_lex;
    Gate m_gate;
    Table m_table;
};

} // namespace PennovaChecker
