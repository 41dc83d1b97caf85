#pragma once

#include "pendingwordstore.h"
#include "usercountlog.h"
#include "usernewword.h"
#include "wordchoice.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace ZeltraLib {

// Usage collector of one window's session: event counters by name, the user's word
// list with the words added in this session, the applied spelling corrections and
// the word choices. A word added to the list goes to the service at once; until the
// service confirms it, it waits in the user's queue on disk (setQueueDirectory()) and is
// sent again after the retry interval, on the next account start and at the session's
// end. Everything else stays in memory until the upload at the end of the session.
class UserInformation : public QObject
{
    Q_OBJECT
public:
    using ErrorLogEntry = UserCountLog::ErrorLogEntry; // (found text, replacement)

    // accountHost: "host:port" of the usage-log service.
    explicit UserInformation(const QString &accountHost, QObject *parent = nullptr);
    ~UserInformation() override;

    // One more use of the named event (new names start at 1).
    void countEvent(const QString &name);
    int eventCount(const QString &name) const { return m_events.value(name); }
    const QMap<QString, int> &eventCounts() const { return m_events; }

    // Limits of the personal word list (the service refuses more).
    static constexpr int MaxWordChars = 64;
    static constexpr int MaxWords = 10000;
    enum class AddWordResult { Added, AlreadyListed, Empty, TooLong, ListFull };

    // Where the users' queues of unsent words live (the settings folder); empty: in
    // memory only. Takes effect with the next setAccount().
    void setQueueDirectory(const QString &directory);
    // Pause before unsent words are tried again (ms).
    void setRetryIntervalMs(int ms);
    int retryIntervalMs() const { return m_retry.interval(); }
    // The signed-in user: loads the user's queue of unsent words (they count as listed at
    // once), fetches the word list and sends the queue. False when the queue file was
    // unreadable (queueError() says why; it was moved aside and nothing else is lost).
    bool setAccount(const QString &userName, const QString &sessionKey);
    // A new key for the same user (after a fresh login): unsent words go out with it.
    void setSessionKey(const QString &sessionKey);
    QString queueError() const { return m_queue.errorString(); }

    // The personal word list; contains() compares exactly (case-sensitive).
    void setWordList(const QStringList &words);
    // Asks the service for the user's words; the reply replaces the list (words added in
    // this session stay) and signalWordListChanged() follows. Nothing without a key.
    void fetchWordList(const QString &sessionKey);
    AddWordResult addWord(const QString &word);
    bool contains(const QString &word) const;
    const QStringList &wordList() const { return m_words; }
    // Words of this user that the service has not confirmed yet.
    const QStringList &newWords() const { return m_queue.words(); }

    void addErrorLogEntry(const QString &found, const QString &replacement);
    // Removes the first equal entry; false when there is none.
    bool removeErrorLogEntry(const QString &found, const QString &replacement);
    const QList<ErrorLogEntry> &errorLog() const { return m_errorLog; }

    // Keeps the error log equal to the spelling corrections now in the text, after an
    // apply or a revert of a spelling finding: `previousIndex`/`currentIndex` are the
    // finding's candidate indexes after the action (negative: open), `nowText` the text
    // its range covers now, `previousCandidate` the candidate at the previous index.
    void recordSpellingCorrection(const QString &foundText, int previousIndex, int currentIndex,
                                  const QString &nowText, const QString &previousCandidate);

    // With a chosen word, an earlier record of the same place is replaced.
    void addChoice(const WordChoice &choice);
    const QList<WordChoice> &choices() const { return m_choices; }

    // Clears event counts and choices (the error log and unsent words stay), then fetches
    // the word list for `sessionKey`.
    void reset(const QString &sessionKey = QString());

    // Sends the four parts (unsent words, error log, event counts, choices); each part
    // that is empty, or that cannot be sent without a key, reports at once.
    // signalUploaded() once all four reported. `reason` is kept for the caller.
    void uploadAll(const QString &sessionKey, int reason);
    int uploadReason() const { return m_uploadReason; }

    // Sends the event counts with the anonymous session key, waiting for the reply.
    void uploadEventsAnonymously();

Q_SIGNALS:
    void signalWordListChanged();
    void signalUploaded();
    // The new words reached the service (false: refused or unreachable).
    void signalWordsUploaded(bool ok);

private Q_SLOTS:
    void slotGetWordList(const QStringList &words);
    void slotUserWordAnswered(ZeltraLib::UserNewWord::Answer answer);
    void slotCorrectLogUploaded();

private:
    // Sends the queued words unless a request is out or there is no key.
    void sendQueuedWords();

    UserCountLog *m_log = nullptr; // child
    UserNewWord *m_wordClient = nullptr; // child
    int m_uploadReason = 0;
    int m_reportedParts = 0; // of the running upload; -1 when none runs
    bool m_uploadAwaitsWords = false; // the running upload's word part has not reported
    QMap<QString, int> m_events;
    QStringList m_words;
    QString m_queueDirectory;
    PendingWordStore m_queue;
    QStringList m_sending; // the words of the request that is out
    bool m_wordsOut = false;
    QString m_sessionKey;
    QTimer m_retry;
    QList<ErrorLogEntry> m_errorLog;
    QList<WordChoice> m_choices;
};

} // namespace ZeltraLib
