#pragma once

#include <QString>

class QWidget;

// What the registration window hands back to the login window.
struct RegistrationOutcome
{
    bool accepted = false; // "直接登录" on the success page
    QString userName;
    QString passwordHash;
};

// The windows and programs the login window opens. Behind an interface so that the
// network-diagnosis and proxy windows can be swapped in and tests can stand in for them.
class LoginDialogs
{
public:
    virtual ~LoginDialogs() = default;

    // Runs the registration window modally.
    virtual RegistrationOutcome runRegistration(QWidget *parent) = 0;
    // Runs the third-party sign-in window (0 Sina Weibo, 1 QQ); true when it set a session.
    virtual bool runSignIn(QWidget *parent, int provider) = 0;
    // Runs the proxy dialog modally; returns how many proxy tests were run in it.
    virtual int runProxyDialog(QWidget *parent) = 0;
    // Opens the network diagnosis with `url` as the service page to reach.
    virtual void showDiagnosis(QWidget *parent, const QString &url) = 0;
    // Starts the updater with one decimal argument ("1" from the login window).
    virtual void startUpdater(const QString &argument) = 0;
};
