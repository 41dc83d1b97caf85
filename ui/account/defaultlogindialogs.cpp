#include "defaultlogindialogs.h"

#include "authenticationwindow.h"
#include "diagnosiswindow.h"
#include "networkwindow.h"
#include "programlayout.h"
#include "registerwindow.h"

#include <QProcess>

DefaultLoginDialogs::DefaultLoginDialogs(ConfigStore &preferences, ZeltraLib::UserAccess &access,
                                         AccountPrompts &prompts, UsageEventSink &events,
                                         const QString &accountHost, const QString &webHost)
    : m_preferences(preferences)
    , m_access(access)
    , m_prompts(prompts)
    , m_events(events)
    , m_accountHost(accountHost)
    , m_webHost(webHost)
{
}

RegistrationOutcome DefaultLoginDialogs::runRegistration(QWidget *parent)
{
    RegisterWindow window(m_webHost, m_prompts, m_events, parent);
    RegistrationOutcome outcome;
    outcome.accepted = window.exec() == QDialog::Accepted;
    outcome.userName = window.userName();
    outcome.passwordHash = window.passwordHash();
    return outcome;
}

bool DefaultLoginDialogs::runSignIn(QWidget *parent, int provider)
{
    AuthenticationWindow window(provider, m_access, m_accountHost, parent);
    return window.exec() == QDialog::Accepted;
}

int DefaultLoginDialogs::runProxyDialog(QWidget *parent)
{
    NetworkWindow dialog(m_preferences,
                       QStringLiteral("http://") + m_accountHost + QStringLiteral("/test.htm"), parent);
    dialog.exec();
    return dialog.testsRun();
}

void DefaultLoginDialogs::showDiagnosis(QWidget *parent, const QString &url)
{
    DiagnosisWindow::Options options;
    // The host the opener could not reach leads the configured ones.
    options.serviceHosts = DiagnosisWindow::serviceHosts(url);
    DiagnosisWindow window(options, parent);
    window.exec();
}

void DefaultLoginDialogs::startUpdater(const QString &argument)
{
    QProcess::startDetached(ZeltraLib::ProgramLayout().updaterProgram(), {argument});
}
