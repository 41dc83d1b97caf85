#include "configstore.h"
#include "refusedupdate.h"
#include "support/scriptedhttpserver.h"
#include "startupupdate.h"
#include "versionfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(StartupUpdate)

class TestStartupUpdate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void updateTypeSetting_data();
    void updateTypeSetting();
    void decision_data();
    void decision();
    void handOver_data();
    void handOver();
};

void TestStartupUpdate::updateTypeSetting_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("automatic") << "0" << 0;
    QTest::newRow("notify") << "1" << 1;
    QTest::newRow("mandatory only") << "2" << 2;
    QTest::newRow("empty reads the default") << "" << 1;
    QTest::newRow("garbage never installs unasked") << "auto" << 1;
    QTest::newRow("overflowing number never installs unasked") << "99999999999999999999" << 1;
    QTest::newRow("negative is a number") << "-3" << -3;
    QTest::newRow("full-width digit is no number") << "０" << 1;
}

void TestStartupUpdate::updateTypeSetting()
{
    QFETCH(QString, stored);
    QFETCH(int, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ConfigStore store(dir.path(), "p.ini");
    store.setValue("update_type", "1");
    store.setValue("update_type", stored);
    QCOMPARE(startupUpdateType(store), expected);
}

void TestStartupUpdate::decision_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("mandatory");
    QTest::addColumn<int>("updateType");
    QTest::addColumn<StartupUpdate>("expected");

    QTest::newRow("no update") << false << false << 0 << StartupUpdate::None;
    QTest::newRow("no update, even if flagged mandatory") << false << true << 0 << StartupUpdate::None;
    QTest::newRow("mandatory beats notify") << true << true << 1 << StartupUpdate::RunMandatory;
    QTest::newRow("mandatory beats notify-only") << true << true << 2 << StartupUpdate::RunMandatory;
    QTest::newRow("automatic installs") << true << false << 0 << StartupUpdate::RunAutomatic;
    QTest::newRow("notify offers at login") << true << false << 1 << StartupUpdate::OfferAtLogin;
    QTest::newRow("notify-only stays quiet") << true << false << 2 << StartupUpdate::None;
    QTest::newRow("unknown type stays quiet") << true << false << 9 << StartupUpdate::None;
}

void TestStartupUpdate::decision()
{
    QFETCH(bool, exists);
    QFETCH(bool, mandatory);
    QFETCH(int, updateType);
    QFETCH(StartupUpdate, expected);
    QCOMPARE(decideStartupUpdate(exists, mandatory, updateType), expected);
}

void TestStartupUpdate::handOver_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("installed"); // -1: no ver.dat
    QTest::addColumn<QString>("updateType");
    QTest::addColumn<StartupUpdate>("expected");
    QTest::addColumn<QString>("mode"); // the updater's argument, empty = not started
    QTest::addColumn<int>("refused");  // the version the updater refused before, 0: none
    const QByteArray reply = "125|1.2.5|<p>notes</p>||110";
    QTest::newRow("automatic") << reply << 120 << "0" << StartupUpdate::RunAutomatic << "2" << 0;
    QTest::newRow("mandatory whatever the type") << reply << 100 << "2" << StartupUpdate::RunMandatory << "5" << 0;
    QTest::newRow("no ver.dat is below the lowest") << reply << -1 << "1" << StartupUpdate::RunMandatory << "5" << 0;
    QTest::newRow("notify: the login offers it") << reply << 120 << "1" << StartupUpdate::OfferAtLogin << "" << 0;
    QTest::newRow("notify only: quiet") << reply << 120 << "2" << StartupUpdate::None << "" << 0;
    QTest::newRow("current") << reply << 125 << "0" << StartupUpdate::None << "" << 0;
    QTest::newRow("four parts are no update") << QByteArray("999|||") << 1 << "0" << StartupUpdate::None << "" << 0;
    QTest::newRow("garbage lowest id") << QByteArray("999||||x") << 1 << "0" << StartupUpdate::None << "" << 0;
    QTest::newRow("nothing published") << QByteArray("0||||0") << -1 << "0" << StartupUpdate::None << "" << 0;
    QTest::newRow("no answer") << QByteArray() << 1 << "0" << StartupUpdate::None << "" << 0;
    QTest::newRow("refused before: not offered again") << reply << 120 << "1" << StartupUpdate::None << "" << 125;
    QTest::newRow("refused before, mandatory: not started again") << reply << 100 << "2" << StartupUpdate::None << "" << 125;
    QTest::newRow("a newer version than the refused one") << reply << 120 << "0" << StartupUpdate::RunAutomatic << "2" << 124;
    QTest::newRow("garbage in the refused record") << reply << 120 << "1" << StartupUpdate::OfferAtLogin << "" << -1;
}

void TestStartupUpdate::handOver()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, installed);
    QFETCH(QString, updateType);
    QFETCH(StartupUpdate, expected);
    QFETCH(QString, mode);
    QFETCH(int, refused);
    ScriptedHttpServer server;
    server.setReply("/GetTesselFileList.ashx", reply);
    QTemporaryDir dir;
    if (installed >= 0) {
        ZeltraLib::VersionFile file(ZeltraLib::VersionFile::defaultPath(dir.path()));
        file.setVersionId(installed);
        QVERIFY(file.save());
    }
    ConfigStore store(dir.path(), "p.ini");
    store.setValue("update_type", updateType);
    if (refused > 0)
        QVERIFY(RefusedUpdate::remember(dir.path(), refused));
    if (refused < 0) {
        QFile garbage(dir.filePath("update.ini"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("<config><refused_version>\x01zz</config");
    }
    QStringList started;
    const StartupUpdate decision =
        runStartupUpdate(store, dir.path(), server.host(), [&started](const QString &mode) { started << mode; });
    QCOMPARE(decision, expected);
    QCOMPARE(started, mode.isEmpty() ? QStringList() : QStringList{mode});
    QCOMPARE(server.count("/GetTesselFileList.ashx"), 1);
}

QTEST_GUILESS_MAIN(TestStartupUpdate)
#include "tst_startupupdate.moc"
