#pragma once

#include <QByteArray>
#include <QString>

namespace PennovaServer {

// An Ed25519 key pair for signing file lists. The secret key file holds the base64 of
// libsodium's 64-byte secret key; the public key, in base64, goes to FILE + ".pub" and
// into the updater.
class ReleaseKey
{
public:
    // Writes a new pair; false with `error` set when FILE exists or cannot be written.
    static bool generate(const QString &secretFile, QString *error);
    // Reads a secret key file; false with `error` when it is missing or malformed.
    bool load(const QString &secretFile, QString *error);

    // The base64 detached signature of `message`.
    QByteArray sign(const QByteArray &message) const;
    QByteArray publicKeyBase64() const;

private:
    QByteArray m_secret;
};

} // namespace PennovaServer
