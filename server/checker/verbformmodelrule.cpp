#include "verbformmodelrule.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <algorithm>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using V = VerbFormSlots;

} // namespace

VerbFormModelRule::Margins VerbFormModelRule::Margins::defaults()
{
    // tuned on learner essays (REALEC dev, JFLEG dev) against unedited CWEB sentences
    // (bench_verbform), where plausible() lets a change through: a change is on where at least
    // 60 % of its learner flags were marked wrong and it flags under 0.3 % of the web
    // sentences; base to participle or -ing, -ing to anything and any change between present
    // and past never get there
    Margins m;
    for (auto &row : m.change)
        std::fill(std::begin(row), std::end(row), kNever);
    m.change[V::Third][V::Base] = 25.0f;      // "many people says", "the graphs provides"
    m.change[V::Base][V::Third] = 30.0f;      // "a person have friends"
    m.change[V::Participle][V::Base] = 12.0f; // "can given", "have to reduced"
    m.change[V::Past][V::Base] = 4.0f;        // "could became", "will appeared"
    m.change[V::Past][V::Participle] = 4.0f;  // "is showed", "will be took"
    return m;
}

VerbFormModelRule::VerbFormModelRule(const Lexicon &lexicon)
    : m_lex(lexicon)
    , m_model(V::classNames())
    , m_margins(Margins::defaults())
{
}

bool VerbFormModelRule::load(const std::string &modelPath, std::string *error)
{
    PerceptronModel model(V::classNames());
    if (!model.load(modelPath, error))
        return false;
    if (model.classes() != V::classNames()) {
        if (error)
            *error = "the model's classes are not base, s, past, part, ing";
        return false;
    }
    m_model = std::move(model);
    return true;
}

int VerbFormModelRule::writtenForm(const std::vector<float> &scores, unsigned mask)
{
    if (scores.size() != size_t(V::FormCount))
        return -1;
    int best = -1;
    for (int f = 0; f < V::FormCount; ++f)
        if ((mask & (1u << f)) && (best < 0 || scores[size_t(f)] > scores[size_t(best)]))
            best = f;
    return best;
}

int VerbFormModelRule::decide(const std::vector<float> &scores, unsigned mask, const Margins &margins, unsigned allowed)
{
    const int written = writtenForm(scores, mask);
    if (written < 0)
        return -1;
    int best = -1;
    float bestExcess = 0;
    for (int f = 0; f < V::FormCount; ++f) {
        const float margin = margins.change[written][f];
        if ((mask & (1u << f)) || !(allowed & (1u << f)) || margin >= kNever)
            continue;
        const float excess = scores[size_t(f)] - scores[size_t(written)] - margin;
        if (excess >= 0 && (best < 0 || excess > bestExcess)) {
            best = f;
            bestExcess = excess;
        }
    }
    return best;
}

bool VerbFormModelRule::plausible(const VerbFormSlots::Context &c, int written, int predicted)
{
    static const std::unordered_set<std::string> baseBefore = {"to", "will", "would", "shall", "should", "can", "could",
                                                               "may", "might", "must", "'ll", "MD", "do", "does", "did"};
    static const std::unordered_set<std::string> have = {"have", "has", "had", "having", "'ve"};
    static const std::unordered_set<std::string> be = {"be", "am", "is", "are", "was", "were", "been", "being", "'m", "'re"};
    const std::string &aux = c.auxiliary;
    const bool subjectOnly = aux == "-" && !c.joined && !c.gerundSubject && !c.relativeSubject;
    switch (predicted) {
    case V::Base:
        // a past after "to" may be a clause after a preposition ("everyone I talked to knew it")
        if (written == V::Past && aux == "to")
            return false;
        return baseBefore.count(aux) || (written == V::Third && subjectOnly && (c.subjectNumber == "pl" || c.subjectNumber == "other"));
    case V::Third:
        return subjectOnly && c.subjectNumber == "3sg";
    case V::Participle:
        return have.count(aux) || be.count(aux);
    case V::Ing:
        return be.count(aux) != 0;
    default:
        return false;
    }
}

bool VerbFormModelRule::otherWord(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                  const V::Slot &s, int predicted) const
{
    const std::string &w = t[size_t(s.at)].lower;
    if (w == s.lemma)
        return false;
    if (m_lex.isPos(w, Lexicon::Verb))
        return true;
    if (predicted == V::Participle && (m_lex.isPos(w, Lexicon::Noun) || m_lex.isPos(w, Lexicon::Adjective)))
        return true;
    const std::string next = s.at + 1 < int(tags.size()) ? tags[size_t(s.at) + 1] : std::string();
    return predicted == V::Base && m_lex.isPos(w, Lexicon::Adjective)
        && (next == "NN" || next == "NNS" || next == "JJ" || next == "PRP$" || next == "DT");
}

const char *VerbFormModelRule::kind(int written, int predicted)
{
    const bool agreement = (written == V::Base && predicted == V::Third) || (written == V::Third && predicted == V::Base);
    return agreement ? "sv_agreement" : "verb_form_model";
}

void VerbFormModelRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                              std::vector<Finding> *out) const
{
    if (m_model.empty())
        return;
    for (const V::Slot &s : V::find(t, tags, m_lex)) {
        // the cheap tests first: most verbs (a tense, a form after a verb that governs it)
        // leave room for no change that is on
        const V::Context context = V::context(t, tags, s, m_lex);
        unsigned allowed = 0;
        for (int w = 0; w < V::FormCount; ++w)
            for (int f = 0; f < V::FormCount && (s.writtenMask & (1u << w)); ++f) {
                const std::string &form = s.forms[size_t(f)];
                // a form no writer uses ("cutted") is never suggested, nor American "gotten" for "got"
                if (!(s.writtenMask & (1u << f)) && m_margins.change[w][f] < kNever && plausible(context, w, f)
                    && m_lex.frequency(form) > 0 && form != "gotten" && !otherWord(t, tags, s, f))
                    allowed |= 1u << f;
            }
        if (!allowed)
            continue;
        const std::vector<float> scores = m_model.scores(V::features(t, tags, s, m_lex));
        const int written = writtenForm(scores, s.writtenMask);
        const int predicted = decide(scores, s.writtenMask, m_margins, allowed);
        if (predicted < 0 || !plausible(context, written, predicted))
            continue;
        // "The research they did helped": the verb after a relative clause's "did" is the main one
        const int aux = R::prevWord(t, s.at);
        if (aux >= 0 && (context.auxiliary == "do" || context.auxiliary == "does" || context.auxiliary == "did")
            && R::closesRelativeClause(m_lex, t, aux))
            continue;
        const std::string &form = s.forms[size_t(predicted)];
        // another rule's finding on the verb or its subject settles the case
        const int a = t[size_t(std::max(0, s.at - 1))].start, b = t[size_t(s.at)].end;
        if (std::any_of(out->begin(), out->end(), [&](const Finding &f) { return f.start < b && a < f.end; }))
            continue;
        out->push_back(R::replace(t, s.at, s.at, R::caseLike(t[size_t(s.at)], form), "GRAMMAR",
                                  kind(written, predicted), 2));
    }
}

} // namespace PennovaChecker
