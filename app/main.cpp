// Entry point of the desktop client.

#include "checkmessages.h"
#include "commandthread.h"
#include "configstore.h"
#include "credentialstore.h"
#include "defaultlogindialogs.h"
#include "fontsetup.h"
#include "globalstores.h"
#include "keychainsecretstore.h"
#include "loginusagelog.h"
#include "loginwindow.h"
#include "mainwindow.h"
#include "messageboxprompts.h"
#include "programlayout.h"
#include "proxysettings.h"
#include "qttranslations.h"
#include "resultstate.h"
#include "servicehosts.h"
#include "sharedflagsegment.h"
#include "startupupdate.h"
#include "terminationwatcher.h"
#include "tipwindow.h"
#include "useraccess.h"
#include "userinformation.h"
#include "vocabulary.h"
#include "webengineenvironment.h"

#include <QApplication>
#include <QIcon>
#include <QMetaType>
#include <QProcess>

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

    // A terminated client ends its event loops (the login dialog's too), so that the
    // segments below are removed on the way out.
    TerminationWatcher termination;
    bool terminated = false;
    QObject::connect(&termination, &TerminationWatcher::signalTerminate, &app, [&terminated] {
        terminated = true;
        QCoreApplication::exit(0);
    });

    // One client per user. A copy that merely failed to get shared memory goes on; one
    // that finds a client running asks it to show its window, then quits.
    auto instance = std::make_unique<SharedFlagSegment>(InstanceKey);
    if (!instance->isCreated() && instance->isAttached()) {
        SharedFlagSegment channel(CommandThread::commandKey());
        CommandThread::requestShow(channel);
        return 0;
    }

    // The updater asks the running client to quit through the command channel, a second
    // start to show its window.
    auto commandThread = std::make_unique<CommandThread>();
    commandThread->setExitHook(logoutBeforeExit);
    MainWindow *mainWindow = nullptr; // once it exists
    QObject::connect(commandThread.get(), &CommandThread::signalShowWindow, &app, [&mainWindow] {
        if (mainWindow)
            mainWindow->slotShowNormal();
        // The login dialog, or a dialog the user has open over the main window.
        if (QWidget *modal = QApplication::activeModalWidget()) {
            modal->setWindowState(modal->windowState() & ~Qt::WindowMinimized);
            modal->show();
            modal->raise();
            modal->activateWindow();
        }
    });
    commandThread->start(QThread::LowestPriority);

    applyProxySettings(preferenceStore());

    // "记住密码" keeps the hash in the desktop's secret store where one runs; a hash an
    // older run left in preference.ini moves there.
    KeychainSecretStore secrets;
    CredentialStore credentials(preferenceStore(), &secrets);
    credentials.migrate();

    // Start-up version check: a mandatory or automatic update hands over to `update`.
    const StartupUpdate update =
        runStartupUpdate(preferenceStore(), QCoreApplication::applicationDirPath(), ZeltraLib::AccountHost());
    if (update == StartupUpdate::RunMandatory || update == StartupUpdate::RunAutomatic)
        return 0;

    // Login, in automatic-login mode; a rejected login ends the client. Every login runs
    // against the session object current at that moment (a sign-out replaces it).
    LoginUsageLog loginEvents(ZeltraLib::AccountHost());
    MessageBoxPrompts prompts;
    auto runLogin = [&](bool automatic, bool updatePending, QWidget *parent) {
        ZeltraLib::UserAccess &access = *ZeltraLib::globalUserAccess();
        DefaultLoginDialogs dialogs(preferenceStore(), access, prompts, loginEvents, ZeltraLib::AccountHost(),
                                    ZeltraLib::WebHost());
        const LoginWindow::Services loginServices{preferenceStore(), access, dialogs, prompts, loginEvents,
                                                  ZeltraLib::WebHost(), &credentials};
        LoginWindow login(automatic, loginServices, parent);
        login.setUpdatePending(updatePending);
        return login.exec() == QDialog::Accepted;
    };
    if (!runLogin(true, update == StartupUpdate::OfferAtLogin, nullptr))
        return 0;

    // The main window, shown and activated; it lives until the event loop ends and is
    // destroyed before the segments.
    ZeltraLib::UserInformation usage(ZeltraLib::AccountHost());
    usage.reset();
    // Words a crash or an unreachable service left unsent wait in the settings folder.
    usage.setQueueDirectory(ConfigStore::settingsDirectory());
    const bool queueRead = usage.setAccount(ZeltraLib::globalUserAccess()->userName(),
                                            ZeltraLib::globalUserAccess()->sessionKey());
    MainWindowServices services{preferenceStore(), promptTipStore(), *ZeltraLib::globalUserAccess(), usage,
                                ZeltraLib::CheckHost(), ZeltraLib::AccountHost(),
                                ZeltraLib::Vocabulary::defaultPath()};
    services.webHost = ZeltraLib::WebHost();
    services.showDiagnosis = [&](QWidget *parent) {
        ZeltraLib::UserAccess &access = *ZeltraLib::globalUserAccess();
        DefaultLoginDialogs dialogs(preferenceStore(), access, prompts, loginEvents, ZeltraLib::AccountHost(),
                                    ZeltraLib::WebHost());
        dialogs.showDiagnosis(parent, access.baseUrl() + QStringLiteral("test.htm"));
    };
    services.relogin = [&runLogin](QWidget *parent) { return runLogin(false, false, parent); };
    services.rememberedCredentials = [&credentials]() -> QPair<QString, QString> {
        ConfigStore &prefs = preferenceStore();
        if (prefs.value(QStringLiteral("rem_pwd")) != QLatin1String("True"))
            return {};
        const QString user = prefs.value(QStringLiteral("str_user"));
        return {user, credentials.passwordHash(user)};
    };
    services.renewAccess = [] { return ZeltraLib::renewGlobalUserAccess(); };
    services.startUpdater = [](const QString &argument) {
        QProcess::startDetached(ZeltraLib::ProgramLayout().updaterProgram(), {argument});
    };
    // The assistant at start, unless the user asked to hide it.
    services.showTipsWindow = [&usage](QWidget *parent) {
        auto *assistant = new TipWindow(preferenceStore(), usage, ZeltraLib::WebHost(), parent);
        assistant->setAttribute(Qt::WA_DeleteOnClose);
        assistant->show();
    };
    auto window = std::make_unique<MainWindow>(services);
    mainWindow = window.get();
    // An orderly end (exit, or a sign-out without a new login) ends the program.
    QObject::connect(window.get(), &MainWindow::signalSessionEnded, &app, [](bool exiting) {
        if (exiting)
            QCoreApplication::quit();
    });
    window->show();
    window->raise();
    window->activateWindow();
    if (!queueRead)
        CheckMessages::showWordQueueError(window.get(), usage.queueError());
    window->runStartupTips();
    // A quit or termination handled in a nested loop so far (a modal start-up tip) ended
    // that loop only: the program's own loop would start afresh and run on.
    if (terminated || commandThread->hasExited())
        return 0;
    const int result = app.exec();
    mainWindow = nullptr;
    window.reset();
    return result;
}
