#include "headerwaiter.h"

#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <vector>

namespace PennovaServer {

namespace {
constexpr int MaxEvents = 64;
// The longest sleep between looks at the deadlines.
constexpr int MaxSleepMs = 100;
} // namespace

HeaderWaiter::HeaderWaiter(std::size_t maxHeaderBytes, int timeoutMs, std::size_t capacity,
                           std::function<void(int)> ready)
    : m_maxHeaderBytes(maxHeaderBytes)
    , m_timeoutMs(timeoutMs)
    , m_capacity(capacity)
    , m_ready(std::move(ready))
{
    m_epoll = ::epoll_create1(EPOLL_CLOEXEC);
    m_wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_epoll < 0 || m_wake < 0) {
        m_stopping = true; // watch() refuses: connections are then served the plain way
        return;
    }
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = m_wake;
    ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, m_wake, &event);
    m_thread = std::thread([this] { run(); });
}

HeaderWaiter::~HeaderWaiter()
{
    stop();
    if (m_epoll >= 0)
        ::close(m_epoll);
    if (m_wake >= 0)
        ::close(m_wake);
}

bool HeaderWaiter::worthServing(int fd, std::size_t maxHeaderBytes)
{
    std::vector<char> bytes(maxHeaderBytes);
    ssize_t n;
    do {
        n = ::recv(fd, bytes.data(), bytes.size(), MSG_PEEK | MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return errno != EAGAIN && errno != EWOULDBLOCK; // an error: the thread closes it
    if (n == 0 || std::size_t(n) >= maxHeaderBytes)
        return true;
    const std::string_view pending(bytes.data(), std::size_t(n));
    return pending.find("\r\n\r\n") != std::string_view::npos || pending.find("\n\n") != std::string_view::npos;
}

bool HeaderWaiter::watch(int fd)
{
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_stopping || m_deadlines.size() >= m_capacity)
        return false;
    epoll_event event{};
    event.events = EPOLLIN | EPOLLRDHUP | EPOLLET;
    event.data.fd = fd;
    if (::epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &event) != 0)
        return false;
    m_deadlines[fd] = Clock::now() + std::chrono::milliseconds(m_timeoutMs);
    return true;
}

void HeaderWaiter::stop()
{
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (m_stopping && !m_thread.joinable())
            return;
        m_stopping = true;
    }
    if (m_wake >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wake, &one, sizeof one);
    }
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard<std::mutex> guard(m_mutex);
    for (const auto &entry : m_deadlines)
        ::close(entry.first);
    m_deadlines.clear();
}

std::size_t HeaderWaiter::waiting() const
{
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_deadlines.size();
}

bool HeaderWaiter::release(int fd)
{
    if (m_deadlines.erase(fd) == 0)
        return false;
    ::epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, nullptr);
    return true;
}

void HeaderWaiter::run()
{
    epoll_event events[MaxEvents];
    std::vector<int> ready;
    std::vector<int> expired;
    for (;;) {
        int sleepMs = MaxSleepMs;
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            if (m_stopping)
                return;
            const Clock::time_point now = Clock::now();
            for (const auto &entry : m_deadlines) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(entry.second - now).count();
                sleepMs = int(std::clamp<long long>(left + 1, 0, sleepMs));
            }
        }
        const int count = ::epoll_wait(m_epoll, events, MaxEvents, sleepMs);
        if (count < 0 && errno != EINTR)
            return;
        ready.clear();
        expired.clear();
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            if (m_stopping)
                return;
            for (int i = 0; i < count; ++i) {
                const int fd = events[i].data.fd;
                if (fd == m_wake || !m_deadlines.count(fd))
                    continue;
                if ((events[i].events & (EPOLLRDHUP | EPOLLHUP | EPOLLERR)) || worthServing(fd, m_maxHeaderBytes)) {
                    release(fd);
                    ready.push_back(fd);
                }
            }
            const Clock::time_point now = Clock::now();
            for (const auto &entry : m_deadlines) {
                if (entry.second <= now)
                    expired.push_back(entry.first);
            }
            for (int fd : expired)
                release(fd);
        }
        // A header that never came whole gets no answer: there is no request to answer.
        for (int fd : expired)
            ::close(fd);
        for (int fd : ready)
            m_ready(fd);
    }
}

} // namespace PennovaServer
