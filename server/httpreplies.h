#pragma once

#include <string>

namespace httplib {
struct Response;
}

namespace PennovaServer {

// Small helpers that every handler uses to answer.
class HttpReplies
{
public:
    static void text(httplib::Response &res, int status, const std::string &body);
    static void html(httplib::Response &res, int status, const std::string &body);
    // The three-part account reply "code|first|second".
    static void threePart(httplib::Response &res, const std::string &code,
                          const std::string &first = {}, const std::string &second = {});
    // A bad request: the status and a short plain-text reason.
    static void refuse(httplib::Response &res, int status, const std::string &reason);
    // 503: too busy now; the client may try again after the given seconds.
    static void busy(httplib::Response &res, int retryAfterSeconds);
};

} // namespace PennovaServer
