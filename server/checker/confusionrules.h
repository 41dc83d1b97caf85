#pragma once
// Real-word errors that need more than the neighbouring words: "it's tail" after a verb,
// "taller then" (a comparative), "and than" with no comparison before, "Who's book" (a
// noun that is no past form), "with there curriculum" (tags and parts of speech),
// and the sound-alikes the confusion model decides. The look-alikes the neighbouring words
// settle (its/it's, their/there, affect/effect, ...) are in data/rules/confusions.rules;
// one word written as two ("by my self") in data/rules/split.rules.

#include "confusionmodel.h"
#include "finding.h"
#include "tokenizer.h"

#include <string>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class ConfusionRules
{
public:
    explicit ConfusionRules(const Lexicon &lexicon) : m_lex(lexicon) {} // lexicon not owned
    void check(const std::vector<Token> &tokens, std::vector<Finding> *out) const;
    // The confusions that need the part-of-speech tags: "with there curriculum".
    void checkTagged(const std::vector<Token> &tokens, const std::vector<std::string> &tags,
                     std::vector<Finding> *out) const;
    // With a confusion model loaded, the sound-alikes its counts decide ("to by a book"): a
    // word its neighbours reject for another of its set. The written words native text hardly
    // uses ("grate") or the others, as rareWords says: those run before the grammar rules,
    // these after the hand-written ones.
    void contextSlips(const std::vector<Token> &tokens, const std::vector<std::string> &tags, bool rareWords,
                      std::vector<Finding> *out) const;
    // Reads the confusion model (data/confusion-model.txt); without one only the
    // hand-written confusions speak.
    bool loadModel(const std::string &path, std::string *error = nullptr) { return m_model.load(path, error); }

private:
    // One word of the sentence with its neighbours (lower case, "" at an edge or punctuation).
    struct Spot
    {
        const std::vector<Token> &t;
        int i;
        std::string w, prev, next;
    };
    void possessives(const Spot &spot, std::vector<Finding> *out) const; // it's/its after a verb
    void thanThen(const Spot &spot, bool *comparativeSeen, std::vector<Finding> *out) const;
    // who's/whose before a noun, "than" after a comma
    void soundAlikes(const Spot &spot, bool comparativeSeen, std::vector<Finding> *out) const;

    const Lexicon &m_lex;
    ConfusionModel m_model;
};

} // namespace PennovaChecker
