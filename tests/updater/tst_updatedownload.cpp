// An update file is streamed to its temporary file: an endless or oversized download
// is refused without the updater's memory following it.

#include "support/floodserver.h"
#include "support/processmemory.h"
#include "updatemanager.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class TestUpdateDownload : public QObject
{
    Q_OBJECT

private slots:
    void oversizedDownloadsAreRefused_data()
    {
        QTest::addColumn<int>("framing");
        QTest::newRow("declared length") << int(FloodServer::ContentLength);
        QTest::newRow("chunked") << int(FloodServer::Chunked);
        QTest::newRow("until close") << int(FloodServer::UntilClose);
    }

    void oversizedDownloadsAreRefused()
    {
        QFETCH(int, framing);
        constexpr std::int64_t FloodBytes = 512LL * 1024 * 1024;
        FloodServer server(200, FloodServer::Framing(framing), FloodBytes);
        QVERIFY(server.listening());
        QTemporaryDir program;
        ZeltraLib::UpdateManager manager(program.path());
        manager.setMaxFileBytes(8 * 1024 * 1024);
        UpdatePlan::Item item;
        item.entry.name = QStringLiteral("big.dat");
        item.entry.version = 2;
        item.entry.url = QStringLiteral("http://") + server.host() + QStringLiteral("/big.dat");
        item.entry.sha256 = QString(64, QLatin1Char('0'));
        item.target = program.filePath(QStringLiteral("big.dat"));
        manager.setQueue({item});
        QSignalSpy finished(&manager, &ZeltraLib::UpdateManager::signalFinished);
        const long before = ProcessMemory::statusKiB("VmRSS:");
        if (!ProcessMemory::resetPeak())
            QSKIP("the peak resident size cannot be reset here");
        manager.startDownloads();
        QVERIFY(finished.wait(60000));
        const long growthKiB = ProcessMemory::statusKiB("VmHWM:") - before;
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QVERIFY2(growthKiB < 64 * 1024, qPrintable(QStringLiteral("%1 KiB").arg(growthKiB)));
        QVERIFY2(server.sent() < FloodBytes, "the whole flood was read");
        QVERIFY(!QFile::exists(item.target));
    }
};

QTEST_MAIN(TestUpdateDownload)
#include "tst_updatedownload.moc"
