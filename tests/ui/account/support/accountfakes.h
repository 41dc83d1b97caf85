#pragma once

#include "accountprompts.h"
#include "logindialogs.h"
#include "usageeventsink.h"

#include <QStringList>
#include <QUrl>

// Records what the account windows ask of their surroundings and answers as told.
class RecordingEvents : public UsageEventSink
{
public:
    void countEvent(const QString &name) override { counted << name; }
    void uploadAnonymously() override { ++uploads; }
    QStringList counted;
    int uploads = 0;
};

class RecordingPrompts : public AccountPrompts
{
public:
    void showError(QWidget *, const QString &text) override { errors << text; }
    bool askNetworkDiagnosis(QWidget *) override
    {
        ++diagnosisQuestions;
        return chooseDiagnosis;
    }
    void openUrl(const QUrl &url) override { opened << url; }
    QStringList errors;
    int diagnosisQuestions = 0;
    bool chooseDiagnosis = false;
    QList<QUrl> opened;
};

class RecordingDialogs : public LoginDialogs
{
public:
    RegistrationOutcome runRegistration(QWidget *) override
    {
        ++registrations;
        return registration;
    }
    bool runSignIn(QWidget *, int provider) override
    {
        signIns << provider;
        return signInAccepted;
    }
    int runProxyDialog(QWidget *) override
    {
        ++proxyDialogs;
        return proxyTests;
    }
    void showDiagnosis(QWidget *, const QString &url) override { diagnoses << url; }
    void startUpdater(const QString &argument) override { updaterArguments << argument; }

    RegistrationOutcome registration;
    int registrations = 0;
    QList<int> signIns;
    bool signInAccepted = false;
    int proxyDialogs = 0;
    int proxyTests = 0;
    QStringList diagnoses;
    QStringList updaterArguments;
};
