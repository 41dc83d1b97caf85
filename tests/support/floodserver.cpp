#include "floodserver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <string>

FloodServer::FloodServer(int status, Framing framing, std::int64_t maxBytes)
    : m_status(status)
    , m_framing(framing)
    , m_maxBytes(maxBytes)
{
    m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    socklen_t length = sizeof address;
    if (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || ::listen(m_listener, 8) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return;
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serve(); });
}

FloodServer::~FloodServer()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
    ::close(m_listener);
}

QString FloodServer::host() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

void FloodServer::serve()
{
    while (!m_stopping) {
        pollfd p{m_listener, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        answer(fd);
        ::close(fd);
    }
}

void FloodServer::answer(int fd)
{
    // The request: whatever arrives until its header ends (bodies are small here).
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos && !m_stopping) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return;
        request.append(buffer, std::size_t(n));
    }
    std::string head = "HTTP/1.1 " + std::to_string(m_status) + " Status\r\nContent-Type: text/plain\r\nConnection: close\r\n";
    if (m_framing == ContentLength)
        head += "Content-Length: " + std::to_string(m_maxBytes) + "\r\n";
    else if (m_framing == Chunked)
        head += "Transfer-Encoding: chunked\r\n";
    head += "\r\n";
    const std::string piece(64 * 1024, 'x');
    std::string chunk = piece;
    if (m_framing == Chunked) {
        char size[32];
        std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
        chunk = size + piece + "\r\n";
    }
    const auto sendAll = [this, fd](const std::string &bytes) {
        for (std::size_t done = 0; done < bytes.size();) {
            pollfd p{fd, POLLOUT, 0};
            if (m_stopping || ::poll(&p, 1, 50) < 0)
                return false;
            if (!(p.revents & POLLOUT)) {
                if (p.revents & (POLLHUP | POLLERR))
                    return false;
                continue;
            }
            const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            done += std::size_t(n);
        }
        return true;
    };
    if (!sendAll(head))
        return;
    for (std::int64_t body = 0; body < m_maxBytes; body += std::int64_t(piece.size())) {
        if (!sendAll(chunk))
            return;
        m_sent += std::int64_t(piece.size());
    }
    if (m_framing == Chunked)
        sendAll("0\r\n\r\n");
}
