#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>

namespace ZeltraLib {

// Vocabulary levels as the usage log names them: 0 "BASE", 1 "CET4", 2 "CET6",
// 3 "IELTS", 4 "TOEFL", 5 "GRE".
constexpr int VocabularyLevelCount = 6;
using LevelCounts = std::array<int, VocabularyLevelCount>;

// The word levels of "voc.dat": a Qt 4 data stream (no header) holding the form
// table (form -> base forms), the level table (word -> level numbers 0..5) and the
// known-word list, in this order.
class Vocabulary
{
public:
    using FormTable = QHash<QString, QStringList>;
    using LevelTable = QHash<QString, QList<int>>;

    // Files larger than this are refused rather than read into memory.
    static constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

    Vocabulary() = default;
    Vocabulary(FormTable forms, LevelTable levels, QStringList knownWords);

    // "voc.dat" beside the running program.
    static QString defaultPath();

    // Replaces the contents with the file's. A missing, unreadable, oversized or
    // corrupt file leaves the vocabulary empty and returns false (error set).
    bool load(const QString &path, QString *error = nullptr);
    // Same for the bytes of a file.
    bool read(const QByteArray &data, QString *error = nullptr);

    // The file contents for these tables (keys written in sorted order).
    QByteArray toBytes() const;
    bool save(const QString &path, QString *error = nullptr) const;

    bool isEmpty() const;
    void clear();

    // Looks one word up. A known word (any case) is found and counts nowhere;
    // otherwise the word's own levels, or those of the first base form with
    // levels, add 1 each to `counts`. True when the word was found.
    bool lookup(const QString &word, LevelCounts &counts) const;

    const FormTable &forms() const { return m_forms; }
    const LevelTable &levels() const { return m_levels; }
    const QStringList &knownWords() const { return m_knownWords; }

private:
    void indexKnownWords();

    FormTable m_forms;
    LevelTable m_levels;
    QStringList m_knownWords;
    QSet<QString> m_knownFolded; // case-folded copy of m_knownWords for lookups
};

} // namespace ZeltraLib
