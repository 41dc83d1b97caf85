// Web pages, pictures, social sign-in and version queries through real HTTP on loopback.

#include "support/testserver.h"

#include <QtTest>

#include <QDir>
#include <QFile>

class TestServerPages : public QObject
{
    Q_OBJECT

private:
    void writeFile(const QString &relative, const QByteArray &data)
    {
        const QString path = QString::fromStdString(m_server.dataDir()) + "/" + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(data);
    }

    // What the sign-in window does with the final page: split at "|", part 0 ends with
    // "Success", part 1 the key, part 2 the name before ";".
    static bool signedIn(const std::string &page, std::string *key, std::string *name)
    {
        const QStringList p = QString::fromStdString(page).split(QLatin1Char('|'));
        if (p.size() < 3 || !p[0].endsWith(QLatin1String("Success")))
            return false;
        *key = p[1].toStdString();
        *name = p[2].split(QLatin1Char(';')).first().toStdString();
        return true;
    }

    TestServer m_server;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
    }

    void pages_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("contains");
        QTest::newRow("home") << "/" << 200 << "Pennova";
        QTest::newRow("download") << "/Download/" << 200 << "下载";
        QTest::newRow("service test page") << "/test.htm" << 200 << "运行正常";
        QTest::newRow("user agreement") << "/Info/UserAgreement" << 200 << "用户协议";
        QTest::newRow("forgot password echoes the name escaped")
            << "/ForgetPassword/fromtessel?u=%3Cb%3Ebob%3C%2Fb%3E" << 200 << "&lt;b&gt;bob&lt;/b&gt;";
        QTest::newRow("unknown page") << "/no/such/page" << 404 << "页面不存在";
        // The client writes these paths in mixed case; they match in any case.
        QTest::newRow("download in lower case") << "/download" << 200 << "下载";
        QTest::newRow("info page in lower case") << "/info/privacystatement" << 200 << "隐私声明";
        QTest::newRow("forgot password as written") << "/ForgetPassword/FromTessel?u=bob" << 200 << "找回密码";
        QTest::newRow("help centre") << "/Help" << 200 << "帮助中心";
        QTest::newRow("help centre in lower case") << "/help/" << 200 << "href=\"/Help/Check\"";
        QTest::newRow("video page says there are none") << "/Help/Index1" << 200 << "没有提供视频教程";
        QTest::newRow("video page points to the help") << "/help/index1" << 200 << "href=\"/Help/Guide\"";
        QTest::newRow("help on checking") << "/Help/Check" << 200 << "全部改正";
        QTest::newRow("help on polishing") << "/Help/Polish" << 200 << "润色程度";
        QTest::newRow("help on the writing guide") << "/Help/Guide" << 200 << "导出";
        QTest::newRow("help on the dictionary") << "/Help/Dictionary" << 200 << "发音";
        QTest::newRow("help on the word list") << "/Help/WordList" << 200 << "我的词库";
        QTest::newRow("help on documents") << "/HELP/DOCUMENTS" << 200 << "Ctrl+O";
        QTest::newRow("help on preferences") << "/Help/Preferences" << 200 << "软件升级";
        QTest::newRow("unknown help topic") << "/Help/Nothing" << 404 << "页面不存在";
        QTest::newRow("a path that only resembles a route") << "/Help/Check.x" << 404 << "页面不存在";
        QTest::newRow("sign-in form") << "/LoginBySina.ashx?area=tessel" << 200 << "action=\"/loginedbysina.ashx\"";
        QTest::newRow("qq sign-in form") << "/LoginByQQ.ashx?area=tessel" << 200 << "action=\"/loginedbyqq.ashx\"";
        QTest::newRow("sign-in form echoes the nick escaped")
            << "/LoginByQQ.ashx?area=tessel&error=1&nick=%22%3E%3Cscript%3E" << 200 << "&quot;&gt;&lt;script&gt;";
    }

    void pages()
    {
        QFETCH(QString, path);
        QFETCH(int, status);
        QFETCH(QString, contains);
        const auto res = m_server.get(path.toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, status);
        QVERIFY2(QString::fromStdString(res->body).contains(contains), res->body.c_str());
        QVERIFY(!QString::fromStdString(res->body).contains(QLatin1String("<script>")));
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("login picture") << QStringLiteral("login_pic.png");
        QTest::newRow("registration picture") << QStringLiteral("register_com.png");
    }

    void pictures()
    {
        QFETCH(QString, name);
        auto res = m_server.get("/images/" + name.toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        QCOMPARE(res->get_header_value("Content-Type"), std::string("image/png"));
        QVERIFY(res->body.rfind("\x89PNG\r\n\x1a\n", 0) == 0);
        // A deployment's own picture wins.
        const QByteArray own = QByteArray("\x89PNG\r\n\x1a\n") + name.toUtf8();
        writeFile("images/" + name, own);
        res = m_server.get("/images/" + name.toStdString());
        QVERIFY(res);
        QCOMPARE(QByteArray::fromStdString(res->body), own);
    }

    void socialSignIn()
    {
        auto client = m_server.client();
        const httplib::Params form{{"nick", "小明_01"}, {"password", "secret1"}};
        auto res = client.Post("/loginedbysina.ashx", form);
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        std::string key;
        std::string name;
        QVERIFY2(signedIn(res->body, &key, &name), res->body.c_str());
        QCOMPARE(QString::fromStdString(name), QStringLiteral("sina_小明_01"));
        const auto activated = m_server.post("/ActivateSession-new.ashx", "sessionKey=" + key);
        QVERIFY(activated);
        QCOMPARE(activated->body, std::string("Success||"));

        // The second time the password must match.
        res = client.Post("/loginedbysina.ashx", httplib::Params{{"nick", "小明_01"}, {"password", "secret1"}});
        QVERIFY(res && signedIn(res->body, &key, &name));
        res = client.Post("/loginedbysina.ashx", httplib::Params{{"nick", "小明_01"}, {"password", "wrong11"}});
        QVERIFY(res);
        QCOMPARE(res->status, 303);
        QVERIFY(res->get_header_value("Location").rfind("/LoginBySina.ashx?area=tessel&error=3", 0) == 0);

        // The same nick through QQ is another account.
        res = client.Post("/loginedbyqq.ashx", httplib::Params{{"nick", "小明_01"}, {"password", "other12"}});
        QVERIFY(res && signedIn(res->body, &key, &name));
        QCOMPARE(QString::fromStdString(name), QStringLiteral("qq_小明_01"));
    }

    void socialSignInRefusals_data()
    {
        QTest::addColumn<QString>("nick");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("error");
        QTest::newRow("markup in the nick") << "<b>x</b>" << "secret1" << "1";
        QTest::newRow("sql-looking nick") << "x' OR '1'='1" << "secret1" << "1";
        QTest::newRow("one letter") << "x" << "secret1" << "1";
        QTest::newRow("short password") << "zhang" << "12345" << "2";
    }

    void socialSignInRefusals()
    {
        QFETCH(QString, nick);
        QFETCH(QString, password);
        QFETCH(QString, error);
        auto client = m_server.client();
        const auto res = client.Post("/loginedbyqq.ashx",
                                     httplib::Params{{"nick", nick.toStdString()}, {"password", password.toStdString()}});
        QVERIFY(res);
        QCOMPARE(res->status, 303);
        QVERIFY(QString::fromStdString(res->get_header_value("Location")).contains("error=" + error));
        std::string key;
        std::string name;
        QVERIFY(!signedIn(res->body, &key, &name));
    }

    void finalPageWithoutTheFormHasNoSession()
    {
        const auto res = m_server.get("/loginedbyqq.ashx");
        QVERIFY(res);
        std::string key;
        std::string name;
        QVERIFY(!signedIn(res->body, &key, &name));
    }

    void latestVersionSeededAsNoUpdate()
    {
        // Nothing published: version 0, which no client takes for an update (a seeded
        // version without files offered a broken update on every start).
        auto res = m_server.get("/GetTesselFileList.ashx");
        QVERIFY(res);
        QCOMPARE(res->body, std::string("0||||0"));
        res = m_server.post("/GetTesselFileList.ashx", "version=0");
        QVERIFY(res);
        QCOMPARE(res->body, std::string());
        res = m_server.post("/GetTesselFileList.ashx", "versio=930");
        QVERIFY(res);
        QCOMPARE(res->status, 400);
    }

    void brokenReleaseIsNoUpdate_data()
    {
        QTest::addColumn<QByteArray>("latest");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("7") << QByteArray("not json at all");
        QTest::newRow("truncated") << QByteArray("7") << QByteArray("{\"versionId\":7,\"lowestVer");
        QTest::newRow("id as text") << QByteArray("7") << QByteArray("{\"versionId\":\"7\",\"lowestVersionId\":1,\"files\":[]}");
        QTest::newRow("another version's file") << QByteArray("7") << QByteArray("{\"versionId\":8,\"lowestVersionId\":1,\"files\":[]}");
        QTest::newRow("unsafe file name") << QByteArray("7") << QByteArray("{\"versionId\":7,\"lowestVersionId\":1,\"files\":"
            "[{\"name\":\"..\",\"folder\":\"\",\"version\":7,\"sha256\":\"" + QByteArray(64, 'a') + "\"}]}");
        QTest::newRow("pointer garbage") << QByteArray("\x01x") << QByteArray("{}");
        QTest::newRow("oversized") << QByteArray("7") << QByteArray(5 * 1024 * 1024, ' ');
    }

    void brokenReleaseIsNoUpdate()
    {
        QFETCH(QByteArray, latest);
        QFETCH(QByteArray, content);
        writeFile("releases/latest", latest);
        writeFile("releases/7.json", content);
        const auto res = m_server.get("/GetTesselFileList.ashx");
        QVERIFY(res);
        QCOMPARE(res->body, std::string("0||||0"));
        QVERIFY(m_server.post("/GetTesselFileList.ashx", "version=7")->body.empty());
    }

    void updateFilesAreServedFromTheDataDirectoryOnly()
    {
        writeFile("update/Pennova", "program bytes");
        auto res = m_server.get("/update/Pennova");
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        QCOMPARE(res->body, std::string("program bytes"));
        res = m_server.get("/update/../pennova.db");
        QVERIFY(res);
        QVERIFY(res->status != 200);
        res = m_server.get("/update/%2e%2e/pennova.db");
        QVERIFY(res);
        QVERIFY(res->status != 200);
    }
};

QTEST_GUILESS_MAIN(TestServerPages)
#include "tst_serverpages.moc"
