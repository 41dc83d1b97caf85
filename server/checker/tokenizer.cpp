#include "tokenizer.h"

namespace PennovaChecker {

namespace {

bool isAsciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char32_t c) { return c >= '0' && c <= '9'; }
bool isApostrophe(char32_t c) { return c == '\'' || c == 0x2019; }
bool isSpace(char32_t c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v' || c == 0xA0
        || c == 0x3000 || (c >= 0x2000 && c <= 0x200B);
}
// Non-ASCII characters that end a run of foreign text (CJK and general punctuation).
bool isForeignPunct(char32_t c)
{
    return (c >= 0x2010 && c <= 0x206F) || (c >= 0x3000 && c <= 0x303F) || (c >= 0xFF00 && c <= 0xFF0F)
        || (c >= 0xFF1A && c <= 0xFF20) || c == 0xFF1F || c == 0xFF01;
}
int units16(char32_t c) { return c >= 0x10000 ? 2 : 1; }

bool looksLikeAddress(const std::u32string &chunk)
{
    const std::u32string lower = [&] {
        std::u32string l = chunk;
        for (char32_t &c : l)
            if (c >= 'A' && c <= 'Z')
                c = c - 'A' + 'a';
        return l;
    }();
    if (lower.find(U"://") != std::u32string::npos || lower.rfind(U"www.", 0) == 0)
        return true;
    const size_t at = lower.find(U'@');
    if (at != std::u32string::npos && at > 0 && lower.find(U'.', at) != std::u32string::npos)
        return true;
    // bare domain names such as example.com
    static const char32_t *suffixes[] = {U".com", U".org", U".net", U".edu", U".gov", U".cn", U".uk", U".io"};
    for (const char32_t *s : suffixes) {
        const std::u32string suf(s);
        const size_t p = lower.find(suf);
        if (p != std::u32string::npos && p > 0 && (p + suf.size() == lower.size() || lower[p + suf.size()] == '/'))
            return true;
    }
    return false;
}

} // namespace

bool Token::isAllCaps() const
{
    int letters = 0;
    for (char c : text) {
        if (c >= 'a' && c <= 'z')
            return false;
        if (c >= 'A' && c <= 'Z')
            ++letters;
    }
    return letters >= 2;
}

std::string Tokenizer::toLower(const std::string &ascii)
{
    std::string out = ascii;
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

std::u32string Tokenizer::decode(const std::string &s)
{
    std::u32string out;
    out.reserve(s.size());
    size_t i = 0;
    const size_t n = s.size();
    while (i < n) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        int len = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            out.push_back(b);
            ++i;
            continue;
        } else if ((b & 0xE0) == 0xC0) {
            len = 2;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            len = 3;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            len = 4;
            cp = b & 0x07;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        bool ok = i + size_t(len) <= n;
        for (int k = 1; ok && k < len; ++k) {
            const unsigned char cb = static_cast<unsigned char>(s[i + size_t(k)]);
            if ((cb & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (cb & 0x3F);
        }
        // reject overlong forms, surrogates and values beyond Unicode
        if (ok && ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000)
                   || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF))
            ok = false;
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += size_t(len);
    }
    return out;
}

std::string Tokenizer::encode(const std::u32string &text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c < 0x80) {
            out.push_back(char(c));
        } else if (c < 0x800) {
            out.push_back(char(0xC0 | (c >> 6)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(char(0xE0 | (c >> 12)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (c >> 18)));
            out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(char(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

int Tokenizer::codePointIndex(const std::u32string &text, int offset16)
{
    int pos16 = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (pos16 >= offset16)
            return int(i);
        pos16 += units16(text[i]);
    }
    return int(text.size());
}

std::vector<Token> Tokenizer::tokenize(const std::string &utf8, int *sentenceLength16)
{
    const std::u32string text = decode(utf8);
    std::vector<int> off16(text.size() + 1, 0);
    for (size_t i = 0; i < text.size(); ++i)
        off16[i + 1] = off16[i] + units16(text[i]);
    if (sentenceLength16)
        *sentenceLength16 = off16[text.size()];

    std::vector<Token> tokens;
    const size_t n = text.size();
    size_t i = 0;
    bool space = false;
    auto push = [&](Token::Kind kind, size_t from, size_t to) {
        Token t;
        t.kind = kind;
        std::u32string piece = text.substr(from, to - from);
        for (char32_t &c : piece)
            if (c == 0x2019)
                c = '\'';
        t.text = encode(piece);
        t.lower = toLower(t.text);
        t.start = off16[from];
        t.end = off16[to];
        t.spaceBefore = space;
        tokens.push_back(std::move(t));
        space = false;
    };

    while (i < n) {
        const char32_t c = text[i];
        if (isSpace(c)) {
            space = true;
            ++i;
            continue;
        }
        // A whitespace-delimited chunk that is a web or e-mail address is one token.
        if (tokens.empty() || space) {
            size_t e = i;
            while (e < n && !isSpace(text[e]))
                ++e;
            size_t trimmed = e;
            while (trimmed > i && (text[trimmed - 1] == '.' || text[trimmed - 1] == ',' || text[trimmed - 1] == ';'
                                   || text[trimmed - 1] == ':' || text[trimmed - 1] == '!' || text[trimmed - 1] == '?'
                                   || text[trimmed - 1] == ')' || text[trimmed - 1] == '"'))
                --trimmed;
            if (trimmed > i && looksLikeAddress(text.substr(i, trimmed - i))) {
                push(Token::Url, i, trimmed);
                i = trimmed;
                continue;
            }
        }
        size_t j = i;
        if (isAsciiLetter(c)) {
            while (j < n && (isAsciiLetter(text[j]) || (isApostrophe(text[j]) && j + 1 < n && isAsciiLetter(text[j + 1]))))
                ++j;
            push(Token::Word, i, j);
        } else if (isDigit(c)) {
            while (j < n && (isDigit(text[j]) || ((text[j] == '.' || text[j] == ',' || text[j] == ':') && j + 1 < n
                                                  && isDigit(text[j + 1]))))
                ++j;
            while (j < n && isAsciiLetter(text[j]))
                ++j;
            push(Token::Number, i, j);
        } else if (c >= 0x80 && !isForeignPunct(c) && c != 0xFFFD) {
            while (j < n && text[j] >= 0x80 && !isSpace(text[j]) && !isForeignPunct(text[j]) && text[j] != 0xFFFD)
                ++j;
            push(Token::Other, i, j);
        } else {
            push(Token::Punct, i, i + 1);
            j = i + 1;
        }
        i = j;
    }
    // Words glued to foreign text, digits or addresses are not judged as English words.
    for (size_t k = 0; k < tokens.size(); ++k) {
        if (tokens[k].kind != Token::Word)
            continue;
        auto foreign = [](const Token &t) { return t.kind == Token::Other || t.kind == Token::Number || t.kind == Token::Url; };
        if ((k > 0 && !tokens[k].spaceBefore && foreign(tokens[k - 1]))
            || (k + 1 < tokens.size() && !tokens[k + 1].spaceBefore && foreign(tokens[k + 1])))
            tokens[k].attached = true;
        // a letter run that continues with non-ASCII letters (café) is foreign as well
        if (k + 1 < tokens.size() && !tokens[k + 1].spaceBefore && tokens[k + 1].kind == Token::Other)
            tokens[k].attached = true;
    }
    return tokens;
}

} // namespace PennovaChecker
