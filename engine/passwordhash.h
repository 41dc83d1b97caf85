#pragma once

#include <QString>

namespace ZeltraLib {

// The password hash the account services expect: MD5 of the UTF-8 bytes, 32 upper-case
// hexadecimal digits. Callers hash the password trimmed of blanks at both ends, in the
// login and the registration windows alike (and so does the server where it sees a typed
// password).
QString passwordHash(const QString &password);

} // namespace ZeltraLib
