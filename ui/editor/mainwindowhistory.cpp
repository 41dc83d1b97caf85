// MainWindow: the undo history of the user's actions — text edits, finding actions and
// ignores, in the order they were done.
#include "mainwindow.h"

#include "correctionitem.h"
#include "customtexteditor.h"
#include "polishmode.h"

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
    if (!ZeltraLib::polishMode())
        m_statistics.add(back->category());
    refreshStatistics();
    m_focus.moveCaretTo(back);
    return true;
}
