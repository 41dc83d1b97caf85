// Load on pennova-server processes behind nginx, all on loopback: 1 process without
// nginx (the baseline), then 1, 2 and 4 processes behind an unprivileged nginx that uses
// the deployment's configuration. Each of N clients logs in and checks the 10,000-word
// essay in requests of a few dozen sentences. Prints sentences/s, the p50/p99 time to
// the first streamed record of a request, the errors (there must be none), the CPU the
// servers used and how busy the whole machine was meanwhile.
//
// usage: bench_balanced [--clients N] [--processes 1,2,4] [--per-request N]
//                       [--database URL] [--no-baseline]
// Without --database the processes share one SQLite data folder.

#include "farmclient.h"
#include "localfarm.h"
#include "pennovapaths.h"

#include <QCoreApplication>
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

bool addUser(const QStringList &storage, const QString &name)
{
    QProcess add;
    add.start(serverProgram(), storage + QStringList{"user", "add", name, name + "@example.com", "loadpass123"});
    return add.waitForFinished(120000) && add.exitStatus() == QProcess::NormalExit && add.exitCode() == 0;
}

QString userName(int config, int client)
{
    return QStringLiteral("load%1x%2").arg(config).arg(client);
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

bool runConfig(const Settings &settings, int index, const Config &config, const QStringList &storage,
               const std::vector<std::string> &essay)
{
    LocalFarm farm(serverProgram(), storage);
    const auto loadStart = Clock::now();
    if (!farm.startServers(config.processes, 300000) || (config.nginx && !farm.startNginx(30000))) {
        std::printf("%-34s could not start: %s\n", config.label.c_str(), qPrintable(farm.error()));
        return false;
    }
    const double loadSeconds = std::chrono::duration<double>(Clock::now() - loadStart).count();
    const int port = farm.frontPort();

    std::vector<std::string> keys;
    for (int c = 0; c < settings.clients; ++c) {
        keys.push_back(FarmClient(port).login(userName(index, c).toStdString(), "loadpass123"));
        if (keys.back().empty()) {
            std::printf("%-34s login %d refused\n", config.label.c_str(), c);
            return false;
        }
    }
    // Warm-up: one request straight to each process, not counted.
    const std::vector<std::string> warmUp(essay.begin(), essay.begin() + std::min<long>(long(essay.size()), settings.perRequest));
    for (int serverPort : farm.serverPorts())
        FarmClient(serverPort).check(keys[0], warmUp);

    const QList<qint64> pids = farm.serverPids();
    double cpuBefore = 0;
    for (qint64 pid : pids)
        cpuBefore += processCpuSeconds(pid);
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

    double cpuAfter = 0;
    for (qint64 pid : pids)
        cpuAfter += processCpuSeconds(pid);
    const auto machineAfter = machineJiffies();
    const double machineBusy = machineAfter.second > machineBefore.second
        ? double(machineAfter.first - machineBefore.first) / double(machineAfter.second - machineBefore.second)
        : 0;

    std::printf("%-34s %8.1f %9.0f %9.0f %6d/%-4d %9.2f %8.0f%% %6.1f\n", config.label.c_str(), totals.sentences / seconds,
                percentile(totals.firstRecordMs, 0.5), percentile(totals.firstRecordMs, 0.99), totals.errors,
                totals.requests, (cpuAfter - cpuBefore) / seconds, 100 * machineBusy, loadSeconds);
    if (!totals.firstError.empty())
        std::printf("    first error: %s\n", totals.firstError.c_str());
    std::fflush(stdout);
    return totals.errors == 0;
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
        std::fprintf(stderr, "usage: bench_balanced [--clients N] [--processes 1,2,4] [--per-request N] "
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
    // Accounts of their own per run, so that no run inherits another's word budget.
    for (std::size_t c = 0; c < configs.size(); ++c) {
        for (int i = 0; i < settings.clients; ++i) {
            if (!addUser(storage, userName(int(c), i))) {
                std::fprintf(stderr, "cannot create the accounts (pennova-server user add failed)\n");
                return 1;
            }
        }
    }

    std::printf("essay: %zu sentences, requests of up to %d sentences, %d clients, each checking the essay once\n",
                essay.size(), settings.perRequest, settings.clients);
    std::printf("storage: %s; machine: %u cores\n",
                settings.database.empty() ? "SQLite, one data folder shared by the processes" : "--database URL",
                std::thread::hardware_concurrency());
    std::printf("%-34s %8s %9s %9s %11s %9s %9s %6s\n", "", "sent/s", "p50 ms", "p99 ms", "errors/req",
                "srv cores", "machine", "load s");
    bool ok = true;
    for (std::size_t c = 0; c < configs.size(); ++c)
        ok = runConfig(settings, int(c), configs[c], storage, essay) && ok;
    std::printf("p50/p99: time to the first streamed record of a request; srv cores: CPU seconds of the servers\n"
                "per second; machine: busy share of all cores, other programs included; load s: start-up\n");
    return ok ? 0 : 1;
}
