#include "serviceform.h"

#include "replyguards.h"

#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QStringList>
#include <QUrl>

namespace ZeltraLib {

QString formValue(const QString &value, bool escapePlus)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('%'), QLatin1String("%25"));
    escaped.replace(QLatin1Char('&'), QLatin1String("%26"));
    if (escapePlus)
        escaped.replace(QLatin1Char('+'), QLatin1String("%2b"));
    return escaped;
}

QByteArray formBody(const FormFields &fields)
{
    QStringList pairs;
    pairs.reserve(fields.size());
    for (const auto &field : fields)
        pairs << field.key + QLatin1Char('=') + formValue(field.value, field.escapePlus);
    return pairs.join(QLatin1Char('&')).toUtf8();
}

QNetworkReply *postForm(QNetworkAccessManager &manager, const QUrl &url, const QByteArray &body, qint64 maxReplyBytes)
{
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    QNetworkReply *reply = manager.post(request, body);
    abortOnLargeBody(reply, maxReplyBytes);
    return reply;
}

} // namespace ZeltraLib
