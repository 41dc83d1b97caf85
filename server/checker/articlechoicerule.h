#pragma once
// ArticleChoiceRule: the article before each noun phrase as a classifier trained on
// native English predicts it ("a/an", "the" or none; see ArticleSlots). The learner's
// choice is flagged only where the model is confident and the written choice scores
// far below its prediction, so that right text stays unmarked.

#include "articleslots.h"
#include "finding.h"
#include "perceptronmodel.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;
class NounDeterminers;
class NounForms;

class ArticleChoiceRule
{
public:
    // How far the predicted class must score above the written one, by written and
    // predicted class (ArticleSlots::Choice), for a singular and a plural head noun; a
    // pair at or above kNever is never flagged.
    static constexpr float kNever = 1e9f;
    // The share of the plural among a noun's forms in print from which "different" before it
    // means several ("have different trend": the noun's number is the slip, not the article).
    static constexpr double kDifferentPluralShare = 0.09;
    struct Margins
    {
        float singular[3][3];
        float plural[3][3];
        static Margins defaults();
    };

    ArticleChoiceRule() : m_model(ArticleSlots::classNames()), m_margins(Margins::defaults()) {}
    // False (the rule silent) when the model file is missing or malformed.
    bool load(const std::string &modelPath, std::string *error = nullptr);
    const PerceptronModel &model() const { return m_model; }
    void setMargins(const Margins &margins) { m_margins = margins; }
    // The noun forms that keep "a/an" from nouns never counted ("a data"); not owned, may
    // be null (then the model alone decides).
    void setNounForms(const NounForms *forms) { m_forms = forms; }
    // Native counts of determiners by noun and slot (not owned, may be null): before an
    // of-phrase they choose between "a" and "the" ("the number of people", not "a number").
    void setCounts(const NounDeterminers *counts) { m_counts = counts; }
    const NounDeterminers *counts() const { return m_counts; }
    // The word list (not owned, may be null): a phrase holding a word it does not know is a
    // misspelling's, and the tagger's reading of it is no ground for an article.
    void setLexicon(const Lexicon *lexicon) { m_lex = lexicon; }

    // The choice to suggest for a slot with these scores, or -1 to leave it.
    static int decide(const std::vector<float> &scores, int written, bool plural, const Margins &margins);

    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;

    // True where a bare slot is no ground for an article: a misspelt word before its noun
    // ("better oin way"), a misspelt article ("tha temperature"), or a determiner before a
    // comma that already opens it ("another, complicated question").
    bool unsureSlot(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                    const ArticleSlots::Slot &slot) const;
    // One letter added, dropped, changed or two swapped turn "the" into this word ("tha", "teh").
    static bool nearThe(const std::string &lower);

private:
    PerceptronModel m_model;
    Margins m_margins;
    const NounForms *m_forms = nullptr;
    const NounDeterminers *m_counts = nullptr;
    const Lexicon *m_lex = nullptr;


    bool seldomCounted(const std::string &noun) const;
    bool sentenceAdverb(const std::vector<Token> &t, const std::vector<std::string> &tags, int i) const;
};

} // namespace PennovaChecker
