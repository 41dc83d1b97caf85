#pragma once
// Number agreement around nouns: "several reason" (plural needed), "less cars"
// (fewer), "a person who are" (singular verb in the relative clause), and the
// quantity phrases "most of students" and "a lot of problem".

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;
class NounDeterminers;

class NumberRules
{
public:
    explicit NumberRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    // Native counts of the determiners nouns take (not owned; may stay null): a noun native
    // text often writes bare after "of" may stay singular after "a lot of" ("a lot of effort").
    void setCounts(const NounDeterminers *counts) { m_counts = counts; }
    void check(const std::vector<Token> &tokens, std::vector<Finding> *out) const;
    // Quantity phrases with "of" on the part-of-speech tags: "most of students" (a
    // determiner is missing), "a lot of problem" and "each of the member" (plural needed).
    void quantities(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                    std::vector<Finding> *out) const;
    // A noun that is mostly counted: countable (below) and its plural at least
    // pluralShare times as frequent as the singular (0.3: "problem", "opportunity";
    // not "food", "space"). plural may be null.
    bool mostlyCounted(const std::string &lower, std::string *plural, double pluralShare = 0.3) const;
    // The same for a word that is an adjective too, read as a noun ("model", "side").
    bool mostlyCountedNoun(const std::string &lower, double pluralShare) const;
    // A common plural of a countable noun ("students", "cities", "people").
    bool countedPlural(const std::string &lower) const;
    // The finding that makes the noun at n plural, with the verb after it where that agreed with
    // the singular ("these problem occurs" -> "problems occur").
    Finding pluralFinding(const std::vector<Token> &t, int n, const std::string &plural) const;

private:
    // Native text writes the singular noun bare (uncounted) a good share of the time.
    bool oftenUncounted(const std::string &noun) const;
    void pluralAfterQuantifier(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void fewerWithPlurals(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void oneOfPlural(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // the persons after "most of the", "some of my" ...: their noun from n on
    void personShare(const std::vector<Token> &t, int n, std::vector<Finding> *out) const;
    void relativeClauseVerb(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // "My teachers is kind", "Many people likes it", "There is many clubs"
    void pluralSubjectVerb(const std::vector<Token> &t, std::vector<Finding> *out) const;
    // A countable singular noun: a WordNet noun that is not a verb or adjective, whose
    // plural is a common word. *plural receives that plural.
    bool countableSingular(const std::string &lower, std::string *plural) const;
    // The same; with adjectives true also for a word that is an adjective too ("side", "key").
    bool countable(const std::string &lower, std::string *plural, bool adjectives) const;
    // A singular where the context counts several: "both side of" (a noun the tagger reads as
    // one, that is also an adjective), "there are some lecture", "some driver make trouble".
    void pluralByContext(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         std::vector<Finding> *out) const;
    // A count of a unit of time before a rate or a distance in time: "two time a week", "50 year later".
    void countedTimes(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void quantifierOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                      std::vector<Finding> *out) const;
    void pluralAfterOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                       std::vector<Finding> *out) const;
    // "two hundreds students" -> "two hundred"; "one students" -> "one student"
    void countedNumbers(const std::vector<Token> &t, const std::vector<std::string> &tags,
                        std::vector<Finding> *out) const;
    // "a lot people", "a number students", "lots things": a quantity noun before a plural needs "of"
    void quantityWithoutOf(const std::vector<Token> &t, const std::vector<std::string> &tags,
                           std::vector<Finding> *out) const;
    // "a fifteen years old girl", "a two hours trip": a count and its unit before a noun
    // modify it, and the unit stays singular.
    void countedModifier(const std::vector<Token> &t, const std::vector<std::string> &tags,
                         std::vector<Finding> *out) const;
    // A word after which a number in digits counts the noun that follows ("are 20 student").
    bool countBefore(const std::string &lower) const;


    const Lexicon &m_lex;
    const NounDeterminers *m_counts = nullptr;
};

} // namespace PennovaChecker
