#pragma once

#include <cstddef>
#include <string_view>

namespace PennovaServer {

// How a request header frames its body, judged before the body is read: a header that
// two parties could read as different requests is refused, as is a length the server
// would never accept (at once, rather than after reading or waiting for the body).
class RequestFraming
{
public:
    // 0 when the header frames its body plainly; otherwise the status to answer before
    // closing the connection: 400 for Content-Length headers that disagree or are no
    // plain number, a Transfer-Encoding other than "chunked" or one beside a
    // Content-Length; 413 for a length beyond maxBodyBytes. `head`: the request line and
    // header fields, up to the empty line.
    static int check(std::string_view head, std::size_t maxBodyBytes);
};

} // namespace PennovaServer
