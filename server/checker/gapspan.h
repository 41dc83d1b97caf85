#pragma once
// A word or mark missing between two words belongs to the gap, not to the word before it;
// readers and annotators mark the word after the gap. A finding whose every candidate only
// adds text after its span is moved to the next word: added words go before that word
// ("depends" -> "depends on" becomes "the" -> "on the"), an added mark takes the gap with it
// ("However" -> "However," becomes " the" -> ", the"). A finding over several words whose
// every candidate only puts words between two of them ("Middle East" -> "the Middle East",
// "we looking" -> "we are looking") is narrowed to the word after the gap, and one whose
// candidates only put a mark there ("example it" -> "example, it") to the gap and the words
// after it: the words before stay as written and need no underline.

#include "finding.h"
#include "tokenizer.h"

#include <vector>

namespace PennovaChecker {

class GapSpan
{
public:
    // Whether every candidate of f is its written text with words or a mark added after it.
    static bool addsAfter(const Finding &f, const std::string &written);
    // Moves such findings in *found (kept findings, in text order) onto the word after them,
    // unless that word is in another finding, a mark comes first, or the sentence ends; one
    // left on words another finding covers is dropped.
    static void widen(const std::vector<Token> &tokens, std::vector<Finding> *found);
    // Narrows such findings in *found to the word after the gap they fill.
    static void narrow(const std::vector<Token> &tokens, std::vector<Finding> *found);
};

} // namespace PennovaChecker
