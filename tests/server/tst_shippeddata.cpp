#include "shippeddata.h"
#include "pennovapaths.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using PennovaChecker::ShippedData;

// The server's read-only data: beside an installed program, else in the source tree.
class TestShippedData : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void findsEachKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("sourceFolder");
        QTest::newRow("checker") << int(ShippedData::Checker) << "server/checker/data";
        QTest::newRow("dictionary") << int(ShippedData::Dictionary) << "server/dictionary/data";
        QTest::newRow("templates") << int(ShippedData::Templates) << "server/templates/data";
        QTest::newRow("assets") << int(ShippedData::Assets) << "server/assets";
    }
    void findsEachKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, sourceFolder);
        const auto k = ShippedData::Kind(kind);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const std::string program = root.filePath(QStringLiteral("usr/bin/pennova-server")).toStdString();

        // Not installed: the source tree, which holds the folder.
        const std::string source = ShippedData::folderFor(k, program);
        QCOMPARE(QString::fromStdString(source), QStringLiteral(PENNOVA_SOURCE_DIR "/") + sourceFolder);
        QVERIFY(QDir(QString::fromStdString(source)).exists());

        // Installed: PREFIX/share/pennova-server/<kind> wins.
        const QString installed =
            root.filePath(QStringLiteral("usr/share/pennova-server/") + QLatin1String(ShippedData::installedName(k)));
        QVERIFY(QDir().mkpath(installed));
        QCOMPARE(QDir::cleanPath(QString::fromStdString(ShippedData::folderFor(k, program))), installed);
    }

    void oddProgramPathsFallBackToTheSources_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("empty") << QString();
        QTest::newRow("no folder") << QStringLiteral("pennova-server");
        QTest::newRow("missing folder") << QStringLiteral("/nonexistent/用户/bin/pennova-server");
    }
    void oddProgramPathsFallBackToTheSources()
    {
        QFETCH(QString, program);
        QCOMPARE(QString::fromStdString(ShippedData::folderFor(ShippedData::Checker, program.toStdString())),
                 QStringLiteral(PENNOVA_SOURCE_DIR "/server/checker/data"));
    }
};

QTEST_GUILESS_MAIN(TestShippedData)
#include "tst_shippeddata.moc"
