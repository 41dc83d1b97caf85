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
    QByteArray publicKey;
    if (!line.releasePublicKey.empty()) {
        // A file (KEYFILE.pub) or the key itself, as given to -DPENNOVA_RELEASE_PUBLIC_KEY.
        QFile file(QString::fromStdString(line.releasePublicKey));
        publicKey = file.open(QIODevice::ReadOnly) ? file.read(4096).trimmed()
                                                   : QByteArray::fromStdString(line.releasePublicKey).trimmed();
        const auto decoded = QByteArray::fromBase64Encoding(publicKey, QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded || decoded.decoded.size() != 32) {
            err << "pennova-server: " << line.releasePublicKey << " is no public release key (base64 of 32 bytes)\n";
            return 1;
        }
        if (key.publicKeyBase64() != publicKey) {
            err << "pennova-server: the key " << line.releaseKeyFile << " does not belong to the public key "
                << publicKey.toStdString() << "; clients built with that key would refuse this release\n";
            return 1;
        }
    }
    ReleaseStore::PublishRequest request;
    request.sourceDir = operand;
    request.versionId = line.releaseVersion;
    request.lowestVersionId = line.releaseLowest;
    request.version = QString::fromStdString(line.releaseLabel);
    request.notes = QString::fromUtf8(notes.readAll());
    request.key = line.releaseKeyFile.empty() ? nullptr : &key;
    request.publicKey = publicKey;
    ReleaseStore store(QString::fromStdString(line.options.dataDir));
    if (!store.publish(request, &error)) {
        err << "pennova-server: " << error.toStdString() << "\n";
        return 1;
    }
    if (!request.key)
        err << "pennova-server: warning: version " << line.releaseVersion
            << " is not signed; updaters will refuse it\n";
    if (request.key && !QFile::exists(QString::fromStdString(line.operands[0]) + QStringLiteral("/update")))
        err << "pennova-server: warning: the release carries no update program; clients keep their updater\n";
    out << "published version " << line.releaseVersion << "\n";
    return 0;
}

} // namespace PennovaServer
