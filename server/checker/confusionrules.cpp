#include "confusionrules.h"

#include "lexicon.h"
#include "prepositionchoicerule.h"
#include "rulesupport.h"
#include "wordclasses.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;

const std::string &lowerAt(const std::vector<Token> &t, int i)
{
    static const std::string none;
    return i >= 0 && i < int(t.size()) && t[size_t(i)].kind == Token::Word ? t[size_t(i)].lower : none;
}

void add(std::vector<Finding> *out, const std::vector<Token> &t, int i, const std::string &fix, const char *key,
         int certainty)
{
    out->push_back(RuleSupport::replace(t, i, i, fix, "REAL", key, certainty));
}

// "last year", "next week", "this summer", "every day" at token i.
bool timePhraseAt(const std::vector<Token> &t, int i)
{
    static const Set deictic = {"last", "next", "this", "that", "every", "each"};
    return deictic.count(lowerAt(t, i)) && PrepositionChoiceRule::isTimeWord(lowerAt(t, i + 1));
}

} // namespace

void ConfusionRules::check(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    bool comparativeSeen = false;
    for (int i = 0; i < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        const Spot spot{t, i, t[size_t(i)].lower, lowerAt(t, i - 1), lowerAt(t, i + 1)};
        possessives(spot, out);
        soundAlikes(spot, comparativeSeen, out);
        thanThen(spot, &comparativeSeen, out);
    }
}

void ConfusionRules::contextSlips(const std::vector<Token> &t, const std::vector<std::string> &tags, bool rareWords,
                                  std::vector<Finding> *out) const
{
    if (!m_model.isLoaded())
        return;
    int first = 0;
    while (first < int(t.size()) && t[size_t(first)].kind != Token::Word)
        ++first;
    for (int i = 0; i < int(t.size()); ++i) {
        const Token &tok = t[size_t(i)];
        // a capital inside the sentence makes a name ("Mr Grate", "the Sun Hotel")
        if (tok.kind != Token::Word || (tok.isCapitalised() && i != first) || (tok.text.size() > 1 && tok.isAllCaps()))
            continue;
        // a written "than" is left to the hand-written rules: its comparative may stand far
        // before it, beyond the model's window ("more tired because he ran than walked")
        if (tok.lower == "than")
            continue;
        // "been there last year": a time phrase after the adverb looks like a noun phrase to
        // the model ("their last year") but tells nothing about the word
        if (tok.lower == "there" && timePhraseAt(t, i + 1))
            continue;
        const ConfusionModel::Verdict v = m_model.judge(t, tags, i);
        if (!v.better.empty() && v.rareWord == rareWords)
            add(out, t, i, v.better, "confusion_context", 2);
    }
}

void ConfusionRules::checkTagged(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                 std::vector<Finding> *out) const
{
    // "with there curriculum", "helped there parents": "there" between a preposition or a
    // verb and its noun object is "their" ("Is there time", "over there people" stay)
    static const Set notBefore = {"is", "are", "was", "were", "be", "been", "being", "isn't", "aren't", "wasn't",
                                  "weren't", "over", "up", "down", "out", "back", "get", "got", "go", "went", "gone"};
    for (int i = 1; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "there" || t[size_t(i)].isCapitalised())
            continue;
        const int p = RuleSupport::prevWord(t, i);
        const int n = RuleSupport::nextWord(t, i);
        if (p < 0 || n < 0 || notBefore.count(t[size_t(p)].lower) || t[size_t(n)].isCapitalised())
            continue;
        // a verb base read as a noun right before "there" is still the verb ("and use there idea"),
        // and so is any word right after a subject pronoun ("they never concept there chance")
        const int q = RuleSupport::tagIs(tags, p - 1, "RB") ? p - 2 : p - 1;
        const bool verbSlot = RuleSupport::isSubjectPronoun(RuleSupport::lowerAt(t, q));
        const bool verbAsNoun = tags[size_t(p)] == "NN"
            && (verbSlot
                || (m_lex.isCommonVerbBase(t[size_t(p)].lower) && !RuleSupport::tagIs(tags, p - 1, "DT")
                    && !RuleSupport::tagIs(tags, p - 1, "PRP$") && !RuleSupport::tagIs(tags, p - 1, "JJ")));
        const bool governed = (RuleSupport::tagIs(tags, p, "IN") && m_lex.isPreposition(t[size_t(p)].lower))
            || RuleSupport::tagIs(tags, p, "VB") || verbAsNoun;
        const std::string &noun = t[size_t(n)].lower;
        // a common noun that is not also a verb or an adverb ("there remain", "there too")
        if (!governed || !RuleSupport::tagIs(tags, n, "NN") || RuleSupport::tagIs(tags, n, "NNP")
            || m_lex.isPos(noun, Lexicon::Adverb) || m_lex.isThirdPerson(noun) || m_lex.isCommonVerbBase(noun))
            continue;
        add(out, t, i, "their", "confusion_their", 2);
    }
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        // "died because the cold": "because" before a noun phrase and no verb is "because of"
        if (t[size_t(i)].lower == "because" && (RuleSupport::tagIs(tags, i + 1, "DT") || RuleSupport::tagIs(tags, i + 1, "PRP$"))
            && RuleSupport::lowerAt(t, i + 1) != "that" && RuleSupport::lowerAt(t, i + 1) != "this") {
            int k = i + 1;
            bool verb = false;
            // up to the next punctuation: "because the cost of staff and tools is high" has its verb
            static const Set stops = {",", ";", ":", ".", "!", "?"};
            static const Set relatives = {"who", "which", "when", "where", "whose", "whom"};
            for (; k < int(t.size()); ++k) {
                if (t[size_t(k)].kind == Token::Punct && stops.count(t[size_t(k)].text)) {
                    // "because the architects, who made it, did ...": a clause set off by commas
                    // inside the subject; the verb comes after it
                    if (t[size_t(k)].text != "," || !relatives.count(RuleSupport::lowerAt(t, k + 1)))
                        break;
                    int close = k + 1;
                    while (close < int(t.size()) && !(t[size_t(close)].kind == Token::Punct && stops.count(t[size_t(close)].text)))
                        ++close;
                    if (close >= int(t.size()) || t[size_t(close)].text != ",")
                        break;
                    k = close;
                    continue;
                }
                // "because the major proportion accounts for": a third-person verb read as a plural
                // right after a singular noun
                const std::string &w = t[size_t(k)].lower;
                const bool verbAsPlural = tags[size_t(k)] == "NNS" && k > 0 && tags[size_t(k) - 1] == "NN"
                    && (RuleSupport::tagIs(tags, k + 1, "IN") || RuleSupport::tagIs(tags, k + 1, "DT")
                        || RuleSupport::tagIs(tags, k + 1, "PRP$") || RuleSupport::tagIs(tags, k + 1, "TO"))
                    && (m_lex.isThirdPerson(w)
                        || (w.size() > 3 && w.back() == 's' && m_lex.isPos(w.substr(0, w.size() - 1), Lexicon::Verb)));
                verb = verb || verbAsPlural || RuleSupport::tagIs(tags, k, "VB") || RuleSupport::tagIs(tags, k, "MD");
            }
            if (!verb && k > i + 2)
                out->push_back(RuleSupport::replace(t, i, i, "because of", "GRAMMAR", "because_of", 2));
        }
    }
}

void ConfusionRules::possessives(const Spot &spot, std::vector<Finding> *out) const
{
    const auto &[t, i, w, prev, next] = spot;
    if (w != "it's" || next.empty() || !t[size_t(i) + 1].spaceBefore)
        return;
    // a plural of a noun-only word, not opening a cleft ("it's students who ...")
    auto possessedPlural = [&](int k) {
        const std::string n = lowerAt(t, k);
        if (n.size() < 4 || n.back() != 's' || n == "people")
            return false;
        const std::string after = lowerAt(t, k + 1);
        if (after == "who" || after == "that" || after == "which")
            return false;
        const std::string one = n.compare(n.size() - 3, 3, "ies") == 0 ? n.substr(0, n.size() - 3) + "y"
                                                                       : n.substr(0, n.size() - 1);
        const int pos = m_lex.posMask(one);
        return (pos & Lexicon::Noun) && !(pos & Lexicon::Adjective);
    };
    // a verb that takes an object, not a clause ("I think it's ...")
    auto objectTakingVerb = [&](int k) {
        const std::string v = lowerAt(t, k);
        if (v.empty() || m_lex.formInClass(WordClass::ClauseVerb, v) || WordClasses::contains(WordClass::BeForm, v))
            return false;
        if (m_lex.isCommonVerbBase(v) || m_lex.isPastForm(v) || m_lex.isThirdPerson(v))
            return true;
        // a regular past of a rarer verb: "licked", "wagged", "polished"
        if (v.size() < 5 || v.compare(v.size() - 2, 2, "ed") != 0)
            return false;
        const std::string stem = v.substr(0, v.size() - 2);
        const bool doubled = stem.size() > 2 && stem.back() == stem[stem.size() - 2];
        return m_lex.isPos(stem, Lexicon::Verb) || m_lex.isPos(stem + "e", Lexicon::Verb)
            || (doubled && m_lex.isPos(stem.substr(0, stem.size() - 1), Lexicon::Verb));
    };
    // a noun, maybe after an adjective, as a possession ("wagged it's tail", "lost it's best
    // players"); not a word that "it is" names ("it's time", "it's fun") or a cleft ("it's
    // students who ...")
    auto possessedAt = [&](int k) {
        static const Set named = {"time", "fun", "lunch", "dinner", "breakfast", "noon", "night", "morning",
                                  "evening", "midnight", "bedtime", "summer", "winter", "spring", "autumn",
                                  "okay", "ok", "true", "fine", "nothing", "everything", "something", "anything"};
        if ((m_lex.posMask(lowerAt(t, k)) & Lexicon::Adjective) && lowerAt(t, k + 1) != "to")
            ++k;
        if (possessedPlural(k))
            return true;
        const std::string n = lowerAt(t, k);
        if (n.size() < 3 || named.count(n) || t[size_t(k)].isCapitalised() || n.compare(n.size() - 3, 3, "ing") == 0)
            return false;
        const std::string after = lowerAt(t, k + 1);
        if (after == "to" || after == "that" || after == "who" || after == "which")
            return false;
        const int pos = m_lex.posMask(n);
        return (pos & Lexicon::Noun) && !(pos & Lexicon::Adjective);
    };
    if (next != "own" && possessedAt(i + 1) && objectTakingVerb(i - 1))
        add(out, t, i, "its", "confusion_its", 2); // "avoid it's disadvantages", "wagged it's tail"
}

void ConfusionRules::thanThen(const Spot &spot, bool *comparativeSeen, std::vector<Finding> *out) const
{
    // after these "then" is in confusions.rules; they open a comparison all the same
    static const Set sure = {"more", "less", "rather", "other", "fewer"};
    const auto &[t, i, w, prev, next] = spot;
    if (w == "then" && !prev.empty() && !next.empty() && next != "and" && next != "but" && !sure.count(prev)
        && m_lex.comparativeKind(prev)) {
        add(out, t, i, "than", "confusion_than", 2); // "taller then her brother"
    } else if (w == "than" && prev == "and" && !*comparativeSeen && !next.empty()) {
        add(out, t, i, "then", "confusion_then", 2); // "and than went home"
    }
    if (sure.count(w) || m_lex.comparativeKind(w))
        *comparativeSeen = true;
}

void ConfusionRules::soundAlikes(const Spot &spot, bool comparativeSeen, std::vector<Finding> *out) const
{
    const Set &subjects = WordClasses::words(WordClass::PersonalSubject);
    const auto &[t, i, w, prev, next] = spot;
    const std::string after2 = lowerAt(t, i + 2);
    if (w == "who's" && !next.empty() && t[size_t(i) + 1].spaceBefore && (m_lex.posMask(next) & Lexicon::Noun)
        && !m_lex.isPastForm(next) && !(next.size() > 4 && next.compare(next.size() - 3, 3, "ing") == 0)
        && (after2 == "is" || after2 == "was" || after2 == "are" || after2 == "were"))
        add(out, t, i, "whose", "confusion_whose", 3); // "Who's book is this?"
    else if (w == "than" && !comparativeSeen && i > 0 && t[size_t(i) - 1].text == "," && subjects.count(next))
        add(out, t, i, "then", "confusion_then", 2); // "First we ate, than we left."
}

} // namespace PennovaChecker
