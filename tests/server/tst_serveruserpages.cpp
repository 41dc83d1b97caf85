// The user's own pages "/login/fromtessel": access, the word list with add and remove,
// the correction history and the stored feedback, through real HTTP on loopback.

#include "serverstorage.h"
#include "serviceserver.h"
#include "support/testserver.h"

#include <QtTest>

class TestServerUserPages : public QObject
{
    Q_OBJECT

private:
    std::string page(const std::string &d) const { return "/login/fromtessel?u=reader01&s=" + m_key + "&d=" + d; }
    httplib::Result postForm(const std::string &path, const std::string &body) const
    {
        return m_server.post(path, body, "application/x-www-form-urlencoded");
    }
    std::vector<std::string> words() { return m_server.server().storage().words().words(m_userId); }
    static bool has(const std::string &body, const std::string &text) { return body.find(text) != std::string::npos; }

    TestServer m_server;
    std::string m_key;
    std::int64_t m_userId = 0;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        QVERIFY(m_server.addUser("reader01", "r@example.com", "secret123"));
        QVERIFY(m_server.addUser("reader02", "r2@example.com", "secret123"));
        m_key = m_server.login("reader01", "secret123");
        QVERIFY(!m_key.empty());
        m_userId = m_server.server().storage().accounts().findByName("reader01")->id;
    }

    void onlyTheOwnerGetsIn_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("status");
        QTest::newRow("owner, word list") << "u=reader01&s=KEY&d=1" << 200;
        QTest::newRow("owner, name in other case") << "u=READER01&s=KEY&d=2" << 200;
        QTest::newRow("another user's name") << "u=reader02&s=KEY&d=1" << 403;
        QTest::newRow("unknown key") << "u=reader01&s=nope&d=1" << 403;
        QTest::newRow("no key") << "u=reader01&d=3" << 403;
        QTest::newRow("unknown page falls back to the personal page") << "u=reader01&s=KEY&d=99" << 200;
    }
    void onlyTheOwnerGetsIn()
    {
        QFETCH(QString, query);
        QFETCH(int, status);
        query.replace(QLatin1String("KEY"), QString::fromStdString(m_key));
        const auto get = m_server.get("/login/fromtessel?" + query.toStdString());
        QVERIFY(get);
        QCOMPARE(get->status, status);
        // A refused visitor sees no key and no form.
        QCOMPARE(has(get->body, m_key), status == 200);
        const auto post = postForm("/login/fromtessel?" + query.toStdString(), "action=remove&word=intruder");
        QVERIFY(post);
        QCOMPARE(post->status == 403, status == 403);
        if (status == 403)
            QVERIFY(!has(post->body, "intruder"));
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
        const auto res = postForm(page("1"), body.toStdString());
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
        const auto res = m_server.get(page("2"));
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
        const auto res = postForm(page("3"), body.toStdString());
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
