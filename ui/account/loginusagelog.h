#pragma once

#include "usageeventsink.h"

#include <QMap>
#include <QString>

#include <memory>

namespace ZeltraLib {
class UserCountLog;
}

// Usage events of the login phase: counted in memory and sent in one blocking upload
// under the anonymous session key when the login window goes away.
class LoginUsageLog : public UsageEventSink
{
public:
    // `accountHost` is "host:port" of the usage-log service.
    explicit LoginUsageLog(const QString &accountHost);
    ~LoginUsageLog() override;

    void countEvent(const QString &name) override;
    // Sends the counts (nothing when there are none) and starts counting afresh.
    void uploadAnonymously() override;

    const QMap<QString, int> &counts() const { return m_counts; }

private:
    std::unique_ptr<ZeltraLib::UserCountLog> m_log;
    QMap<QString, int> m_counts;
};
