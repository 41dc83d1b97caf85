#include "userinformation.h"

#include "servicehosts.h"

namespace ZeltraLib {

UserInformation::UserInformation(const QString &accountHost, QObject *parent)
    : QObject(parent)
    , m_log(new UserCountLog(accountHost, this))
    , m_wordClient(new UserNewWord(accountHost, this))
{
    m_reportedParts = -1;
    connect(m_wordClient, &UserNewWord::GetUserWordListFinished, this, &UserInformation::slotGetWordList);
    connect(m_wordClient, &UserNewWord::AddUserWordFinished, this, &UserInformation::slotUserWordUploaded);
    connect(m_log, &UserCountLog::AddUserErrorLogFinished, this, &UserInformation::slotCorrectLogUploaded);
    connect(m_log, &UserCountLog::AddUserEventFinished, this, &UserInformation::slotCorrectLogUploaded);
    connect(m_log, &UserCountLog::sinalAddIgnorDataFinished, this, &UserInformation::slotCorrectLogUploaded);
}

UserInformation::~UserInformation() = default;

void UserInformation::countEvent(const QString &name)
{
    if (!name.isEmpty())
        ++m_events[name];
}

void UserInformation::setWordList(const QStringList &words)
{
    m_words = words;
    for (const QString &word : std::as_const(m_newWords)) {
        if (!m_words.contains(word))
            m_words.append(word);
    }
}

void UserInformation::fetchWordList(const QString &sessionKey)
{
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
    m_newWords.append(word);
    return AddWordResult::Added;
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
    m_newWords.clear();
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
    if (send && !m_newWords.isEmpty())
        m_wordClient->addUserWord(sessionKey, m_newWords);
    else
        slotCorrectLogUploaded();
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

void UserInformation::slotUserWordUploaded(bool ok)
{
    // Sent words are on the service now; a refused upload keeps them for the next try.
    if (ok)
        m_newWords.clear();
    emit signalWordsUploaded(ok);
    slotCorrectLogUploaded();
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
