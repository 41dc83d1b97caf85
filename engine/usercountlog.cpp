#include "usercountlog.h"

#include "serviceform.h"

#include <QEventLoop>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>

namespace ZeltraLib {

namespace {

const char ErrorLogEndpoint[] = "UserErrorLogBulkAdd.ashx";
const char CountEndpoint[] = "UserCountBulkAdd.ashx";
const char ChooseEndpoint[] = "UserChooseBulkAdd.ashx";

QString countItems(const QMap<QString, int> &counts)
{
    QString data;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it)
        data += it.key() + QLatin1Char(':') + QString::number(it.value()) + QLatin1Char(';');
    return data;
}

} // namespace

UserCountLog::UserCountLog(const QString &host, QObject *parent)
    : QObject(parent), m_baseUrl(QLatin1String("http://") + host + QLatin1String("/NotPublic/"))
{
}

UserCountLog::~UserCountLog()
{
    // Pending replies are children of the manager and go with it.
}

QString UserCountLog::checkCountName(const QString &group, int key)
{
    static const QStringList check = {QStringLiteral("SENTENSE"), QStringLiteral("WORD")};
    static const QStringList error = {QStringLiteral("Null"),      QStringLiteral("Nonword"),
                                      QStringLiteral("Real"),      QStringLiteral("Mophology"),
                                      QStringLiteral("Grammar"),   QStringLiteral("Style"),
                                      QStringLiteral("Suggestion"), QStringLiteral("Other")};
    static const QStringList level = {QStringLiteral("BASE"),  QStringLiteral("CET4"),
                                      QStringLiteral("CET6"),  QStringLiteral("IELTS"),
                                      QStringLiteral("TOEFL"), QStringLiteral("GRE")};
    const QStringList *names = nullptr;
    if (group == QLatin1String("check"))
        names = &check;
    else if (group == QLatin1String("error"))
        names = &error;
    else if (group == QLatin1String("level"))
        names = &level;
    if (!names || key < 0 || key >= names->size())
        return QString();
    return names->at(key);
}

QByteArray UserCountLog::errorLogBody(const QString &sessionKey, const QList<ErrorLogEntry> &entries)
{
    QString data;
    for (const ErrorLogEntry &entry : entries)
        data += entry.first + QLatin1Char(':') + entry.second + QLatin1String(":1;");
    return formBody({{QStringLiteral("sessionKey"), sessionKey}, {QStringLiteral("data"), data}});
}

QByteArray UserCountLog::eventBody(const QString &sessionKey, const QMap<QString, int> &counts,
                                   const QString &version)
{
    return formBody({{QStringLiteral("sessionKey"), sessionKey},
                     {QStringLiteral("group"), QStringLiteral("event")},
                     {QStringLiteral("version"), version},
                     {QStringLiteral("data"), countItems(counts)}});
}

QByteArray UserCountLog::choiceBody(const QString &sessionKey, const QList<WordChoice> &choices)
{
    return formBody({{QStringLiteral("sessionKey"), sessionKey},
                     {QStringLiteral("data"), QString::fromUtf8(wordChoicesJson(choices))}});
}

QByteArray UserCountLog::checkCountBody(const QString &sessionKey, const QString &group,
                                        const QMap<int, int> &counts)
{
    // Items keep the key order of the map, not the order of the names.
    QString data;
    for (auto it = counts.constBegin(); it != counts.constEnd(); ++it) {
        const QString name = checkCountName(group, it.key());
        if (!name.isEmpty())
            data += name + QLatin1Char(':') + QString::number(it.value()) + QLatin1Char(';');
    }
    if (data.isEmpty())
        return QByteArray();
    return formBody({{QStringLiteral("sessionKey"), sessionKey},
                     {QStringLiteral("group"), group},
                     {QStringLiteral("data"), data}});
}

void UserCountLog::addUserErrorLog(const QString &sessionKey, const QList<ErrorLogEntry> &entries)
{
    if (sessionKey.isEmpty() || entries.isEmpty())
        return;
    QNetworkReply *reply = post(ErrorLogEndpoint, errorLogBody(sessionKey, entries));
    watch(reply, m_errorLogReply, &UserCountLog::OnAddUserErrorLog,
          &UserCountLog::AddUserErrorLogFinished);
}

void UserCountLog::addUserEvent(const QString &sessionKey, const QMap<QString, int> &counts,
                                const QString &version)
{
    if (sessionKey.isEmpty() || counts.isEmpty())
        return;
    QNetworkReply *reply = post(CountEndpoint, eventBody(sessionKey, counts, version));
    watch(reply, m_eventReply, &UserCountLog::OnAddUserEvent, &UserCountLog::AddUserEventFinished);
}

void UserCountLog::addUserEventInBlock(const QString &sessionKey, const QMap<QString, int> &counts,
                                       const QString &version)
{
    if (sessionKey.isEmpty() || counts.isEmpty())
        return;
    QNetworkReply *reply = post(CountEndpoint, eventBody(sessionKey, counts, version));
    // A loop per call, so that a second blocking upload started while one waits
    // waits for its own reply.
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, reply, &QNetworkReply::abort);
    connect(reply, &QNetworkReply::finished, &loop, [&loop] { loop.exit(0); });
    limit.start(BlockingTimeoutMs);
    if (!reply->isFinished())
        loop.exec();
    reply->deleteLater();
}

void UserCountLog::addIgnorData(const QString &sessionKey, const QList<WordChoice> &choices)
{
    QNetworkReply *reply = post(ChooseEndpoint, choiceBody(sessionKey, choices));
    watch(reply, m_choiceReply, &UserCountLog::slotAddIgnorDataFinished,
          &UserCountLog::sinalAddIgnorDataFinished);
}

void UserCountLog::addCheckCount(const QString &sessionKey, const QString &group,
                                 const QMap<int, int> &counts)
{
    const QByteArray body = checkCountBody(sessionKey, group, counts);
    if (sessionKey.isEmpty() || body.isEmpty())
        return;
    QNetworkReply *reply = post(CountEndpoint, body);
    connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
}

void UserCountLog::OnAddUserErrorLog()
{
    release(m_errorLogReply);
    emit AddUserErrorLogFinished();
}

void UserCountLog::OnAddUserEvent()
{
    release(m_eventReply);
    emit AddUserEventFinished();
}

void UserCountLog::slotAddIgnorDataFinished()
{
    release(m_choiceReply);
    emit sinalAddIgnorDataFinished();
}

QNetworkReply *UserCountLog::post(const char *endpoint, const QByteArray &body)
{
    return postForm(m_manager, QUrl(m_baseUrl + QLatin1String(endpoint)), body);
}

void UserCountLog::watch(QNetworkReply *reply, QNetworkReply *&member,
                         void (UserCountLog::*slot)(), void (UserCountLog::*finished)())
{
    member = reply;
    QNetworkReply **pending = &member;
    connect(reply, &QNetworkReply::finished, this, [this, reply, pending, slot, finished] {
        if (*pending == reply) {
            (this->*slot)();
            return;
        }
        reply->deleteLater();
        emit(this->*finished)();
    });
}

void UserCountLog::release(QNetworkReply *&member)
{
    if (member) {
        member->deleteLater();
        member = nullptr;
    }
}

} // namespace ZeltraLib
