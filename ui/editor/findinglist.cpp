#include "findinglist.h"

#include "correctionitem.h"
#include "sentenceentry.h"

#include <algorithm>

void FindingList::build(const QList<SentenceEntry *> &sentences)
{
    m_items.clear();
    for (const SentenceEntry *entry : sentences)
        m_items.append(entry->findings());
}

bool FindingList::remove(const CorrectionItem *item)
{
    const int index = indexOf(item);
    if (index < 0)
        return false;
    m_items.removeAt(index);
    return true;
}

int FindingList::indexOf(const CorrectionItem *item) const
{
    if (!item)
        return -1;
    return int(m_items.indexOf(const_cast<CorrectionItem *>(item)));
}

CorrectionItem *FindingList::previousVisible(const CorrectionItem *item) const
{
    int index = indexOf(item);
    if (index < 0)
        index = int(m_items.size());
    for (int i = index - 1; i >= 0; --i) {
        if (m_items.at(i)->isVisible())
            return m_items.at(i);
    }
    return nullptr;
}

CorrectionItem *FindingList::nextVisible(const CorrectionItem *item) const
{
    const int index = indexOf(item);
    for (int i = index + 1; i < m_items.size(); ++i) {
        if (m_items.at(i)->isVisible())
            return m_items.at(i);
    }
    return nullptr;
}

int FindingList::firstStartingFrom(int position) const
{
    const auto it = std::partition_point(m_items.cbegin(), m_items.cend(),
                                         [position](const CorrectionItem *item) { return item->start() < position; });
    return int(it - m_items.cbegin());
}

CorrectionItem *FindingList::lastVisibleBefore(int position) const
{
    for (int i = firstStartingFrom(position) - 1; i >= 0; --i) {
        if (m_items.at(i)->isVisible())
            return m_items.at(i);
    }
    return nullptr;
}

CorrectionItem *FindingList::firstVisibleFrom(int position) const
{
    for (int i = firstStartingFrom(position); i < m_items.size(); ++i) {
        if (m_items.at(i)->isVisible())
            return m_items.at(i);
    }
    return nullptr;
}

bool FindingList::anyOpen() const
{
    for (const CorrectionItem *item : m_items) {
        if (item->isOpen())
            return true;
    }
    return false;
}

QList<CorrectionItem *> FindingList::sameAs(const CorrectionItem *item) const
{
    QList<CorrectionItem *> same;
    for (CorrectionItem *other : m_items) {
        if (other != item && other->category() == item->category() && other->foundText() == item->foundText())
            same.append(other);
    }
    return same;
}

CorrectionItem *FindingList::visibleAt(const SentenceEntry *sentence, int position)
{
    if (!sentence)
        return nullptr;
    for (CorrectionItem *item : sentence->findings()) {
        if (item->isVisible() && item->start() <= position && position <= item->end())
            return item;
    }
    return nullptr;
}

CorrectionItem *FindingList::visibleSpanning(const SentenceEntry *sentence, int start, int end)
{
    if (!sentence)
        return nullptr;
    for (CorrectionItem *item : sentence->findings()) {
        if (item->isVisible() && item->start() == start && item->end() == end)
            return item;
    }
    return nullptr;
}
