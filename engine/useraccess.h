#pragma once

#include "boundednetworkaccessmanager.h"
#include "guardedreply.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>

class QNetworkReply;

namespace ZeltraLib {

// The signed-in user's session: login, logout, blocking logout and session keep-alive on
// the account service. Every operation reports once through its Finished signal with a
// ResultCode. One object per process is reached through globalUserAccess(); tests and
// other owners may construct their own with any host.
class UserAccess : public QObject
{
    Q_OBJECT
public:
    // `host` is "host:port"; the base URL is "http://" + host + "/".
    explicit UserAccess(const QString &host, QObject *parent = nullptr);
    ~UserAccess() override;

    QString baseUrl() const;
    QString userName() const;
    QString passwordHash() const;
    QString sessionKey() const;
    bool exitAfterLogout() const;

    // Used by the third-party sign-in, which receives the session from a web page.
    void setSessionKey(const QString &key);
    void setUserName(const QString &name);

    // Guard of the login (and the blocking logout), in milliseconds; 10 000 by default.
    void setTimeOutMs(int ms);
    int timeOutMs() const;

    // Logs in with the trimmed user name and the 32-digit password hash. Starting a login
    // while another is pending abandons the earlier one.
    void login(const QString &userName, const QString &passwordHash);
    // Drops a pending login without any signal: its reply, even a late success, can no
    // longer open a session the user has walked away from.
    void cancelLogin();
    void logout(bool exitAfterLogout);
    // Waits in a nested event loop for the logout reply and returns its code (2300 at once
    // without a session; 2100 on a network error or when the guard runs out).
    int logoutInBlock();
    void activateSession();

Q_SIGNALS:
    void explains();
    void LoginFinished(int result);
    void LogoutFinished(int result);
    void ActivateSessionFinished(int result);

private Q_SLOTS:
    void OnLogin(QNetworkReply *reply);
    void OnLoginInBlock(QNetworkReply *reply);
    void OnLogout(QNetworkReply *reply);
    void OnActivateSession(QNetworkReply *reply);
    void handleTimeOut();

private:
    QNetworkReply *post(const QString &endpoint, const QByteArray &body);
    QByteArray sessionBody() const;

    QString m_baseUrl;
    ZeltraLib::BoundedNetworkAccessManager m_manager;
    GuardedReply m_loginReply;
    GuardedReply m_logoutReply;
    GuardedReply m_activateReply;
    GuardedReply m_blockLogoutReply;
    QString m_userName;
    QString m_passwordHash;
    QString m_sessionKey;
    bool m_exitAfterLogout = false;
    QEventLoop m_waitLoop;
    int m_blockResult = 0;
};

// The process-wide session. Created on first call with AccountHost(), after the
// application object exists (it becomes the object's parent).
UserAccess *globalUserAccess();
// True when the process-wide session exists; does not create it.
bool hasGlobalUserAccess();
// After a logout that does not end the program: drops the current object (deleteLater())
// and installs a fresh one with an empty session, which is returned.
UserAccess *renewGlobalUserAccess();

} // namespace ZeltraLib
