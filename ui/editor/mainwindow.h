#pragma once

#include "checkstatistics.h"
#include "crashbackup.h"
#include "customwindow.h"
#include "checkstorage.h"
#include "correctionhistory.h"
#include "findingfocus.h"
#include "findinglist.h"
#include "mainwindowform.h"
#include "mainwindowservices.h"
#include "progresswindow.h"
#include "replacewindow.h"
#include "searchwindow.h"
#include "menuitemtype.h"
#include "resultstate.h"
#include "textchunk.h"
#include "popuplabel.h"
#include "tippresenter.h"
#include "useraccess.h"
#include "wordcountlimit.h"

#include <QList>
#include <QMainWindow>
#include <QNetworkReply>
#include <QPointer>
#include <QSet>
#include <QSystemTrayIcon>
#include <QTimeLine>
#include <QTimer>

#include <memory>
#include <vector>

class CustomMenuBar;
class Titlebar;
class CorrectionItem;
class CorrectionPanel;
class CustomTextEditor;
class LeftSideBar;
class PopupLabel;
class QAction;
class ReportWindow;
class QContextMenuEvent;
class QLabel;
class QPushButton;
class QSplitter;
class SentenceEntry;
class StatisticsStrip;
class WordCountDisplay;
class WritingGuideWindow;
class DictionaryPanel;

namespace ZeltraLib {
class NetworkHelper;
class CheckTaskThread;
class DetectSentenceThread;
class DetectWordThread;
} // namespace ZeltraLib

// The application's main window and the conductor of checking: runs a check (word
// limits, sentence detection, the check thread, results inserted as they arrive),
// keeps the flat finding list and the focused finding, executes every finding action
// that reaches it through CallbackObject, keeps the undo/redo history, switches between
// correct and polish mode and counts the usage events of all of it. Around that, its
// lifecycle: geometry restore, crash backup and recovery, first-use tips, close to the tray
// and exit, sign-out, session keep-alive, the dictionary slide, the connection indicator,
// open and save.
class MainWindow : public CustomWindow
{
    Q_OBJECT
public:
    static constexpr int WordLimitResetMs = 60000;
    // Longest wait for the connection indicator's probe.
    static constexpr int ProbeTimeoutMs = 10000;

    explicit MainWindow(const MainWindowServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Parts and state, for the shell, tests and the benchmark.
    CustomTextEditor *editor() const { return m_ui.editor; }
    CorrectionPanel *panel() const { return m_ui.panel; }
    // The dictionary panel in the dictionary area, made on first use (its web views start
    // the web engine); the context menu's look-up, translation and search go to its slots.
    DictionaryPanel *dictionaryPanel();
    LeftSideBar *leftSideBar() const { return m_ui.sideBar; }
    StatisticsStrip *statisticsStrip() const { return m_ui.strip; }
    const MainWindowForm &form() const { return m_ui; }
    CustomMenuBar *customMenuBar() const { return m_ui.menuBar; }
    Titlebar *titlebar() const { return m_ui.titlebar; }
    QSystemTrayIcon *trayIcon() const { return m_tray; }
    ZeltraLib::UserAccess *userAccess() const { return m_access; }
    const CrashBackup &crashBackup() const { return m_backup; }
    QTimer &sessionTimer() { return m_sessionTimer; }
    QTimer &restPopupTimer() { return m_restPopupTimer; }
    bool isDictionaryOpen() const;
    bool isExiting() const { return m_exiting; }
    ProgressWindow *progressWindow() const { return m_progress; }
    PopupLabel *popup() const { return m_tips.current(); }

    const QList<SentenceEntry *> &sentences() const { return m_sentences; }
    const FindingList &findings() const { return m_findings; }
    CorrectionItem *focusedFinding() const { return m_focus.focused(); }
    SentenceEntry *currentSentence() const { return m_focus.sentence(); }
    const CheckStatistics &statistics() const { return m_statistics; }
    const CorrectionHistory &history() const { return m_history; }
    WordCountLimit &wordLimit() { return m_wordLimit; }
    ZeltraLib::CheckStorage &checkStorage() { return m_storage; }
    ZeltraLib::CheckTaskThread *checkThread() const { return m_checkThread; }
    bool isChecking() const { return m_checking; }
    bool isCheckCompleted() const { return m_completed; }
    int finishCode() const { return m_finishCode; }
    int lastWordCount() const { return m_lastWordCount; }
    WordCountDisplay *wordCount() const { return m_wordCount; }
    bool isAcceptingAll() const { return m_acceptingAll; }
    SearchWindow *searchWindow() const { return m_searchWnd; }
    ReplaceWindow *replaceWindow() const { return m_replaceWnd; }
    QAction *searchAction() const { return m_searchAction; }
    QAction *replaceAction() const { return m_replaceAction; }

    // Start-up tips after the window is shown: the tips window when "display_tips" says
    // so, then the "PT_Input" tip once.
    void runStartupTips();

signals:
    // A check has ended: the progress window closed and the findings are in place.
    void signalCheckEnded();
    // The session ended in order: `exiting` when the program is to end now (after an exit
    // or a sign-out whose new login was rejected).
    void signalSessionEnded(bool exiting);

public Q_SLOTS:
    void slotCheck();
    void slotUpdateState(ZeltraLib::CResultState state);
    void slotCheckTaskFinished(QNetworkReply::NetworkError err);
    void slotImproveProgress(int progress);
    void slotDetectWordFinished();
    void slotDetectSentenceFinished();
    void slotCorrectByType(CorrectionItem *item, ZeltraLib::MenuItemType type);
    void slotCorrectAll();
    void slotPrevError();
    void slotNextError();
    void slotUndo();
    void slotRedo();
    void slotPositionChanged();
    void slotSelectionChanged();
    void slotTextChanged();
    void slotOnPaste(const QString &text);
    void slotOnCut();
    // The right-click menu, built fresh for every click.
    void slotContextMenu(QContextMenuEvent *event);
    void slotWorkingModeChanged();
    void slotDisplayCorrectionMode(bool checked);
    void slotDisplayEnrichmentMode(bool checked);
    void slotPreferChanged(bool bTextChanged, bool bErrorChanged);
    void slotClear();
    void slotCopyToClip();
    void slotOpen();
    bool slotSave();
    void slotResetWordCountLimit();
    void slotBackup();
    void slotDisplayCorrection(bool bShow);
    void slotOpenReport();
    // The writing guide (Ctrl+G) and the text it hands back for checking or polishing.
    void slotWritingGuide();
    void slotWriteCopyCheck(bool bCheck, QString text);

    // Lifecycle.
    void slotShowRestPopup();
    // The connection indicator follows the last answer (or its absence) from the services:
    // its own probe every pingIntervalMs, checks, polish and dictionary pages.
    void slotPingCheckServer();
    void slotServiceReached(bool reached);
    void slotClose();
    void slotHide();
    void slotShowNormal();
    void slotActivated(QSystemTrayIcon::ActivationReason reason);
    void slotTrayIconExitClicked();
    void slotLogout();
    void slotLogoutFinished(int result);
    void slotUploadInformationFinished();
    void slotActivateSession();
    void slotDisplayDictPanel(bool bShow);
    void slotSlideDictionary(int nSize);
    void slotSlideDictFinished();
    void slotMoveDictPos();
    void slotDictLock(bool bLock);
    void slotDictDouble(bool bDouble);

    // Search and replace: at most one of the two windows at a time.
    void slotDisplaySearchWnd();
    void slotDisplayReplaceWnd();
    void slotSearch(SearchWindow *wnd);
    void slotReplace(int nReplaceCode, ReplaceWindow *wnd);
    void slotSearchWndClosed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPointer<WritingGuideWindow> m_guide; // child; kept after it handed a text over
    void connectSignals();
    // Timers, tray, dictionary slide, session and menu.
    void connectLifecycle();
    void refreshMenus();
    // Size and place from "Left", "Top", "Width", "Height", "IsMaxmized".
    void restoreGeometry();
    void storeGeometry();
    // Restores the text of a run that did not end normally, else marks this run as running.
    void recoverAfterCrash();
    void startSessionTimers();
    void stopSessionTimers();
    // Asks before the text is dropped: true to go on (after "保存文本" saved it).
    bool confirmDropText(const QString &title, const QString &text, const QString &goText);
    // The end of a session (exit or sign-out): logs the levels, stores the window state,
    // saves both stores and signs out.
    void endSession(bool exiting);
    void storeSessionSettings();
    void exitNow();
    // Shows a first-use tip unless its key says it was shown; the tip store is saved.
    void showTipOnce(int number, const char *key, const QPoint &globalPos);
    void showTipOnce(int number, const char *key, const TipPresenter::Placement &place);
    void savePreferences();
    void setDictionaryHeight(int height);
    void applyModeButtons();
    ReportWindow *openReport(bool onDemand);
    // Centred over this window; its end clears the search window state.
    void showToolWindow(QWidget *wnd);
    void countEvent(const char *correctName, const char *polishName = nullptr);

    // The findings still open and the strip as a check found them when it started: a
    // check the user cancels puts them back instead of its own.
    struct PriorSentence
    {
        int start = 0;
        int end = 0;
        std::unique_ptr<ZeltraLib::TextChunk> chunk;
        QList<ZeltraLib::CorrectionRecord> findings; // offsets as they stand now
        ZeltraLib::CorrectionRecord suggestion;
        bool hasSuggestion = false;
    };
    struct PriorResults
    {
        QString text;
        bool polish = false;
        bool stripShown = false;
        std::vector<PriorSentence> sentences;
    };
    PriorResults currentResults(const QString &text) const;
    // Drops what the cancelled check found and puts the prior results back when the
    // text is the one they were found in.
    void restorePriorResults();

    // Check pipeline.
    void reset();
    // Posts the sentences of m_sentences with the current session key.
    void startCheckTask();
    // A check refused for an expired session: logs in again with the remembered
    // credentials and repeats the check once. False (nothing started) when none are remembered.
    bool renewSessionAndRepeat();
    // After a login of any kind: the user's word list and unsent words follow the new key.
    void sessionRenewed(bool sameUser);
    void startWordCount(const QString &text);
    void onProgressClosed(int result);
    void cancelCheck();
    void checkFinished();
    void insertRecord(SentenceEntry *entry, const ZeltraLib::CorrectionRecord &record,
                      bool correctMode);
    void showFinishMessage();

    void refreshHistoryButtons();
    // After undo or redo: the caret where the step acted, buttons refreshed.
    void showReplayed(const std::optional<CorrectionHistory::Record> &record);
    void onTextEdited(int position, const QString &removed, const QString &added);

    // Finding actions.
    void removeFinding(CorrectionItem *item);
    std::unique_ptr<CorrectionItem> takeFinding(CorrectionItem *item);
    // An ignored finding is kept (and its ignore recorded) so that undo can bring it back.
    void keepIgnored(CorrectionItem *item);
    bool replayIgnore(CorrectionItem *item, bool restore);
    // False (after telling the user) when the word list refuses the word.
    bool addToWordList(const QString &word);
    void ignoreAll(CorrectionItem *item);
    void onFindingsDiscarded(const QList<CorrectionItem *> &findings,
                             const QList<SentenceEntry *> &suggestions);
    void recordCorrection(CorrectionItem *item);
    // After apply or revert: the counts follow whether the finding is still open.
    void countOpenChange(CorrectionItem *item);
    void refreshStatistics();

    void showNotification(int number);
    // The notice now, or when the assistant that covers the text at start has closed.
    void showNotificationUncovered(int number);
    // What first-use tip `number` of the rest-popup scheduler points at.
    QWidget *restTipControl(int number) const;
    void setTextFromFile(const QString &path);

    bool isTrue(const QString &key) const;

    MainWindowServices m_services;
    ConfigStore &m_prefs;
    QPointer<ZeltraLib::UserAccess> m_access; // the current session; not owned
    CrashBackup m_backup;

    MainWindowForm m_ui;
    DictionaryPanel *m_dictionary = nullptr; // child of the dictionary area
    TipPresenter m_tips;
    QPointer<ProgressWindow> m_progress;
    QPointer<SearchWindow> m_searchWnd;
    QPointer<ReplaceWindow> m_replaceWnd;
    QAction *m_searchAction = nullptr;  // the menu bar's
    QAction *m_replaceAction = nullptr; // the menu bar's

    // Workers (children of this window).
    ZeltraLib::CheckTaskThread *m_checkThread = nullptr;
    ZeltraLib::DetectWordThread *m_wordThread = nullptr;
    ZeltraLib::DetectSentenceThread *m_sentenceThread = nullptr;
    ZeltraLib::CheckStorage m_storage;

    // Check state.
    QList<SentenceEntry *> m_sentences; // owned, document order
    FindingList m_findings;
    FindingFocus m_focus{m_ui, m_findings};
    QSet<int> m_answered;
    PriorResults m_prior;
    CheckStatistics m_statistics;
    CorrectionHistory m_history;
    std::vector<std::unique_ptr<CorrectionItem>> m_ignored; // taken out by ignore, for undo
    WordCountLimit m_wordLimit;
    QTimer m_wordLimitTimer;
    QTimer m_backupTimer;
    QTimer m_sessionTimer;
    QTimer m_restPopupTimer;
    QTimer m_pingTimer;
    QTimer m_logoutGuard;
    QTimeLine m_dictSlide;
    ZeltraLib::NetworkHelper *m_network = nullptr; // child
    WordCountDisplay *m_wordCount = nullptr;       // child
    QSystemTrayIcon *m_tray = nullptr;             // child, made on first use
    int m_dictHeight = 250;
    bool m_dictOpening = false;
    bool m_exitAllowed = false;
    bool m_exiting = false;
    bool m_endingSession = false;
    bool m_uploadPending = false; // the end of a session waits for the usage upload
    bool m_geometryChanged = false;
    int m_finishCode = 0;
    bool m_finishReceived = false;
    bool m_sessionRenewed = false; // this check already logged in again once
    QMetaObject::Connection m_renewal; // the silent login under way
    bool m_completed = false;
    bool m_detectionStarted = false;
    bool m_cancelled = false;
    bool m_userCancelled = false; // "取消" in the progress window
    bool m_checking = false;
    bool m_acceptingAll = false;
    bool m_trackingSuppressed = false;
    bool m_textChanged = false;
    int m_pendingWordRuns = 0;
    int m_pendingSentenceRuns = 0;
    int m_lastWordCount = 0;
};
