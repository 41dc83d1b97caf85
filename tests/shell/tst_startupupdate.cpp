#include "configstore.h"
#include "startupupdate.h"

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

QTEST_GUILESS_MAIN(TestStartupUpdate)
#include "tst_startupupdate.moc"
