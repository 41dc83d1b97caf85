#pragma once

#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
}

namespace PennovaServer {

struct ServiceContext;

// Account host "GetTesselFileList.ashx": the newest version (GET) and its file list
// (POST "version="), read on every request from DATA/version.json so that a deployment
// can publish a version by editing that file; the files themselves are served from
// DATA/update/ under "/update/".
class VersionRoutes
{
public:
    static constexpr const char *FileName = "version.json";

    explicit VersionRoutes(ServiceContext &context); // borrowed
    void install(httplib::Server &server);

    // Writes the file for the running client version (0.9.2.0 = id 920) when missing.
    static void ensureVersionFile(const std::string &dataDir);

private:
    void latest(const httplib::Request &req, httplib::Response &res);
    void fileList(const httplib::Request &req, httplib::Response &res);

    ServiceContext &m_context;
};

} // namespace PennovaServer
