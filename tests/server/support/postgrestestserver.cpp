#include "postgrestestserver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>

#include <algorithm>

#include <libpq-fe.h>

#include <pwd.h>
#include <unistd.h>

namespace {
constexpr int FirstPort = 18770;
constexpr int LastPort = 18779;
constexpr const char *User = "pennova";

// The account the server runs as when the tests run as root.
const passwd *serviceAccount()
{
    return ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr;
}
} // namespace

PostgresTestServer::~PostgresTestServer()
{
    stop();
}

QString PostgresTestServer::folderTemplate()
{
    // Under root the server runs as nobody, who may not reach root's own TMPDIR.
    const QString parent = ::geteuid() == 0 ? QStringLiteral("/tmp") : QDir::tempPath();
    return parent + QStringLiteral("/pennova-postgres-XXXXXX");
}

QString PostgresTestServer::binDir()
{
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList names = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
    for (const QString &version : names) {
        const QString bin = versions.filePath(version + "/bin");
        if (QFile::exists(bin + "/initdb") && QFile::exists(bin + "/pg_ctl"))
            return bin;
    }
    return {};
}

bool PostgresTestServer::run(const QString &program, const QStringList &arguments, int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(m_dir.path());
    if (const passwd *account = serviceAccount()) {
        process.start(QStringLiteral("setpriv"),
                      QStringList{QStringLiteral("--reuid=%1").arg(account->pw_uid),
                                  QStringLiteral("--regid=%1").arg(account->pw_gid), QStringLiteral("--clear-groups"),
                                  m_bin + "/" + program}
                          + arguments);
    } else {
        process.start(m_bin + "/" + program, arguments);
    }
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
        m_error = program + " failed: " + QString::fromLocal8Bit(process.readAll()).trimmed();
        return false;
    }
    return true;
}

bool PostgresTestServer::copyTemplate(const QString &data)
{
    // initdb costs a second of CPU and more: it runs once per machine and PostgreSQL
    // version, into a folder every test copies (under a lock, renamed into place whole).
    const QString parent = QFileInfo(folderTemplate()).path();
    const QString cluster = parent + QStringLiteral("/pennova-postgres-template-%1-%2")
                                         .arg(::geteuid())
                                         .arg(QFileInfo(m_bin).dir().dirName());
    QLockFile lock(cluster + QStringLiteral(".lock"));
    if (!lock.tryLock(180000)) {
        m_error = QStringLiteral("the PostgreSQL template folder stays locked");
        return false;
    }
    if (!QFileInfo::exists(cluster + QStringLiteral("/PG_VERSION"))) {
        if (!run(QStringLiteral("initdb"), {"-D", data, "-U", User, "--auth=trust", "-E", "UTF8", "--locale=C", "-N"},
                 120000))
            return false;
        const QString partial = cluster + QStringLiteral(".partial");
        QDir(partial).removeRecursively();
        QDir(cluster).removeRecursively();
        return runCopy(data, partial) && QDir().rename(partial, cluster);
    }
    return runCopy(cluster, data);
}

bool PostgresTestServer::runCopy(const QString &from, const QString &to)
{
    // cp -a keeps the owner (nobody under root) and the modes PostgreSQL insists on.
    QProcess copy;
    copy.setProcessChannelMode(QProcess::MergedChannels);
    copy.start(QStringLiteral("cp"), {QStringLiteral("-a"), from, to});
    if (!copy.waitForFinished(60000) || copy.exitStatus() != QProcess::NormalExit || copy.exitCode() != 0) {
        m_error = QStringLiteral("cannot copy %1: %2").arg(from, QString::fromLocal8Bit(copy.readAll()).trimmed());
        return false;
    }
    return true;
}

bool PostgresTestServer::start()
{
    m_bin = binDir();
    if (m_bin.isEmpty()) {
        m_error = QStringLiteral("PostgreSQL is not installed (scripts/install-deps.sh installs it)");
        return false;
    }
    if (!m_dir.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    const QString data = m_dir.filePath(QStringLiteral("data"));
    if (!m_initialised) {
        if (const passwd *account = serviceAccount()) {
            if (::chown(QFile::encodeName(m_dir.path()).constData(), account->pw_uid, account->pw_gid) != 0) {
                m_error = QStringLiteral("cannot hand the temporary folder to nobody");
                return false;
            }
        }
        if (!copyTemplate(data))
            return false;
        m_initialised = true;
    }
    // Another test program may hold a port of the range: the next one is tried.
    const int first = m_port ? m_port : FirstPort;
    const int last = m_port ? m_port : LastPort;
    for (int port = first; port <= last; ++port) {
        if (!claimPort(port))
            continue;
        const QString options = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 -c fsync=off "
                                               "-c synchronous_commit=off -c max_connections=300")
                                    .arg(port)
                                    .arg(m_dir.path());
        if (run(QStringLiteral("pg_ctl"),
                {"-D", data, "-l", m_dir.filePath(QStringLiteral("log")), "-w", "-t", "60", "-o", options, "start"},
                90000)) {
            m_port = port;
            m_running = true;
            m_error.clear();
            return true;
        }
        if (!m_port)
            m_portLock.reset();
    }
    // The log's end says why; QtTest cuts long messages, so the tail is kept short.
    QFile log(m_dir.filePath(QStringLiteral("log")));
    if (log.open(QIODevice::ReadOnly))
        m_error += "\n" + QString::fromLocal8Bit(log.readAll().right(600));
    return false;
}

bool PostgresTestServer::claimPort(int port)
{
    if (m_portLock)
        return true;
    auto lock = std::make_unique<QLockFile>(QStringLiteral("/tmp/pennova-postgres-port-%1.lock").arg(port));
    // Held as long as the test runs: only a dead owner makes it stale, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_portLock = std::move(lock);
    return true;
}

void PostgresTestServer::stop()
{
    if (!m_running)
        return;
    m_running = false;
    run(QStringLiteral("pg_ctl"), {"-D", m_dir.filePath(QStringLiteral("data")), "-m", "fast", "-w", "stop"}, 60000);
}

std::string PostgresTestServer::url(const std::string &database) const
{
    return std::string("postgresql://") + User + "@127.0.0.1:" + std::to_string(m_port) + "/" + database;
}

std::string PostgresTestServer::createDatabase(const std::string &name)
{
    for (char ch : name) {
        if (!((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '_')) {
            m_error = QStringLiteral("bad database name");
            return {};
        }
    }
    PGconn *conn = PQconnectdb(url("postgres").c_str());
    std::string result;
    if (PQstatus(conn) == CONNECTION_OK) {
        // The name was checked above: an identifier cannot be a parameter.
        PGresult *created = PQexec(conn, ("CREATE DATABASE " + name).c_str());
        if (PQresultStatus(created) == PGRES_COMMAND_OK)
            result = url(name);
        else
            m_error = QString::fromUtf8(PQresultErrorMessage(created));
        PQclear(created);
    } else {
        m_error = QString::fromUtf8(PQerrorMessage(conn));
    }
    PQfinish(conn);
    return result;
}
