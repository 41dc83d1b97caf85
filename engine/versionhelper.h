#pragma once

#include "boundednetworkaccessmanager.h"
#include "guardedreply.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QObject>
#include <QStringList>

namespace ZeltraLib {

// The version service: the newest version ("GetTesselFileList.ashx", GET) and the file
// list of one version (POST "version="). Replies are "|"-separated (latest version) or
// ";"-separated (file list); a network error, a time-out or an oversized body gives an
// empty list.
class VersionHelper : public QObject
{
    Q_OBJECT
public:
    // `host` is "host:port" (AccountHost in both programs).
    explicit VersionHelper(const QString &host, QObject *parent = nullptr);

    QString baseUrl() const { return m_baseUrl; }
    // Time-out of every query in milliseconds; 0 = none.
    void setTimeOut(int ms);

    // The blocking latest-version query: nests an event loop until the reply, the
    // time-out, or a network error. Empty on failure.
    QStringList getLatestVersionInBlock();

    static constexpr qint64 MaxReplyBytes = 1024 * 1024;
    static constexpr int DefaultTimeOutMs = 15000;

public Q_SLOTS:
    void OnGetLastestVersion();
    void OnGetVersionFileList(const QString &versionId);

Q_SIGNALS:
    void GetLastestVersionFinished(QStringList result);
    void GetVersionFileListFinished(QStringList result);

private:
    QNetworkReply *startLatest();
    static QStringList split(QNetworkReply *reply, QChar separator);

    QString m_baseUrl;
    ZeltraLib::BoundedNetworkAccessManager m_manager;
    GuardedReply m_latest;
    GuardedReply m_fileList;
    GuardedReply m_blocking;
    QEventLoop m_loop;
    QStringList m_blockResult;
};

} // namespace ZeltraLib
