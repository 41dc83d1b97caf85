#include "userpageroutes.h"

#include "feedbackstore.h"
#include "formbody.h"
#include "htmlpage.h"
#include "httpreplies.h"
#include "pagetokenstore.h"
#include "postroute.h"
#include "routepattern.h"
#include "servicecontext.h"
#include "sessionstore.h"
#include "usagelogstore.h"
#include "utf8text.h"
#include "wordliststore.h"

#include <httplib.h>

#include <QString>

#include <ctime>
#include <map>

namespace PennovaServer {

namespace {
constexpr const char *Path = "/login/fromtessel";
constexpr const char *TokenPath = "/login/pagetoken";
constexpr const char *CookieName = "pennova_page";
constexpr std::size_t MaxFormBytes = 64 * 1024;
constexpr std::size_t MaxCookieHeaderBytes = 4 * 1024;

// The value of our cookie in the request's Cookie header, or empty.
std::string cookieValue(const httplib::Request &req)
{
    const std::string header = req.get_header_value("Cookie");
    if (header.size() > MaxCookieHeaderBytes)
        return {};
    const std::string wanted = std::string(CookieName) + "=";
    std::size_t pos = 0;
    while (pos < header.size()) {
        std::size_t end = header.find(';', pos);
        if (end == std::string::npos)
            end = header.size();
        std::size_t begin = header.find_first_not_of(' ', pos);
        if (begin != std::string::npos && begin < end && header.compare(begin, wanted.size(), wanted) == 0)
            return header.substr(begin + wanted.size(), end - begin - wanted.size());
        pos = end + 1;
    }
    return {};
}

// The page of a link without its secrets: only the page number stays.
std::string cleanTarget(const httplib::Request &req)
{
    const std::string d = req.get_param_value("d");
    const bool known = d == "1" || d == "2" || d == "3";
    return std::string(Path) + (known ? "?d=" + d : std::string());
}

int hexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// A browser's form field: "+" is a space, "%XX" a byte; a broken escape stays as written.
std::string urlDecode(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '+') {
            out += ' ';
        } else if (ch == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += char(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += ch;
        }
    }
    return out;
}

// The fields of a browser's form body (first value of each name).
std::map<std::string, std::string> formFields(const std::string &body)
{
    std::map<std::string, std::string> fields;
    std::size_t pos = 0;
    while (pos <= body.size()) {
        std::size_t end = body.find('&', pos);
        if (end == std::string::npos)
            end = body.size();
        const std::string pair = body.substr(pos, end - pos);
        const std::size_t eq = pair.find('=');
        if (eq != std::string::npos)
            fields.emplace(urlDecode(pair.substr(0, eq)), urlDecode(pair.substr(eq + 1)));
        pos = end + 1;
    }
    return fields;
}

std::string field(const std::map<std::string, std::string> &fields, const std::string &name)
{
    const auto it = fields.find(name);
    return it == fields.end() ? std::string() : it->second;
}

std::string message(const std::string &text, bool error)
{
    return std::string("<p class=\"") + (error ? "error" : "note") + "\">" + HtmlPage::escape(text) + "</p>";
}

std::string hiddenForm(const std::string &action, const std::string &fieldsHtml, const std::string &button)
{
    return "<form method=\"post\" action=\"" + HtmlPage::escape(action) + "\">" + fieldsHtml
           + "<button type=\"submit\">" + button + "</button></form>";
}
} // namespace

UserPageRoutes::UserPageRoutes(ServiceContext &context, FeedbackStore &feedback, PageTokenStore &tokens)
    : m_context(context), m_feedback(feedback), m_tokens(tokens)
{
}

void UserPageRoutes::install(httplib::Server &server)
{
    server.Get(RoutePattern::caseless(Path), [this](const httplib::Request &req, httplib::Response &res) { page(req, res); });
    PostRoute::add(server, RoutePattern::caseless(Path), MaxFormBytes, [this](const httplib::Request &req, httplib::Response &res) { page(req, res); });
    PostRoute::add(server, TokenPath, m_context.options.maxBodyBytes,
                   [this](const httplib::Request &req, httplib::Response &res) { pageToken(req, res); });
}

void UserPageRoutes::pageToken(const httplib::Request &req, httplib::Response &res)
{
    const auto form = req.body.size() <= m_context.options.maxFormBytes ? FormBody::parse(req.body) : std::nullopt;
    if (!form || !form->has("s"))
        return HttpReplies::refuse(res, 400, "malformed form");
    const std::string token = m_tokens.issue(form->value("s"));
    if (token.empty())
        return HttpReplies::refuse(res, 403, "unknown session");
    res.set_header("Cache-Control", "no-store");
    HttpReplies::text(res, 200, token);
}

bool UserPageRoutes::exchange(const httplib::Request &req, httplib::Response &res)
{
    std::optional<std::string> cookie;
    if (req.has_param("t")) {
        cookie = m_tokens.redeem(req.get_param_value("t"));
    } else if (req.has_param("s")) {
        const auto session = m_context.sessions.find(req.get_param_value("s"));
        if (session
            && QString::fromStdString(session->userName).compare(QString::fromStdString(req.get_param_value("u")),
                                                                 Qt::CaseInsensitive) == 0)
            cookie = m_tokens.redeemSessionKey(req.get_param_value("s"));
    } else {
        return false;
    }
    if (!cookie || req.method != "GET") {
        HttpReplies::html(res, 403, HtmlPage::page("个人主页", "<h2>个人主页</h2><p>此链接已失效。请从 Pennova 中重新打开此页。</p>"));
        return true;
    }
    // The cookie's path is the canonical one, so the redirect goes there whatever the case of the link.
    res.set_header("Set-Cookie", std::string(CookieName) + "=" + *cookie + "; Path=" + Path + "; HttpOnly; SameSite=Lax");
    res.set_header("Cache-Control", "no-store");
    res.set_header("Referrer-Policy", "no-referrer");
    res.set_redirect(cleanTarget(req), 303);
    return true;
}

std::optional<UserPageRoutes::Visitor> UserPageRoutes::visitor(const httplib::Request &req, httplib::Response &res)
{
    const auto session = m_tokens.visitor(cookieValue(req));
    if (!session) {
        HttpReplies::html(res, 403, HtmlPage::page("个人主页", "<h2>个人主页</h2><p>请先登录 Pennova，再从软件中打开此页。</p>"));
        return std::nullopt;
    }
    return Visitor{session->userId, session->userName};
}

void UserPageRoutes::page(const httplib::Request &req, httplib::Response &res)
{
    if (exchange(req, res))
        return;
    const auto who = visitor(req, res);
    if (!who)
        return;
    const std::string d = req.get_param_value("d");
    const std::string self = Path;
    std::string body = "<p class=\"nav\"><a href=\"" + HtmlPage::escape(self) + "\">个人主页</a> | <a href=\""
                       + HtmlPage::escape(self + "?d=1") + "\">个人词库</a> | <a href=\""
                       + HtmlPage::escape(self + "?d=2") + "\">纠错历史</a> | <a href=\""
                       + HtmlPage::escape(self + "?d=3") + "\">意见反馈</a></p>";
    int status = 200;
    std::string title = "个人主页";
    if (d == "1") {
        title = "个人词库";
        body += wordListPage(*who, req, &status);
    } else if (d == "2") {
        title = "纠错历史";
        body += historyPage(*who);
    } else if (d == "3") {
        title = "意见反馈";
        body += feedbackPage(*who, req, &status);
    } else {
        body += "<h2>" + HtmlPage::escape(who->name) + " 的个人主页</h2><p>个人词库中有 "
                + std::to_string(m_context.words.count(who->userId)) + " 个单词。</p>";
    }
    HttpReplies::html(res, status, HtmlPage::page(title, body));
}

std::string UserPageRoutes::wordListPage(const Visitor &who, const httplib::Request &req, int *status)
{
    const std::string action = std::string(Path) + "?d=1";
    std::string notice;
    if (req.method == "POST") {
        const auto fields = formFields(req.body);
        const std::string op = field(fields, "action");
        const std::string word = field(fields, "word");
        if ((op != "add" && op != "remove") || !WordListStore::acceptable(word)) {
            *status = 400;
            notice = message("单词须为 1 到 " + std::to_string(WordListStore::MaxWordChars) + " 个字符，且不含分号。", true);
        } else if (op == "remove") {
            m_context.words.remove(who.userId, {word});
            notice = message("已从词库中删除：" + word, false);
        } else if (m_context.words.add(who.userId, {word}) == WordListStore::AddResult::TooMany) {
            *status = 413;
            notice = message("词库已满（最多 " + std::to_string(WordListStore::MaxWordsPerUser) + " 个单词），未加入：" + word, true);
        } else {
            notice = message("已加入词库：" + word, false);
        }
    }
    const std::vector<std::string> words = m_context.words.words(who.userId);
    std::string html = "<h2>" + HtmlPage::escape(who.name) + " 的个人词库</h2>" + notice + "<p>共 "
                       + std::to_string(words.size()) + " 个单词（最多 " + std::to_string(WordListStore::MaxWordsPerUser)
                       + " 个）。词库中的单词检查时不再标为拼写错误。</p>"
                       + hiddenForm(action,
                                    "<input type=\"hidden\" name=\"action\" value=\"add\">"
                                    "<input name=\"word\" maxlength=\"" + std::to_string(WordListStore::MaxWordChars)
                                        + "\" placeholder=\"新单词\"> ",
                                    "加入");
    if (words.empty())
        return html + "<p>词库中还没有单词。</p>";
    html += "<table><tr><th>单词</th><th></th></tr>";
    for (const std::string &word : words) {
        html += "<tr><td>" + HtmlPage::escape(word) + "</td><td>"
                + hiddenForm(action,
                             "<input type=\"hidden\" name=\"action\" value=\"remove\">"
                             "<input type=\"hidden\" name=\"word\" value=\"" + HtmlPage::escape(word) + "\">",
                             "删除")
                + "</td></tr>";
    }
    return html + "</table>";
}

std::string UserPageRoutes::historyPage(const Visitor &who)
{
    const auto corrections = m_context.usage.corrections(who.userId);
    std::string html = "<h2>" + HtmlPage::escape(who.name) + " 的纠错历史</h2>";
    if (corrections.empty())
        return html + "<p>还没有纠错记录。</p>";
    html += "<table><tr><th>原文</th><th>改为</th><th>次数</th></tr>";
    for (const UsageLogStore::Correction &c : corrections) {
        html += "<tr><td>" + HtmlPage::escape(c.found) + "</td><td>" + HtmlPage::escape(c.replacement) + "</td><td>"
                + std::to_string(c.count) + "</td></tr>";
    }
    return html + "</table>";
}

std::string UserPageRoutes::feedbackPage(const Visitor &who, const httplib::Request &req, int *status)
{
    std::string notice;
    std::string text;
    std::string contact;
    if (req.method == "POST") {
        const auto fields = formFields(req.body);
        text = field(fields, "content");
        contact = field(fields, "contact");
        const bool fits = !text.empty() && text.size() <= FeedbackStore::MaxTextBytes && Utf8Text::valid(text)
                          && Utf8Text::printable(contact, FeedbackStore::MaxContactBytes);
        if (!fits) {
            *status = 400;
            notice = message("反馈内容不能为空，最多 " + std::to_string(FeedbackStore::MaxTextBytes)
                                 + " 字节；联系方式最多 " + std::to_string(FeedbackStore::MaxContactBytes) + " 字节。",
                             true);
        } else {
            m_feedback.add(who.userId, {text, contact, std::int64_t(std::time(nullptr))});
            notice = message("感谢您的反馈！", false);
            text.clear();
            contact.clear();
        }
    }
    // What the user wrote comes back into the form when it was refused, so nothing is lost.
    if (!Utf8Text::valid(text))
        text.clear();
    if (!Utf8Text::valid(contact))
        contact.clear();
    return "<h2>意见反馈</h2>" + notice
           + hiddenForm(std::string(Path) + "?d=3",
                        "<p><textarea name=\"content\" rows=\"8\" cols=\"60\">" + HtmlPage::escape(text)
                            + "</textarea></p><p>联系方式（可选）：<input name=\"contact\" value=\"" + HtmlPage::escape(contact)
                            + "\"></p>",
                        "提交");
}

} // namespace PennovaServer
