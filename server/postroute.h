#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
}

namespace PennovaServer {

// Registers a POST handler that reads the body itself. The HTTP library caps
// form-encoded bodies at 8 KiB on its own, and the client sends every request, check
// frames included, as form-encoded; reading through a content reader lifts that cap
// to the given bound (413 beyond it). The handler sees the body in req.body.
class PostRoute
{
public:
    using Handler = std::function<void(const httplib::Request &, httplib::Response &)>;

    static void add(httplib::Server &server, const std::string &path, std::size_t maxBytes, Handler handler);
};

} // namespace PennovaServer
