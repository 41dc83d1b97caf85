#pragma once
// Words after "be" and "let's" in the form another word class needs: an adverb or a
// participle where "be" wants an adjective ("are more easily to adapt" -> "easier to
// adapt", "will be matured enough" -> "mature"), "to" after "let's", "very" between
// "be" and a verb ("I am very like it" -> "I really like it"), and the -ing form after verbs
// and phrases that take it ("enjoy play", "pay attention to protect"); and the words Chinese
// leaves out: "be" or "do" before "not" ("He not like it"), "it" after "I think" ("I think is
// important"), and the -ing form of a second verb after "there are" ("many people play");
// the plain verb after let, make, help or a verb of perception and its object ("let him goes",
// "makes the product looks").

#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class ComplementRules
{
public:
    explicit ComplementRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags, std::vector<Finding> *out) const;

private:
    using Tokens = std::vector<Token>;
    using Tags = std::vector<std::string>;

    void adverbBeforeTo(const Tokens &t, int i, std::vector<Finding> *out) const;       // is easily to
    void participleForAdjective(const Tokens &t, int i, std::vector<Finding> *out) const; // be matured enough
    void asFollows(const Tokens &t, int i, std::vector<Finding> *out) const;            // as follow:
    void letsTo(const Tokens &t, int i, std::vector<Finding> *out) const;               // let's to go
    void beVeryVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // am very like
    void bareAfterGerundVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // enjoy play
    void prepositionToVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // attention to protect
    void notWithoutAuxiliary(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // He not like
    void thereVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // there are people play
    void contractedBeVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // it's take
    void forSomeoneVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // for us learn
    void objectVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // wants me go, saw him to go
    void causativeForm(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // let him goes
    void spendBareVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // spent money buy
    void nounBareVerb(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // no time play
    void thinkWithoutIt(const Tokens &t, const Tags &tags, int i, std::vector<Finding> *out) const; // I think is important

    const Lexicon &m_lex;
};

} // namespace PennovaChecker
