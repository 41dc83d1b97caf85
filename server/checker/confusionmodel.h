#pragma once
// ConfusionModel: real-word slips among sound-alikes and near-spellings ("It was grate",
// "I want to by a book"), judged by what stands on either side of the written word.
// Counts learned from native text (Brown, UD), for each word of a confusion set: the
// parts of speech of the two words before it and of the word after it together ("It was
// ___ ." is PRP VBD _ .), and its left and right neighbour words. A rare member borrows the counts of its usual part of
// speech. A word is replaced only where the two together prefer the other word many times
// over and neither prefers the word as written.

#include "tokenizer.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace PennovaChecker {

class ConfusionModel
{
public:
    // The confusion sets the trainer counts (a few words each that learners mix up).
    static const std::vector<std::vector<std::string>> &defaultSets();

    // Training: counts one native sentence with the checker's tags for its tokens.
    void add(const std::vector<Token> &tokens, const std::vector<std::string> &tags);
    // Writes the counts; neighbour words outside the `vocabulary` most frequent ones count
    // as one rare word. False when the file cannot be written.
    bool save(const std::string &path, size_t vocabulary = 5000) const;
    // Reads a model. False (and the model left empty) with *error set on a missing or
    // malformed file.
    bool load(const std::string &path, std::string *error = nullptr);
    bool isLoaded() const { return !m_setOf.empty(); }

    struct Verdict
    {
        std::string better;     // "" when the written word stays
        double tagRatio = 0.0;  // how many times the neighbours' parts of speech prefer it, times
                                // the square root of how much more common it is
        double wordRatio = 0.0; // the same for the neighbour words
        bool rareWord = false;  // the written word is one native text hardly uses
    };
    // The word of token i's confusion set that its neighbours prefer; tags as the tagger
    // gave them for this sentence.
    Verdict judge(const std::vector<Token> &tokens, const std::vector<std::string> &tags, int i) const;

    // Decision margins (the trainer measures others on held-out text).
    double minRatio = 30000.0; // tagRatio * wordRatio
    double minEach = 0.5;    // each of them
    // A word native text hardly uses ("grate") has too few neighbours for word evidence: there
    // the parts of speech alone decide, by a wider margin.
    uint64_t rareWritten = 20;
    double minTagRatioRare = 100.0;

private:
    struct Member
    {
        uint64_t count = 0;
        std::unordered_map<std::string, uint64_t> tags;  // its own parts of speech
        std::unordered_map<std::string, uint64_t> window; // "T2 T1 R1": its neighbours' tags
        std::unordered_map<std::string, uint64_t> left;  // neighbour words
        std::unordered_map<std::string, uint64_t> right;
    };
    // Token i+offset as counted: a lower-case word, a mark, "<num>", or "<s>" / "</s>".
    static std::string neighbourWord(const std::vector<Token> &tokens, int i, int offset);
    static std::string neighbourTag(const std::vector<Token> &tokens, const std::vector<std::string> &tags, int i,
                                    int offset);
    // The word itself where the model counted it, else "<rare>".
    std::string counted(const std::string &word) const;
    // "T2 T1 R1": the tags of the two tokens before i and of the one after.
    static std::string window(const std::vector<Token> &tokens, const std::vector<std::string> &tags, int i);
    double windowProbability(const Member &m, const std::string &window) const;
    double wordProbability(const Member &m, const std::string &word, bool left) const;

    std::unordered_map<std::string, int> m_setOf; // word -> index into m_sets
    std::vector<std::vector<std::string>> m_sets;
    std::unordered_map<std::string, Member> m_members;
    // every token by its tag: its count, its tag window, its neighbour words
    std::unordered_map<std::string, uint64_t> m_tagCount;       // TAG
    std::unordered_map<std::string, uint64_t> m_tagWindow;      // "TAG T2 T1 R1"
    std::unordered_map<std::string, uint64_t> m_tagLeft;        // "TAG word"
    std::unordered_map<std::string, uint64_t> m_tagRight;       // "TAG word"
    std::unordered_map<std::string, uint64_t> m_wordFrequency;  // training: picks the vocabulary
    std::unordered_set<std::string> m_vocabulary;               // loaded: counted neighbour words
    size_t m_tagKinds = 1;                                      // distinct tag windows
};

} // namespace PennovaChecker
