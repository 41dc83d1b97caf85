#include "releasecommand.h"

#include "releasekey.h"
#include "releasestore.h"
#include "servercommandline.h"

#include <QFile>

namespace PennovaServer {

int ReleaseCommand::run(const ServerCommandLine &line, std::ostream &out, std::ostream &err)
{
    QString error;
    const QString operand = QString::fromStdString(line.operands.empty() ? std::string() : line.operands[0]);
    if (line.mode == ServerCommandLine::Mode::ReleaseKeygen) {
        if (!ReleaseKey::generate(operand, &error)) {
            err << "pennova-server: " << error.toStdString() << "\n";
            return 1;
        }
        out << "secret key: " << line.operands[0] << "\npublic key: " << line.operands[0] << ".pub\n";
        return 0;
    }

    QFile notes(QString::fromStdString(line.releaseNotesFile));
    if (!notes.open(QIODevice::ReadOnly) || notes.size() > 256 * 1024) {
        err << "pennova-server: cannot read the notes " << line.releaseNotesFile << " (at most 256 KiB)\n";
        return 1;
    }
    ReleaseKey key;
    if (!line.releaseKeyFile.empty() && !key.load(QString::fromStdString(line.releaseKeyFile), &error)) {
        err << "pennova-server: " << error.toStdString() << "\n";
        return 1;
    }
    ReleaseStore::PublishRequest request;
    request.sourceDir = operand;
    request.versionId = line.releaseVersion;
    request.lowestVersionId = line.releaseLowest;
    request.version = QString::fromStdString(line.releaseLabel);
    request.notes = QString::fromUtf8(notes.readAll());
    request.key = line.releaseKeyFile.empty() ? nullptr : &key;
    ReleaseStore store(QString::fromStdString(line.options.dataDir));
    if (!store.publish(request, &error)) {
        err << "pennova-server: " << error.toStdString() << "\n";
        return 1;
    }
    if (!request.key)
        err << "pennova-server: warning: version " << line.releaseVersion
            << " is not signed; updaters will refuse it\n";
    out << "published version " << line.releaseVersion << "\n";
    return 0;
}

} // namespace PennovaServer
