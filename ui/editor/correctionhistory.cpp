#include "correctionhistory.h"

#include "correctionitem.h"

namespace {

// What a finding's range held at candidate index `index` (open when negative).
QString textAt(const CorrectionItem *item, int index)
{
    return index < 0 ? item->foundText() : item->replacementText(index);
}

} // namespace

void CorrectionHistory::push(const Record &record)
{
    m_undo.append(record);
    m_redo.clear();
    m_typing = false;
}

void CorrectionHistory::pushEdit(QTextDocument *document, int position, const QString &before, const QString &after)
{
    if (m_typing && m_redo.isEmpty() && !m_undo.isEmpty() && m_undo.last().text
        && m_undo.last().text->absorb(position, before, after))
        return;
    push({nullptr, -1, 0, TextReplacement::edit(document, position, before, after)});
    m_typing = true;
}

void CorrectionHistory::detach(const CorrectionItem *item)
{
    if (!item)
        return;
    for (QList<Record> *stack : {&m_undo, &m_redo}) {
        stack->removeIf([item](const Record &r) { return r.ignore && r.item == item; });
        for (Record &r : *stack) {
            if (r.item != item)
                continue;
            r.text = std::make_shared<TextReplacement>(QList<QTextCursor>{item->cursor()},
                                                       QStringList{textAt(item, r.previousIndex)},
                                                       textAt(item, r.newIndex));
            r.item = nullptr;
            r.previousIndex = -1;
            r.newIndex = 0;
        }
    }
}

void CorrectionHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_typing = false;
}

bool CorrectionHistory::replay(const Record &record, int index)
{
    m_replaying = true;
    bool done = true;
    if (record.ignore)
        done = m_ignoreReplay && m_ignoreReplay(record.item, index < 0);
    else if (record.text)
        done = record.text->swap(index < 0);
    else if (index < 0)
        record.item->correct(ZeltraLib::MenuItemRevert);
    else
        record.item->correct(ZeltraLib::MenuItemApply, index);
    m_replaying = false;
    return done;
}

std::optional<CorrectionHistory::Record> CorrectionHistory::step(QList<Record> &from, QList<Record> &to, bool back)
{
    m_typing = false;
    while (!from.isEmpty()) {
        const Record record = from.takeLast();
        if (replay(record, back ? record.previousIndex : record.newIndex)) {
            to.append(record);
            return record;
        }
    }
    return std::nullopt;
}

std::optional<CorrectionHistory::Record> CorrectionHistory::undo()
{
    return step(m_undo, m_redo, true);
}

std::optional<CorrectionHistory::Record> CorrectionHistory::redo()
{
    return step(m_redo, m_undo, false);
}
