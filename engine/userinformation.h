#pragma once

#include "usercountlog.h"
#include "wordchoice.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

namespace ZeltraLib {

// Usage collector of one window's session: event counters by name, the user's word
// list with the words added in this session, the applied spelling corrections and
// the word choices. Everything stays in memory; the batch upload at the end of a
// session is not wired yet, only the anonymous event upload of the login phase.
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

    // The personal word list; contains() compares exactly (case-sensitive).
    void setWordList(const QStringList &words);
    void addWord(const QString &word);
    bool contains(const QString &word) const;
    const QStringList &wordList() const { return m_words; }
    const QStringList &newWords() const { return m_newWords; }

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

    // Clears new words, event counts and choices (the error log stays).
    void reset();

    // Sends the event counts with the anonymous session key, waiting for the reply.
    void uploadEventsAnonymously();

private:
    UserCountLog *m_log = nullptr; // child
    QMap<QString, int> m_events;
    QStringList m_words;
    QStringList m_newWords;
    QList<ErrorLogEntry> m_errorLog;
    QList<WordChoice> m_choices;
};

} // namespace ZeltraLib
