// Entry point of the desktop client.

#include "commandthread.h"
#include "defaultlogindialogs.h"
#include "fontsetup.h"
#include "globalstores.h"
#include "loginusagelog.h"
#include "loginwindow.h"
#include "mainwindow.h"
#include "messageboxprompts.h"
#include "proxysettings.h"
#include "qttranslations.h"
#include "resultstate.h"
#include "servicehosts.h"
#include "sharedflagsegment.h"
#include "startupupdate.h"
#include "useraccess.h"
#include "userinformation.h"
#include "vocabulary.h"
#include "webengineenvironment.h"

#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QMetaType>
#include <QTimer>

#include <memory>

namespace {

// Marks a running client; a second start that finds it quits at once.
const QString InstanceKey = QStringLiteral("Tessel_Qt_Pennova_5CBF6A05");

// Logs the session out before the command channel ends the program.
void logoutBeforeExit()
{
    if (ZeltraLib::hasGlobalUserAccess())
        ZeltraLib::globalUserAccess()->logoutInBlock();
}

// Sends the session's usage data before the program ends, waiting at most `limitMs` so
// that a silent service cannot hold the exit.
void uploadSessionData(ZeltraLib::UserInformation &usage, const QString &sessionKey, int limitMs)
{
    QEventLoop loop;
    bool done = false;
    QObject::connect(&usage, &ZeltraLib::UserInformation::signalUploaded, &loop, [&] {
        done = true;
        loop.quit();
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    usage.uploadAll(sessionKey, 0);
    if (!done) {
        limit.start(limitMs);
        loop.exec();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // Results of the check threads travel to the GUI thread through queued signals.
    qRegisterMetaType<ZeltraLib::CResultState>("CResultState");

    prepareWebEngineEnvironment();
    QApplication app(argc, argv);
    installQtTranslations(app);
    installFontSubstitutions();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/MainWindow/Resources/logo.ico")));

    // One client per user. A copy that merely failed to get shared memory goes on.
    auto instance = std::make_unique<SharedFlagSegment>(InstanceKey);
    if (!instance->isCreated() && instance->isAttached())
        return 0;

    // The updater asks the running client to quit through the command channel.
    auto commandThread = std::make_unique<CommandThread>();
    commandThread->setExitHook(logoutBeforeExit);
    commandThread->start(QThread::LowestPriority);

    applyProxySettings(preferenceStore());

    // Start-up version check: a mandatory or automatic update hands over to `update`.
    const StartupUpdate update =
        runStartupUpdate(preferenceStore(), QCoreApplication::applicationDirPath(), ZeltraLib::AccountHost());
    if (update == StartupUpdate::RunMandatory || update == StartupUpdate::RunAutomatic)
        return 0;

    // Login, in automatic-login mode; a rejected login ends the client.
    ZeltraLib::UserAccess &access = *ZeltraLib::globalUserAccess();
    LoginUsageLog loginEvents(ZeltraLib::AccountHost());
    MessageBoxPrompts prompts;
    DefaultLoginDialogs dialogs(preferenceStore(), access, prompts, loginEvents, ZeltraLib::AccountHost(),
                                ZeltraLib::WebHost());
    const LoginWindow::Services loginServices{preferenceStore(), access, dialogs, prompts, loginEvents,
                                              ZeltraLib::WebHost()};
    {
        LoginWindow login(true, loginServices);
        login.setUpdatePending(update == StartupUpdate::OfferAtLogin);
        if (login.exec() != QDialog::Accepted)
            return 0;
    }

    // The main window, shown and activated; it lives until the event loop ends and is
    // destroyed before the segments.
    ZeltraLib::UserInformation usage(ZeltraLib::AccountHost());
    usage.reset(access.sessionKey()); // fetches the personal word list for the new session
    MainWindowServices services{preferenceStore(), promptTipStore(), access, usage,
                                ZeltraLib::CheckHost(), ZeltraLib::AccountHost(),
                                ZeltraLib::Vocabulary::defaultPath()};
    services.showDiagnosis = [&dialogs, &access](QWidget *parent) {
        dialogs.showDiagnosis(parent, access.baseUrl() + QStringLiteral("test.htm"));
    };
    services.relogin = [&loginServices](QWidget *parent) {
        LoginWindow login(false, loginServices, parent);
        return login.exec() == QDialog::Accepted;
    };
    auto window = std::make_unique<MainWindow>(services);
    window->show();
    window->raise();
    window->activateWindow();
    const int result = app.exec();
    window.reset();
    if (!access.sessionKey().isEmpty())
        uploadSessionData(usage, access.sessionKey(), 15000);
    return result;
}
