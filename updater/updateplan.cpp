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
        plan.note = QStringLiteral("服务器发来的文件清单为空或过大。");
        return plan;
    }
    QList<UpdateFileEntry> entries;
    QList<Item> items;
    QSet<QString> places;
    for (const QString &text : reply) {
        UpdateFileEntry entry;
        if (!UpdateFileEntry::parse(text, &entry)) {
            plan.error = QStringLiteral("malformed entry: ") + text.left(200);
            plan.note = QStringLiteral("服务器发来的文件清单格式有误。");
            return plan;
        }
        const QString target = folder.target(entry);
        if (target.isEmpty() || places.contains(target)) {
            plan.error = QStringLiteral("refused place: ") + entry.relativePath().left(200);
            plan.note = QStringLiteral("文件清单要把文件放到程序目录以外或重复的位置。");
            return plan;
        }
        places.insert(target);
        entries.append(entry);
        items.append({entry, target});
    }
    if (!verifier.verify(UpdateFileEntry::signedText(versionId, entries), signature)) {
        plan.error = QStringLiteral("the file list is not signed by the release key");
        plan.note = QStringLiteral("文件清单没有用本更新程序认可的发布密钥签名。服务器上的版本多半是用另一把密钥发布的，"
                                   "请管理员用与本程序相同的密钥发布，并在发布中附上用该密钥构建的更新程序。");
        return plan;
    }
    for (const Item &item : items) {
        if (!QFileInfo::exists(item.target) || installed.fileVersion(item.entry.folder, item.entry.name) < item.entry.version)
            plan.needed.append(item);
    }
    return plan;
}
