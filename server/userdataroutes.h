#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}

namespace PennovaServer {

struct ServiceContext;
class FormBody;

// Account host "/NotPublic/": the personal word list and the usage-log uploads.
class UserDataRoutes
{
public:
    // Session key of the login phase's anonymous event upload.
    static constexpr const char *AnonymousSessionKey = "5206-5206";
    static constexpr std::size_t MaxItemsPerUpload = 2000;

    explicit UserDataRoutes(ServiceContext &context); // borrowed
    void install(httplib::Server &server);

private:
    // Parses the body (tailField runs to the end) and resolves the session; answers the
    // refusal itself and returns nothing when either fails. allowAnonymous maps the
    // anonymous key to user 0.
    std::optional<std::int64_t> userOf(const httplib::Request &req, httplib::Response &res,
                                       const std::string &tailField, FormBody *form,
                                       bool allowAnonymous = false);

    void wordList(const httplib::Request &req, httplib::Response &res);
    // The "words" field split and checked; answers the refusal itself when it fails.
    std::optional<std::vector<std::string>> wordsOf(const FormBody &form, httplib::Response &res);
    void addWords(const httplib::Request &req, httplib::Response &res);
    // Removing an absent word is no error.
    void removeWords(const httplib::Request &req, httplib::Response &res);
    void changeWords(const httplib::Request &req, httplib::Response &res, bool add);
    void errorLog(const httplib::Request &req, httplib::Response &res);
    void counts(const httplib::Request &req, httplib::Response &res);
    void choices(const httplib::Request &req, httplib::Response &res);

    ServiceContext &m_context;
};

} // namespace PennovaServer
