#include "mainwindow.h"

#include "callbackobject.h"
#include "checkcodes.h"
#include "checkmessages.h"
#include "checktaskthread.h"
#include "configstore.h"
#include "correctionitem.h"
#include "correctionpanel.h"
#include "customcontextmenu.h"
#include "custommessagebox.h"
#include "custommenubar.h"
#include "customtexteditor.h"
#include "detectsentencethread.h"
#include "detectwordthread.h"
#include "documentdialog.h"
#include "dictionarypanel.h"
#include "findingfocus.h"
#include "findingkeys.h"
#include "leftsidebar.h"
#include "networkhelper.h"
#include "polishmode.h"
#include "popuplabel.h"
#include "progresswindow.h"
#include "replacewindow.h"
#include "reportwindow.h"
#include "searchwindow.h"
#include "sentenceentry.h"
#include "servicehosts.h"
#include "statisticsstrip.h"
#include "textchunk.h"
#include "textfileio.h"
#include "textsearch.h"
#include "tipplacement.h"
#include "useraccess.h"
#include "userinformation.h"
#include "userwordfilter.h"
#include "waitlabel.h"
#include "wordcountdisplay.h"
#include "windowfadeanimation.h"
#include "writingguidewindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QUrl>

using namespace ZeltraLib;

namespace {

const QString True = QStringLiteral("True");
const QString False = QStringLiteral("False");

} // namespace

MainWindow::MainWindow(const MainWindowServices &services, QWidget *parent)
    : CustomWindow(parent)
    , m_services(services)
    , m_prefs(services.preferences)
    , m_access(&services.access)
    , m_backup(services.preferences.directory())
    , m_tips(services.promptTips, this, services.tipTimings)
    , m_wordLimit(services.wordLimitClock)
{
    setWindowTitle(QStringLiteral("Pennova"));
    m_ui.setupUi(this, m_prefs, services.webHost);
    m_ui.editor->setSentenceList(&m_sentences);
    m_history.setIgnoreReplay([this](CorrectionItem *item, bool restore) { return replayIgnore(item, restore); });
    new WindowFadeAnimation(this, false);

    m_checkThread = new CheckTaskThread(services.checkHost, services.accountHost,
                                        services.vocabularyPath, this);
    m_checkThread->setProgressIntervalMs(services.polishProgressMs);
    m_dictHeight = qMax(0, m_prefs.value(QStringLiteral("Dict_Height")).toInt());
    m_network = new NetworkHelper(this);
    // A probe of a server that does not answer fails instead of waiting for the system.
    m_network->setTimeoutMs(ProbeTimeoutMs);
    m_wordLimitTimer.setInterval(WordLimitResetMs);
    m_backupTimer.setInterval(services.backupIntervalMs);
    m_sessionTimer.setInterval(services.sessionIntervalMs);
    m_restPopupTimer.setSingleShot(true);
    m_restPopupTimer.setInterval(services.restPopupIntervalMs);
    m_pingTimer.setSingleShot(true);
    m_pingTimer.setInterval(qMax(0, services.pingIntervalMs));
    m_logoutGuard.setSingleShot(true);
    m_logoutGuard.setInterval(services.logoutTimeoutMs);
    m_dictSlide.setDuration(qMax(1, services.dictSlideMs));
    m_dictSlide.setFrameRange(0, 100);
    // The check's count runs on a text the modal progress window keeps still: a pause for
    // edits to settle would only hold the check back.
    m_wordThread = new DetectWordThread(this, 0);
    m_wordCount = new WordCountDisplay(m_ui.editor, m_ui.wordCountLabel, services.wordCountDelayMs, this);
    m_sentenceThread = new DetectSentenceThread(this);
    connectSignals();
    connectLifecycle();

    m_ui.sideBar->setVisible(m_prefs.value(QStringLiteral("Left_Side_Visible")) != False);
    // The saved mode decides the starting mode.
    if (isTrue(QStringLiteral("Improve_mode")))
        m_ui.sideBar->polishModeButton()->setChecked(true);
    else
        setPolishMode(false);
    applyModeButtons();
    m_ui.applyHotKeys(m_prefs);
    restoreGeometry();
    m_ui.panel->slotDisplayPanel(m_prefs.value(QStringLiteral("CorrectionPanel")).toInt());
    if (isTrue(QStringLiteral("Dict_Lock"))) {
        slotDisplayDictPanel(true);
        m_services.usage.countEvent(QStringLiteral("Dictionary_Lock"));
    }
    m_restPopupTimer.start();
    m_wordLimitTimer.start();
    startSessionTimers();
    m_services.usage.countEvent(QStringLiteral("Login_Succ"));
    slotPingCheckServer();
    recoverAfterCrash();
    m_backupTimer.start();
}

MainWindow::~MainWindow()
{
    // Nothing may call back into a half-destroyed window.
    disconnect(&CallbackObject::instance(), nullptr, this, nullptr);
    m_dictSlide.stop();
    // Torn down by its owner, not killed: the next start has nothing to recover.
    m_prefs.setValue(QStringLiteral("is_crash"), False);
    m_prefs.save();
    m_backup.remove();
    // Their destroyed() reaches slotSearchWndClosed: not from the base destructor.
    delete m_searchWnd;
    delete m_replaceWnd;
    if (m_checkThread->isRunning())
        m_checkThread->cancel();
    m_wordThread->wait();
    m_sentenceThread->wait();
    m_ui.panel->showFinding(nullptr, nullptr);
    m_ui.editor->setFocusedFinding(nullptr);
    m_ui.editor->setSentenceList(nullptr);
    qDeleteAll(m_sentences);
}

bool MainWindow::isTrue(const QString &key) const
{
    return m_prefs.value(key) == True;
}

void MainWindow::countEvent(const char *correctName, const char *polishName)
{
    const char *name = polishMode() && polishName ? polishName : correctName;
    m_services.usage.countEvent(QString::fromLatin1(name));
}

void MainWindow::connectSignals()
{
    connect(&CallbackObject::instance(), &CallbackObject::signalCallback, this,
            &MainWindow::slotCorrectByType);
    connect(m_checkThread, &CheckTaskThread::signalUpdateState, this, &MainWindow::slotUpdateState);
    connect(m_checkThread, &CheckTaskThread::signalFinished, this, &MainWindow::slotCheckTaskFinished);
    connect(m_checkThread, &CheckTaskThread::signalImpoveProgress, this, &MainWindow::slotImproveProgress);
    connect(m_wordThread, &QThread::finished, this, &MainWindow::slotDetectWordFinished);
    connect(m_sentenceThread, &QThread::finished, this, &MainWindow::slotDetectSentenceFinished);

    connect(m_ui.editor, &QTextEdit::cursorPositionChanged, this, &MainWindow::slotPositionChanged);
    connect(m_ui.editor, &QTextEdit::selectionChanged, this, &MainWindow::slotSelectionChanged);
    connect(m_ui.editor, &QTextEdit::textChanged, this, &MainWindow::slotTextChanged);
    connect(m_ui.editor, &CustomTextEditor::signalOnPaste, this, &MainWindow::slotOnPaste);
    connect(m_ui.editor, &CustomTextEditor::signalContextMenu, this, &MainWindow::slotContextMenu);
    connect(m_ui.editor, &CustomTextEditor::signalFindingsDiscarded, this, &MainWindow::onFindingsDiscarded);
    connect(m_ui.editor, &CustomTextEditor::signalTextEdited, this, &MainWindow::onTextEdited);
    m_ui.editor->installEventFilter(this);
    // A tip next to a line of text follows it, or closes when it scrolls away.
    connect(m_ui.editor->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { m_tips.refresh(); });

    connect(m_ui.panel, &CorrectionPanel::signalPrevClicked, this, &MainWindow::slotPrevError);
    connect(m_ui.panel, &CorrectionPanel::signalNextClicked, this, &MainWindow::slotNextError);
    connect(m_ui.panel, &CorrectionPanel::signalDisplayPanel, this, &MainWindow::slotDisplayCorrection);
    connect(m_ui.panel, &CorrectionPanel::signalUsageEvent, this,
            [this](const QString &name) { m_services.usage.countEvent(name); });

    connect(m_ui.sideBar->correctModeButton(), &QToolButton::toggled, this, &MainWindow::slotWorkingModeChanged);
    connect(m_ui.sideBar->polishModeButton(), &QToolButton::toggled, this, &MainWindow::slotWorkingModeChanged);

    connect(m_ui.checkAction, &QAction::triggered, this, &MainWindow::slotCheck);
    connect(m_ui.improveAction, &QAction::triggered, this, &MainWindow::slotCheck);
    connect(m_ui.correctAllAction, &QAction::triggered, this, &MainWindow::slotCorrectAll);
    connect(m_ui.improveAllAction, &QAction::triggered, this, &MainWindow::slotCorrectAll);
    connect(m_ui.prevAction, &QAction::triggered, this, &MainWindow::slotPrevError);
    connect(m_ui.nextAction, &QAction::triggered, this, &MainWindow::slotNextError);
    connect(m_ui.undoAction, &QAction::triggered, this, &MainWindow::slotUndo);
    connect(m_ui.redoAction, &QAction::triggered, this, &MainWindow::slotRedo);
    connect(m_ui.copyAction, &QAction::triggered, this, &MainWindow::slotCopyToClip);
    connect(m_ui.clearAction, &QAction::triggered, this, &MainWindow::slotClear);
    connect(m_ui.strip, &StatisticsStrip::signalClicked, this, [this] { openReport(true); });
    auto *guide = new QAction(QStringLiteral("写作向导"), this);
    guide->setShortcut(QKeySequence(QStringLiteral("Ctrl+G")));
    addAction(guide);
    connect(guide, &QAction::triggered, this, &MainWindow::slotWritingGuide);

    // The menu bar's "查找" and "替换" (Ctrl+F, Ctrl+H).
    m_searchAction = m_ui.menuBar->action(CustomMenuBar::ActSearch);
    m_replaceAction = m_ui.menuBar->action(CustomMenuBar::ActReplace);
    connect(m_searchAction, &QAction::triggered, this, &MainWindow::slotDisplaySearchWnd);
    connect(m_replaceAction, &QAction::triggered, this, &MainWindow::slotDisplayReplaceWnd);

    connect(&m_wordLimitTimer, &QTimer::timeout, this, &MainWindow::slotResetWordCountLimit);
    connect(&m_backupTimer, &QTimer::timeout, this, &MainWindow::slotBackup);
}

void MainWindow::applyModeButtons()
{
    m_ui.showModeButtons(polishMode());
    m_ui.panel->setModeTexts(!polishMode());
}

// ---------------------------------------------------------------- check pipeline

void MainWindow::slotCheck()
{
    if (m_checking)
        return;
    slotBackup();
    m_backupTimer.stop();
    countEvent("Main_Check", "Main_Improve_Check");
    m_completed = false;
    m_detectionStarted = false;
    m_cancelled = false;
    m_userCancelled = false;
    m_sessionRenewed = false;

    if (!m_ui.editor->hasText()) {
        CustomMessageBox box(QStringLiteral("请输入文本"), QStringLiteral("未能检测到有效的文本输入！"),
                             QStringLiteral("打开文档"), this);
        if (box.exec() == QDialog::Accepted)
            slotOpen();
        // A refused check must not end the crash backup for the rest of the run.
        m_backupTimer.start();
        return;
    }

    const QString text = m_ui.editor->toPlainText();
    m_prior = currentResults(text);
    reset();
    m_trackingSuppressed = true;
    m_ui.editor->loadText(text);
    if (m_ui.editor->containsChinesePunctuation(text)) {
        CustomMessageBox box(QStringLiteral("标点符号有误"),
                             QStringLiteral("您输入的文本中带有中文标点符号，\n是否替换成英文标点符号？"),
                             QStringLiteral("替换"), QStringLiteral("忽略"), this);
        if (box.exec() == QDialog::Accepted)
            m_ui.editor->loadTextConverted(text);
    }
    m_trackingSuppressed = false;

    m_checking = true;
    startWordCount(m_ui.editor->toPlainText());
    m_progress = new ProgressWindow(polishMode(), m_services.progressTimings, this);
    m_progress->setAttribute(Qt::WA_DeleteOnClose); // made for one check
    connect(m_progress, &QDialog::finished, this, &MainWindow::onProgressClosed);
    connect(m_progress, &ProgressWindow::signalCancelled, this, &MainWindow::cancelCheck);
    m_progress->setWindowModality(Qt::ApplicationModal);
    m_progress->show();
    m_progress->move(geometry().center() - m_progress->rect().center());
}

void MainWindow::startWordCount(const QString &text)
{
    // A count still running belongs to a cancelled check; its end is counted away.
    if (m_wordThread->isRunning())
        m_wordThread->wait();
    ++m_pendingWordRuns;
    m_wordThread->start(text);
}

void MainWindow::slotDetectWordFinished()
{
    if (m_pendingWordRuns > 0 && --m_pendingWordRuns > 0)
        return;
    if (m_cancelled || !m_checking)
        return;
    const int words = m_wordThread->wordCount();
    m_lastWordCount = words;
    m_wordCount->show(words);
    const WordCountLimit::Verdict verdict = m_wordLimit.request(words);
    if (verdict != WordCountLimit::Allowed) {
        CheckMessages::showWordLimit(this, verdict, m_wordLimit.secondsLeft(), m_wordLimit.wordsLeft());
        if (m_progress)
            m_progress->closeAsFailed();
        return;
    }
    if (m_sentenceThread->isRunning())
        m_sentenceThread->wait();
    ++m_pendingSentenceRuns;
    m_sentenceThread->start(m_ui.editor, m_prefs.value(QStringLiteral("enlish_level")).toInt());
}

void MainWindow::slotDetectSentenceFinished()
{
    if (m_pendingSentenceRuns > 0 && --m_pendingSentenceRuns > 0)
        return;
    if (m_cancelled || !m_checking)
        return;
    m_ui.editor->buildSentenceList(m_sentenceThread->positions(), m_sentenceThread->boundaries());
    m_detectionStarted = true;
    m_checkThread->setEnglishLevel(m_prefs.value(QStringLiteral("enlish_level")).toInt());
    m_checkThread->setPolishLevel(m_prefs.value(QStringLiteral("enrichment_level")).toInt());
    startCheckTask();
}

void MainWindow::startCheckTask()
{
    QStringList texts;
    QList<TextChunk *> chunks;
    texts.reserve(m_sentences.size());
    chunks.reserve(m_sentences.size());
    for (const SentenceEntry *entry : std::as_const(m_sentences)) {
        texts.append(entry->text());
        chunks.append(entry->chunk());
    }
    m_checkThread->start(m_access ? m_access->sessionKey() : QString(), &m_storage, texts, chunks);
}

void MainWindow::slotUpdateState(CResultState state)
{
    // Late records of a cancelled or finished check change nothing.
    if (!m_checking || m_cancelled || m_finishReceived)
        return;
    if (state.sentInd < 0 || state.sentInd >= m_sentences.size())
        return;
    // A check repeated after a new login answers its cached sentences a second time.
    if (m_sessionRenewed && m_answered.contains(state.sentInd))
        return;
    m_answered.insert(state.sentInd);
    SentenceEntry *entry = m_sentences.at(state.sentInd);
    // The sentence's underlines are drawn with one layout pass.
    QTextCursor batch(m_ui.editor->document());
    batch.beginEditBlock();
    for (const CorrectionRecord &record : std::as_const(state.corrections))
        insertRecord(entry, record, true);
    batch.endEditBlock();
    if (m_progress) {
        const int all = int(m_sentences.size());
        const int progress = all > 0 ? int(qint64(m_answered.size()) * 100 / all) : 1;
        m_progress->setTarget(qBound(1, progress, 99));
    }
}

void MainWindow::insertRecord(SentenceEntry *entry, const CorrectionRecord &record, bool correctMode)
{
    const int category = record.category();
    if (correctMode) {
        const int last = m_ui.editor->document()->characterCount() - 1;
        QTextCursor span(m_ui.editor->document());
        span.setPosition(qBound(0, entry->start() + record.start, last));
        span.setPosition(qBound(0, entry->start() + record.end, last), QTextCursor::KeepAnchor);
        if (UserWordFilter::drops(record, span.selectedText(), m_services.usage))
            return;
    }
    if (category == CategorySuggestion) {
        // One suggestion per sentence: a second one replaces the first without counting twice.
        const bool had = entry->hasSuggestion();
        m_ui.editor->insertResult(entry, record);
        if (correctMode && !had)
            m_statistics.add(category);
        return;
    }
    if (m_ui.editor->insertResult(entry, record) && correctMode)
        m_statistics.add(category);
}

void MainWindow::slotImproveProgress(int progress)
{
    if (m_progress)
        m_progress->setTarget(progress);
}

void MainWindow::slotCheckTaskFinished(QNetworkReply::NetworkError err)
{
    if (!m_checking || m_finishReceived)
        return;
    if (err == QNetworkReply::AuthenticationRequiredError && !m_cancelled && renewSessionAndRepeat())
        return;
    m_finishReceived = true;
    m_finishCode = int(err);
    // Connection and server failures say the service is out of reach; any answer of its
    // own (even a refusal) says it is there.
    if (err != QNetworkReply::OperationCanceledError)
        slotServiceReached(!(err > QNetworkReply::NoError && err < QNetworkReply::ContentAccessDenied)
                           && !(err >= QNetworkReply::InternalServerError && err <= QNetworkReply::UnknownServerError));
    if (err == QNetworkReply::NoError && !m_cancelled) {
        m_completed = true;
        if (!polishMode())
            m_storage.addUnanswered(m_checkThread->sentences(), m_checkThread->chunks());
        if (m_progress)
            m_progress->finish();
        return;
    }
    if (err == QNetworkReply::OperationCanceledError)
        return;
    if (m_progress)
        m_progress->closeAsFailed();
}

void MainWindow::cancelCheck()
{
    // Stops at once: nothing that arrives from here on is shown, and a check that
    // had already ended is no longer complete (no report, no message). What it found
    // goes when the progress window has closed; the results before it come back.
    m_userCancelled = true;
    m_cancelled = true;
    m_completed = false;
    if (m_detectionStarted && m_checkThread->isRunning())
        m_checkThread->cancel();
}

void MainWindow::onProgressClosed(int result)
{
    m_progress = nullptr;
    if (result != QDialog::Accepted) {
        m_cancelled = true;
        m_completed = false;
        if (m_detectionStarted && m_checkThread->isRunning())
            m_checkThread->cancel();
    }
    m_checking = false;
    if (m_userCancelled)
        restorePriorResults();
    else if (m_detectionStarted)
        checkFinished();
    m_prior = PriorResults();
    m_backupTimer.start();
    emit signalCheckEnded();
}

void MainWindow::checkFinished()
{
    const bool polish = polishMode();
    if (polish) {
        const QList<CResultState> results = m_checkThread->polishResults();
        QTextCursor batch(m_ui.editor->document());
        batch.beginEditBlock();
        for (const CResultState &state : results) {
            if (state.sentInd < 0 || state.sentInd >= m_sentences.size())
                continue;
            for (const CorrectionRecord &record : state.corrections)
                insertRecord(m_sentences.at(state.sentInd), record, false);
        }
        batch.endEditBlock();
    }
    m_findings.build(m_sentences);
    m_ui.editor->revealFindings();
    std::function<void()> firstTip;

    if (!m_findings.isEmpty()) {
        m_ui.correctAllButton->setEnabled(!polish);
        m_ui.improveAllButton->setEnabled(polish);
        m_ui.correctAllAction->setEnabled(!polish);
        m_ui.improveAllAction->setEnabled(polish);
        m_ui.editor->relayout();
        m_focus.forget();
        m_focus.clear();
        if (CorrectionItem *first = m_findings.firstVisible()) {
            m_focus.moveCaretTo(first);
            const int position = first->start();
            firstTip = [this, polish, position] {
                const TipPresenter::Placement at = TipPlacement::underText(m_ui.editor, position);
                // The tip texts: 3 speaks of polishing, 9 of the correcting helpers.
                if (polish)
                    showTipOnce(3, "PT_RightClickImprove", at);
                else
                    showTipOnce(9, "PT_RightClick", at);
            };
        }
    }
    if (!polish) {
        m_ui.strip->show();
        refreshStatistics();
    }
    m_ui.editor->relayout();
    showFinishMessage();
    ReportWindow *report = nullptr;
    if (!polish && m_completed && isTrue(QStringLiteral("show_report")))
        report = openReport(false);
    // The first-use tip waits for the report: under a modal window nobody would see it.
    if (firstTip && report)
        connect(report, &QDialog::finished, this, firstTip);
    else if (firstTip)
        firstTip();
}

void MainWindow::showFinishMessage()
{
    bool nothingFound = m_findings.isEmpty();
    for (const SentenceEntry *entry : std::as_const(m_sentences))
        nothingFound = nothingFound && !entry->hasSuggestion();
    switch (CheckMessages::showFinish(this, m_finishCode, polishMode(), nothingFound)) {
    case CheckMessages::Relogin:
        // The text stays as it is; the next check goes with the new session.
        if (m_services.relogin && m_services.relogin(this))
            sessionRenewed(false);
        break;
    case CheckMessages::Diagnosis:
        if (m_services.showDiagnosis)
            m_services.showDiagnosis(this);
        break;
    case CheckMessages::NoChoice:
        break;
    }
}

void MainWindow::reset()
{
    m_trackingSuppressed = true;
    m_answered.clear();
    m_history.clear();
    m_ignored.clear();
    for (QPushButton *b : {m_ui.correctAllButton, m_ui.improveAllButton, m_ui.undoButton, m_ui.redoButton})
        b->setEnabled(false);
    for (QAction *a : {m_ui.correctAllAction, m_ui.improveAllAction, m_ui.undoAction, m_ui.redoAction})
        a->setEnabled(false);
    m_focus.forget();
    m_finishCode = 0;
    m_finishReceived = false;
    m_ui.panel->showFinding(nullptr, nullptr);
    m_ui.editor->setFocusedFinding(nullptr);
    m_ui.strip->hide();
    m_statistics.clear();
    m_findings.clear();
    qDeleteAll(m_sentences);
    m_sentences.clear();
    m_ui.editor->setSentenceList(&m_sentences);
    m_ui.editor->clear();
    m_ui.editor->setFocus();
    m_focus.refreshState();
    m_trackingSuppressed = false;
}

// ---------------------------------------------------------------- focus and navigation

void MainWindow::slotPositionChanged()
{
    if (!m_trackingSuppressed)
        m_focus.followCaret();
}

void MainWindow::slotSelectionChanged()
{
    if (!m_trackingSuppressed)
        m_focus.followSelection();
}

void MainWindow::slotPrevError()
{
    countEvent("Main_Previous", "Main_Improve_Previous");
    m_focus.moveCaretTo(m_focus.previousTarget());
}

void MainWindow::slotNextError()
{
    countEvent("Main_Next", "Main_Improve_Next");
    m_focus.moveCaretTo(m_focus.nextTarget());
}

// ---------------------------------------------------------------- keys, text, modes

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_ui.editor || event->type() != QEvent::KeyPress)
        return CustomWindow::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier) {
        switch (key->key()) {
        case Qt::Key_Z:
            slotUndo();
            return true;
        case Qt::Key_Y:
            slotRedo();
            return true;
        case Qt::Key_I:
            return true;
        default:
            break;
        }
    }
    // Edits of the text discard the findings they touch through the document's change
    // report, whatever made them.
    return FindingKeys::handle(key, m_focus.focused(), isTrue(QStringLiteral("use_ctrl")));
}

void MainWindow::slotTextChanged()
{
    m_textChanged = true;
    // Accept-all edits a text that stays non-empty; reading the whole text after each of
    // thousands of replacements would cost more than the replacements.
    if (m_acceptingAll)
        return;
    const bool has = m_ui.editor->hasText();
    m_ui.copyButton->setEnabled(has);
    m_ui.clearButton->setEnabled(has);
    m_ui.copyAction->setEnabled(has);
    if (has && !m_trackingSuppressed) {
        // Beside the toolbar of the button the tip talks about.
        const TipPresenter::Placement at =
            TipPlacement::besideToolbar(polishMode() ? m_ui.improveButton : m_ui.checkButton, m_ui.editor);
        if (polishMode())
            showTipOnce(8, "PT_Improve", at);
        else
            showTipOnce(2, "PT_Check", at);
    }
}

void MainWindow::slotOnPaste(const QString &text)
{
    if (m_ui.editor->everythingSelected())
        reset();
    m_ui.editor->replaceSelection(m_ui.editor->textCursor(), text);
}

void MainWindow::slotContextMenu(QContextMenuEvent *event)
{
    // A right click without a selection acts on the clicked place.
    if (!m_ui.editor->textCursor().hasSelection())
        m_ui.editor->setTextCursor(m_ui.editor->cursorForPosition(event->pos()));
    if (!m_sentences.isEmpty())
        countEvent("ContexMenu_Open", "ContexMenu_Improve_Open");
    const ContextMenuOptions options{isTrue(QStringLiteral("use_ctrl")), ZeltraLib::polishMode(), &m_services.usage,
                                     m_services.checkHost};
    CustomContextMenu menu(m_ui.editor, m_focus.focused(), m_sentences.isEmpty() ? nullptr : m_focus.sentence(),
                           options, this);
    // Until the dictionary panel takes them, look-ups open the service's pages in the browser.
    const auto open = [](const char *page, const QString &text) {
        QDesktopServices::openUrl(QUrl(QStringLiteral("http://") + ZeltraLib::ApiHost() + QStringLiteral("/tessel/")
                                       + QLatin1String(page) + QStringLiteral("?content=")
                                       + QString::fromLatin1(QUrl::toPercentEncoding(text))));
    };
    connect(&menu, &CustomContextMenu::signalFindInDict, this, [open](const QString &word, const QString &other) {
        open("find", other.isEmpty() ? word : word + QLatin1Char(' ') + other);
    });
    connect(&menu, &CustomContextMenu::signalTranslate, this, [open](const QString &text) { open("translate", text); });
    connect(&menu, &CustomContextMenu::signalSearchWeb, this, [open](const QString &text) { open("search", text); });
    connect(&menu, &CustomContextMenu::signalCut, this, &MainWindow::slotOnCut);
    menu.exec(event->globalPos());
}

void MainWindow::slotOnCut()
{
    m_ui.editor->cut();
}

void MainWindow::slotWorkingModeChanged()
{
    const bool polish = m_ui.sideBar->polishModeButton()->isChecked();
    if (polish == polishMode())
        return;
    setPolishMode(polish);
    m_services.usage.countEvent(polish ? QStringLiteral("Main_Mode_Improve") : QStringLiteral("Main_Mode_Correct"));
    m_prefs.setValue(QStringLiteral("Improve_mode"), polish ? True : False);
    savePreferences();
    applyModeButtons();
    const QString text = m_ui.editor->toPlainText();
    reset();
    m_trackingSuppressed = true;
    m_ui.editor->loadText(text);
    m_trackingSuppressed = false;
}

void MainWindow::slotDisplayCorrectionMode(bool checked)
{
    if (checked)
        m_ui.sideBar->correctModeButton()->setChecked(true);
}

void MainWindow::slotDisplayEnrichmentMode(bool checked)
{
    if (checked)
        m_ui.sideBar->polishModeButton()->setChecked(true);
}

void MainWindow::slotPreferChanged(bool bTextChanged, bool bErrorChanged)
{
    m_ui.applyHotKeys(m_prefs);
    m_trackingSuppressed = true;
    const int caret = m_ui.editor->textCursor().position();
    // The editor's own refresh recolours findings and sentence lines alike.
    m_ui.editor->applyDisplaySettings(bTextChanged, bErrorChanged, m_focus.sentence());
    if (bErrorChanged)
        refreshStatistics();
    QTextCursor tc = m_ui.editor->textCursor();
    tc.setPosition(qMin(caret, m_ui.editor->document()->characterCount() - 1));
    m_ui.editor->setTextCursor(tc);
    m_trackingSuppressed = false;
    if (m_focus.focused() && !m_focus.focused()->isVisible())
        m_focus.clear();
    else if (m_focus.focused())
        m_focus.focus(m_focus.focused());
    m_focus.refreshState();
    m_ui.editor->relayout();
}

void MainWindow::slotClear()
{
    countEvent("Main_Clear", "Main_Improve_Clears");
    if (!m_ui.editor->hasText())
        return;
    CustomMessageBox box(QStringLiteral("清除确认"), QStringLiteral("文本框中存在内容，是否清除？"),
                         QStringLiteral("清除"), this);
    if (box.exec() == QDialog::Accepted)
        reset();
}

void MainWindow::slotCopyToClip()
{
    countEvent("Main_CopyAll", "Main_Improve_CopyAll");
    QApplication::clipboard()->setText(m_ui.editor->toPlainText());
    showNotification(13);
}

void MainWindow::slotResetWordCountLimit()
{
    m_wordLimit.reset();
}

void MainWindow::slotDisplayCorrection(bool bShow)
{
    if (bShow) {
        m_ui.panel->setMinimumWidth(180);
        const int total = m_ui.spHorizontal->width();
        m_ui.spHorizontal->setSizes({qMax(0, total - 200), 200});
    } else {
        m_ui.panel->setMinimumWidth(0);
        const int total = m_ui.spHorizontal->width();
        m_ui.spHorizontal->setSizes({total, m_ui.panel->minimumSizeHint().width()});
    }
}

void MainWindow::slotOpenReport()
{
    openReport(false);
}

ReportWindow *MainWindow::openReport(bool onDemand)
{
    m_services.usage.countEvent(QStringLiteral("Main_OpenReport"));
    const ReportWindow::Inputs inputs = ReportWindow::inputsOf(*m_checkThread, m_statistics,
                                                               int(m_sentences.size()), m_lastWordCount, onDemand);
    // A tip must not stay over (or under) the modal report.
    m_tips.closeCurrent();
    auto *report = new ReportWindow(inputs, m_prefs, WebHost(), this);
    report->setAttribute(Qt::WA_DeleteOnClose); // made for one showing
    report->setWindowModality(Qt::ApplicationModal);
    report->show();
    return report;
}

// ---------------------------------------------------------------- search and replace

// ---------------------------------------------------------------- notifications

void MainWindow::showNotification(int number)
{
    // Centred over the text.
    m_tips.show(number, [this](const QSize &size, QPoint *at) {
        *at = m_ui.editor->mapToGlobal(m_ui.editor->rect().center()) - QPoint(size.width() / 2, size.height() / 2);
        return true;
    });
}
