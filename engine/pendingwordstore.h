#pragma once

#include <QString>
#include <QStringList>

namespace ZeltraLib {

// Words added to one user's word list that the service has not confirmed yet, kept in a
// file of their own in `directory` (one file per user, readable by the owner only,
// replaced atomically on every change), so that a crash or an unreachable service loses
// none of them. Without a directory the words stay in memory only.
class PendingWordStore
{
public:
    // At most this many words wait (the word list itself holds no more).
    static constexpr int MaxWords = 10000;
    // A queue file larger than this is not a queue.
    static constexpr qint64 MaxFileBytes = 2 * 1024 * 1024;

    explicit PendingWordStore(const QString &directory = QString());

    // Loads the queue of `userName` (an empty name: no file). A file that cannot be read
    // or is not a queue is moved aside ("….corrupt") and reported in errorString(); the
    // queue then starts empty and false is returned.
    bool open(const QString &userName);
    QString userName() const { return m_userName; }
    QString filePath() const;
    QString errorString() const { return m_error; }

    const QStringList &words() const { return m_words; }
    bool isEmpty() const { return m_words.isEmpty(); }

    // Queues a word (a word already waiting is not queued twice). False when the queue is
    // full or the file cannot be written (errorString() says why; the word stays queued
    // in memory then).
    bool append(const QString &word);
    // Drops words the service answered for; false when the file cannot be written.
    bool remove(const QStringList &words);

    // The file's contents for a user and words, and their reading back; exposed for tests.
    static QByteArray serialize(const QString &userName, const QStringList &words);
    // False with *error when `data` is no queue of `userName`.
    static bool parse(const QByteArray &data, const QString &userName, QStringList *words, QString *error);

private:
    bool save();

    QString m_directory;
    QString m_userName;
    QStringList m_words;
    QString m_error;
};

} // namespace ZeltraLib
