#pragma once

#include "logindialogs.h"

#include <QString>

class AccountPrompts;
class ConfigStore;
class UsageEventSink;

namespace ZeltraLib {
class UserAccess;
}

// LoginDialogs with the registration and sign-in windows, the proxy and
// network-diagnosis windows, and the updater beside the program. None of the
// referenced objects is owned.
class DefaultLoginDialogs : public LoginDialogs
{
public:
    DefaultLoginDialogs(ConfigStore &preferences, ZeltraLib::UserAccess &access,
                        AccountPrompts &prompts, UsageEventSink &events, const QString &accountHost,
                        const QString &webHost);

    RegistrationOutcome runRegistration(QWidget *parent) override;
    bool runSignIn(QWidget *parent, int provider) override;
    int runProxyDialog(QWidget *parent) override;
    void showDiagnosis(QWidget *parent, const QString &url) override;
    void startUpdater(const QString &argument) override;

private:
    ConfigStore &m_preferences;
    ZeltraLib::UserAccess &m_access;
    AccountPrompts &m_prompts;
    UsageEventSink &m_events;
    QString m_accountHost;
    QString m_webHost;
};
