#pragma once

#include <QString>

// Where the account windows count their usage events ("Login_Login", "Register_Succ", ...).
// The usage log of the login phase implements it; the windows never reach for a global.
class UsageEventSink
{
public:
    virtual ~UsageEventSink() = default;

    // One more use of the named event.
    virtual void countEvent(const QString &name) = 0;
    // The login window is going away: send what was counted (anonymously, blocking).
    virtual void uploadAnonymously() = 0;
};
