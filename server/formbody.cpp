#include "formbody.h"

namespace PennovaServer {

namespace {
// Undoes the client's three escapes ("%25", "%26", "%2b") in one pass; any other "%"
// sequence is taken as typed, as a client that sends raw values would mean it.
std::string unescapeValue(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && text[i + 1] == '2') {
            const char c = text[i + 2];
            const char plain = c == '5' ? '%' : c == '6' ? '&' : (c == 'b' || c == 'B') ? '+' : 0;
            if (plain) {
                out += plain;
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}
} // namespace

std::optional<FormBody> FormBody::parse(const std::string &body, const std::string &tailField)
{
    FormBody form;
    std::string head = body;
    if (!tailField.empty()) {
        const std::string marker = tailField + "=";
        std::size_t at = std::string::npos;
        if (body.compare(0, marker.size(), marker) == 0)
            at = 0;
        else if (const std::size_t found = body.find("&" + marker); found != std::string::npos)
            at = found + 1;
        if (at != std::string::npos) {
            form.m_fields.emplace(tailField, unescapeValue(body.substr(at + marker.size())));
            head = body.substr(0, at == 0 ? 0 : at - 1);
        }
    }
    std::size_t pos = 0;
    while (pos < head.size()) {
        std::size_t end = head.find('&', pos);
        if (end == std::string::npos)
            end = head.size();
        const std::string pair = head.substr(pos, end - pos);
        pos = end + 1;
        if (pair.empty())
            continue;
        const std::size_t eq = pair.find('=');
        if (eq == std::string::npos || eq == 0)
            return std::nullopt;
        form.m_fields.emplace(pair.substr(0, eq), unescapeValue(pair.substr(eq + 1)));
    }
    return form;
}

bool FormBody::has(const std::string &key) const
{
    return m_fields.count(key) > 0;
}

std::string FormBody::value(const std::string &key) const
{
    const auto it = m_fields.find(key);
    return it == m_fields.end() ? std::string() : it->second;
}

} // namespace PennovaServer
