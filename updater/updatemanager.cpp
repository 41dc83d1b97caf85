#include "updatemanager.h"

#include "replyguards.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace ZeltraLib {

UpdateManager::UpdateManager(const QString &programFolder, QObject *parent)
    : QObject(parent)
    , m_installer(programFolder)
{
}

UpdateManager::~UpdateManager()
{
    if (m_reply) {
        disconnect(m_reply, nullptr, this, nullptr);
        m_reply->abort();
    }
}

void UpdateManager::setQueue(const QList<UpdatePlan::Item> &items)
{
    m_queue = items;
}

QString UpdateManager::downloadPath(int index) const
{
    // Numbered, not named: two entries may share a name in different folders.
    return m_tempDir->filePath(QString::number(index));
}

void UpdateManager::startDownloads()
{
    // A folder only this user can enter, made afresh, instead of fixed names in the
    // shared temporary folder.
    m_tempDir = std::make_unique<QTemporaryDir>();
    if (!m_tempDir->isValid() || m_queue.isEmpty())
        return fail();
    m_index = 0;
    downloadNext();
}

void UpdateManager::downloadNext()
{
    m_file.setFileName(downloadPath(m_index));
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail();
    m_hash.reset();
    m_received = 0;
    const QUrl url = m_baseUrl.resolved(QUrl(m_queue[m_index].entry.url));
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return fail();
    QNetworkReply *reply = m_manager.get(QNetworkRequest(url));
    m_reply = reply;
    // Streamed to the file as it comes: the network waits while a piece is written and
    // hashed, instead of reading the whole file ahead into memory. A declared or received
    // length beyond the bound ends the download at once.
    reply->setReadBufferSize(ReadBufferBytes);
    abortOnLargeBody(reply, m_maxFileBytes);
    connect(reply, &QNetworkReply::downloadProgress, this, &UpdateManager::slotDownloadProgress);
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
        if (!reply->isOpen())
            return;
        const QByteArray data = reply->readAll();
        m_received += data.size();
        if (m_received > m_maxFileBytes || m_file.write(data) != data.size()) {
            reply->abort();
            return;
        }
        m_hash.addData(data);
    });
    connect(reply, &QNetworkReply::finished, this, &UpdateManager::slotDownloadFinished);
}

void UpdateManager::slotDownloadProgress(qint64 bytesReceived, qint64 bytesTotal)
{
    const double share = 100.0 / double(m_queue.size());
    const double done = bytesTotal > 0 ? double(bytesReceived) / double(bytesTotal) : 0.0;
    Q_EMIT signalDownloadProgress(int(share * done + m_index * share));
}

void UpdateManager::slotDownloadFinished()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    m_reply = nullptr;
    reply->deleteLater();
    disconnect(reply, nullptr, this, nullptr);
    const QByteArray rest = reply->isOpen() ? reply->readAll() : QByteArray(); // closed once aborted
    m_received += rest.size();
    const bool written = m_received <= m_maxFileBytes && m_file.write(rest) == rest.size() && m_file.flush();
    m_hash.addData(rest);
    m_file.close();
    if (reply->error() != QNetworkReply::NoError || !written
        || QString::fromLatin1(m_hash.result().toHex()) != m_queue[m_index].entry.sha256)
        return fail();
    ++m_index;
    Q_EMIT signalDownloadProgress(int(100.0 / double(m_queue.size()) * m_index));
    if (m_index < m_queue.size())
        return downloadNext();
    Q_EMIT signalDownloadFinished();
}

void UpdateManager::install(int versionId, const std::function<bool()> &commit)
{
    QList<FileInstaller::Item> items;
    for (int i = 0; i < m_queue.size(); ++i)
        items.append({downloadPath(i), m_queue[i].target});
    QString error;
    const bool installed = m_tempDir && m_index == m_queue.size() && m_installer.install(items, versionId, commit, &error);
    m_tempDir.reset();
    Q_EMIT signalFinished(installed);
}

void UpdateManager::fail()
{
    if (m_file.isOpen())
        m_file.close();
    m_tempDir.reset();
    Q_EMIT signalFinished(false);
}

} // namespace ZeltraLib
