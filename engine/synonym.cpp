#include "synonym.h"

#include "boundednetworkaccessmanager.h"
#include "replyguards.h"
#include "serviceform.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace ZeltraLib {

namespace {

// A JSON string literal: quotes, backslashes and control characters escaped, other
// text as UTF-8.
QByteArray jsonQuoted(const QString &text)
{
    static const char hex[] = "0123456789abcdef";
    const QByteArray utf8 = text.toUtf8();
    QByteArray out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (const char ch : utf8) {
        switch (ch) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20) {
                out += "\\u00";
                out += hex[(ch >> 4) & 0xF];
                out += hex[ch & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
    return out;
}

} // namespace

Synonym::Synonym(const QString &host, QObject *parent)
    : QObject(parent)
    , m_url(QStringLiteral("http://") + host + QStringLiteral("/syms/"))
    , m_manager(new ZeltraLib::BoundedNetworkAccessManager(this))
{
    connect(m_manager, &QNetworkAccessManager::finished, this, &Synonym::slotReply);
}

QByteArray Synonym::requestBody(const QString &sentence, int start, int end)
{
    return "{\"sent\":" + jsonQuoted(sentence) + ",\"start\":" + QByteArray::number(start)
           + ",\"end\":" + QByteArray::number(end) + '}';
}

QStringList Synonym::parseReply(const QByteArray &body)
{
    const QString text = QString::fromUtf8(body);
    if (text.size() <= 10)
        return {};
    // The inside of ["a","b",...] without its outer quotes, cut at each ",".
    const qsizetype open = text.indexOf(QLatin1Char('['));
    const qsizetype close = text.indexOf(QLatin1Char(']'));
    if (open < 0 || close < 0 || close - open - 3 < 0)
        return {};
    return text.mid(open + 2, close - open - 3).split(QStringLiteral("\",\""));
}

void Synonym::request(const QString &sentence, int start, int end)
{
    QNetworkReply *reply = postForm(*m_manager, QUrl(m_url), requestBody(sentence, start, end));
    abortOnLargeBody(reply, MaxBodyBytes);
}

void Synonym::slotReply(QNetworkReply *reply)
{
    QStringList words;
    if (reply->error() == QNetworkReply::NoError)
        words = parseReply(reply->readAll());
    reply->deleteLater();
    emit signalResult(words);
}

} // namespace ZeltraLib
