#pragma once
// Subject-verb agreement beyond a pronoun and its verb, on the part-of-speech tags:
// the head of a subject with an "of"-phrase ("The price of the books are"),
// "every"/"each"/"everyone" subjects, "one of" + plural, plural heads with an
// adverb between ("the teachers there was"), "there is/are" with the noun after it,
// school subjects and languages ("English are"), "most of" + plural, an object relative
// clause before the verb ("The book which I bought are"), -ing subjects ("Smoking are"),
// nouns joined by "and" ("His ideas and plans is", "Movies and music is"), a subject relative
// clause after a plural or one person ("people who lives", "everyone who have"), and a verb
// past a participle phrase or a relative clause ("People living in cities is", "People who
// live in cities is") or after a fronted phrase without a comma ("In 2015 the figures is").

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;
class NounDeterminers;

class AgreementRules
{
public:
    explicit AgreementRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    // Counts of determiners by noun (not owned; may be null): a bare singular subject native
    // text hardly leaves bare is the article rules' to flag, not the verb's.
    void setCounts(const NounDeterminers *counts) { m_counts = counts; }
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

private:
    enum Number { Unknown, Singular, Plural };
    struct Subject
    {
        int end = -1; // last token of the subject phrase
        Number number = Unknown;
        const char *explain = "";
        int certainty = 2;
        bool verbNext = false; // the word after the phrase is its verb, whatever the tagger made of it
    };

    bool bareSingularSubject(const std::vector<Token> &t, const std::vector<std::string> &tags, int i, int *phraseEnd) const;
    Subject subjectAt(const std::vector<Token> &t, const std::vector<std::string> &tags, int i) const;
    void subjects(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    // the form of be or have after a subject relative clause opening at r ("who live in big
    // cities is"), -1 when there is none
    int subjectClauseVerb(const std::vector<Token> &t, const std::vector<std::string> &tags, int r) const;
    // last token of an object relative clause opening at r ("which I bought yesterday") when
    // a form of "be" follows it; -1 otherwise
    int relativeClauseEnd(const std::vector<Token> &t, const std::vector<std::string> &tags, int r) const;
    // "students who likes", "the problems which is": a relative pronoun's verb agrees with
    // the plural noun it follows
    void relativeAgreement(const std::vector<Token> &t, const std::vector<std::string> &tags,
                           std::vector<Finding> *out) const;
    void gerundSubject(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    void thereBe(const std::vector<Token> &t, const std::vector<std::string> &tags, std::vector<Finding> *out) const;
    // "a new things", "this animals": a singular determiner before a plural noun
    void determinerNumber(const std::vector<Token> &t, const std::vector<std::string> &tags,
                          std::vector<Finding> *out) const;
    // the verb at v made to agree with number; "" when it is not a verb we change
    // sureSubject: the subject cannot be anything but the verb's (everyone, one of ...)
    std::string agreeing(const std::vector<Token> &t, const std::vector<std::string> &tags, int v, Number number,
                         bool sureSubject) const;

    const Lexicon &m_lex;
    const NounDeterminers *m_counts = nullptr;
};

} // namespace PennovaChecker
