#include "networkhelper.h"

#include "replyguards.h"
#include "servicereply.h"

#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QUrl>

namespace ZeltraLib {

NetworkHelper::NetworkHelper(QObject *parent)
    : QObject(parent)
{
    connect(&m_checkManager, &QNetworkAccessManager::finished, this, &NetworkHelper::slotFinished);
    connect(&m_downloadManager, &QNetworkAccessManager::finished, this,
            &NetworkHelper::slotDownloadFinished);
}

NetworkHelper::~NetworkHelper()
{
    if (m_process) {
        disconnect(m_process, nullptr, this, nullptr);
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

void NetworkHelper::checkHttp(const QString &url)
{
    // The body is never read: it must not pile up either.
    abortOnLargeBody(m_checkManager.get(QNetworkRequest(QUrl(url))), MaxServiceReplyBytes);
}

void NetworkHelper::setTimeoutMs(int ms)
{
    m_checkManager.setTransferTimeout(qMax(0, ms));
}

void NetworkHelper::checkHttp(const QNetworkProxy &proxy, const QString &url)
{
    m_checkManager.setProxy(proxy);
    checkHttp(url);
}

void NetworkHelper::download(const QString &url)
{
    abortOnLargeBody(m_downloadManager.get(QNetworkRequest(QUrl(url))), MaxDownloadBytes);
}

void NetworkHelper::slotFinished(QNetworkReply *reply)
{
    const bool ok = reply->error() == QNetworkReply::NoError;
    reply->deleteLater();
    Q_EMIT signalCheckHttpFinished(ok);
}

void NetworkHelper::slotDownloadFinished(QNetworkReply *reply)
{
    QByteArray data;
    if (reply->error() == QNetworkReply::NoError) {
        data = reply->read(MaxDownloadBytes + 1);
        if (data.size() > MaxDownloadBytes)
            data.clear();
    }
    reply->deleteLater();
    Q_EMIT signalDownloadFinished(data);
}

void NetworkHelper::setPingProgram(const QString &program)
{
    m_pingProgram = program;
}

void NetworkHelper::ping(const QString &host, int tries)
{
    m_tries = tries;
    m_pingHost = pingTarget(host);
    if (m_pingHost.isEmpty()) {
        if (m_process) {
            disconnect(m_process, nullptr, this, nullptr);
            m_process->kill();
            m_process->deleteLater();
            m_process = nullptr;
        }
        QMetaObject::invokeMethod(
            this, [this] { Q_EMIT signalPingFinished(-1); }, Qt::QueuedConnection);
        return;
    }
    startPing();
}

void NetworkHelper::startPing()
{
    if (m_process) { // an earlier run is abandoned, its output no longer counts
        disconnect(m_process, nullptr, this, nullptr);
        m_process->kill();
        m_process->deleteLater();
    }
    m_process = new QProcess(this);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    m_process->setProcessEnvironment(env);
    connect(m_process, &QProcess::finished, this, &NetworkHelper::slotPingFinished);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            slotPingFinished();
    });
    m_process->start(m_pingProgram, {QStringLiteral("-c"), QStringLiteral("1"), m_pingHost},
                     QIODevice::ReadWrite);
}

void NetworkHelper::slotPingFinished()
{
    if (!m_process)
        return;
    --m_tries;
    const int time = parsePingTime(QString::fromLocal8Bit(m_process->readAllStandardOutput()));
    if (time >= 0 || m_tries <= 0) {
        disconnect(m_process, nullptr, this, nullptr);
        m_process->close();
        m_process->deleteLater();
        m_process = nullptr;
        Q_EMIT signalPingFinished(time);
        return;
    }
    startPing();
}

int NetworkHelper::parsePingTime(const QString &output)
{
    // The reply line: "... icmp_seq=1 ttl=64 time=0.045 ms" (or "time<1ms" on some
    // systems). The summary "... packet loss, time 0ms" has no "=" and is not a reply.
    static const QRegularExpression re(
        QStringLiteral("\\btime([=<])\\s*(\\d{1,9})(?:[.,]\\d+)?\\s*ms\\b"));
    const QRegularExpressionMatch match = re.match(output);
    if (!match.hasMatch())
        return -1;
    if (match.captured(1) == QLatin1String("<"))
        return 0;
    return match.captured(2).toInt();
}

QString NetworkHelper::pingTarget(const QString &host)
{
    QString target = host.trimmed();
    if (target.startsWith(QLatin1Char('['))) {
        const int end = target.indexOf(QLatin1Char(']'));
        target = end > 0 ? target.mid(1, end - 1) : QString();
    } else if (target.count(QLatin1Char(':')) == 1) {
        target = target.left(target.indexOf(QLatin1Char(':')));
    }
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9._:%-]{1,253}$"));
    if (target.startsWith(QLatin1Char('-')) || !allowed.match(target).hasMatch())
        return QString();
    return target;
}

} // namespace ZeltraLib
