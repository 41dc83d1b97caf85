#pragma once

#include <QtGlobal>

class QNetworkReply;

namespace ZeltraLib {

// Aborts `reply` once it has received more than `maxBytes`, so that a peer cannot make
// the client buffer an endless body. The reply then finishes with OperationCanceledError.
void limitReplySize(QNetworkReply *reply, qint64 maxBytes);

} // namespace ZeltraLib
