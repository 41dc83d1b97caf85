#include "routepattern.h"

#include <cctype>
#include <cstring>

namespace PennovaServer {

std::string RoutePattern::caseless(const std::string &path, const std::string &suffix)
{
    std::string pattern;
    pattern.reserve(path.size() * 4 + suffix.size());
    for (const char ch : path) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (std::isalpha(c)) {
            pattern += '[';
            pattern += char(std::tolower(c));
            pattern += char(std::toupper(c));
            pattern += ']';
        } else {
            if (std::strchr("\\^$.|?*+()[]{}", ch))
                pattern += '\\';
            pattern += ch;
        }
    }
    return pattern + suffix;
}

} // namespace PennovaServer
