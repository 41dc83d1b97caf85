#include "servicereply.h"

#include "replyguards.h"
#include "resultcode.h"

#include <QNetworkReply>
#include <QStringList>

namespace ZeltraLib {

ServiceReply ServiceReply::parse(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    ServiceReply reply;
    reply.code = ResultCode::fromWord(parts.value(0));
    if (parts.size() == 2) {
        reply.first = parts.at(1);
    } else if (parts.size() == 3) {
        reply.first = parts.at(1);
        reply.second = parts.at(2);
    }
    return reply;
}

ServiceReply ServiceReply::parse(const QByteArray &body)
{
    return parse(QString::fromLatin1(body));
}

bool readReplyBody(QNetworkReply *reply, QByteArray *body, qint64 limit)
{
    body->clear();
    if (reply->error() != QNetworkReply::NoError)
        return false;
    *body = reply->read(limit + 1);
    if (body->size() <= limit)
        return true;
    body->clear();
    return false;
}

void limitReplySize(QNetworkReply *reply, qint64 limit)
{
    abortOnLargeBody(reply, limit);
}

} // namespace ZeltraLib
