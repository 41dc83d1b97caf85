#include "support/scriptedhttpserver.h"
#include "versionhelper.h"

#include <QSignalSpy>
#include <QTest>

using ZeltraLib::VersionHelper;

class TestVersionHelper : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void latestVersionIsSplitAtBars_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("five parts, empty ones kept")
            << QByteArray("930|0.9.3.0|<p>说明</p>||921") << 200
            << QStringList{"930", "0.9.3.0", "<p>说明</p>", "", "921"};
        QTest::newRow("empty body is an empty list") << QByteArray() << 200 << QStringList();
        QTest::newRow("server error is an empty list") << QByteArray("930||x||1") << 503 << QStringList();
        QTest::newRow("garbage is passed on as one part") << QByteArray("\x01\xff") << 200
                                                          << QStringList{QString::fromUtf8("\x01\xff")};
    }
    void latestVersionIsSplitAtBars()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QStringList, expected);
        ScriptedHttpServer server;
        server.setReply("/GetTesselFileList.ashx", body, status);
        VersionHelper helper(server.host());
        QSignalSpy spy(&helper, &VersionHelper::GetLastestVersionFinished);
        helper.OnGetLastestVersion();
        QVERIFY(spy.wait());
        QCOMPARE(spy.at(0).at(0).toStringList(), expected);
        // The blocking query reads the same reply.
        QCOMPARE(helper.getLatestVersionInBlock(), expected);
    }

    void fileListIsPostedForOneVersion()
    {
        ScriptedHttpServer server;
        server.setReply("/GetTesselFileList.ashx", "a|2|http://h/a||" + QByteArray(64, 'b') + ";b|2|u|sub|x");
        VersionHelper helper(server.host());
        QSignalSpy spy(&helper, &VersionHelper::GetVersionFileListFinished);
        helper.OnGetVersionFileList(QStringLiteral("930"));
        QVERIFY(spy.wait());
        QCOMPARE(spy.at(0).at(0).toStringList().size(), 2);
        QCOMPARE(server.requests().last().method, QByteArray("POST"));
        QCOMPARE(server.bodies("/GetTesselFileList.ashx").last(), QByteArray("version=930"));
    }

    void silentServerEndsTheBlockingQueryEmpty()
    {
        ScriptedHttpServer server;
        server.setHeld("/GetTesselFileList.ashx", true);
        VersionHelper helper(server.host());
        helper.setTimeOut(30);
        QCOMPARE(helper.getLatestVersionInBlock(), QStringList());
        QCOMPARE(server.count("/GetTesselFileList.ashx"), 1);
    }

    void oversizedReplyIsDropped()
    {
        ScriptedHttpServer server;
        server.setReply("/GetTesselFileList.ashx", QByteArray(VersionHelper::MaxReplyBytes + 10, '9'));
        VersionHelper helper(server.host());
        QCOMPARE(helper.getLatestVersionInBlock(), QStringList());
    }

    void unreachableServiceIsNoVersion()
    {
        VersionHelper helper(QStringLiteral("127.0.0.1:1"));
        QCOMPARE(helper.getLatestVersionInBlock(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestVersionHelper)
#include "tst_versionhelper.moc"
