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
#include "resultstate.h"
#include "servicehosts.h"
#include "sharedflagsegment.h"
#include "startupupdate.h"
#include "tipwindow.h"
#include "useraccess.h"
#include "userinformation.h"
#include "vocabulary.h"
#include "webengineenvironment.h"

#include <QApplication>
#include <QIcon>
#include <QMetaType>

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

    const int updateType = startupUpdateType(preferenceStore());

    // Still to wire before the login: the blocking start-up version query, then
    //   switch (decideStartupUpdate(updateExists, mandatory, updateType)):
    //   RunMandatory -> start `update` with "5", return 0;
    //   RunAutomatic -> start `update` with "2", return 0;
    //   OfferAtLogin -> the login dialog's flag to start `update` with "1".
    // Until the query exists no update is known.
    const StartupUpdate update = decideStartupUpdate(false, false, updateType);

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
    // The assistant at start, unless the user asked to hide it.
    if (preferenceStore().value(QStringLiteral("display_tips")) == QLatin1String("True")) {
        auto *assistant = new TipWindow(preferenceStore(), usage, ZeltraLib::WebHost(), window.get());
        assistant->show();
    }
    const int result = app.exec();
    window.reset();
    return result;
}
