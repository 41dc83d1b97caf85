// The user's own pages "/login/fromtessel": the one-time token that becomes a page
// cookie, the old link with the session key, access, the word list with add and remove,
// the correction history and the stored feedback, through real HTTP on loopback.

#include "serverstorage.h"
#include "serviceserver.h"
#include "support/testserver.h"

#include <QtTest>

class TestServerUserPages : public QObject
{
    Q_OBJECT

private:
    // What the client does first: a one-time token for its session.
    httplib::Result tokenFor(const std::string &sessionKey) const
    {
        return m_server.post("/login/pagetoken", "s=" + sessionKey);
    }
    std::string token(const std::string &sessionKey) const
    {
        const auto res = tokenFor(sessionKey);
        return res && res->status == 200 ? res->body : std::string();
    }
    // The page cookie of a redirect ("name=value"), or empty.
    static std::string cookieOf(const httplib::Result &res)
    {
        const std::string header = res ? res->get_header_value("Set-Cookie") : std::string();
        return header.substr(0, header.find(';'));
    }
    // A browser that opened the word list through a fresh token: its cookie.
    std::string browserCookie(const std::string &sessionKey) const
    {
        return cookieOf(m_server.get("/login/fromtessel?t=" + token(sessionKey) + "&d=1"));
    }
    httplib::Result get(const std::string &path, const std::string &cookie) const
    {
        return m_server.client().Get(path.c_str(), {{"Cookie", cookie}});
    }
    httplib::Result postForm(const std::string &path, const std::string &body, const std::string &cookie) const
    {
        return m_server.client().Post(path.c_str(), {{"Cookie", cookie}}, body, "application/x-www-form-urlencoded");
    }
    std::string page(const std::string &d) const { return "/login/fromtessel?d=" + d; }
    std::vector<std::string> words() { return m_server.server().storage().words().words(m_userId); }
    static bool has(const std::string &body, const std::string &text) { return body.find(text) != std::string::npos; }

    TestServer m_server;
    std::string m_key;
    std::string m_cookie;
    std::int64_t m_userId = 0;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        QVERIFY(m_server.addUser("reader01", "r@example.com", "secret123"));
        QVERIFY(m_server.addUser("reader02", "r2@example.com", "secret123"));
        m_key = m_server.login("reader01", "secret123");
        QVERIFY(!m_key.empty());
        m_cookie = browserCookie(m_key);
        QVERIFY(!m_cookie.empty());
        m_userId = m_server.server().storage().accounts().findByName("reader01")->id;
    }

    void tokenWorksOnceAndLeavesNoSecretInTheUrl()
    {
        const std::string t = token(m_key);
        QCOMPARE(t.size(), std::size_t(32));
        const auto first = m_server.get("/login/fromtessel?t=" + t + "&d=3");
        QVERIFY(first);
        QCOMPARE(first->status, 303);
        QCOMPARE(first->get_header_value("Location"), std::string("/login/fromtessel?d=3"));
        const std::string setCookie = first->get_header_value("Set-Cookie");
        QVERIFY2(has(setCookie, "; HttpOnly") && has(setCookie, "; SameSite=Lax") && has(setCookie, "; Path=/login/fromtessel"),
                 setCookie.c_str());
        const std::string cookie = cookieOf(first);
        QVERIFY(!has(cookie, m_key) && !has(cookie, t));
        // The final page, opened with the cookie, is the user's and holds no secret.
        const auto landing = get(first->get_header_value("Location"), cookie);
        QVERIFY(landing);
        QCOMPARE(landing->status, 200);
        QVERIFY(has(landing->body, "意见反馈"));
        QVERIFY(!has(landing->body, m_key) && !has(landing->body, t) && !has(landing->body, cookie.substr(cookie.find('=') + 1)));
        // The second use of the same token is refused and sets no cookie.
        const auto second = m_server.get("/login/fromtessel?t=" + t + "&d=3");
        QVERIFY(second);
        QCOMPARE(second->status, 403);
        QVERIFY(!second->has_header("Set-Cookie"));
    }

    void tokenRefusals_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("status");
        QTest::newRow("unknown session key") << "s=00000000000000000000000000000000" << 403;
        QTest::newRow("no session key") << "u=reader01" << 400;
        QTest::newRow("garbage body") << "==&&" << 400;
    }
    void tokenRefusals()
    {
        QFETCH(QString, body);
        QFETCH(int, status);
        const auto res = m_server.post("/login/pagetoken", body.toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, status);
    }

    void spentTokens_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("unknown token") << "unknown";
        QTest::newRow("expired token") << "expired";
        QTest::newRow("session ended before the token was used") << "logout";
        QTest::newRow("token sent as a form post") << "post";
    }
    void spentTokens()
    {
        QFETCH(QString, how);
        const std::string key = m_server.login("reader01", "secret123");
        std::string t = token(key);
        QVERIFY(!t.empty());
        if (how == "unknown")
            t = "00000000000000000000000000000000";
        else if (how == "expired")
            m_server.advanceClock(121);
        else if (how == "logout")
            QVERIFY(m_server.server().storage().sessions().close(key));
        const auto res = how == "post" ? m_server.post("/login/fromtessel?t=" + t + "&d=1", "action=add&word=x")
                                       : m_server.get("/login/fromtessel?t=" + t + "&d=1");
        QVERIFY(res);
        QCOMPARE(res->status, 403);
        QVERIFY(!res->has_header("Set-Cookie"));
        QVERIFY(!has(res->body, "<form"));
    }

    void oldLinkIsExchangedOnce_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("location");
        QTest::newRow("the feedback link as the client writes it") << "/Login/FromTessel" << "reader01" << "/login/fromtessel?d=3";
        QTest::newRow("lower case, name in other case") << "/login/fromtessel" << "READER01" << "/login/fromtessel?d=3";
    }
    void oldLinkIsExchangedOnce()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QFETCH(QString, location);
        const std::string key = m_server.login("reader01", "secret123");
        const std::string link = path.toStdString() + "?u=" + name.toStdString() + "&s=" + key + "&d=3&jv=1.0";
        const auto first = m_server.get(link);
        QVERIFY(first);
        QCOMPARE(first->status, 303);
        QCOMPARE(QString::fromStdString(first->get_header_value("Location")), location);
        const auto page = get(location.toStdString(), cookieOf(first));
        QVERIFY(page);
        QCOMPARE(page->status, 200);
        QVERIFY(!has(page->body, key));
        const auto second = m_server.get(link);
        QVERIFY(second);
        QCOMPARE(second->status, 403);
        QVERIFY(!second->has_header("Set-Cookie"));
    }

    void onlyTheOwnerGetsIn_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("status");
        QTest::newRow("page cookie") << "cookie" << 200;
        QTest::newRow("no cookie") << "none" << 403;
        QTest::newRow("unknown cookie") << "unknown" << 403;
        QTest::newRow("the session key as cookie") << "key" << 403;
        QTest::newRow("another user's old link") << "other" << 403;
        QTest::newRow("oversized cookie header") << "oversized" << 403;
        QTest::newRow("cookie after the session ended") << "logout" << 403;
    }
    void onlyTheOwnerGetsIn()
    {
        QFETCH(QString, how);
        QFETCH(int, status);
        std::string cookie;
        std::string path = page("1");
        if (how == "cookie")
            cookie = m_cookie;
        else if (how == "unknown")
            cookie = "pennova_page=00000000000000000000000000000000";
        else if (how == "key")
            cookie = "pennova_page=" + m_key;
        else if (how == "other")
            path = "/login/fromtessel?u=reader02&s=" + m_key + "&d=1";
        else if (how == "oversized")
            cookie = "other=" + std::string(5000, 'a') + "; " + m_cookie;
        else if (how == "logout") {
            const std::string key = m_server.login("reader01", "secret123");
            cookie = browserCookie(key);
            QVERIFY(!cookie.empty());
            QVERIFY(m_server.server().storage().sessions().close(key));
        }
        const auto res = get(path, cookie);
        QVERIFY(res);
        QCOMPARE(res->status, status);
        QCOMPARE(has(res->body, "<form"), status == 200);
        const auto post = postForm(path, "action=add&word=intruder", cookie);
        QVERIFY(post);
        QCOMPARE(post->status, status);
        QCOMPARE(has(post->body, "intruder"), status == 200);
        if (status == 200)
            m_server.server().storage().words().remove(m_userId, {"intruder"});
    }

    void wordListAddAndRemove_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("add a chinese word") << QByteArray("action=add&word=%E5%8C%97%E4%BA%AC") << 200 << QStringList{"北京"};
        QTest::newRow("add markup") << QByteArray("action=add&word=%3Cb%3Ex%3C%2Fb%3E") << 200 << QStringList{"北京", "<b>x</b>"};
        QTest::newRow("adding again makes no duplicate") << QByteArray("action=add&word=%E5%8C%97%E4%BA%AC") << 200
                                                         << QStringList{"北京", "<b>x</b>"};
        QTest::newRow("remove") << QByteArray("action=remove&word=%E5%8C%97%E4%BA%AC") << 200 << QStringList{"<b>x</b>"};
        QTest::newRow("remove an absent word") << QByteArray("action=remove&word=ghost") << 200 << QStringList{"<b>x</b>"};
        QTest::newRow("overlong word") << "action=add&word=" + QByteArray(65, 'a') << 400 << QStringList{"<b>x</b>"};
        QTest::newRow("unknown action") << QByteArray("action=drop&word=x") << 400 << QStringList{"<b>x</b>"};
        QTest::newRow("garbage body") << QByteArray("%zz&&==&action") << 400 << QStringList{"<b>x</b>"};
        QTest::newRow("broken utf-8") << QByteArray("action=add&word=%E5%8C") << 400 << QStringList{"<b>x</b>"};
    }
    void wordListAddAndRemove()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QStringList, after);
        const auto res = postForm(page("1"), body.toStdString(), m_cookie);
        QVERIFY(res);
        QCOMPARE(res->status, status);
        QStringList stored;
        for (const std::string &word : words())
            stored << QString::fromStdString(word);
        QCOMPARE(stored, after);
        // Every word is listed escaped, never as markup.
        QCOMPARE(has(res->body, "&lt;b&gt;x&lt;/b&gt;"), after.contains(QStringLiteral("<b>x</b>")));
        QVERIFY(!has(res->body, "<b>x</b>"));
    }

    void historyIsEscaped()
    {
        m_server.server().storage().usage().addCorrections(m_userId, {{"teh", "<i>the</i>", 2}});
        const auto res = get(page("2"), m_cookie);
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        QVERIFY(has(res->body, "&lt;i&gt;the&lt;/i&gt;"));
        QVERIFY(!has(res->body, "<i>the</i>"));
    }

    void feedbackIsStored_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("stored");
        QTest::newRow("chinese feedback") << QByteArray("content=%E5%BE%88%E5%A5%BD+%3Cscript%3E&contact=me%40example.com") << 200 << 1;
        QTest::newRow("empty feedback") << QByteArray("content=&contact=x") << 400 << 1;
        QTest::newRow("oversized feedback") << "content=" + QByteArray(4001, 'a') << 400 << 1;
        QTest::newRow("control character in contact") << QByteArray("content=ok&contact=a%01b") << 400 << 1;
    }
    void feedbackIsStored()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(int, stored);
        const auto res = postForm(page("3"), body.toStdString(), m_cookie);
        QVERIFY(res);
        QCOMPARE(res->status, status);
        const auto entries = m_server.server().storage().feedback().entries(m_userId);
        QCOMPARE(int(entries.size()), stored);
        QCOMPARE(entries.front().text, std::string("很好 <script>"));
        QCOMPARE(entries.front().contact, std::string("me@example.com"));
        QVERIFY(!has(res->body, "<script>"));
        // A refused text comes back into the form, so the user loses nothing.
        if (QByteArray(QTest::currentDataTag()) == "oversized feedback")
            QVERIFY(has(res->body, std::string(4001, 'a')));
    }
};

QTEST_GUILESS_MAIN(TestServerUserPages)
#include "tst_serveruserpages.moc"
