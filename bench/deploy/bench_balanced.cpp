// Load on pennova-server processes behind nginx, all on loopback: 1 process without
// nginx (the baseline), then 1, 2 and 4 processes behind an unprivileged nginx that uses
// the deployment's configuration. Each of N clients logs in and checks the 10,000-word
// essay in requests of a few dozen sentences. Prints sentences/s, the p50/p99 time to
// the first streamed record of a request, the errors (there must be none), the CPU the
// servers used and how busy the whole machine was meanwhile.
//
// usage: bench_balanced [--clients N] [--processes 1,2,4] [--per-request N] [--rounds N]
//                       [--database URL] [--no-baseline]
// Without --database the processes share one SQLite data folder.

#include "farmclient.h"
#include "localfarm.h"
#include "pennovapaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {
using Clock = std::chrono::steady_clock;

struct Settings
{
    int clients = 8;
    std::vector<int> processes{1, 2, 4};
    int perRequest = 40;
    std::string database;
    bool baseline = true;
    int rounds = 3;
};

struct Config
{
    int processes = 1;
    bool nginx = true;
    std::string label;
};

struct Totals
{
    std::mutex mutex;
    std::vector<double> firstRecordMs;
    long sentences = 0;
    int requests = 0;
    int errors = 0;
    std::string firstError;
};

QString serverProgram()
{
    return QCoreApplication::applicationDirPath() + "/../bin/pennova-server";
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t rank = std::size_t(p * double(values.size() - 1) + 0.5);
    return values[std::min(rank, values.size() - 1)];
}

// Busy and total jiffies of the whole machine.
std::pair<long long, long long> machineJiffies()
{
    std::ifstream stat("/proc/stat");
    std::string cpu;
    long long user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0, steal = 0;
    stat >> cpu >> user >> nice >> system >> idle >> iowait >> irq >> softirq >> steal;
    const long long busy = user + nice + system + irq + softirq + steal;
    return {busy, busy + idle + iowait};
}

// CPU seconds a process has used.
double processCpuSeconds(qint64 pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i) {
        if (i == 14)
            utime = std::stoll(field);
        if (i == 15) {
            stime = std::stoll(field);
            break;
        }
    }
    return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

// CPU seconds of a process and of its children that are still running (nginx's workers).
double treeCpuSeconds(qint64 pid)
{
    double seconds = processCpuSeconds(pid);
    const QDir proc(QStringLiteral("/proc"));
    for (const QString &entry : proc.entryList(QDir::Dirs)) {
        bool number = false;
        const qint64 child = entry.toLongLong(&number);
        if (!number)
            continue;
        std::ifstream stat("/proc/" + entry.toStdString() + "/stat");
        const std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        const std::size_t close = text.rfind(')');
        long long parent = 0;
        char state = 0;
        if (close != std::string::npos && std::istringstream(text.substr(close + 2)) >> state >> parent && parent == pid)
            seconds += processCpuSeconds(child);
    }
    return seconds;
}

// CPU seconds of the servers, of nginx and of this program (the clients).
struct CpuSample
{
    double servers = 0;
    double nginx = 0;
    double clients = 0;
};

CpuSample cpuOf(const LocalFarm &farm)
{
    CpuSample sample;
    for (qint64 pid : farm.serverPids())
        sample.servers += processCpuSeconds(pid);
    if (farm.nginxPid() > 0)
        sample.nginx = treeCpuSeconds(farm.nginxPid());
    sample.clients = processCpuSeconds(QCoreApplication::applicationPid());
    return sample;
}

bool addUsers(const QStringList &storage, const std::vector<std::string> &names)
{
    for (std::size_t i = 0; i < names.size(); i += 2) {
        QProcess adds[2];
        for (std::size_t j = 0; j < 2 && i + j < names.size(); ++j) {
            const QString name = QString::fromStdString(names[i + j]);
            adds[j].start(serverProgram(), storage + QStringList{"user", "add", name, name + "@example.com", "loadpass123"});
        }
        for (std::size_t j = 0; j < 2 && i + j < names.size(); ++j) {
            if (!adds[j].waitForFinished(120000) || adds[j].exitStatus() != QProcess::NormalExit || adds[j].exitCode() != 0) {
                std::fprintf(stderr, "pennova-server user add %s failed: %s\n", names[i + j].c_str(),
                             adds[j].readAllStandardError().constData());
                return false;
            }
        }
    }
    return true;
}

// One client: the whole essay, request by request.
void runClient(int port, const std::string &key, const std::vector<std::string> &essay, int perRequest, Totals &totals)
{
    const FarmClient client(port);
    for (std::size_t from = 0; from < essay.size(); from += std::size_t(perRequest)) {
        const std::vector<std::string> part(essay.begin() + long(from),
                                            essay.begin() + long(std::min(essay.size(), from + std::size_t(perRequest))));
        const FarmClient::CheckReply reply = client.check(key, part);
        std::lock_guard<std::mutex> lock(totals.mutex);
        ++totals.requests;
        if (!reply.error.empty() || reply.records != int(part.size())) {
            ++totals.errors;
            if (totals.firstError.empty())
                totals.firstError = reply.error.empty() ? "missing records" : reply.error;
            continue;
        }
        totals.sentences += long(part.size());
        totals.firstRecordMs.push_back(reply.firstRecordMs);
    }
}

// The figures of one configuration in one round.
struct RoundResult
{
    double sentencesPerSecond = 0;
    std::vector<double> firstRecordMs;
    int requests = 0;
    int errors = 0;
    std::string firstError;
    CpuSample cores;         // CPU seconds per second
    double machineBusy = 0;  // share of all cores busy, other programs included
};

// All clients of one round check the essay once, each with an account of its own.
RoundResult runRound(const Settings &settings, LocalFarm &farm, const std::vector<std::string> &names,
                     const std::vector<std::string> &essay)
{
    RoundResult result;
    const int port = farm.frontPort();
    std::vector<std::string> keys;
    for (const std::string &name : names) {
        keys.push_back(FarmClient(port).login(name, "loadpass123"));
        if (keys.back().empty()) {
            result.errors = settings.clients;
            result.firstError = "login of " + name + " refused";
            return result;
        }
    }
    const CpuSample cpuBefore = cpuOf(farm);
    const auto machineBefore = machineJiffies();

    Totals totals;
    std::atomic<int> finished{0};
    std::vector<std::thread> threads;
    const auto start = Clock::now();
    for (int c = 0; c < settings.clients; ++c) {
        threads.emplace_back([&, c] {
            runClient(port, keys[std::size_t(c)], essay, settings.perRequest, totals);
            ++finished;
        });
    }
    // The event loop keeps reading the servers' logs while the clients run.
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (finished == settings.clients)
            loop.quit();
    });
    poll.start(50);
    loop.exec();
    for (std::thread &t : threads)
        t.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();

    const CpuSample cpuAfter = cpuOf(farm);
    const auto machineAfter = machineJiffies();
    result.sentencesPerSecond = double(totals.sentences) / seconds;
    result.firstRecordMs = std::move(totals.firstRecordMs);
    result.requests = totals.requests;
    result.errors = totals.errors;
    result.firstError = totals.firstError;
    result.cores.servers = (cpuAfter.servers - cpuBefore.servers) / seconds;
    result.cores.nginx = (cpuAfter.nginx - cpuBefore.nginx) / seconds;
    result.cores.clients = (cpuAfter.clients - cpuBefore.clients) / seconds;
    if (machineAfter.second > machineBefore.second)
        result.machineBusy = double(machineAfter.first - machineBefore.first) / double(machineAfter.second - machineBefore.second);
    return result;
}

void printConfig(const Config &config, const std::vector<RoundResult> &rounds)
{
    std::vector<double> throughput, latencies;
    int requests = 0, errors = 0;
    double busy = 0;
    CpuSample cores; // mean over the rounds
    double serverCpuSeconds = 0;
    double sentences = 0;
    std::string firstError;
    for (const RoundResult &r : rounds) {
        throughput.push_back(r.sentencesPerSecond);
        latencies.insert(latencies.end(), r.firstRecordMs.begin(), r.firstRecordMs.end());
        cores.servers += r.cores.servers / double(rounds.size());
        cores.nginx += r.cores.nginx / double(rounds.size());
        cores.clients += r.cores.clients / double(rounds.size());
        // Sentences per CPU second of the servers: what the machine's load does not change.
        if (r.sentencesPerSecond > 0) {
            sentences += 1;
            serverCpuSeconds += r.cores.servers / r.sentencesPerSecond;
        }
        requests += r.requests;
        errors += r.errors;
        busy += r.machineBusy / double(rounds.size());
        if (firstError.empty())
            firstError = r.firstError;
    }
    std::printf("%-32s %6.0f %5.0f-%-5.0f %6.0f %6.0f %5d/%-4d %6.0f %5.2f %5.2f %5.2f %6.0f%%\n", config.label.c_str(),
                percentile(throughput, 0.5), percentile(throughput, 0), percentile(throughput, 1),
                percentile(latencies, 0.5), percentile(latencies, 0.99), errors, requests,
                serverCpuSeconds > 0 ? sentences / serverCpuSeconds : 0.0, cores.servers, cores.nginx, cores.clients,
                100 * busy);
    if (!firstError.empty())
        std::printf("    first error: %s\n", firstError.c_str());
}

bool parse(const QStringList &arguments, Settings *settings)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (arg == "--no-baseline") {
            settings->baseline = false;
            continue;
        }
        if (i + 1 >= arguments.size())
            return false;
        const QString value = arguments[++i];
        bool ok = true;
        if (arg == "--clients") {
            settings->clients = value.toInt(&ok);
            ok = ok && settings->clients >= 1 && settings->clients <= 256;
        } else if (arg == "--rounds") {
            settings->rounds = value.toInt(&ok);
            ok = ok && settings->rounds >= 1 && settings->rounds <= 20;
        } else if (arg == "--per-request") {
            settings->perRequest = value.toInt(&ok);
            ok = ok && settings->perRequest >= 1 && settings->perRequest <= 1000;
        } else if (arg == "--database") {
            settings->database = value.toStdString();
        } else if (arg == "--processes") {
            settings->processes.clear();
            for (const QString &count : value.split(',')) {
                settings->processes.push_back(count.toInt(&ok));
                if (!ok || settings->processes.back() < 1 || settings->processes.back() > 32)
                    return false;
            }
        } else {
            return false;
        }
        if (!ok)
            return false;
    }
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Settings settings;
    if (!parse(app.arguments(), &settings)) {
        std::fprintf(stderr, "usage: bench_balanced [--clients N] [--processes 1,2,4] [--per-request N] [--rounds N] "
                             "[--database URL] [--no-baseline]\n");
        return 2;
    }
    if (LocalFarm::nginxProgram().isEmpty())
        std::printf("nginx is not installed: only the baseline runs (scripts/install-deps.sh installs it)\n");
    QFile file(QStringLiteral(PENNOVA_SHARED_DIR "/bench-data/essay/essay10k.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "essay10k.txt not found under %s\n", PENNOVA_SHARED_DIR);
        return 1;
    }
    const std::vector<std::string> essay = FarmClient::sentencesOf(file.readAll().toStdString());

    std::vector<Config> configs;
    if (settings.baseline)
        configs.push_back({1, false, "1 process, no nginx (baseline)"});
    if (!LocalFarm::nginxProgram().isEmpty()) {
        for (int n : settings.processes)
            configs.push_back({n, true, std::to_string(n) + (n == 1 ? " process" : " processes") + " behind nginx"});
    }

    QTemporaryDir dir;
    QStringList storage{"--data", dir.path() + "/data"};
    if (!settings.database.empty())
        storage << "--database" << QString::fromStdString(settings.database);
    // Accounts of their own per configuration and round, so that no run inherits
    // another's word budget; two at a time (each costs a memory-hard hash).
    std::vector<std::vector<std::vector<std::string>>> names(configs.size());
    std::vector<std::string> all;
    for (std::size_t c = 0; c < configs.size(); ++c) {
        names[c].resize(std::size_t(settings.rounds));
        for (int r = 0; r < settings.rounds; ++r) {
            for (int i = 0; i < settings.clients; ++i) {
                names[c][std::size_t(r)].push_back("load" + std::to_string(c) + "r" + std::to_string(r) + "x" + std::to_string(i));
                all.push_back(names[c][std::size_t(r)].back());
            }
        }
    }
    if (!addUsers(storage, all))
        return 1;

    std::printf("essay: %zu sentences; %d clients each check it once per round, in requests of up to %d sentences;"
                " %d rounds\n", essay.size(), settings.clients, settings.perRequest, settings.rounds);
    std::printf("storage: %s; machine: %u cores\n",
                settings.database.empty() ? "SQLite, one data folder shared by all processes" : "--database URL",
                std::thread::hardware_concurrency());

    // Every configuration runs at once (idle processes cost nothing), and the rounds take
    // them in turn, so that a change in the machine's other load hits them alike.
    std::vector<std::unique_ptr<LocalFarm>> farms;
    for (const Config &config : configs) {
        farms.push_back(std::make_unique<LocalFarm>(serverProgram(), storage));
        LocalFarm &farm = *farms.back();
        const auto loadStart = Clock::now();
        if (!farm.startServers(config.processes, 300000) || (config.nginx && !farm.startNginx(30000))) {
            std::fprintf(stderr, "%s could not start: %s\n", config.label.c_str(), qPrintable(farm.error()));
            return 1;
        }
        std::printf("started %s in %.1f s\n", config.label.c_str(),
                    std::chrono::duration<double>(Clock::now() - loadStart).count());
        // Warm-up: one request straight to each process, not counted.
        const std::string key = FarmClient(farm.frontPort()).login(names[farms.size() - 1][0][0], "loadpass123");
        const std::vector<std::string> warmUp(essay.begin(), essay.begin() + std::min<long>(long(essay.size()), settings.perRequest));
        for (int port : farm.serverPorts())
            FarmClient(port).check(key, warmUp);
    }
    std::fflush(stdout);

    std::vector<std::vector<RoundResult>> results(configs.size());
    for (int r = 0; r < settings.rounds; ++r) {
        for (std::size_t c = 0; c < configs.size(); ++c)
            results[c].push_back(runRound(settings, *farms[c], names[c][std::size_t(r)], essay));
    }
    std::printf("\n%-32s %6s %11s %6s %6s %10s %6s %5s %5s %5s %7s\n", "", "sent/s", "(min-max)", "p50 ms",
                "p99 ms", "errors/req", "s/cpus", "srv", "nginx", "cli", "machine");
    bool ok = true;
    for (std::size_t c = 0; c < configs.size(); ++c) {
        printConfig(configs[c], results[c]);
        for (const RoundResult &r : results[c])
            ok = ok && r.errors == 0;
    }
    std::printf("sent/s: median of the rounds; p50/p99: time to the first streamed record of a request, over\n"
                "all rounds; s/cpus: sentences per CPU second of the servers; srv, nginx, cli: cores used by\n"
                "the servers, nginx and the clients (this program); machine: busy share of all cores during\n"
                "the runs, other programs included\n");
    return ok ? 0 : 1;
}
