#pragma once

#include "serveroptions.h"

#include <QTemporaryDir>

#include <httplib.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace PennovaServer {
class ServiceServer;
}

// A pennova-server running in this process on a free loopback port, over a temporary
// data directory, with a clock the test moves by hand.
class TestServer
{
public:
    static constexpr std::int64_t StartTime = 1'800'000'000;

    explicit TestServer(PennovaServer::ServerOptions options = defaultOptions());
    ~TestServer();

    static PennovaServer::ServerOptions defaultOptions();

    // False when the server could not be started (the test should fail then).
    bool start();
    void stop();

    httplib::Client client() const;
    httplib::Result post(const std::string &path, const std::string &body,
                         const std::string &contentType = "application/x-www-form-urlencoded") const;
    httplib::Result get(const std::string &path) const;

    // Registers an account directly in the store; true when created.
    bool addUser(const std::string &name, const std::string &email, const std::string &password);
    // Logs in through HTTP; the session key, or empty.
    std::string login(const std::string &name, const std::string &password) const;

    void advanceClock(std::int64_t seconds) { m_now += seconds; }
    PennovaServer::ServiceServer &server() { return *m_server; }
    const std::string &dataDir() const { return m_options.dataDir; }
    int port() const { return m_port; }

private:
    QTemporaryDir m_dir;
    PennovaServer::ServerOptions m_options;
    std::atomic<std::int64_t> m_now{StartTime};
    std::unique_ptr<PennovaServer::ServiceServer> m_server;
    std::thread m_thread;
    int m_port = -1;
};

// The protocol's frames and replies, as the client writes and reads them.
namespace TestFrames {
// "<N>S<M>C<zlib>" of the text.
std::string frame(const std::string &text);
// The JSON text of a check request (as the client writes it, ending in a newline).
std::string checkRequest(const std::string &session, const std::vector<std::string> &sentences,
                         const std::vector<int> &configs, const std::vector<int> &scoreErrors = {});
std::string polishRequest(const std::string &session, const std::vector<std::string> &sentences, int level);
// Splits a check reply into its records' JSON texts; false when the stream is not a
// sequence of frames each followed by 3 bytes.
bool records(const std::string &stream, std::vector<std::string> *texts);
}
