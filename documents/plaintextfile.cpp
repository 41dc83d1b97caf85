#include "plaintextfile.h"

#include "documentsupport.h"
#include "errortexts.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

using DocumentSupport::setError;

namespace {

// Stateless: bytes cut off inside a character at the end count as an error.
bool decodeAs(QStringConverter::Encoding encoding, QByteArrayView bytes, QString *text)
{
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    *text = decoded;
    return true;
}

} // namespace

bool PlainTextFile::decode(const QByteArray &bytes, QString *text, QString *error)
{
    const QByteArrayView view(bytes);
    bool ok = false;
    if (view.startsWith("\xEF\xBB\xBF"))
        ok = decodeAs(QStringConverter::Utf8, view.sliced(3), text);
    else if (view.startsWith("\xFF\xFE"))
        ok = view.size() % 2 == 0 && decodeAs(QStringConverter::Utf16LE, view.sliced(2), text);
    else if (view.startsWith("\xFE\xFF"))
        ok = view.size() % 2 == 0 && decodeAs(QStringConverter::Utf16BE, view.sliced(2), text);
    else if (decodeAs(QStringConverter::Utf8, view, text))
        return true;
    else {
        QStringDecoder gb18030("GB18030", QStringDecoder::Flag::Stateless);
        const QString decoded = gb18030.decode(view);
        ok = !gb18030.hasError();
        if (ok)
            *text = decoded;
    }
    if (!ok)
        setError(error, QStringLiteral("文件不是可识别的文本（既非 UTF-8/UTF-16，也非 GB18030）。"));
    return ok;
}

bool PlainTextFile::read(const QString &path, QString *text, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QStringLiteral("无法打开文件：%1").arg(ErrorTexts::fileError(file)));
        return false;
    }
    if (file.size() > DocumentSupport::MaxFileBytes) {
        setError(error, DocumentSupport::tooLargeText());
        return false;
    }
    // Read at most one byte past the limit: a file that grows meanwhile is still refused.
    const QByteArray bytes = file.read(DocumentSupport::MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        setError(error, QStringLiteral("读取文件出错：%1").arg(ErrorTexts::fileError(file)));
        return false;
    }
    if (bytes.size() > DocumentSupport::MaxFileBytes) {
        setError(error, DocumentSupport::tooLargeText());
        return false;
    }
    return decode(bytes, text, error);
}

bool PlainTextFile::write(const QString &path, const QString &text, QString *error,
                          QFileDevice::Permissions permissions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, QStringLiteral("无法写入文件：%1").arg(ErrorTexts::fileError(file)));
        return false;
    }
    if (permissions)
        file.setPermissions(permissions);
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        setError(error, QStringLiteral("写入文件失败：%1").arg(ErrorTexts::fileError(file)));
        return false;
    }
    return true;
}
