#include "servicehosts.h"

#include <QTest>

using namespace ZeltraLib;

class TestServiceHosts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resolve_data();
    void resolve();
};

void TestServiceHosts::resolve_data()
{
    QTest::addColumn<QByteArray>("all");
    QTest::addColumn<QByteArray>("own");
    QTest::addColumn<QString>("expected");
    const QString local = QStringLiteral("127.0.0.1:%1").arg(DefaultServicePort);
    QTest::newRow("defaults to the local services") << QByteArray() << QByteArray() << local;
    QTest::newRow("PENNOVA_HOST overrides") << QByteArray("example.org:80") << QByteArray()
                                            << QStringLiteral("example.org:80");
    QTest::newRow("own variable beats the common one")
        << QByteArray("example.org:80") << QByteArray("check.local:9000")
        << QStringLiteral("check.local:9000");
    QTest::newRow("blank values are ignored") << QByteArray("  ") << QByteArray(" ") << local;
}

void TestServiceHosts::resolve()
{
    QFETCH(QByteArray, all);
    QFETCH(QByteArray, own);
    QFETCH(QString, expected);
    qputenv("PENNOVA_HOST", all);
    qputenv("PENNOVA_CHECK_HOST", own);
    QCOMPARE(resolveServiceHost("CHECK"), expected);
    // A variable for another service never leaks into this one.
    qputenv("PENNOVA_CHECK_HOST", QByteArray());
    qputenv("PENNOVA_WEB_HOST", QByteArray("web.local:1"));
    QCOMPARE(resolveServiceHost("CHECK"), all.trimmed().isEmpty()
                 ? QStringLiteral("127.0.0.1:%1").arg(DefaultServicePort)
                 : QString::fromUtf8(all));
    qunsetenv("PENNOVA_WEB_HOST");
    qunsetenv("PENNOVA_HOST");
    qunsetenv("PENNOVA_CHECK_HOST");
}

QTEST_GUILESS_MAIN(TestServiceHosts)
#include "tst_servicehosts.moc"
