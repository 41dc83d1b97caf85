#include "keychainsecretstore.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

#include <qt6keychain/keychain.h>

namespace {

// Runs a job until it finishes or the time is up; true when it ended without error.
// `text`: the secret a read job found.
bool runJob(QKeychain::Job *job, int timeoutMs, QString *text = nullptr)
{
    QEventLoop loop;
    bool done = false;
    bool ok = false;
    // The job deletes itself once finished, also after a time-out here; the loop is the
    // connection's context, so a late end touches nothing of this call.
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&](QKeychain::Job *finished) {
        done = true;
        ok = finished->error() == QKeychain::NoError;
        if (ok && text)
            *text = static_cast<QKeychain::ReadPasswordJob *>(finished)->textData();
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    job->start();
    if (!done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return done && ok;
}

} // namespace

KeychainSecretStore::KeychainSecretStore(const QString &service, int timeoutMs)
    : m_service(service)
    , m_timeoutMs(timeoutMs)
{
}

bool KeychainSecretStore::isAvailable()
{
    if (m_available < 0) {
        // Without a session bus nothing is tried: no bus is autolaunched for this.
        const QString runtimeBus = qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus");
        if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
            && (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") || !QFileInfo::exists(runtimeBus))) {
            m_available = 0;
            return false;
        }
        // Asked of the bus daemon only: no service is started or waited for.
        const QDBusConnection bus = QDBusConnection::sessionBus();
        m_available = bus.isConnected() && bus.interface()
                && bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.secrets")).value()
            ? 1
            : 0;
    }
    return m_available == 1;
}

bool KeychainSecretStore::read(const QString &key, QString *secret)
{
    if (!isAvailable())
        return false;
    auto *job = new QKeychain::ReadPasswordJob(m_service);
    job->setInsecureFallback(false);
    job->setKey(key);
    return runJob(job, m_timeoutMs, secret);
}

bool KeychainSecretStore::write(const QString &key, const QString &secret)
{
    if (!isAvailable())
        return false;
    auto *job = new QKeychain::WritePasswordJob(m_service);
    job->setInsecureFallback(false);
    job->setKey(key);
    job->setTextData(secret);
    return runJob(job, m_timeoutMs);
}

bool KeychainSecretStore::remove(const QString &key)
{
    if (!isAvailable())
        return false;
    auto *job = new QKeychain::DeletePasswordJob(m_service);
    job->setInsecureFallback(false);
    job->setKey(key);
    return runJob(job, m_timeoutMs);
}
