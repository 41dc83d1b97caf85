#include "generictherule.h"

#include "rulesupport.h"

#include <algorithm>

namespace PennovaChecker {

using R = RuleSupport;

bool GenericTheRule::load(const std::string &path, std::string *error)
{
    return m_counts.load(path, error);
}

double GenericTheRule::bareShare(const GenericNouns::Use &use) const
{
    // after "of" the noun is mostly one the reader knows ("users of the service", "the results
    // of the research"), and "of" with a bare noun often makes a set phrase ("out of the water",
    // "the state of the art"): on the learner dev sets that pair was right too seldom
    if (use.governor == "of")
        return -1;
    return m_counts.bareShare(use, use.modified ? kMinModified : kMinNoun, kMinPair);
}

double GenericTheRule::threshold(const GenericNouns::Use &use) const
{
    if (use.modified)
        return std::min(m_threshold, kModifiedThreshold);
    return use.plural ? std::min(m_threshold, kPluralThreshold) : m_threshold;
}

void GenericTheRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                           const std::string &previous, std::vector<Finding> *out) const
{
    if (m_counts.empty())
        return;
    // a story in the past names things met there ("The people were friendly"), not kinds
    bool past = false, present = false;
    for (const std::string &tag : tags) {
        past = past || tag == "VBD";
        present = present || tag == "VBZ" || tag == "VBP";
    }
    if (past && !present)
        return;
    std::vector<GenericNouns::Use> flagged;
    for (const GenericNouns::Use &u : GenericNouns::uses(t, tags))
        if (u.withThe && bareShare(u) >= threshold(u))
            flagged.push_back(u);
    // the sentence before is read only where there is something to flag (seldom)
    if (!flagged.empty() && !previous.empty()) {
        std::vector<int> unknown; // heads the sentence before did not name
        for (const GenericNouns::Use &u : GenericNouns::uses(t, tags, Tokenizer::tokenize(previous)))
            unknown.push_back(u.head);
        const auto named = [&](const GenericNouns::Use &u) {
            return std::find(unknown.begin(), unknown.end(), u.head) == unknown.end();
        };
        flagged.erase(std::remove_if(flagged.begin(), flagged.end(), named), flagged.end());
    }
    for (const GenericNouns::Use &u : flagged) {
        Finding f;
        if (u.article == 0) // "The life is short" -> "Life is short": the capital moves on
            out->push_back(R::replace(t, 0, 1, t[1].lower, "GRAMMAR", "article_unneeded", 2));
        else if (R::deletion(t, u.article, "GRAMMAR", "article_unneeded", 2, &f))
            out->push_back(f);
    }
}

} // namespace PennovaChecker
