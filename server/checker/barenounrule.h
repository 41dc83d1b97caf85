#pragma once
// BareNounRule: a singular count noun with no determiner where native writers put an
// article or use the plural ("New plant could not grow", "important for student"). Each
// model alone is often unsure here: the article model between "a" and "the", the number
// model between singular and plural; but both rank the bare singular low. The rule adds
// the article model's margin of the better article over none to half the number model's
// margin of the plural over the singular, and flags where the sum is large. It runs after the
// article and number rules and leaves the nouns they already flag alone.

#include "articleslots.h"
#include "finding.h"
#include "numberslots.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class ArticleChoiceRule;
class NounNumberRule;

class BareNounRule
{
public:
    // Right English of the same shape, by kind; a guarded noun is never flagged.
    enum Guard {
        Unguarded = 0,
        PrepositionIdiom, // "by car", "at school", "go to bed": native text keeps the pair bare
        TimePhrase,       // "last year", "day after day"
        Role,             // "as chairman", "senior engineer"
        Headline,         // no verb at all, or title case: "Ingredients: flour, egg and milk"
        Compound,         // "low-cost phone", "veterinarian owned", "higher risk": inside a longer word
        Coordinated,      // "a safe and integrated transport system": a determiner further back
        ListItem,         // "husband and wife", "Note: ..."
        Abstract,         // "application of the method": formal writing leaves it bare
        SentenceStart,    // "Pike would like": a first word alone may be a name or a verb
        GuardCount
    };
    static const std::vector<std::string> &guardNames();

    // A bare singular count noun with what the models make of it.
    struct Bare
    {
        ArticleSlots::Slot slot;
        std::vector<float> articleScores; // none, a, the
        float articleMargin = 0;          // max(a, the) over none
        float pluralMargin = 0;           // plural over singular
        std::string plural;               // the noun's plural, cased like it
        Guard guard = Unguarded;
        bool rarelyBare = false;          // the noun rarely bare, the phrase plain (plainPhrase)
        // the number model's margin counts half: without a determiner native writers choose
        // between singular and plural more freely than between an article and none
        float score() const { return articleMargin + pluralMargin / 2; }
    };

    // How high score() must be to flag a noun alone ("for student") and a noun after modifiers
    // ("different point of view"), whose article native writers choose more freely; chosen on
    // the learner dev sets against unedited CWEB sentences (bench_barenouns).
    struct Thresholds
    {
        float word = 20.0f;
        float phrase = 30.0f;
        // for a noun alone or a phrase, where native text seldom leaves the noun bare
        // (rarelyBare: "problem", "person") and the phrase is plain: the bare singular is a slip
        // more often (bench_barenouns: 2 more unedited CWEB sentences flagged, against about 40
        // more learner nouns, nearly all slips)
        float rarelyBare = 10.0f;
        // the number model's margin of the plural for a bare noun opening a clause before a
        // verb without -s ("scientist assume that", "successful therapist need"): the verb
        // shows the writer means several
        float pluralSubject = 25.0f;
    };

    // Neither rule is owned; both must outlive this one.
    BareNounRule(const ArticleChoiceRule &articles, const NounNumberRule &numbers)
        : m_articles(articles), m_numbers(numbers)
    {
    }
    void setThresholds(const Thresholds &thresholds) { m_thresholds = thresholds; }
    // The noun is unguarded and scores at its threshold or above.
    bool flags(const Bare &bare) const;
    // Native text has the noun often enough (kMinCounted singular uses) and leaves it bare in
    // fewer than `share` of them (the article model's counts, ArticleChoiceRule::counts). A noun
    // with an abstract ending bare in fewer than kSeldomBareShare is not guarded as abstract
    // ("make conclusion", "compare situation"; but "detect variation", "in direction").
    static constexpr unsigned kMinCounted = 20;
    static constexpr double kRarelyBareShare = 0.2;
    static constexpr double kSeldomBareShare = 0.12;
    bool rarelyBare(const std::string &noun, double share = kRarelyBareShare) const;
    // The noun opens a clause, a lexical verb without -s follows it and the number model
    // prefers the plural by the pluralSubject margin: "Recently scientist assume".
    bool pluralSubject(const std::vector<Token> &tokens, const std::vector<std::string> &tags, const Bare &bare) const;

    // Every bare singular count noun of the sentence, guarded ones included.
    std::vector<Bare> find(const std::vector<Token> &tokens, const std::vector<std::string> &tags) const;
    // The finding for a bare noun, its fixes in the order the models rank them: a noun alone
    // gets "a plant", "the plant" and "plants"; in a longer phrase the articles go on its
    // first word ("a new") or, where the plural leads, the plural on its noun ("plants").
    static Finding finding(const std::vector<Token> &tokens, const Bare &bare);

    // Findings already in *out on the phrase leave it alone.
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;

private:
    // Adjectives and adverbs alone before the noun, nothing before the phrase that may serve it
    // (an adverb after an article, an auxiliary), no hedge ("kind of"): where a noun native text
    // rarely leaves bare is flagged at the lower thresholds.
    bool plainPhrase(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                     const ArticleSlots::Slot &slot) const;
    static Guard guard(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                       const ArticleSlots::Slot &slot, const std::vector<float> &pairWeights, bool rarelyBare);

    const ArticleChoiceRule &m_articles;
    const NounNumberRule &m_numbers;
    Thresholds m_thresholds;
};

} // namespace PennovaChecker
