#pragma once

#include <map>
#include <optional>
#include <string>

namespace PennovaServer {

// A form-encoded request body as the client writes it: "key=value" pairs joined by "&",
// values inserted as they are except for "%25", "%26" and "%2b", which stand for "%", "&"
// and "+" (a literal "&" would split the value); a bare "+" is a plus. The last field of
// some requests holds free text that may contain "&"; naming it as the tail field makes
// its value run to the end of the body.
class FormBody
{
public:
    // Nothing when the body is not of that shape (a pair without "=", an empty key).
    static std::optional<FormBody> parse(const std::string &body, const std::string &tailField = {});

    bool has(const std::string &key) const;
    // The first value of the key; empty when absent.
    std::string value(const std::string &key) const;

private:
    std::map<std::string, std::string> m_fields;
};

} // namespace PennovaServer
