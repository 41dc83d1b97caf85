// MainWindow: the actions on findings: applying a candidate, ignoring, adding to the word
// list, removing findings the text no longer holds, and accepting all.
#include "mainwindow.h"

#include "checkcodes.h"
#include "checkmessages.h"
#include "correctionitem.h"
#include "correctionpanel.h"
#include "custommessagebox.h"
#include "customtexteditor.h"
#include "polishmode.h"
#include "sentenceentry.h"
#include "statisticsstrip.h"
#include "tipplacement.h"
#include "waitlabel.h"

#include <QCoreApplication>
#include <QElapsedTimer>

using namespace ZeltraLib;

namespace {

// Accept-all lets the event loop run at most this often (ms).
constexpr qint64 AcceptAllEventSliceMs = 16;

// Accept-all applies a finding's first candidate only when the service ranks it
// clearly ahead of the second (score at least 0.8, or four times the second's);
// otherwise the choice is the user's ("futher": father or further).
bool firstCandidateClear(const ZeltraLib::CorrectionRecord &record)
{
    if (record.candidates.size() < 2)
        return true;
    const double first = record.candidates.at(0).score, second = record.candidates.at(1).score;
    return first >= 0.8 || first >= 4 * second;
}

} // namespace

void MainWindow::recordCorrection(CorrectionItem *item)
{
    // An action of the user (not a replay of the history) becomes undoable.
    if (!m_history.isReplaying())
        m_history.push({item, item->previousIndex(), item->currentIndex()});
    if (item->category() != CategoryNonword && item->category() != CategoryReal)
        return;
    m_services.usage.recordSpellingCorrection(item->foundText(), item->previousIndex(),
                                              item->currentIndex(), item->currentText(),
                                              item->candidateText(item->previousIndex()));
}

void MainWindow::slotCorrectByType(CorrectionItem *item, MenuItemType type)
{
    const bool polish = polishMode();
    const bool gotoNext = isTrue(QStringLiteral("goto_next"));
    if (item && !m_findings.contains(item) && !item->sentence())
        return;
    switch (type) {
    case MenuItemApply:
        if (!item)
            return;
        recordCorrection(item);
        countOpenChange(item);
        if (!polish && !m_acceptingAll && item->sentence()) {
            WordChoice choice;
            choice.sentence = item->sentence()->text();
            choice.wordIndex = item->start() - item->sentence()->start();
            choice.wordLength = int(item->foundText().size());
            choice.chooseWord = item->currentText();
            m_services.usage.addChoice(choice);
        }
        if (m_history.isReplaying()) {
            // Undo and redo show the finding they changed.
            m_focus.moveCaretTo(item);
        } else if (!m_acceptingAll) {
            CorrectionItem *next = gotoNext ? m_findings.nextVisible(item) : nullptr;
            if (next)
                m_focus.moveCaretTo(next);
            else
                m_focus.focus(item);
            showTipOnce(1, "PT_CopyAll", TipPlacement::besideToolbar(m_ui.copyButton, m_ui.editor));
        }
        break;
    case MenuItemIgnore:
        countEvent("Main_IgnoreError", "ContexMenu_Improve_IgnoreError");
        if (!item) {
            if (m_focus.sentence() && m_focus.sentence()->hasSuggestion()) {
                m_statistics.remove(CategorySuggestion);
                m_focus.sentence()->clearSuggestion();
                refreshStatistics();
                m_ui.panel->showFinding(m_focus.sentence(), m_focus.focused());
            }
        } else {
            const bool wasFocused = item == m_focus.focused();
            CorrectionItem *next = m_findings.nextVisible(item);
            keepIgnored(item);
            if (gotoNext && wasFocused && next)
                m_focus.moveCaretTo(next);
        }
        if (!polish)
            showNotification(16);
        break;
    case MenuItemRevert:
        if (!item)
            return;
        countEvent("Main_RevertError", "ContexMenu_Improve_RevertError");
        recordCorrection(item);
        countOpenChange(item);
        if (item == m_focus.focused())
            m_focus.focus(item);
        else
            m_focus.moveCaretTo(item);
        if (!polish)
            showNotification(15);
        break;
    case MenuItemAddToDictionary:
        if (!item)
            return;
        m_services.usage.countEvent(QStringLiteral("ContexMenu_AddToDictionary"));
        if (!addToWordList(item->foundText()))
            return;
        ignoreAll(item);
        showNotification(14);
        break;
    case MenuItemIgnoreAll:
        if (!item)
            return;
        countEvent("ContexMenu_IgnorSameError", "ContexMenu_Improve_IgnorSameError");
        ignoreAll(item);
        break;
    }
    refreshHistoryButtons();
    if (!m_acceptingAll)
        m_ui.editor->relayout();
}

bool MainWindow::addToWordList(const QString &word)
{
    return CheckMessages::showWordListRefusal(this, m_services.usage.addWord(word));
}

void MainWindow::ignoreAll(CorrectionItem *item)
{
    const QList<CorrectionItem *> same = m_findings.sameAs(item);
    removeFinding(item);
    for (CorrectionItem *other : std::as_const(same))
        removeFinding(other);
}

void MainWindow::removeFinding(CorrectionItem *item)
{
    takeFinding(item);
}

std::unique_ptr<CorrectionItem> MainWindow::takeFinding(CorrectionItem *item)
{
    if (!item)
        return nullptr;
    m_history.detach(item);
    if (!polishMode() && item->isOpen())
        m_statistics.remove(item->category());
    m_findings.remove(item);
    m_focus.drop(item);
    if (m_ui.panel->shownFinding() == item)
        m_ui.panel->showFinding(m_focus.sentence(), nullptr);
    std::unique_ptr<CorrectionItem> taken = m_ui.editor->takeFinding(item);
    refreshStatistics();
    m_focus.refreshState();
    return taken;
}

void MainWindow::onFindingsDiscarded(const QList<CorrectionItem *> &findings,
                                     const QList<SentenceEntry *> &suggestions)
{
    const bool correct = !polishMode();
    for (CorrectionItem *item : findings) {
        m_history.detach(item);
        if (correct && item->isOpen())
            m_statistics.remove(item->category());
        m_findings.remove(item);
        m_focus.drop(item);
    }
    if (correct) {
        for (int i = 0; i < suggestions.size(); ++i)
            m_statistics.remove(CategorySuggestion);
    }
    // The panel must not keep a finding that is about to be deleted.
    m_ui.panel->showFinding(m_focus.sentence(), nullptr);
    refreshStatistics();
    refreshHistoryButtons();
    QTimer::singleShot(0, this, [this] {
        m_focus.refreshState();
        m_ui.panel->showFinding(m_focus.sentence(), m_focus.focused());
    });
}

void MainWindow::refreshStatistics()
{
    if (m_ui.strip->isVisible() || !polishMode())
        m_ui.strip->refresh(m_statistics);
}

void MainWindow::slotCorrectAll()
{
    if (m_findings.isEmpty() || m_acceptingAll)
        return;
    m_backupTimer.stop();
    const bool polish = polishMode();
    const QString verb = polish ? QStringLiteral("采纳") : QStringLiteral("改正");
    CustomMessageBox box(QStringLiteral("全部") + verb + QStringLiteral("确认"),
                         polish ? QStringLiteral("是否确认采纳所有润色建议？") : QStringLiteral("是否确认改正全部错误？"),
                         QStringLiteral("全部") + verb, this);
    if (box.exec() != QDialog::Accepted) {
        m_backupTimer.start();
        return;
    }
    m_ui.waiting->start();
    countEvent("Main_CorrectAll", "Main_Improve_CorrectAll");
    m_acceptingAll = true;
    m_trackingSuppressed = true;
    QElapsedTimer slice;
    slice.start();
    // One edit block around all replacements: the document is laid out once at the end
    // instead of after every finding.
    QTextCursor batch(m_ui.editor->document());
    m_ui.editor->beginFindingBatch();
    batch.beginEditBlock();
    // Indexes, not a copy: events processed in between may remove findings.
    for (int i = 0; i < m_findings.size(); ++i) {
        CorrectionItem *item = m_findings.at(i);
        if (item->isVisible() && item->isOpen() && (polish || firstCandidateClear(item->record())))
            item->applyByIndex(0);
        if (slice.elapsed() >= AcceptAllEventSliceMs) {
            QCoreApplication::processEvents();
            slice.restart();
        }
    }
    batch.endEditBlock();
    m_ui.editor->endFindingBatch();
    m_trackingSuppressed = false;
    m_acceptingAll = false;
    refreshStatistics();
    slotTextChanged();
    m_ui.editor->relayout();
    if (m_focus.focused() && m_findings.contains(m_focus.focused()))
        m_focus.focus(m_focus.focused());
    else
        m_focus.refreshState();
    refreshHistoryButtons();
    showNotification(polish ? 12 : 11);
    m_ui.waiting->stop();
    m_backupTimer.start();
}
