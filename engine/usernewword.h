#pragma once

#include "boundednetworkaccessmanager.h"
#include <QNetworkAccessManager>
#include <QObject>
#include <QString>
#include <QStringList>

class QNetworkReply;

namespace ZeltraLib {

// Word-list client of the account service ("http://" + host + "/NotPublic/"): the user's
// personal words, fetched at login, added at the end of a session, removed on request.
// Requests with an empty session key or no words are skipped without a signal.
class UserNewWord : public QObject
{
    Q_OBJECT
public:
    explicit UserNewWord(const QString &host, QObject *parent = nullptr);

    // "UserWordList.ashx" → GetUserWordListFinished(words); a failure gives an empty list.
    void getUserWordList(const QString &sessionKey);
    // "UserWordBulkAdd.ashx" → AddUserWordFinished(reply was exactly "ok").
    void addUserWord(const QString &sessionKey, const QStringList &words);
    // "UserWordBulkRemove.ashx" → RemoveUserWordFinished(reply was exactly "ok").
    void removeUserWord(const QString &sessionKey, const QStringList &words);

    static QByteArray listBody(const QString &sessionKey);
    static QByteArray wordsBody(const QString &sessionKey, const QStringList &words);
    // The list reply (UTF-8): empty → no words; else the items between ";" (a final
    // empty item after the last ";" is not a word).
    static QStringList parseList(const QByteArray &reply);

    // What an add request's reply means for the words sent.
    enum class Answer {
        Stored,  // "ok"
        Refused, // the service will never take them (bad words, a full list)
        Retry,   // unreachable, busy, or the session is gone: send them again later
    };
    // 400 and 413 refuse for good; every other failure (no answer, 403 of an expired
    // session, 5xx) is worth another try.
    static Answer answerOf(int networkError, int httpStatus, const QByteArray &body);

Q_SIGNALS:
    void GetUserWordListFinished(const QStringList &words);
    void AddUserWordFinished(bool ok);
    // Follows every AddUserWordFinished.
    void AddUserWordAnswered(ZeltraLib::UserNewWord::Answer answer);
    void RemoveUserWordFinished(bool ok);

private:
    QNetworkReply *post(const char *endpoint, const QByteArray &body);
    // Sends the words and reports the "ok" test through `finished`.
    void postWords(const char *endpoint, const QString &sessionKey, const QStringList &words,
                   void (UserNewWord::*finished)(bool));
    // Body of a finished reply; empty on a network error or a status other than 200.
    static QByteArray bodyOf(QNetworkReply *reply);

    QString m_baseUrl;
    ZeltraLib::BoundedNetworkAccessManager m_manager;
};

} // namespace ZeltraLib
