#include "pennovapaths.h"
#include "support/serverprocess.h"

#include <httplib.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// `cmake --install` of the build: every program and its data where a package puts them,
// and the installed programs read their data from the installed tree, not the sources.
class TestInstallTree : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_prefix;

    static QByteArray run(const QString &program, const QStringList &arguments, const QByteArray &input = {},
                          int *exitCode = nullptr)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForStarted(10000))
            return {};
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(120000);
        if (exitCode)
            *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return process.readAllStandardOutput() + process.readAllStandardError();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        int code = -1;
        const QByteArray output = run(QStringLiteral("cmake"),
                                      {"--install", PENNOVA_BINARY_DIR, "--prefix", m_prefix.path()}, {}, &code);
        QVERIFY2(code == 0, output.constData());
    }

    void placesEveryFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        const QList<QPair<const char *, bool>> files = {
            {"bin/Pennova", true},
            {"lib/pennova/update", true},
            {"share/pennova/voc.dat", false},
            {"share/applications/org.pennova.Pennova.desktop", false},
            {"share/metainfo/org.pennova.Pennova.metainfo.xml", false},
            {"share/icons/hicolor/scalable/apps/org.pennova.Pennova.svg", false},
            {"share/icons/hicolor/48x48/apps/org.pennova.Pennova.png", false},
            {"share/man/man1/Pennova.1.gz", false},
            {"bin/pennova-server", true},
            {"bin/pennova-cli", true},
            {"share/pennova-server/voc.dat", false},
            {"share/pennova-server/checker/pos-model.txt", false},
            {"share/pennova-server/checker/ATTRIBUTION.md", false},
            {"share/pennova-server/checker/rules/phrases.rules", false},
            {"share/pennova-server/checker/rules/prepositions.rules", false},
            {"share/pennova-server/dictionary/cedict.tsv", false},
            {"share/pennova-server/templates/101-cet-pros-cons.tpl", false},
            {"share/pennova-server/assets/login_pic.png", false},
            {"share/pennova-server/nginx/pennova-upstreams.sh", true},
            {"lib/systemd/system/pennova-server@.service", false},
            {"etc/default/pennova-server", false},
            {"share/man/man1/pennova-server.1.gz", false},
            {"share/man/man1/pennova-cli.1.gz", false},
            {"share/doc/pennova-server/copyright", false},
        };
        for (const auto &[path, executable] : files)
            QTest::newRow(path) << QString::fromLatin1(path) << executable;
    }
    void placesEveryFile()
    {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        const QFileInfo info(m_prefix.filePath(path));
        QVERIFY2(info.isFile(), qPrintable(path));
        QCOMPARE(info.isExecutable(), executable);
        QVERIFY(info.size() > 0);
    }

    void serviceUnitNamesTheInstalledServer()
    {
        QFile unit(m_prefix.filePath(QStringLiteral("lib/systemd/system/pennova-server@.service")));
        QVERIFY(unit.open(QIODevice::ReadOnly));
        const QByteArray text = unit.readAll();
        QVERIFY(!text.contains('@' + QByteArray("PENNOVA_SERVER_PROGRAM") + '@'));
        QVERIFY(!text.contains(PENNOVA_SOURCE_DIR));
        // The program of this install, whatever prefix the build was configured with.
        QVERIFY(text.contains("ExecStart=" + QFileInfo(m_prefix.filePath(QStringLiteral("bin/pennova-server")))
                                                 .absoluteFilePath()
                                                 .toUtf8()
                              + ' '));
        QVERIFY(text.contains("${PENNOVA_LISTEN_ADDRESS}:%i")); // systemd's variables untouched
    }

    void installedServerReadsTheInstalledData()
    {
        // A picture changed in the installed tree only: the server must serve that one.
        const QByteArray marker = QByteArrayLiteral("\x89PNG installed-tree marker");
        QFile picture(m_prefix.filePath(QStringLiteral("share/pennova-server/assets/login_pic.png")));
        QVERIFY(picture.open(QIODevice::WriteOnly | QIODevice::Truncate));
        picture.write(marker);
        picture.close();

        QTemporaryDir data;
        ServerProcess server;
        server.setProgram(m_prefix.filePath(QStringLiteral("bin/pennova-server")));
        QVERIFY2(server.start(data.path()), server.output().constData());
        const QStringList address = server.host().split(QLatin1Char(':'));
        httplib::Client http(address[0].toStdString(), address[1].toInt());
        const auto reply = http.Get("/images/login_pic.png");
        QVERIFY(reply);
        QCOMPARE(reply->status, 200);
        QCOMPARE(QByteArray::fromStdString(reply->body), marker);
    }

    void installedCliSplits()
    {
        int code = -1;
        const QByteArray output = run(m_prefix.filePath(QStringLiteral("bin/pennova-cli")), {"split"},
                                      "One sentence. 第二句 here.\n", &code);
        QCOMPARE(code, 0);
        QCOMPARE(output.count('\n'), 2);
    }
};

QTEST_GUILESS_MAIN(TestInstallTree)
#include "tst_installtree.moc"
