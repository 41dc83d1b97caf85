// Client memory under the largest check reply it accepts: a loopback service answers a
// check of N sentences with one record per sentence of the largest size the reply budget
// allows (corrections and candidates at their caps), then the summary; the figures are
// the peak resident growth while the records are kept, as the main window keeps them.
// A reply beyond the budget is shown being refused early.
// Usage: bench_replymemory [sentences=600]  (600 sentences ~ a 10,000-word text)

#include "checktask.h"
#include "frame.h"
#include "resultstate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdio>

using namespace ZeltraLib;

namespace {

long long statusKb(const char *field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// A record for one sentence whose inflated text is close to `bytes`: as many corrections
// (each with the most candidates) as fit, at most the cap, padded error texts.
QByteArray bigRecord(int sentInd, qint64 bytes)
{
    QByteArray candidates;
    for (int c = 0; c < CheckTask::MaxCandidates; ++c)
        candidates += QByteArray(c ? "," : "") + "{\"correction\":\"candidate\",\"candidateType\":\"REPLACE\"}";
    const QByteArray head = "{\"sentInd\":" + QByteArray::number(sentInd) + ",\"corrections\":[";
    const QByteArray bare = "{\"start\":0,\"end\":4,\"errorType\":\"GRAMMAR\",\"candidates\":[" + candidates
                            + "],\"errorInfo\":\"\"},";
    const qint64 count = qBound<qint64>(1, (bytes - head.size()) / bare.size(), qint64(CheckTask::MaxCorrections));
    const qint64 pad = qMax<qint64>(0, (bytes - head.size()) / count - bare.size());
    QByteArray json = head;
    for (qint64 i = 0; i < count; ++i) {
        json += (i ? "," : "") + QByteArray("{\"start\":0,\"end\":4,\"errorType\":\"GRAMMAR\",\"candidates\":[")
                + candidates + "],\"errorInfo\":\"" + QByteArray(pad, 'x') + "\"}";
    }
    return json + "]}\n";
}

class OneReplyServer
{
public:
    explicit OneReplyServer(const QByteArray &body)
        : m_body(body)
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            QTcpSocket *socket = m_server.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                m_request += socket->readAll();
                const qsizetype end = m_request.indexOf("\r\n\r\n");
                const qsizetype at = m_request.toLower().indexOf("content-length:");
                if (end < 0 || at < 0 || m_answered)
                    return;
                const qsizetype length = m_request.mid(at + 15, m_request.indexOf('\r', at) - at - 15).trimmed().toLongLong();
                if (m_request.size() < end + 4 + length)
                    return;
                m_answered = true;
                socket->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
                socket->write(m_body);
                socket->disconnectFromHost();
            });
        });
    }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }

private:
    QTcpServer m_server;
    QByteArray m_body;
    QByteArray m_request;
    bool m_answered = false;
};

void run(const char *name, int sentences, qint64 recordBytes, int records)
{
    QByteArray body;
    const QByteArray trailer = "\r\n\n";
    qint64 raw = 0;
    for (int i = 0; i < records; ++i) {
        const QByteArray json = bigRecord(i % sentences, recordBytes);
        raw += json.size();
        body += encodeFrame(json) + trailer;
    }
    body += encodeFrame("{\"sentInd\":-1,\"lexicalScore\":0.5,\"syntaxScore\":0.5}\n") + trailer;
    OneReplyServer server(body);
    CheckTask task(server.host());
    QList<CResultState> kept;
    int code = -1;
    QObject::connect(&task, &CheckTask::signalUpdateResult, &task, [&kept](const CResultState &s) { kept << s; });
    QObject::connect(&task, &CheckTask::signalFinished, &task, [&code](QNetworkReply::NetworkError err) {
        code = int(err);
        QCoreApplication::quit();
    });
    CheckRequest request;
    request.session = QStringLiteral("bench");
    for (int i = 0; i < sentences; ++i) {
        request.sents << QStringLiteral("Sentence number %1 of the text.").arg(i);
        request.configs << 0;
    }
    const long long before = statusKb("VmRSS:");
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    QElapsedTimer timer;
    timer.start();
    task.start(request);
    QCoreApplication::exec();
    qint64 findings = 0;
    for (const CResultState &s : kept)
        findings += s.corrections.size();
    std::printf("%-40s sent %7.1f MB inflated (%5.1f MB packed)  code %3d  %5lld records  %7lld findings  "
                "peak growth %6.1f MB  %6.2f s\n",
                name, raw / 1048576.0, body.size() / 1048576.0, code, (long long)kept.size(), (long long)findings,
                (statusKb("VmHWM:") - before) / 1024.0, timer.nsecsElapsed() / 1e9);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int sentences = argc > 1 ? QByteArray(argv[1]).toInt() : 600;
    const QByteArray only = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    const qint64 budget = CheckTask::BaseReplyBytes + CheckTask::ReplyBytesPerSentence * sentences;
    if (only.isEmpty()) {
        // Each case in its own process, so that one's freed heap does not hide the next one's growth.
        std::printf("%d sentences: reply budget %.1f MB inflated\n", sentences, budget / 1048576.0);
        std::fflush(stdout);
        for (const char *name : {"largest", "limit", "tenfold"}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(), {QString::number(sentences), QString::fromLatin1(name)});
            child.waitForFinished(-1);
        }
        return 0;
    }
    const qint64 share = budget / sentences - 64;
    if (only == "largest") // the whole budget, one record per sentence
        run("largest accepted reply", sentences, share, sentences);
    else if (only == "limit") // records at the record limit until the budget is spent
        run("records at the record limit", sentences, CheckTask::MaxRecordBytes - 64,
            int(budget / CheckTask::MaxRecordBytes));
    else // refused once the budget is spent
        run("ten times the budget (refused)", sentences, share, 10 * sentences);
    return 0;
}
