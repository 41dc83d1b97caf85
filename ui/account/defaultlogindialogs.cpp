#include "defaultlogindialogs.h"

#include "authenticationwindow.h"
#include "proxydialog.h"
#include "registerwindow.h"

#include "custommessagebox.h"
#include "networkhelper.h"

#include <QCoreApplication>
#include <QPushButton>
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
    ProxyDialog dialog(m_preferences,
                       QStringLiteral("http://") + m_accountHost + QStringLiteral("/test.htm"), parent);
    dialog.exec();
    return dialog.testsRun();
}

void DefaultLoginDialogs::showDiagnosis(QWidget *parent, const QString &url)
{
    // Stand-in for the full diagnosis: the one test that matters here, the service page.
    CustomMessageBox box(QStringLiteral("网络诊断"), QStringLiteral("正在诊断网络连接问题..."), parent);
    box.confirmButton()->setText(QStringLiteral("确定"));
    ZeltraLib::NetworkHelper helper;
    QObject::connect(&helper, &ZeltraLib::NetworkHelper::signalCheckHttpFinished, &box,
                     [&box](bool ok) {
                         box.setText(ok ? QStringLiteral("诊断完毕\n是否连接至Pennova服务器：正常")
                                        : QStringLiteral("诊断完毕\n暂时无法连接至Pennova服务器，\n"
                                                         "您可以稍后再试或体验在线版。"));
                     });
    helper.checkHttp(url);
    box.exec();
}

void DefaultLoginDialogs::startUpdater(const QString &argument)
{
    QProcess::startDetached(QCoreApplication::applicationDirPath() + QStringLiteral("/update"),
                            {argument});
}
