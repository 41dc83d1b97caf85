#include "accountroutes.h"

#include "accountstore.h"
#include "clientaddress.h"
#include "formbody.h"
#include "htmlpage.h"
#include "httpreplies.h"
#include "loginthrottle.h"
#include "passwordhasher.h"
#include "postroute.h"
#include "servicecontext.h"
#include "sessionstore.h"

#include <httplib.h>

#include <algorithm>

namespace PennovaServer {

namespace {
constexpr std::size_t MaxNameBytes = 64;

// Parses a form body of bounded size; answers 413/400 itself and returns nothing then.
std::optional<FormBody> accountForm(const httplib::Request &req, httplib::Response &res,
                                    const ServiceContext &context, std::initializer_list<const char *> required)
{
    if (req.body.size() > context.options.maxFormBytes) {
        HttpReplies::refuse(res, 413, "request too large");
        return std::nullopt;
    }
    std::optional<FormBody> form = FormBody::parse(req.body);
    if (!form) {
        HttpReplies::refuse(res, 400, "malformed form");
        return std::nullopt;
    }
    for (const char *key : required) {
        if (!form->has(key)) {
            HttpReplies::refuse(res, 400, std::string("missing field ") + key);
            return std::nullopt;
        }
    }
    return form;
}
} // namespace

AccountRoutes::AccountRoutes(ServiceContext &context)
    : m_context(context)
{
}

std::string AccountRoutes::loginSecondPart(const std::string &name, const std::string &email)
{
    return name + ";" + email + ";";
}

void AccountRoutes::install(httplib::Server &server)
{
    PostRoute::add(server, "/Login-new.ashx", m_context.options.maxBodyBytes, [this](const httplib::Request &req, httplib::Response &res) {
        const auto form = accountForm(req, res, m_context, {"userName", "hashUserPassword"});
        if (!form)
            return;
        const std::string name = form->value("userName");
        const std::string hash = form->value("hashUserPassword");
        if (name.empty() || name.size() > MaxNameBytes)
            return HttpReplies::threePart(res, "UserNotExit");
        if (!PasswordHasher::isProtocolHash(hash))
            return HttpReplies::threePart(res, "Failure");
        const std::int64_t now = m_context.sessions.now();
        const std::string peer = ClientAddress::of(req, m_context.options);
        if (!m_context.throttle.allowed(name, peer, now))
            return HttpReplies::threePart(res, "Failure");
        AccountStore::User user;
        switch (m_context.accounts.login(name, hash, &user)) {
        case AccountStore::LoginResult::UnknownUser:
            return HttpReplies::threePart(res, "UserNotExit");
        case AccountStore::LoginResult::WrongPassword:
            m_context.throttle.failed(name, peer, now);
            return HttpReplies::threePart(res, "Failure");
        case AccountStore::LoginResult::Success:
            m_context.throttle.succeeded(name, peer);
            break;
        }
        const std::string key = m_context.sessions.open(user.id);
        // The client reads this reply byte for byte (Latin-1), so a name beyond ASCII (a
        // sign-in account's nickname) would reach it garbled; without the third part it
        // keeps the name as typed.
        const bool asciiName = std::all_of(user.name.begin(), user.name.end(),
                                           [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
        HttpReplies::threePart(res, "Success", key, asciiName ? loginSecondPart(user.name, user.email) : std::string());
    });

    PostRoute::add(server, "/Logout-new.ashx", m_context.options.maxBodyBytes, [this](const httplib::Request &req, httplib::Response &res) {
        const auto form = accountForm(req, res, m_context, {"sessionKey"});
        if (!form)
            return;
        HttpReplies::threePart(res, m_context.sessions.close(form->value("sessionKey")) ? "Success" : "SessionError");
    });

    PostRoute::add(server, "/ActivateSession-new.ashx", m_context.options.maxBodyBytes, [this](const httplib::Request &req, httplib::Response &res) {
        const auto form = accountForm(req, res, m_context, {"sessionKey"});
        if (!form)
            return;
        HttpReplies::threePart(res, m_context.sessions.activate(form->value("sessionKey")) ? "Success" : "SessionError");
    });

    server.Get("/test.htm", [](const httplib::Request &, httplib::Response &res) {
        HttpReplies::html(res, 200, HtmlPage::page("服务测试", "<p>Pennova 服务运行正常。</p>"));
    });
}

} // namespace PennovaServer
