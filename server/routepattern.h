#pragma once

#include <string>

namespace PennovaServer {

// Route patterns for the web pages. The clients and old links write some paths in mixed
// case ("/Login/FromTessel", "/Help/Index1"), so page routes match without case.
class RoutePattern
{
public:
    // A regular expression matching `path` with any letter case; other characters are
    // escaped. `suffix` (itself a regular expression) is appended unchanged.
    static std::string caseless(const std::string &path, const std::string &suffix = {});
};

} // namespace PennovaServer
