// Dictionary page speed of pennova-server: the time to build "/tessel/find" pages for the
// most frequent words and "/tessel/translate" pages for essay sentences in the room, and
// the round trip of a look-up over loopback HTTP; the start-up time of the dictionary data.
//
// usage: bench_dictionary [WORDS]   (default 2000 most frequent words)

#include "dictionarypages.h"
#include "serviceserver.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>
#include "pennovapaths.h"

using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(const char *what, std::vector<double> times)
{
    if (times.empty())
        return;
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times)
        sum += t;
    std::printf("%-28s n=%5zu  mean %6.2f ms  median %6.2f ms  p99 %6.2f ms  max %6.2f ms\n", what, times.size(),
                sum / double(times.size()), times[times.size() / 2], times[times.size() * 99 / 100], times.back());
}

std::vector<std::string> frequentWords(std::size_t count)
{
    std::ifstream in(PENNOVA_SOURCE_DIR "/server/checker/data/frequency_dictionary_en_82_765.txt");
    std::vector<std::string> words;
    std::string line;
    while (words.size() < count && std::getline(in, line)) {
        if (line.size() >= 3 && static_cast<unsigned char>(line[0]) == 0xEF)
            line.erase(0, 3);
        words.push_back(line.substr(0, line.find(' ')));
    }
    return words;
}

std::vector<std::string> essayLines(std::size_t count)
{
    QFile file(QStringLiteral(PENNOVA_SHARED_DIR "/bench-data/essay/essay10k.txt"));
    std::vector<std::string> out;
    if (!file.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty() && out.size() < count)
            out.push_back(line.left(300).toStdString());
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const std::size_t count = argc > 1 ? std::size_t(std::max(1, std::atoi(argv[1]))) : 2000;
    QTemporaryDir dir;

    Clock::time_point start = Clock::now();
    PennovaDictionary::DictionaryPages pages(PennovaDictionary::DictionaryPages::defaultPaths(dir.path().toStdString()));
    std::printf("dictionary data loaded in %.0f ms\n", msSince(start));

    std::vector<double> times;
    std::size_t bytes = 0;
    for (const std::string &word : frequentWords(count)) {
        start = Clock::now();
        bytes += pages.findPage(word).size();
        times.push_back(msSince(start));
    }
    report("find page (room)", times);
    std::printf("%-28s %zu bytes per page on average\n", "", bytes / std::max<std::size_t>(1, times.size()));

    times.clear();
    for (const std::string &line : essayLines(300)) {
        start = Clock::now();
        pages.translatePage(line);
        times.push_back(msSince(start));
    }
    report("translate page, <=300 chars", times);

    PennovaServer::ServerOptions options;
    options.port = 0;
    options.dataDir = dir.path().toStdString() + "/server";
    options.logRequests = false;
    options.threads = 4;
    PennovaServer::ServiceServer server(options);
    const int port = server.bind();
    std::thread serving([&server] { server.run(); });
    httplib::Client client("127.0.0.1", port);
    // The server loads its dictionary in the background: the first page waits for it.
    start = Clock::now();
    client.Get("/tessel/find?content=start");
    std::printf("first page after start        %.0f ms (waits for the data)\n", msSince(start));
    times.clear();
    for (const std::string &word : frequentWords(std::min<std::size_t>(count, 500))) {
        const std::string path = "/tessel/find?content=" + QUrl::toPercentEncoding(QString::fromStdString(word)).toStdString();
        start = Clock::now();
        const httplib::Result res = client.Get(path);
        if (res && res->status == 200)
            times.push_back(msSince(start));
    }
    report("find page over HTTP", times);
    start = Clock::now();
    const httplib::Result audio = client.Get("/tessel/audio/environment.mp3");
    std::printf("first pronunciation (made)   %.1f ms, %zu bytes\n", msSince(start), audio ? audio->body.size() : 0);
    start = Clock::now();
    client.Get("/tessel/audio/environment.mp3");
    std::printf("second pronunciation (cache) %.1f ms\n", msSince(start));
    server.stop();
    serving.join();
    return 0;
}
