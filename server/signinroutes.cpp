#include "signinroutes.h"

#include "accountroutes.h"
#include "accountstore.h"
#include "clientaddress.h"
#include "htmlpage.h"
#include "httpreplies.h"
#include "loginthrottle.h"
#include "ratelimiter.h"
#include "passwordhasher.h"
#include "servicecontext.h"
#include "sessionstore.h"

#include <httplib.h>

#include <QRegularExpression>
#include <QString>

namespace PennovaServer {

namespace {
const char *errorText(const std::string &code)
{
    if (code == "1")
        return "昵称应为2~16个字母、数字或下划线。";
    if (code == "2")
        return "密码长度应为6~32个字符。";
    if (code == "3")
        return "密码不正确，请重试。";
    if (code == "4")
        return "服务器繁忙，请稍后重试。";
    return nullptr;
}
} // namespace

SignInRoutes::SignInRoutes(ServiceContext &context)
    : m_context(context)
{
}

bool SignInRoutes::validNick(const std::string &nick)
{
    static const QRegularExpression rule(QStringLiteral("^[\\p{L}\\p{N}_]{2,16}$"));
    const QString text = QString::fromUtf8(nick.data(), qsizetype(nick.size()));
    return nick.size() <= 64 && text.toUtf8().toStdString() == nick && rule.match(text).hasMatch();
}

void SignInRoutes::install(httplib::Server &server)
{
    static const Provider providers[] = {
        {"sina", "新浪微博", "/LoginBySina.ashx", "/loginedbysina.ashx"},
        {"qq", "腾讯QQ", "/LoginByQQ.ashx", "/loginedbyqq.ashx"},
    };
    for (const Provider &provider : providers) {
        server.Get(provider.startPath, [this, &provider](const httplib::Request &req, httplib::Response &res) {
            form(provider, req, res);
        });
        server.Post(provider.endPath, [this, &provider](const httplib::Request &req, httplib::Response &res) {
            finish(provider, req, res);
        });
        // Reached without the form: no session.
        server.Get(provider.endPath, [](const httplib::Request &, httplib::Response &res) {
            HttpReplies::html(res, 200, "Failure||");
        });
    }
}

void SignInRoutes::form(const Provider &provider, const httplib::Request &req, httplib::Response &res)
{
    std::string body = "<h2>使用" + std::string(provider.title) + "账户登录</h2>";
    if (const char *error = errorText(req.get_param_value("error")))
        body += "<p class=\"error\">" + std::string(error) + "</p>";
    body += "<form method=\"post\" action=\"" + std::string(provider.endPath) + "\">"
            "<label for=\"nick\">" + std::string(provider.title) + "昵称：</label>"
            "<input type=\"text\" id=\"nick\" name=\"nick\" maxlength=\"16\" value=\""
            + HtmlPage::escape(req.get_param_value("nick")) + "\">"
            "<label for=\"password\">密码：</label>"
            "<input type=\"password\" id=\"password\" name=\"password\" maxlength=\"32\">"
            "<button type=\"submit\">登录</button></form>"
            "<p class=\"note\">本服务器无法连接" + std::string(provider.title)
            + "，将以此昵称登录本地账户；首次登录时自动创建账户并设置密码。</p>";
    HttpReplies::html(res, 200, HtmlPage::page("第三方账户登录", body));
}

void SignInRoutes::finish(const Provider &provider, const httplib::Request &req, httplib::Response &res)
{
    // A browser form: httplib has decoded the fields into params.
    const std::string nick = req.get_param_value("nick");
    // Trimmed like the login window does, so the account can also sign in there.
    const std::string password = PasswordHasher::trimmed(req.get_param_value("password"));
    const auto back = [&](const char *code) {
        std::string target = std::string(provider.startPath) + "?area=tessel&error=" + code;
        if (validNick(nick))
            target += "&nick=" + httplib::detail::encode_query_param(nick);
        res.set_redirect(target, 303);
    };
    if (!validNick(nick))
        return back("1");
    if (password.size() < 6 || password.size() > 32)
        return back("2");
    const std::string name = std::string(provider.id) + "_" + nick;
    const std::string hash = PasswordHasher::protocolHash(password);
    const std::int64_t now = m_context.sessions.now();
    const std::string peer = ClientAddress::of(req, m_context.options);
    if (!m_context.throttle.allowed(name, peer, now))
        return back("3");
    AccountStore::User user;
    auto result = m_context.accounts.login(name, hash, &user);
    if (result == AccountStore::LoginResult::UnknownUser) {
        if (!m_context.registrations.take(peer, now))
            return back("4");
        if (m_context.accounts.create(name, "", hash, provider.id) != AccountStore::CreateResult::Created)
            return back("4");
        result = m_context.accounts.login(name, hash, &user);
    }
    if (result != AccountStore::LoginResult::Success) {
        m_context.throttle.failed(name, peer, now);
        return back("3");
    }
    m_context.throttle.succeeded(name, peer);
    const std::string key = m_context.sessions.open(user.id);
    // The sign-in window reads the page text: "Success|key|name;...".
    HttpReplies::html(res, 200, "Success|" + key + "|" + HtmlPage::escape(AccountRoutes::loginSecondPart(user.name, "")));
}

} // namespace PennovaServer
