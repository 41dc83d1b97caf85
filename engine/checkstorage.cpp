#include "checkstorage.h"

#include "sentencechunk.h"
#include "titlechunk.h"

namespace ZeltraLib {

std::unique_ptr<TextChunk> copyChunk(const TextChunk &chunk)
{
    std::unique_ptr<TextChunk> copy;
    if (chunk.kind() == 1)
        copy = std::make_unique<TitleChunk>();
    else
        copy = std::make_unique<SentenceChunk>();
    copy->setConfidence(chunk.confidence());
    return copy;
}

void CheckStorage::append(const QString &text, const TextChunk &chunk,
                          const QList<CorrectionRecord> &corrections, int scoreErrors,
                          const QString &previous)
{
    if (m_capacity > 0 && size() >= m_capacity)
        shrink();
    m_entries.push_back(CheckStorageEntry{text, copyChunk(chunk), corrections, scoreErrors, previous});
    m_byText[text].append(size() - 1);
}

const CheckStorageEntry *CheckStorage::find(const QString &text, const TextChunk &chunk,
                                            const QString &previous) const
{
    const auto it = m_byText.constFind(text);
    if (it == m_byText.constEnd())
        return nullptr;
    for (int index : *it) {
        const CheckStorageEntry &entry = m_entries.at(size_t(index));
        if (entry.chunk && entry.chunk->equals(chunk) && entry.previous == previous)
            return &entry;
    }
    return nullptr;
}

void CheckStorage::addUnanswered(const QStringList &texts, const QList<TextChunk *> &chunks)
{
    const qsizetype count = qMin(texts.size(), chunks.size());
    for (qsizetype i = 0; i < count; ++i) {
        const QString previous = previousOf(texts, i);
        if (chunks.at(i) && !find(texts.at(i), *chunks.at(i), previous))
            append(texts.at(i), *chunks.at(i), {}, 0, previous);
    }
}

void CheckStorage::clear()
{
    m_entries.clear();
    m_byText.clear();
}

void CheckStorage::setCapacity(int capacity)
{
    m_capacity = qMax(0, capacity);
    while (m_capacity > 0 && size() > m_capacity)
        shrink();
}

void CheckStorage::shrink()
{
    const size_t drop = qMax<size_t>(1, m_entries.size() / 2);
    m_entries.erase(m_entries.begin(), m_entries.begin() + qsizetype(drop));
    reindex();
}

void CheckStorage::reindex()
{
    m_byText.clear();
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_byText[m_entries[i].text].append(int(i));
}

} // namespace ZeltraLib
