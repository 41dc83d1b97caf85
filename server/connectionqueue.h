#pragma once

#include <httplib.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace PennovaServer {

// The connection threads and the accepted connections waiting for one. At most
// `capacity` connections wait; any further one goes to a single refusing thread,
// which runs its job with refusing() true so that it is answered "busy, try later"
// at once instead of being left unanswered or reset.
class ConnectionQueue : public httplib::TaskQueue
{
public:
    // waiting: kept up to date with the number of waiting connections; it must
    // outlive the queue. beforeShutdown: called once when shutdown() begins, while jobs
    // may still be queued (to stop whoever feeds the queue).
    ConnectionQueue(int threads, int capacity, std::atomic<int> &waiting, std::function<void()> beforeShutdown = {});
    ~ConnectionQueue() override;
    ConnectionQueue(const ConnectionQueue &) = delete;
    ConnectionQueue &operator=(const ConnectionQueue &) = delete;

    void enqueue(std::function<void()> job) override;
    // Runs every job queued so far, then joins the threads.
    void shutdown() override;

    // True while the calling thread runs a job the queue had no room for.
    static bool refusing();

private:
    // The next job of `jobs`, waiting for one; empty once stopping with none left.
    std::function<void()> next(std::deque<std::function<void()>> &jobs);
    void serve();
    void refuse();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    std::deque<std::function<void()>> m_refused;
    std::size_t m_capacity;
    std::atomic<int> &m_waiting;
    bool m_stopping = false;
    std::function<void()> m_beforeShutdown;
    std::vector<std::thread> m_threads;
    std::thread m_refuser;
};

} // namespace PennovaServer
