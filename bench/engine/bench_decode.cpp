// Decoding speed and memory of streamed check replies: records per second through the
// frame reader fed in random-size pieces, and through the real CheckTask over loopback;
// peak resident memory (VmHWM) after each phase.
// Usage: bench_decode [records=100000] [loopback|pieces]

#include "checktask.h"
#include "frame.h"
#include "framereader.h"
#include "resultstate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cstdio>
#include <stdexcept>

using namespace ZeltraLib;

namespace {

const QByteArray Trailer = QByteArrayLiteral("\r\n\r");

qint64 vmHwmKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// A record shaped like the service's: one to three findings with candidates.
QByteArray recordJson(int sentInd, QRandomGenerator &rng)
{
    QByteArray json = "{\"sentInd\":" + QByteArray::number(sentInd) + ",\"corrections\":[";
    const int findings = 1 + int(rng.bounded(3));
    for (int f = 0; f < findings; ++f) {
        if (f > 0)
            json += ',';
        const int start = int(rng.bounded(80));
        json += "{\"start\":" + QByteArray::number(start) + ",\"end\":" + QByteArray::number(start + 4)
                + ",\"loc\":" + QByteArray::number(f)
                + ",\"errorInfo\":\"subject verb agreement\",\"explainType\":\"SVA\",\"errorType\":\"GRAMMAR\","
                  "\"featureKeys\":[\"he go\",\"VBP\"],\"candidates\":["
                  "{\"correction\":\"goes\",\"candidateType\":\"REPLACE\",\"score\":0.82,\"originalScore\":0.11},"
                  "{\"correction\":\"went\",\"candidateType\":\"REPLACE\",\"score\":0.41,\"originalScore\":0.11}]}";
    }
    return json + "]}\n";
}

struct Figures
{
    qint64 records = 0;
    qint64 bytes = 0;
    double seconds = 0;
};

void print(const char *phase, const Figures &f)
{
    std::printf("%-34s %8lld records  %7.1f MB  %7.3f s  %10.0f records/s  %7.1f MB/s  VmHWM %lld kB\n", phase,
                f.records, f.bytes / 1048576.0, f.seconds, f.records / f.seconds, f.bytes / 1048576.0 / f.seconds,
                vmHwmKb());
}

// The decoding routine of CheckTask alone, fed in pieces of 1 byte .. 64 KiB.
Figures decodeInPieces(const QList<QByteArray> &frames, int records)
{
    QByteArray stream;
    for (int i = 0; i < records; ++i)
        stream += frames.at(i % frames.size()) + Trailer;
    QRandomGenerator rng(11);
    FrameReader reader(Trailer.size());
    Figures f;
    f.bytes = stream.size();
    QElapsedTimer timer;
    timer.start();
    for (qsizetype pos = 0; pos < stream.size();) {
        const qsizetype n = qMin<qsizetype>(1 + rng.bounded(65536), stream.size() - pos);
        reader.append(QByteArray::fromRawData(stream.constData() + pos, n));
        pos += n;
        QByteArray frame;
        while (reader.next(&frame) == FrameReader::Ready) {
            const CResultState state = parseResultState(cutAtZero(decodeFrame(frame)));
            f.records += state.corrections.isEmpty() ? 0 : 1;
        }
    }
    f.seconds = timer.nsecsElapsed() / 1e9;
    return f;
}

// One loopback server that streams `records` frames (cycling through `frames`) as a
// chunked reply, keeping at most ~256 KiB queued so that it holds little memory itself.
class LoopbackStream
{
public:
    LoopbackStream(const QList<QByteArray> &frames, int records)
        : m_frames(frames), m_records(records)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            QTcpSocket *socket = m_server.nextPendingConnection();
            auto *request = new QByteArray;
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [socket, request] {
                delete request;
                socket->deleteLater();
            });
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, request] {
                request->append(socket->readAll());
                const qsizetype end = request->indexOf("\r\n\r\n");
                if (end < 0 || m_started)
                    return;
                const qsizetype lengthAt = request->toLower().indexOf("content-length:");
                const qsizetype length = request->mid(lengthAt + 15, request->indexOf('\r', lengthAt) - lengthAt - 15).trimmed().toLongLong();
                if (request->size() < end + 4 + length)
                    return;
                m_started = true;
                socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\nTransfer-Encoding: chunked\r\n\r\n");
                QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket] { feed(socket); });
                feed(socket);
            });
        });
    }

    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }
    qint64 bytesSent() const { return m_bytes; }

private:
    void feed(QTcpSocket *socket)
    {
        while (socket->bytesToWrite() < 256 * 1024 && m_sent < m_records) {
            QByteArray chunk;
            const int n = 1 + int(m_rng.bounded(40));
            for (int i = 0; i < n && m_sent < m_records; ++i, ++m_sent)
                chunk += m_frames.at(m_sent % m_frames.size()) + Trailer;
            // Cut the chunk at a random place so that records straddle reads.
            const qsizetype cut = m_rng.bounded(qint64(chunk.size()));
            for (const QByteArray &piece : { chunk.left(cut), chunk.mid(cut) }) {
                if (!piece.isEmpty())
                    socket->write(QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n");
            }
            m_bytes += chunk.size();
        }
        if (m_sent == m_records && !m_closed) {
            m_closed = true;
            const QByteArray summary = encodeFrame("{\"sentInd\":-1,\"lexicalScore\":0.5,\"syntaxScore\":0.5}\n") + Trailer;
            socket->write(QByteArray::number(summary.size(), 16) + "\r\n" + summary + "\r\n");
            socket->write("0\r\n\r\n");
            socket->disconnectFromHost();
        }
    }

    QTcpServer m_server;
    QList<QByteArray> m_frames;
    int m_records;
    int m_sent = 0;
    qint64 m_bytes = 0;
    bool m_started = false;
    bool m_closed = false;
    QRandomGenerator m_rng{ 5 };
};

Figures throughCheckTask(const QList<QByteArray> &frames, int records)
{
    LoopbackStream server(frames, records);
    CheckTask task(server.host());
    Figures f;
    QElapsedTimer timer;
    // The frames cycle through 1000 sentence indexes: CheckTask decodes every frame and
    // delivers each sentence's first record only, so the figure counts frames sent.
    f.records = records;
    QObject::connect(&task, &CheckTask::signalFinished, &task, [](QNetworkReply::NetworkError err) {
        if (err != QNetworkReply::NoError)
            std::printf("check finished with error %d\n", int(err));
        QCoreApplication::quit();
    });
    CheckRequest request;
    request.session = QStringLiteral("bench");
    // As many sentences as records, so that the reply's size budget admits them all.
    for (int i = 0; i < records; ++i) {
        request.sents << QStringLiteral("He go home.");
        request.configs << 0;
    }
    timer.start();
    task.start(request);
    QCoreApplication::exec();
    f.seconds = timer.nsecsElapsed() / 1e9;
    f.bytes = server.bytesSent();
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int records = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;

    QRandomGenerator rng(3);
    QList<QByteArray> frames;
    for (int i = 0; i < 1000; ++i)
        frames.append(encodeFrame(recordJson(i, rng)));

    // Optional second argument: "loopback" or "pieces" runs one phase alone, so that its
    // VmHWM is its own.
    const QByteArray only = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    std::printf("VmHWM at start: %lld kB\n", vmHwmKb());
    if (only.isEmpty() || only == "loopback")
        print("CheckTask over loopback", throughCheckTask(frames, records));
    if (only.isEmpty() || only == "pieces")
        print("FrameReader, random pieces", decodeInPieces(frames, records));
    return 0;
}
