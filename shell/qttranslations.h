#pragma once

class QCoreApplication;

// Installs Qt's own Chinese translations (Debian: qt6-translations-l10n), so that the
// texts of Qt's standard dialogs are Chinese too. False when they are not installed.
bool installQtTranslations(QCoreApplication &app);
