#pragma once

#include <string>

namespace httplib {
struct Request;
struct Response;
}

namespace PennovaServer {

// Failures an administrator must be able to trace: one line each on standard error
// (which systemd's journal keeps), with the request's id, method and path and the cause
// (the database's error, a file's path). Never a query or a body: they may hold session
// keys.
class FailureLog
{
public:
    static constexpr const char IdHeader[] = "X-Request-Id";

    // Gives the request an id of its own, sent back in IdHeader.
    static void identify(httplib::Response &res);
    static void failure(const httplib::Request &req, const httplib::Response &res, const std::string &cause);
    // The same for a request whose answer has gone out in part (a stream).
    static void failure(const std::string &id, const std::string &request, const std::string &cause);
};

} // namespace PennovaServer
