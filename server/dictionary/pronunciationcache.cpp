#include "pronunciationcache.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <chrono>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace PennovaDictionary {

namespace {

constexpr qint64 MaxMp3Bytes = 2 * 1024 * 1024;
constexpr int ToolTimeoutMs = 15000;

std::string findTool(const char *name, const std::string &dir)
{
    const QStringList paths = dir.empty() ? QStringList() : QStringList{QString::fromStdString(dir)};
    return QStandardPaths::findExecutable(QString::fromLatin1(name), paths).toStdString();
}

// Runs the program with its arguments, no shell; true when it ended with 0 in time.
bool run(const std::vector<std::string> &args)
{
    std::vector<char *> argv;
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ToolTimeoutMs);
    int status = 0;
    for (;;) {
        const pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        if (r < 0 && errno != EINTR)
            return false;
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::string readSmallFile(const std::string &path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxMp3Bytes)
        return {};
    return file.readAll().toStdString();
}

} // namespace

PronunciationCache::PronunciationCache(std::string cacheDir, std::string toolsDir)
    : m_cacheDir(std::move(cacheDir))
    , m_espeak(findTool("espeak-ng", toolsDir))
    , m_lame(findTool("lame", toolsDir))
{
    m_available = !m_espeak.empty() && !m_lame.empty() && !m_cacheDir.empty();
}

bool PronunciationCache::speakable(const std::string &w)
{
    if (w.empty() || w.size() > 40)
        return false;
    bool letter = false;
    for (char c : w) {
        if (c >= 'a' && c <= 'z')
            letter = true;
        else if (c != ' ' && c != '-' && c != '\'')
            return false;
    }
    return letter;
}

std::string PronunciationCache::fileName(const std::string &w)
{
    std::string name;
    for (char c : w)
        name += c == ' ' ? std::string("_") : c == '\'' ? std::string("~") : std::string(1, c);
    return name + ".mp3";
}

int PronunciationCache::madeCount() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_made;
}

std::string PronunciationCache::mp3(const std::string &word)
{
    if (!m_available || !speakable(word))
        return {};
    const std::string path = m_cacheDir + "/" + fileName(word);
    std::unique_lock<std::mutex> lock(m_lock);
    // Another request is making this word: wait for it rather than make it twice.
    m_done.wait(lock, [this, &word] { return m_making.count(word) == 0; });
    std::string data = readSmallFile(path);
    if (!data.empty())
        return data;
    m_making.insert(word);
    lock.unlock();
    const bool made = make(word, path);
    lock.lock();
    m_making.erase(word);
    m_made += made ? 1 : 0;
    m_done.notify_all();
    return made ? readSmallFile(path) : std::string();
}

bool PronunciationCache::make(const std::string &word, const std::string &path)
{
    if (!QDir().mkpath(QString::fromStdString(m_cacheDir)))
        return false;
    QFile::setPermissions(QString::fromStdString(m_cacheDir),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Temporary names unique to this thread; the finished file appears by rename only.
    const std::string stem = path + ".part" + std::to_string(std::hash<std::thread::id>()(std::this_thread::get_id()));
    const std::string wav = stem + ".wav";
    const std::string mp3 = stem + ".mp3";
    // "--" keeps a word such as "-x" from being read as an option.
    bool ok = run({m_espeak, "-v", "en-us", "-s", "150", "-w", wav, "--", word})
        && run({m_lame, "--quiet", "-m", "m", "-b", "48", wav, mp3})
        && std::rename(mp3.c_str(), path.c_str()) == 0;
    std::remove(wav.c_str());
    std::remove(mp3.c_str());
    return ok;
}

} // namespace PennovaDictionary
