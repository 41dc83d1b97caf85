#pragma once
// Grammar rules for frequent learner errors: a/an, subject-verb agreement after
// pronouns, verb forms after modals, "do" and "to", repeated words and "i".
// Every rule fires only in contexts where it is nearly always right.

#include "finding.h"
#include "tokenizer.h"

#include <vector>

namespace PennovaChecker {

class Lexicon;
class PosTagger;

class GrammarRules
{
public:
    explicit GrammarRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    // withArticles: the a/an rule (config "server.det"); withGrammar: the others.
    // tagger: the tags native text gives each form, for a past that is also a rarer base
    // ("saw"); not owned; without one such words are read as bases
    void setTagger(const PosTagger *tagger) { m_tagger = tagger; }
    void check(const std::vector<Token> &tokens, bool withArticles, bool withGrammar,
               std::vector<Finding> *out) const;

    // The sound a word the lexicon does not know opens with (1 vowel, 0 consonant), where its
    // first letters decide it whatever the misspelling; -1 elsewhere.
    static int unknownWordSound(const std::string &lower);

private:
    void articles(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void agreement(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void verbAfterModal(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void verbAfterTo(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void regularPastAfterTo(const std::vector<Token> &t, int to, int v, std::vector<Finding> *out) const;
    void repeatedWords(const std::vector<Token> &t, std::vector<Finding> *out) const;
    void pronounI(const std::vector<Token> &t, std::vector<Finding> *out) const;

    bool clauseStart(const std::vector<Token> &t, int i) const;
    bool auxiliaryBefore(const std::vector<Token> &t, int i) const;
    static bool pastTimeIn(const std::vector<Token> &t); // yesterday, ago, last week
    // The base form when w is a third-person or past form of a common verb.
    std::string baseOfFinite(const std::string &w) const;
    // A verb's base that is also the past of another verb ("saw", "found"), which native
    // text uses as that past nearly always (never a twentieth of the time as a base).
    bool pastOverBase(const std::string &w) const;

    const Lexicon &m_lex;
    const PosTagger *m_tagger = nullptr;
};

} // namespace PennovaChecker
