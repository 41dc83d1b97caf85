#pragma once

#include <QByteArray>

// Checks the Ed25519 signature of a release's file list against one public key.
class ReleaseVerifier
{
public:
    // `publicKeyBase64`: base64 of the 32-byte public key.
    explicit ReleaseVerifier(const QByteArray &publicKeyBase64);

    bool hasKey() const { return m_publicKey.size() == 32; }
    // True only for a well-formed base64 signature of exactly `message` by the key.
    bool verify(const QByteArray &message, const QByteArray &signatureBase64) const;

private:
    QByteArray m_publicKey;
};
