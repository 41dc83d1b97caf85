#pragma once

#include <cstddef>
#include <string>

namespace PennovaServer {

// Everything a deployment may tune. Defaults suit a classroom server on one machine.
struct ServerOptions
{
    std::string host = "127.0.0.1";
    int port = 18640;               // 0 = any free port (tests)
    std::string dataDir;            // holds the database, the version file and update files
    int threads = 32;               // HTTP worker threads (idle keep-alive connections hold one each)
    int sessionLifetimeSeconds = 7200; // a session not activated for this long expires
    // Password hashing cost: false = libsodium's INTERACTIVE limits, true = the minimum
    // limits (only for tests; stored hashes carry their own parameters either way).
    bool fastPasswordHash = false;
    std::size_t maxBodyBytes = 16 * 1024 * 1024;   // any request body
    std::size_t maxFormBytes = 1024 * 1024;        // form-encoded account requests
    long long maxFrameRawBytes = 8 * 1024 * 1024;  // inflated check or polish request
    int maxWordsPerCheck = 10000;
    int maxWordsPerMinute = 30000;
    // Above maxWordsPerCheck: a text the client lets through (one word a line at most)
    // must never be refused for its number of lines.
    int maxSentencesPerCheck = 20000;
    // Wrong passwords per user name within the window before its logins are refused
    // unchecked for the rest of the window.
    int maxLoginFailures = 10;
    int loginFailureWindowSeconds = 300;
    bool logRequests = true;        // one line per request on stderr (method, path, status)
    // Checker tables; empty = the checker's defaults.
    std::string checkerDataDir;
    std::string hunspellDir;
    // Templates: copied into DATA/templates on first start from this folder (empty = the
    // ones beside the sources); the folder is looked at again at most this often.
    std::string templateSeedDir;
    int templateReloadMs = 2000;
};

} // namespace PennovaServer
