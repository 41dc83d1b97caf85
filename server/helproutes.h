#pragma once

namespace httplib {
class Server;
}

namespace PennovaServer {

// The help centre "/Help" (a page per topic under "/Help/...") and the video page
// "/Help/Index1", our own texts about what the client really offers. Paths match
// without case, as the client writes them.
class HelpRoutes
{
public:
    void install(httplib::Server &server);
};

} // namespace PennovaServer
