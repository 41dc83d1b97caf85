#include "pageroutes.h"
#include "shippeddata.h"

#include "englishchecker.h"
#include "htmlpage.h"
#include "httpreplies.h"
#include "routepattern.h"
#include "servicecontext.h"
#include "sessionstore.h"
#include "wordliststore.h"

#include <httplib.h>

#include <QFile>
#include <QString>

namespace PennovaServer {

namespace {
constexpr qint64 MaxImageBytes = 4 * 1024 * 1024;

// Pictures a deployment puts into DATA/images win over the ones shipped with the sources.
std::string readImage(const std::string &dataDir, const std::string &name)
{
    for (const std::string &dir : {dataDir + "/images", PennovaChecker::ShippedData::folder(PennovaChecker::ShippedData::Assets)}) {
        QFile file(QString::fromStdString(dir + "/" + name));
        if (file.open(QIODevice::ReadOnly) && file.size() <= MaxImageBytes)
            return file.readAll().toStdString();
    }
    return {};
}

void infoPage(httplib::Server &server, const char *path, const char *title, const char *text)
{
    server.Get(RoutePattern::caseless(path), [title, text](const httplib::Request &, httplib::Response &res) {
        HttpReplies::html(res, 200, HtmlPage::page(title, "<h2>" + std::string(title) + "</h2><p>" + text + "</p>"));
    });
}
} // namespace

PageRoutes::PageRoutes(ServiceContext &context)
    : m_context(context)
{
}

void PageRoutes::install(httplib::Server &server)
{
    server.Get("/", [this](const httplib::Request &req, httplib::Response &res) { root(req, res); });
    server.Get("/images/login_pic.png", [this](const httplib::Request &, httplib::Response &res) {
        image("login_pic.png", res);
    });
    server.Get("/images/register_com.png", [this](const httplib::Request &, httplib::Response &res) {
        image("register_com.png", res);
    });
    server.Get(RoutePattern::caseless("/Download", "/?"), [](const httplib::Request &, httplib::Response &res) {
        HttpReplies::html(res, 200, HtmlPage::page("下载", "<h2>下载 Pennova</h2>"
            "<p>Pennova 英语写作辅助软件的安装程序由本校的管理员提供。</p>"
            "<p>已安装的 Pennova 会在启动时自动检查并安装新版本。</p>"));
    });
    server.Get(RoutePattern::caseless("/ForgetPassword/fromtessel"), [](const httplib::Request &req, httplib::Response &res) {
        const std::string name = req.get_param_value("u");
        std::string body = "<h2>找回密码</h2>";
        if (!name.empty())
            body += "<p>用户名：<b>" + HtmlPage::escape(name) + "</b></p>";
        body += "<p>本服务器不发送电子邮件。请联系管理员为您重设密码。</p>"
                "<p class=\"note\">管理员命令：pennova-server user passwd 用户名 新密码</p>";
        HttpReplies::html(res, 200, HtmlPage::page("找回密码", body));
    });
    server.Get(RoutePattern::caseless("/Tessel/Dict"), [this](const httplib::Request &req, httplib::Response &res) { wordListPage(req, res); });
    infoPage(server, "/Info/UserAgreement", "用户协议", "本服务仅供教学使用。您提交的文本只用于检查，不会公开。");
    infoPage(server, "/Info/PrivacyStatement", "隐私声明", "服务器保存您的账户、个人词库和使用统计，不保存您检查的文章。");
    infoPage(server, "/Info/Contact", "联系我们", "如有问题，请联系本服务器的管理员。");

    server.set_error_handler(httplib::Server::HandlerWithResponse([](const httplib::Request &, httplib::Response &res) {
        if ((res.status != 404 && res.status != 405) || !res.body.empty())
            return httplib::Server::HandlerResponse::Unhandled;
        HttpReplies::html(res, res.status, HtmlPage::page("页面不存在", "<h2>页面不存在</h2><p>您访问的页面不存在。</p>"));
        return httplib::Server::HandlerResponse::Handled;
    }));
}

void PageRoutes::root(const httplib::Request &req, httplib::Response &res)
{
    // The explanation look-ups share "/" with the home page: "/?et=..." and "/?lexsub=...".
    if (req.has_param("et") || req.has_param("lexsub")) {
        const std::size_t mark = req.target.find('?');
        const std::string query = mark == std::string::npos ? std::string() : req.target.substr(mark + 1);
        res.status = 200;
        res.set_content(m_context.checker().explanationHtml(query), "text/html; charset=utf-8");
        return;
    }
    HttpReplies::html(res, 200, HtmlPage::page("首页", "<h2>Pennova 英语写作辅助</h2>"
        "<p>Pennova 帮您找出英文文章中的拼写、语法和文体问题，并提供润色建议、写作模板和在线词典。</p>"
        "<p><a href=\"/Download/\">下载 Pennova</a></p>"));
}

void PageRoutes::image(const std::string &name, httplib::Response &res)
{
    const std::string data = readImage(m_context.options.dataDir, name);
    if (data.empty())
        return HttpReplies::refuse(res, 404, "no such picture");
    // The status stays unset: the library answers 200, or 206 for one range.
    res.set_content(data, "image/png");
}

void PageRoutes::wordListPage(const httplib::Request &req, httplib::Response &res)
{
    const auto session = m_context.sessions.find(req.get_param_value("s"));
    if (!session
        || QString::fromStdString(session->userName).compare(QString::fromStdString(req.get_param_value("u")),
                                                             Qt::CaseInsensitive) != 0) {
        HttpReplies::html(res, 403, HtmlPage::page("个人词库", "<h2>个人词库</h2><p>请先登录 Pennova。</p>"));
        return;
    }
    std::string body = "<h2>" + HtmlPage::escape(session->userName) + " 的个人词库</h2>";
    const std::vector<std::string> words = m_context.words.words(session->userId);
    if (words.empty())
        body += "<p>词库中还没有单词。</p>";
    else {
        body += "<ul>";
        for (const std::string &word : words)
            body += "<li>" + HtmlPage::escape(word) + "</li>";
        body += "</ul>";
    }
    HttpReplies::html(res, 200, HtmlPage::page("个人词库", body));
}

} // namespace PennovaServer
