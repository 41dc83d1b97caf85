#include "replyguards.h"

#include <QNetworkReply>

namespace ZeltraLib {

void abortOnLargeBody(QNetworkReply *reply, qint64 maxBytes)
{
    // No read buffer size here: the callers read the body once it has finished, and Qt
    // would stall such a reply at the buffer's size instead of letting it grow past the
    // bound. Every piece is looked at as it arrives instead.
    const auto tooLarge = [reply, maxBytes](qint64 bytes) {
        if (bytes > maxBytes && reply->isRunning())
            reply->abort();
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, tooLarge] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid())
            tooLarge(length.toLongLong());
    });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, tooLarge] { tooLarge(reply->bytesAvailable()); });
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [tooLarge](qint64 received, qint64) { tooLarge(received); });
}

void abandonReply(QNetworkReply *reply, QObject *receiver)
{
    QObject::disconnect(reply, nullptr, receiver, nullptr);
    if (!reply->isFinished())
        reply->abort();
    reply->deleteLater();
}

} // namespace ZeltraLib
