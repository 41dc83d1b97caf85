#pragma once
// Number and form inside noun phrases: "other" with a singular ("in other domain"),
// "this kind of things", a plain adjective before
// "than" ("tall than" -> "taller than"), "by their own" (on their own), "the most
// people" and "the nature".

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;
class NumberRules;

class NounPhraseRules
{
public:
    // lexicon and numbers are not owned and must outlive the rules
    NounPhraseRules(const Lexicon &lexicon, const NumberRules &numbers) : m_lex(lexicon), m_numbers(numbers) {}
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

private:
    void otherSingular(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                       std::vector<Finding> *out) const;
    void kindOfPlural(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                      std::vector<Finding> *out) const;
    void plainThan(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                   std::vector<Finding> *out) const;
    // "The most people like it" -> "Most people"
    void theMost(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                 std::vector<Finding> *out) const;
    // "protect the nature", "the mankind": nouns for the whole world or all people take no "the"
    void genericThe(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    // "these book" -> "these books", "all the student" -> "all the students"
    void pluralDeterminer(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                          std::vector<Finding> *out) const;
    // "every people" -> "everyone", "each people" -> "each person"
    void everyPeople(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                     std::vector<Finding> *out) const;
    // "the students's books" -> "the students'": a plural in -s takes the apostrophe alone
    void pluralPossessive(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    // "each others" -> "each other"
    void eachOther(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    void byOwn(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
               std::vector<Finding> *out) const;

    const Lexicon &m_lex;
    const NumberRules &m_numbers;
};

} // namespace PennovaChecker
