#pragma once
// PosTagger: an averaged-perceptron part-of-speech tagger with Penn Treebank tags
// (NN, NNS, VBZ, VBD, ...). Greedy left to right; features are the word, its
// affixes and shape, the neighbouring words, the two previous tags and the word's
// classes in the lexicon (WordNet parts of speech, verb forms). Trained by
// tools/postrain; the model is a text file loaded once and read-only afterwards.

#include "tokenizer.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaChecker {

class Lexicon;

class PosTagger
{
public:
    struct Sentence
    {
        std::vector<std::string> words; // as written
        std::vector<std::string> tags;  // one per word
    };

    // lexicon: adds its word classes as features; may be null; not owned, must
    // outlive the tagger. A model trained with a lexicon needs the same one.
    explicit PosTagger(const Lexicon *lexicon = nullptr) : m_lex(lexicon) {}

    // Reads a model. False (and the tagger left empty) with *error set when the file
    // is missing, malformed, truncated or larger than the limits.
    bool load(const std::string &path, std::string *error = nullptr);
    bool load(std::istream &in, std::string *error = nullptr);
    bool save(const std::string &path) const;
    bool empty() const { return m_tags.empty(); }

    void train(const std::vector<Sentence> &sentences, int iterations);

    // One tag per word; all "" when no model is loaded.
    std::vector<std::string> tagWords(const std::vector<std::string> &words) const;
    // One tag per token of a checker sentence: contractions are tagged by their first
    // part ("don't" -> VBP, "he's" -> PRP), punctuation by itself; "" without a model.
    std::vector<std::string> tag(const std::vector<Token> &tokens) const;

    // Fraction of the words of sentences whose tag the model gets right.
    double accuracy(const std::vector<Sentence> &sentences) const;

private:
    using Features = std::vector<uint64_t>;
    struct Weight
    {
        uint8_t tag;
        float value;
    };

    void features(const std::vector<std::string> &norm, const std::vector<std::string> &words,
                  const std::vector<std::string> &classes, size_t i, const std::string &prev,
                  const std::string &prev2, Features *out) const;
    std::string lexicalClass(const std::string &lower) const;
    int predict(const Features &f) const;
    int tagIndex(const std::string &tag);
    void buildTagDictionary(const std::vector<Sentence> &sentences);
    const std::string &tagName(int index) const;
    // Builds the open-addressing index from the weights (which it empties).
    void buildIndex(std::unordered_map<uint64_t, std::vector<Weight>> &weights);

    const Lexicon *m_lex;
    std::vector<std::string> m_tags;
    std::unordered_map<std::string, uint8_t> m_dictionary; // frequent unambiguous words
    // feature -> weights: open addressing over m_keys (0 = free), mask m_keys.size() - 1
    std::vector<uint64_t> m_keys;
    std::vector<uint32_t> m_first; // per slot: its first weight in m_flat
    std::vector<uint8_t> m_count;  // per slot: how many weights
    std::vector<Weight> m_flat;
};

} // namespace PennovaChecker
