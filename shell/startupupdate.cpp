#include "startupupdate.h"

#include "configstore.h"
#include "programlayout.h"
#include "refusedupdate.h"
#include "versionfile.h"
#include "versionhelper.h"

#include <QProcess>

int startupUpdateType(ConfigStore &preferences)
{
    bool isNumber = false;
    const int type = preferences.value(QStringLiteral("update_type")).toInt(&isNumber);
    return isNumber ? type : 1;
}

StartupUpdate decideStartupUpdate(bool updateExists, bool mandatory, int updateType)
{
    if (!updateExists)
        return StartupUpdate::None;
    if (mandatory)
        return StartupUpdate::RunMandatory;
    if (updateType == 0)
        return StartupUpdate::RunAutomatic;
    if (updateType == 1)
        return StartupUpdate::OfferAtLogin;
    return StartupUpdate::None;
}

StartupVersion evaluateLatestVersion(const QStringList &reply, int installedVersion, int refusedVersion)
{
    StartupVersion result;
    if (reply.size() < 5)
        return result;
    bool newestIsNumber = false;
    bool lowestIsNumber = false;
    const int newest = reply[0].trimmed().toInt(&newestIsNumber);
    const int lowest = reply[4].trimmed().toInt(&lowestIsNumber);
    if (!newestIsNumber || !lowestIsNumber)
        return result;
    result.updateExists = installedVersion < newest && refusedVersion < newest;
    result.mandatory = result.updateExists && installedVersion < lowest;
    return result;
}

void startUpdaterProgram(const QString &programFolder, const QString &mode)
{
    QProcess::startDetached(ZeltraLib::ProgramLayout(programFolder).updaterProgram(), {mode});
}

StartupUpdate runStartupUpdate(ConfigStore &preferences, const QString &programFolder, const QString &host,
                               const std::function<void(const QString &mode)> &startUpdater)
{
    // An installed tree is kept current by its package manager: nothing to offer.
    if (ZeltraLib::ProgramLayout(programFolder).isInstalled())
        return StartupUpdate::None;
    const int updateType = startupUpdateType(preferences);
    ZeltraLib::VersionHelper helper(host);
    const QStringList reply = helper.getLatestVersionInBlock();
    ZeltraLib::VersionFile installed(ZeltraLib::VersionFile::defaultPath(programFolder));
    const int installedVersion = installed.load() ? installed.versionId() : 0;
    const StartupVersion version =
        evaluateLatestVersion(reply, installedVersion, RefusedUpdate::read(preferences.directory()));
    const StartupUpdate decision = decideStartupUpdate(version.updateExists, version.mandatory, updateType);
    const QString mode = decision == StartupUpdate::RunMandatory   ? QStringLiteral("5")
                         : decision == StartupUpdate::RunAutomatic ? QStringLiteral("2")
                                                                   : QString();
    if (!mode.isEmpty()) {
        if (startUpdater)
            startUpdater(mode);
        else
            startUpdaterProgram(programFolder, mode);
    }
    return decision;
}
