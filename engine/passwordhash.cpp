#include "passwordhash.h"

#include <QCryptographicHash>

namespace ZeltraLib {

QString passwordHash(const QString &password)
{
    const QByteArray digest = QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Md5);
    return QString::fromLatin1(digest.toHex()).toUpper();
}

} // namespace ZeltraLib
