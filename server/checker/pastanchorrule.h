#pragma once
// A present verb in a clause whose time the sentence has already fixed in the past:
// by an adverbial ("Last year my family travel", "In 2010 the number increase", "Two
// years ago he decide") or by a past clause of time ("When I was a child, I play",
// "After I finished school, I start"). The flagged verb gets its past form.
// A sentence that fixes no time of its own follows the past of the sentence before when it
// opens with a word of sequence ("He left. Then he calls"), or repeats the pronoun subject of a
// dated past sentence with a verb of an event ("Last year I went to Beijing. I visit the Wall").

#include "finding.h"
#include "tokenizer.h"

#include <functional>
#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class PastAnchorRule
{
public:
    explicit PastAnchorRule(const Lexicon &lexicon); // lexicon not owned
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    // Whether the sentence opens the way checkAfter reads (cheap: decides whether to tag the one before).
    bool mayFollow(const std::vector<Token> &tokens) const;
    // The sentence after `previous`, read against the past that one is told in; tagPrevious
    // gives the tags of previous, asked for only when the sentence itself leaves the time open.
    void checkAfter(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                    const std::vector<Token> &previous,
                    const std::function<std::vector<std::string>()> &tagPrevious, std::vector<Finding> *out) const;

private:
    struct Span
    {
        int from = -1;
        int to = -1; // inclusive
        bool empty() const { return from < 0 || to < from; }
    };
    enum class Anchor { Definite, Vague, Clause }; // "in 2010" / "in the past" / "when I was"

    // The past-time adverbial that begins at i ("yesterday", "two years ago", "in 1990"), or none.
    Span adverbialAt(const std::vector<Token> &t, int i, Anchor *kind) const;
    bool pastYear(const Token &token) const;
    // The clause "when/after/before ... <past verb>" that begins at i, up to its last word; or none.
    Span pastClauseAt(const std::vector<Token> &t, const std::vector<std::string> &tags, int i) const;
    // The clause around [anchor.from, anchor.to], the anchor's own words counting as inside it.
    Span clauseAround(const std::vector<Token> &t, const std::vector<std::string> &tags, Span anchor) const;
    Span clauseAfter(const std::vector<Token> &t, int i) const; // the clause that starts at i
    // The first finite verb of clause c when it is a present the anchor makes wrong.
    // eventsOnly: leave states and habits alone ("I was born in 2000. I live in Wuhan").
    void flagClause(const std::vector<Token> &t, const std::vector<std::string> &tags, Span c, Span anchor, Anchor kind,
                    std::vector<bool> *flagged, std::vector<Finding> *out, bool eventsOnly = false) const;
    // A present after "and then" or ", then" in a sentence told in the past so far ("It rose
    // to 20 % and then falls", "We ate, then we go home").
    void thenAfterPast(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<bool> *flagged,
                       std::vector<Finding> *out) const;
    // A present, a forecast, a quotation or a question: the sentence may keep its own present.
    bool timeOpen(const std::vector<Token> &t) const;
    // The end of the word of sequence the sentence opens with ("Then", "Two years later,"), or -1.
    int sequenceEnd(const std::vector<Token> &t) const;
    // The first finite verb of a sentence told in the past, with its subject; -1 when there is none.
    int pastVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int *subject) const;
    std::string pastOf(const std::string &lower) const; // "" when unknown
    std::string regularBase(const std::string &lower) const;

    const Lexicon &m_lex;
    int m_thisYear;
};

} // namespace PennovaChecker
