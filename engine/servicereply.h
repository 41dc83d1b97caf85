#pragma once

#include <QString>
#include <QtGlobal>

class QNetworkReply;

namespace ZeltraLib {

// The three-part text reply of the account services: code word, first text and second
// text, separated by "|".
struct ServiceReply
{
    qint32 code = 0;
    QString first;
    QString second;

    // Splits at "|" keeping empty parts. The code is the value of part 0 (Failure for an
    // unknown or empty word); with 2 parts first = part 1, with 3 parts first and second
    // are parts 1 and 2, with any other count both stay empty. Never fails.
    static ServiceReply parse(const QString &text);

    // Decodes a reply body byte for byte (Latin-1) and parses it.
    static ServiceReply parse(const QByteArray &body);
};

// Largest reply body an account client reads; a reply that grows beyond it is aborted and
// reported as a network error, so a broken service cannot fill the memory.
constexpr qint64 MaxServiceReplyBytes = 1024 * 1024;

// Reads the body of a finished reply into `body`; false (body empty) on a network error
// or when the body exceeds `limit`.
bool readReplyBody(QNetworkReply *reply, QByteArray *body, qint64 limit = MaxServiceReplyBytes);

// Aborts `reply` once it has received more than `limit` bytes (abortOnLargeBody()).
void limitReplySize(QNetworkReply *reply, qint64 limit = MaxServiceReplyBytes);

} // namespace ZeltraLib
