#include "loginusagelog.h"

#include "servicehosts.h"
#include "usercountlog.h"

LoginUsageLog::LoginUsageLog(const QString &accountHost)
    : m_log(std::make_unique<ZeltraLib::UserCountLog>(accountHost))
{
}

LoginUsageLog::~LoginUsageLog() = default;

void LoginUsageLog::countEvent(const QString &name)
{
    ++m_counts[name];
}

void LoginUsageLog::uploadAnonymously()
{
    if (m_counts.isEmpty())
        return;
    const QMap<QString, int> counts = m_counts;
    m_counts.clear();
    m_log->addUserEventInBlock(ZeltraLib::AnonymousSessionKey, counts, ZeltraLib::ClientVersion);
}
