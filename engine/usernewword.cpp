#include "usernewword.h"

#include "serviceform.h"

#include <QNetworkReply>
#include <QUrl>

namespace ZeltraLib {

namespace {
const char ListEndpoint[] = "UserWordList.ashx";
const char AddEndpoint[] = "UserWordBulkAdd.ashx";
const char RemoveEndpoint[] = "UserWordBulkRemove.ashx";
// A list reply larger than this is not a word list (10,000 words of 64 characters fit).
constexpr qint64 MaxListBytes = 4 * 1024 * 1024;
} // namespace

UserNewWord::UserNewWord(const QString &host, QObject *parent)
    : QObject(parent), m_baseUrl(QLatin1String("http://") + host + QLatin1String("/NotPublic/"))
{
}

QByteArray UserNewWord::listBody(const QString &sessionKey)
{
    return formBody({{QStringLiteral("sessionKey"), sessionKey}});
}

QByteArray UserNewWord::wordsBody(const QString &sessionKey, const QStringList &words)
{
    QString data;
    for (const QString &word : words)
        data += word + QLatin1Char(';');
    return formBody({{QStringLiteral("sessionKey"), sessionKey}, {QStringLiteral("words"), data}});
}

QStringList UserNewWord::parseList(const QByteArray &reply)
{
    if (reply.isEmpty())
        return {};
    QStringList words = QString::fromUtf8(reply).split(QLatin1Char(';'), Qt::KeepEmptyParts);
    if (words.last().isEmpty())
        words.removeLast();
    return words;
}

void UserNewWord::getUserWordList(const QString &sessionKey)
{
    if (sessionKey.isEmpty())
        return;
    QNetworkReply *reply = post(ListEndpoint, listBody(sessionKey));
    // Stop reading a runaway reply instead of holding all of it.
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > MaxListBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        emit GetUserWordListFinished(parseList(bodyOf(reply)));
    });
}

void UserNewWord::addUserWord(const QString &sessionKey, const QStringList &words)
{
    if (sessionKey.isEmpty() || words.isEmpty())
        return;
    QNetworkReply *reply = post(AddEndpoint, wordsBody(sessionKey, words));
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        const QByteArray body = bodyOf(reply);
        emit AddUserWordFinished(body == "ok");
        emit AddUserWordAnswered(answerOf(reply->error(),
                                          reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), body));
    });
}

UserNewWord::Answer UserNewWord::answerOf(int networkError, int httpStatus, const QByteArray &body)
{
    if (httpStatus == 200 && networkError == QNetworkReply::NoError)
        return body == "ok" ? Answer::Stored : Answer::Retry;
    return httpStatus == 400 || httpStatus == 413 ? Answer::Refused : Answer::Retry;
}

void UserNewWord::removeUserWord(const QString &sessionKey, const QStringList &words)
{
    postWords(RemoveEndpoint, sessionKey, words, &UserNewWord::RemoveUserWordFinished);
}

void UserNewWord::postWords(const char *endpoint, const QString &sessionKey, const QStringList &words,
                            void (UserNewWord::*finished)(bool))
{
    if (sessionKey.isEmpty() || words.isEmpty())
        return;
    QNetworkReply *reply = post(endpoint, wordsBody(sessionKey, words));
    connect(reply, &QNetworkReply::finished, this, [this, reply, finished] {
        reply->deleteLater();
        emit(this->*finished)(bodyOf(reply) == "ok");
    });
}

QNetworkReply *UserNewWord::post(const char *endpoint, const QByteArray &body)
{
    return postForm(m_manager, QUrl(m_baseUrl + QLatin1String(endpoint)), body, MaxListBytes);
}

QByteArray UserNewWord::bodyOf(QNetworkReply *reply)
{
    if (reply->error() != QNetworkReply::NoError
        || reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 200)
        return QByteArray();
    // A reply beyond the bound is not cut into a word list: it counts as a failure.
    const QByteArray body = reply->read(MaxListBytes + 1);
    return body.size() > MaxListBytes ? QByteArray() : body;
}

} // namespace ZeltraLib
