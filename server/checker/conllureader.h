#pragma once
// Reads tagged sentences (word form and Penn tag) from CoNLL-U treebank text, for
// training and measuring the part-of-speech tagger. Multiword-token lines ("3-4")
// and empty nodes ("8.1") are skipped; their parts are read as words.

#include "postagger.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace PennovaChecker {

class ConlluReader
{
public:
    // Sentences of the stream; malformed lines are skipped and counted in *badLines,
    // sentences longer than maxWords dropped.
    static std::vector<PosTagger::Sentence> read(std::istream &in, int *badLines = nullptr, size_t maxWords = 500);
    static std::vector<PosTagger::Sentence> readFile(const std::string &path, int *badLines = nullptr);

    // Every n-th sentence from the fold-th on (the first, the n+1-th, ... for fold 0) into
    // *heldOut, the others into *rest: the shipped model trains on the rest of a treebank and
    // is measured on that held-out part, which it never saw. n 0 holds nothing out; folds
    // 1 .. n-1 give the other parts for cross-validation.
    static void holdOut(const std::vector<PosTagger::Sentence> &sentences, size_t n,
                        std::vector<PosTagger::Sentence> *rest, std::vector<PosTagger::Sentence> *heldOut,
                        size_t fold = 0);
};

} // namespace PennovaChecker
