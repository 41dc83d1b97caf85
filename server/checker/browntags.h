#pragma once
// BrownTags: one Brown Corpus sentence (word/tag items, Brown tagset) as a tagger
// training sentence in Penn tags and in the treebanks' tokens: contractions and
// possessives split ("didn't" -> did n't, "Atlanta's" -> Atlanta 's), hyphenated words
// cut at the hyphen as the checker's tokenizer cuts them (only the last part keeps a
// tag), base-form verbs read as VB or VBP from what comes before them. A sentence with
// an item that has no clean Penn counterpart is refused, with the reason.

#include "postagger.h"

#include <string>
#include <utility>
#include <vector>

namespace PennovaChecker {

class BrownTags
{
public:
    using Items = std::vector<std::pair<std::string, std::string>>; // word, Brown tag

    // False (out untouched) when some item cannot be mapped; *why then names the item.
    static bool map(const Items &items, PosTagger::Sentence *out, std::string *why = nullptr);

private:
    struct Piece
    {
        std::string word;
        std::string brown; // the Brown tag without prefix, suffixes and compounds ("vb", "nn")
        bool title = false;
        bool foreign = false;
        std::string penn;
    };
    static bool split(const std::string &word, const std::string &tag, std::vector<Piece> *out);
    static std::string penn(const std::vector<Piece> &pieces, size_t i);
    static std::string baseVerb(const std::vector<Piece> &pieces, size_t i);
};

} // namespace PennovaChecker
