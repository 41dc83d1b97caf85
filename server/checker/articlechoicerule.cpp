#include "articlechoicerule.h"

#include "articlerules.h"
#include "lexicon.h"
#include "noundeterminers.h"
#include "nounforms.h"

#include "rulesupport.h"

#include <algorithm>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;

const std::unordered_set<std::string> &jobTitles()
{
    static const std::unordered_set<std::string> s = {"senior", "junior", "chief", "assistant", "deputy", "associate",
                                                      "executive", "vice", "head", "lead", "managing", "principal",
                                                      "general", "acting", "former"};
    return s;
}

constexpr float kBarePairLimit = -2.0f;

// Adverbs of degree that stand between an article and its adjective ("a very good idea");
// another adverb ("is indeed rather strange thing") takes the article after it.
const std::unordered_set<std::string> &degreeAdverbs()
{
    static const std::unordered_set<std::string> s = {"very", "rather", "fairly", "pretty", "more", "most", "less",
                                                      "least", "really", "truly"};
    return s;
}

std::string articleFor(int choice, const std::string &nextLower)
{
    if (choice == ArticleSlots::The)
        return "the";
    int sound = R::vowelSound(nextLower);
    if (sound < 0)
        sound = !nextLower.empty() && std::string("aeiou").find(nextLower[0]) != std::string::npos ? 1 : 0;
    return sound ? "an" : "a";
}

} // namespace

ArticleChoiceRule::Margins ArticleChoiceRule::Margins::defaults()
{
    // tuned on learner essays (REALEC dev, JFLEG dev) against unedited CWEB sentences (bench_articles);
    // a -> none, a -> the, the -> a and the -> none stay off: which is meant depends on what the reader
    // already knows, and the model was right there too seldom
    Margins m;
    for (auto *table : {&m.singular, &m.plural})
        for (auto &row : *table)
            std::fill(std::begin(row), std::end(row), kNever);
    m.singular[ArticleSlots::None][ArticleSlots::A] = 20.0f;
    m.singular[ArticleSlots::None][ArticleSlots::The] = 25.0f;
    // "a" before a plural stays with the determiner rule: "a kind people" is right
    return m;
}

bool ArticleChoiceRule::load(const std::string &modelPath, std::string *error)
{
    PerceptronModel model(ArticleSlots::classNames());
    if (!model.load(modelPath, error))
        return false;
    if (model.classes() != ArticleSlots::classNames()) {
        if (error)
            *error = "the model's classes are not none, a, the";
        return false;
    }
    m_model = std::move(model);
    return true;
}

int ArticleChoiceRule::decide(const std::vector<float> &scores, int written, bool plural, const Margins &margins)
{
    if (scores.size() != 3 || written < 0 || written > 2)
        return -1;
    const int best = int(std::max_element(scores.begin(), scores.end()) - scores.begin());
    if (best == written)
        return -1;
    const float margin = (plural ? margins.plural : margins.singular)[written][best];
    return margin < kNever && scores[size_t(best)] - scores[size_t(written)] >= margin ? best : -1;
}

void ArticleChoiceRule::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                              std::vector<Finding> *out) const
{
    if (m_model.empty())
        return;
    for (ArticleSlots::Slot s : ArticleSlots::find(t, tags)) {
        int choice = decide(m_model.scores(ArticleSlots::features(t, tags, s)), s.written,
                                  tags[size_t(s.head)] == "NNS", m_margins);
        if (choice < 0 || unsureSlot(t, tags, s))
            continue;
        // "is indeed rather strange thing": the article goes after a sentence adverb
        if (s.written == ArticleSlots::None && s.first < s.head && sentenceAdverb(t, tags, s.first))
            ++s.first;
        // "will use electric fuel": native text seldom counts the noun, so "a" is no fix for it;
        // before an of-phrase "the" is ("It is responsibility of their parents")
        if (s.written == ArticleSlots::None && choice == ArticleSlots::A && seldomCounted(t[size_t(s.head)].lower)) {
            if (R::lowerAt(t, s.head + 1) != "of")
                continue;
            choice = ArticleSlots::The;
        }
        const Token &first = t[size_t(s.first)];
        // "provides data concerning the system": a noun before an -ing or -ed word ends a
        // phrase of its own
        if (ArticleSlots::splitByVerb(tags, s))
            continue;
        // "a data", "an information": never before a noun that is not counted
        const std::string &headWord = t[size_t(s.head)].lower;
        // "have different trend": before a counted noun "different" means several (the number
        // rules say so)
        if (s.written == ArticleSlots::None && first.lower == "different" && m_forms
            && m_forms->pluralShare(headWord) >= kDifferentPluralShare)
            continue;
        if (choice == ArticleSlots::A && m_forms && (m_forms->numberFixed(headWord) || m_forms->uncountable(headWord)))
            continue;
        // "for most of last year", "was broke last year": a time phrase goes without an article
        bool timePhrase = false;
        for (int k = s.first; k < s.head; ++k)
            timePhrase = timePhrase || t[size_t(k)].lower == "last" || t[size_t(k)].lower == "next";
        if (timePhrase && R::timePhraseAt(t, s.head))
            continue;
        // "served as conductor of the band", "was senior web developer", "his role as managing
        // member" (a participle stays out of the slot): a role goes without an article
        const int before = s.article >= 0 ? s.article - 1 : s.first - 1;
        if ((before >= 0 && t[size_t(before)].lower == "as") || jobTitles().count(first.lower)
            || (s.written == ArticleSlots::None && jobTitles().count(R::lowerAt(t, s.first - 1))))
            continue;
        // "Bank of America has ...": a first word before "of" and a capital opens a name
        if (s.written == ArticleSlots::None && s.first == 0 && R::lowerAt(t, s.head + 1) == "of"
            && s.head + 2 < int(t.size()) && t[size_t(s.head) + 2].isCapitalised())
            continue;
        // A bare noun right after a preposition is often an idiom ("on campus", "at school"): an
        // article is asked for there only where native text clearly kept the pair from going bare
        // (limit chosen on the learner dev sets against unedited CWEB sentences).
        if (s.written == ArticleSlots::None && s.first == s.head && before >= 0 && tags[size_t(before)] == "IN"
            && R::britishBarePair(t[size_t(before)].lower, t[size_t(s.head)].lower))
            continue;
        if (s.written == ArticleSlots::None && s.first == s.head && before >= 0 && tags[size_t(before)] == "IN"
            && R::lowerAt(t, s.head + 1) != "of") { // "on campus", but "on the campus of a university"
            const std::vector<float> pair =
                m_model.weights(PerceptronModel::hash("p1h=" + t[size_t(before)].lower + " " + t[size_t(s.head)].lower));
            if (pair.empty() || pair[ArticleSlots::None] > kBarePairLimit)
                continue;
        }
        // "It was sort of strange", "I kind of like it": before an adjective, adverb or verb the
        // pair is a hedging adverb, no noun
        const std::string &head = t[size_t(s.head)].lower;
        const std::string afterOf = R::lowerAt(t, s.head + 1) == "of" && s.head + 2 < int(tags.size())
            ? tags[size_t(s.head) + 2] : std::string();
        if (s.written == ArticleSlots::None && s.first == s.head && (head == "sort" || head == "kind")
            && (afterOf.rfind("JJ", 0) == 0 || afterOf.rfind("RB", 0) == 0 || afterOf.rfind("VB", 0) == 0
                || afterOf == "IN"))
            continue;
        // "Number of people increased": before an of-phrase native text writes "the" with most
        // nouns it seldom leaves bare ("a number of" means "several")
        if (s.written == ArticleSlots::None && choice == ArticleSlots::A && s.first == s.head && m_counts
            && R::lowerAt(t, s.head + 1) == "of") {
            NounDeterminers::Counts c;
            if (ArticleRules::rarelyBareBeforeOf(m_counts, head, &c) && !ArticleRules::aBeforeOfPhrase(c))
                choice = ArticleSlots::The;
        }
        // "It is only way to win": "only" picks the one of its kind and takes "the" before it
        if (const int only = s.written == ArticleSlots::None ? R::onlyBefore(t, s.first) : -1; only >= 0) {
            out->push_back(R::theOnly(t, only, "article_needed"));
            continue;
        }
        if (s.written == ArticleSlots::None) {
            // "It is good chance" -> "a good chance"; the first word of a sentence loses its capital
            const std::string word = s.first == 0 ? first.lower : first.text;
            out->push_back(R::replace(t, s.first, s.first, articleFor(choice, first.lower) + " " + word, "GRAMMAR",
                                      "article_needed", 2));
        } else if (choice == ArticleSlots::None) {
            Finding f;
            if (R::deletion(t, s.article, "GRAMMAR", "article_unneeded", 2, &f))
                out->push_back(f);
        } else {
            out->push_back(R::replace(t, s.article, s.article, articleFor(choice, first.lower), "GRAMMAR",
                                      "article_choice", 2));
        }
    }
}

bool ArticleChoiceRule::unsureSlot(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                   const ArticleSlots::Slot &s) const
{
    if (s.written != ArticleSlots::None)
        return false;
    // a misspelt word before the noun ("better oin way") or a misspelt article ("tha temperature
    // difference"): the spelling finding comes first (a misspelt noun keeps its article slot)
    for (int k = s.first; k < s.head; ++k)
        if (m_lex && t[size_t(k)].kind == Token::Word && m_lex->frequencyRank(t[size_t(k)].lower) == 0)
            return true;
    if (s.first < s.head && nearThe(t[size_t(s.first)].lower))
        return true;
    // "will not necesseraly mean that": after a misspelt word the tagger may read a verb as a noun
    if (m_lex && s.first > 0 && t[size_t(s.first) - 1].kind == Token::Word
        && m_lex->frequencyRank(t[size_t(s.first) - 1].lower) == 0 && m_lex->isCommonVerbBase(t[size_t(s.first)].lower))
        return true;
    // "another, complicated question", "the large, university, tertiary care center": a
    // determiner before modifiers joined by commas already opens the phrase
    bool comma = false;
    for (int k = s.first - 1, steps = 0; k >= 0 && steps < 10; --k, ++steps) {
        if (t[size_t(k)].text == ",") {
            comma = true;
            continue;
        }
        if (R::tagIs(tags, k, "DT") || R::tagIs(tags, k, "PRP$") || (m_lex && m_lex->isDeterminer(t[size_t(k)].lower)))
            return comma;
        // an adjective, or a noun between two commas ("the large, university, tertiary"; not
        // "In my opinion, government")
        const bool modifier = R::tagIs(tags, k, "JJ") || R::tagIs(tags, k, "VBN")
            || (R::tagIs(tags, k, "NN") && k > 0 && t[size_t(k) - 1].text == ",");
        if (t[size_t(k)].kind != Token::Word || !comma || !modifier)
            return false;
    }
    return false;
}

bool ArticleChoiceRule::sentenceAdverb(const std::vector<Token> &t, const std::vector<std::string> &tags, int i) const
{
    const std::string &w = t[size_t(i)].lower;
    return R::tagIs(tags, i, "RB") && !degreeAdverbs().count(w) && !(m_lex && m_lex->isPos(w, Lexicon::Adjective))
        && !(w.size() > 4 && w.compare(w.size() - 2, 2, "ly") == 0);
}

bool ArticleChoiceRule::nearThe(const std::string &w)
{
    static const std::string the = "the";
    // the pronouns and adverbs one letter away are words of their own
    static const std::unordered_set<std::string> words = {"he", "she", "then", "them", "they", "thee", "thy", "tie", "toe"};
    if (w == the || w.size() < 2 || w.size() > 4 || words.count(w))
        return false;
    if (w.size() == 3) {
        int diff = 0;
        for (size_t i = 0; i < 3; ++i)
            diff += w[i] != the[i];
        return diff == 1 || (w[0] == 'h' && w[1] == 't' && w[2] == 'e') || (w[0] == 't' && w[1] == 'e' && w[2] == 'h');
    }
    const std::string &longer = w.size() > 3 ? w : the, &shorter = w.size() > 3 ? the : w;
    for (size_t i = 0; i < longer.size(); ++i)
        if (longer.substr(0, i) + longer.substr(i + 1) == shorter)
            return true;
    return false;
}

bool ArticleChoiceRule::seldomCounted(const std::string &noun) const
{
    if (!m_counts)
        return false;
    const NounDeterminers::Counts c = m_counts->counts(noun, "all");
    return c.total() >= 5 && c.a * 3 < c.bare;
}

} // namespace PennovaChecker
