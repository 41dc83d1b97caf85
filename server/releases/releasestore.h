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
//   DATA/update/N/...       the files of version N, served under "/update/N/..."
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
    };

    static constexpr qint64 MaxReleaseFileBytes = 4 * 1024 * 1024;
    static constexpr int MaxFiles = 10000;

    explicit ReleaseStore(const QString &dataDir);

    // The newest release, or nothing (no update).
    std::optional<Release> latest() const;
    std::optional<Release> release(int versionId) const;

    // Copies every regular file below sourceDir into DATA/update/N/, gives each file the
    // version of the previous release when its content is unchanged and N otherwise, signs
    // the list and makes N the newest. False with `error` set on any failure (nothing is
    // published then); N must be greater than the newest published version.
    bool publish(const PublishRequest &request, QString *error);

    QString updateDir() const { return m_dataDir + QStringLiteral("/update"); }

private:
    QString releasesDir() const { return m_dataDir + QStringLiteral("/releases"); }

    QString m_dataDir;
};

} // namespace PennovaServer
