// Check throughput of pennova-server: sentences per second over loopback HTTP for one
// and for two concurrent clients, time to the first streamed record, and the peak
// memory (VmHWM) of the process, which holds both the server and the clients.
//
// usage: bench_throughput [ROUNDS]   (default 2 passes over the essay per client)

#include "pennovapaths.h"
#include "checkrequest.h"
#include "frame.h"
#include "passwordhasher.h"
#include "sentencesplitter.h"
#include "serverstorage.h"
#include "serviceserver.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <httplib.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

using Clock = std::chrono::steady_clock;

namespace {
constexpr int SentencesPerRequest = 40;

std::vector<std::string> essaySentences()
{
    QFile file(QStringLiteral(PENNOVA_SHARED_DIR "/bench-data/essay/essay10k.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<std::string> out;
    for (const QString &paragraph : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        int start = 0;
        for (int end : ZeltraLib::splitSentences(paragraph)) {
            const QString sentence = paragraph.mid(start, end - start + 1).trimmed();
            if (!sentence.isEmpty())
                out.push_back(sentence.toStdString());
            start = end + 1;
        }
    }
    return out;
}

std::string checkFrame(const std::string &key, const std::vector<std::string> &sentences, std::size_t from,
                       std::size_t count)
{
    ZeltraLib::CheckRequest request;
    request.session = QString::fromStdString(key);
    for (std::size_t i = from; i < from + count && i < sentences.size(); ++i) {
        request.sents << QString::fromStdString(sentences[i]);
        request.configs << 0;
    }
    return ZeltraLib::encodeFrame(ZeltraLib::checkRequestJson(request)).toStdString();
}

struct Run
{
    long sentences = 0;
    long records = 0;
    double firstRecordMs = 0; // mean over requests
    bool ok = true;
};

// One client: the whole essay, ROUNDS times, in requests of SentencesPerRequest.
Run client(int port, const std::string &key, const std::vector<std::string> &sentences, int rounds)
{
    Run run;
    httplib::Client http("127.0.0.1", port);
    http.set_read_timeout(300, 0);
    int requests = 0;
    double firstTotal = 0;
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t from = 0; from < sentences.size(); from += SentencesPerRequest) {
            httplib::Request req;
            req.method = "POST";
            req.path = "/apps_compressed/";
            req.set_header("Content-Type", "application/x-www-form-urlencoded");
            req.body = checkFrame(key, sentences, from, SentencesPerRequest);
            const auto sent = Clock::now();
            bool first = true;
            std::string stream;
            req.content_receiver = [&](const char *data, size_t length, uint64_t, uint64_t) {
                if (first) {
                    firstTotal += std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
                    first = false;
                }
                stream.append(data, length);
                return true;
            };
            const auto res = http.send(req);
            if (!res || res->status != 200) {
                run.ok = false;
                return run;
            }
            ++requests;
            run.sentences += long(std::min<std::size_t>(SentencesPerRequest, sentences.size() - from));
            for (std::size_t pos = 0; pos < stream.size();) {
                const auto header = ZeltraLib::readFrameHeader(stream.data() + pos, qint64(stream.size() - pos));
                if (header.status != ZeltraLib::FrameHeader::Complete)
                    break;
                pos += std::size_t(header.headerLength + header.packedLength) + 3;
                ++run.records;
            }
        }
    }
    run.firstRecordMs = requests ? firstTotal / requests : 0;
    return run;
}

long vmHwmKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2;
    const std::vector<std::string> sentences = essaySentences();
    if (sentences.empty()) {
        std::fprintf(stderr, "essay10k.txt not found under %s\n", PENNOVA_SHARED_DIR);
        return 1;
    }
    QTemporaryDir dir;
    PennovaServer::ServerOptions options;
    options.dataDir = dir.path().toStdString();
    options.port = 0;
    options.fastPasswordHash = true;
    options.logRequests = false;
    // The benchmark sends the essay many times a minute; the per-minute limit is for people.
    options.maxWordsPerMinute = 1 << 30;

    const long beforeKb = vmHwmKb();
    const auto loadStart = Clock::now();
    PennovaServer::ServiceServer server(options);
    const double loadMs = std::chrono::duration<double, std::milli>(Clock::now() - loadStart).count();
    const int port = server.bind();
    if (port <= 0)
        return 1;
    std::thread serving([&server] { server.run(); });
    while (!server.isRunning())
        std::this_thread::yield();

    server.storage().accounts().create("benchuser", "b@example.com", PennovaServer::PasswordHasher::protocolHash("benchpass"));
    std::string keys[2];
    for (std::string &key : keys) {
        httplib::Client http("127.0.0.1", port);
        const auto res = http.Post("/Login-new.ashx", "userName=benchuser&hashUserPassword="
                                   + PennovaServer::PasswordHasher::protocolHash("benchpass"),
                                   "application/x-www-form-urlencoded");
        if (!res || res->body.rfind("Success|", 0) != 0)
            return 1;
        key = res->body.substr(8, 32);
    }
    const long loadedKb = vmHwmKb();

    std::printf("essay: %zu sentences, %d request(s) of up to %d sentences per pass, %d pass(es) per client\n",
                sentences.size(), int((sentences.size() + SentencesPerRequest - 1) / SentencesPerRequest),
                SentencesPerRequest, rounds);
    std::printf("server start (checker load): %.0f ms\n", loadMs);

    // Warm-up pass, not counted.
    client(port, keys[0], sentences, 1);

    auto start = Clock::now();
    const Run one = client(port, keys[0], sentences, rounds);
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("1 client : %ld sentences in %.2f s = %.1f sentences/s, first record after %.1f ms (mean)%s\n",
                one.sentences, seconds, one.sentences / seconds, one.firstRecordMs, one.ok ? "" : "  [FAILED]");

    Run two[2];
    start = Clock::now();
    std::thread other([&] { two[1] = client(port, keys[1], sentences, rounds); });
    two[0] = client(port, keys[0], sentences, rounds);
    other.join();
    seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const long total = two[0].sentences + two[1].sentences;
    std::printf("2 clients: %ld sentences in %.2f s = %.1f sentences/s together, first record after %.1f / %.1f ms%s\n",
                total, seconds, total / seconds, two[0].firstRecordMs, two[1].firstRecordMs,
                two[0].ok && two[1].ok ? "" : "  [FAILED]");
    std::printf("records received: %ld (1 client), %ld (2 clients)\n", one.records, two[0].records + two[1].records);
    std::printf("memory VmHWM: %ld kB at start, %ld kB after loading, %ld kB after the runs\n", beforeKb, loadedKb,
                vmHwmKb());

    server.stop();
    serving.join();
    return one.ok && two[0].ok && two[1].ok ? 0 : 1;
}
