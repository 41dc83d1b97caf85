#include "releaseverifier.h"

#include <sodium.h>

ReleaseVerifier::ReleaseVerifier(const QByteArray &publicKeyBase64)
    : m_publicKey(QByteArray::fromBase64(publicKeyBase64, QByteArray::AbortOnBase64DecodingErrors))
{
}

bool ReleaseVerifier::verify(const QByteArray &message, const QByteArray &signatureBase64) const
{
    const auto decoded = QByteArray::fromBase64Encoding(signatureBase64, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() != int(crypto_sign_BYTES) || !hasKey() || sodium_init() < 0)
        return false;
    return crypto_sign_verify_detached(reinterpret_cast<const unsigned char *>(decoded.decoded.constData()),
                                       reinterpret_cast<const unsigned char *>(message.constData()),
                                       std::size_t(message.size()),
                                       reinterpret_cast<const unsigned char *>(m_publicKey.constData()))
           == 0;
}
