#pragma once

#include <httplib.h>

#include <atomic>
#include <cstddef>

namespace PennovaServer {

// The HTTP server with its connections guarded against slow and idle peers: a request's
// header must arrive whole within headerTimeoutMs and its body within bodyTimeoutMs,
// however slowly the bytes trickle in; a connection waits for its next request at most
// keepAliveMs, and not at all while most connection threads are busy.
class HttpListener : public httplib::Server
{
public:
    struct Limits
    {
        int threads = 128;
        int backlog = 1024;
        int headerTimeoutMs = 5000;
        int bodyTimeoutMs = 60000;
        int keepAliveMs = 2000;
        int writeTimeoutMs = 30000;
        std::size_t maxHeaderBytes = 16 * 1024;
        int maxRequestsPerConnection = 100;
    };

    explicit HttpListener(const Limits &limits);

    // After binding: raises the listen backlog (the library listens with 5).
    bool raiseBacklog();
    int activeConnections() const { return m_active.load(); }

private:
    bool process_and_close_socket(socket_t sock) override;
    bool busy() const;

    Limits m_limits;
    std::atomic<int> m_active{0};
};

} // namespace PennovaServer
