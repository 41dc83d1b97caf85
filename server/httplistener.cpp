#include "httplistener.h"

#include "connectionqueue.h"
#include "requestframing.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <string>
#include <string_view>

namespace PennovaServer {

namespace {
using Clock = std::chrono::steady_clock;

// How often an idle connection looks whether others wait for its thread, and how long it
// keeps the thread anyway.
constexpr int IdleSliceMs = 50;
constexpr int MinIdleMs = 1000;
// What a closing connection reads at most (within its linger time): enough for the rest
// of a body refused for its declared length, so that its sender sees the answer.
constexpr std::size_t MaxLingerBytes = 32 * 1024 * 1024;

Clock::time_point after(int ms)
{
    return Clock::now() + std::chrono::milliseconds(ms);
}

// Waits until the socket is ready for `events`; false on time-out.
bool waitFor(int fd, short events, Clock::time_point deadline)
{
    for (;;) {
        const long long left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p{fd, events, 0};
        const int ready = ::poll(&p, 1, int(std::clamp<long long>(left, 0, INT_MAX)));
        if (ready > 0)
            return (p.revents & events) != 0 || (p.revents & (POLLHUP | POLLERR)) != 0;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

void addressOf(const sockaddr_storage &addr, socklen_t length, std::string &ip, int &port)
{
    char host[NI_MAXHOST] = {};
    char service[NI_MAXSERV] = {};
    if (::getnameinfo(reinterpret_cast<const sockaddr *>(&addr), length, host, sizeof host, service,
                      sizeof service, NI_NUMERICHOST | NI_NUMERICSERV) == 0) {
        ip = host;
        port = std::atoi(service);
    }
}

// A connection's byte stream. Reads wait at most until the current request's deadline,
// so a peer that sends one byte now and then cannot keep a thread for long.
class ConnectionStream : public httplib::Stream
{
public:
    ConnectionStream(int fd, int writeTimeoutMs, int bodyGraceMs = 0, int minBodyBytesPerSecond = 0)
        : m_fd(fd)
        , m_writeTimeoutMs(writeTimeoutMs)
        , m_bodyGraceMs(bodyGraceMs)
        , m_minBodyRate(minBodyBytesPerSecond)
    {
    }

    // Reads until the bytes not yet taken hold a whole request header ("\r\n\r\n", or the
    // bare "\n\n" the library also accepts). False on time-out, a closed connection or a
    // header larger than maxBytes (then headerTooLarge()).
    bool awaitHeader(Clock::time_point deadline, std::size_t maxBytes)
    {
        m_tooLarge = false;
        m_buffer.erase(0, m_pos);
        m_pos = 0;
        for (;;) {
            if (m_buffer.find("\r\n\r\n") != std::string::npos || m_buffer.find("\n\n") != std::string::npos)
                return true;
            if (m_buffer.size() >= maxBytes) {
                m_tooLarge = true;
                return false;
            }
            if (!waitFor(m_fd, POLLIN, deadline))
                return false;
            char chunk[4096];
            const ssize_t n = receive(chunk, std::min(sizeof chunk, maxBytes - m_buffer.size()));
            if (n <= 0)
                return false;
            m_buffer.append(chunk, std::size_t(n));
        }
    }

    bool headerTooLarge() const { return m_tooLarge; }

    // The header awaitHeader() found, up to its empty line.
    std::string_view header() const
    {
        const std::string_view pending = std::string_view(m_buffer).substr(m_pos);
        const std::size_t crlf = pending.find("\r\n\r\n");
        const std::size_t lf = pending.find("\n\n");
        return pending.substr(0, std::min(crlf, lf));
    }

    // Sends a whole reply that ends the connection.
    void sendFinal(const std::string &reply) { write(reply.data(), reply.size()); }

    // Ends the connection gracefully: our side is shut, and what the peer still sends is
    // read (bounded) until it closes or lingerMs pass. Closing on unread bytes would
    // reset the connection, and the peer could lose the answer before reading it.
    void linger(int lingerMs)
    {
        ::shutdown(m_fd, SHUT_WR);
        const Clock::time_point deadline = after(lingerMs);
        char chunk[4096];
        for (std::size_t drained = 0; drained < MaxLingerBytes && waitFor(m_fd, POLLIN, deadline);) {
            const ssize_t n = receive(chunk, sizeof chunk);
            if (n <= 0)
                break;
            drained += std::size_t(n);
        }
    }

    // Waits for the first byte of a next request.
    bool awaitRequest(int ms) const { return m_pos < m_buffer.size() || waitFor(m_fd, POLLIN, after(ms)); }
    // A request's body must arrive by `deadline`, and after the grace time at the
    // minimum rate: a peer that trickles it cannot hold the thread for long.
    void startBody(Clock::time_point deadline)
    {
        m_readDeadline = deadline;
        m_bodyStart = Clock::now();
        m_bodyBytes = 0;
    }

    bool is_readable() const override
    {
        return m_pos < m_buffer.size() || waitFor(m_fd, POLLIN, readDeadline());
    }

    bool is_writable() const override
    {
        if (!waitFor(m_fd, POLLOUT, after(m_writeTimeoutMs)))
            return false;
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR)))
            return false;
        return true;
    }

    ssize_t read(char *ptr, size_t size) override
    {
        if (m_pos < m_buffer.size()) {
            const std::size_t n = std::min(size, m_buffer.size() - m_pos);
            std::memcpy(ptr, m_buffer.data() + m_pos, n);
            m_pos += n;
            return ssize_t(n);
        }
        if (!waitFor(m_fd, POLLIN, readDeadline()))
            return -1;
        const ssize_t n = receive(ptr, size);
        if (n > 0)
            m_bodyBytes += std::size_t(n);
        return n;
    }

    ssize_t write(const char *ptr, size_t size) override
    {
        if (!waitFor(m_fd, POLLOUT, after(m_writeTimeoutMs)))
            return -1;
        ssize_t n;
        do {
            n = ::send(m_fd, ptr, size, MSG_NOSIGNAL);
        } while (n < 0 && errno == EINTR);
        return n;
    }

    void get_remote_ip_and_port(std::string &ip, int &port) const override
    {
        sockaddr_storage addr{};
        socklen_t length = sizeof addr;
        if (::getpeername(m_fd, reinterpret_cast<sockaddr *>(&addr), &length) == 0)
            addressOf(addr, length, ip, port);
    }

    void get_local_ip_and_port(std::string &ip, int &port) const override
    {
        sockaddr_storage addr{};
        socklen_t length = sizeof addr;
        if (::getsockname(m_fd, reinterpret_cast<sockaddr *>(&addr), &length) == 0)
            addressOf(addr, length, ip, port);
    }

    socket_t socket() const override { return m_fd; }

private:
    // The earlier of the body's deadline and the time by which the bytes read so far (and
    // the next one) were due at the minimum rate.
    Clock::time_point readDeadline() const
    {
        if (m_minBodyRate <= 0)
            return m_readDeadline;
        const auto due = m_bodyStart + std::chrono::milliseconds(m_bodyGraceMs)
                         + std::chrono::milliseconds((m_bodyBytes + 1) * 1000 / std::size_t(m_minBodyRate));
        return std::min(m_readDeadline, due);
    }

    ssize_t receive(char *ptr, std::size_t size) const
    {
        ssize_t n;
        do {
            n = ::recv(m_fd, ptr, size, 0);
        } while (n < 0 && errno == EINTR);
        return n;
    }

    int m_fd;
    int m_writeTimeoutMs;
    int m_bodyGraceMs;
    int m_minBodyRate;
    Clock::time_point m_readDeadline = Clock::now();
    Clock::time_point m_bodyStart = Clock::now();
    std::size_t m_bodyBytes = 0; // read from the socket since startBody()
    std::string m_buffer; // read ahead while waiting for a header
    std::size_t m_pos = 0;
    bool m_tooLarge = false;
};
} // namespace

HttpListener::HttpListener(const Limits &limits)
    : m_limits(limits)
{
    new_task_queue = [this] { return createQueue(); };
    // Only SO_REUSEADDR: SO_REUSEPORT (the library's default) would let a second server
    // bind the same port and take half of the connections.
    set_socket_options([](socket_t sock) {
        const int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
}

httplib::TaskQueue *HttpListener::createQueue()
{
    auto waiter = std::make_unique<HeaderWaiter>(m_limits.maxHeaderBytes, m_limits.headerTimeoutMs,
                                                 std::size_t(std::max(0, m_limits.maxHeaderWaiters)),
                                                 [this](int fd) { dispatch(fd); });
    auto *queue = new ConnectionQueue(m_limits.threads, m_limits.maxQueuedConnections, m_waiting, [this] {
        // The waiter must not hand connections to a queue that is going away; those it
        // still holds are closed.
        std::unique_ptr<HeaderWaiter> waiter;
        {
            std::lock_guard<std::mutex> guard(m_queueMutex);
            m_queue = nullptr;
            waiter = std::move(m_waiter);
        }
        if (waiter)
            waiter->stop();
    });
    std::lock_guard<std::mutex> guard(m_queueMutex);
    m_queue = queue;
    m_waiter = std::move(waiter);
    return queue;
}

std::size_t HttpListener::connectionsAwaitingHeader() const
{
    std::lock_guard<std::mutex> guard(m_queueMutex);
    return m_waiter ? m_waiter->waiting() : 0;
}

void HttpListener::dispatch(socket_t sock)
{
    std::lock_guard<std::mutex> guard(m_queueMutex);
    if (!m_queue) {
        ::close(sock);
        return;
    }
    m_queue->enqueue([this, sock] {
        if (ConnectionQueue::refusing())
            refuseBusy(sock);
        else
            serve(sock);
    });
}

bool HttpListener::raiseBacklog()
{
    const socket_t sock = svr_sock_;
    // Listening again on a listening socket only changes its backlog.
    return sock != INVALID_SOCKET && ::listen(sock, m_limits.backlog) == 0;
}

bool HttpListener::busy() const
{
    return m_waiting.load() > 0 || m_active.load() * 4 > m_limits.threads * 3;
}

void HttpListener::refuseBusy(socket_t sock)
{
    ConnectionStream stream(sock, m_limits.writeTimeoutMs);
    // The request is read first (briefly), as a client may not look at an answer
    // before it has sent its request.
    stream.awaitHeader(after(std::min(m_limits.headerTimeoutMs, m_limits.lingerMs)), m_limits.maxHeaderBytes);
    static const std::string Body = "busy, try again later";
    stream.sendFinal("HTTP/1.1 503 Service Unavailable\r\nRetry-After: " + std::to_string(m_limits.retryAfterSeconds)
                     + "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(Body.size())
                     + "\r\nConnection: close\r\n\r\n" + Body);
    stream.linger(m_limits.lingerMs);
    ::close(sock);
}

bool HttpListener::process_and_close_socket(socket_t sock)
{
    if (ConnectionQueue::refusing()) {
        refuseBusy(sock);
        return false;
    }
    // A connection whose header is still on its way waits without a thread.
    if (!HeaderWaiter::worthServing(sock, m_limits.maxHeaderBytes)) {
        std::lock_guard<std::mutex> guard(m_queueMutex);
        if (m_waiter && m_waiter->watch(sock))
            return true;
    }
    return serve(sock);
}

bool HttpListener::serve(socket_t sock)
{
    ++m_active;
    ConnectionStream stream(sock, m_limits.writeTimeoutMs, m_limits.bodyGraceMs, m_limits.minBodyBytesPerSecond);
    bool ok = stream.awaitHeader(after(m_limits.headerTimeoutMs), m_limits.maxHeaderBytes);
    int refused = 0;
    for (int served = 1; ok; ++served) {
        // A body framed two ways, or longer than allowed, is never read.
        refused = RequestFraming::check(stream.header(), m_limits.maxBodyBytes);
        if (refused)
            break;
        stream.startBody(after(m_limits.bodyTimeoutMs));
        const bool closeAfter = served >= m_limits.maxRequestsPerConnection || busy()
                                || svr_sock_ == INVALID_SOCKET;
        bool closed = false;
        ok = process_request(stream, closeAfter, closed, nullptr);
        if (!ok || closeAfter || closed)
            break;
        // An idle connection gives its thread back after keepAliveMs, or sooner when other
        // connections wait for one, but not at once: each close of an idle connection races
        // with a next request its client may be sending, most likely right after an answer.
        const Clock::time_point idleStart = Clock::now();
        const Clock::time_point idleEnd = after(m_limits.keepAliveMs);
        const Clock::time_point yieldFrom = after(std::min(m_limits.keepAliveMs, MinIdleMs));
        bool next = false;
        for (Clock::time_point now = idleStart; !next && now < idleEnd; now = Clock::now()) {
            if (svr_sock_ == INVALID_SOCKET || (now >= yieldFrom && busy()))
                break;
            next = stream.awaitRequest(IdleSliceMs);
        }
        ok = next && stream.awaitHeader(after(m_limits.headerTimeoutMs), m_limits.maxHeaderBytes);
    }
    if (stream.headerTooLarge())
        stream.sendFinal("HTTP/1.1 431 Request Header Fields Too Large\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    else if (refused == 413)
        stream.sendFinal("HTTP/1.1 413 Payload Too Large\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    else if (refused)
        stream.sendFinal("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
    stream.linger(m_limits.lingerMs);
    ::close(sock);
    --m_active;
    return ok;
}

} // namespace PennovaServer
