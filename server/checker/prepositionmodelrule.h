#pragma once
// PrepositionModelRule: the preposition a native writer puts after a verb or an adjective, as a
// classifier trained on native English predicts it (PrepositionModelSlots, trained by
// pennova-preptrain). The written preposition is flagged only where the count tables have not
// spoken and agree it is unusual: the classifier's best preposition scores far above it, the
// word before it was seen with prepositions in native text but never with the written one,
// and no other finding is on the phrase.
//   "society faced to feminism" -> "with", "it can be explained with the fact" -> "by"
// Prepositions of the clause rather than of the word before are left alone: times, places,
// names and numbers ("in the morning", "at home", "in London", "by 1995"), phrases after a noun,
// a gerund or another preposition or particle ("sit in on"), a gerund's phrase ("learned from
// taking the class") and an adjective's respect ("close in numbers").

#include "finding.h"
#include "perceptronmodel.h"
#include "prepositionmodelslots.h"

#include <cstdint>
#include <string>
#include <vector>

namespace PennovaChecker {

class PrepositionChoiceRule;

class PrepositionModelRule
{
public:
    struct Gate
    {
        // tuned on REALEC and JFLEG dev against unedited CWEB sentences: at 20 CWEB-S gains three
        // false alarms, at 25 one
        float margin = 25.0f;     // the best preposition's score above the written one's
        uint32_t minRowTotal = 5; // prepositions the table counted after the word before
    };

    // The class to suggest, or -1 to leave the slot: the best-scoring class when it is not the
    // written one and scores at least gate.margin above it.
    static int decide(const std::vector<float> &scores, int written, const Gate &gate);

    PrepositionModelRule();
    // False (the rule silent) when the model file is missing or malformed or of other classes.
    bool load(const std::string &modelPath, std::string *error = nullptr);
    const PerceptronModel &model() const { return m_model; }
    // The native counts of prepositions after verbs, adjectives and nouns (not owned; may be
    // null, which leaves the rule silent).
    void setCounts(const PrepositionChoiceRule *counts) { m_counts = counts; }
    void setGate(const Gate &gate) { m_gate = gate; }

    // Whether the slot is one the model may judge: a verb or an adjective right before it (over
    // adverbs in -ly), an object that is no name, number, time or gerund, and no phrase the
    // table's rule reads as attached elsewhere.
    static bool judged(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                       const PrepositionModelSlots::Slot &slot);
    // Whether the table lets the classifier speak: the word before was counted with at least
    // gate.minRowTotal prepositions, never with the written one.
    bool tableAllows(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                     const PrepositionModelSlots::Slot &slot) const;

    // Findings already in *out on the governor, the preposition or its object leave it alone.
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;

private:
    PerceptronModel m_model;
    const PrepositionChoiceRule *m_counts = nullptr;
    Gate m_gate;
};

} // namespace PennovaChecker
