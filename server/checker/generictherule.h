#pragma once
// GenericTheRule: "the" before a noun meant in general ("protect the nature", "in the
// society", "The air pollution is a problem") where native text keeps that noun bare in
// that place (GenericNouns), nothing after the noun pins it down and neither this
// sentence nor the one before named it.

#include "finding.h"
#include "genericnouns.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class GenericTheRule
{
public:
    // Chosen on the learner dev sets against unedited CWEB sentences (bench_articles): the
    // share of bare uses a noun needs with its governor, and how often the noun (after a
    // preposition: the pair) must have been seen.
    static constexpr double kThreshold = 0.85;
    static constexpr int kMinNoun = 20;
    static constexpr int kMinPair = 5;
    // A plural after adjectives ("the young people") is counted for every governor together, a
    // share less sure of the slot: native text leaves it bare less often, and still far more
    // often than learners do. A plural alone ("The people want") names a kind more often than a
    // singular does ("the life" may be one life), and is flagged at the same share (bench_checker:
    // 6 more learner flags, 4 right; 1 more unedited CWEB sentence).
    static constexpr double kModifiedThreshold = 0.75;
    static constexpr double kPluralThreshold = 0.75;
    static constexpr int kMinModified = 15;

    // False (the rule silent) when the counts are missing or malformed.
    bool load(const std::string &path, std::string *error = nullptr);
    const GenericNouns &counts() const { return m_counts; }
    void setThreshold(double threshold) { m_threshold = threshold; }

    // How likely native text leaves the noun of a use bare there; -1 where it cannot say.
    double bareShare(const GenericNouns::Use &use) const;
    // The share bareShare must reach for a "the" before the use to be flagged.
    double threshold(const GenericNouns::Use &use) const;
    // previous: the sentence before (may be empty; read only where a "the" would be flagged).
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, const std::string &previous,
               std::vector<Finding> *out) const;

private:
    GenericNouns m_counts;
    double m_threshold = kThreshold;
};

} // namespace PennovaChecker
