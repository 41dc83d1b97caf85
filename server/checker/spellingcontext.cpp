#include "spellingcontext.h"

#include "editdistance.h"
#include "lexicon.h"
#include "rulesupport.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace PennovaChecker {

namespace {

bool among(const std::string &w, std::initializer_list<const char *> words)
{
    for (const char *x : words)
        if (w == x)
            return true;
    return false;
}

// Words that open a noun phrase and need its noun after them ("this" and "that" are
// left out: they stand alone as often).
bool opensNounPhrase(const std::string &w)
{
    return among(w, {"a", "an", "the", "my", "your", "our", "their", "its", "every", "each"});
}

bool endsClause(const Token &t)
{
    return t.kind == Token::Punct && among(t.text, {".", "!", "?", ",", ";", ":", ")"});
}

} // namespace

int SpellingContext::classes(const std::string &w) const
{
    int c = 0;
    if (opensNounPhrase(w))
        c |= Article;
    if (m_lexicon.isPreposition(w) && w != "like" && w != "since")
        c |= Preposition;
    if (m_lexicon.isModal(w))
        c |= Modal;
    else if (among(w, {"am", "is", "are", "was", "were", "has", "have", "had", "does", "do", "did"}))
        c |= FiniteAux;
    if (RuleSupport::isSubjectPronoun(w))
        c |= Subject;
    if (among(w, {"and", "or", "but", "because", "although", "though", "than", "nor"}))
        c |= Conjunction;
    // open classes, inflected forms by their stem
    int pos = m_lexicon.posMask(w);
    const std::string base = m_lexicon.baseOf(w);
    if (!base.empty())
        pos |= Lexicon::Verb;
    const size_t n = w.size();
    if (n > 4 && w.compare(n - 3, 3, "ing") == 0)
        pos |= Lexicon::Verb | Lexicon::Noun;
    if (n > 3 && w.back() == 's' && w[n - 2] != 's')
        pos |= m_lexicon.posMask(w.substr(0, n - 1)) & (Lexicon::Noun | Lexicon::Verb);
    if (n > 4 && w.compare(n - 3, 3, "ies") == 0)
        pos |= m_lexicon.posMask(w.substr(0, n - 3) + "y") & (Lexicon::Noun | Lexicon::Verb);
    if (pos & Lexicon::Noun)
        c |= Noun;
    if (pos & Lexicon::Verb)
        c |= Verb;
    if (pos & Lexicon::Adjective)
        c |= Adjective;
    if (pos & Lexicon::Adverb)
        c |= Adverb;
    return c;
}

double SpellingContext::misfit(const std::vector<Token> &t, const std::vector<std::string> &tags, size_t i,
                               const std::string &written) const
{
    if (written.find(' ') != std::string::npos || written.find('\'') != std::string::npos)
        return 0.0;
    const std::string cand = Tokenizer::toLower(written);
    if (cand.empty() || i >= t.size())
        return 0.0;
    const int c = classes(cand);
    const bool closed = (c & kClosed) != 0;
    const bool open = (c & (Noun | Verb | Adjective | Adverb)) != 0;
    // the cost of using a word in a class: none for its own classes; a function word's
    // open-class use ("a can", "the will") is rare beside its common one
    auto cost = [&](int allowed) {
        if (c & allowed & kClosed)
            return 0.0;
        if (c & allowed & ~kClosed)
            return closed ? kSoft : 0.0;
        return closed ? kHard : open ? kSoft : kUnknown;
    };
    const int prev = RuleSupport::prevWord(t, int(i));
    const int next = RuleSupport::nextWord(t, int(i));
    const std::string before = prev >= 0 ? t[size_t(prev)].lower : std::string();
    const std::string after = next >= 0 ? t[size_t(next)].lower : std::string();
    // "have", "do" and "be" may be bare forms ("should have"): not counted
    const bool nextIsFinite = next >= 0
        && (among(after, {"am", "is", "are", "was", "were", "has", "does", "did"}) || m_lexicon.isModal(after)
            || RuleSupport::tagIs(tags, next, "VBZ") || RuleSupport::tagIs(tags, next, "MD"));
    double worst = 0.0;
    auto apply = [&](double v) { worst = std::max(worst, v); };

    // after "the", "my", ...: the noun phrase goes on (noun, adjective, adverb)
    if (opensNounPhrase(before)) {
        apply(cost(Noun | Adjective | Adverb));
        // and an adjective cannot end it before a verb, a pronoun or the end of the clause
        // ("the old", "the rich" stand for people)
        const bool phraseEnds = before != "the" && (next < 0 || nextIsFinite || RuleSupport::isSubjectPronoun(after)
            || m_lexicon.isPreposition(after) || after == "to" || (i + 1 < t.size() && endsClause(t[i + 1])));
        if (phraseEnds && !(c & Noun) && (c & Adjective))
            apply(kSoft);
    }
    // before a participle after "is", "not" or an adverb: an adverb ("not perfecty organised")
    if (next >= 0 && RuleSupport::tagIs(tags, next, "VBN") && (c & Adjective) && !(c & Adverb)
        && (before == "not" || m_lexicon.isAuxiliary(before) || RuleSupport::tagIs(tags, prev, "RB")))
        apply(kSoft);
    // after a modal: a verb, an adverb or "not"
    if (m_lexicon.isModal(before))
        apply(cost(Verb | Adverb | FiniteAux));
    // after a subject pronoun: the verb, a modal, an auxiliary or an adverb
    if (RuleSupport::isSubjectPronoun(before) && before != "you" && before != "it")
        apply(cost(Verb | Modal | FiniteAux | Adverb));
    // after "he" or "she" a present verb takes its -s ("she wishs": wishes, not wish)
    if ((before == "he" || before == "she") && (c & Verb) && !closed
        && cand.back() != 's' && !m_lexicon.isPastForm(cand) && !m_lexicon.isParticiple(cand)
        && (cand.size() < 3 || cand.compare(cand.size() - 2, 2, "ed") != 0))
        apply(kSoft);
    // after a preposition no modal, finite auxiliary, conjunction or second preposition
    if (prev >= 0 && m_lexicon.isPreposition(before) && (c & (Modal | FiniteAux | Conjunction | Preposition)))
        apply((c & (Modal | FiniteAux)) ? kHard : (c & (Noun | Verb | Adjective)) ? kSoft : kSoft + 1.0);
    // before a finite verb: a subject, not an article or a preposition
    if (nextIsFinite && (c & (Article | Preposition | Modal)) && !(c & Subject))
        apply(kHard);
    // an article needs its noun: never at the end of a clause or before another one
    if ((c & Article) && (next < 0 || opensNounPhrase(after) || (i + 1 < t.size() && endsClause(t[i + 1]))))
        apply(kHard);
    // a pronoun agrees with the verb after it ("they are", never "this are")
    if (among(cand, {"this", "he", "she", "it"}) && among(after, {"are", "were", "have", "do"}))
        apply(kHard);
    if (among(cand, {"they", "we", "these", "those", "i"}) && among(after, {"is", "was", "has", "does"}))
        apply(kHard);
    // no pronoun or "there" right before a noun ("start ther company": their)
    if (((c & Subject) || cand == "there") && next >= 0 && !(c & Article)
        && (RuleSupport::tagIs(tags, next, "NN") && !RuleSupport::tagIs(tags, next, "NNP")))
        apply(kSoft);
    // the same word twice ("for for")
    if (after == cand || before == cand)
        apply(kHard);
    // a name offered for a word written in lower case inside a sentence ("florida" for "flouride")
    if (written != cand && !t[i].isCapitalised() && i > 0)
        apply(kSoft);
    // the word with another ending ("olders": older) is likelier than a word with
    // another stem: learners add or drop endings
    const std::string typo = t[i].lower;
    size_t common = 0;
    while (common < typo.size() && common < cand.size() && typo[common] == cand[common])
        ++common;
    const bool sameStem = common >= 4 && common + 2 >= typo.size() && common + 3 >= cand.size();
    // with the ending the typo tried to write ("wishs": wishes, "happend": happened)
    auto ending = [](const std::string &w) {
        const size_t n = w.size(); // both at least four letters here
        if (n > 4 && w.compare(n - 3, 3, "ing") == 0)
            return 'g';
        if (n > 3 && w.compare(n - 2, 2, "ly") == 0)
            return 'l';
        return w.back() == 's' || w.back() == 'd' ? w.back() : '\0';
    };
    const bool sameEnding = sameStem && ending(typo) && ending(typo) == ending(cand);
    // the tag the tagger gave the misspelt word in its place: a guess from its neighbours,
    // so it does not count against the ending the learner wrote ("she wishs" read as a past);
    // an adverb right before a noun stands where a determiner or an adjective does as often
    // ("start ther company": their)
    const bool adverbBeforeNoun = i < tags.size() && tags[i] == "RB" && next >= 0
        && RuleSupport::tagIs(tags, next, "NN") && !RuleSupport::tagIs(tags, next, "NNP");
    const bool fits = i >= tags.size() || tags[i].empty() || sameEnding || m_speller.fitsTag(cand, tags[i])
        || (adverbBeforeNoun && (m_lexicon.isDeterminer(cand) || m_speller.fitsTag(cand, "JJ")));
    if (!fits)
        apply(kTag);
    if (sameStem)
        worst -= sameEnding ? 2 * kSameStem : kSameStem;
    return worst;
}

void SpellingContext::rerank(const std::vector<Token> &t, const std::vector<std::string> &tags, size_t i,
                             std::vector<SpellingSuggester::Suggestion> *cands) const
{
    if (cands->size() < 2 || i >= t.size())
        return;
    double total = 0.0;
    std::vector<std::pair<double, size_t>> cost;
    for (size_t k = 0; k < cands->size(); ++k) {
        const SpellingSuggester::Suggestion &s = (*cands)[k];
        total += s.score;
        const double logScore = std::log(std::max(s.score, 1e-12));
        cost.emplace_back(-logScore + misfit(t, tags, i, s.word), k);
    }
    std::stable_sort(cost.begin(), cost.end());
    // a first candidate more than one slip away is less sure: its lead counts for less
    // ("taire": there, tire or tired)
    const std::string first = Tokenizer::toLower((*cands)[cost.front().second].word);
    const double slips = first.find(' ') == std::string::npos ? EditDistance::weighted(t[i].lower, first) : 1.0;
    const double temperature = 1.0 + 1.5 * std::max(0.0, slips - 1.0);
    std::vector<SpellingSuggester::Suggestion> out;
    double sum = 0.0;
    for (const auto &[c, k] : cost) {
        out.push_back((*cands)[k]);
        out.back().score = std::exp(-std::min(50.0, (c - cost.front().first) / temperature));
        sum += out.back().score;
    }
    for (auto &s : out)
        s.score = s.score / sum * total;
    *cands = std::move(out);
}

} // namespace PennovaChecker
