#pragma once

#include <QString>

namespace ZeltraLib {

// The password hash the account services expect: MD5 of the UTF-8 bytes, 32 upper-case
// hexadecimal digits. The caller decides about trimming (the login trims, the
// registration hashes the password as typed).
QString passwordHash(const QString &password);

} // namespace ZeltraLib
