#include "postroute.h"

#include "httpreplies.h"

#include <httplib.h>

namespace PennovaServer {

void PostRoute::add(httplib::Server &server, const std::string &path, std::size_t maxBytes, Handler handler)
{
    server.Post(path, [maxBytes, handler](const httplib::Request &req, httplib::Response &res,
                                          const httplib::ContentReader &reader) {
        std::string body;
        bool tooLarge = false;
        const bool complete = reader([&](const char *data, std::size_t length) {
            if (body.size() + length > maxBytes) {
                tooLarge = true;
                return false;
            }
            body.append(data, length);
            return true;
        });
        // The library refuses a body beyond its payload limit with 413 before we see it.
        if (tooLarge || res.status == 413)
            return HttpReplies::refuse(res, 413, "request too large");
        if (!complete)
            return HttpReplies::refuse(res, 400, "unreadable body");
        httplib::Request withBody = req;
        withBody.body = std::move(body);
        handler(withBody, res);
    });
}

} // namespace PennovaServer
