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

    // Whether `signatureBase64` is a signature of `message` by the holder of the public
    // key `publicKeyBase64`, checked as the updater checks it.
    static bool verify(const QByteArray &publicKeyBase64, const QByteArray &message, const QByteArray &signatureBase64);

private:
    QByteArray m_secret;
};

} // namespace PennovaServer
