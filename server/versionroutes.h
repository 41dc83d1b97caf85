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
// (POST "version="), read on every request from the release store (DATA/releases), and
// the files themselves under "/update/" from DATA/update. Publishing is done with
// `pennova-server release add`; with nothing published the newest version is 0, which
// no client takes for an update.
//
// Newest version: id | version text | release notes | file-list signature | lowest id.
// File list: entries "name|version|URL|folder|sha256" joined by ";". A URL is built from
// the configured public URL, or else from the address the request reached on this
// server's own socket; the request's Host header is never used.
class VersionRoutes
{
public:
    explicit VersionRoutes(ServiceContext &context); // borrowed
    void install(httplib::Server &server);

private:
    void latest(const httplib::Request &req, httplib::Response &res);
    void fileList(const httplib::Request &req, httplib::Response &res);
    void updateFile(const httplib::Request &req, httplib::Response &res);

    ServiceContext &m_context;
};

} // namespace PennovaServer
