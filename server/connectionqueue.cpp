#include "connectionqueue.h"

#include <algorithm>
#include <utility>

namespace PennovaServer {

namespace {
thread_local bool t_refusing = false;
}

ConnectionQueue::ConnectionQueue(int threads, int capacity, std::atomic<int> &waiting,
                                 std::function<void()> beforeShutdown)
    : m_capacity(std::size_t(std::max(1, capacity)))
    , m_waiting(waiting)
    , m_beforeShutdown(std::move(beforeShutdown))
{
    m_waiting = 0;
    for (int i = 0; i < std::max(1, threads); ++i)
        m_threads.emplace_back([this] { serve(); });
    m_refuser = std::thread([this] { refuse(); });
}

ConnectionQueue::~ConnectionQueue()
{
    shutdown();
}

void ConnectionQueue::enqueue(std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (m_jobs.size() < m_capacity) {
            m_jobs.push_back(std::move(job));
            m_waiting = int(m_jobs.size());
        } else {
            m_refused.push_back(std::move(job));
        }
    }
    // Workers and the refuser wait on the same condition.
    m_wake.notify_all();
}

void ConnectionQueue::shutdown()
{
    if (const std::function<void()> before = std::exchange(m_beforeShutdown, {}))
        before();
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (m_stopping)
            return;
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
    m_refuser.join();
}

bool ConnectionQueue::refusing()
{
    return t_refusing;
}

std::function<void()> ConnectionQueue::next(std::deque<std::function<void()>> &jobs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait(lock, [&] { return !jobs.empty() || m_stopping; });
    if (jobs.empty())
        return {};
    std::function<void()> job = std::move(jobs.front());
    jobs.pop_front();
    m_waiting = int(m_jobs.size());
    return job;
}

void ConnectionQueue::serve()
{
    while (const std::function<void()> job = next(m_jobs))
        job();
}

void ConnectionQueue::refuse()
{
    t_refusing = true;
    while (const std::function<void()> job = next(m_refused))
        job();
}

} // namespace PennovaServer
