#pragma once

#include <QtGlobal>

class QNetworkReply;
class QObject;

namespace ZeltraLib {

// Bounds what `reply` may hold, whatever its status, so that a peer cannot make the
// client buffer an endless body: it is aborted as soon as a declared length, the bytes
// received or the bytes waiting unread exceed `maxBytes` (checked on every readyRead(),
// which, unlike the throttled downloadProgress(), also sees a body that arrives in one
// burst). The reply then finishes with OperationCanceledError. Several calls on one
// reply: the smallest bound holds.
void abortOnLargeBody(QNetworkReply *reply, qint64 maxBytes);

// Gives a reply up for good: nothing of it reaches `receiver` any more, it is aborted
// when still running (closing its connection) and released with deleteLater().
void abandonReply(QNetworkReply *reply, QObject *receiver);

} // namespace ZeltraLib
