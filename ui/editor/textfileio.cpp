#include "textfileio.h"

#include "documentfiles.h"
#include "plaintextfile.h"

bool TextFileIo::read(const QString &path, QString *text, QString *error)
{
    return DocumentFiles().read(path, text, error);
}

bool TextFileIo::write(const QString &path, const QString &text, QString *error)
{
    if (DocumentFiles::isWordDocument(path))
        return DocumentFiles().write(path, text, error);
    // Plain text: the backup holds the user's essay, so it stays private.
    return PlainTextFile::write(path, text, error, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
