#pragma once

#include "checkstatistics.h"
#include "checkstorage.h"
#include "correctionhistory.h"
#include "findingfocus.h"
#include "findinglist.h"
#include "mainwindowform.h"
#include "mainwindowservices.h"
#include "progresswindow.h"
#include "menuitemtype.h"
#include "resultstate.h"
#include "popuplabel.h"
#include "tippresenter.h"
#include "wordcountlimit.h"

#include <QList>
#include <QMainWindow>
#include <QNetworkReply>
#include <QPointer>
#include <QSet>
#include <QTimer>

class CorrectionItem;
class CorrectionPanel;
class CustomTextEditor;
class LeftSideBar;
class PopupLabel;
class QAction;
class QContextMenuEvent;
class QLabel;
class QPushButton;
class QSplitter;
class SentenceEntry;
class StatisticsStrip;
class WaitingIndicator;

namespace ZeltraLib {
class CheckTaskThread;
class DetectSentenceThread;
class DetectWordThread;
} // namespace ZeltraLib

// The application's main window and the conductor of checking: runs a check (word
// limits, sentence detection, the check thread, results inserted as they arrive),
// keeps the flat finding list and the focused finding, executes every finding action
// that reaches it through CallbackObject, keeps the undo/redo history, switches between
// correct and polish mode and counts the usage events of all of it.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int WordLimitResetMs = 60000;
    static constexpr int BackupIntervalMs = 5000;

    explicit MainWindow(const MainWindowServices &services, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Parts and state, for the shell, tests and the benchmark.
    CustomTextEditor *editor() const { return m_ui.editor; }
    CorrectionPanel *panel() const { return m_ui.panel; }
    LeftSideBar *leftSideBar() const { return m_ui.sideBar; }
    StatisticsStrip *statisticsStrip() const { return m_ui.strip; }
    const MainWindowForm &form() const { return m_ui; }
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
    bool isAcceptingAll() const { return m_acceptingAll; }

signals:
    // A check has ended: the progress window closed and the findings are in place.
    void signalCheckEnded();

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
    void slotResetWordCountLimit();
    void slotBackup();
    void slotDisplayCorrection(bool bShow);
    void slotOpenReport();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectSignals();
    // Size and place from "Left", "Top", "Width", "Height", "IsMaxmized".
    void restoreGeometry();
    void applyModeButtons();
    void openReport(bool onDemand);
    void countEvent(const char *correctName, const char *polishName = nullptr);

    // Check pipeline.
    void reset();
    void startWordCount(const QString &text);
    void onProgressClosed(int result);
    void checkFinished();
    void insertRecord(SentenceEntry *entry, const ZeltraLib::CorrectionRecord &record,
                      bool correctMode);
    void showFinishMessage();

    void refreshHistoryButtons();

    // Finding actions.
    void removeFinding(CorrectionItem *item);
    // False (after telling the user) when the word list refuses the word.
    bool addToWordList(const QString &word);
    void ignoreAll(CorrectionItem *item);
    void onFindingsDiscarded(const QList<CorrectionItem *> &findings,
                             const QList<SentenceEntry *> &suggestions);
    void recordCorrection(CorrectionItem *item);
    void refreshStatistics();

    void showNotification(int number);
    void setTextFromFile(const QString &path);

    bool isTrue(const QString &key) const;

    MainWindowServices m_services;
    ConfigStore &m_prefs;

    MainWindowForm m_ui;
    TipPresenter m_tips;
    QPointer<ProgressWindow> m_progress;

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
    CheckStatistics m_statistics;
    CorrectionHistory m_history;
    WordCountLimit m_wordLimit;
    QTimer m_wordLimitTimer;
    QTimer m_backupTimer;
    int m_finishCode = 0;
    bool m_finishReceived = false;
    bool m_completed = false;
    bool m_detectionStarted = false;
    bool m_cancelled = false;
    bool m_checking = false;
    bool m_acceptingAll = false;
    bool m_trackingSuppressed = false;
    bool m_textChanged = false;
    int m_pendingWordRuns = 0;
    int m_pendingSentenceRuns = 0;
    int m_lastWordCount = 0;
};
