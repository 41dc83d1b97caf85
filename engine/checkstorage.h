#pragma once

#include "checkstorageentry.h"

#include <QHash>
#include <QList>
#include <QString>

#include <deque>

namespace ZeltraLib {

// The check result cache: sentences already answered, with their configuration
// and findings. Owned by whoever runs the checks (the main window, the command
// line); read by CheckStorageThread while the owner leaves it alone.
class CheckStorage
{
public:
    // Entries kept at most; when full, the oldest half is forgotten.
    static constexpr int DefaultCapacity = 50000;

    CheckStorage() = default;
    CheckStorage(const CheckStorage &) = delete;
    CheckStorage &operator=(const CheckStorage &) = delete;

    // Appends an entry with a new chunk of the same class and confidence as `chunk`;
    // `previous` is the sentence before it in the checked text (empty for the first).
    void append(const QString &text, const TextChunk &chunk,
                const QList<CorrectionRecord> &corrections, int scoreErrors = 0,
                const QString &previous = QString());
    // The first entry whose text equals `text` exactly, whose chunk equals `chunk`
    // and that was checked after the same `previous` sentence; nullptr when there is
    // none. A finding may depend on the sentence before, so a moved or re-neighboured
    // sentence is checked again.
    const CheckStorageEntry *find(const QString &text, const TextChunk &chunk,
                                  const QString &previous = QString()) const;
    // Appends an entry without findings for each sentence that has none yet
    // (sentences the service found nothing in are not answered by a record); each
    // sentence's previous one is the one before it in `texts`.
    void addUnanswered(const QStringList &texts, const QList<TextChunk *> &chunks);

    // The sentence before sentence i of a checked text, as the entries keep it ("" for the first).
    static QString previousOf(const QStringList &texts, qsizetype i) { return i > 0 ? texts.value(i - 1) : QString(); }

    int size() const { return int(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    const CheckStorageEntry &at(int index) const { return m_entries.at(size_t(index)); }
    void clear();

    int capacity() const { return m_capacity; }
    void setCapacity(int capacity);

private:
    void shrink();
    void reindex();

    std::deque<CheckStorageEntry> m_entries;
    QHash<QString, QList<int>> m_byText; // text -> entry indexes, oldest first
    int m_capacity = DefaultCapacity;
};

// A new chunk of the same class as `chunk` with the same confidence.
std::unique_ptr<TextChunk> copyChunk(const TextChunk &chunk);

} // namespace ZeltraLib
