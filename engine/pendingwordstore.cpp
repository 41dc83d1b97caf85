#include "pendingwordstore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

namespace ZeltraLib {

namespace {
const QString UserKey = QStringLiteral("user");
const QString WordsKey = QStringLiteral("words");
// Longest word the service keeps, in characters.
constexpr int MaxWordChars = 64;

bool acceptableWord(const QString &word)
{
    if (word.isEmpty() || word.toUcs4().size() > MaxWordChars || word.contains(QLatin1Char(';')))
        return false;
    for (const QChar ch : word) {
        if (ch.category() == QChar::Other_Control)
            return false;
    }
    return true;
}
} // namespace

PendingWordStore::PendingWordStore(const QString &directory)
    : m_directory(directory)
{
}

QString PendingWordStore::filePath() const
{
    if (m_directory.isEmpty() || m_userName.isEmpty())
        return QString();
    // A user name may hold characters no file name can; its digest names the file.
    const QByteArray digest = QCryptographicHash::hash(m_userName.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QDir(m_directory).filePath(QStringLiteral("pendingwords-") + QString::fromLatin1(digest.left(16))
                                      + QStringLiteral(".json"));
}

bool PendingWordStore::open(const QString &userName)
{
    m_userName = userName;
    m_words.clear();
    m_error.clear();
    const QString path = filePath();
    if (path.isEmpty() || !QFile::exists(path))
        return true;
    QFile file(path);
    QByteArray data;
    QString error;
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
    } else {
        data = file.read(MaxFileBytes + 1);
        file.close();
        if (data.size() > MaxFileBytes)
            error = QStringLiteral("larger than %1 bytes").arg(MaxFileBytes);
    }
    if (error.isEmpty() && parse(data, userName, &m_words, &error))
        return true;
    m_words.clear();
    // Kept for a look, out of the way of the new queue.
    QString aside = path + QStringLiteral(".corrupt");
    for (int n = 1; QFile::exists(aside); ++n)
        aside = path + QStringLiteral(".corrupt%1").arg(n);
    QFile::rename(path, aside);
    m_error = QStringLiteral("%1: %2 (moved to %3)").arg(path, error, aside);
    return false;
}

bool PendingWordStore::append(const QString &word)
{
    if (m_words.contains(word))
        return true;
    if (m_words.size() >= MaxWords) {
        m_error = QStringLiteral("more than %1 words wait").arg(MaxWords);
        return false;
    }
    m_words.append(word);
    return save();
}

bool PendingWordStore::remove(const QStringList &words)
{
    const qsizetype before = m_words.size();
    for (const QString &word : words)
        m_words.removeAll(word);
    return m_words.size() == before || save();
}

bool PendingWordStore::save()
{
    const QString path = filePath();
    if (path.isEmpty())
        return true;
    if (m_words.isEmpty()) {
        if (QFile::exists(path) && !QFile::remove(path)) {
            m_error = QStringLiteral("%1: cannot be removed").arg(path);
            return false;
        }
        return true;
    }
    if (!QDir().mkpath(m_directory)) {
        m_error = QStringLiteral("%1: cannot be created").arg(m_directory);
        return false;
    }
    QSaveFile file(path);
    const QByteArray data = serialize(m_userName, m_words);
    // The old file stays whole until the new one is complete.
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        || file.write(data) != data.size() || !file.commit()) {
        m_error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

QByteArray PendingWordStore::serialize(const QString &userName, const QStringList &words)
{
    QJsonObject root;
    root.insert(UserKey, userName);
    root.insert(WordsKey, QJsonArray::fromStringList(words));
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

bool PendingWordStore::parse(const QByteArray &data, const QString &userName, QStringList *words, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (document.isNull()) {
        *error = QStringLiteral("not JSON (%1 at byte %2)").arg(parseError.errorString()).arg(parseError.offset);
        return false;
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || !root.value(UserKey).isString() || !root.value(WordsKey).isArray()) {
        *error = QStringLiteral("no user and words");
        return false;
    }
    if (root.value(UserKey).toString() != userName) {
        *error = QStringLiteral("the words of another user");
        return false;
    }
    const QJsonArray list = root.value(WordsKey).toArray();
    if (list.size() > MaxWords) {
        *error = QStringLiteral("more than %1 words").arg(MaxWords);
        return false;
    }
    QStringList read;
    QSet<QString> seen;
    for (const QJsonValue &value : list) {
        if (!value.isString() || !acceptableWord(value.toString())) {
            *error = QStringLiteral("an item that is no word");
            return false;
        }
        if (!seen.contains(value.toString())) {
            seen.insert(value.toString());
            read.append(value.toString());
        }
    }
    *words = read;
    return true;
}

} // namespace ZeltraLib
