#include "requestframing.h"

#include <optional>
#include <string>

namespace PennovaServer {

namespace {
std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view name, std::string_view lower)
{
    if (name.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char ch = name[i] >= 'A' && name[i] <= 'Z' ? char(name[i] - 'A' + 'a') : name[i];
        if (ch != lower[i])
            return false;
    }
    return true;
}
} // namespace

int RequestFraming::check(std::string_view head, std::size_t maxBodyBytes)
{
    std::optional<std::string_view> length;
    bool chunked = false;
    std::size_t lineStart = head.find('\n'); // the request line is not a field
    while (lineStart != std::string_view::npos && lineStart + 1 < head.size()) {
        const std::size_t begin = lineStart + 1;
        const std::size_t end = head.find('\n', begin);
        const std::string_view line = head.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
        lineStart = end;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view name = line.substr(0, colon);
        const std::string_view value = trimmed(line.substr(colon + 1));
        if (sameName(name, "content-length")) {
            if (value.empty() || value.find_first_not_of("0123456789") != std::string_view::npos)
                return 400;
            if (length && *length != value)
                return 400;
            length = value;
        } else if (sameName(name, "transfer-encoding")) {
            if (chunked || !sameName(value, "chunked"))
                return 400;
            chunked = true;
        }
    }
    if (chunked && length)
        return 400;
    if (length) {
        std::string_view digits = *length;
        while (digits.size() > 1 && digits.front() == '0')
            digits.remove_prefix(1);
        const std::string limit = std::to_string(maxBodyBytes);
        if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit))
            return 413;
    }
    return 0;
}

} // namespace PennovaServer
