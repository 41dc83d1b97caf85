#pragma once

#include <string>

// A loopback TCP connection driven by hand, from a chosen source address.
class RawConnection
{
public:
    explicit RawConnection(int port, const char *source = "127.0.0.1");
    ~RawConnection();
    RawConnection(const RawConnection &) = delete;
    RawConnection &operator=(const RawConnection &) = delete;

    // A form POST as the client writes it, closing the connection after the answer.
    static std::string formPost(const std::string &path, const std::string &body);

    bool connected() const { return m_connected; }
    bool send(const std::string &bytes);

    // Reads what has arrived; true once the server has closed the connection.
    bool closedByServer();
    const std::string &received() const { return m_received; }
    bool wasReset() const { return m_reset; }

private:
    int m_fd = -1;
    bool m_connected = false;
    bool m_reset = false;
    std::string m_received;
};
