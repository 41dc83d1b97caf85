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
class PageTokenStore;

// The user's own pages "/login/fromtessel": the personal page, "?d=1" the word list
// (view, add, remove), "?d=2" the correction history, "?d=3" a feedback form. The client
// first gets a one-time token ("POST /login/pagetoken", form "s=KEY"); "?t=TOKEN" turns
// it into an HttpOnly cookie and redirects to the same page without it. An old link
// "?u=NAME&s=KEY" is exchanged the same way, once per session. Only the owner of the
// session sees the pages; everything echoed is escaped.
class UserPageRoutes
{
public:
    UserPageRoutes(ServiceContext &context, FeedbackStore &feedback, PageTokenStore &tokens); // all borrowed
    void install(httplib::Server &server);

private:
    struct Visitor
    {
        std::int64_t userId = 0;
        std::string name;
    };
    // The session's owner, or nothing after answering the refusal page.
    std::optional<Visitor> visitor(const httplib::Request &req, httplib::Response &res);

    void page(const httplib::Request &req, httplib::Response &res);
    void pageToken(const httplib::Request &req, httplib::Response &res);
    // Answers a link carrying a token or a session key: the cookie and a redirect, or
    // the refusal; false when the link carries neither.
    bool exchange(const httplib::Request &req, httplib::Response &res);
    std::string wordListPage(const Visitor &who, const httplib::Request &req, int *status);
    std::string historyPage(const Visitor &who);
    std::string feedbackPage(const Visitor &who, const httplib::Request &req, int *status);

    ServiceContext &m_context;
    FeedbackStore &m_feedback;
    PageTokenStore &m_tokens;
};

} // namespace PennovaServer
