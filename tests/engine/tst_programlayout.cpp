#include "programlayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using ZeltraLib::ProgramLayout;

// Where the client finds voc.dat and the updater: a program folder, or an installed tree.
class TestProgramLayout : public QObject
{
    Q_OBJECT
private:
    static void touch(const QString &path)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private Q_SLOTS:
    void findsFilesOfEachLayout_data()
    {
        // Files made below a temporary root; the program runs from `running`.
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("running");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("vocabulary");
        QTest::addColumn<QString>("updater");

        QTest::newRow("build tree: everything beside the program")
            << QStringList{"build/bin/voc.dat"} << "build/bin" << false << "build/bin/voc.dat" << "build/bin/update";
        QTest::newRow("program folder with a share folder above it stays a program folder")
            << QStringList{"app/bin/voc.dat", "app/share/pennova/voc.dat"} << "app/bin" << false << "app/bin/voc.dat"
            << "app/bin/update";
        QTest::newRow("installed client")
            << QStringList{"usr/share/pennova/voc.dat", "usr/lib/pennova/update"} << "usr/bin" << true
            << "usr/share/pennova/voc.dat" << "usr/lib/pennova/update";
        QTest::newRow("installed updater sees the same tree")
            << QStringList{"usr/share/pennova/voc.dat", "usr/lib/pennova/update"} << "usr/lib/pennova" << true
            << "usr/share/pennova/voc.dat" << "usr/lib/pennova/update";
        QTest::newRow("server package alone: pennova-cli reads its own voc.dat")
            << QStringList{"usr/share/pennova-server/voc.dat"} << "usr/bin" << true
            << "usr/share/pennova-server/voc.dat" << "usr/lib/pennova/update";
        QTest::newRow("both packages: the client's voc.dat first")
            << QStringList{"usr/share/pennova/voc.dat", "usr/share/pennova-server/voc.dat"} << "usr/bin" << true
            << "usr/share/pennova/voc.dat" << "usr/lib/pennova/update";
        QTest::newRow("nothing anywhere: a program folder missing its voc.dat")
            << QStringList{} << "opt/x/bin" << false << "opt/x/bin/voc.dat" << "opt/x/bin/update";
        QTest::newRow("non-ASCII install prefix")
            << QStringList{"用户/程序/share/pennova/voc.dat"} << "用户/程序/bin" << true
            << "用户/程序/share/pennova/voc.dat" << "用户/程序/lib/pennova/update";
    }
    void findsFilesOfEachLayout()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, running);
        QFETCH(bool, installed);
        QFETCH(QString, vocabulary);
        QFETCH(QString, updater);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        for (const QString &file : files)
            touch(root.filePath(file));
        QVERIFY(QDir().mkpath(root.filePath(running)));

        const ProgramLayout layout(root.filePath(running));
        QCOMPARE(layout.isInstalled(), installed);
        QCOMPARE(QDir::cleanPath(layout.vocabularyFile()), root.filePath(vocabulary));
        QCOMPARE(QDir::cleanPath(layout.updaterProgram()), root.filePath(updater));
    }
};

QTEST_GUILESS_MAIN(TestProgramLayout)
#include "tst_programlayout.moc"
