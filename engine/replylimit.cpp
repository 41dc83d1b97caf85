#include "replylimit.h"

#include <QNetworkReply>

namespace ZeltraLib {

void limitReplySize(QNetworkReply *reply, qint64 maxBytes)
{
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [reply, maxBytes](qint64 received, qint64) {
                         if (received > maxBytes && !reply->isFinished())
                             reply->abort();
                     });
}

} // namespace ZeltraLib
