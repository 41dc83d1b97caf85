#pragma once

#include "boundednetworkaccessmanager.h"
#include "wordchoice.h"

#include <QList>
#include <QMap>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPair>
#include <QString>

class QNetworkReply;

namespace ZeltraLib {

// Session key of the usage events sent before anybody is logged in.
inline const QString AnonymousSessionKey = QStringLiteral("5206-5206");

// Usage-log client of the account service ("http://" + host + "/NotPublic/"):
// applied spelling corrections, usage-event counts, word choices and the check
// statistics of the check engine. Uploads with an empty session key or no data
// are skipped without a request or a signal.
class UserCountLog : public QObject
{
    Q_OBJECT
public:
    using ErrorLogEntry = QPair<QString, QString>; // (found text, replacement)

    // Waiting limit of the blocking event upload, so that a silent service cannot
    // hold the caller forever.
    static constexpr int BlockingTimeoutMs = 30000;

    explicit UserCountLog(const QString &host, QObject *parent = nullptr);
    ~UserCountLog() override;

    QString baseUrl() const { return m_baseUrl; }

    // "UserErrorLogBulkAdd.ashx"; AddUserErrorLogFinished() when the reply ends.
    void addUserErrorLog(const QString &sessionKey, const QList<ErrorLogEntry> &entries);
    // "UserCountBulkAdd.ashx" with group "event"; AddUserEventFinished() when the reply ends.
    void addUserEvent(const QString &sessionKey, const QMap<QString, int> &counts,
                      const QString &version);
    // The same upload, waiting in a local event loop until the reply ends; no signal.
    void addUserEventInBlock(const QString &sessionKey, const QMap<QString, int> &counts,
                             const QString &version);
    // "UserChooseBulkAdd.ashx"; sinalAddIgnorDataFinished() when the reply ends.
    void addIgnorData(const QString &sessionKey, const QList<WordChoice> &choices);
    // "UserCountBulkAdd.ashx" with a check-statistics group ("check", "error" or
    // "level"); keys are mapped to their names, keys without a name are left out.
    // The reply is not awaited.
    void addCheckCount(const QString &sessionKey, const QString &group, const QMap<int, int> &counts);

    // Name of a check-statistics key in its group; empty when it has none.
    static QString checkCountName(const QString &group, int key);

    // Request bodies, exposed for tests and tools.
    static QByteArray errorLogBody(const QString &sessionKey, const QList<ErrorLogEntry> &entries);
    static QByteArray eventBody(const QString &sessionKey, const QMap<QString, int> &counts,
                                const QString &version);
    static QByteArray choiceBody(const QString &sessionKey, const QList<WordChoice> &choices);
    static QByteArray checkCountBody(const QString &sessionKey, const QString &group,
                                     const QMap<int, int> &counts);

Q_SIGNALS:
    void explains();
    void AddUserErrorLogFinished();
    void AddUserEventFinished();
    void sinalAddIgnorDataFinished();

private Q_SLOTS:
    void OnAddUserErrorLog();
    void OnAddUserEvent();
    void slotAddIgnorDataFinished();

private:
    QNetworkReply *post(const char *endpoint, const QByteArray &body);
    // Connects `reply` so that its end calls `slot` when it is still the pending
    // reply of `member`; a reply that was replaced meanwhile is released and
    // reported on its own.
    void watch(QNetworkReply *reply, QNetworkReply *&member, void (UserCountLog::*slot)(),
               void (UserCountLog::*finished)());
    static void release(QNetworkReply *&member);

    QString m_baseUrl;
    ZeltraLib::BoundedNetworkAccessManager m_manager;
    QNetworkReply *m_errorLogReply = nullptr;
    QNetworkReply *m_eventReply = nullptr;
    QNetworkReply *m_choiceReply = nullptr;
};

} // namespace ZeltraLib
