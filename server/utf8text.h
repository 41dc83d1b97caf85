#pragma once

#include <cstddef>
#include <string>

namespace PennovaServer {

// Checks on UTF-8 text from requests.
class Utf8Text
{
public:
    // Well-formed UTF-8: no stray or missing continuation bytes, no overlong forms,
    // no surrogates, nothing above U+10FFFF.
    static bool valid(const std::string &text);
    // Valid, at most maxBytes, and free of control characters.
    static bool printable(const std::string &text, std::size_t maxBytes);
};

} // namespace PennovaServer
