#include "releasekey.h"

#include <QFile>
#include <QSaveFile>

#include <sodium.h>

namespace PennovaServer {

namespace {
bool ready()
{
    return sodium_init() >= 0;
}

bool writeFile(const QString &path, const QByteArray &data, QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(permissions))
        return false;
    file.write(data);
    return file.commit();
}
} // namespace

bool ReleaseKey::generate(const QString &secretFile, QString *error)
{
    if (!ready()) {
        *error = QStringLiteral("libsodium cannot start");
        return false;
    }
    if (QFile::exists(secretFile) || QFile::exists(secretFile + QStringLiteral(".pub"))) {
        *error = secretFile + QStringLiteral(" exists; not overwritten");
        return false;
    }
    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    unsigned char secretKey[crypto_sign_SECRETKEYBYTES];
    crypto_sign_keypair(publicKey, secretKey);
    const QByteArray secret = QByteArray(reinterpret_cast<const char *>(secretKey), sizeof secretKey).toBase64();
    sodium_memzero(secretKey, sizeof secretKey);
    const QByteArray pub = QByteArray(reinterpret_cast<const char *>(publicKey), sizeof publicKey).toBase64();
    if (!writeFile(secretFile, secret + '\n', QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        || !writeFile(secretFile + QStringLiteral(".pub"), pub + '\n',
                      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                          | QFileDevice::ReadOther)) {
        *error = QStringLiteral("cannot write ") + secretFile;
        return false;
    }
    return true;
}

bool ReleaseKey::load(const QString &secretFile, QString *error)
{
    QFile file(secretFile);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4096) {
        *error = QStringLiteral("cannot read key ") + secretFile;
        return false;
    }
    const QByteArray secret = QByteArray::fromBase64(file.readAll().trimmed());
    if (secret.size() != int(crypto_sign_SECRETKEYBYTES) || !ready()) {
        *error = secretFile + QStringLiteral(" is not a release key");
        return false;
    }
    m_secret = secret;
    return true;
}

QByteArray ReleaseKey::sign(const QByteArray &message) const
{
    unsigned char signature[crypto_sign_BYTES];
    crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char *>(message.constData()),
                         std::size_t(message.size()), reinterpret_cast<const unsigned char *>(m_secret.constData()));
    return QByteArray(reinterpret_cast<const char *>(signature), sizeof signature).toBase64();
}

QByteArray ReleaseKey::publicKeyBase64() const
{
    unsigned char publicKey[crypto_sign_PUBLICKEYBYTES];
    crypto_sign_ed25519_sk_to_pk(publicKey, reinterpret_cast<const unsigned char *>(m_secret.constData()));
    return QByteArray(reinterpret_cast<const char *>(publicKey), sizeof publicKey).toBase64();
}

bool ReleaseKey::verify(const QByteArray &publicKeyBase64, const QByteArray &message, const QByteArray &signatureBase64)
{
    const auto key = QByteArray::fromBase64Encoding(publicKeyBase64.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    const auto signature = QByteArray::fromBase64Encoding(signatureBase64, QByteArray::AbortOnBase64DecodingErrors);
    if (!key || key.decoded.size() != int(crypto_sign_PUBLICKEYBYTES) || !signature
        || signature.decoded.size() != int(crypto_sign_BYTES) || !ready())
        return false;
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(signature.decoded.constData()),
                                       reinterpret_cast<const unsigned char *>(message.constData()),
                                       std::size_t(message.size()),
                                       reinterpret_cast<const unsigned char *>(key.decoded.constData()))
           == 0;
}

} // namespace PennovaServer
