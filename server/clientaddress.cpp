#include "clientaddress.h"

#include <httplib.h>

#include <arpa/inet.h>

#include <algorithm>

namespace PennovaServer {

bool ClientAddress::isAddress(const std::string &text)
{
    if (text.empty() || text.size() >= INET6_ADDRSTRLEN)
        return false;
    unsigned char buffer[sizeof(in6_addr)];
    return inet_pton(AF_INET, text.c_str(), buffer) == 1 || inet_pton(AF_INET6, text.c_str(), buffer) == 1;
}

std::string ClientAddress::of(const httplib::Request &req, const ServerOptions &options)
{
    const auto &trusted = options.trustedProxies;
    if (std::find(trusted.begin(), trusted.end(), req.remote_addr) == trusted.end())
        return req.remote_addr;
    // One header only: several could not be told apart from a forged one.
    if (req.get_header_value_count("X-Real-IP") != 1)
        return req.remote_addr;
    const std::string client = req.get_header_value("X-Real-IP");
    return isAddress(client) ? client : req.remote_addr;
}

} // namespace PennovaServer
