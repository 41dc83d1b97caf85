#pragma once

#include "boundednetworkaccessmanager.h"
#include "guardedreply.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QString>

class QNetworkReply;

namespace ZeltraLib {

// Registration on the product web site: user-name and e-mail checks and the registration
// itself, each reporting once through its Finished signal.
class UserRegister : public QObject
{
    Q_OBJECT
public:
    // `host` is "host:port"; the base URL is "http://" + host + "/tessel/".
    explicit UserRegister(const QString &host, QObject *parent = nullptr);
    ~UserRegister() override;

    QString baseUrl() const;

    // Guard of the registration in milliseconds; 10 000 by default.
    void setTimeOutMs(int ms);

    void existUserName(const QString &userName);
    void existUserEmail(const QString &email);
    // An empty name reports 1007 and an empty e-mail 1008 without a request. The e-mail
    // is sent with every "+" written as "%2b".
    void registerUser(const QString &userName, const QString &email, const QString &passwordHash);

    // The code of a registration reply: "success" -1, "error" 999, else the three status
    // digits (user name, e-mail, password) in that order, the first rule that matches.
    static int decodeRegisterReply(const QString &text);

Q_SIGNALS:
    void explains();
    void ExistUserNameFinished(bool exists);
    void ExistUserEmailFinished(bool exists);
    void RegisterFinished(int code);

private Q_SLOTS:
    void OnExistUserName(QNetworkReply *reply);
    void OnExistUserEmail(QNetworkReply *reply);
    void OnRegister(QNetworkReply *reply);
    void handleTimeOut();

private:
    QNetworkReply *post(const QString &endpoint, const QByteArray &body);

    QString m_baseUrl;
    ZeltraLib::BoundedNetworkAccessManager m_manager;
    GuardedReply m_userNameReply;
    GuardedReply m_emailReply;
    GuardedReply m_registerReply;
};

} // namespace ZeltraLib
