#include "nounnumberrule.h"

#include "lexicon.h"
#include "rulesupport.h"

#include <algorithm>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;

} // namespace

NounNumberRule::Margins NounNumberRule::Margins::defaults()
{
    // tuned on learner essays (REALEC dev, JFLEG dev) against unedited CWEB sentences (bench_number,
    // bench_checker): only where a determiner fixes the number ("many", "two", "these" before a
    // singular; "a", "every", "this" before a plural) is the model right often enough to speak;
    // after "the", a possessive or nothing either number is usually fine
    // ("prices"/"price" of these bonds). After "many" (bench_number "sg>pl many": 26 learner
    // flags at margin 4, 17 marked wrong, no CWEB sentence) and after a quantity with "of" that
    // counts ("a lot of", "the majority of": every flag from margin 2 to 10 a real slip, none
    // in CWEB) the plural is sure.
    Margins m;
    std::fill(std::begin(m.toPlural), std::end(m.toPlural), kNever);
    std::fill(std::begin(m.toSingular), std::end(m.toSingular), kNever);
    m.toPlural[NumberSlots::Many] = 4.0f;
    m.toSingular[NumberSlots::One] = 10.0f;
    m.toPluralCounted = 10.0f;
    return m;
}

NounNumberRule::NounNumberRule(const Lexicon &lexicon, const std::string &wordnetDir)
    : m_lex(lexicon)
    , m_forms(lexicon, wordnetDir)
    , m_model(NumberSlots::classNames())
    , m_margins(Margins::defaults())
{
}

bool NounNumberRule::load(const std::string &modelPath, std::string *error)
{
    PerceptronModel model(NumberSlots::classNames());
    if (!model.load(modelPath, error))
        return false;
    if (model.classes() != NumberSlots::classNames()) {
        if (error)
            *error = "the model's classes are not sg, pl";
        return false;
    }
    m_model = std::move(model);
    return true;
}

int NounNumberRule::decide(const std::vector<float> &scores, int written, NumberSlots::Context context,
                           const Margins &margins, bool counted)
{
    if (scores.size() != 2 || written < 0 || written > 1 || context < 0 || context >= NumberSlots::ContextCount)
        return -1;
    const int other = 1 - written;
    float margin = (written == NumberSlots::Singular ? margins.toPlural : margins.toSingular)[context];
    if (counted && context == NumberSlots::Of && written == NumberSlots::Singular)
        margin = std::min(margin, margins.toPluralCounted);
    return margin < kNever && scores[size_t(other)] - scores[size_t(written)] >= margin ? other : -1;
}

bool NounNumberRule::countedQuantity(const std::vector<Token> &t, const NumberSlots::Slot &s)
{
    // "lots of", "plenty of"; "a lot of", "a number of", "a couple of"; "the majority of";
    // "many of the", "several of my"
    static const std::unordered_set<std::string> bare = {"lots", "plenty", "dozens", "hundreds", "thousands", "millions"};
    static const std::unordered_set<std::string> afterA = {"lot", "number", "couple", "majority"};
    static const std::unordered_set<std::string> groups = {"many", "several", "few", "both"};
    static const std::unordered_set<std::string> determiners = {"the", "my", "our", "your", "his", "her", "their",
                                                                "these", "those"};
    int of = s.first - 1;
    if (R::lowerAt(t, of) != "of") {
        if (!determiners.count(R::lowerAt(t, of)) || R::lowerAt(t, of - 1) != "of")
            return false;
        // after a determiner only the group words count: "many of the", not "a lot of the"
        return groups.count(R::lowerAt(t, of - 2)) != 0;
    }
    const std::string q = R::lowerAt(t, of - 1);
    if (bare.count(q))
        return true;
    const std::string before = R::lowerAt(t, of - 2);
    // ("a great number of", "the vast majority of", "a whole lot of")
    const std::string det = before == "great" || before == "large" || before == "vast" || before == "whole"
            || before == "huge" || before == "small"
        ? R::lowerAt(t, of - 3)
        : before;
    return afterA.count(q) && (det == "a" || (q == "majority" && det == "the"));
}

std::string NounNumberRule::otherForm(const NumberSlots::Slot &s, const std::string &written) const
{
    if (s.written == NumberSlots::Plural) {
        // the singular of a real plural, a word the frequency list knows
        return s.lemma != written && m_lex.frequency(s.lemma) > 0 ? s.lemma : std::string();
    }
    // a plural only for a noun that is counted: not "advice", and its plural common in print
    if (m_forms.uncountable(s.lemma))
        return {};
    const std::string plural = m_forms.pluralOf(s.lemma);
    if (plural.empty() || m_lex.frequency(plural) < 100000 || m_forms.pluralShare(s.lemma) < 0.05)
        return {};
    return plural;
}

std::string NounNumberRule::suggestion(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                       const NumberSlots::Slot &s) const
{
    const Token &head = t[size_t(s.head)];
    // "this highlights how", "these range from": a verb the tagger read as a noun has its object
    // or adverb after it (after a plural the singular "verb" right after the determiner only:
    // "these subject very deeply" is a noun)
    static const char *const objectTags[] = {"DT", "PRP", "PRP$", "IN", "RB", "TO", "VBG", "JJ", "CD", "RP", "WRB"};
    const std::string nextTag = s.head + 1 < int(tags.size()) ? tags[size_t(s.head) + 1] : std::string();
    const bool verbLike = m_lex.isPos(s.lemma, Lexicon::Verb)
        && std::any_of(std::begin(objectTags), std::end(objectTags), [&](const char *tag) { return nextTag == tag; })
        && (s.written == NumberSlots::Plural || (s.first == s.head && nextTag != "RB" && nextTag != "JJ"));
    if (verbLike)
        return {};
    const NumberSlots::Context context = NumberSlots::context(t, tags, s);
    // a noun inside the phrase, or a word only WordNet's nouns know ("solar mass black hole")
    bool nounInside = false;
    for (int k = s.first; k < s.head; ++k)
        nounInside = nounInside || tags[size_t(k)] == "NN" || tags[size_t(k)] == "NNS"
            || m_lex.posMask(t[size_t(k)].lower) == Lexicon::Noun;
    // "at this time people ate", "each field needs specialists": the determiner may count a
    // noun before the head, which the tagger joined to it
    if (s.written == NumberSlots::Plural && nounInside)
        return {};
    if (s.written == NumberSlots::Singular) {
        // "these compelling discussions cover": a plural noun inside the phrase is its head's subject
        for (int k = s.first; k < s.head; ++k)
            if (tags[size_t(k)] == "NNS")
                return {};
        // "take 2 year break", "a 4 star hotel": the count may belong to the noun before the head
        // "four million solar mass black hole": a longer phrase after a count may measure its modifiers
        if (context == NumberSlots::Many && (nounInside || s.head - s.first >= 2))
            return {};
        // "those dealing with it": an -ing word counts only when its plural is common
        if (s.lemma.size() > 4 && s.lemma.compare(s.lemma.size() - 3, 3, "ing") == 0 && m_forms.pluralShare(s.lemma) < 0.2)
            return {};
        // "many college bound students", "English speaking countries": the noun is part of a modifier
        if ((nextTag == "VBN" || nextTag == "VBG") && s.head + 2 < int(tags.size())
            && (tags[size_t(s.head) + 2] == "NN" || tags[size_t(s.head) + 2] == "NNS"))
            return {};
        // "5 active market(s)"
        if (R::lowerAt(t, s.head + 2) == "s" && s.head + 1 < int(t.size()) && t[size_t(s.head) + 1].text == "(")
            return {};
    }
    // "this results in", "each trial results": a verb the tagger read as a plural noun; "a
    // people", "every people" of nations ("every people" of persons has its own rule)
    if (s.written == NumberSlots::Plural && (m_lex.isThirdPerson(head.lower) || head.lower == "people"))
        return {};
    // "a number of rancher and cowboy witnesses": a noun joined to another may modify a later one
    const std::string next = R::lowerAt(t, s.head + 1);
    if (next == "and" || next == "or")
        return {};
    // "various charity programms": before a misspelt word the tags are guesses
    if (!next.empty() && m_lex.frequency(next) == 0)
        return {};
    const std::string other = otherForm(s, head.lower);
    return other.empty() ? other : R::caseLike(head, other);
}

void NounNumberRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                           std::vector<Finding> *out) const
{
    if (m_model.empty())
        return;
    for (const NumberSlots::Slot &s : NumberSlots::find(t, tags, m_forms)) {
        // the cheap tests first: most nouns stand where no margin is set
        const NumberSlots::Context context = NumberSlots::context(t, tags, s);
        const bool counted = context == NumberSlots::Of && s.written == NumberSlots::Singular
            && m_margins.toPluralCounted < kNever && countedQuantity(t, s);
        if ((s.written == NumberSlots::Singular ? m_margins.toPlural : m_margins.toSingular)[context] >= kNever
            && !counted)
            continue;
        const std::string other = suggestion(t, tags, s);
        if (other.empty())
            continue;
        if (decide(m_model.scores(NumberSlots::features(t, tags, s, m_forms)), int(s.written), context, m_margins,
                   counted)
            < 0)
            continue;
        // another rule's finding on the determiner, the phrase or the verb after it settles the case
        // ("this problems" -> "these", "the student are" -> "is")
        const int det = s.first - 1, to = std::min(int(t.size()) - 1, s.head + 1);
        const int a = t[size_t(std::max(0, det))].start, b = t[size_t(to)].end;
        if (std::any_of(out->begin(), out->end(), [&](const Finding &f) { return f.start < b && a < f.end; }))
            continue;
        out->push_back(finding(t, s, other));
    }
}

Finding NounNumberRule::finding(const std::vector<Token> &t, const NumberSlots::Slot &s, const std::string &other)
{
    const int det = s.first - 1;
    const std::string d = R::lowerAt(t, det);
    // the phrase after the determiner, with its noun as written or in the other number
    const std::string modifiers = s.first < s.head ? R::textOf(t, s.first, s.head - 1) + " " : std::string();
    const std::string written = modifiers + t[size_t(s.head)].text, changed = modifiers + other;
    // a demonstrative that disagrees with its noun is mostly the slip itself ("these way",
    // "this movies"), as annotators mark it; after "a" either may be: "a good results" is "a
    // good result" or "good results"
    std::string first, second;
    if (d == "this" || d == "these" || d == "those") {
        const std::string agreeing = d == "this" ? "these" : d == "these" ? "this" : "that";
        return R::replace(t, det, det, agreeing, "MOPHOLOGY", "noun_number", 2);
    }
    if ((d == "a" || d == "an" || d == "another") && s.written == NumberSlots::Plural) {
        first = t[size_t(det)].text + " " + changed;
        second = d == "another" ? R::caseLike(t[size_t(det)], "other") + " " + written
                                : R::caseLike(t[size_t(det)], written);
    } else {
        return R::replace(t, s.head, s.head, other, "MOPHOLOGY", "noun_number", 2);
    }
    Finding f = R::replace(t, det, s.head, first, "MOPHOLOGY", "noun_number", 2);
    Candidate alternative = R::replace(t, det, s.head, second, "MOPHOLOGY", "noun_number", 2).candidates.front();
    alternative.score /= 2;
    f.candidates.push_back(alternative);
    return f;
}

} // namespace PennovaChecker
