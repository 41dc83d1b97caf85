#pragma once

#include "configstore.h"

#include <QList>
#include <QPair>
#include <QString>

// Key and default of every setting of one store, in table order.
using ConfigDefaults = QList<QPair<QString, QString>>;

inline const QString PreferenceFileName = QStringLiteral("preference.ini");
inline const QString PromptTipFileName = QStringLiteral("setting.ini");

// The defaults of the preference store ("preference.ini") and the prompt-tip store
// ("setting.ini").
const ConfigDefaults &preferenceDefaults();
const ConfigDefaults &promptTipDefaults();

// Adds every key of `defaults` that `store` lacks, with value and default both set to the
// table's default. Keys already present keep what the file holds; nothing is saved.
void mergeDefaults(ConfigStore &store, const ConfigDefaults &defaults);

// The two process-wide stores in the settings directory, created together on first use
// (preference store first) and alive until the process ends. Tests point them at another
// directory by setting XDG_CONFIG_HOME before the first use.
ConfigStore &preferenceStore();
ConfigStore &promptTipStore();
