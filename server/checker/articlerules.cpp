#include "articlerules.h"

#include "lexicon.h"
#include "numberrules.h"
#include "rulesupport.h"

#include <unordered_set>

namespace PennovaChecker {

namespace {

using R = RuleSupport;
using Set = std::unordered_set<std::string>;

// Verbs whose complement is a noun phrase that, singular and counted, needs an article.
const Set &linkingVerbs()
{
    static const Set s = {"is", "was", "be", "been", "am", "become", "becomes", "became", "have", "has", "had",
                          "got", "get", "gets", "make", "makes", "made"};
    return s;
}

// Adjectives that work as determiners or leave the article out on purpose.
const Set &determinerLike()
{
    static const Set s = {"such", "other", "own", "same", "enough", "much", "more", "most", "less", "least", "next",
                          "last", "first", "only", "whole", "half", "quite", "many", "few", "second", "third",
                          "little", "entire", "certain", "several", "various", "plenty", "lots", "top",
                          // job titles: "is senior editor", "was assistant director"
                          "senior", "junior", "assistant", "chief", "deputy", "associate", "executive", "vice",
                          "general", "former", "acting", "principal", "lead", "head"};
    return s;
}

// Nouns after "be" that name a role or a unique thing and so go without an article.
const Set &roleNouns()
{
    static const Set s = {"president", "head", "chairman", "captain", "director", "leader", "king", "queen",
                          "champion", "winner", "chair", "editor", "host", "manager", "secretary", "minister",
                          "mayor", "governor", "coach", "founder", "author", "owner", "partner", "home", "bed", "part",
                          "school", "church", "college", "university", "hospital", "prison", "town", "court"};
    return s;
}

// Words after a noun that show the noun phrase has ended.
const Set &phraseEnd()
{
    static const Set s = {"to", "that", "which", "who", "for", "in", "on", "at", "with", "from", "because", "but",
                          "and", "so", "than", "when", "if", "as", "about", "since", "while", "where", "by"};
    return s;
}

} // namespace

void ArticleRules::check(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         std::vector<Finding> *out) const
{
    missingArticle(t, tags, out);
    lotOf(t, tags, out);
    strayArticle(t, out);
}

void ArticleRules::missingArticle(const std::vector<Token> &t, const std::vector<std::string> &tags,
                                  std::vector<Finding> *out) const
{
    for (int v = 0; v + 1 < int(t.size()); ++v) {
        if (t[size_t(v)].kind != Token::Word)
            continue;
        // the complement of a linking verb (after a preposition the bare phrase is too often
        // a term of the trade: "for public release", "in clinical practice")
        const std::string &verb = t[size_t(v)].lower;
        // "They are good student": after a plural subject the complement is plural, not "a ..."
        const bool pluralBe = verb == "are" || verb == "were";
        if (pluralBe && !(R::lowerAt(t, v - 1) == "they" || R::lowerAt(t, v - 1) == "we"
                          || (R::tagIs(tags, v - 1, "NNS") && !t[size_t(v) - 1].isCapitalised())))
            continue;
        if (!pluralBe && !linkingVerbs().count(verb))
            continue;
        const int first = R::nextWord(t, v);
        if (first < 0 || t[size_t(first)].isCapitalised())
            continue;
        // adjectives, then the noun; a superlative wants "the"
        int k = first;
        bool adjective = false, superlative = false;
        while (k < int(t.size()) && R::tagIs(tags, k, "JJ") && !determinerLike().count(t[size_t(k)].lower)
               && !t[size_t(k)].isCapitalised()) {
            superlative = superlative || R::tagIs(tags, k, "JJS");
            adjective = true;
            ++k;
        }
        if (!R::tagIs(tags, k, "NN") || R::tagIs(tags, k, "NNS") || R::tagIs(tags, k, "NNP"))
            continue;
        if (k >= int(t.size()) || t[size_t(k)].kind != Token::Word || t[size_t(k)].isCapitalised()
            || (k + 1 < int(t.size()) && !t[size_t(k) + 1].spaceBefore && t[size_t(k) + 1].kind != Token::Punct))
            continue;
        // the noun must end its phrase (a noun after it makes a compound, often a job title)
        const bool atEnd = k + 1 >= int(t.size())
            || (t[size_t(k) + 1].kind == Token::Punct && t[size_t(k) + 1].text != "-" && t[size_t(k) + 1].text != "'"
                && t[size_t(k) + 1].text != "/")
            || phraseEnd().count(t[size_t(k) + 1].lower) || R::tagIs(tags, k + 1, "VBG")
            || (adjective && R::lowerAt(t, k + 1) == "of");
        if (!atEnd)
            continue;
        const std::string &noun = t[size_t(k)].lower;
        if (roleNouns().count(noun))
            continue;
        // without an adjective the noun may be an abstract use ("is art", "is innovation"):
        // only nouns counted far more often than not, before the end of a clause
        if (adjective ? !m_numbers.mostlyCounted(noun, nullptr, 0.25)
                      : !m_numbers.mostlyCounted(noun, nullptr, 0.6)
                          || (k + 1 < int(t.size()) && t[size_t(k) + 1].kind == Token::Word))
            continue;
        if (pluralBe) {
            std::string plural;
            // a bare noun may name a material ("curtains are linen"): only with an adjective
            if (adjective && !superlative && m_numbers.mostlyCounted(noun, &plural, 0.25))
                out->push_back(R::replace(t, k, k, plural, "MOPHOLOGY", "complement_plural", 2));
            continue;
        }
        const int sound = R::vowelSound(t[size_t(first)].lower);
        if (sound < 0)
            continue;
        const std::string article = superlative ? "the " : sound == 1 ? "an " : "a ";
        out->push_back(R::replace(t, first, first, article + t[size_t(first)].text, "GRAMMAR", "article_missing", 2));
    }
}

void ArticleRules::lotOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         std::vector<Finding> *out) const
{
    // "spent lot of time" -> "a lot of time": "lot" as a quantity needs its article
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        if (t[size_t(i)].lower != "lot" || R::lowerAt(t, i + 1) != "of" || t[size_t(i)].isCapitalised())
            continue;
        // "the parking lot of the mall": a determiner, adjective or noun before it is its own
        const int p = R::prevWord(t, i);
        if (p >= 0 && !R::tagIs(tags, p, "VB") && !R::tagIs(tags, p, "IN") && !R::tagIs(tags, p, "RB")
            && !R::tagIs(tags, p, "CC"))
            continue;
        if (p >= 0 && (m_lex.isDeterminer(t[size_t(p)].lower) || t[size_t(p)].lower == "whole"))
            continue;
        out->push_back(R::replace(t, i, i, "a lot", "GRAMMAR", "article_missing", 2));
    }
}

void ArticleRules::strayArticle(const std::vector<Token> &t, std::vector<Finding> *out) const
{
    // "a everything", "the my friend", "the today's news": the word after the article is
    // a determiner or pronoun of its own
    // ("a nobody", "a something" are nouns: left alone)
    static const Set noArticle = {"everything", "everyone", "everybody", "anything", "anyone", "anybody", "my",
                                  "your", "our", "their", "his", "today's", "tomorrow's", "yesterday's", "these",
                                  "those"};
    for (int i = 0; i + 1 < int(t.size()); ++i) {
        const std::string &a = t[size_t(i)].lower;
        if (t[size_t(i)].kind != Token::Word || (a != "a" && a != "an" && a != "the"))
            continue;
        const int n = R::nextWord(t, i);
        if (n < 0 || !t[size_t(n)].spaceBefore || !noArticle.count(t[size_t(n)].lower))
            continue;
        if (R::lowerAt(t, n + 1) == "of")
            continue; // "the everything of ...": used as a noun
        Finding f;
        if (R::deletion(t, i, "GRAMMAR", "article_stray", 2, &f))
            out->push_back(f);
    }
}

} // namespace PennovaChecker
