#include "sentenceentry.h"

#include "checkcodes.h"
#include "correctionitem.h"
#include "linewidget.h"
#include "textchunk.h"

#include <algorithm>

SentenceEntry::SentenceEntry(std::unique_ptr<ZeltraLib::TextChunk> chunk, const QTextCursor &range)
    : m_chunk(std::move(chunk))
    , m_range(range)
{
    const int s = range.selectionStart();
    const int e = range.selectionEnd();
    m_range.setPosition(s);
    m_range.setPosition(e, QTextCursor::KeepAnchor);
}

SentenceEntry::~SentenceEntry()
{
    for (CorrectionItem *item : std::as_const(m_findings)) {
        item->deleteLabel();
        delete item;
    }
    setLineWidget(nullptr);
}

void SentenceEntry::setChunk(std::unique_ptr<ZeltraLib::TextChunk> chunk)
{
    m_chunk = std::move(chunk);
}

QString SentenceEntry::text() const
{
    return m_range.selectedText();
}

void SentenceEntry::insertFinding(CorrectionItem *item)
{
    const int start = item->start();
    auto it = std::find_if(m_findings.begin(), m_findings.end(),
                           [start](const CorrectionItem *other) { return other->start() > start; });
    m_findings.insert(it, item);
}

bool SentenceEntry::overlapsFinding(int start, int end) const
{
    return std::any_of(m_findings.cbegin(), m_findings.cend(), [start, end](const CorrectionItem *item) {
        return (item->start() < end && start < item->end()) || (item->start() == start && item->end() == end);
    });
}

bool SentenceEntry::takeFinding(CorrectionItem *item)
{
    return m_findings.removeOne(item);
}

bool SentenceEntry::hasSuggestion() const
{
    return m_suggestion.category() == ZeltraLib::CategorySuggestion;
}

void SentenceEntry::setSuggestion(const ZeltraLib::CorrectionRecord &record)
{
    m_suggestion = record;
}

void SentenceEntry::clearSuggestion()
{
    m_suggestion = ZeltraLib::CorrectionRecord();
    setLineWidget(nullptr);
}

void SentenceEntry::setLineWidget(LineWidget *widget)
{
    if (m_lineWidget && m_lineWidget != widget) {
        m_lineWidget->hide();
        m_lineWidget->deleteLater();
    }
    m_lineWidget = widget;
}
