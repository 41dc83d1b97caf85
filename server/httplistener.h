#pragma once

#include "headerwaiter.h"

#include <httplib.h>

#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>

namespace PennovaServer {

// The HTTP server with its connections guarded against slow and idle peers. A new
// connection takes a thread only once its first header is whole (HeaderWaiter holds it
// until then, up to maxHeaderWaiters of them). A request's
// header must arrive whole within headerTimeoutMs and its body within bodyTimeoutMs,
// however slowly the bytes trickle in, and after bodyGraceMs at minBodyBytesPerSecond at
// least; a connection waits for its next request at most
// keepAliveMs, and not at all while most connection threads are busy or connections wait
// for a thread. Accepted connections wait for a thread in a queue of maxQueuedConnections;
// beyond that they are answered 503 with Retry-After. Every connection is closed
// gracefully, so that no answer is lost to a reset. A header that frames its body
// ambiguously (RequestFraming) is answered 400 and the connection closed.
class HttpListener : public httplib::Server
{
public:
    struct Limits
    {
        int threads = 256;
        int backlog = 1024;
        int headerTimeoutMs = 5000;
        int bodyTimeoutMs = 60000;
        int bodyGraceMs = 2000;
        int minBodyBytesPerSecond = 1024;
        int keepAliveMs = 15000;
        int writeTimeoutMs = 30000;
        std::size_t maxHeaderBytes = 16 * 1024;
        // A longer declared body is refused (413) before any of it is read.
        std::size_t maxBodyBytes = 16 * 1024 * 1024;
        int maxRequestsPerConnection = 100;
        int maxQueuedConnections = 1024;
        int retryAfterSeconds = 5;
        // How long a closing connection waits for the peer's end (reading what it sends).
        int lingerMs = 500;
        // New connections whose header is still on its way, held without a thread; beyond
        // that many they wait on a thread as any other.
        int maxHeaderWaiters = 4096;
    };

    explicit HttpListener(const Limits &limits);

    // After binding: raises the listen backlog (the library listens with 5).
    bool raiseBacklog();
    int activeConnections() const { return m_active.load(); }
    int waitingConnections() const { return m_waiting.load(); }
    // New connections held until their header is whole.
    std::size_t connectionsAwaitingHeader() const;

private:
    bool process_and_close_socket(socket_t sock) override;
    // Serves the connection's requests on the calling thread, then closes it.
    bool serve(socket_t sock);
    // Gives a connection whose header is whole to the threads (closing it when the
    // listener is stopping).
    void dispatch(socket_t sock);
    // A fresh queue for a listen() run, with its header waiter.
    httplib::TaskQueue *createQueue();
    bool busy() const;
    void refuseBusy(socket_t sock);

    Limits m_limits;
    std::atomic<int> m_active{0};
    std::atomic<int> m_waiting{0};
    // Guards the two below: the waiter's thread hands connections to the queue while
    // listen() may be ending. Declared before them so that it outlives the waiter.
    mutable std::mutex m_queueMutex;
    httplib::TaskQueue *m_queue = nullptr; // owned by the library's listen()
    std::unique_ptr<HeaderWaiter> m_waiter;
};

} // namespace PennovaServer
