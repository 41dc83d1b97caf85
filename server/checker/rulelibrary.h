#pragma once
// A school's own rules: every "*.rules" file of one folder (the server's DATA/rules),
// read again when its files change (looked at most once per interval), so that a
// teacher can add or edit rules while the server runs. A broken file is left out with
// a message naming the file and the line; the others load. The rule ids given as
// disabled are switched off, built-in ones included. Thread-safe.

#include "ruleengine.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace PennovaChecker {

class RuleLibrary
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using Reporter = std::function<void(const std::string &message)>;

    // reloadInterval: least time between two looks at the folder (0 = on every call).
    // report: where the messages about rejected files go (empty = standard error).
    RuleLibrary(std::string folder, std::vector<std::string> disabled, std::chrono::milliseconds reloadInterval,
                Reporter report = {}, Clock clock = {});

    // Looks at the folder when the interval has passed and reloads it when it changed.
    void refresh();
    // The rules of the last load, never null; kept alive by whoever holds it.
    std::shared_ptr<const RuleEngine> current() const;

private:
    std::string signature() const;

    const std::string m_folder;
    const std::vector<std::string> m_disabled;
    const std::chrono::milliseconds m_interval;
    Reporter m_report;
    Clock m_clock;
    mutable std::mutex m_mutex;
    std::shared_ptr<const RuleEngine> m_engine;
    std::string m_signature;
    std::chrono::steady_clock::time_point m_lastLook;
    bool m_looked = false;
};

} // namespace PennovaChecker
