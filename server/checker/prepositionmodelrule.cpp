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

// The phrase from the preposition to its object holds only plain lower-case words, and the
// table's rule does not read it as attached elsewhere.
bool attachesHere(const std::vector<Token> &t, const std::vector<std::string> &tags, const M::Slot &s,
                  PrepositionSlots::Governor kind)
{
    for (int k = s.at + 1; k <= s.object; ++k)
        if (t[size_t(k)].kind != Token::Word || t[size_t(k)].isCapitalised() || tags[size_t(k)] == "CD")
            return false;
    PrepositionSlots::Slot p;
    p.governor = s.governor;
    p.preposition = s.at;
    p.object = s.object;
    p.kind = kind;
    return !PrepositionChoiceRule::mayAttachElsewhere(t, tags, p);
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
    // a participle's "by" names the doer ("benefits not earned by them")
    if (tags[size_t(s.governor)] == "VBN" && t[size_t(s.at)].is("by"))
        return false;
    const PrepositionSlots::Governor kind = governorKind(tags[size_t(s.governor)]);
    if (kind == PrepositionSlots::Noun)
        return false; // a noun's phrase attaches anywhere ("the data about", "changes for")
    // a name, a number, a time, a predicate adjective's respect ("close in numbers"), a noun
    // making a preposition with "of": the table's rule knows these attach elsewhere
    return attachesHere(t, tags, s, kind);
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
    return all >= m_gate.minRowTotal && all + (*counts)[size_t(PrepositionSlots::kDirect)] >= m_gate.minRowSeen
        && (*counts)[size_t(s.written)] == 0;
}

bool PrepositionModelRule::nounJudged(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                      const M::Slot &s)
{
    if (s.governor < 0 || s.governor != s.at - 1 || s.object < 0)
        return false;
    const std::string &gtag = tags[size_t(s.governor)];
    const Token &g = t[size_t(s.governor)];
    if ((gtag != "NN" && gtag != "NNS") || g.kind != Token::Word || g.isCapitalised()
        || g.lower.find_first_not_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos)
        return false;
    const std::string &otag = tags[size_t(s.object)];
    if (otag == "CD" || otag == "VBG")
        return false;
    return attachesHere(t, tags, s, PrepositionSlots::Noun);
}

int PrepositionModelRule::nounChoice(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                     const M::Slot &s, const Scorer &score) const
{
    const int of = PrepositionSlots::classOf("of");
    if (!m_counts)
        return -1;
    const Counts *counts = rowOf(t, s.governor, PrepositionSlots::Noun);
    if (!counts)
        return -1;
    // "of" follows nearly any noun: the shares of the others say which one the noun takes
    double all = 0, others = 0;
    int best = -1;
    for (int c = 0; c < PrepositionSlots::kDirect; ++c) {
        all += (*counts)[size_t(c)];
        if (c == of)
            continue;
        others += (*counts)[size_t(c)];
        if (best < 0 || (*counts)[size_t(c)] > (*counts)[size_t(best)])
            best = c;
    }
    if (s.written != of)
        return supportChoice(t, tags, s, *counts, best, others, score);
    if (others < m_gate.nounMinRowTotal || (*counts)[size_t(best)] < others * m_gate.nounMinBestShare
        || (*counts)[size_t(of)] > all * m_gate.nounMaxOfShare)
        return -1;
    // the noun's own preposition soon after the object ("the connection of the town to the
    // sea") makes the "of" the noun's subject
    for (int k = s.object + 1; k < int(t.size()) && k <= s.object + 4; ++k) {
        const int c = t[size_t(k)].kind == Token::Word ? PrepositionSlots::classOf(t[size_t(k)].lower) : -1;
        if (c >= 0 && c != of && (*counts)[size_t(c)] >= others * m_gate.nounLaterShare)
            return -1;
    }
    // the noun phrase's own place: after a preposition it may make one with "of" ("by reason
    // of") or the phrase may be an earlier noun's; after a verb that native text follows with
    // "of" ("reminded the candidate of") it may be the verb's
    int k = s.governor - 1;
    while (k >= 0
           && (tags[size_t(k)] == "DT" || tags[size_t(k)] == "PRP$" || tags[size_t(k)].rfind("JJ", 0) == 0
               || tags[size_t(k)] == "NN" || tags[size_t(k)] == "NNS" || tags[size_t(k)] == "CD"
               || tags[size_t(k)] == "POS" || tags[size_t(k)] == "PDT" || tags[size_t(k)] == "RB"))
        --k;
    if (k >= 0 && (tags[size_t(k)] == "IN" || tags[size_t(k)] == "TO"))
        return -1;
    if (k >= 0 && tags[size_t(k)].rfind("VB", 0) == 0) {
        const Counts *verb = rowOf(t, k, PrepositionSlots::Verb);
        double prepositions = 0;
        for (int c = 0; verb && c < PrepositionSlots::kDirect; ++c)
            prepositions += (*verb)[size_t(c)];
        if (verb && (*verb)[size_t(of)] > prepositions * m_gate.nounMaxVerbShare)
            return -1;
    }
    // the classifier, reading the context, must rank the table's choice above the written one;
    // asked last, as it is the dearest test
    const std::vector<float> scores = score();
    if (scores.size() != size_t(M::kClasses))
        return -1;
    return scores[size_t(best)] - scores[size_t(of)] >= m_gate.nounMargin ? best : -1;
}

int PrepositionModelRule::nearChoice(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                     const M::Slot &s, const std::vector<float> &scores) const
{
    if (scores.size() != size_t(M::kClasses) || s.governor < 0 || s.written < 0 || s.written >= M::kClasses)
        return -1;
    const int best = int(std::max_element(scores.begin(), scores.end()) - scores.begin());
    if (best == s.written || scores[size_t(best)] - scores[size_t(s.written)] < m_gate.nearMargin)
        return -1;
    const std::string &gtag = tags[size_t(s.governor)];
    // a verb after "and" after a plural may be a misspelt noun of the pair ("views and believes
    // of the pupils")
    if (s.governor >= 2 && tags[size_t(s.governor) - 2] == "NNS"
        && (t[size_t(s.governor) - 1].lower == "and" || t[size_t(s.governor) - 1].lower == "or"))
        return -1;
    if (gtag == "VBN")
        for (int b = s.governor - 1; b >= 0 && b >= s.governor - 3; --b) {
            const std::string &w = t[size_t(b)].lemma.empty() ? t[size_t(b)].lower : t[size_t(b)].lemma;
            if (w == "be" || w == "get")
                return -1;
        }
    const Counts *counts = rowOf(t, s.governor, governorKind(gtag));
    if (!counts)
        return -1;
    double all = 0;
    int first = 0;
    for (int c = 0; c < PrepositionSlots::kDirect; ++c) {
        all += (*counts)[size_t(c)];
        if ((*counts)[size_t(c)] > (*counts)[size_t(first)])
            first = c;
    }
    return first == best && (*counts)[size_t(best)] >= all * m_gate.nearMinTableShare ? best : -1;
}

int PrepositionModelRule::supportChoice(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                        const M::Slot &s, const Counts &counts, int best, double others,
                                        const Scorer &score) const
{
    if (best == s.written || others < m_gate.supportMinRowTotal || counts[size_t(best)] < others * m_gate.supportMinBestShare
        || counts[size_t(s.written)] > others * m_gate.supportMaxWrittenShare)
        return -1;
    // the noun phrase right after a verb that lends the noun its meaning ("have an effect",
    // "play a role", "pay attention"): the phrase after the noun is then the noun's
    int k = s.governor - 1;
    while (k >= 0 && (tags[size_t(k)] == "DT" || tags[size_t(k)].rfind("JJ", 0) == 0 || tags[size_t(k)] == "PRP$"
                      || tags[size_t(k)].rfind("RB", 0) == 0))
        --k;
    if (k < 0 || tags[size_t(k)].rfind("VB", 0) != 0)
        return -1;
    // a passive's agent or its own phrase ("was paid a visit by") is no phrase of the noun's
    if (tags[size_t(k)] == "VBN")
        for (int b = k - 1; b >= 0 && b >= k - 2; --b) {
            const std::string &w = t[size_t(b)].lemma.empty() ? t[size_t(b)].lower : t[size_t(b)].lemma;
            if (w == "be" || w == "get")
                return -1;
        }
    static const char *const kSupport[] = {"have", "play", "pay", "exert", "make"};
    const std::string &verb = t[size_t(k)].lemma.empty() ? t[size_t(k)].lower : t[size_t(k)].lemma;
    if (std::none_of(std::begin(kSupport), std::end(kSupport), [&](const char *v) { return verb == v; }))
        return -1;
    const std::vector<float> scores = score();
    if (scores.size() != size_t(M::kClasses))
        return -1;
    return scores[size_t(best)] - scores[size_t(s.written)] >= m_gate.supportMargin ? best : -1;
}

const PrepositionModelRule::Counts *PrepositionModelRule::rowOf(const std::vector<Token> &t, int word,
                                                               PrepositionSlots::Governor kind) const
{
    PrepositionSlots::Slot key;
    key.kind = kind;
    key.lemma = t[size_t(word)].lemma.empty() ? t[size_t(word)].lower : t[size_t(word)].lemma;
    const Counts *counts = m_counts ? m_counts->countsOf(PrepositionSlots::key(key)) : nullptr;
    return counts && counts->size() == size_t(PrepositionSlots::kColumns) ? counts : nullptr;
}

void PrepositionModelRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                 std::vector<Finding> *out) const
{
    if (m_model.empty() || tags.size() != t.size())
        return;
    for (const M::Slot &s : M::find(t, tags)) {
        int best = -1;
        const char *kind = "preposition_choice";
        if (judged(t, tags, s)) {
            if (!tableAllows(t, tags, s))
                continue;
            const std::vector<float> scores = m_model.scores(M::features(t, tags, s));
            best = decide(scores, s.written, m_gate);
            if (best < 0)
                best = nearChoice(t, tags, s, scores);
        } else if (nounJudged(t, tags, s)) {
            best = nounChoice(t, tags, s, [&] { return m_model.scores(M::features(t, tags, s)); });
            kind = "noun_preposition";
        }
        if (best < 0)
            continue;
        // another rule's finding on the governor, the preposition or its object settles the case
        const int a = t[size_t(s.governor)].start, b = t[size_t(s.object)].end;
        if (std::any_of(out->begin(), out->end(), [&](const Finding &f) { return f.start < b && a < f.end; }))
            continue;
        out->push_back(R::replace(t, s.at, s.at, R::caseLike(t[size_t(s.at)], M::classNames()[size_t(best)]),
                                  "GRAMMAR", kind, 2));
    }
}

} // namespace PennovaChecker
