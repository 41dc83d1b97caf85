#include "zippackage.h"

#include "documentsupport.h"
#include "errortexts.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <zip.h>

using DocumentSupport::setError;

namespace {

// The reason for a failed zip_open: its code, and errno when the code is a system one.
QString zipError(int code)
{
    const int systemCode = errno;
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const bool system = zip_error_system_type(&error) == ZIP_ET_SYS;
    zip_error_fini(&error);
    return ErrorTexts::zipError(code, system ? systemCode : 0);
}

QString zipError(zip_error_t *error)
{
    return ErrorTexts::zipError(zip_error_code_zip(error),
                                zip_error_system_type(error) == ZIP_ET_SYS ? zip_error_code_system(error) : 0);
}

const QString NotAPackage = QStringLiteral("不是有效的 Word 文档（压缩包无法读取：%1）。");

} // namespace

ZipPackage::~ZipPackage()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool ZipPackage::isSafeName(const QString &name)
{
    const bool drive = name.size() > 1 && name.at(1) == QLatin1Char(':'); // "C:..."
    if (name.isEmpty() || drive || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name.contains(QChar(0)))
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    return !parts.contains(QStringLiteral("..")) && !parts.contains(QStringLiteral("."));
}

bool ZipPackage::open(const QString &path, QString *error)
{
    if (QFileInfo(path).size() > DocumentSupport::MaxFileBytes) {
        setError(error, DocumentSupport::tooLargeText());
        return false;
    }
    int code = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!m_zip) {
        setError(error, NotAPackage.arg(zipError(code)));
        return false;
    }
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char *name = zip_get_name(m_zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        if (!name || !isSafeName(QString::fromUtf8(name))) {
            setError(error, QStringLiteral("文档含有不安全的条目名称，已拒绝打开。"));
            zip_discard(m_zip);
            m_zip = nullptr;
            return false;
        }
    }
    return true;
}

bool ZipPackage::contains(const QString &name) const
{
    return m_zip && zip_name_locate(m_zip, name.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

bool ZipPackage::read(const QString &name, qint64 maxBytes, QByteArray *data, QString *error) const
{
    const zip_int64_t index = m_zip ? zip_name_locate(m_zip, name.toUtf8().constData(), ZIP_FL_NOCASE) : -1;
    if (index < 0) {
        setError(error, QStringLiteral("文档缺少“%1”部分。").arg(name));
        return false;
    }
    zip_file_t *file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file) {
        setError(error, NotAPackage.arg(zipError(zip_get_error(m_zip))));
        return false;
    }
    // The size in the directory may lie: read in pieces and stop one byte past the cap.
    data->clear();
    char buffer[64 * 1024];
    bool ok = true;
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            setError(error, NotAPackage.arg(zipError(zip_file_get_error(file))));
            ok = false;
            break;
        }
        if (n == 0)
            break;
        if (data->size() + n > maxBytes) {
            setError(error, QStringLiteral("文档“%1”部分解压后超过 %2 MB，已拒绝打开。")
                                .arg(name)
                                .arg(maxBytes >> 20));
            ok = false;
            break;
        }
        data->append(buffer, qsizetype(n));
    }
    zip_fclose(file);
    if (!ok)
        data->clear();
    return ok;
}

namespace {

// Adds `name` with a copy of `data` (libzip frees the copy), or replaces entry `index`.
bool putEntry(zip *archive, const QString &name, const QByteArray &data, zip_int64_t index = -1)
{
    void *copy = malloc(size_t(qMax<qsizetype>(data.size(), 1)));
    if (!copy)
        return false;
    memcpy(copy, data.constData(), size_t(data.size()));
    zip_source_t *source = zip_source_buffer(archive, copy, zip_uint64_t(data.size()), 1);
    if (!source) {
        free(copy);
        return false;
    }
    const bool put = index >= 0
                         ? zip_file_replace(archive, zip_uint64_t(index), source, 0) == 0
                         : zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) >= 0;
    if (!put) {
        zip_source_free(source);
        return false;
    }
    return true;
}

// libzip writes the whole archive to a temporary file beside it and renames it over the
// old one on close, so a crash leaves either the old or the new package.
bool closeArchive(zip *archive, QString *error)
{
    if (zip_close(archive) < 0) {
        setError(error, QStringLiteral("写入文档失败：%1").arg(zipError(zip_get_error(archive))));
        zip_discard(archive);
        return false;
    }
    return true;
}

} // namespace

bool ZipPackage::create(const QString &path, const QList<QPair<QString, QByteArray>> &entries, QString *error)
{
    int code = 0;
    zip *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        setError(error, QStringLiteral("无法写入文件：%1").arg(zipError(code)));
        return false;
    }
    for (const auto &entry : entries) {
        if (!putEntry(archive, entry.first, entry.second)) {
            setError(error, QStringLiteral("写入文档失败：%1").arg(zipError(zip_get_error(archive))));
            zip_discard(archive);
            return false;
        }
    }
    return closeArchive(archive, error);
}

bool ZipPackage::replace(const QString &path, const QString &name, const QByteArray &data, QString *error)
{
    int code = 0;
    zip *archive = zip_open(QFile::encodeName(path).constData(), 0, &code);
    if (!archive) {
        setError(error, NotAPackage.arg(zipError(code)));
        return false;
    }
    const zip_int64_t index = zip_name_locate(archive, name.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0 || !putEntry(archive, name, data, index)) {
        setError(error, QStringLiteral("文档缺少“%1”部分。").arg(name));
        zip_discard(archive);
        return false;
    }
    return closeArchive(archive, error);
}
