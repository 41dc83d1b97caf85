// MainWindow: the undo history of the user's actions — text edits, finding actions and
// ignores, in the order they were done — and the results a cancelled check puts back.
#include "mainwindow.h"

#include "correctionitem.h"
#include "customtexteditor.h"
#include "polishmode.h"
#include "sentenceentry.h"
#include "statisticsstrip.h"

#include <algorithm>

#include <QAction>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>

void MainWindow::refreshHistoryButtons()
{
    m_ui.undoButton->setEnabled(m_history.canUndo());
    m_ui.redoButton->setEnabled(m_history.canRedo());
    m_ui.undoAction->setEnabled(m_history.canUndo());
    m_ui.redoAction->setEnabled(m_history.canRedo());
}

void MainWindow::slotUndo()
{
    countEvent("Main_Undo", "Main_Improve_Undo");
    showReplayed(m_history.undo());
}

void MainWindow::slotRedo()
{
    countEvent("Main_Redo", "Main_Improve_Redo");
    showReplayed(m_history.redo());
}

void MainWindow::showReplayed(const std::optional<CorrectionHistory::Record> &record)
{
    // A finding action put the caret at its finding already; a text step puts it behind
    // the text it put back.
    if (record && record->text) {
        QTextCursor tc = m_ui.editor->textCursor();
        tc.setPosition(qBound(0, record->text->caretPosition(), m_ui.editor->document()->characterCount() - 1));
        m_ui.editor->setTextCursor(tc);
        m_ui.editor->ensureCursorVisible();
    }
    refreshHistoryButtons();
    m_ui.editor->relayout();
}

void MainWindow::onTextEdited(int position, const QString &removed, const QString &added)
{
    if (m_history.isReplaying())
        return;
    m_history.pushEdit(m_ui.editor->document(), position, removed, added);
    refreshHistoryButtons();
}

void MainWindow::keepIgnored(CorrectionItem *item)
{
    std::unique_ptr<CorrectionItem> taken = takeFinding(item);
    if (!taken)
        return;
    if (!m_history.isReplaying()) {
        m_history.push({item, -1, 0, nullptr, true}); // undo restores, redo ignores again
        refreshHistoryButtons();
    }
    m_ignored.push_back(std::move(taken));
}

bool MainWindow::replayIgnore(CorrectionItem *item, bool restore)
{
    if (!restore) {
        if (!m_findings.contains(item))
            return false;
        item->correct(ZeltraLib::MenuItemIgnore);
        return true;
    }
    auto it = std::find_if(m_ignored.begin(), m_ignored.end(),
                           [item](const std::unique_ptr<CorrectionItem> &kept) { return kept.get() == item; });
    if (it == m_ignored.end())
        return false;
    std::unique_ptr<CorrectionItem> kept = std::move(*it);
    m_ignored.erase(it);
    // Text typed over its words since: the finding no longer applies.
    if (!kept->isIntact() || !m_sentences.contains(kept->sentence()))
        return false;
    CorrectionItem *back = kept.release();
    m_ui.editor->restoreFinding(back); // its sentence owns it again
    m_findings.build(m_sentences);
    if (!ZeltraLib::polishMode() && back->isOpen())
        m_statistics.add(back->category());
    refreshStatistics();
    m_focus.moveCaretTo(back);
    return true;
}

void MainWindow::countOpenChange(CorrectionItem *item)
{
    // The counts are of the findings still open: applying one takes it off the strip,
    // reverting it (or undoing the apply) puts it back.
    if (ZeltraLib::polishMode() || (item->previousIndex() < 0) == item->isOpen())
        return;
    if (item->isOpen())
        m_statistics.add(item->category());
    else
        m_statistics.remove(item->category());
    if (!m_acceptingAll) // accept-all refreshes once at its end
        refreshStatistics();
}

MainWindow::PriorResults MainWindow::currentResults(const QString &text) const
{
    PriorResults prior;
    prior.text = text;
    prior.polish = ZeltraLib::polishMode();
    prior.stripShown = m_ui.strip->isVisibleTo(this);
    prior.sentences.reserve(m_sentences.size());
    for (const SentenceEntry *entry : std::as_const(m_sentences)) {
        PriorSentence sentence;
        sentence.start = entry->start();
        sentence.end = entry->end();
        if (entry->chunk())
            sentence.chunk = entry->chunk()->clone();
        for (const CorrectionItem *item : entry->findings()) {
            // Applied findings are in the text now; ignored ones are gone already.
            if (!item->isOpen() || !item->isIntact())
                continue;
            ZeltraLib::CorrectionRecord record = item->record();
            record.start = item->start() - entry->start();
            record.end = item->end() - entry->start();
            sentence.findings.append(record);
        }
        sentence.hasSuggestion = entry->hasSuggestion();
        if (sentence.hasSuggestion)
            sentence.suggestion = entry->suggestion();
        prior.sentences.push_back(std::move(sentence));
    }
    return prior;
}

void MainWindow::restorePriorResults()
{
    // The text as the check left it, without a finding of the check; how it ended stays.
    const QString text = m_ui.editor->toPlainText();
    const int finishCode = m_finishCode;
    const bool finishReceived = m_finishReceived;
    reset();
    m_finishCode = finishCode;
    m_finishReceived = finishReceived;
    m_trackingSuppressed = true;
    m_ui.editor->loadText(text);
    m_trackingSuppressed = false;
    if (text != m_prior.text || m_prior.polish != ZeltraLib::polishMode())
        return;

    const bool correct = !ZeltraLib::polishMode();
    const int last = m_ui.editor->document()->characterCount() - 1;
    QTextCursor batch(m_ui.editor->document());
    batch.beginEditBlock();
    for (PriorSentence &prior : m_prior.sentences) {
        QTextCursor range(m_ui.editor->document());
        range.setPosition(qBound(0, prior.start, last));
        range.setPosition(qBound(0, prior.end, last), QTextCursor::KeepAnchor);
        auto *entry = new SentenceEntry(std::move(prior.chunk), range);
        m_sentences.append(entry);
        for (const ZeltraLib::CorrectionRecord &record : std::as_const(prior.findings))
            insertRecord(entry, record, correct);
        if (prior.hasSuggestion)
            insertRecord(entry, prior.suggestion, correct);
    }
    batch.endEditBlock();
    m_findings.build(m_sentences);
    m_ui.editor->revealFindings();
    if (!m_findings.isEmpty()) {
        m_ui.correctAllButton->setEnabled(correct);
        m_ui.improveAllButton->setEnabled(!correct);
        m_ui.correctAllAction->setEnabled(correct);
        m_ui.improveAllAction->setEnabled(!correct);
    }
    if (m_prior.stripShown) {
        m_ui.strip->show();
        refreshStatistics();
    }
    m_focus.refreshState();
    m_ui.editor->relayout();
}
