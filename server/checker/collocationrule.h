#pragma once
// CollocationRule: a verb or adjective that native English does not pair with its noun
// where a near-synonym of the learner's group goes with it ("made a crime" -> "committed",
// "big rain" -> "heavy"); the suggestion keeps the written word's form. A passive's subject
// and the noun before a relative clause without an object are read as the verb's object
// ("mistakes were done", "the mistakes we did"). Phrasal verbs, double objects and
// nouns before "of" are left alone (CollocationModel::pairs), and so are pairs with a word
// the lexicon does not know in them or right after them.

#include "collocationmodel.h"
#include "finding.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class CollocationRule
{
public:
    // lexicon is not owned and must outlive the rule.
    explicit CollocationRule(const Lexicon &lexicon) : m_lex(lexicon) {}
    // False (the rule silent) when the model file is missing or malformed.
    bool load(const std::string &modelPath, std::string *error = nullptr);
    CollocationModel &model() { return m_model; }

    // lemma in the form of the written token with that tag ("made"/VBD, "commit" -> "committed").
    std::string inflect(const std::string &lemma, const std::string &tag) const;

    // Findings already in *out on the pair's words leave it alone.
    void check(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
               std::vector<Finding> *out) const;

private:
    const Lexicon &m_lex;
    CollocationModel m_model;
};

} // namespace PennovaChecker
