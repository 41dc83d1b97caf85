#pragma once

#include <QString>
#include <QtGlobal>

// What the documents classes share: the bounds on what a document may cost to open,
// the WordprocessingML namespaces, and their error reporting.
namespace DocumentSupport {

// Files larger than this are refused, and no part of a Word package is inflated beyond
// it (a zip bomb stops here).
constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;
constexpr qint64 MaxPartBytes = 64 * 1024 * 1024;
// Time allowed for taking one document apart, and for a LibreOffice conversion.
constexpr int ParseTimeoutMs = 10000;
constexpr int ConvertTimeoutMs = 60000;

inline const QString WordMain = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
inline const QString WordStrict = QStringLiteral("http://purl.oclc.org/ooxml/wordprocessingml/main");

// Stores `reason` for the caller, who may not want it (error == nullptr).
inline void setError(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
}

inline QString tooLargeText()
{
    return QStringLiteral("文件超过 %1 MB，无法打开。").arg(MaxFileBytes >> 20);
}

} // namespace DocumentSupport
