// Server memory per request: runs pennova-server in this process and prints how far
// each hostile but accepted (or refused) check and polish request raises the peak
// resident memory, and how long it takes.
// Usage: bench_requestmemory [--sentences N] (sentences of the longest accepted kind).

#include "frame.h"
#include "passwordhasher.h"
#include "serveroptions.h"
#include "serverstorage.h"
#include "serviceserver.h"
#include "checkrequest.h"

#include <httplib.h>

#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

using namespace PennovaServer;

namespace {

long statusKiB(const char *field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field));
    }
    return -1;
}

// Lets the peak resident size start again from the current one.
void resetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::string checkBody(const std::string &session, const std::vector<std::string> &sentences)
{
    ZeltraLib::CheckRequest request;
    request.session = QString::fromStdString(session);
    for (const std::string &s : sentences) {
        request.sents << QString::fromStdString(s);
        request.configs << 0;
    }
    return ZeltraLib::encodeFrame(ZeltraLib::checkRequestJson(request)).toStdString();
}

std::string polishBody(const std::string &session, const std::vector<std::string> &sentences)
{
    std::string json = "{\"clientVersion\":\"0.9.2.0\",\"confidence\":1,\"sents\":[";
    for (std::size_t i = 0; i < sentences.size(); ++i)
        json += (i ? ",\"" : "\"") + sentences[i] + "\"";
    json += "],\"session\":\"" + session + "\"}\n";
    return ZeltraLib::encodeFrame(QByteArray::fromStdString(json)).toStdString();
}

void measure(int port, const char *name, const std::string &path, const std::string &body)
{
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(600, 0);
    const long before = statusKiB("VmRSS:");
    resetPeak();
    const auto start = std::chrono::steady_clock::now();
    const auto res = client.Post(path.c_str(), body, "application/x-www-form-urlencoded");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const long peak = statusKiB("VmHWM:");
    std::printf("%-44s status %3d  reply %9zu B  peak growth %7.1f MB  %6.2f s\n", name, res ? res->status : -1,
                res ? res->body.size() : 0, double(peak - before) / 1024.0, seconds);
}

} // namespace

int main(int argc, char **argv)
{
    int count = 20000;
    if (argc == 3 && std::strcmp(argv[1], "--sentences") == 0)
        count = std::atoi(argv[2]);
    QTemporaryDir dir;
    ServerOptions options;
    options.dataDir = dir.path().toStdString();
    options.port = 0;
    options.fastPasswordHash = true;
    options.logRequests = false;
    options.maxWordsPerMinute = 1 << 30;
    ServiceServer server(options);
    const int port = server.bind();
    std::thread runner([&server] { server.run(); });
    while (!server.isRunning())
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    server.storage().accounts().create("benchuser", "bench@example.org", PasswordHasher::protocolHash("secret1"));
    httplib::Client client("127.0.0.1", port);
    const auto login = client.Post("/Login-new.ashx",
                                   "userName=benchuser&hashUserPassword=" + PasswordHasher::protocolHash("secret1"),
                                   "application/x-www-form-urlencoded");
    const std::string session = login ? login->body.substr(8, 32) : std::string();
    std::printf("base resident size %.1f MB\n", double(statusKiB("VmRSS:")) / 1024.0);

    const std::string commas(7 * 1024 * 1024, ',');
    measure(port, "check: one sentence of 7 MiB commas", "/apps_compressed/", checkBody(session, {commas}));
    measure(port, "polish: one sentence of 7 MiB commas", "/lexsub/", polishBody(session, {commas}));
    const std::vector<std::string> longest(std::size_t(count), std::string(options.maxSentenceTokens, ','));
    measure(port, "check: sentences of the most commas", "/apps_compressed/", checkBody(session, longest));
    std::string letters;
    while (letters.size() + 2 <= std::size_t(options.maxSentenceCharacters) && letters.size() / 2 < std::size_t(options.maxSentenceTokens))
        letters += "a ";
    const std::vector<std::string> manyWords(7 * 1024 * 1024 / letters.size(), letters);
    measure(port, "check: 7 MiB of one-letter words", "/apps_compressed/", checkBody(session, manyWords));
    std::string words;
    while (words.size() + 6 < std::size_t(options.maxSentenceCharacters) && words.size() / 5 < std::size_t(options.maxSentenceTokens) - 1)
        words += "wrdz ";
    const std::vector<std::string> misspelt(std::size_t(options.maxWordsPerCheck) / (std::size_t(options.maxSentenceTokens) - 1) - 1, words + ".");
    measure(port, "check: the longest misspelt sentences", "/apps_compressed/", checkBody(session, misspelt));
    measure(port, "polish: the longest misspelt sentences", "/lexsub/", polishBody(session, misspelt));
    server.stop();
    runner.join();
    return 0;
}
