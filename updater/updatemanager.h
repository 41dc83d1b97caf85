#pragma once

#include "boundednetworkaccessmanager.h"
#include "fileinstaller.h"
#include "updateplan.h"

#include <QCryptographicHash>
#include <QFile>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>
#include <memory>

class QNetworkReply;

namespace ZeltraLib {

// Downloads the files of an update into a private temporary folder, checks each against
// its SHA-256, and installs them through FileInstaller. Reports once through
// signalFinished(); signalDownloadFinished() comes before the installation.
class UpdateManager : public QObject
{
    Q_OBJECT
public:
    explicit UpdateManager(const QString &programFolder, QObject *parent = nullptr);
    ~UpdateManager() override;

    // Relative download URLs are resolved against this (the version service's address).
    void setBaseUrl(const QUrl &url) { m_baseUrl = url; }
    FileInstaller &installer() { return m_installer; }

    void setQueue(const QList<UpdatePlan::Item> &items);
    int queueSize() const { return int(m_queue.size()); }
    // Downloads from index 0.
    void startDownloads();
    // Installs the downloaded files; `commit` records the new version (see FileInstaller).
    void install(int versionId, const std::function<bool()> &commit);

    static constexpr qint64 MaxFileBytes = 512LL * 1024 * 1024;
    static constexpr qint64 ReadBufferBytes = 1024 * 1024;
    // Largest file accepted (MaxFileBytes unless changed).
    void setMaxFileBytes(qint64 bytes) { m_maxFileBytes = bytes; }

Q_SIGNALS:
    void signalDownloadFinished();
    void signalFinished(bool result);
    void signalDownloadProgress(int progress);

public Q_SLOTS:
    void slotDownloadFinished();
    void slotDownloadProgress(qint64 bytesReceived, qint64 bytesTotal);

private:
    void downloadNext();
    void fail();
    QString downloadPath(int index) const;

    ZeltraLib::BoundedNetworkAccessManager m_manager;
    QList<UpdatePlan::Item> m_queue;
    int m_index = 0;
    QUrl m_baseUrl;
    std::unique_ptr<QTemporaryDir> m_tempDir;
    QPointer<QNetworkReply> m_reply; // child of m_manager while it runs
    QFile m_file;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    qint64 m_received = 0;
    qint64 m_maxFileBytes = MaxFileBytes;
    FileInstaller m_installer;
};

} // namespace ZeltraLib
