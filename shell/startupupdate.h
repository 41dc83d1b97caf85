#pragma once

#include <QStringList>

#include <functional>

class ConfigStore;

// What start-up does about an available update.
enum class StartupUpdate {
    None,               // go on to the login dialog
    RunMandatory,       // start `update` with "5" and end the client
    RunAutomatic,       // start `update` with "2" and end the client
    OfferAtLogin,       // the login dialog starts `update` with "1" when first shown
};

// "update_type" of the preference store: 0 install automatically, 1 notify, 2 notify only
// when the running version can no longer be used. A value that is not a number reads as
// 1, so that damaged settings never install an update unasked.
int startupUpdateType(ConfigStore &preferences);

// The decision after the start-up version query.
StartupUpdate decideStartupUpdate(bool updateExists, bool mandatory, int updateType);

// What the latest-version reply says for the installed version: an update exists when
// part 0 is above it and above `refusedVersion` (one the updater refused before), and is
// mandatory when part 4 is above the installed version too. A reply of fewer than five
// parts, or with a part that is not a number, means no update.
struct StartupVersion
{
    bool updateExists = false;
    bool mandatory = false;
};
StartupVersion evaluateLatestVersion(const QStringList &reply, int installedVersion, int refusedVersion = 0);

// Start-up step 8: asks the version service (blocking) at `host`, compares with "ver.dat"
// in `programFolder` and with the refused version kept beside `preferences`, and decides. For RunMandatory and RunAutomatic it has already
// started `update` with "5" or "2" through `startUpdater` (null = the `update` program
// beside this one); the caller then ends the client.
StartupUpdate runStartupUpdate(ConfigStore &preferences, const QString &programFolder, const QString &host,
                               const std::function<void(const QString &mode)> &startUpdater = {});

// Starts `update` in `programFolder` with its one argument.
void startUpdaterProgram(const QString &programFolder, const QString &mode);
