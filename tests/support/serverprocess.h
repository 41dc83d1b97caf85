#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// pennova-server as a child process on a port the system picks (it prints the address
// it bound), so that no other program can take the port between a probe and the start.
class ServerProcess
{
public:
    ServerProcess() = default;
    ~ServerProcess();
    ServerProcess(const ServerProcess &) = delete;
    ServerProcess &operator=(const ServerProcess &) = delete;

    static QString program();
    // Another pennova-server than the built one (an installed copy).
    void setProgram(const QString &path) { m_program = path; }
    // Starts it over `dataDir` (loading its data on first use) and waits for its address;
    // false (see output()) when it ended or said nothing within timeoutMs.
    bool start(const QString &dataDir, const QStringList &options = {}, int timeoutMs = 60000);
    void stop();
    // "127.0.0.1:port" once started.
    QString host() const { return m_host; }
    QByteArray output() const { return m_output; }

private:
    QProcess m_process;
    QString m_program;
    QString m_host;
    QByteArray m_output;
};
