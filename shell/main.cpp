// Entry point of the desktop client.

#include "commandthread.h"
#include "globalstores.h"
#include "proxysettings.h"
#include "resultstate.h"
#include "sharedflagsegment.h"

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
    // WIRE: blocking logout of the process-wide user session, once it exists:
    //   if (ZeltraLib::hasGlobalUserAccess()) ZeltraLib::globalUserAccess()->logoutInBlock();
}

} // namespace

int main(int argc, char *argv[])
{
    // Results of the check threads travel to the GUI thread through queued signals.
    qRegisterMetaType<ZeltraLib::CResultState>("CResultState");

    QApplication app(argc, argv);
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

    bool isNumber = false;
    const int updateType = preferenceStore().value(QStringLiteral("update_type")).toInt(&isNumber);
    Q_UNUSED(updateType);

    // WIRE, in this order, as the pieces arrive:
    //  - blocking start-up version query; on an update: mandatory -> start `update` with "5"
    //    and return 0; else update_type 0 -> start `update` with "2" and return 0;
    //    update_type 1 -> the login dialog starts `update` with "1" when first shown;
    //  - login dialog in automatic-login mode, run modally; rejected -> quit, return 0;
    //  - main window shown and activated; tips dialog when display_tips is "True"; the
    //    input prompt tip when PT_Input is "False" (then set to "True");
    //  - return app.exec(), the main window and dialog destroyed before the segments.
    // Until the login dialog exists the client ends here.
    return 0;
}
