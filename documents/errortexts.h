#pragma once

#include <QString>

class QFileDevice;

// Chinese reasons for the errors of files and Word packages: the system's and libzip's
// own texts are English whatever the program's language.
namespace ErrorTexts {

// The reason for a system error number (errno).
QString systemError(int code);
// The reason of a failed QFile operation (its errorString() is the system's English).
QString fileError(const QFileDevice &file);
// The reason for a libzip error code (ZIP_ER_*), with the system error number that
// some codes carry (0 when none).
QString zipError(int zipCode, int systemCode);

} // namespace ErrorTexts
