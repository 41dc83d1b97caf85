#pragma once

#include <memory>

namespace httplib {
class Server;
}

namespace PennovaDictionary {
class DictionaryPages;
}

namespace PennovaServer {

struct ServiceContext;

// The dictionary pages of the template and dictionary host: "/tessel/find",
// "/tessel/translate", "/tessel/search" and the pronunciation files "/tessel/audio/*.mp3".
class DictionaryRoutes
{
public:
    // Loads the dictionary data (about a second); the context is borrowed.
    explicit DictionaryRoutes(ServiceContext &context);
    ~DictionaryRoutes();
    // Builds the routes and registers them; the server keeps the returned object.
    static std::unique_ptr<DictionaryRoutes> install(httplib::Server &server, ServiceContext &context);

private:
    std::unique_ptr<PennovaDictionary::DictionaryPages> m_pages;
};

} // namespace PennovaServer
