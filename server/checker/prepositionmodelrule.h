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

#include "countstable.h"
#include "finding.h"
#include "perceptronmodel.h"
#include "prepositionmodelslots.h"
#include "prepositionslots.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace PennovaChecker {

class PrepositionChoiceRule;

class PrepositionModelRule
{
public:
    // The classifier's scores for a slot, asked for only once the cheaper tests have passed.
    using Scorer = std::function<std::vector<float>()>;

    struct Gate
    {
        // tuned on REALEC and JFLEG dev against unedited CWEB sentences: at 20 CWEB-S gains three
        // false alarms, at 25 one
        float margin = 25.0f;     // the best preposition's score above the written one's
        // a smaller lead is enough where the table's own first choice after the word is the
        // classifier's, with this share of the prepositions counted there ("depends from" -> "on");
        // a passive participle is left to the full margin, its phrase often the clause's ("sent
        // in its packaging")
        float nearMargin = 22.0f;
        double nearMinTableShare = 0.6;
        uint32_t minRowTotal = 5; // prepositions the table counted after the word before
        // the word seen this often in all, objects taken directly included (the table keeps
        // rarer words for the unneeded-preposition test, too few to overrule the writer with)
        uint32_t minRowSeen = 20;
        // after a noun only "of" is judged, as native text has it after nearly any noun: the
        // table must have counted the noun often with other prepositions, one of them far ahead
        // ("the reason for"), and "of" rarely; the classifier must agree
        float nounMargin = 0.0f;
        uint32_t nounMinRowTotal = 40;   // other prepositions counted after the noun
        double nounMinBestShare = 0.85;  // the suggested one among them
        double nounMaxOfShare = 0.08;    // "of" among all
        double nounLaterShare = 0.05;    // another of the noun's own after the object
        double nounMaxVerbShare = 0.05;  // "of" after the verb before the noun phrase
        // another preposition after a noun that a support verb takes ("have an effect to"): the
        // written one rare among the noun's prepositions other than "of", the suggested one common
        uint32_t supportMinRowTotal = 20;
        double supportMinBestShare = 0.6;
        double supportMaxWrittenShare = 0.05;
        float supportMargin = 20.0f;     // the classifier's lead for it over the written one
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

    // The class to suggest where decide() found the lead too small: the best class when it leads
    // the written one by gate.nearMargin, is the table's first choice after the word with
    // gate.nearMinTableShare of its prepositions, and the word is no passive participle nor
    // paired by "and" with a plural before it.
    int nearChoice(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                   const PrepositionModelSlots::Slot &slot, const std::vector<float> &scores) const;

    // The same for "of" after a noun ("the reason of"): a common noun right before it, its
    // object no name, number, time or gerund.
    static bool nounJudged(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                           const PrepositionModelSlots::Slot &slot);
    // The preposition to put in place of "of" after a noun, or -1: the one the table counted far
    // most often after it among the others, where it counted "of" rarely (see Gate), the noun
    // phrase follows no preposition nor a verb that takes "of", none of the noun's own
    // prepositions comes soon after the object, and the classifier ranks the choice above "of".
    int nounChoice(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                   const PrepositionModelSlots::Slot &slot, const Scorer &score) const;

    // Findings already in *out on the governor, the preposition or its object leave it alone.
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;

private:
    using Counts = CountsTable::Counts;
    // nounChoice for a preposition other than "of": the noun's row, its best other than "of"
    // and their sum.
    int supportChoice(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                      const PrepositionModelSlots::Slot &slot, const Counts &counts, int best, double others,
                      const Scorer &score) const;
    // The table's row of the word at `word` read as that kind, or null.
    const Counts *rowOf(const std::vector<Token> &tokens, int word, PrepositionSlots::Governor kind) const;

    PerceptronModel m_model;
    const PrepositionChoiceRule *m_counts = nullptr;
    Gate m_gate;
};

} // namespace PennovaChecker
