#pragma once
// VerbFormModelRule: the form of each verb as a classifier trained on native English
// predicts it (base, -s, past, participle, -ing; see VerbFormSlots). The learner's form is
// flagged only where a form spelt otherwise scores above the best form spelt as written by
// the margin chosen for that change (each change on its own: a tense the writer chose
// freely does not hide an agreement slip); "he go" -> "goes", "I have went" ->
// "gone", "she can swims" -> "swim".

#include "finding.h"
#include "perceptronmodel.h"
#include "verbformslots.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class VerbFormModelRule
{
public:
    // How far the predicted form must score above the written one to flag it, by written
    // and predicted form; at or above kNever never flagged.
    static constexpr float kNever = 1e9f;
    struct Margins
    {
        float change[VerbFormSlots::FormCount][VerbFormSlots::FormCount]; // [written][predicted]
        static Margins defaults();
    };

    // The best-scoring form spelt as written (-1 when the scores are not one per form).
    static int writtenForm(const std::vector<float> &scores, unsigned writtenMask);
    // The form to suggest, or -1 to leave the verb: of the forms spelt otherwise whose score
    // is ahead of the written form's by their change's margin, the one furthest past it.
    // allowed: the forms that may be suggested at all (bit per form).
    static int decide(const std::vector<float> &scores, unsigned writtenMask, const Margins &margins,
                      unsigned allowed = ~0u);

    // lexicon is not owned and must outlive the rule.
    explicit VerbFormModelRule(const Lexicon &lexicon);
    // False (the rule silent) when the model file is missing or malformed.
    bool load(const std::string &modelPath, std::string *error = nullptr);
    const PerceptronModel &model() const { return m_model; }
    void setMargins(const Margins &margins) { m_margins = margins; }

    // Whether the words before the verb leave room for the change at all: the base form only
    // after "to", a modal or do, or (for an -s form) after a plural subject; the participle and
    // the -ing form only after have or be; the -s form only after a singular subject. The
    // model alone cannot tell a tense or a reduced clause the writer chose ("increased
    // violence", "Colors shown") from a slip.
    static bool plausible(const VerbFormSlots::Context &context, int written, int predicted);
    // Whether the written word may be another word than the verb's form: a verb of its own
    // ("found" a company, "bore" a hole), a noun or an adjective where a participle is asked
    // for ("was rose pink"), an adjective before its noun where a base is ("can used cars").
    bool otherWord(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                   const VerbFormSlots::Slot &slot, int predicted) const;

    // The explanation kind of a change: sv_agreement between base and -s, verb_form_model else.
    static const char *kind(int written, int predicted);

    // Findings already in *out on the verb or the word before it leave it alone (their rules
    // know the case better).
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;

private:
    const Lexicon &m_lex;
    PerceptronModel m_model;
    Margins m_margins;
};

} // namespace PennovaChecker
