#include "userinformation.h"

#include "servicehosts.h"

namespace ZeltraLib {

UserInformation::UserInformation(const QString &accountHost, QObject *parent)
    : QObject(parent)
    , m_log(new UserCountLog(accountHost, this))
{
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

void UserInformation::addWord(const QString &word)
{
    if (word.isEmpty())
        return;
    m_words.append(word);
    m_newWords.append(word);
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

void UserInformation::reset()
{
    m_newWords.clear();
    m_events.clear();
    m_choices.clear();
}

void UserInformation::uploadEventsAnonymously()
{
    m_log->addUserEventInBlock(AnonymousSessionKey, m_events, ClientVersion);
}

} // namespace ZeltraLib
