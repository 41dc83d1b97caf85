#include "templatelibrary.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <json/json.h>

#include <iostream>
#include <set>

namespace PennovaTemplates {

struct TemplateLibrary::Snapshot
{
    std::string signature;
    std::string catalog;
    std::map<int, TemplateFile> templates;
    std::vector<std::string> errors;
};

namespace {

std::string compact(const Json::Value &value)
{
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, value);
}

Json::Value pairJson(const SentenceText &s)
{
    Json::Value v(Json::objectValue);
    v["Content"] = s.content;
    v["Translation"] = s.translation;
    return v;
}

Json::Value pairsJson(const std::vector<SentenceText> &list)
{
    Json::Value v(Json::arrayValue);
    for (const SentenceText &s : list)
        v.append(pairJson(s));
    return v;
}

QFileInfoList templateFiles(const std::string &folder)
{
    return QDir(QString::fromStdString(folder))
        .entryInfoList({QStringLiteral("*.tpl")}, QDir::Files | QDir::Readable, QDir::Name);
}

// Category ids lie above every template id (which stop at 99,999,999).
constexpr int FirstCategoryId = 100000000;

} // namespace

TemplateLibrary::TemplateLibrary(std::string folder, std::chrono::milliseconds reloadInterval, Reporter report,
                                 Clock clock)
    : m_folder(std::move(folder))
    , m_interval(reloadInterval)
    , m_report(report ? std::move(report) : Reporter([](const std::string &m) { std::cerr << "templates: " << m << "\n"; }))
    , m_clock(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); }))
{
    refresh();
}

TemplateLibrary::~TemplateLibrary() = default;

bool TemplateLibrary::seed(const std::string &folder, const std::string &shippedFolder)
{
    const QString target = QString::fromStdString(folder);
    if (QFileInfo::exists(target))
        return true;
    const QString source = QString::fromStdString(shippedFolder);
    if (!QFileInfo(source).isDir())
        return QDir().mkpath(target);
    // Copied into a side folder of its own first, so that a failed copy leaves no
    // half-filled folder and servers starting together on a fresh data folder do not
    // copy into each other's.
    QDir().mkpath(QFileInfo(target).path());
    QTemporaryDir staging(target + QStringLiteral(".seeding-XXXXXX"));
    bool ok = staging.isValid();
    QDirIterator it(source, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (ok && it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(source).relativeFilePath(path);
        const QString to = staging.path() + "/" + relative;
        ok = QDir().mkpath(QFileInfo(to).path()) && QFile::copy(path, to);
    }
    ok = ok && QDir().mkpath(staging.path() + QStringLiteral("/files"));
    // Fails when another server got there first; its copy is as good.
    if (ok && !QDir().rename(staging.path(), target))
        return QFileInfo::exists(target);
    return ok;
}

std::string TemplateLibrary::signature() const
{
    std::string s;
    for (const QFileInfo &info : templateFiles(m_folder))
        s += info.fileName().toStdString() + "|" + std::to_string(info.size()) + "|"
             + std::to_string(info.lastModified().toMSecsSinceEpoch()) + "\n";
    return s;
}

void TemplateLibrary::refresh()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto now = m_clock();
        if (m_looked && now - m_lastLook < m_interval)
            return;
        m_looked = true;
        m_lastLook = now;
    }
    // Several threads may look at once; each loads only what changed since the snapshot
    // it saw, and the last to finish wins (all of them read the same files).
    const std::string now = signature();
    const auto seen = current();
    if (seen && seen->signature == now)
        return;
    auto fresh = load(now);
    for (const std::string &message : fresh->errors)
        m_report(message);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_snapshot = std::move(fresh);
}

std::shared_ptr<const TemplateLibrary::Snapshot> TemplateLibrary::current() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_snapshot;
}

std::shared_ptr<const TemplateLibrary::Snapshot> TemplateLibrary::load(const std::string &signature) const
{
    auto snapshot = std::make_shared<Snapshot>();
    snapshot->signature = signature;
    std::map<int, std::string> owners;
    std::vector<TemplateFile> loaded;
    for (const QFileInfo &info : templateFiles(m_folder)) {
        const std::string name = info.fileName().toStdString();
        QFile file(info.filePath());
        if (info.size() > qint64(TemplateFileParser::MaxFileBytes) || !file.open(QIODevice::ReadOnly)) {
            snapshot->errors.push_back(name + ":0: " + (file.isOpen() ? "the file is too large" : "cannot read the file"));
            continue;
        }
        const QByteArray data = file.read(qint64(TemplateFileParser::MaxFileBytes) + 1);
        TemplateFileResult result = TemplateFileParser::parse(data.toStdString());
        if (!result.ok) {
            snapshot->errors.push_back(name + ":" + std::to_string(result.line) + ": " + result.error);
            continue;
        }
        const int id = result.file.id;
        if (owners.count(id)) {
            snapshot->errors.push_back(name + ": id " + std::to_string(id) + " is already used by " + owners[id]);
            continue;
        }
        owners[id] = name;
        loaded.push_back(result.file);
    }
    snapshot->catalog = catalogJson(loaded);
    for (TemplateFile &t : loaded)
        snapshot->templates.emplace(t.id, std::move(t));
    return snapshot;
}

std::string TemplateLibrary::catalogJson(const std::vector<TemplateFile> &templates)
{
    // Categories in the order they first appear (files are read by name), templates by id.
    std::vector<std::string> order;
    std::map<std::string, std::map<int, const TemplateFile *>> byCategory;
    for (const TemplateFile &t : templates) {
        if (!byCategory.count(t.category))
            order.push_back(t.category);
        byCategory[t.category][t.id] = &t;
    }
    Json::Value root(Json::arrayValue);
    int categoryId = FirstCategoryId;
    for (const std::string &category : order) {
        Json::Value node(Json::objectValue);
        node["Id"] = categoryId++;
        node["Name"] = category;
        node["NodeType"] = "Category";
        Json::Value children(Json::arrayValue);
        for (const auto &entry : byCategory[category]) {
            Json::Value child(Json::objectValue);
            child["Id"] = entry.first;
            child["Name"] = entry.second->name;
            child["NodeType"] = entry.second->kind == TemplateFile::Kind::High ? "High" : "Low";
            children.append(child);
        }
        node["children"] = children;
        root.append(node);
    }
    return compact(root);
}

std::string TemplateLibrary::highJson(const TemplateFile &t)
{
    Json::Value root(Json::objectValue);
    root["catId"] = t.id;
    root["description"] = t.description;
    root["title"] = pairJson(t.title);
    root["css"] = pairsJson(t.common);
    Json::Value blocks(Json::arrayValue);
    for (const auto &block : t.blocks) {
        Json::Value b(Json::objectValue);
        b["ss"] = pairsJson(block.front());
        Json::Value rbs(Json::arrayValue);
        for (std::size_t a = 1; a < block.size(); ++a) {
            Json::Value alt(Json::objectValue);
            alt["ss"] = pairsJson(block[a]);
            rbs.append(alt);
        }
        b["rbs"] = rbs;
        blocks.append(b);
    }
    root["bls"] = blocks;
    return compact(root);
}

std::string TemplateLibrary::lowJson(const TemplateFile &t, const std::string &fileBase)
{
    auto address = [&fileBase](const std::string &name) {
        return fileBase + QUrl::toPercentEncoding(QString::fromStdString(name)).toStdString();
    };
    Json::Value root(Json::objectValue);
    root["Description"] = t.description;
    Json::Value data(Json::arrayValue);
    int index = 0; // 1-based number of the document within its template
    for (const LowDocument &doc : t.documents) {
        Json::Value item(Json::objectValue);
        item["Id"] = ++index;
        item["Title"] = doc.title;
        item["ImgUrl"] = address(doc.cover);
        item["FileUrl"] = address(doc.file);
        Json::Value blanks(Json::arrayValue);
        for (const std::string &blank : doc.blanks)
            blanks.append(blank);
        item["Blanks"] = blanks;
        data.append(item);
    }
    root["data"] = data;
    return compact(root);
}

std::string TemplateLibrary::catalogJson() const
{
    const auto s = current();
    return s ? s->catalog : "[]";
}

bool TemplateLibrary::highJson(int id, std::string *out) const
{
    const auto s = current();
    if (!s)
        return false;
    const auto it = s->templates.find(id);
    if (it == s->templates.end() || it->second.kind != TemplateFile::Kind::High)
        return false;
    *out = highJson(it->second);
    return true;
}

bool TemplateLibrary::lowJson(int id, const std::string &fileBase, std::string *out) const
{
    const auto s = current();
    if (!s)
        return false;
    const auto it = s->templates.find(id);
    if (it == s->templates.end() || it->second.kind != TemplateFile::Kind::Low)
        return false;
    *out = lowJson(it->second, fileBase);
    return true;
}

std::vector<std::string> TemplateLibrary::errors() const
{
    const auto s = current();
    return s ? s->errors : std::vector<std::string>{};
}

std::vector<int> TemplateLibrary::ids() const
{
    std::vector<int> out;
    if (const auto s = current())
        for (const auto &entry : s->templates)
            out.push_back(entry.first);
    return out;
}

} // namespace PennovaTemplates
