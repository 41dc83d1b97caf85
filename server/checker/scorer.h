#pragma once
// The summary scores of a check (both 0..1).
//
// lexicalScore = 0.6 * min(1, sophistication / 0.4) + 0.4 * diversity
//   sophistication: mean of (level - 1) / 5 over the content words, level being the
//     word's CEFR level (A1 = 1 .. C2 = 6; unlisted words get a level from their
//     frequency rank: < 2000 -> 1, < 5000 -> 2, < 10000 -> 3, < 20000 -> 4,
//     < 40000 -> 5, else 6; words in no list are skipped);
//   diversity: min(1, CTTR / 6), CTTR = distinct content words / sqrt(2 * content words).
// syntaxScore = (0.35 * length + 0.25 * variety + 0.4 * complexity) * (1 - 0.5 * errors)
//   length: 1 - |mean sentence length - 18| / 18, clamped to 0..1;
//   variety: 0.5 * min(1, stddev of sentence lengths / 8) + 0.5 * distinct openers / sentences;
//   complexity: min(1, subordinators and relative pronouns per sentence);
//   errors: min(1, grammar, word-form, real-word and fragment findings per sentence / 2).
// Both run over every sentence of a request, the ones the client answered from its cache
// too; those bring their error count along (the "scoreErrors" their record carried).

#include <json/json.h>

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class Scorer
{
public:
    explicit Scorer(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    double lexicalScore(const std::vector<std::string> &sentences) const;
    // records: the result records of the checked sentences (their "corrections" are
    // counted); cachedErrors: the error counts of the sentences not checked again.
    double syntaxScore(const std::vector<std::string> &sentences, const std::vector<Json::Value> &records,
                       int cachedErrors = 0) const;
    // The findings of one result record that count as errors in syntaxScore.
    static int errorCount(const Json::Value &record);
    int wordLevel(const std::string &lower) const; // 0 when unknown

private:
    const Lexicon &m_lex;
};

} // namespace PennovaChecker
