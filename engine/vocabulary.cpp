#include "vocabulary.h"
#include "programlayout.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace ZeltraLib {

namespace {

constexpr QDataStream::Version StreamVersion = QDataStream::Qt_4_8;
// Smallest encoding of one string (its length word) and of one int.
constexpr qint64 MinStringBytes = 4;
constexpr qint64 MinIntBytes = 4;

bool validLevel(int level)
{
    return level >= 0 && level < VocabularyLevelCount;
}

// Reads a container size and refuses one that the remaining bytes cannot hold,
// so that a corrupt count never drives an allocation.
bool readCount(QDataStream &in, qint64 minElementBytes, quint32 &count)
{
    in >> count;
    if (in.status() != QDataStream::Ok)
        return false;
    return qint64(count) <= in.device()->bytesAvailable() / minElementBytes;
}

bool readStringList(QDataStream &in, QStringList &list)
{
    quint32 count = 0;
    if (!readCount(in, MinStringBytes, count))
        return false;
    list.clear();
    list.reserve(int(count));
    for (quint32 i = 0; i < count; ++i) {
        QString text;
        in >> text;
        if (in.status() != QDataStream::Ok)
            return false;
        list.append(text);
    }
    return true;
}

bool readLevels(QDataStream &in, QList<int> &levels)
{
    quint32 count = 0;
    if (!readCount(in, MinIntBytes, count))
        return false;
    levels.clear();
    for (quint32 i = 0; i < count; ++i) {
        qint32 level = 0;
        in >> level;
        if (in.status() != QDataStream::Ok)
            return false;
        if (validLevel(level))
            levels.append(level);
    }
    return true;
}

bool readForms(QDataStream &in, Vocabulary::FormTable &forms)
{
    quint32 count = 0;
    if (!readCount(in, 2 * MinStringBytes, count))
        return false;
    for (quint32 i = 0; i < count; ++i) {
        QString form;
        QStringList bases;
        in >> form;
        if (in.status() != QDataStream::Ok || !readStringList(in, bases))
            return false;
        forms.insert(form, bases);
    }
    return true;
}

bool readLevelTable(QDataStream &in, Vocabulary::LevelTable &table)
{
    quint32 count = 0;
    if (!readCount(in, MinStringBytes + 4, count))
        return false;
    for (quint32 i = 0; i < count; ++i) {
        QString word;
        QList<int> levels;
        in >> word;
        if (in.status() != QDataStream::Ok || !readLevels(in, levels))
            return false;
        table.insert(word, levels);
    }
    return true;
}

template<typename Hash>
QStringList sortedKeys(const Hash &hash)
{
    QStringList keys = hash.keys();
    std::sort(keys.begin(), keys.end());
    return keys;
}

void fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
}

} // namespace

Vocabulary::Vocabulary(FormTable forms, LevelTable levels, QStringList knownWords)
    : m_forms(std::move(forms)), m_levels(std::move(levels)), m_knownWords(std::move(knownWords))
{
    indexKnownWords();
}

QString Vocabulary::defaultPath()
{
    return ProgramLayout().vocabularyFile();
}

bool Vocabulary::load(const QString &path, QString *error)
{
    clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(error, QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
        return false;
    }
    if (file.size() > MaxFileBytes) {
        fail(error, QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(MaxFileBytes));
        return false;
    }
    const QByteArray data = file.read(MaxFileBytes + 1);
    if (data.size() > MaxFileBytes) {
        fail(error, QStringLiteral("%1 is larger than %2 bytes").arg(path).arg(MaxFileBytes));
        return false;
    }
    return read(data, error);
}

bool Vocabulary::read(const QByteArray &data, QString *error)
{
    clear();
    QDataStream in(data);
    in.setVersion(StreamVersion);
    FormTable forms;
    LevelTable levels;
    QStringList known;
    if (!readForms(in, forms) || !readLevelTable(in, levels) || !readStringList(in, known)) {
        fail(error, QStringLiteral("vocabulary data is truncated or corrupt"));
        return false;
    }
    m_forms = std::move(forms);
    m_levels = std::move(levels);
    m_knownWords = std::move(known);
    indexKnownWords();
    return true;
}

QByteArray Vocabulary::toBytes() const
{
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setVersion(StreamVersion);
    const QStringList formKeys = sortedKeys(m_forms);
    out << quint32(formKeys.size());
    for (const QString &form : formKeys) {
        const QStringList &bases = m_forms[form];
        out << form << quint32(bases.size());
        for (const QString &base : bases)
            out << base;
    }
    const QStringList levelKeys = sortedKeys(m_levels);
    out << quint32(levelKeys.size());
    for (const QString &word : levelKeys) {
        const QList<int> &list = m_levels[word];
        out << word << quint32(list.size());
        for (int level : list)
            out << qint32(level);
    }
    out << quint32(m_knownWords.size());
    for (const QString &word : m_knownWords)
        out << word;
    return data;
}

bool Vocabulary::save(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    file.write(toBytes());
    if (!file.commit()) {
        fail(error, QStringLiteral("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

bool Vocabulary::isEmpty() const
{
    return m_forms.isEmpty() && m_levels.isEmpty() && m_knownWords.isEmpty();
}

void Vocabulary::clear()
{
    m_forms.clear();
    m_levels.clear();
    m_knownWords.clear();
    m_knownFolded.clear();
}

bool Vocabulary::lookup(const QString &word, LevelCounts &counts) const
{
    if (m_knownFolded.contains(word.toCaseFolded()))
        return true;
    QList<int> found = m_levels.value(word);
    if (!m_levels.contains(word)) {
        const auto form = m_forms.constFind(word);
        if (form != m_forms.constEnd()) {
            for (const QString &base : *form) {
                const QList<int> baseLevels = m_levels.value(base);
                if (!baseLevels.isEmpty()) {
                    found = baseLevels;
                    break;
                }
            }
        }
    }
    bool counted = false;
    for (int level : std::as_const(found)) {
        if (validLevel(level)) {
            ++counts[size_t(level)];
            counted = true;
        }
    }
    return counted;
}

void Vocabulary::indexKnownWords()
{
    m_knownFolded.clear();
    m_knownFolded.reserve(m_knownWords.size());
    for (const QString &word : std::as_const(m_knownWords))
        m_knownFolded.insert(word.toCaseFolded());
}

} // namespace ZeltraLib
