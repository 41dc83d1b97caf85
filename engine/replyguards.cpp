#include "replyguards.h"

#include <QNetworkReply>

namespace ZeltraLib {

void abortOnLargeBody(QNetworkReply *reply, qint64 maxBytes)
{
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, maxBytes] {
        if (reply->bytesAvailable() > maxBytes && reply->isRunning())
            reply->abort();
    });
}

void abandonReply(QNetworkReply *reply, QObject *receiver)
{
    QObject::disconnect(reply, nullptr, receiver, nullptr);
    if (!reply->isFinished())
        reply->abort();
    reply->deleteLater();
}

} // namespace ZeltraLib
