#include "updatefileentry.h"
#include "versionfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using ZeltraLib::UpdateFileEntry;
using ZeltraLib::VersionFile;

namespace {
const QString Digest = QString(64, QLatin1Char('a'));
}

// "ver.dat" and the file-list entries the updater reads.
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

    void entryParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("relativePath");
        QTest::newRow("root file") << "Pennova|930|http://h/u/Pennova||" + Digest << true << "Pennova";
        QTest::newRow("sub folder, non-ASCII") << "数据.dat|930|/u/x|词典/数据|" + Digest.toUpper() << true
                                               << "词典/数据/数据.dat";
        QTest::newRow("four fields of an old list") << "Pennova|930|http://h/u||" << false << "";
        QTest::newRow("garbage") << "\x01\x02 no bars" << false << "";
        QTest::newRow("version not a number") << "a|9x|u||" + Digest << false << "";
        QTest::newRow("empty name") << "|930|u||" + Digest << false << "";
        QTest::newRow("no URL") << "a|930| ||" + Digest << false << "";
        QTest::newRow("short hash") << "a|930|u||" + Digest.left(63) << false << "";
        QTest::newRow("hash not hex") << "a|930|u||" + QString(64, QLatin1Char('g')) << false << "";
    }
    void entryParsing()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QString, relativePath);
        UpdateFileEntry entry;
        QCOMPARE(UpdateFileEntry::parse(text, &entry), valid);
        if (valid) {
            QCOMPARE(entry.relativePath(), relativePath);
            QCOMPARE(entry.sha256, entry.sha256.toLower());
            UpdateFileEntry again;
            QVERIFY(UpdateFileEntry::parse(entry.toText(), &again));
            QCOMPARE(again.toText(), entry.toText());
        }
    }

    void unsafePaths_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << "" << "Pennova" << true;
        QTest::newRow("nested, non-ASCII") << "lib/词典" << "a b.so" << true;
        QTest::newRow("absolute folder") << "/etc" << "passwd" << false;
        QTest::newRow("parent in folder") << "lib/../.." << "x" << false;
        QTest::newRow("parent as name") << "lib" << ".." << false;
        QTest::newRow("dot part") << "./lib" << "x" << false;
        QTest::newRow("empty part") << "lib//x" << "x" << false;
        QTest::newRow("backslash") << "" << "..\\evil" << false;
        QTest::newRow("NUL cuts a name") << "" << QString::fromUtf8("Pennova\0.txt", 12) << false;
        QTest::newRow("slash in name") << "" << "lib/x" << false;
        QTest::newRow("control character") << "" << "a\nb" << false;
    }
    void unsafePaths()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(bool, safe);
        UpdateFileEntry entry;
        entry.folder = folder;
        entry.name = name;
        QCOMPARE(entry.hasSafePath(), safe);
    }

    void signedTextBindsVersionAndOrder()
    {
        UpdateFileEntry a{QStringLiteral("a"), 2, QStringLiteral("http://x/a"), QString(), Digest};
        UpdateFileEntry b{QStringLiteral("b"), 2, QStringLiteral("http://x/b"), QStringLiteral("s"), Digest};
        const QByteArray text = UpdateFileEntry::signedText(2, {a, b});
        QVERIFY(text != UpdateFileEntry::signedText(3, {a, b}));
        QVERIFY(text != UpdateFileEntry::signedText(2, {b, a}));
        UpdateFileEntry moved = b;
        moved.folder = QStringLiteral("t");
        QVERIFY(text != UpdateFileEntry::signedText(2, {a, moved}));
        // The download address may change (public address, mirror); the content may not.
        UpdateFileEntry mirrored = a;
        mirrored.url = QStringLiteral("http://mirror/a");
        QCOMPARE(UpdateFileEntry::signedText(2, {mirrored, b}), text);
    }
};

QTEST_GUILESS_MAIN(TestVersionFile)
#include "tst_versionfile.moc"
