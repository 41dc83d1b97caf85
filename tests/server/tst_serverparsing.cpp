// The small parsers of the server: command line, form bodies, word counting and the
// per-minute word budget, HTML escaping.

#include "formbody.h"
#include "htmlpage.h"
#include "servercommandline.h"
#include "utf8text.h"
#include "wordbudget.h"

#include <QtTest>

using namespace PennovaServer;

class TestServerParsing : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("dataDir");
        const int serve = int(ServerCommandLine::Mode::Serve);
        const int invalid = int(ServerCommandLine::Mode::Invalid);
        const QString home = QStringLiteral("/home/t/.local/share/pennova-server");
        QTest::newRow("defaults") << QStringList{} << serve << "127.0.0.1" << 18640 << home;
        QTest::newRow("listen and data") << QStringList{"--listen", "0.0.0.0:8080", "--data", "/srv/p"} << serve
                                         << "0.0.0.0" << 8080 << "/srv/p";
        QTest::newRow("any free port") << QStringList{"--listen", "127.0.0.1:0"} << serve << "127.0.0.1" << 0 << home;
        QTest::newRow("ipv6 in brackets") << QStringList{"--listen", "[::1]:9000"} << serve << "::1" << 9000 << home;
        QTest::newRow("user add") << QStringList{"--data", "/d", "user", "add", "demo123", "d@e.com", "pw1234"}
                                  << int(ServerCommandLine::Mode::UserAdd) << "127.0.0.1" << 18640 << "/d";
        QTest::newRow("user passwd") << QStringList{"user", "passwd", "demo123", "pw1234"}
                                     << int(ServerCommandLine::Mode::UserPasswd) << "127.0.0.1" << 18640 << home;
        QTest::newRow("help") << QStringList{"--help"} << int(ServerCommandLine::Mode::Help) << "127.0.0.1" << 18640 << home;
        QTest::newRow("port out of range") << QStringList{"--listen", "127.0.0.1:70000"} << invalid << "" << 0 << "";
        QTest::newRow("port not a number") << QStringList{"--listen", "127.0.0.1:http"} << invalid << "" << 0 << "";
        QTest::newRow("no port") << QStringList{"--listen", "127.0.0.1"} << invalid << "" << 0 << "";
        QTest::newRow("option without value") << QStringList{"--data"} << invalid << "" << 0 << "";
        QTest::newRow("unknown option") << QStringList{"--colour", "red"} << invalid << "" << 0 << "";
        QTest::newRow("user add missing password") << QStringList{"user", "add", "demo123", "d@e.com"} << invalid << "" << 0 << "";
        QTest::newRow("unknown command") << QStringList{"serve"} << invalid << "" << 0 << "";
        QTest::newRow("lifetime zero") << QStringList{"--session-lifetime", "0"} << invalid << "" << 0 << "";
        QTest::newRow("zero threads") << QStringList{"--threads", "0"} << invalid << "" << 0 << "";
        QTest::newRow("release add") << QStringList{"--data", "/d", "release", "add", "dir", "--version", "3", "--notes", "n",
                                                    "--key", "k", "--public-key", "k.pub", "--lowest", "2"}
                                     << int(ServerCommandLine::Mode::ReleaseAdd) << "127.0.0.1" << 18640 << "/d";
        QTest::newRow("release add: a key without the clients' public key")
            << QStringList{"release", "add", "d", "--version", "3", "--notes", "n", "--key", "k"} << invalid << "" << 0 << "";
        QTest::newRow("release add without notes") << QStringList{"release", "add", "d", "--version", "3"} << invalid << "" << 0 << "";
        QTest::newRow("release lowest above version") << QStringList{"release", "add", "d", "--version", "3", "--notes", "n",
                                                                     "--lowest", "4"} << invalid << "" << 0 << "";
        QTest::newRow("public url without scheme") << QStringList{"--public-url", "h:1"} << invalid << "" << 0 << "";
        QTest::newRow("database not a postgresql url") << QStringList{"--database", "/var/db.sqlite"} << invalid << "" << 0 << "";
        QTest::newRow("no words per minute") << QStringList{"--words-per-minute", "0"} << invalid << "" << 0 << "";
        QTest::newRow("load data on first use") << QStringList{"--load-data", "first-use", "--data", "/d"} << serve
                                                << "127.0.0.1" << 18640 << "/d";
        QTest::newRow("load data: unknown moment") << QStringList{"--load-data", "later"} << invalid << "" << 0 << "";
        QTest::newRow("load data: empty") << QStringList{"--load-data", ""} << invalid << "" << 0 << "";
        QTest::newRow("rules check") << QStringList{"--data", "/d", "rules", "check", "a.rules"}
                                     << int(ServerCommandLine::Mode::RulesCheck) << "127.0.0.1" << 18640 << "/d";
        QTest::newRow("rules without check") << QStringList{"rules", "a.rules"} << invalid << "" << 0 << "";
        QTest::newRow("disable a rule") << QStringList{"--disable-rule", "phrases.in_nowadays"} << serve << "127.0.0.1"
                                        << 18640 << home;
        QTest::newRow("disable rule: no id") << QStringList{"--disable-rule", ""} << invalid << "" << 0 << "";
        QTest::newRow("disable rule: spaces") << QStringList{"--disable-rule", "a b"} << invalid << "" << 0 << "";
        QTest::newRow("registrations not a number") << QStringList{"--registrations-per-hour", "-1"} << invalid << "" << 0 << "";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, mode);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, dataDir);
        std::vector<std::string> args;
        for (const QString &a : arguments)
            args.push_back(a.toStdString());
        const ServerCommandLine line = ServerCommandLine::parse(args, "/home/t");
        QCOMPARE(int(line.mode), mode);
        if (line.mode == ServerCommandLine::Mode::Invalid) {
            QVERIFY(!line.error.empty());
            return;
        }
        QCOMPARE(QString::fromStdString(line.options.host), host);
        QCOMPARE(line.options.port, port);
        QCOMPARE(QString::fromStdString(line.options.dataDir), dataDir);
    }

    void sessionLifetimeOption()
    {
        const auto line = ServerCommandLine::parse({"--session-lifetime", "900", "--threads", "3", "--database",
                                                    "postgresql://pennova@db.school:5432/pennova", "--words-per-minute",
                                                    "500", "--registrations-per-hour", "0", "--database-connections", "4"},
                                                   "/h");
        QCOMPARE(int(line.mode), int(ServerCommandLine::Mode::Serve));
        QCOMPARE(line.options.sessionLifetimeSeconds, 900);
        QCOMPARE(line.options.threads, 3);
        QCOMPARE(line.options.database, std::string("postgresql://pennova@db.school:5432/pennova"));
        QCOMPARE(line.options.maxWordsPerMinute, 500);
        QCOMPARE(line.options.registrationsPerHour, 0);
        QCOMPARE(line.options.databaseConnections, 4);
        QVERIFY(ServerCommandLine::parse({}, "/h").options.database.empty()); // SQLite in the data folder
        QVERIFY(ServerCommandLine::parse({}, "/h").options.loadDataAtStart);
        QVERIFY(!ServerCommandLine::parse({"--load-data", "first-use"}, "/h").options.loadDataAtStart);
        QVERIFY(ServerCommandLine::parse({"--load-data", "first-use", "--load-data", "start"}, "/h").options.loadDataAtStart);
    }

    void disabledRulesRepeat()
    {
        const auto line = ServerCommandLine::parse({"--disable-rule", "a.one", "--data", "/d", "--disable-rule", "b.two"},
                                                   "/h");
        QCOMPARE(int(line.mode), int(ServerCommandLine::Mode::Serve));
        QCOMPARE(line.options.disabledRules, (std::vector<std::string>{"a.one", "b.two"}));
        QVERIFY(ServerCommandLine::parse({}, "/h").options.disabledRules.empty());
    }

    void formBody_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("tail");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain pair") << "userName=demo123&hashUserPassword=ABC" << "" << true << "hashUserPassword" << "ABC";
        QTest::newRow("plus stays a plus") << "e=a+b@example.com" << "" << true << "e" << "a+b@example.com";
        QTest::newRow("escaped percent") << "words=100%25;" << "" << true << "words" << "100%;";
        QTest::newRow("escaped ampersand") << "s=a %26 b" << "" << true << "s" << "a & b";
        QTest::newRow("escaped plus either case") << "e=a%2bb%2Bc@x.cn" << "" << true << "e" << "a+b+c@x.cn";
        QTest::newRow("escape decoded once") << "s=%2526" << "" << true << "s" << "%26";
        QTest::newRow("other percent sequences stay") << "s=%41%2z%" << "" << true << "s" << "%41%2z%";
        QTest::newRow("escapes in the tail field") << "sessionKey=K&data=50%25 & more" << "data" << true << "data" << "50% & more";
        QTest::newRow("chinese value") << "u=学生&e=x" << "" << true << "u" << "学生";
        QTest::newRow("equals inside a value") << "data=a=b" << "" << true << "data" << "a=b";
        QTest::newRow("first of two values") << "k=1&k=2" << "" << true << "k" << "1";
        QTest::newRow("empty body") << "" << "" << true << "k" << "";
        QTest::newRow("tail field keeps ampersands") << "sessionKey=K&data=[{\"s\":\"a & b\"}]" << "data" << true
                                                    << "data" << "[{\"s\":\"a & b\"}]";
        QTest::newRow("tail field keeps its own name") << "sessionKey=K&data=x&data=y" << "data" << true << "data" << "x&data=y";
        QTest::newRow("tail field first") << "words=a&b;" << "words" << true << "words" << "a&b;";
        QTest::newRow("fields before the tail") << "sessionKey=K&group=event&data=A:1;" << "data" << true << "group" << "event";
        QTest::newRow("pair without equals") << "garbage" << "" << false << "" << "";
        QTest::newRow("empty key") << "=value" << "" << false << "" << "";
        QTest::newRow("truncated pair") << "userName=demo&hashUser" << "" << false << "" << "";
    }

    void formBody()
    {
        QFETCH(QString, body);
        QFETCH(QString, tail);
        QFETCH(bool, valid);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const auto form = FormBody::parse(body.toStdString(), tail.toStdString());
        QCOMPARE(form.has_value(), valid);
        if (valid)
            QCOMPARE(QString::fromStdString(form->value(key.toStdString())), value);
    }

    void countWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("words");
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("simple sentence") << "This is a test." << 4;
        QTest::newRow("double spaces") << "a  b   c" << 3;
        QTest::newRow("punctuation alone is no word") << "Well , - ok !" << 2;
        QTest::newRow("chinese counts as one word per piece") << "我们 学习 English" << 3;
        QTest::newRow("chinese without spaces") << "我们学习英语。" << 1;
        QTest::newRow("tabs and newlines do not split") << "one\ttwo\nthree" << 1;
        QTest::newRow("apostrophes inside") << "don't stop" << 2;
        QTest::newRow("quotes around") << "\"quoted\" 'words'" << 2;
    }

    void countWords()
    {
        QFETCH(QString, text);
        QFETCH(int, words);
        QCOMPARE(WordBudget::countWords(text.toStdString()), words);
    }

    void utf8_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ascii") << QByteArray("plain text") << true;
        QTest::newRow("chinese") << QByteArray("学习英语") << true;
        QTest::newRow("emoji, four bytes") << QByteArray("ok \xf0\x9f\x98\x80") << true;
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("garbage bytes") << QByteArray("\xff\xfe\xfd") << false;
        QTest::newRow("truncated at the end") << QByteArray("ab\xe5\xad") << false;
        QTest::newRow("lone continuation byte") << QByteArray("a\x80" "b") << false;
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << false;
        QTest::newRow("overlong three bytes") << QByteArray("\xe0\x80\xaf") << false;
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << false;
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << false;
    }

    void utf8()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, valid);
        QCOMPARE(Utf8Text::valid(text.toStdString()), valid);
        QCOMPARE(Utf8Text::printable(text.toStdString(), 100), valid);
        QVERIFY(!Utf8Text::printable(text.toStdString() + "\t", 100));
    }

    void htmlEscape_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("markup") << "<script>alert('x')</script>" << "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;";
        QTest::newRow("attribute breakout") << "\" onload=\"x" << "&quot; onload=&quot;x";
        QTest::newRow("ampersand first") << "&lt;" << "&amp;lt;";
        QTest::newRow("chinese unchanged") << "学生 <b>" << "学生 &lt;b&gt;";
    }

    void htmlEscape()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QCOMPARE(QString::fromStdString(HtmlPage::escape(text.toStdString())), escaped);
    }
};

QTEST_GUILESS_MAIN(TestServerParsing)
#include "tst_serverparsing.moc"
