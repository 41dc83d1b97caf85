#pragma once

#include <string>
#include <vector>

// One client of the services on loopback: logs in and checks sentences the way Pennova
// does (a compressed frame, records streamed back). Used by the deployment test and the
// load benchmark.
class FarmClient
{
public:
    struct CheckReply
    {
        int status = 0;          // HTTP status, 0 when the connection failed
        std::string error;       // why the reply is not a whole record stream
        int records = 0;         // sentence records
        bool summary = false;    // the closing record with a negative "sentInd" came
        double firstRecordMs = -1;
    };

    explicit FarmClient(int port);

    // The session key of a successful login, else empty.
    std::string login(const std::string &name, const std::string &password) const;
    CheckReply check(const std::string &sessionKey, const std::vector<std::string> &sentences) const;

    // The titles and sentences of a text, as the client cuts them.
    static std::vector<std::string> sentencesOf(const std::string &utf8Text);

private:
    int m_port;
};
