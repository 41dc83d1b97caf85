#include "correctionhistory.h"

#include "correctionitem.h"

void CorrectionHistory::push(const Record &record)
{
    m_undo.append(record);
    m_redo.clear();
}

void CorrectionHistory::drop(const CorrectionItem *item)
{
    if (!item)
        return;
    auto same = [item](const Record &r) { return r.item == item; };
    m_undo.removeIf(same);
    m_redo.removeIf(same);
}

void CorrectionHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}

void CorrectionHistory::replay(const Record &record, int index)
{
    m_replaying = true;
    if (record.text)
        record.text->swap(index < 0);
    else if (index < 0)
        record.item->correct(ZeltraLib::MenuItemRevert);
    else
        record.item->correct(ZeltraLib::MenuItemApply, index);
    m_replaying = false;
}

bool CorrectionHistory::undo()
{
    if (m_undo.isEmpty())
        return false;
    const Record record = m_undo.takeLast();
    replay(record, record.previousIndex);
    m_redo.append(record);
    return true;
}

bool CorrectionHistory::redo()
{
    if (m_redo.isEmpty())
        return false;
    const Record record = m_redo.takeLast();
    replay(record, record.newIndex);
    m_undo.append(record);
    return true;
}
