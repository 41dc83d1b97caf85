#pragma once

#include <future>
#include <memory>
#include <vector>

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
    // Starts loading the dictionary data (a second or more) in the background, so that
    // the server listens at once; a page asked for meanwhile waits. The context is borrowed.
    explicit DictionaryRoutes(ServiceContext &context);
    ~DictionaryRoutes();
    // Builds the routes and registers them; the server keeps the returned object.
    static std::unique_ptr<DictionaryRoutes> install(httplib::Server &server, ServiceContext &context);
    // Adds the loaded dictionary to `kept` (see ServiceServer::leaveDataToExit); one still
    // loading or never asked for stays.
    void leaveDataToExit(std::vector<std::shared_ptr<const void>> &kept) const;

private:
    PennovaDictionary::DictionaryPages &pages() const { return *m_pages.get(); }

    std::shared_future<std::shared_ptr<PennovaDictionary::DictionaryPages>> m_pages;
};

} // namespace PennovaServer
