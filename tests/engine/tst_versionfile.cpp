#include "versionfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using ZeltraLib::VersionFile;

// "ver.dat": the installed version and the version of each installed file.
class TestVersionFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void savedFileReadsBack()
    {
        QTemporaryDir dir;
        VersionFile file(VersionFile::defaultPath(dir.path()));
        QVERIFY(!file.exists());
        QVERIFY(!file.load());
        QCOMPARE(file.versionId(), 0);
        file.setVersionId(930);
        file.setFileVersion(QString(), QStringLiteral("Pennova"), 930);
        file.setFileVersion(QStringLiteral("词典/数据"), QStringLiteral("voc <&> \"1\".dat"), 925);
        file.setFileVersion(QStringLiteral("other"), QStringLiteral("Pennova"), 7);
        file.setFileVersion(QString(), QStringLiteral("Pennova"), 931);
        QVERIFY(file.save());

        VersionFile again(VersionFile::defaultPath(dir.path()));
        QVERIFY(again.load());
        QCOMPARE(again.versionId(), 930);
        QCOMPARE(again.files().size(), 3);
        QCOMPARE(again.fileVersion(QString(), QStringLiteral("Pennova")), 931);
        QCOMPARE(again.fileVersion(QStringLiteral("other"), QStringLiteral("Pennova")), 7);
        QCOMPARE(again.fileVersion(QStringLiteral("词典/数据"), QStringLiteral("voc <&> \"1\".dat")), 925);
        QCOMPARE(again.fileVersion(QString(), QStringLiteral("missing")), 0);
    }

    void damagedFileIsVersionZero_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("\x00\x01garbage", 9);
        QTest::newRow("truncated") << QByteArray("<config><VersionId>930</VersionId><File name=\"a\">9");
        QTest::newRow("other root") << QByteArray("<settings><VersionId>930</VersionId></settings>");
        QTest::newRow("oversized") << ("<config><VersionId>930</VersionId>" + QByteArray(VersionFile::MaxFileSize, ' ')
                                       + "</config>");
    }
    void damagedFileIsVersionZero()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QFile out(VersionFile::defaultPath(dir.path()));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
        out.close();
        VersionFile file(out.fileName());
        QVERIFY(!file.load());
        QCOMPARE(file.versionId(), 0);
        QVERIFY(file.files().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestVersionFile)
#include "tst_versionfile.moc"
