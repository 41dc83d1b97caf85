#include "checkframe.h"
#include "support/scriptedhttpserver.h"
#include "sharedflagsegment.h"
#include "support/testfiles.h"
#include "support/untranslatedtexts.h"
#include "tesselupdate.h"
#include "updateframe.h"
#include "updatemanager.h"
#include "versionfile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sodium.h>

#include <memory>

using ZeltraLib::UpdateFileEntry;
using ZeltraLib::VersionFile;

namespace {
const QByteArray Path = "/GetTesselFileList.ashx";
}

// The updater window's pages and buttons through a check and an update.
class TestTesselUpdate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(sodium_init() >= 0);
        unsigned char pk[crypto_sign_PUBLICKEYBYTES];
        unsigned char sk[crypto_sign_SECRETKEYBYTES];
        crypto_sign_keypair(pk, sk);
        m_publicKey = QByteArray(reinterpret_cast<char *>(pk), sizeof pk).toBase64();
        m_secretKey = QByteArray(reinterpret_cast<char *>(sk), sizeof sk);
    }

    void init()
    {
        m_server = std::make_unique<ScriptedHttpServer>();
        m_folder = std::make_unique<QTemporaryDir>();
        m_channel = std::make_unique<SharedFlagSegment>(
            QStringLiteral("tst_tesselupdate_%1").arg(QCoreApplication::applicationPid()));
        m_started.clear();
        m_quits = 0;
        m_confirmations = 0;
        m_refused.clear();
        m_log.clear();
    }

    void pagesOfTheCheck_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("installed"); // -1: no ver.dat
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("firstState");
        QTest::addColumn<int>("finalState");
        QTest::addColumn<QString>("button"); // the one button of the final page, or "立即更新"
        QTest::newRow("check: newer version") << 0 << 1 << QByteArray("2||<p>n</p>||1") << 0 << 1 << "立即更新";
        QTest::newRow("check: no ver.dat") << 0 << -1 << QByteArray("2||n||1") << 0 << 1 << "立即更新";
        QTest::newRow("check: current") << 0 << 2 << QByteArray("2||n||1") << 0 << 3 << "确定";
        QTest::newRow("check: nothing published") << 0 << -1 << QByteArray("0||||0") << 0 << 3 << "确定";
        QTest::newRow("check: no answer") << 0 << 1 << QByteArray() << 0 << 4 << "确定";
        QTest::newRow("check: short answer") << 0 << 1 << QByteArray("2|x") << 0 << 4 << "确定";
        QTest::newRow("check: garbage") << 0 << 1 << QByteArray("\x01zz|x|y") << 0 << 4 << "确定";
        QTest::newRow("offer") << 1 << 1 << QByteArray("2||n||1") << 1 << 1 << "立即更新";
        QTest::newRow("mandatory offer") << 5 << 1 << QByteArray("2||n||2") << 1 << 1 << "立即更新";
        QTest::newRow("automatic, already current") << 2 << 2 << QByteArray("2||n||1") << 2 << 3 << "确定";
    }
    void pagesOfTheCheck()
    {
        QFETCH(int, mode);
        QFETCH(int, installed);
        QFETCH(QByteArray, reply);
        QFETCH(int, firstState);
        QFETCH(int, finalState);
        QFETCH(QString, button);
        if (installed >= 0)
            writeVersion(installed);
        m_server->setReply(Path, reply);
        auto window = makeWindow(mode);
        QCOMPARE(int(window->state()), firstState);
        QCOMPARE(window->isForced(), mode == 5);
        QCOMPARE(window->updateFrame()->title(), mode == 5 ? QStringLiteral("当前版本过低，您只有更新后才能继续使用Pennova！")
                                                           : QStringLiteral("发现最新版本Pennova"));
        QTRY_COMPARE(int(window->state()), finalState);
        QTRY_VERIFY(window->button(button)->isEnabled());
        QVERIFY(!window->button(button)->isHidden());
        QCOMPARE(m_server->count(Path), 1);
        // The buttons of the final page only.
        for (const QString &text : {"立即更新", "下次再说", "取消", "确定"}) {
            const bool shown = finalState == TesselUpdate::Found ? text == "立即更新" || text == "下次再说" : text == "确定";
            QCOMPARE(!window->button(text)->isHidden(), shown);
        }
        if (firstState == TesselUpdate::Checking && finalState == TesselUpdate::UpToDate)
            QCOMPARE(window->checkFrame()->progress(), 100);
        // Every page speaks Chinese (the failed one said "Oops!").
        QCOMPARE(TestTexts::untranslatedTexts(window.get()), QStringList());
        // Nothing was asked of the main program by a check alone.
        QCOMPARE(m_channel->readCommand(), char(0));
    }

    void updateInstallsAndRestarts()
    {
        writeVersion(1);
        QVERIFY(TestFiles::write(m_folder->filePath("Pennova"), "old"));
        m_server->setReply(Path, "2||<p>notes</p>|" + signature(2, entries()) + "|1");
        m_server->setReply("/files/Pennova", "new main");
        m_server->setReply("/files/data.txt", "new data");
        auto window = makeWindow(1);
        QTRY_VERIFY(window->button("立即更新")->isEnabled());
        m_server->setReply(Path, list(entries()));
        QSignalSpy progress(window->updateManager(), &ZeltraLib::UpdateManager::signalDownloadProgress);
        window->button("立即更新")->click();
        QCOMPARE(m_channel->readCommand(), char(1)); // the main program is told to quit
        QCOMPARE(int(window->state()), int(TesselUpdate::Updating));
        QTRY_COMPARE(m_quits, 1);
        QCOMPARE(m_started, QStringList{m_folder->filePath("Pennova")});
        QCOMPARE(m_channel->readCommand(), char(0));
        QCOMPARE(TestFiles::read(m_folder->filePath("Pennova")), QByteArray("new main"));
        QCOMPARE(TestFiles::read(m_folder->filePath("lib/data.txt")), QByteArray("new data"));
        VersionFile version(VersionFile::defaultPath(m_folder->path()));
        QVERIFY(version.load());
        QCOMPARE(version.versionId(), 2);
        // Two files: half the bar after the first one.
        QList<int> values;
        for (const QList<QVariant> &signal : progress)
            values << signal.at(0).toInt();
        QVERIFY2(values.contains(50) && values.last() == 100, qPrintable(QVariant::fromValue(values).toString()));
        QVERIFY(std::is_sorted(values.begin(), values.end()));
    }

    void readOnlyProgramFolderPointsToThePackageManager()
    {
        m_server->setReply(Path, "2||n||1");
        auto window = makeWindow(1, QStringLiteral("/proc"));
        QTRY_VERIFY(window->button("立即更新")->isEnabled());
        window->button("立即更新")->click();
        QCOMPARE(int(window->state()), int(TesselUpdate::Failed));
        QCOMPARE(window->checkFrame()->view(), CheckFrame::View::Failed);
        QCOMPARE(m_channel->readCommand(), char(0));
        QCOMPARE(m_server->count(Path), 1); // no file list asked for
    }

    void closingBeforeTheEndAsksFirst_data()
    {
        QTest::addColumn<bool>("updating");
        QTest::addColumn<bool>("agree");
        QTest::newRow("checking, kept") << false << false;
        QTest::newRow("checking, closed") << false << true;
        QTest::newRow("updating, kept") << true << false;
        QTest::newRow("updating, closed: the main program may start again") << true << true;
    }
    void closingBeforeTheEndAsksFirst()
    {
        QFETCH(bool, updating);
        QFETCH(bool, agree);
        m_agree = agree;
        writeVersion(1);
        m_server->setReply(Path, "2||n||1");
        m_server->setHeld(Path, !updating); // still checking
        auto window = makeWindow(updating ? 1 : 0);
        window->show();
        if (updating) {
            QTRY_VERIFY(window->button("立即更新")->isEnabled());
            m_server->setHeld(Path, true); // the file list never comes
            window->button("立即更新")->click();
            QCOMPARE(m_channel->readCommand(), char(1));
        }
        QCOMPARE(window->close(), agree);
        QCOMPARE(m_confirmations, 1);
        QCOMPARE(window->isVisible(), !agree);
        QCOMPARE(m_channel->readCommand(), char(updating && !agree ? 1 : 0));
        QVERIFY(m_started.isEmpty());
    }

    void laterPostponesWithoutAsking()
    {
        writeVersion(1);
        m_server->setReply(Path, "2||n||1");
        auto window = makeWindow(1);
        window->show();
        QTRY_VERIFY(window->button("下次再说")->isEnabled());
        window->button("下次再说")->click();
        QCOMPARE(m_confirmations, 0);
        QVERIFY(!window->isVisible());
        QCOMPARE(m_channel->readCommand(), char(0));
        QVERIFY(m_refused.isEmpty());
        QVERIFY(m_started.isEmpty());
    }

    void refusedListTellsWhy_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QString>("shown");
        QTest::newRow("signed with another key") << "other key" << "the file list is not signed by the release key" << "发布密钥";
        QTest::newRow("not signed") << "unsigned" << "the file list is not signed by the release key" << "发布密钥";
        QTest::newRow("malformed list") << "malformed" << "malformed entry" << "格式有误";
        QTest::newRow("a file outside the program folder") << "outside" << "refused place" << "程序目录以外";
    }
    void refusedListTellsWhy()
    {
        QFETCH(QString, how);
        QFETCH(QString, logged);
        QFETCH(QString, shown);
        writeVersion(1);
        QVERIFY(TestFiles::write(m_folder->filePath("Pennova"), "old"));
        QList<UpdateFileEntry> files = entries();
        if (how == "outside")
            files[1].folder = "../elsewhere";
        QByteArray signed_ = signature(2, files);
        if (how == "other key") {
            unsigned char pk[crypto_sign_PUBLICKEYBYTES];
            unsigned char sk[crypto_sign_SECRETKEYBYTES];
            crypto_sign_keypair(pk, sk);
            signed_ = signature(2, files, QByteArray(reinterpret_cast<char *>(sk), sizeof sk));
        } else if (how == "unsigned") {
            signed_.clear();
        }
        m_server->setReply(Path, "2||n|" + signed_ + "|1");
        auto window = makeWindow(1);
        QTRY_VERIFY(window->button("立即更新")->isEnabled());
        m_server->setReply(Path, how == "malformed" ? QByteArray("Pennova|x") : list(files));
        window->button("立即更新")->click();
        QTRY_COMPARE(int(window->state()), int(TesselUpdate::Failed));
        QCOMPARE(window->checkFrame()->view(), CheckFrame::View::Failed);
        const QString note = window->checkFrame()->failureNote();
        QVERIFY2(note.startsWith(QStringLiteral("已拒绝安装新版本 2，没有改动任何文件。")) && note.contains(shown),
                 qPrintable(note));
        QCOMPARE(m_log.size(), 1);
        QVERIFY2(m_log.first().startsWith("version 2 refused: " + logged), qPrintable(m_log.first()));
        QCOMPARE(m_refused, QList<int>{2});
        QCOMPARE(TestFiles::read(m_folder->filePath("Pennova")), QByteArray("old"));
        QCOMPARE(m_server->count("/files/Pennova"), 0);
        QCOMPARE(m_channel->readCommand(), char(0));
        QVERIFY(m_started.isEmpty());
    }

private:
    std::unique_ptr<TesselUpdate> makeWindow(int mode, const QString &folder = QString())
    {
        TesselUpdate::Options options;
        options.mode = mode;
        options.programFolder = folder.isEmpty() ? m_folder->path() : folder;
        options.serviceHost = m_server->host();
        options.publicKey = m_publicKey;
        options.commandChannel = m_channel.get();
        options.animationStepMs = 0;
        options.startProgram = [this](const QString &program) {
            m_started << program;
            return true;
        };
        options.quit = [this] { ++m_quits; };
        options.confirmClose = [this](QWidget *) {
            ++m_confirmations;
            return m_agree;
        };
        options.rememberRefused = [this](int version) { m_refused << version; };
        options.log = [this](const QString &line) { m_log << line; };
        return std::make_unique<TesselUpdate>(options);
    }

    QList<UpdateFileEntry> entries() const
    {
        const auto hash = [](const QByteArray &data) {
            return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
        };
        return {{"Pennova", 2, "/files/Pennova", "", hash("new main")},
                {"data.txt", 2, "http://" + m_server->host() + "/files/data.txt", "lib", hash("new data")}};
    }

    static QByteArray list(const QList<UpdateFileEntry> &entries)
    {
        QStringList texts;
        for (const UpdateFileEntry &entry : entries)
            texts << entry.toText();
        return texts.join(';').toUtf8();
    }

    QByteArray signature(int version, const QList<UpdateFileEntry> &entries, QByteArray secretKey = {}) const
    {
        if (secretKey.isEmpty())
            secretKey = m_secretKey;
        const QByteArray message = UpdateFileEntry::signedText(version, entries);
        unsigned char signature[crypto_sign_BYTES];
        crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char *>(message.constData()),
                             std::size_t(message.size()), reinterpret_cast<const unsigned char *>(secretKey.constData()));
        return QByteArray(reinterpret_cast<char *>(signature), sizeof signature).toBase64();
    }

    void writeVersion(int version)
    {
        VersionFile file(VersionFile::defaultPath(m_folder->path()));
        file.setVersionId(version);
        QVERIFY(file.save());
    }

    QByteArray m_publicKey;
    QByteArray m_secretKey;
    std::unique_ptr<ScriptedHttpServer> m_server;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<SharedFlagSegment> m_channel;
    QStringList m_started;
    int m_quits = 0;
    int m_confirmations = 0;
    bool m_agree = false;
    QList<int> m_refused;
    QStringList m_log;
};

QTEST_MAIN(TestTesselUpdate)
#include "tst_tesselupdate.moc"
