#pragma once

#include <QString>

#include <atomic>
#include <cstdint>
#include <thread>

// A loopback HTTP server that answers every request with an endless body, generated as
// it is sent (the server itself holds almost nothing), until the client closes the
// connection or `maxBytes` went out. It runs in a thread of its own, so that it keeps
// sending while the client under test is busy, as a hostile peer does.
class FloodServer
{
public:
    enum Framing { ContentLength, Chunked, UntilClose };

    FloodServer(int status, Framing framing, std::int64_t maxBytes);
    ~FloodServer();
    FloodServer(const FloodServer &) = delete;
    FloodServer &operator=(const FloodServer &) = delete;

    bool listening() const { return m_port > 0; }
    // "127.0.0.1:port"
    QString host() const;
    // Body bytes sent so far, over all connections.
    std::int64_t sent() const { return m_sent.load(); }

private:
    void serve();
    void answer(int fd);

    int m_status;
    Framing m_framing;
    std::int64_t m_maxBytes;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::atomic<std::int64_t> m_sent{0};
    std::thread m_thread;
};
