#pragma once

class QCoreApplication;

// Makes the program Chinese whatever the system's locale: the default QLocale becomes
// zh_CN (numbers, dates, the MIME type names of the file dialog) and Qt's own Chinese
// translations (Debian: qt6-translations-l10n) are installed, with the few texts those
// catalogs lack (the file dialog's "Folder"). False when Qt's catalogs are not installed;
// the locale and the missing texts are set either way.
bool installQtTranslations(QCoreApplication &app);
