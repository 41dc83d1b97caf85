#include "synonym.h"
#include "support/streamserver.h"

#include <QSignalSpy>
#include <QTest>

#include <json/json.h>

using namespace ZeltraLib;

class TestSynonym : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void requestBody_data();
    void requestBody();
    void parseReply_data();
    void parseReply();
    void roundTrip_data();
    void roundTrip();
};

void TestSynonym::requestBody_data()
{
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("plain sentence") << QStringLiteral("It is a big house.") << 8 << 11
                                    << QByteArray(R"({"sent":"It is a big house.","start":8,"end":11})");
    QTest::newRow("quotes and backslash escaped") << QStringLiteral("He said \"big\" \\ small.") << 9 << 12
                                                  << QByteArray(R"({"sent":"He said \"big\" \\ small.","start":9,"end":12})");
    QTest::newRow("newline, tab and control characters escaped") << QStringLiteral("a\nb\tc") + QChar(1) << 0 << 1
                                                                 << QByteArray("{\"sent\":\"a\\nb\\tc\\u0001\",\"start\":0,\"end\":1}");
    QTest::newRow("chinese text as utf-8") << QStringLiteral("我们 have a big house.") << 10 << 13
                                           << (QStringLiteral(R"({"sent":"我们 have a big house.","start":10,"end":13})").toUtf8());
}

void TestSynonym::requestBody()
{
    QFETCH(QString, sentence);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QByteArray, body);
    const QByteArray got = Synonym::requestBody(sentence, start, end);
    QCOMPARE(got, body);
    // Valid JSON that gives the sentence back unchanged.
    Json::Value parsed;
    QVERIFY(Json::Reader().parse(got.constData(), got.constData() + got.size(), parsed));
    QCOMPARE(QString::fromStdString(parsed["sent"].asString()), sentence);
    QCOMPARE(parsed["start"].asInt(), start);
    QCOMPARE(parsed["end"].asInt(), end);
}

void TestSynonym::parseReply_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("three strings in order") << QByteArray(R"(["large","huge","vast"])")
                                            << QStringList{ "large", "huge", "vast" };
    QTest::newRow("exactly 10 characters is empty") << QByteArray(R"(["abcdef"])") << QStringList{};
    QTest::newRow("11 characters is one word") << QByteArray(R"(["abcdefg"])") << QStringList{ "abcdefg" };
    QTest::newRow("10 chinese characters are 10, not 22 bytes")
        << QStringLiteral(R"(["中文词语组合"])").toUtf8() << QStringList{};
    QTest::newRow("chinese words") << QStringLiteral(R"(["巨大的","宽敞"])").toUtf8()
                                   << QStringList{ QStringLiteral("巨大的"), QStringLiteral("宽敞") };
    QTest::newRow("empty parts kept") << QByteArray(R"(["big","","large"])") << QStringList{ "big", "", "large" };
    QTest::newRow("empty array") << QByteArray("[]") << QStringList{};
    QTest::newRow("empty body") << QByteArray() << QStringList{};
    QTest::newRow("long garbage without brackets") << QByteArray("service unavailable") << QStringList{};
    QTest::newRow("closing bracket first") << QByteArray("]\"big\",\"large\"[") << QStringList{};
    QTest::newRow("truncated array") << QByteArray("[\"large\",\"hu") << QStringList{};
}

void TestSynonym::parseReply()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, words);
    QCOMPARE(Synonym::parseReply(body), words);
}

void TestSynonym::roundTrip_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("answer") << 200 << QByteArray(R"(["large","huge","vast"])") << QStringList{ "large", "huge", "vast" };
    QTest::newRow("server error gives nothing") << 500 << QByteArray(R"(["large","huge","vast"])") << QStringList{};
    QTest::newRow("unreachable gives nothing") << 0 << QByteArray() << QStringList{};
    QTest::newRow("oversized answer gives nothing")
        << 200 << ("[\"" + QByteArray(Synonym::MaxBodyBytes + 16, 'a') + "\"]") << QStringList{};
}

void TestSynonym::roundTrip()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QStringList, words);
    StreamServer server;
    const QString host = status == 0 ? StreamServer::refusedHost() : server.host();
    server.enqueue(StreamServer::whole(body, status));
    Synonym synonym(host);
    QCOMPARE(synonym.url(), QStringLiteral("http://") + host + QStringLiteral("/syms/"));
    QSignalSpy spy(&synonym, &Synonym::signalResult);
    synonym.request(QStringLiteral("It is a \"big\" house."), 9, 12);
    QVERIFY(spy.wait());
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.at(0).at(0).toStringList(), words);
    if (status != 0) {
        const StreamServer::Request &got = server.requests().at(0);
        QCOMPARE(got.method, QByteArray("POST"));
        QCOMPARE(got.path, QByteArray("/syms/"));
        QCOMPARE(got.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
        const QByteArray expected = R"({"sent":"It is a \"big\" house.","start":9,"end":12})";
        QCOMPARE(got.body, expected);
    }
}

QTEST_GUILESS_MAIN(TestSynonym)
#include "tst_synonym.moc"
