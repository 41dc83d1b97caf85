#pragma once

#include "serveroptions.h"

#include <string>

namespace httplib {
struct Request;
}

namespace PennovaServer {

// The address a request came from, for the login throttle and the registration limit.
// Behind a load balancer every peer is the balancer: a peer listed as trusted proxy
// names the client in "X-Real-IP"; anyone else's header is ignored.
class ClientAddress
{
public:
    static std::string of(const httplib::Request &req, const ServerOptions &options);

    // A numeric IPv4 or IPv6 address.
    static bool isAddress(const std::string &text);
};

} // namespace PennovaServer
