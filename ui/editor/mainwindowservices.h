#pragma once

#include "popuplabel.h"
#include "progresswindow.h"

#include <QPair>
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
    // The session at start (its key goes with every check). After a sign-out the window
    // works with the object renewAccess returned (MainWindow::userAccess()).
    ZeltraLib::UserAccess &access;
    ZeltraLib::UserInformation &usage;     // usage counters, word list, correction log
    QString checkHost;                     // "host:port" of check and polish
    QString accountHost;                   // "host:port" of the usage log
    QString vocabularyPath;                // "voc.dat"
    // Pause of the status line's word count before it counts (ms); the count that
    // decides whether a check may run does not wait.
    int wordCountDelayMs = 200;
    // The network diagnosis after a failed check ("网络诊断"); may be empty.
    std::function<void(QWidget *parent)> showDiagnosis;
    // Starts the updater beside the program with its one argument ("0": a manual check).
    std::function<void(const QString &argument)> startUpdater;
    // "重新登录" after the account was signed in elsewhere; true when a session is back.
    std::function<bool(QWidget *parent)> relogin;
    // The remembered user name and password hash (自动登录 or 记住密码) for a silent login
    // after the session expired; an empty name: none. Empty: "str_user" and "str_pwd" of
    // the preferences when "rem_pwd" is on.
    std::function<QPair<QString, QString>()> rememberedCredentials;
    // Millisecond clock of the per-minute word limit; empty: a steady clock.
    std::function<qint64()> wordLimitClock;
    // Progress animation and tip fade intervals; tests pass short ones.
    ProgressWindow::Timings progressTimings;
    PopupLabel::Timings tipTimings;
    // The file to open ("打开文档"); empty result = cancelled. Empty: a file dialog.
    std::function<QString(QWidget *parent)> chooseOpenFile;
    // The file to save to ("保存文档") and the chosen filter (0 .txt, 1 .docx, 2 .doc), with
    // the stored filter preselected; empty result = cancelled. Empty: a file dialog.
    std::function<QString(QWidget *parent, int *filter)> chooseSaveFile;

    // "host:port" of the product web site (menu pages).
    QString webHost;
    // After a sign-out: installs a fresh session object and returns it (the old one is
    // dropped). Empty: the same object stays.
    std::function<ZeltraLib::UserAccess *()> renewAccess;
    // What the close button does when "show_close_tip" asks: 0 cancel, 1 hide to the
    // tray, 2 exit; *dontAsk set when the question is not to be asked again. Empty: a
    // message box.
    std::function<int(QWidget *parent, bool *dontAsk)> askCloseAction;
    // The tips window at start-up (modal); may be empty.
    std::function<void(QWidget *parent)> showTipsWindow;
    // Whether a system tray exists; empty: QSystemTrayIcon::isSystemTrayAvailable().
    std::function<bool()> trayAvailable;

    // Intervals (ms); tests shorten them. A ping interval of 0 or less: no pings.
    int sessionIntervalMs = 1200000;
    int backupIntervalMs = 5000;
    int restPopupIntervalMs = 9000;
    int pingIntervalMs = 30000;
    int dictSlideMs = 200;
    int polishProgressMs = 1000; // ticks of the progress while a polish runs
    // A sign-out the service does not answer within this time is taken as done.
    int logoutTimeoutMs = 10000;
    // "host:port" of the dictionary pages; empty: ApiHost().
    QString apiHost;
};
