#include "versionhelper.h"

#include "replyguards.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace ZeltraLib {

namespace {
const QString ServicePath = QStringLiteral("GetTesselFileList.ashx");
}

VersionHelper::VersionHelper(const QString &host, QObject *parent)
    : QObject(parent)
    , m_baseUrl(QStringLiteral("http://") + host + QLatin1Char('/'))
{
    setTimeOut(DefaultTimeOutMs);
    connect(&m_latest, &GuardedReply::replied, this,
            [this](QNetworkReply *reply) { Q_EMIT GetLastestVersionFinished(split(reply, QLatin1Char('|'))); });
    connect(&m_latest, &GuardedReply::timedOut, this, [this] { Q_EMIT GetLastestVersionFinished({}); });
    connect(&m_fileList, &GuardedReply::replied, this,
            [this](QNetworkReply *reply) { Q_EMIT GetVersionFileListFinished(split(reply, QLatin1Char(';'))); });
    connect(&m_fileList, &GuardedReply::timedOut, this, [this] { Q_EMIT GetVersionFileListFinished({}); });
    connect(&m_blocking, &GuardedReply::replied, this, [this](QNetworkReply *reply) {
        m_blockResult = split(reply, QLatin1Char('|'));
        m_loop.quit();
    });
    connect(&m_blocking, &GuardedReply::timedOut, &m_loop, &QEventLoop::quit);
}

void VersionHelper::setTimeOut(int ms)
{
    m_latest.setTimeOut(ms);
    m_fileList.setTimeOut(ms);
    m_blocking.setTimeOut(ms);
}

QNetworkReply *VersionHelper::startLatest()
{
    QNetworkReply *reply = m_manager.get(QNetworkRequest(QUrl(m_baseUrl + ServicePath)));
    abortOnLargeBody(reply, MaxReplyBytes);
    return reply;
}

void VersionHelper::OnGetLastestVersion()
{
    m_latest.start(startLatest());
}

QStringList VersionHelper::getLatestVersionInBlock()
{
    m_blockResult.clear();
    m_blocking.start(startLatest());
    if (m_blocking.isPending())
        m_loop.exec();
    m_blocking.abandon();
    return m_blockResult;
}

void VersionHelper::OnGetVersionFileList(const QString &versionId)
{
    QNetworkRequest request(QUrl(m_baseUrl + ServicePath));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    QNetworkReply *reply = m_manager.post(request, "version=" + QUrl::toPercentEncoding(versionId));
    abortOnLargeBody(reply, MaxReplyBytes);
    m_fileList.start(reply);
}

QStringList VersionHelper::split(QNetworkReply *reply, QChar separator)
{
    if (reply->error() != QNetworkReply::NoError)
        return {};
    const QString text = QString::fromUtf8(reply->readAll());
    if (text.isEmpty())
        return {};
    return text.split(separator);
}

} // namespace ZeltraLib
