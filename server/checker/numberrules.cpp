#include "numberrules.h"

#include "lexicon.h"
#include "noundeterminers.h"
#include "rulesupport.h"
#include "wordclasses.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace PennovaChecker {

namespace {

using Set = std::unordered_set<std::string>;

// Words that may follow a noun without making it a modifier of another noun.
const Set &clauseWords()
{
    static const Set s = {"to", "that", "which", "who", "but", "of", "in", "on", "at", "for", "with",
                          "from", "are", "were", "have", "can", "will", "should", "must", "would", "could", "is",
                          "was", "has", "because", "so", "than", "about", "i", "we", "they", "you", "he", "she",
                          "yesterday", "today", "tomorrow", "now", "here", "there"};
    return s;
}

bool endsWith(const std::string &s, const char *suffix)
{
    const std::string t(suffix);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

} // namespace

void NumberRules::check(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    pluralAfterQuantifier(t, out);
    fewerWithPlurals(t, out);
    relativeClauseVerb(t, out);
    oneOfPlural(t, out);
    pluralSubjectVerb(t, out);
}

void NumberRules::pluralSubjectVerb(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const Set openers = {"the", "my", "our", "your", "his", "her", "their", "these", "those", "many",
                                "most", "some", "all", "both", "several", "two", "three", "four", "five"};
    static const Set clauseJoiners = {"and", "but", "so", "because", "that", "when", "if", "although", "while"};
    static const Set quantifiers = {"many", "several", "various", "numerous", "two", "three", "four", "five",
                                    "six", "seven", "eight", "nine", "ten"};
    static const Set irregular = {"people", "children", "men", "women", "lives", "feet", "teeth", "wives"};
    auto clauseStartsAt = [&](int k) {
        if (k == 0)
            return true;
        const Token &p = t[size_t(k) - 1];
        return p.kind == Token::Punct ? p.text == "," || p.text == ";" : clauseJoiners.count(p.lower) != 0;
    };
    for (int v = 1; v < int(t.size()); ++v) {
        const std::string &verb = t[size_t(v)].lower;
        if (t[size_t(v)].kind != Token::Word)
            continue;
        const int n = RuleSupport::prevWord(t, v);
        if (n < 0)
            continue;
        const std::string &noun = t[size_t(n)].lower;
        // "There is many clubs": the quantifier shows the subject is plural
        if (noun == "there" && (verb == "is" || verb == "was") && clauseStartsAt(n)) {
            const int q = RuleSupport::nextWord(t, v);
            if (q >= 0 && quantifiers.count(t[size_t(q)].lower))
                out->push_back(RuleSupport::replace(t, v, v, verb == "is" ? "are" : "were", "GRAMMAR",
                                                    "sv_agreement", 3));
            continue;
        }
        std::string fix = verb == "is" ? "are" : verb == "was" ? "were" : verb == "has" ? "have"
            : verb == "does" ? "do" : verb == "doesn't" ? "don't" : std::string();
        if (fix.empty() && m_lex.isThirdPerson(verb) && verb != "is" && verb != "has" && verb != "does")
            fix = m_lex.baseOf(verb);
        if (fix.empty())
            continue;
        // a plural noun: a people word, or the common plural of a countable noun (not "physics")
        std::string plural;
        const bool pluralNoun = irregular.count(noun)
            || (noun.size() > 3 && noun.back() == 's' && !endsWith(noun, "ss") && !endsWith(noun, "ics")
                && countableSingular(noun.substr(0, noun.size() - 1), &plural) && plural == noun);
        if (!pluralNoun || (t[size_t(n)].isCapitalised() && n > 0))
            continue;
        // an amount counts as one: "Ten years is a long time", "Five dollars was enough"
        static const Set measures = {"years", "months", "weeks", "days", "hours", "minutes", "seconds", "dollars",
                                     "pounds", "euros", "degrees", "miles", "kilometres", "kilometers", "metres",
                                     "meters", "kilos", "kilograms", "litres", "liters"};
        if (measures.count(noun))
            continue;
        // the noun phrase opens a clause: "one of my friends is" and "Among the students is" stay
        int first = n;
        for (int k = 0; k < 2; ++k) {
            const int a = RuleSupport::prevWord(t, first);
            const int pos = a < 0 ? 0 : m_lex.posMask(t[size_t(a)].lower);
            // determiners ("every people") and -ing forms taking the noun as object ("Taking
            // risks teaches") are no adjectives of the subject, even where the word lists say so
            const std::string &before = a < 0 ? std::string() : t[size_t(a)].lower;
            if (!(pos & Lexicon::Adjective) || (pos & Lexicon::Verb) || (a > 0 && t[size_t(a)].isCapitalised())
                || m_lex.isDeterminer(before) || endsWith(before, "ing"))
                break;
            first = a;
        }
        const bool adjectives = first != n;
        const int d = RuleSupport::prevWord(t, first);
        if (d >= 0 && openers.count(t[size_t(d)].lower))
            first = d;
        if (!clauseStartsAt(first))
            continue;
        // "for journalists, artists, musicians doesn't": the last of a list of plurals
        if (first >= 3 && t[size_t(first) - 1].text == "," && t[size_t(first) - 3].text == ","
            && endsWith(t[size_t(first) - 2].lower, "s"))
            continue;
        // "that saves lives": a bare -s word after a joiner may be the verb itself
        if (first == n && n > 0 && m_lex.isThirdPerson(noun))
            continue;
        // "and" may join adjectives ("creative and artistic people is ...") or nouns
        // ("facilities and resources makes"): only a clause after a non-noun counts
        const std::string joiner = first > 0 ? t[size_t(first) - 1].lower : std::string();
        if (joiner == "and" || joiner == "or") {
            const int before = RuleSupport::prevWord(t, first - 1);
            const Set &objectPronouns = WordClasses::words(WordClass::AnyObjectPronoun);
            const std::string prior = before >= 0 ? t[size_t(before)].lower : std::string();
            if (adjectives || (!prior.empty() && !objectPronouns.count(prior)
                               && (prior.back() == 's' || (m_lex.posMask(prior) & Lexicon::Noun))))
                continue;
        }
        out->push_back(RuleSupport::replace(t, v, v, fix, "GRAMMAR", "sv_agreement", 2));
    }
}

void NumberRules::oneOfPlural(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // "one of the best student" -> "students"; "most of the student", "some of my friend": a
    // share of a group of people counts persons, never part of one
    static const Set determiners = {"the", "my", "his", "her", "our", "their", "these", "those", "its", "your"};
    static const Set shares = {"most", "some", "all", "many", "few", "several", "both", "none"};
    for (int i = 0; i + 3 < int(t.size()); ++i) {
        const bool share = shares.count(t[size_t(i)].lower) != 0;
        if ((t[size_t(i)].lower != "one" && !share) || t[size_t(i) + 1].lower != "of"
            || !determiners.count(t[size_t(i) + 2].lower))
            continue;
        if (share) {
            personShare(t, i + 3, out);
            continue;
        }
        // "phase one of the project": "one" after a noun is a number, not a pronoun
        static const Set before = {"is", "was", "are", "were", "be", "been", "as", "and", "become", "becomes",
                                   "became", "remains", "it's", "he's", "she's"};
        // ("The one of the reason": "the" before it makes no number of it)
        if (i > 0 && t[size_t(i) - 1].kind == Token::Word && !before.count(t[size_t(i) - 1].lower)
            && !(t[size_t(i) - 1].lower == "the" && RuleSupport::prevWord(t, i - 1) < 0))
            continue;
        int n = i + 3;
        // up to two adjectives before the noun ("most beautiful", "best")
        for (int k = 0; k < 2 && n < int(t.size()) && t[size_t(n)].kind == Token::Word; ++k) {
            const std::string &w = t[size_t(n)].lower;
            const int pos = m_lex.posMask(w);
            // (an adjective that is also a noun, "main", "key", counts before a counted noun)
            std::string unused;
            const bool adjective = w == "most" || w == "best" || w == "biggest" || w == "greatest"
                || ((pos & Lexicon::Adjective) && !(pos & Lexicon::Noun))
                || ((pos & Lexicon::Adjective) && k == 0 && n + 1 < int(t.size())
                    && countableSingular(t[size_t(n) + 1].lower, &unused));
            if (!adjective)
                break;
            ++n;
        }
        if (n >= int(t.size()) || t[size_t(n)].kind != Token::Word || t[size_t(n)].isCapitalised())
            continue;
        std::string plural;
        // ("one of the most important thing": a noun in -ing that is no verb counts too)
        if (!countableSingular(t[size_t(n)].lower, &plural) && !mostlyCounted(t[size_t(n)].lower, &plural, 0.3))
            continue;
        // the noun ends the phrase: its verb follows ("one of my friend came")
        const std::string next = RuleSupport::lowerAt(t, n + 1);
        const bool end = n + 1 >= int(t.size()) || t[size_t(n) + 1].kind == Token::Punct || clauseWords().count(next)
            || m_lex.isPastForm(next) || m_lex.isThirdPerson(next) || m_lex.isModal(next);
        if (end)
            out->push_back(RuleSupport::replace(t, n, n, plural, "MOPHOLOGY", "noun_plural", 2));
    }
}

void NumberRules::personShare(const std::vector<Token> &t, int n, std::vector<Finding> *out) const
{
    // one adjective may stand before the noun ("most of the young teacher")
    if (n + 1 < int(t.size()) && m_lex.posMask(t[size_t(n)].lower) == Lexicon::Adjective)
        ++n;
    if (n >= int(t.size()) || t[size_t(n)].kind != Token::Word || t[size_t(n)].isCapitalised())
        return;
    const std::string &w = t[size_t(n)].lower;
    std::string plural;
    if (m_lex.nounClass(w) != Lexicon::NounPerson || !countableSingular(w, &plural))
        return;
    // the noun ends the phrase ("most of the student body" is a compound)
    const std::string next = RuleSupport::lowerAt(t, n + 1);
    const bool end = n + 1 >= int(t.size()) || t[size_t(n) + 1].kind == Token::Punct || clauseWords().count(next)
        || m_lex.isAuxiliary(next) || m_lex.isPreposition(next) || m_lex.isPastForm(next) || m_lex.isThirdPerson(next)
        || next == "who" || (m_lex.isCommonVerbBase(next) && !m_lex.isPos(next, Lexicon::Noun));
    if (end)
        out->push_back(RuleSupport::replace(t, n, n, plural, "MOPHOLOGY", "noun_plural", 2));
}

bool NumberRules::countableSingular(const std::string &w, std::string *plural) const
{
    return countable(w, plural, false);
}

bool NumberRules::countable(const std::string &w, std::string *plural, bool adjectives) const
{
    static const Set excluded = {"time", "work", "hundred", "thousand", "million", "billion", "dozen", "people",
                                 "police", "staff", "family", "team", "class", "fish", "sheep", "deer", "series",
                                 "means", "species", "news", "data", "media", "kind", "sort", "type", "lot", "bit",
                                 "more", "other", "others", "one", "ones", "few", "less", "much", "many", "such",
                                 "percent", "cent", "second", "yuan", "money"};
    // plurals that do not add -s
    static const std::unordered_map<std::string, std::string> irregular = {
        {"man", "men"}, {"woman", "women"}, {"child", "children"}, {"person", "people"}, {"foot", "feet"},
        {"tooth", "teeth"}, {"mouse", "mice"}};
    if (const auto it = irregular.find(w); it != irregular.end()) {
        *plural = it->second;
        return true;
    }
    // (a word in -s is a plural, except the -ss nouns: "process", "business")
    if (w.size() < 3 || excluded.count(w) || (endsWith(w, "s") && !endsWith(w, "ss")) || endsWith(w, "ing") || m_lex.isPastForm(w)
        || m_lex.isAuxiliary(w) || m_lex.isDeterminer(w) || m_lex.isPreposition(w))
        return false;
    // after a quantifier or article a noun-verb word is a noun; adjectives are excluded
    const int pos = m_lex.posMask(w);
    if (!(pos & Lexicon::Noun) || ((pos & Lexicon::Adjective) && !adjectives))
        return false;
    std::string p;
    if (endsWith(w, "ch") || endsWith(w, "sh") || endsWith(w, "x") || endsWith(w, "z") || endsWith(w, "ss"))
        p = w + "es";
    else if (w.back() == 'y' && std::string("aeiou").find(w[w.size() - 2]) == std::string::npos)
        p = w.substr(0, w.size() - 1) + "ies";
    else
        p = w + "s";
    // the plural must be common, or the noun is uncountable or rare
    if (m_lex.frequency(p) < 200000)
        return false;
    *plural = p;
    return true;
}

bool NumberRules::countBefore(const std::string &w) const
{
    static const Set words = {"than", "about", "only", "and", "or", "nearly", "almost", "over", "under", "just"};
    return words.count(w) || m_lex.isAuxiliary(w) || m_lex.isPreposition(w) || m_lex.isPastForm(w)
        || m_lex.isThirdPerson(w) || (m_lex.isCommonVerbBase(w) && !m_lex.isPos(w, Lexicon::Noun));
}

void NumberRules::pluralAfterQuantifier(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    static const Set quantifiers = {"several", "many", "various", "numerous", "both", "two", "three", "four",
                                    "five", "six", "seven", "eight", "nine", "ten", "few", "certain", "different"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const std::string &q = t[size_t(i)].lower;
        // a count in digits ("20 student"), not a year, a decimal, a part of a name ("room 20",
        // "a 20 minute walk") or a count of one
        const bool digits = t[size_t(i)].kind == Token::Number && q.find_first_not_of("0123456789") == std::string::npos
            && q != "1" && q.size() <= 3 && i > 0 && countBefore(t[size_t(i) - 1].lower);
        if (!digits && (t[size_t(i)].kind != Token::Word || !quantifiers.count(q)))
            continue;
        if (q == "few" && (i == 0 || (t[size_t(i) - 1].lower != "a" && t[size_t(i) - 1].lower != "every")))
            continue; // "few" alone is often a pronoun ("a few", "every few" count)
        // "a certain thing" is one thing; "certain thing" alone counts several
        const std::string before = RuleSupport::lowerAt(t, i - 1);
        // "a two wheeler", "a three seater": one thing named by its count
        if ((before == "a" || before == "an") && q != "few" && q != "certain")
            continue;
        // "different" counts only where no determiner or verb of being stands before it ("a different
        // way", "the different parts", "is different", "very different")
        if (q == "different" && i > 0 && t[size_t(i) - 1].kind == Token::Word
            && (m_lex.isDeterminer(before) || m_lex.isAuxiliary(before) || m_lex.isPos(before, Lexicon::Adverb)
                || before == "my" || before == "your" || before == "his" || before == "her" || before == "its"
                || before == "our" || before == "their" || before == "one" || before == "feel" || before == "look"
                || before == "seem" || before == "become" || before == "became"))
            continue;
        if (q == "certain" && (before == "a" || before == "an" || before == "one" || before == "the"
                               || before == "this" || before == "that" || before == "is" || before == "was"
                               || before == "am" || before == "are" || before == "be" || before == "feel"))
            continue;
        int n = RuleSupport::nextWord(t, i);
        // adjectives may stand between: "many new employee" (only words that are adjectives alone)
        for (int k = 0; k < 2 && n >= 0 && n + 1 < int(t.size()); ++k) {
            const int pos = m_lex.posMask(t[size_t(n)].lower);
            if (!(pos & Lexicon::Adjective) || (pos & (Lexicon::Noun | Lexicon::Verb)) || t[size_t(n)].isCapitalised())
                break;
            n = RuleSupport::nextWord(t, n);
        }
        if (n < 0 || t[size_t(n)].isCapitalised())
            continue;
        std::string plural;
        // ("certain thing": a noun in -ing that is no verb counts too)
        if (!countableSingular(t[size_t(n)].lower, &plural) && !mostlyCounted(t[size_t(n)].lower, &plural, 0.3))
            continue;
        // "different food", "of different age": after "different" only a noun mostly counted
        if (q == "different" && !mostlyCounted(t[size_t(n)].lower, nullptr, 0.3))
            continue;
        // the noun must end the phrase: "several car companies" is right; a verb after it that
        // is no noun shows the end too ("many student came", "many student think")
        const std::string after = RuleSupport::lowerAt(t, n + 1);
        const bool verbAfter = !m_lex.isPos(after, Lexicon::Noun) && !m_lex.isPos(after, Lexicon::Adjective)
            && (m_lex.isPastForm(after) || m_lex.isCommonVerbBase(after));
        const bool end = n + 1 >= int(t.size()) || t[size_t(n) + 1].kind == Token::Punct
            || clauseWords().count(after) || verbAfter;
        if (!end || (n + 1 < int(t.size()) && t[size_t(n) + 1].text == "-"))
            continue;
        out->push_back(pluralFinding(t, n, plural));
    }
}

void NumberRules::fewerWithPlurals(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word || t[size_t(i)].lower != "less")
            continue;
        const int p = RuleSupport::prevWord(t, i);
        if (p >= 0 && (t[size_t(p)].lower == "no" || t[size_t(p)].lower == "much" || t[size_t(p)].lower == "or"))
            continue; // "no less", "much less", "more or less"
        const int n = RuleSupport::nextWord(t, i);
        if (n < 0)
            continue;
        const std::string &w = t[size_t(n)].lower;
        bool plural = w == "people";
        if (!plural && w.size() > 3 && endsWith(w, "s") && !m_lex.posMask(w)) { // "less cars"
            const std::string base = endsWith(w, "ies") ? w.substr(0, w.size() - 3) + "y" : w.substr(0, w.size() - 1);
            std::string check;
            plural = countableSingular(base, &check) && check == w;
        }
        if (plural)
            out->push_back(RuleSupport::replace(t, i, i, "fewer", "GRAMMAR", "less_fewer", 2));
    }
}

void NumberRules::relativeClauseVerb(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // "a person who are", "a chef that try", "the students who wants": the verb of a relative
    // clause agrees with the noun before the relative word
    static const Set singularDeterminers = {"a", "an", "one", "each", "every", "this"};
    static const Set pluralDeterminers = {"the", "these", "those", "many", "some", "all", "most", "my", "our",
                                          "their", "your", "other"};
    static const Set relatives = {"who", "that"};
    for (int i = 0; i + 3 < int(t.size()); ++i) {
        const std::string &d = t[size_t(i)].lower;
        const bool singular = singularDeterminers.count(d) != 0;
        const bool pluralDet = !singular && (pluralDeterminers.count(d) || d == "people" || d == "those");
        if (!singular && !pluralDet)
            continue;
        // "trees on this property that provide": after a preposition the clause may belong further back
        if (m_lex.isPreposition(RuleSupport::lowerAt(t, i - 1)))
            continue;
        const bool pronoun = d == "people" || (d == "those" && RuleSupport::lowerAt(t, i + 1) == "who");
        const int n = pronoun ? i : RuleSupport::nextWord(t, i);
        if (n < 0)
            continue;
        const std::string &noun = t[size_t(n)].lower;
        std::string pluralForm;
        if (singular && !countableSingular(noun, &pluralForm))
            continue;
        if (!singular && noun != "people" && noun != "those"
            && !(noun.size() > 3 && noun.back() == 's' && countableSingular(noun.substr(0, noun.size() - 1), &pluralForm)
                 && pluralForm == noun))
            continue;
        const int who = RuleSupport::nextWord(t, n);
        if (who < 0 || !relatives.count(t[size_t(who)].lower) || (t[size_t(who)].lower == "that" && !singular))
            continue;
        const int v = RuleSupport::nextWord(t, who);
        if (v < 0 || t[size_t(v)].isCapitalised())
            continue;
        const std::string &verb = t[size_t(v)].lower;
        std::string fix;
        if (singular) {
            fix = verb == "are" ? "is" : verb == "were" ? "was" : verb == "have" ? "has" : "";
            // a base form: "that try" (not "that put", which may be past)
            // a word that is also a noun only before its object ("that try new dishes")
            const std::string next = RuleSupport::lowerAt(t, v + 1);
            const bool object = m_lex.isDeterminer(next) || next == "me" || next == "him" || next == "us"
                || next == "them" || (m_lex.isPos(next, Lexicon::Adjective) && !m_lex.isPos(next, Lexicon::Noun));
            if (fix.empty() && verb != "be" && verb != "do" && m_lex.isCommonVerbBase(verb) && !m_lex.baseEqualsPast(verb)
                && (!m_lex.isPos(verb, Lexicon::Noun) || object) && !m_lex.isPos(verb, Lexicon::Adjective))
                fix = m_lex.thirdPerson(verb);
        } else {
            fix = verb == "is" ? "are" : verb == "was" ? "were" : verb == "has" ? "have" : "";
            if (fix.empty() && m_lex.isThirdPerson(verb) && verb != "does" && !m_lex.isPos(verb, Lexicon::Noun))
                fix = m_lex.baseOf(verb);
        }
        if (!fix.empty() && fix != verb)
            out->push_back(RuleSupport::replace(t, v, v, fix, "GRAMMAR", "sv_agreement", 2));
    }
}

bool NumberRules::mostlyCounted(const std::string &w, std::string *plural, double pluralShare) const
{
    std::string p;
    if (!countableSingular(w, &p)) {
        // "thing", "building": nouns in -ing that the countable test leaves out as gerunds
        if (w.size() < 5 || !endsWith(w, "ing") || !m_lex.isPos(w, Lexicon::Noun) || m_lex.isPos(w, Lexicon::Verb)
            || m_lex.isPos(w, Lexicon::Adjective) || m_lex.frequency(w + "s") < 200000)
            return false;
        p = w + "s";
    }
    if (double(m_lex.frequency(p)) < double(m_lex.frequency(w)) * pluralShare)
        return false;
    if (plural)
        *plural = p;
    return true;
}

bool NumberRules::mostlyCountedNoun(const std::string &w, double pluralShare) const
{
    std::string p;
    return countable(w, &p, true) && double(m_lex.frequency(p)) >= double(m_lex.frequency(w)) * pluralShare;
}

void NumberRules::quantities(const std::vector<Token> &t, const std::vector<std::string> &tags,
                             std::vector<Finding> *out) const
{
    quantifierOf(t, tags, out);
    pluralAfterOf(t, tags, out);
    quantityWithoutOf(t, tags, out);
    countedNumbers(t, tags, out);
    pluralByContext(t, tags, out);
    countedTimes(t, out);
    countedModifier(t, tags, out);
    // "much cars", "so much good teachers" -> "many": "much" goes with uncountable nouns. After
    // "how" or "pretty" it may be an adverb of the clause or the adjective ("how much artists
    // have changed", "pretty much open roads").
    static const std::unordered_set<std::string> irregular = {"people", "children", "men", "women"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "much")
            continue;
        const std::string before = RuleSupport::lowerAt(t, i - 1);
        if (before == "how" || before == "however" || before == "pretty")
            continue;
        int n = i + 1;
        // one plain adjective the dictionary knows: not "much higher prices", nor a slip the
        // tagger took for one ("too much fastfood people need")
        const bool adjective = RuleSupport::tagEquals(tags, n, "JJ") && t[size_t(n)].kind == Token::Word
            && m_lex.isPos(t[size_t(n)].lower, Lexicon::Adjective);
        if (adjective)
            ++n;
        // nor a plural that opens the next clause after a noun taken for an adjective ("too
        // much plastic people throw away")
        if (adjective
            && (RuleSupport::tagIs(tags, n + 1, "VBP") || RuleSupport::tagIs(tags, n + 1, "VBD")
                || RuleSupport::tagIs(tags, n + 1, "MD")))
            continue;
        if (n >= int(t.size()) || t[size_t(n)].isCapitalised())
            continue;
        const std::string &noun = t[size_t(n)].lower;
        std::string plural;
        const bool counted = irregular.count(noun)
            || (RuleSupport::tagIs(tags, n, "NNS") && noun.size() > 3 && noun.back() == 's' && noun != "thanks"
                && countableSingular(noun.substr(0, noun.size() - 1), &plural) && plural == noun);
        if (counted)
            out->push_back(RuleSupport::replace(t, i, i, "many", "GRAMMAR", "much_many", 2));
    }
}

void NumberRules::quantifierOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                               std::vector<Finding> *out) const
{
    // "most of students": part of a group is "most of the students" (or "most students")
    // ("one of reasons": the Brown corpus puts a bare plural after "one of" 3 times in 730)
    static const Set quantifiers = {"most", "all", "some", "many", "few", "both", "none", "each", "several", "one"};
    // words that make a full phrase after "of" without a determiner
    static const Set complete = {"last", "next", "today", "tonight", "yesterday", "tomorrow", "such", "whom",
                                 "which", "what", "us", "them", "it", "you", "mine", "yours", "ours", "theirs",
                                 "sudden", "course", "late", "old", "these", "those", "this", "that"};
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        if (!quantifiers.count(t[size_t(i)].lower) || RuleSupport::lowerAt(t, i + 1) != "of")
            continue;
        const int w = RuleSupport::nextWord(t, i + 1);
        if (w < 0 || t[size_t(w)].isCapitalised() || t[size_t(w)].attached || complete.count(t[size_t(w)].lower))
            continue;
        const std::string &word = t[size_t(w)].lower;
        if (m_lex.isDeterminer(word) || m_lex.isPreposition(word) || (!RuleSupport::tagIs(tags, w, "NN")
                                                                       && !RuleSupport::tagIs(tags, w, "JJ")))
            continue;
        // the phrase must reach a common noun: an adjective alone may be a pronoun's ("all of equal size")
        int head = w;
        while (head < int(t.size()) && RuleSupport::tagIs(tags, head, "JJ"))
            ++head;
        if (!RuleSupport::tagIs(tags, head, "NN") || RuleSupport::tagIs(tags, head, "NNP") || t[size_t(head)].isCapitalised())
            continue;
        // "most of students' time": a possessive is the determiner of a noun further on
        if (head + 1 < int(t.size()) && !t[size_t(head) + 1].spaceBefore
            && (t[size_t(head) + 1].text == "'" || t[size_t(head) + 1].lower.rfind("'s", 0) == 0))
            continue;
        // "one of" before a singular is a pronoun's phrase ("a mindset of employee to one of
        // entrepreneur") or a slip of number (oneOfPlural)
        if (t[size_t(i)].lower == "one" && !RuleSupport::tagIs(tags, head, "NNS"))
            continue;
        // a mass noun after "of" ("most of history") is rarer than a plural or a counted noun
        const std::string &noun = t[size_t(head)].lower;
        std::string plural;
        if (!RuleSupport::tagIs(tags, head, "NNS") && !mostlyCounted(noun, &plural))
            continue;
        out->push_back(RuleSupport::replace(t, i + 1, w, "of the " + RuleSupport::textOf(t, w, w), "GRAMMAR",
                                            "quantifier_of", 2));
    }
}

void NumberRules::pluralAfterOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                std::vector<Finding> *out) const
{
    // "a lot of problem", "lots of car company", "each of the member": a counted noun is plural here
    static const Set groupOf = {"each", "either", "neither", "none", "both", "several", "many", "few"};
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        const std::string &q = t[size_t(i)].lower;
        int first = -1; // first word after "of" (and after a determiner for the group words)
        // "a variety of product", "a couple of day" ("those kinds of problem" is right)
        static const Set quantityNouns = {"lot", "lots", "plenty", "variety", "couple"};
        if (quantityNouns.count(q) && RuleSupport::lowerAt(t, i + 1) == "of") {
            first = i + 2;
        } else if (groupOf.count(q) && RuleSupport::lowerAt(t, i + 1) == "of") {
            static const Set determiners = {"the", "my", "our", "your", "his", "her", "their", "these", "those"};
            if (!determiners.count(RuleSupport::lowerAt(t, i + 2)))
                continue;
            first = i + 3;
        } else {
            continue;
        }
        if ((q == "lot" || q == "variety" || q == "couple") && RuleSupport::lowerAt(t, i - 1) != "a"
            && RuleSupport::lowerAt(t, i - 1) != "whole" && RuleSupport::lowerAt(t, i - 1) != "wide")
            continue;
        // up to two modifiers; the last noun of the phrase is its head
        int head = first;
        while (head + 1 < int(t.size()) && head < first + 2
               && (RuleSupport::tagIs(tags, head, "JJ") || RuleSupport::tagIs(tags, head, "NN"))
               && RuleSupport::tagIs(tags, head + 1, "NN") && !RuleSupport::tagIs(tags, head + 1, "NNP"))
            ++head;
        if (head >= int(t.size()) || t[size_t(head)].kind != Token::Word || t[size_t(head)].isCapitalised())
            continue;
        // "both of my parent work": the tagger joins a plain verb to the noun before it
        bool verbNext = false;
        if (groupOf.count(q) && head > first && RuleSupport::tagIs(tags, head - 1, "NN")
            && m_lex.isCommonVerbBase(t[size_t(head)].lower) && !m_lex.isCommonVerbBase(t[size_t(head) - 1].lower)) {
            --head;
            verbNext = true;
        }
        // (after "many of my", "each of the" a verb may end the phrase: "many of my friend like it")
        const bool end = verbNext || head + 1 >= int(t.size()) || (t[size_t(head) + 1].kind == Token::Punct && t[size_t(head) + 1].text != "-"
                                                      && t[size_t(head) + 1].text != "'")
            || clauseWords().count(t[size_t(head) + 1].lower) || t[size_t(head) + 1].lower == "and"
            || t[size_t(head) + 1].lower == "or" || (t[size_t(head) + 1].lower == "such" && RuleSupport::lowerAt(t, head + 2) == "as")
            || (groupOf.count(q) && (RuleSupport::tagIs(tags, head + 1, "VB") || RuleSupport::tagIs(tags, head + 1, "MD")));
        // "a variety of skill and leadership areas": a modifier joined to another
        const bool joined = q != "lot" && q != "lots" && q != "plenty"
            && (RuleSupport::lowerAt(t, head + 1) == "and" || RuleSupport::lowerAt(t, head + 1) == "or");
        std::string plural;
        if (!end || joined || !mostlyCounted(t[size_t(head)].lower, &plural) || RuleSupport::tagIs(tags, head, "VB"))
            continue;
        // "a lot of effort", "lots of hardship": a noun native text often writes bare after
        // "of" is also uncounted, and the quantity words of amounts take it so
        if ((q == "lot" || q == "lots" || q == "plenty") && oftenUncounted(t[size_t(head)].lower))
            continue;
        // ("each of the members is": after the words of one the verb stays)
        const bool ofOne = q == "each" || q == "either" || q == "neither" || q == "none" || q == "variety";
        out->push_back(ofOne ? RuleSupport::replace(t, head, head, plural, "MOPHOLOGY", "noun_plural", 2)
                             : pluralFinding(t, head, plural));
    }
}

bool NumberRules::oftenUncounted(const std::string &noun) const
{
    if (!m_counts)
        return false;
    // after "of" where native text has seen it there a few times, else outside the role slots
    // ("as scientist", "was president") on more evidence
    constexpr uint32_t kMinAfterOf = 5, kMinElsewhere = 20;
    constexpr double kBareShare = 0.4;
    const NounDeterminers::Counts afterOf = m_counts->counts(noun, "of");
    if (afterOf.total() >= kMinAfterOf)
        return afterOf.bare >= kBareShare * afterOf.total();
    const NounDeterminers::Counts elsewhere = m_counts->counts(noun, "*");
    return elsewhere.total() >= kMinElsewhere && elsewhere.bare >= kBareShare * elsewhere.total();
}

bool NumberRules::countedPlural(const std::string &w) const
{
    static const Set irregular = {"people", "children", "men", "women", "feet", "teeth"};
    if (irregular.count(w))
        return true;
    if (w.size() < 4 || w.back() != 's' || endsWith(w, "ss"))
        return false;
    std::string plural;
    const std::string single = endsWith(w, "ies") ? w.substr(0, w.size() - 3) + "y"
        : endsWith(w, "es") && countableSingular(w.substr(0, w.size() - 2), &plural) ? w.substr(0, w.size() - 2)
                                                                                      : w.substr(0, w.size() - 1);
    return mostlyCounted(single, &plural, 0.0) && plural == w;
}

void NumberRules::quantityWithoutOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                    std::vector<Finding> *out) const
{
    // after "a" ("a couple days" is accepted; "a dozen", "a hundred" count by themselves)
    static const Set afterArticle = {"lot", "number", "variety", "kind", "sort", "type", "range", "majority",
                                     "group", "bunch", "pair", "handful"};
    static const Set sizes = {"great", "large", "small", "huge", "big", "wide", "good", "vast", "whole"};
    static const Set bare = {"lots", "plenty"};
    for (int q = 1; q + 1 < int(t.size()); ++q) {
        const std::string &word = t[size_t(q)].lower;
        if (t[size_t(q)].kind != Token::Word || t[size_t(q)].isCapitalised())
            continue;
        if (afterArticle.count(word)) {
            int a = RuleSupport::prevWord(t, q);
            if (a >= 0 && sizes.count(t[size_t(a)].lower) && word != "lot")
                a = RuleSupport::prevWord(t, a);
            if (a < 0 || (t[size_t(a)].lower != "a" && t[size_t(a)].lower != "an"))
                continue;
        } else if (bare.count(word)) {
            // "parking lots", "the lots": a determiner, adjective or noun before it makes it a noun of its own
            const int p = RuleSupport::prevWord(t, q);
            if (p >= 0 && (m_lex.isDeterminer(t[size_t(p)].lower) || RuleSupport::tagIs(tags, p, "JJ")
                           || RuleSupport::tagIs(tags, p, "NN")
                           || (RuleSupport::tagIs(tags, p, "VBG") && m_lex.isPos(t[size_t(p)].lower, Lexicon::Noun))))
                continue;
        } else {
            continue;
        }
        const int n = q + 1;
        const Token &noun = t[size_t(n)];
        if (noun.kind != Token::Word || !noun.spaceBefore || noun.isCapitalised() || !RuleSupport::tagIs(tags, n, "NNS")
            || !countedPlural(noun.lower))
            continue;
        // "a kind people": a kind nation; "a lot people's": a possessive makes its own phrase
        if ((word == "kind" && noun.lower == "people")
            || (n + 1 < int(t.size()) && !t[size_t(n) + 1].spaceBefore && t[size_t(n) + 1].text == "'"))
            continue;
        out->push_back(RuleSupport::replace(t, q, q, t[size_t(q)].text + " of", "GRAMMAR", "quantity_of", 2));
    }
}

void NumberRules::countedNumbers(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                 std::vector<Finding> *out) const
{
    static const Set counts = {"two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "several",
                               "few", "many", "twenty", "thirty", "fifty", "hundred"};
    static const std::unordered_map<std::string, std::string> units = {
        {"hundreds", "hundred"}, {"thousands", "thousand"}, {"millions", "million"}, {"billions", "billion"},
        {"dozens", "dozen"}, {"percents", "percent"}};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const Token &n = t[size_t(i)];
        const bool number = counts.count(n.lower)
            || (n.kind == Token::Number && n.lower.find_first_not_of("0123456789.") == std::string::npos);
        // "a few hundreds of" is rare; "many thousands of" is right
        const auto unit = units.find(RuleSupport::lowerAt(t, i + 1));
        if (number && unit != units.end() && n.lower != "many" && n.lower != "few" && n.lower != "several") {
            // "two hundreds students", "3 millions of people", "9 percents": the number word stays
            // singular after a number
            if (RuleSupport::nextWord(t, i) == i + 1)
                out->push_back(RuleSupport::replace(t, i + 1, i + 1, unit->second, "MOPHOLOGY", "number_word", 2));
            continue;
        }
        // "one students" -> "one student" (not "one of", "one's", "no one")
        if (n.lower != "one" || n.kind != Token::Word || RuleSupport::lowerAt(t, i - 1) == "no"
            || !RuleSupport::tagIs(tags, i + 1, "NNS") || t[size_t(i) + 1].isCapitalised())
            continue;
        const std::string &noun = t[size_t(i) + 1].lower;
        std::string plural;
        const std::string single = noun.size() > 4 && noun.compare(noun.size() - 3, 3, "ies") == 0
            ? noun.substr(0, noun.size() - 3) + "y"
            : noun.substr(0, noun.size() - 1);
        // "One needs time": at the start of a clause "one" is the subject and the -s word its verb;
        // so after a determiner or a question word ("which one suits you", "this one costs more")
        const bool clauseStart = i == 0 || t[size_t(i) - 1].kind == Token::Punct || RuleSupport::clauseBoundary(t[size_t(i) - 1]);
        const std::string before = RuleSupport::lowerAt(t, i - 1);
        const bool pronoun = i > 0 && t[size_t(i) - 1].kind == Token::Word
            && (m_lex.isDeterminer(before) || m_lex.inClass(WordClass::QuestionWord, before));
        if (((clauseStart || pronoun) && m_lex.isThirdPerson(noun)) || (pronoun && m_lex.isPos(single, Lexicon::Verb)))
            continue;
        // the noun ends its phrase ("one sports car" is right)
        if (!countedPlural(noun) || !mostlyCounted(single, &plural, 0.0) || plural != noun
            || RuleSupport::tagIs(tags, i + 2, "NN"))
            continue;
        out->push_back(RuleSupport::replace(t, i + 1, i + 1, single, "MOPHOLOGY", "number_word", 2));
    }
}

void NumberRules::countedTimes(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // "two time a week" -> "times"; "50 year later", "three day ago": a count of a unit of time
    // before "a", "per", "ago" or "later" is plural ("a two time champion", "a 20 year old" are
    // modifiers and go on to a noun)
    static const Set counts = {"two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "several",
                               "many", "twenty", "thirty", "forty", "fifty", "hundred", "few"};
    static const Set units = {"minute", "hour", "day", "week", "month", "year", "decade", "century"};
    static const Set rate = {"a", "per", "each", "every"};
    static const Set distance = {"ago", "later", "earlier", "before", "after"};
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        const Token &q = t[size_t(i)];
        const bool number = (q.kind == Token::Word && counts.count(q.lower))
            || (q.kind == Token::Number && q.lower.find_first_not_of("0123456789") == std::string::npos && q.lower != "1"
                && q.lower.size() <= 3);
        const std::string &unit = t[size_t(i) + 1].lower;
        const std::string next = RuleSupport::lowerAt(t, i + 2);
        if (!number || t[size_t(i) + 1].kind != Token::Word || !t[size_t(i) + 1].spaceBefore
            || (i > 0 && (t[size_t(i) - 1].text == "-" || t[size_t(i) - 1].lower == "a")) || q.lower == "few")
            continue;
        const bool times = unit == "time" && rate.count(next) && !(next == "a" && RuleSupport::lowerAt(t, i + 3) == "lot");
        const bool span = units.count(unit) && (distance.count(next) || rate.count(next));
        if (!times && !span)
            continue;
        const std::string plural = unit == "century" ? "centuries" : unit + "s";
        out->push_back(RuleSupport::replace(t, i + 1, i + 1, plural, "MOPHOLOGY", "noun_plural", 2));
    }
}

void NumberRules::pluralByContext(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                  std::vector<Finding> *out) const
{
    static const Set quantifiers = {"several", "many", "various", "numerous", "both", "two", "three", "four",
                                    "five", "six", "seven", "eight", "nine", "ten", "these"};
    static const Set pluralVerbs = {"are", "were", "have", "do", "don't"};
    static const Set modified = {"NN", "NNS", "JJ", "JJR", "JJS", "VBG", "VBN", "CD", "TO", "IN", "HYPH", "CC"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const std::string &q = t[size_t(i)].lower;
        const bool some = q == "some";
        if ((!some && !quantifiers.count(q)) || RuleSupport::lowerAt(t, i - 1) == "a"
            || RuleSupport::lowerAt(t, i - 1) == "an")
            continue;
        int n = i + 1;
        // one adjective between ("many different side")
        if (RuleSupport::tagIs(tags, n, "JJ") && !m_lex.isPos(t[size_t(n)].lower, Lexicon::Noun))
            ++n;
        if (n >= int(t.size()) || t[size_t(n)].kind != Token::Word || t[size_t(n)].isCapitalised()
            || RuleSupport::tagIs(tags, n, "NNS") || RuleSupport::tagIs(tags, n, "NNP")
            || (n + 1 < int(t.size()) && !t[size_t(n) + 1].spaceBefore && t[size_t(n) + 1].kind != Token::Punct))
            continue;
        // "many subject we get", "these subject very deeply": a noun-adjective word the tagger
        // calls an adjective, with nothing after it that an adjective could describe or join
        // ("both male and female", "many young people")
        const bool adjectiveRead = !some && n == i + 1 && RuleSupport::tagIs(tags, n, "JJ")
            && (n + 1 >= int(tags.size()) || (!modified.count(tags[size_t(n) + 1]) && RuleSupport::lowerAt(t, n + 1) != "of"));
        if (!RuleSupport::tagIs(tags, n, "NN") && !adjectiveRead)
            continue;
        // the number model speaks for nouns after "these"; "those" with an adjective may stand
        // for people ("those present were")
        if (q == "these" && !adjectiveRead)
            continue;
        const std::string &w = t[size_t(n)].lower;
        const std::string next = RuleSupport::lowerAt(t, n + 1);
        std::string plural;
        if (some) {
            // "some" with a singular is one thing ("some guy", "some way"); with a noun mostly
            // counted, "there are" before it or a plural verb after it shows several are meant
            // ("there are some lecture", "some driver make trouble")
            if (!mostlyCounted(w, &plural, 0.5))
                continue;
            const std::string be = RuleSupport::lowerAt(t, i - 1);
            const bool thereAre = (be == "are" || be == "were") && RuleSupport::lowerAt(t, i - 2) == "there"
                && !RuleSupport::tagIs(tags, n + 1, "NN") && !RuleSupport::tagIs(tags, n + 1, "NNS");
            const bool pluralVerb = pluralVerbs.count(next)
                || (RuleSupport::tagIs(tags, n + 1, "VBP") && m_lex.isPos(next, Lexicon::Verb) && !m_lex.isModal(next)
                    && m_lex.frequency(m_lex.thirdPerson(next)) >= 100000);
            if (!thereAre && !pluralVerb)
                continue;
        } else {
            // a word that is also an adjective, which the plain rule leaves out ("both side of
            // the story", "many part"): here the tagger reads it as a noun; its plural must be
            // a common word, a tenth as frequent as the singular at least ("sides", "parts")
            std::string single;
            if (countableSingular(w, &single) || mostlyCounted(w, &single, 0.3) || !countable(w, &plural, true)
                || double(m_lex.frequency(plural)) < double(m_lex.frequency(w)) * 0.1)
                continue;
            const bool end = n + 1 >= int(t.size()) || t[size_t(n) + 1].kind == Token::Punct
                || clauseWords().count(next) || RuleSupport::tagIs(tags, n + 1, "VBP")
                || RuleSupport::tagIs(tags, n + 1, "VBD") || RuleSupport::tagIs(tags, n + 1, "MD") || adjectiveRead;
            if (!end)
                continue;
        }
        out->push_back(pluralFinding(t, n, plural));
    }
}

Finding NumberRules::pluralFinding(const std::vector<Token> &t, int n, const std::string &plural) const
{
    // "these problem occurs": the verb agrees with the written singular and changes with it
    const std::string verb = RuleSupport::lowerAt(t, n + 1);
    std::string base = verb == "is" ? "are" : verb == "was" ? "were" : verb == "has" ? "have" : verb == "does" ? "do"
        : verb == "doesn't" ? "don't" : std::string();
    // (a word in -s that is no noun: "occurs", "likes" is a noun as well)
    if (base.empty() && n + 1 < int(t.size()) && t[size_t(n) + 1].spaceBefore && verb.size() > 3
        && endsWith(verb, "s") && !endsWith(verb, "ss") && !m_lex.isPos(verb, Lexicon::Noun)) {
        base = m_lex.baseOf(verb);
        // a regular verb the tables leave out: "occurs", "carries"
        if (base.empty() && endsWith(verb, "ies"))
            base = verb.substr(0, verb.size() - 3) + "y";
        else if (base.empty())
            base = m_lex.isPos(verb.substr(0, verb.size() - 1), Lexicon::Verb) ? verb.substr(0, verb.size() - 1)
                                                                               : verb.substr(0, verb.size() - 2);
        if (!m_lex.isPos(base, Lexicon::Verb))
            base.clear();
    }
    if (base.empty() || t[size_t(n) + 1].isCapitalised())
        return RuleSupport::replace(t, n, n, RuleSupport::caseLike(t[size_t(n)], plural), "MOPHOLOGY", "noun_plural", 2);
    return RuleSupport::replace(t, n, n + 1, RuleSupport::caseLike(t[size_t(n)], plural) + " " + base, "MOPHOLOGY",
                                "noun_plural", 2);
}

void NumberRules::countedModifier(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                  std::vector<Finding> *out) const
{
    using R = RuleSupport;
    static const Set counts = {"two", "three", "four", "five", "six", "seven", "eight", "nine", "ten", "eleven",
                               "twelve", "thirteen", "fourteen", "fifteen", "sixteen", "seventeen", "eighteen",
                               "nineteen", "twenty", "thirty", "forty", "fifty", "sixty", "hundred"};
    static const std::unordered_map<std::string, std::string> units = {
        {"years", "year"}, {"months", "month"}, {"weeks", "week"}, {"days", "day"}, {"hours", "hour"},
        {"minutes", "minute"}, {"seconds", "second"}};
    for (int i = 0; i + 2 < int(t.size()); ++i) {
        const Token &q = t[size_t(i)];
        const bool number = (q.kind == Token::Word && counts.count(q.lower))
            || (q.kind == Token::Number && q.lower.find_first_not_of("0123456789") == std::string::npos && q.lower != "1");
        const auto unit = units.find(R::lowerAt(t, i + 1));
        if (!number || unit == units.end() || !t[size_t(i) + 1].spaceBefore)
            continue;
        // a noun after the unit (and "old"): "years old princess", "hours trip"; not "years old
        // and over", "two hours of work", "ten years old ."
        const bool old = R::lowerAt(t, i + 2) == "old";
        const int n = old ? i + 3 : i + 2;
        const bool noun = n < int(t.size()) && t[size_t(n)].kind == Token::Word && !t[size_t(n)].isCapitalised()
            && (R::tagEquals(tags, n, "NN") || R::tagEquals(tags, n, "NNS")) && m_lex.isPos(t[size_t(n)].lower, Lexicon::Noun);
        // without "old" only after "a": "a two hours trip" ("it took two hours work" may be a slip of "of")
        const std::string before = R::lowerAt(t, i - 1);
        if (!noun || (!old && before != "a" && before != "an"))
            continue;
        out->push_back(R::replace(t, i + 1, i + 1, R::caseLike(t[size_t(i) + 1], unit->second), "MOPHOLOGY",
                                  "number_word", 2));
    }
}

} // namespace PennovaChecker
