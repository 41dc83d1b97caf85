#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
}

namespace PennovaServer {

struct ServiceContext;
class FeedbackStore;

// The user's own pages "/login/fromtessel?u=NAME&s=KEY": the personal page, "&d=1" the
// word list (view, add, remove), "&d=2" the correction history, "&d=3" a feedback form.
// Only the owner of the session sees them; everything echoed is escaped.
class UserPageRoutes
{
public:
    UserPageRoutes(ServiceContext &context, FeedbackStore &feedback); // both borrowed
    void install(httplib::Server &server);

private:
    struct Visitor
    {
        std::int64_t userId = 0;
        std::string name;
        std::string query; // "u=...&s=..." for the page's own links, URL-encoded
    };
    // The session's owner, or nothing after answering the refusal page.
    std::optional<Visitor> visitor(const httplib::Request &req, httplib::Response &res);

    void page(const httplib::Request &req, httplib::Response &res);
    std::string wordListPage(const Visitor &who, const httplib::Request &req, int *status);
    std::string historyPage(const Visitor &who);
    std::string feedbackPage(const Visitor &who, const httplib::Request &req, int *status);

    ServiceContext &m_context;
    FeedbackStore &m_feedback;
};

} // namespace PennovaServer
