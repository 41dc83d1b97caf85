#pragma once
// The comma after an introductory clause: "If you want to succeed you must work hard" ->
// "succeed, you". A sentence that opens with a subordinate clause (if, when, although,
// as ...), "according to X" or "as can be seen from X" and runs into its main clause
// without a comma. The boundary is read from the tags: the opener's own subject and
// finite verb, then a new subject (a pronoun, a noun phrase, "there", a name) with a
// finite verb of its own. Objects, object clauses after verbs of saying and thinking,
// reduced relative clauses and prepositional openers ("After dinner we left", "Since
// then we", "As a result we") are left alone.

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class ClauseCommaRule
{
public:
    explicit ClauseCommaRule(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;

private:
    using Tokens = std::vector<Token>;
    using Tags = std::vector<std::string>;
    static constexpr int Unread = -2; // clauseAt: a boundary whose main clause the rule cannot read

    // The index after the noun phrase starting at k ("the number of young people", "my
    // mother", "John Smith", "research" when bare is allowed), or -1.
    static int nounPhraseEnd(const Tokens &t, const Tags &tags, int k, bool bare, int depth = 0);
    // The index of the finite verb that a subject ending before k goes on with (adverbs
    // such as "also" or "often" between), or -1.
    int finiteVerbAt(const Tokens &t, const Tags &tags, int k) const;
    // The finite verb of a clause whose subject starts at j, or -1.
    int subjectClause(const Tokens &t, const Tags &tags, int j, bool bare) const;
    // The same where j follows the opener's words: -1 when j is an object of the word before
    // it, part of its noun phrase, or a clause that a verb of saying or thinking takes;
    // Unread when a noun phrase starts there but no verb the rule can find follows.
    int clauseAt(const Tokens &t, const Tags &tags, int j) const;
    // Whether the clause with finite verb v is whole, not a relative clause without its
    // "that" ("When you do something you like time flies").
    bool wholeClause(const Tokens &t, const Tags &tags, int v) const;
    // "As the chart shows", "as can be seen from the table below": the index after the
    // phrase, where the main clause must begin.
    static int sourceEnd(const Tokens &t, const Tags &tags, int from);

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
