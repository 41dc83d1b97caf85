#pragma once
// PosTagger: an averaged-perceptron part-of-speech tagger with Penn Treebank tags
// (NN, NNS, VBZ, VBD, ...). Greedy left to right; features are the word, its
// affixes and shape, the neighbouring words, the two previous tags, the tags
// training saw each nearby word with, the word's classes in the lexicon (WordNet
// parts of speech, verb forms), its Hunspell/WordNet forms signature and, for a quote
// mark, whether a quotation is open. Words seen
// once in training are now and then read as unseen ones, so that the model learns
// to tag new words from their spelling. Trained by tools/postrain; the model is a
// text file loaded once and read-only afterwards.

#include "tokenizer.h"
#include "wordtable.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <unordered_map>
#include <vector>

namespace PennovaChecker {

class Lexicon;
class WordForms;

class PosTagger
{
public:
    struct Sentence
    {
        std::vector<std::string> words; // as written
        std::vector<std::string> tags;  // one per word; "" = not known (trained past, never measured)
        int weight = 1; // times training sees the sentence in each pass and counts its words
        // other text than the checker's (Brown's edited prose): trains only the shared
        // features, while the others also train a copy of each that only they reach, added
        // into the shared weights when training ends, so that their conventions win where
        // the two differ
        bool secondary = false;
        // secondary text that also trains a copy of each feature of its own, left out of the
        // model, to take up what only that text does (a story's past tense after "she"); its
        // words are then read the way the others' are (rare ones now and then as unseen)
        bool ownCopies = false;
    };

    // lexicon, forms: add their word classes as features; either may be null; not
    // owned, must outlive the tagger. A model trained with them needs the same ones.
    explicit PosTagger(const Lexicon *lexicon = nullptr, const WordForms *forms = nullptr)
        : m_lex(lexicon)
        , m_forms(forms)
    {
    }

    // Reads a model. False (and the tagger left empty) with *error set when the file
    // is missing, malformed, truncated or larger than the limits.
    bool load(const std::string &path, std::string *error = nullptr);
    bool load(std::istream &in, std::string *error = nullptr);
    bool save(const std::string &path) const;
    bool empty() const { return m_tags.empty(); }

    static constexpr int kTrainingRounds = 12; // passes over the treebanks the shipped model had
    // minWeight: averaged weights smaller than this (in size) are left out of the model
    void train(const std::vector<Sentence> &sentences, int iterations, float minWeight = 0.0005f);

    // One tag per word; all "" when no model is loaded.
    std::vector<std::string> tagWords(const std::vector<std::string> &words) const;
    // One tag per token of a checker sentence: contractions are tagged by their first
    // part ("don't" -> VBP, "he's" -> PRP), punctuation by itself; "" without a model.
    std::vector<std::string> tag(const std::vector<Token> &tokens) const;

    // The tags native text gave the lower-case form at least a twentieth of the time
    // ("saw" -> "VBD"), space-separated; "" for a form the training never saw.
    std::string seenTags(const std::string &lower) const;

    // Fraction of the words of sentences whose tag the model gets right.
    double accuracy(const std::vector<Sentence> &sentences) const;

    // Accuracy split by whether a word was seen in training.
    struct Score
    {
        size_t known = 0, knownRight = 0, unknown = 0, unknownRight = 0;
        double overall() const { return ratio(knownRight + unknownRight, known + unknown); }
        double onKnown() const { return ratio(knownRight, known); }
        double onUnknown() const { return ratio(unknownRight, unknown); }
        static double ratio(size_t a, size_t b) { return b ? double(a) / double(b) : 0.0; }
    };
    Score evaluate(const std::vector<Sentence> &test, const std::vector<Sentence> &training) const;

private:
    using Features = std::vector<uint64_t>;
    struct Weight
    {
        uint8_t tag;
        float value;
    };

    // One sentence's words in the forms the features read.
    struct Context
    {
        std::vector<std::string> norm, lower, shapes, classes, signatures, ambiguity;
        std::vector<bool> quoteOpen; // after an odd number of '"' in the sentence
        std::string casing; // how much of the sentence is capitalised
        void reset(const std::vector<std::string> &words, size_t n);
    };

    void features(const Context &c, size_t i, const std::string &prev, const std::string &prev2, Features *out) const;
    std::string lexicalClass(const std::string &lower) const;
    void describe(const std::string &word, size_t i, Context *c) const;
    // describe() without the look-up of the tags training saw the form with
    void describeForm(const std::string &word, size_t i, Context *c) const;
    // The lexical classes and forms signatures of the common words, worked out once a model
    // is loaded: nearly every word of a text is one of them, and each takes many look-ups.
    void describeCommonWords();
    int predict(const Features &f) const;
    static void addDomainCopies(Features *f, uint64_t salt);
    int tagIndex(const std::string &tag);
    // the tags of byTag above a twentieth of its count, times occurrences of without not counted
    static std::string tagSet(const std::unordered_map<std::string, int> &byTag, const std::string &without, int times = 1);
    void buildTagDictionary(const std::vector<Sentence> &sentences);
    const std::string &tagName(int index) const;
    // A feature's weights: flat[first] ... flat[first + count - 1].
    struct Row
    {
        uint64_t key;
        uint32_t first;
        uint8_t count;
    };
    // Builds the open-addressing index from the weights (which it empties).
    void buildIndex(std::unordered_map<uint64_t, std::vector<Weight>> &weights);
    // The same from rows in key order, one per key, over flat (which becomes m_flat).
    void buildIndex(const std::vector<Row> &rows, std::vector<Weight> flat);

    const Lexicon *m_lex;
    const WordForms *m_forms;
    std::vector<std::string> m_tags;
    std::unordered_map<std::string, uint8_t> m_dictionary; // frequent unambiguous words
    std::unordered_map<std::string, std::string> m_ambiguity; // form -> the tags it was seen with
    // feature -> weights: open addressing over m_slots (key 0 = free), mask m_slots.size() - 1;
    // a slot holds its key and where its weights are, so that a look-up reads one cache line
    struct Slot
    {
        uint64_t key = 0;
        uint32_t first = 0; // its first weight in m_flat
        uint32_t count = 0; // how many weights
    };
    std::vector<Slot> m_slots;
    struct Description
    {
        std::string lexicalClass, signature;
    };
    WordTable<Description> m_common; // word as written -> its description
    std::vector<Weight> m_flat;
};

} // namespace PennovaChecker
