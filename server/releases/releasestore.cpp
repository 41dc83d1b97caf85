#include "releasestore.h"

#include "releasekey.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSaveFile>

#include <json/json.h>

#include <algorithm>
#include <memory>

namespace PennovaServer {

using ZeltraLib::UpdateFileEntry;

namespace {
const QString LatestName = QStringLiteral("latest");

QString fileUrl(int versionId, const QString &relativePath)
{
    return QStringLiteral("/update/") + QString::number(versionId) + QLatin1Char('/') + relativePath;
}

QByteArray sha256Hex(const QString &path, bool *ok)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    *ok = file.open(QIODevice::ReadOnly) && hash.addData(&file);
    return hash.result().toHex();
}

// Whether a built program holds the base64 public key (compiled in as a string).
bool carriesKey(const QString &path, const QByteArray &publicKeyBase64)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(publicKeyBase64.trimmed());
}

bool saveText(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(data);
    return file.commit();
}

std::string text(const QString &value)
{
    return value.toStdString();
}

QString text(const Json::Value &value)
{
    return QString::fromStdString(value.asString());
}

QByteArray toJson(const ReleaseStore::Release &release)
{
    Json::Value root(Json::objectValue);
    root["versionId"] = release.versionId;
    root["lowestVersionId"] = release.lowestVersionId;
    root["version"] = text(release.version);
    root["notes"] = text(release.notes);
    root["signature"] = release.signature.toStdString();
    root["files"] = Json::Value(Json::arrayValue);
    for (const UpdateFileEntry &entry : release.files) {
        Json::Value file(Json::objectValue);
        file["name"] = text(entry.name);
        file["folder"] = text(entry.folder);
        file["version"] = entry.version;
        file["sha256"] = text(entry.sha256);
        root["files"].append(file);
    }
    Json::StreamWriterBuilder builder;
    builder["emitUTF8"] = true;
    return QByteArray::fromStdString(Json::writeString(builder, root) + "\n");
}

std::optional<ReleaseStore::Release> fromJson(const QByteArray &data, int versionId)
{
    Json::Value root;
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    if (!reader->parse(data.constData(), data.constData() + data.size(), &root, nullptr) || !root.isObject()
        || !root["versionId"].isInt() || root["versionId"].asInt() != versionId || !root["lowestVersionId"].isInt()
        || !root["files"].isArray() || root["files"].size() > Json::ArrayIndex(ReleaseStore::MaxFiles))
        return std::nullopt;
    ReleaseStore::Release release;
    release.versionId = versionId;
    release.lowestVersionId = root["lowestVersionId"].asInt();
    release.version = text(root["version"]);
    release.notes = text(root["notes"]);
    release.signature = QByteArray::fromStdString(root["signature"].asString());
    for (const Json::Value &file : root["files"]) {
        if (!file.isObject() || !file["version"].isInt())
            return std::nullopt;
        UpdateFileEntry entry;
        entry.name = text(file["name"]);
        entry.folder = text(file["folder"]);
        entry.version = file["version"].asInt();
        entry.sha256 = text(file["sha256"]);
        entry.url = fileUrl(entry.version, entry.relativePath());
        if (!entry.hasSafePath() || entry.sha256.size() != 64 || entry.version <= 0 || entry.version > versionId)
            return std::nullopt;
        release.files.append(entry);
    }
    return release;
}
} // namespace

ReleaseStore::ReleaseStore(const QString &dataDir)
    : m_dataDir(dataDir)
{
}

std::optional<ReleaseStore::Release> ReleaseStore::release(int versionId) const
{
    QFile file(releasesDir() + QLatin1Char('/') + QString::number(versionId) + QStringLiteral(".json"));
    if (versionId <= 0 || !file.open(QIODevice::ReadOnly) || file.size() > MaxReleaseFileBytes)
        return std::nullopt;
    return fromJson(file.readAll(), versionId);
}

std::optional<ReleaseStore::Release> ReleaseStore::latest() const
{
    QFile file(releasesDir() + QLatin1Char('/') + LatestName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool isNumber = false;
    const int versionId = file.read(32).trimmed().toInt(&isNumber);
    return isNumber ? release(versionId) : std::nullopt;
}

bool ReleaseStore::publish(const PublishRequest &request, QString *error)
{
    const auto fail = [error](const QString &why) {
        *error = why;
        return false;
    };
    const std::optional<Release> previous = latest();
    if (request.versionId <= 0 || (previous && request.versionId <= previous->versionId))
        return fail(QStringLiteral("the version must be a number above the newest published (%1)")
                        .arg(previous ? previous->versionId : 0));
    // Absolute, so that a relative folder ("release") gives paths below it, not through it.
    const QDir source(QFileInfo(request.sourceDir).absoluteFilePath());
    if (request.sourceDir.isEmpty() || !source.exists())
        return fail(QStringLiteral("no folder ") + request.sourceDir);

    const QString target = updateDir() + QLatin1Char('/') + QString::number(request.versionId);
    const QString staging = updateDir() + QStringLiteral("/.staging-") + QString::number(request.versionId);
    QDir(staging).removeRecursively();
    if (QFileInfo::exists(target) || !QDir().mkpath(staging) || !QDir().mkpath(releasesDir()))
        return fail(QStringLiteral("cannot prepare ") + target);

    Release release;
    release.versionId = request.versionId;
    release.lowestVersionId = request.lowestVersionId;
    release.version = request.version;
    release.notes = request.notes;
    QDirIterator files(source.path(), QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QFileInfo info(path);
        const QString relative = source.relativeFilePath(path);
        if (info.isSymLink() || !info.isFile())
            return QDir(staging).removeRecursively(), fail(relative + QStringLiteral(": not a regular file"));
        UpdateFileEntry entry;
        entry.name = info.fileName();
        entry.folder = QFileInfo(relative).path() == QLatin1String(".") ? QString() : QFileInfo(relative).path();
        bool hashed = false;
        entry.sha256 = QString::fromLatin1(sha256Hex(path, &hashed));
        entry.version = request.versionId;
        if (previous) {
            for (const UpdateFileEntry &old : previous->files) {
                // The stored copy must still be there to be shared.
                const QFileInfo stored(updateDir() + QLatin1Char('/') + QString::number(old.version) + QLatin1Char('/')
                                       + old.relativePath());
                if (old.relativePath() == entry.relativePath() && old.sha256 == entry.sha256 && stored.isFile()
                    && stored.size() == info.size())
                    entry.version = old.version;
            }
        }
        entry.url = fileUrl(entry.version, entry.relativePath());
        if (!entry.hasSafePath() || entry.name.contains(QLatin1Char('|')) || entry.folder.contains(QLatin1Char('|'))
            || entry.name.contains(QLatin1Char(';')) || entry.folder.contains(QLatin1Char(';')))
            return QDir(staging).removeRecursively(), fail(relative + QStringLiteral(": name not allowed"));
        if (!hashed)
            return QDir(staging).removeRecursively(), fail(QStringLiteral("cannot read ") + relative);
        if (!request.publicKey.isEmpty() && relative == QLatin1String("update") && !carriesKey(path, request.publicKey))
            return QDir(staging).removeRecursively(),
                   fail(QStringLiteral("update in the release folder was not built with the public key given "
                                       "(build it with -DPENNOVA_RELEASE_PUBLIC_KEY=%1)")
                            .arg(QString::fromLatin1(request.publicKey)));
        const QString copy = staging + QLatin1Char('/') + relative;
        if (entry.version == request.versionId
            && (!QDir().mkpath(QFileInfo(copy).path()) || !QFile::copy(path, copy)))
            return QDir(staging).removeRecursively(), fail(QStringLiteral("cannot copy ") + relative);
        release.files.append(entry);
        if (release.files.size() > MaxFiles)
            return QDir(staging).removeRecursively(), fail(QStringLiteral("too many files"));
    }
    std::sort(release.files.begin(), release.files.end(),
              [](const UpdateFileEntry &a, const UpdateFileEntry &b) { return a.relativePath() < b.relativePath(); });
    if (release.files.isEmpty())
        return QDir(staging).removeRecursively(), fail(QStringLiteral("no files in ") + request.sourceDir);
    if (request.key)
        release.signature = request.key->sign(UpdateFileEntry::signedText(release.versionId, release.files));
    if (!request.publicKey.isEmpty()
        && !ReleaseKey::verify(request.publicKey, UpdateFileEntry::signedText(release.versionId, release.files),
                               release.signature))
        return QDir(staging).removeRecursively(),
               fail(QStringLiteral("the file list's signature does not verify with the public key given: the secret "
                                   "key is not its pair, and updaters built with that public key would refuse it"));

    // The files first, then the description, then the pointer: a reader never sees a
    // release whose files are missing.
    const QString json = releasesDir() + QLatin1Char('/') + QString::number(release.versionId) + QStringLiteral(".json");
    if (!QDir().rename(staging, target) || !saveText(json, toJson(release))
        || !saveText(releasesDir() + QLatin1Char('/') + LatestName, QByteArray::number(release.versionId) + '\n'))
        return fail(QStringLiteral("cannot publish version ") + QString::number(release.versionId));
    return true;
}

} // namespace PennovaServer
