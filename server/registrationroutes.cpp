#include "registrationroutes.h"

#include "accountstore.h"
#include "clientaddress.h"
#include "formbody.h"
#include "httpreplies.h"
#include "passwordhasher.h"
#include "postroute.h"
#include "ratelimiter.h"
#include "servicecontext.h"
#include "sessionstore.h"

#include <httplib.h>

#include <QRegularExpression>
#include <QString>

namespace PennovaServer {

namespace {
std::optional<FormBody> registrationForm(const httplib::Request &req, httplib::Response &res,
                                         const ServiceContext &context, const char *key)
{
    std::optional<FormBody> form;
    if (req.body.size() <= context.options.maxFormBytes)
        form = FormBody::parse(req.body);
    if (!form || !form->has(key)) {
        HttpReplies::refuse(res, 400, "malformed form");
        return std::nullopt;
    }
    return form;
}
} // namespace

RegistrationRoutes::RegistrationRoutes(ServiceContext &context)
    : m_context(context)
{
}

bool RegistrationRoutes::validUserName(const std::string &name)
{
    static const QRegularExpression rule(QStringLiteral("^[a-z0-9A-Z]{6,16}$"));
    return name.size() <= 16 && rule.match(QString::fromStdString(name)).hasMatch();
}

bool RegistrationRoutes::validEmail(const std::string &email)
{
    static const QRegularExpression rule(
        QStringLiteral("^\\w+([-+.]\\w+)*@\\w+([-.]\\w+)*\\.\\w+([-.]\\w+)*$"));
    // ASCII only: \w would otherwise accept letters of any script.
    for (unsigned char ch : email) {
        if (ch >= 0x80)
            return false;
    }
    return email.size() <= MaxEmailBytes && rule.match(QString::fromStdString(email)).hasMatch();
}

void RegistrationRoutes::install(httplib::Server &server)
{
    PostRoute::add(server, "/tessel/DoesUserNameExist", m_context.options.maxBodyBytes, [this](const httplib::Request &req, httplib::Response &res) {
        const auto form = registrationForm(req, res, m_context, "u");
        if (!form)
            return;
        const std::string name = form->value("u");
        const bool exists = name.size() <= 64 && m_context.accounts.nameExists(name);
        HttpReplies::text(res, 200, exists ? "True" : "False");
    });

    PostRoute::add(server, "/tessel/DoesEmailExist", m_context.options.maxBodyBytes, [this](const httplib::Request &req, httplib::Response &res) {
        const auto form = registrationForm(req, res, m_context, "e");
        if (!form)
            return;
        const std::string email = form->value("e");
        const bool exists = email.size() <= MaxEmailBytes && m_context.accounts.emailExists(email);
        HttpReplies::text(res, 200, exists ? "True" : "False");
    });

    PostRoute::add(server, "/tessel/register", m_context.options.maxBodyBytes, [this](const httplib::Request &req, httplib::Response &res) {
        const auto form = registrationForm(req, res, m_context, "u");
        if (!form)
            return;
        const std::string name = form->value("u");
        const std::string email = form->value("e");
        // The protocol hash of the password trimmed at both ends, as the login sends it.
        const std::string hash = form->value("p");

        // Three digits: user name, e-mail, password; 0 = acceptable.
        char status[4] = "000";
        if (name.empty())
            status[0] = '1';
        else if (!validUserName(name))
            status[0] = '2';
        else if (m_context.accounts.nameExists(name))
            status[0] = '3';
        if (email.empty())
            status[1] = '1';
        else if (email.size() > MaxEmailBytes)
            status[1] = '2';
        else if (!validEmail(email))
            status[1] = '3';
        else if (m_context.accounts.emailExists(email))
            status[1] = '4';
        if (!PasswordHasher::isProtocolHash(hash))
            status[2] = '1';
        if (std::string(status) != "000")
            return HttpReplies::text(res, 200, status);
        // Each account costs a memory-hard hash: a flood from one address is refused.
        if (!m_context.registrations.take(ClientAddress::of(req, m_context.options), m_context.sessions.now()))
            return HttpReplies::text(res, 200, "error");

        switch (m_context.accounts.create(name, email, hash)) {
        case AccountStore::CreateResult::Created:
            return HttpReplies::text(res, 200, "success");
        case AccountStore::CreateResult::NameTaken:
            return HttpReplies::text(res, 200, "300");
        case AccountStore::CreateResult::EmailTaken:
            return HttpReplies::text(res, 200, "040");
        }
        HttpReplies::text(res, 200, "error");
    });
}

} // namespace PennovaServer
