#pragma once

#include <QtGlobal>

// Bounds on what a document may cost to open: files larger than this are refused, and
// no part of a Word package is inflated beyond it (a zip bomb stops here).
namespace DocumentLimits {
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;
constexpr qint64 MaxPartBytes = 64 * 1024 * 1024;
// Time allowed for taking one document apart, and for a LibreOffice conversion.
constexpr int ParseTimeoutMs = 10000;
constexpr int ConvertTimeoutMs = 60000;
} // namespace DocumentLimits
