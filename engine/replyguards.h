#pragma once

#include <QtGlobal>

class QNetworkReply;
class QObject;

namespace ZeltraLib {

// Aborts `reply` as soon as more than `maxBytes` of its body wait unread, so that a peer
// cannot make the client buffer an endless body. Checked on every readyRead(), which,
// unlike the throttled downloadProgress(), also sees a body that arrives in one burst.
// The reply then finishes with OperationCanceledError.
void abortOnLargeBody(QNetworkReply *reply, qint64 maxBytes);

// Gives a reply up for good: nothing of it reaches `receiver` any more, it is aborted
// when still running (closing its connection) and released with deleteLater().
void abandonReply(QNetworkReply *reply, QObject *receiver);

} // namespace ZeltraLib
