#pragma once
// Verb forms learners build from a first language without a copula or verb endings:
// a missing "be" ("I going", "when my grandmother getting old", "they interested in",
// "will happy", "didn't successful", "I born in", "they killed by"), "do" after a modal
// ("may still do not know"), a missing "to" ("want go"), a participle with no "have"
// ("I seen it"), state verbs in the progressive ("are believing"), "-ing" after a modal or
// "didn't", "is goes", "to" where "-ing" belongs ("spend hours to finish"), a bare verb as a
// subject ("Learn English is useful"), "no" for "not", question order inside a statement,
// passives of verbs without an object ("was happened") or with a past form ("was wrote by")
// and a subject repeated by its pronoun ("My sister she likes").

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class VerbFormRules
{
public:
    explicit VerbFormRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

private:
    using Tokens = std::vector<Token>;
    using Tags = std::vector<std::string>;

    void pronounWithoutBe(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    void clauseWithoutBe(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    void auxiliaryAdjective(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    void modalDo(const Tokens &t, int i, std::vector<Finding> *out) const;
    void missingTo(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    void bareParticiple(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    void stativeProgressive(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    void auxiliaryIng(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // will going
    void beWithThirdPerson(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // is goes
    // "spend two hours to finish", "worth to visit", "have difficulty to understand"
    void ingAfterPhrase(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    // "Learn English is important" -> "Learning English": a bare verb as the subject
    void bareVerbSubject(const Tokens &t, const Tags &tags, std::vector<Finding> *out) const;
    // "Understand how they work would help" -> "Understanding": the same with a question-word clause
    void clauseVerbSubject(const Tokens &t, const Tags &tags, int f, std::vector<Finding> *out) const;
    void noForNot(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // I no like
    void pronounPassive(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // they killed by
    // "The accident was happened" -> "happened": verbs without an object have no passive
    void intransitivePassive(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    void passivePast(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // was wrote by
    void doubleSubject(const Tokens &t, const Tags &tags, std::vector<Finding> *out) const; // My sister she likes
    // "I have been studied English" -> "been studying": a participle with an object is no passive
    void perfectPassiveObject(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    void nounPassive(const Tokens &t, const Tags &tags, std::vector<Finding> *out) const; // people killed by
    void relativeWithoutBe(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // who living
    // "I don't know where is the station" -> "where the station is"
    void embeddedQuestion(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    void beNotVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // are not stop
    // "The Internet very useful": a noun, "very" and an adjective in a clause with no verb
    void nounVeryAdjective(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const;
    void conjunctionBareVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // when hire

    // a word that can only be an adjective (not a verb or a noun): "happy", "successful"
    bool adjectiveOnly(const std::string &lower) const;
    // the base of an -ing form of a common verb ("getting" -> "get"); "" otherwise
    std::string baseOfIng(const std::string &lower) const;

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
