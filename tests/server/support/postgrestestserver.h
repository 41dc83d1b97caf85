#pragma once

#include <QLockFile>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>

// A PostgreSQL server of Debian's packages in a temporary folder, on a loopback port,
// for the tests of the shared database. Runs as an unprivileged user when the tests
// run as root (PostgreSQL refuses root). Stopped and removed on destruction.
class PostgresTestServer
{
public:
    PostgresTestServer() = default;
    ~PostgresTestServer();
    PostgresTestServer(const PostgresTestServer &) = delete;
    PostgresTestServer &operator=(const PostgresTestServer &) = delete;

    // The folder of initdb and pg_ctl; empty when PostgreSQL is not installed.
    static QString binDir();

    // A fresh cluster (the first time) and pg_ctl start, on the same port again after a stop();
    // false, with error() saying why, when that fails.
    bool start();
    void stop();
    QString error() const { return m_error; }

    // Creates an empty database (name: lower-case letters, digits, '_'); its URL, or
    // empty with error() set.
    std::string createDatabase(const std::string &name);
    std::string url(const std::string &database) const;

private:
    bool run(const QString &program, const QStringList &arguments, int timeoutMs);
    // Fills `data` with a fresh cluster, copied from one initdb made before.
    bool copyTemplate(const QString &data);
    bool runCopy(const QString &from, const QString &to);
    static QString folderTemplate();
    // Claims a port of the range for this server's whole life, restarts included, so that a
    // test program running beside this one cannot take it while the server is stopped.
    bool claimPort(int port);

    QTemporaryDir m_dir{folderTemplate()};
    QString m_bin;
    QString m_error;
    int m_port = 0;
    std::unique_ptr<QLockFile> m_portLock;
    bool m_initialised = false;
    bool m_running = false;
};
