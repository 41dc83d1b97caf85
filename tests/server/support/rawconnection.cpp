#include "rawconnection.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

RawConnection::RawConnection(int port, const char *source)
{
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    ::inet_pton(AF_INET, source, &from.sin_addr);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(std::uint16_t(port));
    ::inet_pton(AF_INET, "127.0.0.1", &to.sin_addr);
    m_connected = ::bind(m_fd, reinterpret_cast<sockaddr *>(&from), sizeof from) == 0
                  && ::connect(m_fd, reinterpret_cast<sockaddr *>(&to), sizeof to) == 0;
}

RawConnection::~RawConnection()
{
    ::close(m_fd);
}

std::string RawConnection::formPost(const std::string &path, const std::string &body)
{
    return "POST " + path + " HTTP/1.1\r\nHost: localhost\r\nConnection: close\r\n"
           "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " + std::to_string(body.size())
           + "\r\n\r\n" + body;
}

bool RawConnection::send(const std::string &bytes)
{
    return ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
}

bool RawConnection::closedByServer()
{
    char buffer[4096];
    for (;;) {
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, 0) <= 0)
            return false;
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
        if (n < 0)
            m_reset = errno == ECONNRESET;
        if (n <= 0)
            return true;
        m_received.append(buffer, std::size_t(n));
    }
}
