#include "nounphraserules.h"

#include "lexicon.h"
#include "numberrules.h"
#include "rulesupport.h"
#include "wordclasses.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Set = std::unordered_set<std::string>;

// The noun at k ends its phrase: punctuation, the end, or a word that cannot extend it.
bool endsPhrase(const std::vector<Token> &t, const std::vector<std::string> &tags, int k)
{
    if (k + 1 >= int(t.size()))
        return true;
    const Token &n = t[size_t(k) + 1];
    if (n.kind == Token::Punct)
        return n.text != "-" && n.text != "'" && n.text != "/";
    return !R::tagIs(tags, k + 1, "NN") && !R::tagIs(tags, k + 1, "POS") && n.lower != "of";
}

// Regular plural of a countable noun written as the lexicon knows it ("city" -> "cities").
bool regularPlural(const std::string &noun)
{
    return noun.size() > 3 && noun.back() == 's' && noun.compare(noun.size() - 2, 2, "ss") != 0
        && noun.compare(noun.size() - 3, 3, "ics") != 0;
}

} // namespace

void NounPhraseRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                            std::vector<Finding> *out) const
{
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].kind != Token::Word)
            continue;
        otherSingular(t, tags, i, out);
        kindOfPlural(t, tags, i, out);
        plainThan(t, tags, i, out);
        byOwn(t, tags, i, out);
        theMost(t, tags, i, out);
        genericThe(t, i, out);
        pluralDeterminer(t, tags, i, out);
        eachOther(t, i, out);
        pluralPossessive(t, i, out);
        everyPeople(t, tags, i, out);
    }
}

void NounPhraseRules::everyPeople(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                  std::vector<Finding> *out) const
{
    const std::string &d = t[size_t(i)].lower;
    // "He is a good people" -> "person": one person after "he/she/I is a" ("a people" is a nation)
    if ((d == "a" || d == "an") && i >= 2) {
        static const Set subjects = {"he", "she", "i"};
        static const Set be = {"is", "was", "am", "'s"};
        int n = i + 1;
        while (n < int(t.size()) && (RuleSupport::tagIs(tags, n, "JJ") || RuleSupport::tagIs(tags, n, "RB")))
            ++n;
        const bool end = n + 1 >= int(t.size()) || RuleSupport::clauseBoundary(t[size_t(n) + 1])
            || m_lex.isPreposition(RuleSupport::lowerAt(t, n + 1));
        if (RuleSupport::lowerAt(t, n) == "people" && end && be.count(RuleSupport::lowerAt(t, i - 1))
            && subjects.count(RuleSupport::lowerAt(t, i - 2)))
            out->push_back(RuleSupport::replace(t, n, n, "person", "GRAMMAR", "determiner_number", 2));
        return;
    }
    if ((d != "every" && d != "each") || RuleSupport::lowerAt(t, i + 1) != "people")
        return;
    // "every people on earth", "each people group": "people" as a nation or a modifier
    const std::string next = RuleSupport::lowerAt(t, i + 2);
    if (next == "of" || next == "on" || next == "in" || RuleSupport::tagIs(tags, i + 2, "NN"))
        return;
    Finding f = RuleSupport::replace(t, i, i + 1, d == "every" ? "everyone" : "each person", "GRAMMAR",
                                     "determiner_number", 2);
    if (d == "every") {
        Candidate person = f.candidates.front();
        person.correction = RuleSupport::caseLike(t[size_t(i)], "every person");
        person.score /= 2;
        f.candidates.push_back(person);
    }
    out->push_back(f);
}

void NounPhraseRules::pluralPossessive(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    const Token &w = t[size_t(i)];
    // lower case only: "James's", "Jones's" are names
    if (w.isCapitalised() || w.lower.size() < 6 || w.lower.compare(w.lower.size() - 3, 3, "s's") != 0)
        return;
    const std::string plural = w.text.substr(0, w.text.size() - 2);
    if (m_numbers.countedPlural(plural))
        out->push_back(RuleSupport::replace(t, i, i, plural + "'", "GRAMMAR", "plural_possessive", 2));
}

void NounPhraseRules::otherSingular(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                    std::vector<Finding> *out) const
{
    // "in other domain" -> "in other domains" / "in another domain"; with a determiner
    // ("the other day", "no other way", "each other") "other" takes a singular
    if (t[size_t(i)].lower != "other" || (i > 0 && t[size_t(i)].isCapitalised()))
        return;
    const int p = R::prevWord(t, i);
    // (after any verb form: "it creates other problem")
    if (p >= 0 && i - p == 1 && !R::tagIs(tags, p, "IN") && tags[size_t(p)].rfind("VB", 0) != 0
        && !R::tagIs(tags, p, "TO") && !R::tagIs(tags, p, "CC"))
        return;
    if (p >= 0 && (m_lex.isDeterminer(t[size_t(p)].lower) || R::tagIs(tags, p, "PRP$")))
        return;
    const int n = R::nextWord(t, i);
    // "Other one is a gambler" -> "Another one"
    if (n == i + 1 && t[size_t(n)].lower == "one" && !R::tagIs(tags, n + 1, "NN")) {
        out->push_back(R::replace(t, i, n, "another one", "GRAMMAR", "other_singular", 2));
        return;
    }
    if (n != i + 1 || !R::tagIs(tags, n, "NN") || R::tagIs(tags, n, "NNS") || R::tagIs(tags, n, "NNP")
        || t[size_t(n)].isCapitalised() || !endsPhrase(t, tags, n))
        return;
    const std::string &noun = t[size_t(n)].lower;
    std::string plural;
    // (a plural at least a seventh as common as the singular: "city", "country", not "food", "life")
    if (noun == "than" || !m_numbers.mostlyCounted(noun, &plural, 0.15))
        return;
    Finding f = R::replace(t, n, n, plural, "GRAMMAR", "other_singular", 2);
    Candidate another = R::replace(t, i, n, "another " + t[size_t(n)].text, "GRAMMAR", "other_singular", 2)
                            .candidates.front();
    another.score /= 2;
    // both fix it; the plural keeps the span short, "another" the learner's meaning of one
    f.candidates.push_back(another);
    out->push_back(f);
}

void NounPhraseRules::kindOfPlural(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                   std::vector<Finding> *out) const
{
    // "different kind of food" -> "different kinds of food": without a determiner these
    // words count kinds
    static const Set counting = {"different", "various", "many", "several", "all", "two", "three", "four", "five",
                                 "numerous"};
    const std::string &d = t[size_t(i)].lower;
    if (counting.count(d) && i + 2 < int(t.size()) && t[size_t(i) + 2].lower == "of") {
        const std::string &k = t[size_t(i) + 1].lower;
        const int p = R::prevWord(t, i);
        const bool determined = p >= 0 && p == i - 1
            && (m_lex.isDeterminer(t[size_t(p)].lower) || R::tagIs(tags, p, "PRP$") || R::tagIs(tags, p, "DT"));
        if ((k == "kind" || k == "type" || k == "sort") && !determined) {
            out->push_back(R::replace(t, i + 1, i + 1, k + "s", "GRAMMAR", "noun_plural", 2));
            return;
        }
    }
    // "this kind of things" -> "these kinds of things"
    if ((d != "this" && d != "that") || i + 3 >= int(t.size()))
        return;
    const std::string &kind = t[size_t(i) + 1].lower;
    if ((kind != "kind" && kind != "type" && kind != "sort") || t[size_t(i) + 2].lower != "of")
        return;
    const int n = i + 3;
    if (!R::tagIs(tags, n, "NNS") || !regularPlural(t[size_t(n)].lower) || t[size_t(n)].isCapitalised()
        || !endsPhrase(t, tags, n))
        return;
    std::string singularPlural;
    if (!m_numbers.mostlyCounted(t[size_t(n)].lower.substr(0, t[size_t(n)].lower.size() - 1), &singularPlural, 0.3)
        && !m_numbers.mostlyCounted(t[size_t(n)].lower.substr(0, t[size_t(n)].lower.size() - 2), &singularPlural, 0.3))
        return;
    if (singularPlural != t[size_t(n)].lower)
        return;
    // only where a plural verb shows the writer means many ("This kind of books is popular" is
    // accepted usage)
    const std::string verb = R::lowerAt(t, n + 1);
    if (!(verb == "are" || verb == "were" || verb == "have" || R::tagIs(tags, n + 1, "VBP")
          || (R::tagIs(tags, n + 1, "VB") && !R::tagIs(tags, n + 1, "VBZ") && !R::tagIs(tags, n + 1, "VBD")
              && !R::tagIs(tags, n + 1, "VBN") && !R::tagIs(tags, n + 1, "VBG"))))
        return;
    out->push_back(R::replace(t, i, i + 1, (d == "this" ? "these " : "those ") + kind + "s", "GRAMMAR",
                              "determiner_number", 2));
}

void NounPhraseRules::plainThan(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                std::vector<Finding> *out) const
{
    // "He is tall than me" -> "taller than"; "more important than" for long adjectives
    if (R::lowerAt(t, i + 1) != "than" || !R::tagIs(tags, i, "JJ") || R::tagIs(tags, i, "JJR")
        || R::tagIs(tags, i, "JJS") || t[size_t(i)].isCapitalised())
        return;
    static const Set notGraded = {"other", "different", "rather", "else", "more", "less", "fewer", "superior",
                                  "inferior", "prior", "senior", "junior", "preferable", "similar", "same",
                                  "otherwise", "better", "worse", "further", "later", "earlier", "older", "elder"};
    const std::string &adj = t[size_t(i)].lower;
    if (notGraded.count(adj) || m_lex.comparativeKind(adj) != 0 || adj.size() < 3)
        return;
    // "more/less/as ... X than" is already graded a word or two back
    for (int k = i - 1; k >= 0 && k >= i - 3; --k) {
        const std::string &w = t[size_t(k)].lower;
        if (w == "more" || w == "less" || w == "rather" || w == "no" || w == "much")
            return;
    }
    const int p = R::prevWord(t, i);
    static const Set linking = {"is", "are", "was", "were", "be", "been", "am", "become", "becomes", "became", "seems",
                                "seem", "looks", "look", "feel", "feels", "it's", "very", "much", "far"};
    if (p < 0 || !linking.count(t[size_t(p)].lower))
        return;
    if (!(m_lex.posMask(adj) & Lexicon::Adjective))
        return;
    const std::string graded = R::comparativeOf(m_lex, t[size_t(i)]);
    // "very tall than" -> "much taller than"
    const int first = t[size_t(p)].lower == "very" ? p : i;
    out->push_back(R::replace(t, first, i, first == p ? "much " + graded : graded, "MOPHOLOGY", "comparative_than", 2));
}

void NounPhraseRules::theMost(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                              std::vector<Finding> *out) const
{
    // only a subject opening its clause: "who has the most friends" counts the most
    if (t[size_t(i)].lower != "the" || R::lowerAt(t, i + 1) != "most" || i + 3 >= int(t.size()))
        return;
    if (i > 0 && !(t[size_t(i) - 1].kind == Token::Punct && t[size_t(i) - 1].text == ","))
        return;
    const int n = i + 2;
    // "The most of people like it" -> "Most of": part of a group takes no "the"
    const bool partOf = R::lowerAt(t, n) == "of" && R::nextWord(t, n) == n + 1 && !t[size_t(n) + 1].isCapitalised()
        && (R::tagIs(tags, n + 1, "NN") || R::tagIs(tags, n + 1, "DT") || R::tagIs(tags, n + 1, "PRP"));
    if (!partOf && (!R::tagIs(tags, n, "NNS") || t[size_t(n)].isCapitalised()
        || !(R::tagIs(tags, n + 1, "VBP") || R::tagIs(tags, n + 1, "MD") || R::tagIs(tags, n + 1, "VBD")
             || (R::tagIs(tags, n + 1, "VB") && !R::tagIs(tags, n + 1, "VBN") && !R::tagIs(tags, n + 1, "VBG")
                 && !R::tagIs(tags, n + 1, "VBZ"))
             || R::lowerAt(t, n + 1) == "are" || R::lowerAt(t, n + 1) == "like")))
        return;
    Finding f;
    if (i == 0) // the capital moves to "Most"
        out->push_back(R::replace(t, i, i + 1, "most", "GRAMMAR", "most_noun", 2));
    else if (R::deletion(t, i, "GRAMMAR", "most_noun", 2, &f))
        out->push_back(f);
}

void NounPhraseRules::genericThe(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    static const Set nouns = {"nature", "mankind", "humankind", "humanity"};
    // "God" as a name takes no article either ("the God of the sea" is one of many)
    const bool god = R::lowerAt(t, i + 1) == "god" && t[size_t(i) + 1].text == "God";
    // "The life is beautiful": life in general, as the subject of the sentence
    static const Set lifeVerbs = {"is", "was", "has", "can", "will"};
    const bool life = i == 0 && R::lowerAt(t, 1) == "life" && lifeVerbs.count(R::lowerAt(t, 2));
    if (t[size_t(i)].lower != "the"
        || !(god || life || (nouns.count(R::lowerAt(t, i + 1)) && !t[size_t(i) + 1].isCapitalised())))
        return;
    // "the nature of the problem", "the nature that surrounds us": a particular one; only
    // before the end of the phrase or its verb
    static const Set after = {"and", "or", "is", "was", "has", "will", "can", "but", "would", "bless", "knows"};
    if (i + 2 < int(t.size()) && t[size_t(i) + 2].kind != Token::Punct && !after.count(t[size_t(i) + 2].lower))
        return;
    if (i + 2 < int(t.size()) && t[size_t(i) + 2].kind == Token::Punct
        && (t[size_t(i) + 2].text == "'" || t[size_t(i) + 2].text == "-"))
        return;
    Finding f;
    if (i == 0)
        out->push_back(R::replace(t, i, i + 1, god ? std::string("God") : t[size_t(i) + 1].lower, "GRAMMAR",
                                  "article_generic", 2));
    else if (R::deletion(t, i, "GRAMMAR", "article_generic", 2, &f))
        out->push_back(f);
}

void NounPhraseRules::pluralDeterminer(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                       std::vector<Finding> *out) const
{
    static const Set owners = {"the", "my", "your", "his", "her", "our", "their", "these", "those"};
    const std::string &d = t[size_t(i)].lower;
    int k = i + 1;
    if (d == "all" && owners.count(R::lowerAt(t, k)) && t[size_t(k)].spaceBefore)
        ++k; // "all the student"
    else if (d == "number" && R::lowerAt(t, k) == "of" && (R::lowerAt(t, i - 1) == "the" || R::lowerAt(t, i - 1) == "a"))
        ++k; // "the number of car"
    else if (d != "these" && d != "those" && d != "number")
        return;
    if (d == "number" && k == i + 1)
        return;
    // (one adjective may stand between: "these new book")
    if (R::tagIs(tags, k, "JJ") && !R::tagIs(tags, k, "JJR") && !R::tagIs(tags, k, "JJS") && k + 1 < int(t.size()))
        ++k;
    if (k >= int(t.size()) || t[size_t(k)].kind != Token::Word || t[size_t(k)].isCapitalised()
        || !R::tagIs(tags, k, "NN") || R::tagIs(tags, k, "NNS") || R::tagIs(tags, k, "NNP") || !endsPhrase(t, tags, k))
        return;
    const std::string &noun = t[size_t(k)].lower;
    static const Set quantities = {"kind", "type", "sort", "lot", "number", "couple", "time", "way", "same"};
    std::string plural;
    // ("the number of" itself says the noun is counted)
    if (quantities.count(noun) || !m_numbers.mostlyCounted(noun, &plural, d == "number" ? 0.3 : 0.6))
        return;
    out->push_back(m_numbers.pluralFinding(t, k, plural));
}

void NounPhraseRules::eachOther(const std::vector<Token> &t, int i, std::vector<Finding> *out) const
{
    if (t[size_t(i)].lower == "each" && R::lowerAt(t, i + 1) == "others" && t[size_t(i) + 1].spaceBefore)
        out->push_back(R::replace(t, i + 1, i + 1, "other", "GRAMMAR", "each_other", 3));
}

void NounPhraseRules::byOwn(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                            std::vector<Finding> *out) const
{
    // "travel by their own" -> "on their own" ("by their own hands" is right)
    const Set &possessives = WordClasses::words(WordClass::Possessive);
    if (t[size_t(i)].lower != "by" || !possessives.count(R::lowerAt(t, i + 1)) || R::lowerAt(t, i + 2) != "own")
        return;
    if (i + 3 < int(t.size()) && t[size_t(i) + 3].kind == Token::Word
        && (R::tagIs(tags, i + 3, "NN") || R::tagIs(tags, i + 3, "JJ")))
        return;
    out->push_back(R::replace(t, i, i, "on", "GRAMMAR", "preposition_phrase", 2));
}

} // namespace PennovaChecker
