#include "updateplan.h"

#include "programfolder.h"
#include "releaseverifier.h"
#include "versionfile.h"

#include <QFileInfo>
#include <QSet>

using ZeltraLib::UpdateFileEntry;

UpdatePlan UpdatePlan::build(const QStringList &reply, int versionId, const QByteArray &signature,
                             const ReleaseVerifier &verifier, const ProgramFolder &folder,
                             const ZeltraLib::VersionFile &installed)
{
    UpdatePlan plan;
    if (reply.isEmpty() || reply.size() > MaxEntries) {
        plan.error = QStringLiteral("empty or oversized file list");
        return plan;
    }
    QList<UpdateFileEntry> entries;
    QList<Item> items;
    QSet<QString> places;
    for (const QString &text : reply) {
        UpdateFileEntry entry;
        if (!UpdateFileEntry::parse(text, &entry)) {
            plan.error = QStringLiteral("malformed entry: ") + text.left(200);
            return plan;
        }
        const QString target = folder.target(entry);
        if (target.isEmpty() || places.contains(target)) {
            plan.error = QStringLiteral("refused place: ") + entry.relativePath().left(200);
            return plan;
        }
        places.insert(target);
        entries.append(entry);
        items.append({entry, target});
    }
    if (!verifier.verify(UpdateFileEntry::signedText(versionId, entries), signature)) {
        plan.error = QStringLiteral("the file list is not signed by the release key");
        return plan;
    }
    for (const Item &item : items) {
        if (!QFileInfo::exists(item.target) || installed.fileVersion(item.entry.folder, item.entry.name) < item.entry.version)
            plan.needed.append(item);
    }
    return plan;
}
