#include "correctionhistory.h"

void CorrectionHistory::push(const Record &record)
{
    m_undo.append(record);
    m_redo.clear();
}

void CorrectionHistory::drop(const CorrectionItem *item)
{
    auto same = [item](const Record &r) { return r.item == item; };
    m_undo.removeIf(same);
    m_redo.removeIf(same);
}

void CorrectionHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}
