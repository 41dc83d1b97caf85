#pragma once

#include <json/value.h>

#include <string>

namespace PennovaServer {

// JSON in and out of requests: bounded nesting, no trailing garbage, never throws.
class JsonText
{
public:
    // False (value untouched) for invalid JSON, extra text, duplicate keys or nesting
    // deeper than stackLimit.
    static bool parse(const char *begin, const char *end, Json::Value *value, int stackLimit = 16);
    static bool parse(const std::string &text, Json::Value *value, int stackLimit = 16);

    // Compact single-line JSON with a final newline, UTF-8 kept as it is.
    static std::string compact(const Json::Value &value);
};

} // namespace PennovaServer
