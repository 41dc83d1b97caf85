#pragma once

#include <string>

namespace PennovaServer {

// The product web site's small Chinese pages: one layout, every echoed text escaped.
class HtmlPage
{
public:
    // Escapes & < > " ' for text and attribute values.
    static std::string escape(const std::string &text);
    // A whole page; title is text (escaped here), bodyHtml is markup the caller built.
    static std::string page(const std::string &title, const std::string &bodyHtml);
};

} // namespace PennovaServer
