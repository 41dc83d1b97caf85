#include "utf8text.h"

namespace PennovaServer {

bool Utf8Text::valid(const std::string &text)
{
    const auto *s = reinterpret_cast<const unsigned char *>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int follow = 0;
        unsigned low = 0x80;
        unsigned high = 0xbf; // allowed range of the first continuation byte
        if (c >= 0xc2 && c <= 0xdf) {
            follow = 1;
        } else if (c >= 0xe0 && c <= 0xef) {
            follow = 2;
            if (c == 0xe0)
                low = 0xa0; // overlong
            else if (c == 0xed)
                high = 0x9f; // surrogates
        } else if (c >= 0xf0 && c <= 0xf4) {
            follow = 3;
            if (c == 0xf0)
                low = 0x90; // overlong
            else if (c == 0xf4)
                high = 0x8f; // above U+10FFFF
        } else {
            return false;
        }
        if (i + std::size_t(follow) >= n)
            return false;
        if (s[i + 1] < low || s[i + 1] > high)
            return false;
        for (int k = 2; k <= follow; ++k) {
            if ((s[i + std::size_t(k)] & 0xc0) != 0x80)
                return false;
        }
        i += std::size_t(follow) + 1;
    }
    return true;
}

bool Utf8Text::printable(const std::string &text, std::size_t maxBytes)
{
    if (text.size() > maxBytes)
        return false;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7f)
            return false;
    }
    return valid(text);
}

} // namespace PennovaServer
