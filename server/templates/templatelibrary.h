#pragma once

#include "templatefile.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace PennovaTemplates {

// The templates of the template service: every "*.tpl" file of one folder, parsed into
// the JSON replies of the catalog and of each template. The folder is read again when
// its files change (checked at most once per interval), so that a teacher can add or
// edit templates while the server runs. A malformed file is left out with a message
// naming the file and the line; the others are served. Thread-safe.
class TemplateLibrary
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using Reporter = std::function<void(const std::string &message)>;

    // folder: the templates folder; its "files" subfolder holds documents and covers.
    // reloadInterval: least time between two looks at the folder (0 = on every call).
    // report: where the messages about rejected files go (empty = standard error).
    TemplateLibrary(std::string folder, std::chrono::milliseconds reloadInterval, Reporter report = {},
                    Clock clock = {});
    ~TemplateLibrary();

    // Copies the shipped templates into `folder` when it does not exist yet; false when
    // the copy failed.
    static bool seed(const std::string &folder, const std::string &shippedFolder);

    // Looks at the folder when the interval has passed and reloads it when it changed.
    void refresh();

    // The catalog reply: a JSON array of categories, each with its templates.
    std::string catalogJson() const;
    // A detailed template's reply; false for an unknown id or a simple template.
    bool highJson(int id, std::string *out) const;
    // A simple template's reply, its addresses under fileBase ("http://host/..."); false
    // for an unknown id or a detailed template.
    bool lowJson(int id, const std::string &fileBase, std::string *out) const;

    // The messages of the last load, one per rejected file ("name.tpl:LINE: reason").
    std::vector<std::string> errors() const;
    // The templates of the last load, by id.
    std::vector<int> ids() const;

    std::string filesFolder() const { return m_folder + "/files"; }

    // The JSON replies of a set of parsed templates (used by the loader and the tests).
    static std::string catalogJson(const std::vector<TemplateFile> &templates);
    static std::string highJson(const TemplateFile &t);
    static std::string lowJson(const TemplateFile &t, const std::string &fileBase);

private:
    struct Snapshot;
    std::shared_ptr<const Snapshot> load(const std::string &signature) const;
    std::string signature() const;
    std::shared_ptr<const Snapshot> current() const;

    const std::string m_folder;
    const std::chrono::milliseconds m_interval;
    Reporter m_report;
    Clock m_clock;
    mutable std::mutex m_mutex;
    std::shared_ptr<const Snapshot> m_snapshot;
    std::chrono::steady_clock::time_point m_lastLook;
    bool m_looked = false;
};

} // namespace PennovaTemplates
