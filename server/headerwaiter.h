#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace PennovaServer {

// Holds accepted connections whose first request header has not arrived whole, off the
// connection threads: one thread watches them all (epoll, edge-triggered, peeking without
// taking any byte), and hands a connection on once its header is complete, too large, or
// the peer closed. A connection whose header does not arrive within timeoutMs is closed.
// So peers that send their header a byte at a time hold a file descriptor, not a thread.
class HeaderWaiter
{
public:
    // ready(fd): the connection is the callee's from then on (serve it or close it).
    HeaderWaiter(std::size_t maxHeaderBytes, int timeoutMs, std::size_t capacity, std::function<void(int)> ready);
    ~HeaderWaiter();
    HeaderWaiter(const HeaderWaiter &) = delete;
    HeaderWaiter &operator=(const HeaderWaiter &) = delete;

    // Takes the connection; false (the caller keeps it) when full, stopped or the system
    // refuses to watch it.
    bool watch(int fd);
    // Closes every connection still waiting and ends the thread; watch() refuses from then on.
    void stop();
    std::size_t waiting() const;

    // Whether the bytes the connection holds (peeked, none taken) make a whole header,
    // or are too many to be one, or the peer has closed: then it is worth a thread.
    static bool worthServing(int fd, std::size_t maxHeaderBytes);

private:
    using Clock = std::chrono::steady_clock;
    void run();
    // Forgets fd (under the lock); false when it was not watched.
    bool release(int fd);

    std::size_t m_maxHeaderBytes;
    int m_timeoutMs;
    std::size_t m_capacity;
    std::function<void(int)> m_ready;
    int m_epoll = -1;
    int m_wake = -1;
    mutable std::mutex m_mutex;
    std::unordered_map<int, Clock::time_point> m_deadlines;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace PennovaServer
