#pragma once

#include "correctionrecord.h"
#include "linewidget.h"

#include <QList>
#include <QPointer>
#include <QTextCursor>

#include <memory>

namespace ZeltraLib {
class TextChunk;
}
class CorrectionItem;

// One title or sentence of the document: its range (a cursor, anchor = start,
// position = end), its check configuration, its findings in start order and its
// sentence-level suggestion. Owns the chunk and the findings; deletes the findings'
// preview labels and its line widget when destroyed.
class SentenceEntry
{
public:
    SentenceEntry(std::unique_ptr<ZeltraLib::TextChunk> chunk, const QTextCursor &range);
    ~SentenceEntry();

    SentenceEntry(const SentenceEntry &) = delete;
    SentenceEntry &operator=(const SentenceEntry &) = delete;

    ZeltraLib::TextChunk *chunk() const { return m_chunk.get(); }
    void setChunk(std::unique_ptr<ZeltraLib::TextChunk> chunk);

    QTextCursor &range() { return m_range; }
    const QTextCursor &range() const { return m_range; }
    int start() const { return m_range.selectionStart(); }
    int end() const { return m_range.selectionEnd(); }
    QString text() const;

    // Owned; sorted by start position.
    const QList<CorrectionItem *> &findings() const { return m_findings; }
    // Takes ownership; placed before the first finding that starts after it.
    void insertFinding(CorrectionItem *item);
    // Whether [start, end] shares a character with one of the findings, or has exactly
    // a finding's range (two insertions at one place).
    bool overlapsFinding(int start, int end) const;
    // Gives up ownership of item (not deleted); false when it is not here.
    bool takeFinding(CorrectionItem *item);

    // The sentence-level suggestion: category 6 when present.
    const ZeltraLib::CorrectionRecord &suggestion() const { return m_suggestion; }
    ZeltraLib::CorrectionRecord &suggestion() { return m_suggestion; }
    bool hasSuggestion() const;
    void setSuggestion(const ZeltraLib::CorrectionRecord &record);
    // Drops the suggestion and deletes its line widget.
    void clearSuggestion();

    LineWidget *lineWidget() const { return m_lineWidget; }
    // Replaces (and deletes) any previous line widget; the widget is an editor child.
    void setLineWidget(LineWidget *widget);

private:
    std::unique_ptr<ZeltraLib::TextChunk> m_chunk;
    QTextCursor m_range;
    QList<CorrectionItem *> m_findings;
    ZeltraLib::CorrectionRecord m_suggestion;
    QPointer<LineWidget> m_lineWidget;
};
