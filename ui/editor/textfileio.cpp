#include "textfileio.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

bool TextFileIo::read(const QString &path, QString *text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxBytes)
        return false;
    // Stateless: bytes cut off in a character at the end count as an error.
    QStringDecoder decoder("GB18030", QStringDecoder::Flag::Stateless);
    *text = decoder.decode(file.read(MaxBytes));
    return !decoder.hasError();
}

bool TextFileIo::write(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QStringEncoder encoder("GB18030");
    file.write(encoder.encode(text));
    return file.commit();
}
