#include "bodylimit.h"

#include <QNetworkReply>

namespace ZeltraLib {

void abortOnLargeBody(QNetworkReply *reply, qint64 maxBytes)
{
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, maxBytes] {
        if (reply->bytesAvailable() > maxBytes && reply->isRunning())
            reply->abort();
    });
}

} // namespace ZeltraLib
