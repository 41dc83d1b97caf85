#pragma once
// NounNumberRule: the number of each head noun as a classifier trained on native English
// predicts it (singular or plural; see NumberSlots). The learner's form is flagged only
// where the model is confident and the written form scores far below the other, and the
// other form is a word a native writer uses ("advice" never gets an -s); "many student",
// "one of the reason", "every students".

#include "finding.h"
#include "nounforms.h"
#include "numberslots.h"
#include "perceptronmodel.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class NounNumberRule
{
public:
    // How far the other number must score above the written one to flag it, by the
    // written number and the phrase's context (NumberSlots::Context); at or above kNever
    // never flagged.
    static constexpr float kNever = 1e9f;
    struct Margins
    {
        float toPlural[NumberSlots::ContextCount];   // singular written, plural predicted
        float toSingular[NumberSlots::ContextCount]; // plural written, singular predicted
        // singular written after a quantity with "of" that counts ("a lot of", "a number of",
        // "the majority of"); other phrases with "of" take toPlural[Of]
        float toPluralCounted = kNever;
        static Margins defaults();
    };

    // lexicon is not owned and must outlive the rule; wordnetDir holds noun.exc.
    NounNumberRule(const Lexicon &lexicon, const std::string &wordnetDir);
    // False (the rule silent) when the model file is missing or malformed.
    bool load(const std::string &modelPath, std::string *error = nullptr);
    const PerceptronModel &model() const { return m_model; }
    const NounForms &forms() const { return m_forms; }
    const Lexicon &lexicon() const { return m_lex; }
    void setMargins(const Margins &margins) { m_margins = margins; }

    // The number to suggest for a slot with these scores, or -1 to leave it.
    static int decide(const std::vector<float> &scores, int written, NumberSlots::Context context,
                      const Margins &margins, bool counted = false);
    // The phrase follows a quantity with "of" that counts what comes after it: "a lot of",
    // "lots of", "plenty of", "a number of", "the majority of", "a couple of", "many of the".
    static bool countedQuantity(const std::vector<Token> &tokens, const NumberSlots::Slot &slot);
    // The other number's form of a slot's noun, or "" when there is none a writer would use.
    std::string otherForm(const NumberSlots::Slot &slot, const std::string &written) const;

    // The form to suggest for a slot's noun when the model asks for the other number, or ""
    // where the rule never suggests one (a verb read as a noun, a modifier joined to another,
    // a noun inside a phrase with a plural before it).
    std::string suggestion(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                           const NumberSlots::Slot &slot) const;

    // Findings already in *out near a noun leave it alone (their rules know the case better).
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;

private:
    // The finding for a slot's noun: the noun, a demonstrative that disagrees with it ("these
    // kind" -> "this"), or "a" and the noun where either may be the slip ("a good results" ->
    // "a good result" or "good results").
    static Finding finding(const std::vector<Token> &tokens, const NumberSlots::Slot &slot, const std::string &other);

    const Lexicon &m_lex;
    NounForms m_forms;
    PerceptronModel m_model;
    Margins m_margins;
};

} // namespace PennovaChecker
