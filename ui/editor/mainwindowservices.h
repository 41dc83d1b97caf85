#pragma once

#include "popuplabel.h"
#include "progresswindow.h"

#include <QString>
#include <QWidget>

#include <functional>

class ConfigStore;

namespace ZeltraLib {
class UserAccess;
class UserInformation;
} // namespace ZeltraLib

// What the main window works with, passed in so that tests and the benchmark can point it
// at their own stores and services. None of the referenced objects is owned; all outlive
// the window.
struct MainWindowServices
{
    ConfigStore &preferences;              // "preference.ini"
    ConfigStore &promptTips;               // "setting.ini": first-use tip keys
    ZeltraLib::UserAccess &access;         // the session (its key goes with every check)
    ZeltraLib::UserInformation &usage;     // usage counters, word list, correction log
    QString checkHost;                     // "host:port" of check and polish
    QString accountHost;                   // "host:port" of the usage log
    QString vocabularyPath;                // "voc.dat"
    // Pause of the word counter before it counts (ms).
    int wordCountDelayMs = 200;
    // The network diagnosis after a failed check ("网络诊断"); may be empty.
    std::function<void(QWidget *parent)> showDiagnosis;
    // "重新登录" after the account was signed in elsewhere; true when a session is back.
    std::function<bool(QWidget *parent)> relogin;
    // Millisecond clock of the per-minute word limit; empty: a steady clock.
    std::function<qint64()> wordLimitClock;
    // Progress animation and tip fade intervals; tests pass short ones.
    ProgressWindow::Timings progressTimings;
    PopupLabel::Timings tipTimings;
    // The file to open ("打开文档"); empty result = cancelled. Empty: a file dialog.
    std::function<QString(QWidget *parent)> chooseOpenFile;
};
