#include "signinreply.h"

#include <QStringList>
#include <QUrl>

QString SignInReply::startUrl(const QString &accountHost, int provider)
{
    const QString page = provider == 1 ? QStringLiteral("/LoginByQQ.ashx?area=tessel")
                                       : QStringLiteral("/LoginBySina.ashx?area=tessel");
    return QStringLiteral("http://") + accountHost + page;
}

bool SignInReply::isFinalPage(const QUrl &url)
{
    const QString path = url.path();
    return path.compare(QLatin1String("/loginedbysina.ashx"), Qt::CaseInsensitive) == 0
           || path.compare(QLatin1String("/loginedbyqq.ashx"), Qt::CaseInsensitive) == 0;
}

SignInReply SignInReply::read(const QUrl &url, const QString &pageText)
{
    SignInReply reply;
    if (!isFinalPage(url))
        return reply;
    const QStringList parts = pageText.split(QLatin1Char('|'), Qt::KeepEmptyParts);
    if (parts.size() < 3 || !parts.at(0).endsWith(QLatin1String("Success"))) {
        reply.outcome = Rejected;
        return reply;
    }
    reply.outcome = Accepted;
    reply.sessionKey = parts.at(1);
    reply.userName = parts.at(2).split(QLatin1Char(';'), Qt::KeepEmptyParts).first().trimmed();
    return reply;
}
