// Entry point of the desktop client.

#include "commandthread.h"
#include "fontsetup.h"
#include "globalstores.h"
#include "proxysettings.h"
#include "resultstate.h"
#include "sharedflagsegment.h"
#include "startupupdate.h"
#include "useraccess.h"

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

    // WIRE, in this order, as the pieces arrive:
    //  - blocking start-up version query, then
    //      switch (decideStartupUpdate(updateExists, mandatory, updateType)):
    //      RunMandatory -> start `update` with "5", return 0;
    //      RunAutomatic -> start `update` with "2", return 0;
    //      OfferAtLogin -> the login dialog's flag to start `update` with "1";
    //  - login dialog in automatic-login mode, run modally; rejected -> quit, return 0;
    //  - main window shown and activated; tips dialog when display_tips is "True"; the
    //    input prompt tip when PT_Input is "False" (then set to "True");
    //  - return app.exec(), the main window and dialog destroyed before the segments.
    // Until the version query and the main window exist the client ends here.
    const StartupUpdate update = decideStartupUpdate(false, false, updateType);
    Q_UNUSED(update);
    return 0;
}
