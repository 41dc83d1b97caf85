#include "guardedreply.h"

#include "servicereply.h"

#include <QNetworkReply>

namespace ZeltraLib {

GuardedReply::GuardedReply(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (!m_reply)
            return;
        release();
        Q_EMIT timedOut();
    });
}

GuardedReply::~GuardedReply()
{
    release();
}

void GuardedReply::setTimeOut(int ms)
{
    m_timer.setInterval(qMax(0, ms));
}

int GuardedReply::timeOut() const
{
    return m_timer.interval();
}

void GuardedReply::start(QNetworkReply *reply)
{
    release();
    if (!reply)
        return;
    m_reply = reply;
    limitReplySize(reply);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        if (reply != m_reply) // abandoned request: drop its late answer
            return;
        m_timer.stop();
        m_reply = nullptr;
        disconnect(reply, nullptr, this, nullptr);
        Q_EMIT replied(reply);
        reply->deleteLater();
    });
    if (m_timer.interval() > 0)
        m_timer.start();
}

void GuardedReply::abandon()
{
    release();
}

bool GuardedReply::isPending() const
{
    return m_reply != nullptr;
}

void GuardedReply::release()
{
    m_timer.stop();
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}

} // namespace ZeltraLib
