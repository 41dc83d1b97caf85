#include "userregister.h"

#include "resultcode.h"
#include "serviceform.h"
#include "servicereply.h"

#include <QMetaObject>
#include <QNetworkReply>
#include <QUrl>

namespace ZeltraLib {

namespace {

constexpr int DefaultTimeOutMs = 10 * 1000;

// "True" means the name or address is taken; anything else, or a network error, not.
bool existsReply(QNetworkReply *reply)
{
    QByteArray body;
    return readReplyBody(reply, &body) && body == "True";
}

} // namespace

UserRegister::UserRegister(const QString &host, QObject *parent)
    : QObject(parent)
    , m_baseUrl(QStringLiteral("http://") + host + QStringLiteral("/tessel/"))
{
    setTimeOutMs(DefaultTimeOutMs);
    connect(&m_userNameReply, &GuardedReply::replied, this, &UserRegister::OnExistUserName);
    connect(&m_emailReply, &GuardedReply::replied, this, &UserRegister::OnExistUserEmail);
    connect(&m_registerReply, &GuardedReply::replied, this, &UserRegister::OnRegister);
    connect(&m_registerReply, &GuardedReply::timedOut, this, &UserRegister::handleTimeOut);
}

UserRegister::~UserRegister() = default;

QString UserRegister::baseUrl() const
{
    return m_baseUrl;
}

void UserRegister::setTimeOutMs(int ms)
{
    m_registerReply.setTimeOut(ms);
}

QNetworkReply *UserRegister::post(const QString &endpoint, const QByteArray &body)
{
    return postForm(m_manager, QUrl(m_baseUrl + endpoint), body);
}

void UserRegister::existUserName(const QString &userName)
{
    m_userNameReply.start(
        post(QStringLiteral("DoesUserNameExist"), formBody({{QStringLiteral("u"), userName}})));
}

void UserRegister::OnExistUserName(QNetworkReply *reply)
{
    Q_EMIT ExistUserNameFinished(existsReply(reply));
}

void UserRegister::existUserEmail(const QString &email)
{
    m_emailReply.start(
        post(QStringLiteral("DoesEmailExist"), formBody({{QStringLiteral("e"), email}})));
}

void UserRegister::OnExistUserEmail(QNetworkReply *reply)
{
    Q_EMIT ExistUserEmailFinished(existsReply(reply));
}

void UserRegister::registerUser(const QString &userName, const QString &email,
                                const QString &passwordHash)
{
    // Reported after the caller's call returns, like every other answer.
    auto reportLater = [this](int code) {
        QMetaObject::invokeMethod(
            this, [this, code] { Q_EMIT RegisterFinished(code); }, Qt::QueuedConnection);
    };
    if (userName.isEmpty()) {
        reportLater(ResultCode::UserNameEmpty);
        return;
    }
    if (email.isEmpty()) {
        reportLater(ResultCode::UserEmailEmpty);
        return;
    }
    const QByteArray body = formBody({{QStringLiteral("u"), userName},
                                      {QStringLiteral("e"), email, true},
                                      {QStringLiteral("p"), passwordHash}});
    m_registerReply.start(post(QStringLiteral("register"), body));
}

void UserRegister::OnRegister(QNetworkReply *reply)
{
    QByteArray body;
    if (!readReplyBody(reply, &body)) {
        Q_EMIT RegisterFinished(ResultCode::NetworkError);
        return;
    }
    Q_EMIT RegisterFinished(decodeRegisterReply(QString::fromLatin1(body)));
}

void UserRegister::handleTimeOut()
{
    Q_EMIT RegisterFinished(ResultCode::NetworkError);
}

int UserRegister::decodeRegisterReply(const QString &text)
{
    if (text == QLatin1String("success"))
        return ResultCode::Success;
    if (text == QLatin1String("error") || text.size() != 3)
        return ResultCode::UndefinedError;
    // Status digits (user name, e-mail, password), tested in this order.
    struct Rule
    {
        int position;
        char digit;
        qint32 code;
    };
    static const Rule rules[] = {
        {0, '1', ResultCode::UserNameEmpty},      {0, '2', ResultCode::UserNameDontMatchRule},
        {0, '3', ResultCode::UserNameExist},      {1, '1', ResultCode::UserEmailEmpty},
        {1, '2', ResultCode::UserEmailToolLong},  {1, '3', ResultCode::UserEmailDontMatchRule},
        {1, '4', ResultCode::UserEmailExist},     {2, '1', ResultCode::UserPasswordDontMatchRule},
    };
    for (const Rule &rule : rules) {
        if (text.at(rule.position) == QLatin1Char(rule.digit))
            return rule.code;
    }
    return ResultCode::UndefinedError;
}

} // namespace ZeltraLib
