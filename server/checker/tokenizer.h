#pragma once
// Splits one sentence (UTF-8, possibly invalid) into word, number, punctuation and
// "other" tokens that carry both byte and UTF-16 offsets.

#include <string>
#include <vector>

namespace PennovaChecker {

struct Token
{
    enum Kind { Word, Number, Punct, Other, Url };
    Kind kind = Other;
    std::string text;  // as written; a typographic apostrophe becomes "'"
    std::string lower; // ASCII lower case of text
    std::string lemma; // a word's lemma ("went" -> "go"), set by Lemmatizer; "" when not set
    int start = 0;     // UTF-16 offsets in the sentence
    int end = 0;
    bool spaceBefore = false; // white space between this token and the previous one
    bool attached = false;    // touches a non-ASCII, digit or URL token without a space

    bool is(const char *w) const { return lower == w; }
    bool isCapitalised() const { return !text.empty() && text[0] >= 'A' && text[0] <= 'Z'; }
    bool isAllCaps() const;
};

class Tokenizer
{
public:
    // The tokens of the sentence. sentenceLength16 receives the sentence's UTF-16 length.
    static std::vector<Token> tokenize(const std::string &utf8, int *sentenceLength16 = nullptr);
    // Decodes UTF-8, replacing each invalid byte with U+FFFD.
    static std::u32string decode(const std::string &utf8);
    static std::string encode(const std::u32string &text);
    // UTF-16 offset -> code point index in text (clamped).
    static int codePointIndex(const std::u32string &text, int offset16);
    static std::string toLower(const std::string &ascii);
};

} // namespace PennovaChecker
