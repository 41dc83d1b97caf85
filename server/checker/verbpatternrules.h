#pragma once
// Verb patterns Chinese learners transfer from their first language:
// "I very like", "There have many", "I am agree", "make him to go",
// "has went", "have ever think", "can be finish", "It is depend on".

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class VerbPatternRules
{
public:
    explicit VerbPatternRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, std::vector<Finding> *out) const;
    // The patterns that need the part-of-speech tags: "said me", "suggest me to",
    // "explain me", "interested in learn", "like to reading", "is study", "made the
    // students to".
    void checkTagged(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                     std::vector<Finding> *out) const;

private:
    void veryWithVerb(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    void thereHave(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    void beWithVerb(const std::vector<Token> &t, int i, std::vector<Finding> *out) const; // am agree, is depend
    void causativeTo(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    void perfectParticiple(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    // "have ever think", "Have you seen", "can be finish": a base form where a participle belongs
    void perfectBase(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    void passiveBase(const std::vector<Token> &t, int i, std::vector<Finding> *out) const;
    // After modal + "be", the base verb at v is active: an object or an adjective complement follows it.
    bool activeAfterBe(const std::vector<Token> &t, int v) const;
    // "be" deleted before the base verb at v, the passive with its participle second.
    static Finding beVerb(const std::vector<Token> &t, int be, int v, const std::string &participle);
    void beWithPast(const std::vector<Token> &t, int i, std::vector<Finding> *out) const; // was went
    void nounAsVerb(const std::vector<Token> &t, int i, std::vector<Finding> *out) const; // they success
    void modalAble(const std::vector<Token> &t, int i, std::vector<Finding> *out) const; // will able to
    // base v when it is a common verb whose participle differs from it; "" otherwise
    std::string participleFor(const std::vector<Token> &t, int v) const;
    void sayTell(const std::vector<Token> &t, const std::vector<std::string> &tags, int i, std::vector<Finding> *out) const;
    void objectPatterns(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                        std::vector<Finding> *out) const; // suggest me to, explain me
    void gerundAfterPreposition(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                                std::vector<Finding> *out) const;
    // the base of a regular -ed form of a WordNet verb ("justified" -> "justify"); "" otherwise
    std::string regularPastBase(const std::string &lower) const;
    void infinitiveForm(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                        std::vector<Finding> *out) const; // like to reading, has to justified
    void beBareVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                    std::vector<Finding> *out) const; // she is study
    void beAdverbVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                      std::vector<Finding> *out) const; // they are never give up
    void causativeNounTo(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                         std::vector<Finding> *out) const; // made the students to study
    void modalPassiveNoun(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                          std::vector<Finding> *out) const; // can be finish and
    void beenBareVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                      std::vector<Finding> *out) const; // have been study
    void perfectBareVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int i,
                         std::vector<Finding> *out) const; // have finish my homework

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
