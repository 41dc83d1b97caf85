#pragma once
// Articles that learners whose first language has none leave out or add: a counted
// singular noun without any determiner after "be" or "have" ("It is good
// opportunity"; after a plural subject the noun is plural instead: "They are good
// student"), "lot of" without "a", and an article before a word that takes none ("a
// everything", "the today's news"), and a counted singular noun as a bare subject
// ("Student should work hard"). Whether native writers leave a noun bare after "be", "as" or
// a preposition comes from their counts (NounDeterminers) where the table holds the noun:
// "It is really problem", "As result", "with situation in Russia" need an article, while "was
// president", "at home" and "in fact" are right; so does whether they leave it bare before an
// "of"-phrase ("Number of people increased", "on amount of money").

#include "finding.h"
#include "noundeterminers.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;
class NumberRules;

class ArticleRules
{
public:
    // lexicon and numbers are not owned and must outlive the rules
    ArticleRules(const Lexicon &lexicon, const NumberRules &numbers) : m_lex(lexicon), m_numbers(numbers) {}
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    // Native counts of determiners by noun and slot (not owned; null or empty: the rules judge
    // a noun by the lexicon alone).
    void setCounts(const NounDeterminers *counts) { m_counts = counts; }

    // A noun native text leaves bare at most this share of its singular uses (seen at least
    // kMinUses times), and in the slot (when seen there) no more often; chosen on the learner
    // dev sets against unedited CWEB sentences.
    static constexpr double kMaxBareShare = 0.1;
    static constexpr unsigned kMinUses = 20;
    // After "as" or a preposition the pair itself must have been seen this often.
    static constexpr unsigned kMinPair = 2;
    // Before an "of"-phrase: the noun must have been seen there this often and bare at most
    // this share of those uses (counted one up each way; chosen like kMaxBareShare).
    static constexpr unsigned kMinOfUses = 15;
    static constexpr double kMaxBareBeforeOf = 0.1;
    // and "a/an" at most this share ("with a help of" -> "the help of")
    static constexpr double kMaxABeforeOf = 0.05;
    // Whether native text hardly ever leaves the noun bare, in the slot ("be", "as", a
    // preposition; nullptr for any); false without counts.
    static bool rarelyBare(const NounDeterminers *counts, const std::string &noun, const char *slot);
    // Whether native text hardly ever leaves the noun bare before an "of"-phrase (kMinOfUses,
    // kMaxBareBeforeOf); the counts there in *counts when given.
    static bool rarelyBareBeforeOf(const NounDeterminers *counts, const std::string &noun,
                                   NounDeterminers::Counts *there = nullptr);
    // Whether those counts write "a" clearly more often than "the" and other determiners ("a
    // couple of", "a piece of"; but "the number of": "a number of" means "several").
    static bool aBeforeOfPhrase(const NounDeterminers::Counts &c);
    // "have different trend": before a noun counted at least this often in the plural (its
    // plural's frequency over its singular's) "different" means several, and the noun's number is
    // the slip (the number rules), not a missing article.
    static constexpr double kDifferentPluralShare = 0.1;

private:
    void missingArticle(const std::vector<Token> &t, const std::vector<std::string> &tags,
                        std::vector<Finding> *out) const;
    void lotOf(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    void strayArticle(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // "Speed camera can be placed ...", "I expect human can ...": a counted singular
    // noun opening a clause with no determiner before its verb
    // "for long time" -> "for a long time"
    void longTime(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    void bareSubject(const std::vector<Token> &t, const std::vector<std::string> &tags,
                     std::vector<Finding> *out) const;
    // "one of most important", "is most important thing": a superlative needs "the";
    // "such good chance": "such" takes "a" before a counted singular
    void superlativeAndSuch(const std::vector<Token> &t, const std::vector<std::string> &tags,
                            std::vector<Finding> *out) const;
    // "play the football", "have the breakfast", "speak the English": games, meals and
    // languages after their verbs take no article
    void activityThe(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    // A noun phrase ends before k: the sentence's end, a clause boundary, a preposition or a time phrase.
    bool adverbialAfter(const std::vector<Token> &t, int k) const;
    // The phrase from first to head opens with "different" before a noun counted in print
    // (kDifferentPluralShare).
    bool differentCounted(const std::vector<Token> &t, int first, int head) const;
    bool rarelyBare(const std::string &noun, const char *slot) const { return rarelyBare(m_counts, noun, slot); }
    // "with situation in Russia", "As result, ...": a singular noun native text hardly ever leaves
    // bare, after "as" or a preposition it was seen after and never bare
    void bareAfterPreposition(const std::vector<Token> &t, const std::vector<std::string> &tags,
                              std::vector<Finding> *out) const;
    // "Number of people increased", "in development of economy": a singular noun an "of"-phrase
    // follows, which native text hardly ever leaves bare there
    void bareBeforeOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                      std::vector<Finding> *out) const;
    // "with a help of", "on a basis of": "a" before a noun native text writes with "the" before
    // an of-phrase (a use of bareBeforeOf's with "a")
    void theBeforeOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                     const NounDeterminers::Use &use, std::vector<Finding> *out) const;
    // "went to school by the bus" -> "by bus"
    void byTransport(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // "in the China" -> "in China": country, continent and city names take no article
    void theName(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

    const Lexicon &m_lex;
    const NumberRules &m_numbers;
    const NounDeterminers *m_counts = nullptr;
};

} // namespace PennovaChecker
