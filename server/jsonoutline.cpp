#include "jsonoutline.h"

namespace PennovaServer {

JsonOutline::JsonOutline(std::string member, std::size_t maxValueBytes, std::size_t maxValues, int maxDepth)
    : m_member(std::move(member))
    , m_maxValueBytes(maxValueBytes)
    , m_maxValues(maxValues)
    , m_maxDepth(maxDepth)
{
}

bool JsonOutline::feed(const char *data, std::size_t size)
{
    for (std::size_t i = 0; i < size && !m_tooLarge; ++i)
        byte(data[i]);
    return !m_tooLarge;
}

std::optional<std::string> JsonOutline::member() const
{
    if (!m_found || !m_valueUsable)
        return std::nullopt;
    return m_value;
}

void JsonOutline::byte(char ch)
{
    if (m_inString) {
        if (m_escaped) {
            m_escaped = false;
        } else if (ch == '\\') {
            m_escaped = true;
            m_valueUsable = m_valueUsable && !m_readingValue; // kept only when plain
            if (m_readingKey)
                m_key.assign(1, '\\'); // no plain name
        } else if (ch == '"') {
            m_inString = false;
            if (m_readingKey)
                m_memberNext = m_key == m_member;
            if (m_readingValue)
                m_found = true;
            m_readingKey = false;
            m_readingValue = false;
            return;
        }
        if (m_readingKey && m_key.size() <= m_member.size())
            m_key += ch;
        if (m_readingValue && m_valueUsable) {
            if (m_value.size() < m_maxValueBytes)
                m_value += ch;
            else
                m_valueUsable = false;
        }
        return;
    }
    switch (ch) {
    case '"': {
        const bool topLevelKey = m_expectKey && m_objects.size() == 1;
        m_inString = true;
        if (topLevelKey) {
            m_readingKey = true;
            m_key.clear();
        } else if (m_memberNext && m_objects.size() == 1 && !m_found) {
            m_readingValue = true;
            m_valueUsable = true;
            m_value.clear();
        }
        if (!m_expectKey)
            m_memberNext = false;
        m_expectKey = false;
        return;
    }
    case '{':
    case '[':
        if (int(m_objects.size()) >= m_maxDepth || ++m_values > m_maxValues) {
            m_tooLarge = true;
            return;
        }
        m_objects.push_back(ch == '{');
        m_expectKey = ch == '{';
        m_memberNext = false;
        return;
    case '}':
    case ']':
        if (!m_objects.empty())
            m_objects.pop_back();
        m_expectKey = false;
        return;
    case ',':
        if (++m_values > m_maxValues) {
            m_tooLarge = true;
            return;
        }
        m_expectKey = !m_objects.empty() && m_objects.back();
        m_memberNext = false;
        return;
    case ':':
    case ' ':
    case '\t':
    case '\r':
    case '\n':
        return;
    default:
        m_memberNext = false; // a number or a literal
        return;
    }
}

} // namespace PennovaServer
