#include "support/scriptedhttpserver.h"
#include "usercountlog.h"

#include <QSignalSpy>
#include <QtTest>

using namespace ZeltraLib;

namespace {

const QByteArray ErrorLogPath = "/NotPublic/UserErrorLogBulkAdd.ashx";
const QByteArray CountPath = "/NotPublic/UserCountBulkAdd.ashx";
const QByteArray ChoosePath = "/NotPublic/UserChooseBulkAdd.ashx";

enum Operation { ErrorLog, Events, Choices, CheckCount };

} // namespace

Q_DECLARE_METATYPE(Operation)

class TestUserCountLog : public QObject
{
    Q_OBJECT
private slots:
    void baseUrl();
    void uploads_data();
    void uploads();
    void skippedUploads_data();
    void skippedUploads();
    void overlappingUploadsEachReport();
    void blockingUploadWaitsForTheReply();
    void nestedBlockingUploadWaitsForItsOwnReply();
    void failedUploadStillReports();
    void checkCountNames_data();
    void checkCountNames();

private:
    // Starts the operation; returns the spy of its Finished signal (null for the
    // check statistics, which have none).
    static QSignalSpy *run(UserCountLog &log, Operation op, const QString &session,
                           const QVariant &data, const QString &group);
};

QSignalSpy *TestUserCountLog::run(UserCountLog &log, Operation op, const QString &session,
                                  const QVariant &data, const QString &group)
{
    switch (op) {
    case ErrorLog: {
        auto *spy = new QSignalSpy(&log, &UserCountLog::AddUserErrorLogFinished);
        QList<UserCountLog::ErrorLogEntry> entries;
        const QStringList flat = data.toStringList();
        for (qsizetype i = 0; i + 1 < flat.size(); i += 2)
            entries.append({flat.at(i), flat.at(i + 1)});
        log.addUserErrorLog(session, entries);
        return spy;
    }
    case Events: {
        auto *spy = new QSignalSpy(&log, &UserCountLog::AddUserEventFinished);
        QMap<QString, int> counts;
        const QVariantMap map = data.toMap();
        for (auto it = map.constBegin(); it != map.constEnd(); ++it)
            counts.insert(it.key(), it.value().toInt());
        log.addUserEvent(session, counts, QStringLiteral("0.9.2.0"));
        return spy;
    }
    case Choices: {
        auto *spy = new QSignalSpy(&log, &UserCountLog::sinalAddIgnorDataFinished);
        const QStringList flat = data.toStringList();
        QList<WordChoice> choices;
        for (qsizetype i = 0; i + 3 < flat.size(); i += 4)
            choices.append({flat.at(i), flat.at(i + 1).toInt(), flat.at(i + 2).toInt(), flat.at(i + 3)});
        log.addIgnorData(session, choices);
        return spy;
    }
    case CheckCount: {
        QMap<int, int> counts;
        const QVariantMap map = data.toMap();
        for (auto it = map.constBegin(); it != map.constEnd(); ++it)
            counts.insert(it.key().toInt(), it.value().toInt());
        log.addCheckCount(session, group, counts);
        return nullptr;
    }
    }
    return nullptr;
}

void TestUserCountLog::baseUrl()
{
    UserCountLog log(QStringLiteral("accounts.example:8080"));
    QCOMPARE(log.baseUrl(), QStringLiteral("http://accounts.example:8080/NotPublic/"));
}

void TestUserCountLog::uploads_data()
{
    QTest::addColumn<Operation>("op");
    QTest::addColumn<QVariant>("data");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("error log, every entry ends with :1;")
        << ErrorLog << QVariant(QStringList{"teh", "the", "recieve", "receive"}) << QString()
        << ErrorLogPath << QByteArray("sessionKey=KEY-1&data=teh:the:1;recieve:receive:1;");
    QTest::newRow("error log, non-ASCII text as UTF-8, ampersand escaped")
        << ErrorLog << QVariant(QStringList{"café", "cafe & bar"}) << QString() << ErrorLogPath
        << QByteArray("sessionKey=KEY-1&data=caf\xc3\xa9:cafe %26 bar:1;");
    QTest::newRow("events in name order with counts")
        << Events << QVariant(QVariantMap{{"Tip_Go", 1}, {"Main_Check", 3}}) << QString() << CountPath
        << QByteArray("sessionKey=KEY-1&group=event&version=0.9.2.0&data=Main_Check:3;Tip_Go:1;");
    QTest::newRow("word choices as compact JSON with its newline")
        << Choices << QVariant(QStringList{"It is large.", "2", "5", "big"}) << QString() << ChoosePath
        << QByteArray("sessionKey=KEY-1&data=[{\"chooseWord\":\"big\",\"sentence\":\"It is large.\","
                      "\"wordIdx\":2,\"wordLength\":5}]\n");
    QTest::newRow("check group")
        << CheckCount << QVariant(QVariantMap{{"0", 12}, {"1", 230}}) << "check" << CountPath
        << QByteArray("sessionKey=KEY-1&group=check&data=SENTENSE:12;WORD:230;");
    QTest::newRow("level group keeps zero counts")
        << CheckCount
        << QVariant(QVariantMap{{"0", 40}, {"1", 0}, {"2", 3}, {"3", 0}, {"4", 1}, {"5", 2}})
        << "level" << CountPath
        << QByteArray("sessionKey=KEY-1&group=level&data=BASE:40;CET4:0;CET6:3;IELTS:0;TOEFL:1;GRE:2;");
    QTest::newRow("error group leaves out keys without a name")
        << CheckCount << QVariant(QVariantMap{{"1", 2}, {"4", 1}, {"7", 5}, {"8", 9}}) << "error"
        << CountPath << QByteArray("sessionKey=KEY-1&group=error&data=Nonword:2;Grammar:1;Other:5;");
}

void TestUserCountLog::uploads()
{
    QFETCH(Operation, op);
    QFETCH(QVariant, data);
    QFETCH(QString, group);
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, body);

    ScriptedHttpServer server;
    UserCountLog log(server.host());
    std::unique_ptr<QSignalSpy> spy(run(log, op, QStringLiteral("KEY-1"), data, group));
    QTRY_COMPARE(server.requests().size(), 1);
    const ScriptedHttpServer::Request &request = server.requests().first();
    QCOMPARE(request.method, QByteArray("POST"));
    QCOMPARE(request.path, path);
    QCOMPARE(request.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(request.body, body);
    if (spy) {
        QTRY_COMPARE(spy->count(), 1);
        QVERIFY(!spy->wait(50)); // once only
    }
}

void TestUserCountLog::skippedUploads_data()
{
    QTest::addColumn<Operation>("op");
    QTest::addColumn<QString>("session");
    QTest::addColumn<QVariant>("data");
    QTest::addColumn<QString>("group");

    QTest::newRow("error log without session") << ErrorLog << QString() << QVariant(QStringList{"a", "b"}) << QString();
    QTest::newRow("error log without entries") << ErrorLog << "KEY" << QVariant(QStringList()) << QString();
    QTest::newRow("events without session") << Events << QString() << QVariant(QVariantMap{{"Main_Check", 1}}) << QString();
    QTest::newRow("events without counts") << Events << "KEY" << QVariant(QVariantMap()) << QString();
    QTest::newRow("check counts without session") << CheckCount << QString() << QVariant(QVariantMap{{"0", 1}}) << "check";
    QTest::newRow("check counts without data") << CheckCount << "KEY" << QVariant(QVariantMap()) << "check";
    QTest::newRow("check counts of an unknown group") << CheckCount << "KEY" << QVariant(QVariantMap{{"0", 1}}) << "nosuch";
    QTest::newRow("check counts with only unnamed keys") << CheckCount << "KEY" << QVariant(QVariantMap{{"9", 1}}) << "error";
}

void TestUserCountLog::skippedUploads()
{
    QFETCH(Operation, op);
    QFETCH(QString, session);
    QFETCH(QVariant, data);
    QFETCH(QString, group);

    ScriptedHttpServer server;
    UserCountLog log(server.host());
    std::unique_ptr<QSignalSpy> spy(run(log, op, session, data, group));
    // A marker upload made afterwards is the only request that arrives.
    QSignalSpy marker(&log, &UserCountLog::sinalAddIgnorDataFinished);
    log.addIgnorData(QStringLiteral("MARK"), {{QStringLiteral("s"), 0, 1, QStringLiteral("w")}});
    QVERIFY(marker.wait());
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(server.requests().first().path, ChoosePath);
    if (spy)
        QCOMPARE(spy->count(), 0);
}

void TestUserCountLog::overlappingUploadsEachReport()
{
    ScriptedHttpServer server;
    server.setHeld(CountPath, true);
    UserCountLog log(server.host());
    QSignalSpy spy(&log, &UserCountLog::AddUserEventFinished);
    log.addUserEvent(QStringLiteral("K"), {{QStringLiteral("Main_Check"), 1}}, QStringLiteral("v"));
    log.addUserEvent(QStringLiteral("K"), {{QStringLiteral("Main_Next"), 2}}, QStringLiteral("v"));
    QTRY_COMPARE(server.count(CountPath), 2);
    QCOMPARE(spy.count(), 0);
    server.release(CountPath);
    QTRY_COMPARE(spy.count(), 2);
    QVERIFY(!spy.wait(50));
}

void TestUserCountLog::blockingUploadWaitsForTheReply()
{
    ScriptedHttpServer server;
    server.setHeld(CountPath, true);
    // The server answers only while the call waits: the call must keep events running.
    connect(&server, &ScriptedHttpServer::requestReceived, &server,
            [&server](const QByteArray &path) { server.release(path); });
    UserCountLog log(server.host());
    QSignalSpy spy(&log, &UserCountLog::AddUserEventFinished);
    log.addUserEventInBlock(AnonymousSessionKey, {{QStringLiteral("Login_Login"), 2}},
                            QStringLiteral("0.9.2.0"));
    QCOMPARE(server.count(CountPath), 1);
    QCOMPARE(server.requests().first().body,
             QByteArray("sessionKey=5206-5206&group=event&version=0.9.2.0&data=Login_Login:2;"));
    QCOMPARE(spy.count(), 0);
}

void TestUserCountLog::nestedBlockingUploadWaitsForItsOwnReply()
{
    ScriptedHttpServer server;
    server.setHeld(CountPath, true);
    UserCountLog log(server.host());
    int requestsSeenByInnerCall = -1;
    connect(&server, &ScriptedHttpServer::requestReceived, &server, [&](const QByteArray &path) {
        if (server.count(path) == 1) {
            // While the first upload waits, a second one is made and must wait too
            // (made from the event loop, not from inside the server's socket handler).
            QTimer::singleShot(0, &server, [&] {
                log.addUserEventInBlock(QStringLiteral("K"), {{QStringLiteral("Inner"), 1}},
                                        QStringLiteral("v"));
                requestsSeenByInnerCall = server.count(CountPath);
            });
        } else {
            server.release(path);
        }
    });
    log.addUserEventInBlock(QStringLiteral("K"), {{QStringLiteral("Outer"), 1}}, QStringLiteral("v"));
    QCOMPARE(requestsSeenByInnerCall, 2);
    QCOMPARE(server.count(CountPath), 2);
}

void TestUserCountLog::failedUploadStillReports()
{
    ScriptedHttpServer server;
    server.setReply(ErrorLogPath, "boom", 500);
    UserCountLog log(server.host());
    QSignalSpy spy(&log, &UserCountLog::AddUserErrorLogFinished);
    log.addUserErrorLog(QStringLiteral("K"), {{QStringLiteral("a"), QStringLiteral("b")}});
    QVERIFY(spy.wait());
    QCOMPARE(spy.count(), 1);

    // A refused connection reports as well.
    UserCountLog dead(QStringLiteral("127.0.0.1:1"));
    QSignalSpy deadSpy(&dead, &UserCountLog::sinalAddIgnorDataFinished);
    dead.addIgnorData(QStringLiteral("K"), {{QStringLiteral("s"), 0, 1, QStringLiteral("w")}});
    QVERIFY(deadSpy.wait());
}

void TestUserCountLog::checkCountNames_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("name");
    QTest::newRow("check 0") << "check" << 0 << "SENTENSE";
    QTest::newRow("check 1") << "check" << 1 << "WORD";
    QTest::newRow("check 2 has none") << "check" << 2 << "";
    QTest::newRow("error 0") << "error" << 0 << "Null";
    QTest::newRow("error 3") << "error" << 3 << "Mophology";
    QTest::newRow("error 6") << "error" << 6 << "Suggestion";
    QTest::newRow("error 8 has none") << "error" << 8 << "";
    QTest::newRow("level 0") << "level" << 0 << "BASE";
    QTest::newRow("level 5") << "level" << 5 << "GRE";
    QTest::newRow("negative key") << "level" << -1 << "";
    QTest::newRow("group case matters") << "Level" << 0 << "";
}

void TestUserCountLog::checkCountNames()
{
    QFETCH(QString, group);
    QFETCH(int, key);
    QFETCH(QString, name);
    QCOMPARE(UserCountLog::checkCountName(group, key), name);
}

QTEST_GUILESS_MAIN(TestUserCountLog)
#include "tst_usercountlog.moc"
