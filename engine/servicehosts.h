#pragma once

#include <QString>

namespace ZeltraLib {

// Port of the local services (pennova-server) that the hosts default to.
constexpr int DefaultServicePort = 18640;

// Service hosts as "host:port". Each defaults to 127.0.0.1 and DefaultServicePort;
// PENNOVA_HOST overrides all five, PENNOVA_<NAME>_HOST (ACCOUNT, WEB, CHECK, API,
// EXPLAIN) one of them. Read once, on first use.
const QString &AccountHost();
const QString &WebHost();
const QString &CheckHost();
const QString &ApiHost();
const QString &ExplainHost();

// Resolves one host the way the constants above do; exposed for tests.
QString resolveServiceHost(const char *name);

// The running client's version.
inline const QString ClientVersion = QStringLiteral("0.9.2.0");

} // namespace ZeltraLib
