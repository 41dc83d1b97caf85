#pragma once

#include "updatefileentry.h"

#include <QList>
#include <QString>

#include <optional>

namespace PennovaServer {

class ReleaseKey;

// The published versions in a data folder:
//   DATA/releases/N.json    version N: texts, signature and file entries (without URLs)
//   DATA/releases/latest    the newest published N, written last
//   DATA/update/N/...       the files that changed in version N, served under "/update/N/..."
// A file keeps the version of the release that first held its content, and is stored
// and downloaded from that release's folder: unchanged files are stored once.
// Nothing published means "no update": newest version 0 with no files.
class ReleaseStore
{
public:
    struct Release
    {
        int versionId = 0;
        int lowestVersionId = 0;
        QString version;
        QString notes;
        QByteArray signature; // base64; empty when published without a key
        QList<ZeltraLib::UpdateFileEntry> files; // url = "/update/N/" + relative path
    };

    struct PublishRequest
    {
        QString sourceDir;
        int versionId = 0;
        int lowestVersionId = 0;
        QString version;
        QString notes;
        const ReleaseKey *key = nullptr; // borrowed; null = unsigned
        // Base64 public key the clients' updaters carry: the signature must verify with
        // it, and an "update" program in the release must have it built in.
        QByteArray publicKey;
    };

    static constexpr qint64 MaxReleaseFileBytes = 4 * 1024 * 1024;
    static constexpr int MaxFiles = 10000;

    explicit ReleaseStore(const QString &dataDir);

    // The newest release, or nothing (no update).
    std::optional<Release> latest() const;
    std::optional<Release> release(int versionId) const;

    // Takes every regular file below sourceDir: one unchanged since the previous release
    // (same path and content, still stored) keeps its version and stored copy, any other
    // gets N and is copied into DATA/update/N/. Signs the list and makes N the newest. False with `error` set on any failure (nothing is
    // published then); N must be greater than the newest published version.
    bool publish(const PublishRequest &request, QString *error);

    QString updateDir() const { return m_dataDir + QStringLiteral("/update"); }

private:
    QString releasesDir() const { return m_dataDir + QStringLiteral("/releases"); }

    QString m_dataDir;
};

} // namespace PennovaServer
