#pragma once

#include "textreplacement.h"

#include <QList>

#include <memory>

class CorrectionItem;

// Undo and redo stacks of finding actions (apply and revert): which finding, the
// candidate index before and after. Findings are not owned; the main window drops a
// finding's records before the finding is deleted.
class CorrectionHistory
{
public:
    // A finding action, or (text set, no item) a replace-all: previous index -1 puts the
    // replaced texts back, new index 0 the replacement.
    struct Record
    {
        CorrectionItem *item = nullptr;
        int previousIndex = -2;
        int newIndex = -2;
        std::shared_ptr<TextReplacement> text;
    };

    // A new action: onto the undo stack; the redo stack is cleared.
    void push(const Record &record);
    bool canUndo() const { return !m_undo.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    Record takeUndo() { return m_undo.takeLast(); }
    Record takeRedo() { return m_redo.takeLast(); }
    void pushUndo(const Record &record) { m_undo.append(record); }
    void pushRedo(const Record &record) { m_redo.append(record); }
    // Removes every record of `item` from both stacks.
    void drop(const CorrectionItem *item);
    // Re-applies the last record's previous index (revert when negative) and moves the
    // record to the redo stack; redo() does the same with the new index and back onto
    // the undo stack. The actions they cause see isReplaying() set. False when empty.
    bool undo();
    bool redo();
    bool isReplaying() const { return m_replaying; }
    void clear();

    int undoCount() const { return int(m_undo.size()); }
    int redoCount() const { return int(m_redo.size()); }

private:
    QList<Record> m_undo;
    QList<Record> m_redo;
    bool m_replaying = false;

    void replay(const Record &record, int index);
};
