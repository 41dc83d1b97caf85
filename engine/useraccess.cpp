#include "useraccess.h"

#include "resultcode.h"
#include "servicehosts.h"
#include "serviceform.h"
#include "servicereply.h"

#include <QCoreApplication>
#include <QNetworkReply>
#include <QPointer>
#include <QUrl>

namespace ZeltraLib {

namespace {

constexpr int DefaultTimeOutMs = 10 * 1000;

QPointer<UserAccess> &globalSlot()
{
    static QPointer<UserAccess> slot;
    return slot;
}

// Code of a finished reply: 2100 on a network error, else the parsed code.
ServiceReply readReply(QNetworkReply *reply)
{
    QByteArray body;
    if (!readReplyBody(reply, &body)) {
        ServiceReply failed;
        failed.code = ResultCode::NetworkError;
        return failed;
    }
    return ServiceReply::parse(body);
}

} // namespace

UserAccess::UserAccess(const QString &host, QObject *parent)
    : QObject(parent)
    , m_baseUrl(QStringLiteral("http://") + host + QLatin1Char('/'))
{
    setTimeOutMs(DefaultTimeOutMs);
    connect(&m_loginReply, &GuardedReply::replied, this, &UserAccess::OnLogin);
    connect(&m_loginReply, &GuardedReply::timedOut, this, &UserAccess::handleTimeOut);
    connect(&m_logoutReply, &GuardedReply::replied, this, &UserAccess::OnLogout);
    connect(&m_activateReply, &GuardedReply::replied, this, &UserAccess::OnActivateSession);
    connect(&m_blockLogoutReply, &GuardedReply::replied, this, &UserAccess::OnLoginInBlock);
    connect(&m_blockLogoutReply, &GuardedReply::timedOut, this, [this] {
        m_blockResult = ResultCode::NetworkError;
        m_waitLoop.exit(0);
    });
}

UserAccess::~UserAccess() = default;

QString UserAccess::baseUrl() const { return m_baseUrl; }
QString UserAccess::userName() const { return m_userName; }
QString UserAccess::passwordHash() const { return m_passwordHash; }
QString UserAccess::sessionKey() const { return m_sessionKey; }
bool UserAccess::exitAfterLogout() const { return m_exitAfterLogout; }
void UserAccess::setSessionKey(const QString &key) { m_sessionKey = key; }
void UserAccess::setUserName(const QString &name) { m_userName = name; }

void UserAccess::setTimeOutMs(int ms)
{
    m_loginReply.setTimeOut(ms);
    m_blockLogoutReply.setTimeOut(ms);
}

int UserAccess::timeOutMs() const
{
    return m_loginReply.timeOut();
}

QNetworkReply *UserAccess::post(const QString &endpoint, const QByteArray &body)
{
    return postForm(m_manager, QUrl(m_baseUrl + endpoint), body);
}

QByteArray UserAccess::sessionBody() const
{
    return formBody({{QStringLiteral("sessionKey"), m_sessionKey}});
}

void UserAccess::login(const QString &userName, const QString &passwordHash)
{
    m_exitAfterLogout = false;
    m_userName = userName;
    m_passwordHash = passwordHash;
    const QByteArray body = formBody({{QStringLiteral("userName"), m_userName},
                                      {QStringLiteral("hashUserPassword"), m_passwordHash}});
    m_loginReply.start(post(QStringLiteral("Login-new.ashx"), body));
}

void UserAccess::cancelLogin()
{
    m_loginReply.abandon();
}

void UserAccess::OnLogin(QNetworkReply *reply)
{
    const ServiceReply parsed = readReply(reply);
    if (parsed.code == ResultCode::Success) {
        m_sessionKey = parsed.first;
        if (!parsed.second.isEmpty())
            m_userName = parsed.second.split(QLatin1Char(';'), Qt::KeepEmptyParts).first();
    }
    Q_EMIT LoginFinished(parsed.code);
}

void UserAccess::handleTimeOut()
{
    Q_EMIT LoginFinished(ResultCode::NetworkError);
}

void UserAccess::logout(bool exitAfterLogout)
{
    m_exitAfterLogout = exitAfterLogout;
    if (m_sessionKey.isEmpty()) {
        Q_EMIT LogoutFinished(ResultCode::SessionError);
        return;
    }
    m_logoutReply.start(post(QStringLiteral("Logout-new.ashx"), sessionBody()));
}

void UserAccess::OnLogout(QNetworkReply *reply)
{
    Q_EMIT LogoutFinished(readReply(reply).code);
}

int UserAccess::logoutInBlock()
{
    if (m_sessionKey.isEmpty())
        return ResultCode::SessionError;
    m_blockResult = ResultCode::NetworkError;
    m_blockLogoutReply.start(post(QStringLiteral("Logout-new.ashx"), sessionBody()));
    m_waitLoop.exec();
    return m_blockResult;
}

void UserAccess::OnLoginInBlock(QNetworkReply *reply)
{
    m_blockResult = readReply(reply).code;
    m_waitLoop.exit(0);
}

void UserAccess::activateSession()
{
    if (m_sessionKey.isEmpty()) {
        Q_EMIT ActivateSessionFinished(ResultCode::SessionError);
        return;
    }
    m_activateReply.start(post(QStringLiteral("ActivateSession-new.ashx"), sessionBody()));
}

void UserAccess::OnActivateSession(QNetworkReply *reply)
{
    Q_EMIT ActivateSessionFinished(readReply(reply).code);
}

UserAccess *globalUserAccess()
{
    QPointer<UserAccess> &slot = globalSlot();
    if (!slot)
        slot = new UserAccess(AccountHost(), QCoreApplication::instance());
    return slot;
}

bool hasGlobalUserAccess()
{
    return !globalSlot().isNull();
}

UserAccess *renewGlobalUserAccess()
{
    QPointer<UserAccess> &slot = globalSlot();
    if (slot)
        slot->deleteLater();
    slot = new UserAccess(AccountHost(), QCoreApplication::instance());
    return slot;
}

} // namespace ZeltraLib
