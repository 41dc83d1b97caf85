#include "prepositionmodelrule.h"

#include "prepositionchoicerule.h"
#include "prepositionslots.h"
#include "rulesupport.h"

#include <algorithm>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using M = PrepositionModelSlots;

PrepositionSlots::Governor governorKind(const std::string &tag)
{
    if (tag.rfind("VB", 0) == 0)
        return PrepositionSlots::Verb;
    if (tag.rfind("JJ", 0) == 0)
        return PrepositionSlots::Adjective;
    return PrepositionSlots::Noun;
}

} // namespace

PrepositionModelRule::PrepositionModelRule()
    : m_model(M::classNames())
{
}

bool PrepositionModelRule::load(const std::string &modelPath, std::string *error)
{
    PerceptronModel model(M::classNames());
    if (!model.load(modelPath, error))
        return false;
    if (model.classes() != M::classNames()) {
        if (error)
            *error = "the model's classes are not the checker's prepositions";
        return false;
    }
    m_model = std::move(model);
    return true;
}

int PrepositionModelRule::decide(const std::vector<float> &scores, int written, const Gate &gate)
{
    if (scores.size() != size_t(M::kClasses) || written < 0 || written >= M::kClasses)
        return -1;
    const int best = int(std::max_element(scores.begin(), scores.end()) - scores.begin());
    if (best == written || scores[size_t(best)] - scores[size_t(written)] < gate.margin)
        return -1;
    return best;
}

bool PrepositionModelRule::judged(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                  const M::Slot &s)
{
    // the word the preposition goes with must be in sight: a verb or an adjective right before
    // it; after another preposition or a particle ("sit in on") the two belong together
    if (s.governor < 0 || s.object < 0 || s.at < 1 || tags[size_t(s.object)] == "CD")
        return false;
    const std::string &ptag = tags[size_t(s.at) - 1];
    if (ptag == "IN" || ptag == "RP" || ptag == "TO")
        return false;
    // an adverb of manner may stand between ("prepare carefully for"); after others ("read so
    // far for") the phrase may be the clause's
    for (int k = s.governor + 1; k < s.at; ++k) {
        const std::string &w = t[size_t(k)].lower;
        if (w.size() < 4 || w.compare(w.size() - 2, 2, "ly") != 0)
            return false;
    }
    // a gerund's phrase says how or why as often as it completes the word before ("realized
    // from taking the class")
    if (tags[size_t(s.object)] == "VBG")
        return false;
    // a base form the lemmatiser reads as another verb's past ("to bore into") is read unsurely;
    // a gerund takes its object directly ("increasing of benefits" wants no preposition, which
    // the classifier cannot offer)
    const Token &g = t[size_t(s.governor)];
    if ((tags[size_t(s.governor)] == "VB" && !g.lemma.empty() && g.lemma != g.lower)
        || tags[size_t(s.governor)] == "VBG")
        return false;
    const PrepositionSlots::Governor kind = governorKind(tags[size_t(s.governor)]);
    if (kind == PrepositionSlots::Noun)
        return false; // a noun's phrase attaches anywhere ("the data about", "changes for")
    for (int k = s.at + 1; k <= s.object; ++k)
        if (t[size_t(k)].kind != Token::Word || t[size_t(k)].isCapitalised() || tags[size_t(k)] == "CD")
            return false;
    // a name, a number, a time, a predicate adjective's respect ("close in numbers"), a noun
    // making a preposition with "of": the table's rule knows these attach elsewhere
    PrepositionSlots::Slot p;
    p.governor = s.governor;
    p.preposition = s.at;
    p.object = s.object;
    p.kind = kind;
    return !PrepositionChoiceRule::mayAttachElsewhere(t, tags, p);
}

bool PrepositionModelRule::tableAllows(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                       const M::Slot &s) const
{
    if (!m_counts || s.governor < 0)
        return false;
    PrepositionSlots::Slot key;
    key.kind = governorKind(tags[size_t(s.governor)]);
    const Token &g = t[size_t(s.governor)];
    key.lemma = g.lemma.empty() ? g.lower : g.lemma;
    const PrepositionChoiceRule::Counts *counts = m_counts->countsOf(PrepositionSlots::key(key));
    if (!counts || counts->size() != size_t(PrepositionSlots::kColumns))
        return false;
    uint32_t all = 0;
    for (int c = 0; c < PrepositionSlots::kDirect; ++c)
        all += (*counts)[size_t(c)];
    return all >= m_gate.minRowTotal && (*counts)[size_t(s.written)] == 0;
}

void PrepositionModelRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                 std::vector<Finding> *out) const
{
    if (m_model.empty() || tags.size() != t.size())
        return;
    for (const M::Slot &s : M::find(t, tags)) {
        if (!judged(t, tags, s) || !tableAllows(t, tags, s))
            continue;
        const int best = decide(m_model.scores(M::features(t, tags, s)), s.written, m_gate);
        if (best < 0)
            continue;
        // another rule's finding on the governor, the preposition or its object settles the case
        const int a = t[size_t(s.governor)].start, b = t[size_t(s.object)].end;
        if (std::any_of(out->begin(), out->end(), [&](const Finding &f) { return f.start < b && a < f.end; }))
            continue;
        out->push_back(R::replace(t, s.at, s.at, R::caseLike(t[size_t(s.at)], M::classNames()[size_t(best)]),
                                  "GRAMMAR", "preposition_choice", 2));
    }
}

} // namespace PennovaChecker
