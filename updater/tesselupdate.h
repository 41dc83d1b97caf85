#pragma once

#include "programfolder.h"
#include "releaseverifier.h"
#include "versionfile.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>

class CheckFrame;
class QPushButton;
class QStackedWidget;
class QTimeLine;
class SharedFlagSegment;
class UpdateFrame;

namespace ZeltraLib {
class UpdateManager;
class VersionHelper;
}

// The updater window: checks for the newest version, shows its notes, and installs it.
class TesselUpdate : public QMainWindow
{
    Q_OBJECT
public:
    enum State { Checking = 0, Found = 1, Updating = 2, UpToDate = 3, Failed = 4 };

    struct Options
    {
        int mode = 0;
        QString programFolder;
        QString serviceHost;           // "host:port" of the version service
        QByteArray publicKey;          // base64 release key the file list must be signed with
        SharedFlagSegment *commandChannel = nullptr; // borrowed; may be null
        QString settingsFile;          // "setting.ini", deleted after an update
        int animationStepMs = 20;      // the progress animation takes (100 - start) steps
        // Starts the main program again; returns whether it started.
        std::function<bool(const QString &program)> startProgram;
        // Ends the updater after a successful update.
        std::function<void()> quit;
        // Asks before an update is abandoned; true = close.
        std::function<bool(QWidget *parent)> confirmClose;
        // Keeps a version whose file list was refused, so that start-up stops offering it.
        std::function<void(int versionId)> rememberRefused;
        // One line of the updater's log (refusals and failures); may be empty.
        std::function<void(const QString &line)> log;
    };

    explicit TesselUpdate(Options options, QWidget *parent = nullptr);
    ~TesselUpdate() override;

    State state() const { return m_state; }
    bool isForced() const { return m_forced; }
    CheckFrame *checkFrame() const { return m_checkFrame; }
    UpdateFrame *updateFrame() const { return m_updateFrame; }
    ZeltraLib::UpdateManager *updateManager() const { return m_manager; }
    QPushButton *button(const QString &text) const;

Q_SIGNALS:
    // Every change of state (tests and the program's own exit on the final pages).
    void signalStateChanged(int state);

public Q_SLOTS:
    void slotGetVersionFinished(QStringList result);
    void slotUpdateFinished(bool result);
    void slotSubmit();
    void slotAnimationFinished();
    void slotUpdateClicked();
    void slotGetFileListFinished(QStringList result);
    void slotDownloadProgress(int progress);
    void slotDownloadFinished();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void setState(State state);
    void fail(const QString &note = QString());
    void refuse(const QString &error, const QString &note);
    bool recordVersion();

    Options m_options;
    ProgramFolder m_folder;
    ReleaseVerifier m_verifier;
    ZeltraLib::VersionFile m_versionFile;
    ZeltraLib::VersionHelper *m_helper;   // child
    ZeltraLib::UpdateManager *m_manager;  // child
    QTimeLine *m_timeLine;                // child
    QStackedWidget *m_pages;              // child
    CheckFrame *m_checkFrame;             // child
    UpdateFrame *m_updateFrame;           // child
    QList<QPushButton *> m_buttons;       // children
    State m_state = Checking;
    State m_afterAnimation = UpToDate;
    bool m_forced = false;
    bool m_noConfirmation = false;
    int m_newestVersion = 0;
    bool m_versionKnown = false; // the newest version has been received
    QByteArray m_signature;
    QList<ZeltraLib::UpdateFileEntry> m_installing;
};
