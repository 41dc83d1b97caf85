#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <vector>

// pennova-server processes on loopback, optionally behind an unprivileged nginx run
// from a temporary prefix with the deployment's own configuration files. Used by the
// deployment test and the load benchmark.
class LocalFarm : public QObject
{
    Q_OBJECT

public:
    // serverArguments go to every server after --listen (e.g. --data DIR, --database URL).
    LocalFarm(QString serverProgram, QStringList serverArguments, QObject *parent = nullptr);
    ~LocalFarm() override;

    // The nginx program, or empty when it is not installed.
    static QString nginxProgram();
    // The folder with the deployment's nginx files.
    static QString deployNginxDir();

    // Starts `count` servers on free ports at once and waits until all listen.
    bool startServers(int count, int timeoutMs);
    // Starts nginx in front of the running servers (or of other loopback ports), its
    // upstream groups written by the deployment's generator script.
    bool startNginx(int timeoutMs, const QList<int> &otherPorts = {});
    void stop();
    // Stops one server (a process that went down); nginx keeps it in its groups.
    void stopServer(int index);

    QList<int> serverPorts() const;
    QList<qint64> serverPids() const;
    // nginx's master process, or 0.
    qint64 nginxPid() const;
    // nginx's port, or the first server's when nginx is not running.
    int frontPort() const;
    // What went wrong in the last start.
    QString error() const { return m_error; }
    // The request lines a server has logged on its standard error so far.
    QByteArray serverLog(int index);

private:
    struct Server
    {
        std::unique_ptr<QProcess> process;
        QByteArray output;
        QByteArray log;
        int port = 0;
    };

    // Runs the event loop until ready() holds or timeoutMs pass; false on time-out or when
    // failed() holds.
    bool waitFor(const std::function<bool()> &ready, const std::function<bool()> &failed, int timeoutMs);
    bool writeNginxConfig(int port, const QList<int> &upstreamPorts);
    static int freePort();

    QString m_program;
    QStringList m_arguments;
    std::vector<Server> m_servers;
    QTemporaryDir m_nginxPrefix;
    std::unique_ptr<QProcess> m_nginx;
    int m_nginxPort = 0;
    QString m_error;
};
