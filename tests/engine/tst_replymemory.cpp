// The clients' memory under a peer that sends an endless reply: whatever its status
// (an error page is a body too), declared or sent until the connection closes (no length
// announces it), a client holds no more than its bound.

#include "boundednetworkaccessmanager.h"
#include "checktask.h"
#include "guardedreply.h"
#include "networkhelper.h"
#include "serviceform.h"
#include "support/floodserver.h"
#include "support/processmemory.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QtTest>


namespace {
constexpr std::int64_t FloodBytes = 512LL * 1024 * 1024;
constexpr long MaxGrowthKiB = 64 * 1024;

} // namespace

class TestReplyMemory : public QObject
{
    Q_OBJECT

private slots:
    void endlessRepliesAreBounded_data()
    {
        QTest::addColumn<QString>("client");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("framing");
        QTest::newRow("form post, error status, until close") << "form" << 404 << int(FloodServer::UntilClose);
        QTest::newRow("form post, error status, declared length") << "form" << 500 << int(FloodServer::ContentLength);
        QTest::newRow("form post, 200, declared length") << "form" << 200 << int(FloodServer::ContentLength);
        QTest::newRow("form post, 200, until close") << "form" << 200 << int(FloodServer::UntilClose);
        QTest::newRow("guarded reply, error status, until close") << "guarded" << 503 << int(FloodServer::UntilClose);
        QTest::newRow("download, error status, until close") << "download" << 500 << int(FloodServer::UntilClose);
        QTest::newRow("download, 200, until close") << "download" << 200 << int(FloodServer::UntilClose);
        QTest::newRow("check, error status, until close") << "check" << 500 << int(FloodServer::UntilClose);
        QTest::newRow("form post, error status, chunked") << "form" << 500 << int(FloodServer::Chunked);
        QTest::newRow("form post, 200, chunked") << "form" << 200 << int(FloodServer::Chunked);
        QTest::newRow("guarded reply, 200, chunked") << "guarded" << 200 << int(FloodServer::Chunked);
        QTest::newRow("download, error status, chunked") << "download" << 404 << int(FloodServer::Chunked);
        QTest::newRow("check, 200, chunked") << "check" << 200 << int(FloodServer::Chunked);
        QTest::newRow("check, error status, chunked") << "check" << 500 << int(FloodServer::Chunked);
    }

    void endlessRepliesAreBounded()
    {
        QFETCH(QString, client);
        QFETCH(int, status);
        QFETCH(int, framing);
        FloodServer server(status, FloodServer::Framing(framing), FloodBytes);
        QVERIFY(server.listening());
        const QUrl url(QStringLiteral("http://") + server.host() + QStringLiteral("/x"));
        ZeltraLib::BoundedNetworkAccessManager manager;
        const long before = ProcessMemory::statusKiB("VmRSS:");
        if (!ProcessMemory::resetPeak())
            QSKIP("the peak resident size cannot be reset here");
        bool failed = false;
        if (client == QLatin1String("form")) {
            QNetworkReply *reply = ZeltraLib::postForm(manager, url, "a=b");
            QSignalSpy finished(reply, &QNetworkReply::finished);
            QVERIFY(finished.wait(30000));
            failed = reply->error() != QNetworkReply::NoError;
            reply->deleteLater();
        } else if (client == QLatin1String("guarded")) {
            ZeltraLib::GuardedReply guarded;
            QSignalSpy replied(&guarded, &ZeltraLib::GuardedReply::replied);
            guarded.start(manager.get(QNetworkRequest(url)));
            QVERIFY(replied.wait(30000));
            failed = replied.at(0).at(0).value<QNetworkReply *>()->error() != QNetworkReply::NoError;
        } else if (client == QLatin1String("download")) {
            ZeltraLib::NetworkHelper helper;
            QSignalSpy done(&helper, &ZeltraLib::NetworkHelper::signalDownloadFinished);
            helper.download(url.toString());
            QVERIFY(done.wait(30000));
            failed = done.at(0).at(0).toByteArray().isEmpty();
        } else {
            ZeltraLib::CheckTask task(server.host());
            QSignalSpy finished(&task, &ZeltraLib::CheckTask::signalFinished);
            ZeltraLib::CheckRequest request;
            request.session = QStringLiteral("0123456789ABCDEF");
            request.sents << QStringLiteral("One.");
            request.configs << 0;
            task.start(request);
            QVERIFY(finished.wait(30000));
            failed = finished.at(0).at(0).value<QNetworkReply::NetworkError>() != QNetworkReply::NoError;
        }
        const long growthKiB = ProcessMemory::statusKiB("VmHWM:") - before;
        QVERIFY(failed);
        QVERIFY2(growthKiB < MaxGrowthKiB, qPrintable(QStringLiteral("%1 KiB").arg(growthKiB)));
        QVERIFY2(server.sent() < FloodBytes, "the client read the whole flood");
    }
};

QTEST_GUILESS_MAIN(TestReplyMemory)
#include "tst_replymemory.moc"
