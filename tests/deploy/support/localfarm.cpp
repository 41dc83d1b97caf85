#include "localfarm.h"

#include "pennovapaths.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTimer>

#include <algorithm>

#include <unistd.h>

LocalFarm::LocalFarm(QString serverProgram, QStringList serverArguments, QObject *parent)
    : QObject(parent)
    , m_program(std::move(serverProgram))
    , m_arguments(std::move(serverArguments))
{
}

LocalFarm::~LocalFarm()
{
    stop();
}

QString LocalFarm::nginxProgram()
{
    // Debian puts it into /usr/sbin, which a user's PATH may lack.
    const QString found = QStandardPaths::findExecutable(QStringLiteral("nginx"));
    if (!found.isEmpty())
        return found;
    return QStandardPaths::findExecutable(QStringLiteral("nginx"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
}

QString LocalFarm::deployNginxDir()
{
    return QStringLiteral(PENNOVA_SOURCE_DIR "/deploy/nginx");
}

bool LocalFarm::waitFor(const std::function<bool()> &ready, const std::function<bool()> &failed, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (ready() || failed() || clock.hasExpired(timeoutMs))
            loop.quit();
    });
    poll.start(20);
    if (!ready() && !failed())
        loop.exec();
    return ready() && !failed();
}

bool LocalFarm::startServers(int count, int timeoutMs)
{
    m_error.clear();
    static const QRegularExpression listening(QStringLiteral("^listening on 127\\.0\\.0\\.1:(\\d+)\\n"));
    for (int i = 0; i < count; ++i) {
        m_servers.push_back(Server{std::make_unique<QProcess>(), {}, {}, 0});
        QProcess *process = m_servers.back().process.get();
        const std::size_t index = m_servers.size() - 1;
        connect(process, &QProcess::readyReadStandardOutput, this, [this, index] {
            Server &s = m_servers[index];
            s.output += s.process->readAllStandardOutput();
            const QRegularExpressionMatch m = listening.match(QString::fromUtf8(s.output));
            if (m.hasMatch())
                s.port = m.captured(1).toInt();
        });
        connect(process, &QProcess::readyReadStandardError, this,
                [this, index] { m_servers[index].log += m_servers[index].process->readAllStandardError(); });
        process->start(m_program, QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")} + m_arguments);
    }
    const auto allListen = [this] {
        return std::all_of(m_servers.begin(), m_servers.end(), [](const Server &s) { return s.port > 0; });
    };
    const auto anyEnded = [this] {
        return std::any_of(m_servers.begin(), m_servers.end(),
                           [](const Server &s) { return s.process->state() == QProcess::NotRunning; });
    };
    if (waitFor(allListen, anyEnded, timeoutMs))
        return true;
    for (Server &s : m_servers) {
        s.log += s.process->readAllStandardError();
        if (s.port == 0) {
            m_error = QStringLiteral("pennova-server did not start: ") + QString::fromUtf8(s.log.right(2000));
            break;
        }
    }
    return false;
}

int LocalFarm::freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool LocalFarm::writeNginxConfig(int port, const QList<int> &upstreamPorts)
{
    const QString prefix = m_nginxPrefix.path();
    QStringList servers;
    for (int upstream : upstreamPorts)
        servers << QStringLiteral("127.0.0.1:%1").arg(upstream);
    // The upstream groups as the deployment's script writes them.
    QProcess script;
    script.setStandardOutputFile(prefix + "/pennova-upstreams.conf");
    script.start(QStringLiteral("bash"), QStringList{deployNginxDir() + "/pennova-upstreams.sh"} + servers);
    if (!script.waitForFinished(30000) || script.exitStatus() != QProcess::NormalExit || script.exitCode() != 0) {
        m_error = QStringLiteral("pennova-upstreams.sh failed: ") + QString::fromUtf8(script.readAllStandardError());
        return false;
    }
    QFile file(prefix + "/nginx.conf");
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = file.errorString();
        return false;
    }
    QString text;
    // As root nginx would hand its workers to an account that cannot enter the prefix.
    if (::geteuid() == 0)
        text += "user root;\n";
    text += QStringLiteral(
                "daemon off;\n"
                "worker_processes 2;\n"
                "pid %1/nginx.pid;\n"
                "error_log %1/error.log warn;\n"
                "events { worker_connections 1024; }\n"
                "http {\n"
                "    access_log off;\n"
                // As a site that compresses every reply it can.
                "    gzip on;\n"
                "    gzip_types application/octet-stream;\n"
                "    gzip_min_length 1;\n"
                "    client_body_temp_path %1/client_body;\n"
                "    proxy_temp_path %1/proxy;\n"
                "    fastcgi_temp_path %1/fastcgi;\n"
                "    uwsgi_temp_path %1/uwsgi;\n"
                "    scgi_temp_path %1/scgi;\n"
                "    include %1/pennova-upstreams.conf;\n"
                "    include %2/pennova-http.conf;\n"
                "    server {\n"
                "        listen 127.0.0.1:%3;\n"
                "        include %2/pennova-proxy.conf;\n"
                "    }\n"
                "}\n")
                .arg(prefix, deployNginxDir())
                .arg(port);
    return file.write(text.toUtf8()) == text.toUtf8().size();
}

bool LocalFarm::startNginx(int timeoutMs, const QList<int> &otherPorts)
{
    m_error.clear();
    const QString program = nginxProgram();
    const QList<int> upstreams = otherPorts.isEmpty() ? serverPorts() : otherPorts;
    if (program.isEmpty() || upstreams.isEmpty() || !m_nginxPrefix.isValid()) {
        m_error = QStringLiteral("nginx is not installed, or no server runs");
        return false;
    }
    const QString prefix = m_nginxPrefix.path();
    // A port found free may be taken by someone else before nginx binds it: try again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int port = freePort();
        if (port == 0 || !writeNginxConfig(port, upstreams))
            return false;
        QFile::remove(prefix + "/nginx.pid");
        m_nginx = std::make_unique<QProcess>();
        m_nginx->setProcessChannelMode(QProcess::MergedChannels);
        m_nginx->start(program, {"-p", prefix + "/", "-c", prefix + "/nginx.conf", "-e", prefix + "/error.log"});
        QProcess *nginx = m_nginx.get();
        // The master writes its pid file after it has bound the listening socket.
        if (waitFor([&] { return QFile::exists(prefix + "/nginx.pid"); },
                    [nginx] { return nginx->state() == QProcess::NotRunning; }, timeoutMs)) {
            m_nginxPort = port;
            return true;
        }
        m_nginx->kill();
        m_nginx->waitForFinished(5000);
        QFile log(prefix + "/error.log");
        m_error = QStringLiteral("nginx did not start: ") + QString::fromUtf8(m_nginx->readAll())
                  + (log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll().right(2000)) : QString());
        m_nginx.reset();
    }
    return false;
}

void LocalFarm::stop()
{
    if (m_nginx) {
        m_nginx->terminate();
        if (!m_nginx->waitForFinished(10000))
            m_nginx->kill();
        m_nginx->waitForFinished(5000);
        m_nginx.reset();
        m_nginxPort = 0;
    }
    for (Server &s : m_servers)
        s.process->terminate();
    for (Server &s : m_servers) {
        if (!s.process->waitForFinished(30000))
            s.process->kill();
        s.process->waitForFinished(5000);
    }
    m_servers.clear();
}

void LocalFarm::stopServer(int index)
{
    QProcess &process = *m_servers.at(std::size_t(index)).process;
    process.terminate();
    if (!process.waitForFinished(30000))
        process.kill();
    process.waitForFinished(5000);
}

QList<int> LocalFarm::serverPorts() const
{
    QList<int> ports;
    for (const Server &s : m_servers)
        ports << s.port;
    return ports;
}

QList<qint64> LocalFarm::serverPids() const
{
    QList<qint64> pids;
    for (const Server &s : m_servers)
        pids << s.process->processId();
    return pids;
}

qint64 LocalFarm::nginxPid() const
{
    return m_nginx ? m_nginx->processId() : 0;
}

int LocalFarm::frontPort() const
{
    if (m_nginxPort > 0)
        return m_nginxPort;
    return m_servers.empty() ? 0 : m_servers.front().port;
}

QByteArray LocalFarm::serverLog(int index)
{
    Server &s = m_servers.at(std::size_t(index));
    s.log += s.process->readAllStandardError();
    return s.log;
}
