#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace PennovaServer {

// Everything a deployment may tune. Defaults suit a classroom server on one machine.
struct ServerOptions
{
    std::string host = "127.0.0.1";
    int port = 18640;               // 0 = any free port (tests)
    std::string dataDir;            // holds the database, the releases and update files
    // "postgresql://..." for a database shared by several server processes; empty = the
    // SQLite file in dataDir.
    std::string database;
    int databaseConnections = 16;   // PostgreSQL connections of one process at most
    // "http://host:port" under which clients reach this server, for download URLs; empty =
    // the local address of each connection.
    std::string publicUrl;
    // Connection threads. Slow or idle peers hold one each only briefly (time-outs below);
    // the heavy work runs in at most checkWorkers of them at once.
    int threads = 256;
    int checkWorkers = 0;           // concurrent checks and polishes; 0 = the number of cores
    int listenBacklog = 1024;
    // Accepted connections waiting for a thread; beyond this they are answered 503 with
    // Retry-After (as is a check that finds no free worker in time).
    int maxQueuedConnections = 1024;
    int retryAfterSeconds = 5;
    int headerTimeoutMs = 5000;     // a request header must arrive whole within this
    int bodyTimeoutMs = 60000;      // and its body within this after the header,
    int bodyGraceMs = 2000;         // and after this at the following rate at least
    int minBodyBytesPerSecond = 1024;
    // An idle connection waits this long for its next request, and gives its thread up at
    // once when other connections wait for one.
    int keepAliveMs = 15000;
    int sessionLifetimeSeconds = 7200; // a session not activated for this long expires
    // Password hashing cost: false = libsodium's INTERACTIVE limits, true = the minimum
    // limits (only for tests; stored hashes carry their own parameters either way).
    bool fastPasswordHash = false;
    // Password hashes at once (0 = one per core, at most 4); a login or registration
    // waits for one at most hashWaitMs, and at most maxHashWaiters wait: the others are
    // answered 503 with Retry-After rather than holding connection threads.
    int passwordHashers = 0;
    int maxHashWaiters = 64;
    int hashWaitMs = 15000;
    std::size_t maxBodyBytes = 16 * 1024 * 1024;   // any request body
    std::size_t maxFormBytes = 1024 * 1024;        // form-encoded account requests
    long long maxFrameRawBytes = 8 * 1024 * 1024;  // inflated check or polish request
    int maxWordsPerCheck = 10000;
    int maxWordsPerMinute = 30000;
    // Above maxWordsPerCheck: a text the client lets through (one word a line at most)
    // must never be refused for its number of lines.
    int maxSentencesPerCheck = 20000;
    // Longer sentences are answered without findings (the checker's cost grows with them).
    int maxSentenceCharacters = 2000;
    int maxSentenceTokens = 400;
    // Wrong passwords per user name and address within the window before logins from
    // that address are slowed down (LoginThrottle).
    int maxLoginFailures = 10;
    int loginFailureWindowSeconds = 300;
    // New accounts (registration or social sign-in) per address and hour: each costs a
    // memory-hard password hash.
    int registrationsPerHour = 10;
    // Peers (a load balancer such as nginx) whose "X-Real-IP" header names the client for
    // the two limits above; numeric addresses as the connection shows them.
    std::vector<std::string> trustedProxies;
    bool logRequests = true;        // one line per request on stderr (method, path, status)
    // false ("--load-data first-use"): the checker and the dictionary (seconds to load)
    // are loaded by the first request that needs them; that request waits for it.
    bool loadDataAtStart = true;
    // Checker tables; empty = the checker's defaults.
    std::string checkerDataDir;
    std::string hunspellDir;
    // Templates: copied into DATA/templates on first start from this folder (empty = the
    // ones beside the sources); the folder is looked at again at most this often.
    std::string templateSeedDir;
    int templateReloadMs = 2000;
    // A school's rule files in DATA/rules, looked at again at most this often; rule ids
    // switched off ("--disable-rule", built-in ones too).
    int ruleReloadMs = 2000;
    std::vector<std::string> disabledRules;
};

} // namespace PennovaServer
