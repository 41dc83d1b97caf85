#pragma once

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
