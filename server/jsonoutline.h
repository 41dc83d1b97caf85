#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace PennovaServer {

// A single pass over JSON text fed in pieces, keeping nothing but a few counters: how
// many values and how deep, and the plain string value of one member of the top-level
// object. Lets a request be judged (its size in values, its session) before anything is
// parsed into memory. It does not validate: the parser that follows does.
class JsonOutline
{
public:
    // member: the top-level member whose string value is kept (at most maxValueBytes).
    JsonOutline(std::string member, std::size_t maxValueBytes, std::size_t maxValues, int maxDepth);

    // False once the text holds more values than maxValues or nests deeper than maxDepth;
    // feeding more then changes nothing.
    bool feed(const char *data, std::size_t size);
    bool withinLimits() const { return !m_tooLarge; }
    // An upper bound of the values seen (each comma and each opening bracket counts).
    std::size_t values() const { return m_values; }
    // The member's value when it is a string without escapes, not longer than allowed.
    std::optional<std::string> member() const;

private:
    void byte(char ch);

    const std::string m_member;
    const std::size_t m_maxValueBytes;
    const std::size_t m_maxValues;
    const int m_maxDepth;
    std::vector<bool> m_objects; // per open bracket: an object rather than an array
    std::size_t m_values = 1;
    bool m_tooLarge = false;
    bool m_inString = false;
    bool m_escaped = false;
    bool m_expectKey = false;
    bool m_readingKey = false;   // a key of the top-level object
    bool m_memberNext = false;   // the last top-level key was m_member; its value comes
    bool m_readingValue = false; // the member's string value
    bool m_valueUsable = false;
    bool m_found = false;
    std::string m_key;
    std::string m_value;
};

} // namespace PennovaServer
