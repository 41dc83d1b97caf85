#include "documentfiles.h"

#include "bookmarkfiller.h"
#include "documentsupport.h"
#include "docxtextreader.h"
#include "docxwriter.h"
#include "plaintextfile.h"
#include "zippackage.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using DocumentSupport::setError;

namespace {

QString suffixOf(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

// A zip package (.docx) whatever its name says.
bool isZipPackage(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("PK\x03\x04", 4);
}

bool isNativeWord(const QString &path)
{
    const QString suffix = suffixOf(path);
    return suffix == QLatin1String("docx") || suffix == QLatin1String("docm") || suffix == QLatin1String("dotx")
           || (suffix == QLatin1String("doc") && isZipPackage(path));
}

QString needsOffice(const QString &verb, const QString &path)
{
    return QStringLiteral("需要安装 LibreOffice 才能%1 .%2 文件。").arg(verb, suffixOf(path));
}

} // namespace

DocumentFiles::DocumentFiles(const OfficeConverter &converter, int parseTimeoutMs)
    : m_converter(converter)
    , m_parseTimeoutMs(parseTimeoutMs)
{
}

int DocumentFiles::defaultParseTimeoutMs()
{
    return DocumentSupport::ParseTimeoutMs;
}

bool DocumentFiles::isWordDocument(const QString &path)
{
    static const QStringList suffixes = {"docx", "docm", "dotx", "doc", "odt", "rtf"};
    return suffixes.contains(suffixOf(path));
}

bool DocumentFiles::readDocx(const QString &path, QString *text, QString *error) const
{
    return DocxTextReader::readFile(path, text, error, QDeadlineTimer(m_parseTimeoutMs));
}

bool DocumentFiles::read(const QString &path, QString *text, QString *error) const
{
    if (!isWordDocument(path))
        return PlainTextFile::read(path, text, error);
    if (!QFileInfo(path).isFile()) {
        setError(error, QStringLiteral("文件不存在或无法访问。"));
        return false;
    }
    if (QFileInfo(path).size() > DocumentSupport::MaxFileBytes) {
        setError(error, DocumentSupport::tooLargeText());
        return false;
    }
    if (isNativeWord(path))
        return readDocx(path, text, error);
    if (!m_converter.isAvailable()) {
        setError(error, needsOffice(QStringLiteral("打开"), path));
        return false;
    }
    QTemporaryDir work;
    const QString converted = work.filePath(QStringLiteral("converted.docx"));
    return work.isValid() && m_converter.convert(path, QStringLiteral("docx"), converted, error)
           && readDocx(converted, text, error);
}

bool DocumentFiles::write(const QString &path, const QString &text, QString *error) const
{
    const QString suffix = suffixOf(path);
    if (suffix == QLatin1String("docx"))
        return DocxWriter::write(path, text, error);
    if (suffix != QLatin1String("doc"))
        return PlainTextFile::write(path, text, error);
    if (!m_converter.isAvailable()) {
        setError(error, needsOffice(QStringLiteral("保存"), path));
        return false;
    }
    QTemporaryDir work;
    const QString docx = work.filePath(QStringLiteral("text.docx"));
    if (!work.isValid()) {
        setError(error, QStringLiteral("无法准备临时文件夹来转换文档。"));
        return false;
    }
    return DocxWriter::write(docx, text, error) && m_converter.convert(docx, QStringLiteral("doc"), path, error);
}

bool DocumentFiles::fillDocx(const QString &path, const QHash<QString, QString> &values, QString *error) const
{
    const QDeadlineTimer deadline(m_parseTimeoutMs);
    QString part;
    QByteArray xml;
    QByteArray filled;
    {
        ZipPackage package;
        if (!package.open(path, error) || !DocxTextReader::mainPartName(package, &part, error)
            || !package.read(part, DocumentSupport::MaxPartBytes, &xml, error))
            return false;
    }
    return BookmarkFiller::fill(xml, values, &filled, error, deadline)
           && ZipPackage::replace(path, part, filled, error);
}

bool DocumentFiles::fillBookmarks(const QString &path, const QStringList &blanks,
                                  const QHash<QString, QString> &values, QString *error) const
{
    QHash<QString, QString> bookmarks;
    for (qsizetype i = 0; i < blanks.size(); ++i) {
        const QString value = values.value(blanks.at(i));
        if (!value.isEmpty())
            bookmarks.insert(QStringLiteral("b%1").arg(i), value);
    }
    if (!QFileInfo(path).isFile()) {
        setError(error, QStringLiteral("文件不存在或无法访问。"));
        return false;
    }
    if (bookmarks.isEmpty())
        return true;
    if (isNativeWord(path))
        return fillDocx(path, bookmarks, error);
    if (suffixOf(path) != QLatin1String("doc")) {
        setError(error, QStringLiteral("只能填写 Word 文档中的书签。"));
        return false;
    }
    if (!m_converter.isAvailable()) {
        setError(error, needsOffice(QStringLiteral("填写"), path));
        return false;
    }
    // Through a .docx copy and back; the original is replaced only at the end.
    QTemporaryDir work;
    const QString docx = work.filePath(QStringLiteral("template.docx"));
    return work.isValid() && m_converter.convert(path, QStringLiteral("docx"), docx, error)
           && fillDocx(docx, bookmarks, error) && m_converter.convert(docx, QStringLiteral("doc"), path, error);
}
