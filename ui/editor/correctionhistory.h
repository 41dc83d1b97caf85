#pragma once

#include "textreplacement.h"

#include <QList>

#include <functional>
#include <memory>
#include <optional>

class CorrectionItem;
class QTextDocument;

// One undo/redo history of the user's actions in the order they happened: finding
// actions (apply and revert: which finding, the candidate index before and after) and
// text edits (typing, paste, cut, drop, input method, replace-all) and ignores. Findings are not
// owned; the main window detaches a finding before it is deleted.
class CorrectionHistory
{
public:
    // A finding action, or (text set, no item) a text edit: previous index -1 puts the
    // old text back, new index 0 the new text.
    struct Record
    {
        CorrectionItem *item = nullptr;
        int previousIndex = -2;
        int newIndex = -2;
        std::shared_ptr<TextReplacement> text;
        bool ignore = false; // the finding was ignored: undo brings it back
    };

    // A new action: onto the undo stack; the redo stack is cleared.
    void push(const Record &record);
    // A text edit already made in `document`: at `position`, `before` became `after`.
    // Typing and deleting at one place within a word make one step.
    void pushEdit(QTextDocument *document, int position, const QString &before, const QString &after);
    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    // The finding is about to be deleted: its actions stay in the history as the text
    // edits they made, so that the steps before and after it still undo in order.
    void detach(const CorrectionItem *item);
    // Re-applies the last record's previous index (revert when negative), or puts the old
    // text back, and moves the record to the redo stack; redo() does the same with the new
    // index and back onto the undo stack. The actions they cause see isReplaying() set.
    // A text step whose place was edited since is dropped and the next one taken.
    // Returns the record replayed, none when there was nothing to replay.
    std::optional<Record> undo();
    std::optional<Record> redo();
    bool isReplaying() const { return m_replaying; }
    // Undo (restore true) and redo of an ignore: true when it could be done.
    void setIgnoreReplay(std::function<bool(CorrectionItem *item, bool restore)> replay)
    {
        m_ignoreReplay = std::move(replay);
    }
    void clear();

    int undoCount() const { return int(m_undo.size()); }
    int redoCount() const { return int(m_redo.size()); }

private:
    QList<Record> m_undo;
    QList<Record> m_redo;
    bool m_replaying = false;
    bool m_typing = false;
    std::function<bool(CorrectionItem *, bool)> m_ignoreReplay; // the last undo record is a text edit that may take more typing

    bool replay(const Record &record, int index);
    std::optional<Record> step(QList<Record> &from, QList<Record> &to, bool back);
};
