#include "failurelog.h"

#include <httplib.h>

#include <unistd.h>

#include <atomic>
#include <cstdio>

namespace PennovaServer {

namespace {
std::atomic<unsigned long long> s_requests{0};

// The cause on one line: a database message may hold line breaks.
std::string oneLine(std::string text)
{
    for (char &ch : text) {
        if (ch == '\n' || ch == '\r')
            ch = ' ';
    }
    return text;
}
} // namespace

void FailureLog::identify(httplib::Response &res)
{
    // The process id tells apart the servers behind one proxy.
    res.set_header(IdHeader, std::to_string(::getpid()) + "-" + std::to_string(++s_requests));
}

void FailureLog::failure(const httplib::Request &req, const httplib::Response &res, const std::string &cause)
{
    failure(res.get_header_value(IdHeader), req.method + " " + req.path, cause);
}

void FailureLog::failure(const std::string &id, const std::string &request, const std::string &cause)
{
    std::fprintf(stderr, "failure %s: %s: %s\n", id.empty() ? "-" : id.c_str(), request.c_str(), oneLine(cause).c_str());
}

} // namespace PennovaServer
