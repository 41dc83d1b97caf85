#include "httpreplies.h"

#include <httplib.h>

namespace PennovaServer {

void HttpReplies::text(httplib::Response &res, int status, const std::string &body)
{
    res.status = status;
    res.set_content(body, "text/plain; charset=utf-8");
}

void HttpReplies::html(httplib::Response &res, int status, const std::string &body)
{
    res.status = status;
    res.set_content(body, "text/html; charset=utf-8");
}

void HttpReplies::threePart(httplib::Response &res, const std::string &code, const std::string &first,
                            const std::string &second)
{
    text(res, 200, code + "|" + first + "|" + second);
}

void HttpReplies::refuse(httplib::Response &res, int status, const std::string &reason)
{
    text(res, status, reason);
}

void HttpReplies::busy(httplib::Response &res, int retryAfterSeconds)
{
    res.set_header("Retry-After", std::to_string(retryAfterSeconds));
    text(res, 503, "busy, try again later");
}

} // namespace PennovaServer
