#include "startupupdate.h"

#include "configstore.h"

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
