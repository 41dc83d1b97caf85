#include "rulelibrary.h"

#include <algorithm>
#include <filesystem>
#include <iostream>

namespace PennovaChecker {

RuleLibrary::RuleLibrary(std::string folder, std::vector<std::string> disabled,
                         std::chrono::milliseconds reloadInterval, Reporter report, Clock clock)
    : m_folder(std::move(folder))
    , m_disabled(std::move(disabled))
    , m_interval(reloadInterval)
    , m_report(report ? std::move(report) : Reporter([](const std::string &m) { std::cerr << "rules: " << m << "\n"; }))
    , m_clock(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); }))
{
    refresh();
}

std::string RuleLibrary::signature() const
{
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<std::string> lines;
    for (const fs::directory_entry &e : fs::directory_iterator(m_folder, ec)) {
        if (e.path().extension() != ".rules")
            continue;
        std::error_code fileError;
        const auto size = e.file_size(fileError);
        const auto stamp = e.last_write_time(fileError).time_since_epoch().count();
        lines.push_back(e.path().filename().string() + "|" + std::to_string(size) + "|" + std::to_string(stamp));
    }
    std::sort(lines.begin(), lines.end());
    std::string s;
    for (const std::string &l : lines)
        s += l + "\n";
    return s;
}

void RuleLibrary::refresh()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto now = m_clock();
        if (m_looked && now - m_lastLook < m_interval)
            return;
        m_looked = true;
        m_lastLook = now;
    }
    // Several threads may look at once; the last to finish wins (all read the same files).
    const std::string now = signature();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_engine && m_signature == now)
            return;
    }
    auto fresh = std::make_shared<RuleEngine>();
    for (const std::string &id : m_disabled)
        fresh->disable(id);
    fresh->loadFolder(m_folder);
    for (const std::string &message : fresh->errors())
        m_report(message);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_engine = std::move(fresh);
    m_signature = now;
}

std::shared_ptr<const RuleEngine> RuleLibrary::current() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_engine;
}

} // namespace PennovaChecker
