#pragma once

#include <QtGlobal>

class QNetworkReply;

namespace ZeltraLib {

// Aborts `reply` as soon as more than `maxBytes` of its body wait unread, so that a peer
// cannot make the client buffer an endless body. Checked on every readyRead(), which,
// unlike the throttled downloadProgress(), also sees a body that arrives in one burst.
// The reply then finishes with OperationCanceledError.
void abortOnLargeBody(QNetworkReply *reply, qint64 maxBytes);

} // namespace ZeltraLib
