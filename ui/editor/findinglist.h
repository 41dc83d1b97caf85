#pragma once

#include <QList>

class CorrectionItem;
class SentenceEntry;

// The flat list of the document's findings in document order (sentence by sentence,
// each sentence's findings by start), built when a check finishes and shrunk by
// removals. Navigation and accept-all walk it. Findings are not owned.
class FindingList
{
public:
    void build(const QList<SentenceEntry *> &sentences);
    void clear() { m_items.clear(); }
    bool remove(const CorrectionItem *item);
    bool contains(const CorrectionItem *item) const { return indexOf(item) >= 0; }
    int indexOf(const CorrectionItem *item) const;

    const QList<CorrectionItem *> &items() const { return m_items; }
    int size() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.isEmpty(); }
    CorrectionItem *at(int index) const { return m_items.at(index); }

    // Nearest visible finding before / after `item` (from the end / start of the list
    // when item is null or not listed); null when there is none.
    CorrectionItem *previousVisible(const CorrectionItem *item) const;
    CorrectionItem *nextVisible(const CorrectionItem *item) const;
    CorrectionItem *firstVisible() const { return nextVisible(nullptr); }
    // Nearest visible finding that starts before `position` / at or after it; null when
    // there is none. The list is in document order, so both are binary searches.
    CorrectionItem *lastVisibleBefore(int position) const;
    CorrectionItem *firstVisibleFrom(int position) const;
    // Whether any finding is still open (not applied).
    bool anyOpen() const;
    // The listed findings other than `item` of its category with exactly its found text.
    QList<CorrectionItem *> sameAs(const CorrectionItem *item) const;

    // The first visible finding of `sentence` whose range holds `position`
    // (start <= position <= end); null when none does.
    static CorrectionItem *visibleAt(const SentenceEntry *sentence, int position);
    // The visible finding of `sentence` whose range is exactly [start, end].
    static CorrectionItem *visibleSpanning(const SentenceEntry *sentence, int start, int end);

private:
    // Index of the first finding that starts at or after `position`.
    int firstStartingFrom(int position) const;

    QList<CorrectionItem *> m_items;
};
