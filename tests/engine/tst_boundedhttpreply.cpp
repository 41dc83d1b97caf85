// The services' own HTTP client: replies framed every way a server may frame them, broken
// ones, abort and time-out, a reader that does not keep up, and what the request carries.

#include "boundedhttpreply.h"
#include "boundednetworkaccessmanager.h"
#include "support/scriptedhttpserver.h"

#include <QNetworkReply>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

using namespace ZeltraLib;

namespace {

// Answers every request with the same raw bytes once its header is in, then closes (or
// keeps the connection open, for replies that must stall).
class RawServer : public QObject
{
public:
    explicit RawServer(const QByteArray &answer, bool close = true)
        : m_answer(answer)
        , m_close(close)
    {
        m_server.listen(QHostAddress::LocalHost);
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                m_socket = socket;
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_request += socket->readAll();
                    if (m_answered || !m_request.contains("\r\n\r\n"))
                        return;
                    m_answered = true;
                    socket->write(m_answer);
                    if (m_close)
                        socket->disconnectFromHost();
                });
            }
        });
    }
    QUrl url(const QString &path = QStringLiteral("/x")) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
    }
    QTcpSocket *socket() const { return m_socket; }

private:
    QTcpServer m_server;
    QByteArray m_answer;
    bool m_close;
    QByteArray m_request;
    bool m_answered = false;
    QPointer<QTcpSocket> m_socket;
};

QByteArray finishedBody(QNetworkReply *reply)
{
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished() && !finished.wait(10000))
        return "<no finish>";
    return reply->readAll();
}

} // namespace

class TestBoundedHttpReply : public QObject
{
    Q_OBJECT

private slots:
    void framings_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("body");
        const int ok = QNetworkReply::NoError;
        QTest::newRow("declared length") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello") << ok << 200
                                         << QByteArray("hello");
        QTest::newRow("chunked, with an extension and a trailer")
            << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5;x=y\r\nhello\r\n6\r\n world\r\n0\r\n"
                          "X-T: 1\r\n\r\n")
            << ok << 200 << QByteArray("hello world");
        QTest::newRow("until the connection closes") << QByteArray("HTTP/1.0 200 OK\r\n\r\nabc") << ok << 200
                                                     << QByteArray("abc");
        QTest::newRow("an interim answer first")
            << QByteArray("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok") << ok << 200
            << QByteArray("ok");
        QTest::newRow("no body")
            << QByteArray("HTTP/1.1 204 No Content\r\n\r\n") << ok << 204 << QByteArray();
        QTest::newRow("UTF-8 body, bare newlines")
            << QByteArray("HTTP/1.1 200 OK\nContent-Length: 9\n\n中文字") << ok << 200 << QByteArray("中文字");
        QTest::newRow("error status keeps its body")
            << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\nnope") << int(QNetworkReply::ContentNotFoundError)
            << 404 << QByteArray("nope");
        QTest::newRow("busy") << QByteArray("HTTP/1.1 503 Busy\r\nContent-Length: 0\r\n\r\n")
                              << int(QNetworkReply::ServiceUnavailableError) << 503 << QByteArray();
        QTest::newRow("body cut short") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc")
                                        << int(QNetworkReply::RemoteHostClosedError) << 200 << QByteArray("abc");
        QTest::newRow("chunk cut short")
            << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nab")
            << int(QNetworkReply::RemoteHostClosedError) << 200 << QByteArray("ab");
        QTest::newRow("garbage instead of a status line") << QByteArray("SSH-2.0-OpenSSH_9.2\r\n\r\n")
                                                          << int(QNetworkReply::ProtocolFailure) << 0 << QByteArray();
        QTest::newRow("bad chunk size") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n")
                                        << int(QNetworkReply::ProtocolFailure) << 200 << QByteArray();
        QTest::newRow("oversized chunk size") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                                            "ffffffffffffffffffff\r\n")
                                              << int(QNetworkReply::ProtocolFailure) << 200 << QByteArray();
        QTest::newRow("negative length") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n")
                                         << int(QNetworkReply::ProtocolFailure) << 200 << QByteArray();
        QTest::newRow("endless header line") << "HTTP/1.1 200 OK\r\nX: " + QByteArray(40000, 'x')
                                             << int(QNetworkReply::ProtocolFailure) << 200 << QByteArray();
        QByteArray manyHeaders = "HTTP/1.1 200 OK\r\n";
        for (int i = 0; i < 8000; ++i)
            manyHeaders += "X-" + QByteArray::number(i) + ": y\r\n";
        QTest::newRow("endless header") << manyHeaders << int(QNetworkReply::ProtocolFailure) << 200 << QByteArray();
        QTest::newRow("connection closed at once") << QByteArray() << int(QNetworkReply::RemoteHostClosedError) << 0
                                                   << QByteArray();
    }

    void framings()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, error);
        QFETCH(int, status);
        QFETCH(QByteArray, body);
        RawServer server(answer);
        BoundedNetworkAccessManager manager;
        std::unique_ptr<QNetworkReply> reply(manager.get(QNetworkRequest(server.url())));
        QVERIFY(qobject_cast<BoundedHttpReply *>(reply.get()));
        QCOMPARE(finishedBody(reply.get()), body);
        QCOMPARE(int(reply->error()), error);
        QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), status);
    }

    // What a request carries: method, path and query, form type and body.
    void requestsCarryWhatWasAsked()
    {
        ScriptedHttpServer server;
        server.setReply("/service/a?x=1%202&y=%E4%B8%AD", "done");
        BoundedNetworkAccessManager manager;
        QNetworkRequest post(QUrl(QStringLiteral("http://%1/service/a?x=1 2&y=中").arg(server.host())));
        post.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
        std::unique_ptr<QNetworkReply> reply(manager.post(post, QByteArray("u=张&p=x")));
        QSignalSpy managerFinished(&manager, &QNetworkAccessManager::finished);
        QCOMPARE(finishedBody(reply.get()), QByteArray("done"));
        QCOMPARE(managerFinished.size(), 1);
        QCOMPARE(server.requestCount(), 1);
        const ScriptedHttpServer::Request &request = server.requests().at(0);
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, QByteArray("/service/a?x=1%202&y=%E4%B8%AD"));
        QCOMPARE(request.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
        QCOMPARE(request.body, QByteArray("u=张&p=x"));
    }

    void abortAndTimeOutFinishCanceled_data()
    {
        QTest::addColumn<bool>("abort");
        QTest::newRow("aborted by the caller") << true;
        QTest::newRow("no byte within the transfer time-out") << false;
    }

    void abortAndTimeOutFinishCanceled()
    {
        QFETCH(bool, abort);
        RawServer silent("", false);
        QNetworkRequest request(silent.url());
        BoundedHttpReply reply(QNetworkAccessManager::GetOperation, request, {}, abort ? 0 : 50);
        QSignalSpy finished(&reply, &QNetworkReply::finished);
        QSignalSpy failed(&reply, &QNetworkReply::errorOccurred);
        if (abort) {
            QTRY_VERIFY(silent.socket());
            reply.abort();
        }
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(failed.size(), 1);
        QCOMPARE(reply.error(), QNetworkReply::OperationCanceledError);
        QVERIFY(reply.isFinished());
        reply.abort(); // a second time: nothing more
        QCOMPARE(finished.size(), 1);
    }

    // A reader that lets a read buffer's worth pile up stops the transfer until it reads;
    // what it then reads is the whole body, in order.
    void slowReaderHoldsOneBuffer()
    {
        constexpr int Total = 8 * 1024 * 1024;
        constexpr qint64 Buffer = 256 * 1024;
        QByteArray payload(Total, Qt::Uninitialized);
        for (int i = 0; i < Total; ++i)
            payload[i] = char('a' + i % 26);
        QByteArray answer = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        for (int at = 0; at < Total; at += 100000) {
            const QByteArray piece = payload.mid(at, 100000);
            answer += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
        }
        answer += "0\r\n\r\n";
        RawServer server(answer);
        BoundedNetworkAccessManager manager;
        std::unique_ptr<QNetworkReply> reply(manager.get(QNetworkRequest(server.url())));
        reply->setReadBufferSize(Buffer);
        QTRY_VERIFY(reply->bytesAvailable() >= Buffer);
        // the server is held up by the full connection, the reply holds its buffer and no more
        QTRY_VERIFY(server.socket() && server.socket()->bytesToWrite() > 0);
        QVERIFY2(reply->bytesAvailable() <= Buffer + BoundedHttpReply::SocketBufferBytes,
                 qPrintable(QString::number(reply->bytesAvailable())));
        QVERIFY(!reply->isFinished());
        QByteArray got;
        QSignalSpy finished(reply.get(), &QNetworkReply::finished);
        while (!reply->isFinished() || reply->bytesAvailable() > 0) {
            got += reply->readAll();
            if (!reply->isFinished() && reply->bytesAvailable() == 0)
                QVERIFY(QSignalSpy(reply.get(), &QNetworkReply::readyRead).wait(10000) || reply->isFinished());
        }
        QCOMPARE(reply->error(), QNetworkReply::NoError);
        QCOMPARE(got.size(), payload.size());
        QVERIFY(got == payload);
    }
};

QTEST_GUILESS_MAIN(TestBoundedHttpReply)
#include "tst_boundedhttpreply.moc"
