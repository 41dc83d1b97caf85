#include "userinformation.h"

#include "servicehosts.h"

namespace ZeltraLib {

namespace {
// The service takes at most 2000 words per request.
constexpr int MaxWordsPerRequest = 1000;
constexpr int DefaultRetryIntervalMs = 60000;
} // namespace

UserInformation::UserInformation(const QString &accountHost, QObject *parent)
    : QObject(parent)
    , m_log(new UserCountLog(accountHost, this))
    , m_wordClient(new UserNewWord(accountHost, this))
{
    m_reportedParts = -1;
    connect(m_wordClient, &UserNewWord::GetUserWordListFinished, this, &UserInformation::slotGetWordList);
    connect(m_wordClient, &UserNewWord::AddUserWordAnswered, this, &UserInformation::slotUserWordAnswered);
    connect(m_log, &UserCountLog::AddUserErrorLogFinished, this, &UserInformation::slotCorrectLogUploaded);
    connect(m_log, &UserCountLog::AddUserEventFinished, this, &UserInformation::slotCorrectLogUploaded);
    connect(m_log, &UserCountLog::sinalAddIgnorDataFinished, this, &UserInformation::slotCorrectLogUploaded);
    m_retry.setSingleShot(true);
    m_retry.setInterval(DefaultRetryIntervalMs);
    connect(&m_retry, &QTimer::timeout, this, &UserInformation::sendQueuedWords);
}

UserInformation::~UserInformation() = default;

void UserInformation::countEvent(const QString &name)
{
    if (!name.isEmpty())
        ++m_events[name];
}

void UserInformation::setQueueDirectory(const QString &directory)
{
    m_queueDirectory = directory;
}

void UserInformation::setRetryIntervalMs(int ms)
{
    m_retry.setInterval(qMax(1, ms));
}

bool UserInformation::setAccount(const QString &userName, const QString &sessionKey)
{
    m_retry.stop();
    // A reply still out for the previous user must not touch this user's queue.
    m_sending.clear();
    m_queue = PendingWordStore(m_queueDirectory);
    const bool read = m_queue.open(userName);
    if (!read)
        qWarning("unsent words not read: %s", qUtf8Printable(m_queue.errorString()));
    m_words = m_queue.words();
    m_sessionKey = sessionKey;
    fetchWordList(sessionKey);
    sendQueuedWords();
    return read;
}

void UserInformation::setSessionKey(const QString &sessionKey)
{
    m_sessionKey = sessionKey;
    sendQueuedWords();
}

void UserInformation::setWordList(const QStringList &words)
{
    m_words = words;
    for (const QString &word : m_queue.words()) {
        if (!m_words.contains(word))
            m_words.append(word);
    }
}

void UserInformation::fetchWordList(const QString &sessionKey)
{
    if (!sessionKey.isEmpty())
        m_sessionKey = sessionKey;
    m_wordClient->getUserWordList(sessionKey);
}

void UserInformation::slotGetWordList(const QStringList &words)
{
    setWordList(words);
    emit signalWordListChanged();
}

UserInformation::AddWordResult UserInformation::addWord(const QString &word)
{
    if (word.isEmpty())
        return AddWordResult::Empty;
    if (word.toUcs4().size() > MaxWordChars || word.contains(QLatin1Char(';')))
        return AddWordResult::TooLong;
    if (contains(word))
        return AddWordResult::AlreadyListed;
    if (m_words.size() >= MaxWords)
        return AddWordResult::ListFull;
    m_words.append(word);
    // Kept on disk before anything is sent: a crash from here on loses nothing.
    if (!m_queue.append(word))
        qWarning("unsent word not saved: %s", qUtf8Printable(m_queue.errorString()));
    sendQueuedWords();
    return AddWordResult::Added;
}

void UserInformation::sendQueuedWords()
{
    if (m_wordsOut || m_sessionKey.isEmpty() || m_queue.isEmpty())
        return;
    m_retry.stop();
    m_sending = m_queue.words().mid(0, MaxWordsPerRequest);
    m_wordsOut = true;
    m_wordClient->addUserWord(m_sessionKey, m_sending);
}

bool UserInformation::contains(const QString &word) const
{
    return m_words.contains(word, Qt::CaseSensitive);
}

void UserInformation::addErrorLogEntry(const QString &found, const QString &replacement)
{
    m_errorLog.append({found, replacement});
}

bool UserInformation::removeErrorLogEntry(const QString &found, const QString &replacement)
{
    return m_errorLog.removeOne(ErrorLogEntry(found, replacement));
}

void UserInformation::recordSpellingCorrection(const QString &foundText, int previousIndex,
                                               int currentIndex, const QString &nowText,
                                               const QString &previousCandidate)
{
    if (previousIndex < 0) {
        addErrorLogEntry(foundText, nowText);
        return;
    }
    removeErrorLogEntry(foundText, previousCandidate);
    if (currentIndex >= 0)
        addErrorLogEntry(foundText, nowText);
}

void UserInformation::addChoice(const WordChoice &choice)
{
    if (!choice.chooseWord.isEmpty()) {
        for (qsizetype i = 0; i < m_choices.size(); ++i) {
            const WordChoice &old = m_choices.at(i);
            if (old.sentence == choice.sentence && old.wordIndex == choice.wordIndex
                && old.wordLength == choice.wordLength) {
                m_choices.removeAt(i);
                break;
            }
        }
    }
    m_choices.append(choice);
}

void UserInformation::reset(const QString &sessionKey)
{
    m_events.clear();
    m_choices.clear();
    m_uploadReason = 0;
    m_reportedParts = -1;
    fetchWordList(sessionKey);
}

void UserInformation::uploadAll(const QString &sessionKey, int reason)
{
    m_uploadReason = reason;
    m_reportedParts = 0;
    // Without a key the clients send nothing and never report: such a part counts at once.
    const bool send = !sessionKey.isEmpty();
    if (send)
        m_sessionKey = sessionKey;
    if (send && (m_wordsOut || !m_queue.isEmpty())) {
        // The request that is out, or the one sent now, reports the part.
        m_uploadAwaitsWords = true;
        sendQueuedWords();
    } else {
        slotCorrectLogUploaded();
    }
    if (send && !m_errorLog.isEmpty())
        m_log->addUserErrorLog(sessionKey, m_errorLog);
    else
        slotCorrectLogUploaded();
    if (send && !m_events.isEmpty())
        m_log->addUserEvent(sessionKey, m_events, ClientVersion);
    else
        slotCorrectLogUploaded();
    if (send && !m_choices.isEmpty())
        m_log->addIgnorData(sessionKey, m_choices);
    else
        slotCorrectLogUploaded();
}

void UserInformation::slotUserWordAnswered(UserNewWord::Answer answer)
{
    m_wordsOut = false;
    const QStringList sent = std::exchange(m_sending, {});
    // Stored words are on the service now, and refused ones will never be: both leave the
    // queue. The rest waits for the next try.
    if (answer != UserNewWord::Answer::Retry && !m_queue.remove(sent))
        qWarning("sent words not dropped from the queue: %s", qUtf8Printable(m_queue.errorString()));
    emit signalWordsUploaded(answer == UserNewWord::Answer::Stored);
    if (answer == UserNewWord::Answer::Retry)
        m_retry.start();
    else
        sendQueuedWords(); // words added meanwhile, or beyond one request
    if (m_uploadAwaitsWords && !m_wordsOut) {
        m_uploadAwaitsWords = false;
        slotCorrectLogUploaded();
    }
}

void UserInformation::slotCorrectLogUploaded()
{
    if (m_reportedParts < 0)
        return;
    if (++m_reportedParts == 4) {
        m_reportedParts = -1;
        emit signalUploaded();
    }
}

void UserInformation::uploadEventsAnonymously()
{
    m_log->addUserEventInBlock(AnonymousSessionKey, m_events, ClientVersion);
}

} // namespace ZeltraLib
