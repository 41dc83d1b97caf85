#pragma once

#include "workgate.h"

#include <json/value.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
}

namespace PennovaChecker {
class RuleLibrary;
}

namespace PennovaServer {

struct ServiceContext;

// Check host: the streamed check, polish and synonyms.
class CheckRoutes
{
public:
    // The 3 bytes after every reply record of the check stream.
    static constexpr const char RecordTrailer[] = "\r\n\n";
    static constexpr std::size_t MaxSynonymBodyBytes = 64 * 1024;
    // How long a check or polish waits for one of the busy workers.
    static constexpr int GateWaitMs = 30000;
    // Brackets a request may nest (the client's nest three deep).
    static constexpr int MaxFrameDepth = 8;

    explicit CheckRoutes(ServiceContext &context); // borrowed
    ~CheckRoutes();

    // The synonym reply: a compact JSON array of plain words, padded to more than 10
    // characters when it holds any.
    static std::string synonymReply(const Json::Value &synonyms);
    void install(httplib::Server &server);

private:
    void check(const httplib::Request &req, httplib::Response &res);
    void polish(const httplib::Request &req, httplib::Response &res);
    void synonyms(const httplib::Request &req, httplib::Response &res);
    // The account of a check or polish request, read without decoding the request; none
    // after answering the refusal (a bad frame, too many values, no or an unknown session).
    std::optional<std::int64_t> admit(const std::string &body, httplib::Response &res);
    // Takes the words from the account's budget: the client's count of the text, or what
    // checking it costs when that is more; answers the refusal itself.
    bool withinWordLimits(std::int64_t userId, int words, int cost, httplib::Response &res);

    ServiceContext &m_context;
    WorkGate m_gate;
    std::unique_ptr<PennovaChecker::RuleLibrary> m_rules; // the school's, in DATA/rules
};

} // namespace PennovaServer
