#pragma once
// NounDeterminers: how often native English writes a singular common noun bare, with "a/an"
// or with another determiner ("the", "my", "this", "John's", "two"), by the slot the noun
// phrase fills: the complement of "be", "become" or "remain" ("was president", "is a
// problem"), after "as" ("as chairman", "as a member"), after a preposition (its own row per
// preposition: "in fact", "at home") and anywhere else. Learners whose first language has
// no articles write a counted noun bare where native writers hardly ever do ("It is not
// illusion", "I was freshman"); roles, set phrases and nouns used uncounted show up here as
// nouns native text often leaves bare in that slot, so the rules can tell them apart without
// a list. The same code finds the phrases in native text (counting) and in a learner's
// sentence, so both see the same cases.
//
// Each noun is counted a second time in slot "-of" where an "of"-phrase follows it.
//
// Table file (text): "pennova-noun-determiners 1", "classes bare a other", then one row per
// noun and slot: "city=be 0 3 3", "city=* 2 40 97", "home=at 31 0 2", "number=-of 2 80 95".

#include "countstable.h"
#include "tokenizer.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace PennovaChecker {

class NounDeterminers
{
public:
    enum Column { Bare = 0, A = 1, Other = 2 };
    static constexpr int kColumns = 3;
    static const std::vector<std::string> &classNames(); // "bare", "a", "other"
    static constexpr size_t kMaxRows = 200000;
    static constexpr size_t kMaxLine = 128;

    // A singular common noun heading a phrase (modifiers before it, no noun after it).
    struct Use
    {
        int first = 0;       // the phrase's first word after any determiner
        int head = 0;        // the noun
        int determiner = -1; // the determiner's token, -1 for none
        Column written = Bare;
        // "be" (after a form of be, become or remain, "not" and adverbs between), "as", the
        // preposition before it ("in"), or "*" elsewhere
        std::string slot;
        bool adjective = false; // adjectives or nouns before the head
        bool ofAfter = false;   // an "of"-phrase follows the noun ("the number of people")
    };
    // The pseudo-slot that counts the nouns an "of"-phrase follows, whatever their slot: native
    // text writes "the number of", "the development of" and seldom the noun bare there.
    static const std::string &ofPhrase();
    // tags: one part-of-speech tag per token.
    static std::vector<Use> uses(const std::vector<Token> &tokens, const std::vector<std::string> &tags);

    // Counting.
    void add(const std::string &noun, const Use &use);
    // Rows seen at least minCount times, sorted. False when the stream fails.
    bool save(std::ostream &out, int minCount = 2) const;
    // False (and the table left empty) with *error set on a missing or malformed file.
    bool load(const std::string &path, std::string *error = nullptr);
    bool load(std::istream &in, std::string *error = nullptr);
    bool empty() const { return m_table.empty(); }
    size_t rows() const { return m_table.size(); }

    struct Counts
    {
        uint32_t bare = 0, a = 0, other = 0;
        uint32_t total() const { return bare + a + other; }
    };
    // The counts of a noun in a slot; every slot together with slot "all". Zero when unseen.
    Counts counts(const std::string &noun, const std::string &slot) const;

private:
    static const CountsTable::Format &format();
    CountsTable::Table m_table; // "noun=slot"
};

} // namespace PennovaChecker
