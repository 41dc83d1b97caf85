#include "errortexts.h"

#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>

#include <zip.h>

namespace ErrorTexts {

QString systemError(int code)
{
    switch (code) {
    case ENOENT:
        return QStringLiteral("文件或文件夹不存在");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有访问权限");
    case ENOSPC:
        return QStringLiteral("磁盘空间不足");
    case EROFS:
        return QStringLiteral("磁盘是只读的");
    case EISDIR:
        return QStringLiteral("这是一个文件夹，不是文件");
    case ENOTDIR:
        return QStringLiteral("路径中有一部分不是文件夹");
    case EEXIST:
        return QStringLiteral("文件已存在");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("文件正被占用");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("打开的文件过多");
    case ENAMETOOLONG:
        return QStringLiteral("文件名过长");
    case EIO:
        return QStringLiteral("磁盘读写出错");
    case ENOMEM:
        return QStringLiteral("内存不足");
    default:
        return QStringLiteral("系统错误 %1").arg(code);
    }
}

QString fileError(const QFileDevice &file)
{
    // Qt refuses a folder with a text of its own.
    if (!file.fileName().isEmpty() && QFileInfo(file.fileName()).isDir())
        return systemError(EISDIR);
    // QFile keeps only the system's text; find the number it was made from.
    const QString text = file.errorString();
    for (const int code : {ENOENT, EACCES, EPERM, ENOSPC, EROFS, EISDIR, ENOTDIR, EEXIST, EBUSY, ETXTBSY, EMFILE,
                           ENFILE, ENAMETOOLONG, EIO, ENOMEM}) {
        if (text == qt_error_string(code))
            return systemError(code);
    }
    switch (file.error()) {
    case QFileDevice::ReadError:
        return QStringLiteral("读取出错");
    case QFileDevice::WriteError:
    case QFileDevice::ResizeError:
        return QStringLiteral("写入出错");
    case QFileDevice::PermissionsError:
        return QStringLiteral("没有访问权限");
    case QFileDevice::OpenError:
        return QStringLiteral("无法打开");
    default:
        return QStringLiteral("未知错误");
    }
}

QString zipError(int zipCode, int systemCode)
{
    QString reason;
    switch (zipCode) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("文件不是压缩包格式");
    case ZIP_ER_INCONS:
        return QStringLiteral("压缩包结构不一致，可能已损坏");
    case ZIP_ER_CRC:
        return QStringLiteral("校验和不符，文件可能已损坏");
    case ZIP_ER_EOF:
        return QStringLiteral("文件意外结束，可能不完整");
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("无法解压其中的内容");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("文档已加密");
    case ZIP_ER_MEMORY:
        return QStringLiteral("内存不足");
    case ZIP_ER_NOENT:
        return QStringLiteral("文件不存在");
    case ZIP_ER_EXISTS:
        return QStringLiteral("文件已存在");
    case ZIP_ER_RDONLY:
        return QStringLiteral("文件是只读的");
    case ZIP_ER_OPEN:
        reason = QStringLiteral("无法打开文件");
        break;
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
        reason = QStringLiteral("读取出错");
        break;
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
    case ZIP_ER_RENAME:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_REMOVE:
        reason = QStringLiteral("写入出错");
        break;
    default:
        reason = QStringLiteral("压缩包错误 %1").arg(zipCode);
        break;
    }
    return systemCode != 0 ? reason + QStringLiteral("：") + systemError(systemCode) : reason;
}

} // namespace ErrorTexts
