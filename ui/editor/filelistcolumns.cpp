#include "filelistcolumns.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QLocale>
#include <QStandardPaths>
#include <QUrl>

#include <utility>

namespace {

// The side bar model's role of an entry's address (Qt's QUrlModel::UrlRole).
constexpr int SidebarUrlRole = Qt::UserRole + 1;

enum Column { Size = 1, Modified = 3 };

void nameSidebarEntries(QAbstractItemModel *model)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex entry = model->index(row, 0);
        const QString name = FileListColumns::folderName(entry.data(SidebarUrlRole).toUrl().toLocalFile());
        if (!name.isEmpty() && entry.data(Qt::DisplayRole).toString() != name)
            model->setData(entry, name, Qt::DisplayRole);
    }
}

} // namespace

FileListColumns::FileListColumns(QObject *parent) : QIdentityProxyModel(parent) {}

QVariant FileListColumns::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (role != Qt::DisplayRole || !files || !index.isValid())
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    switch (index.column()) {
    case Size:
        return files->isDir(source) ? QString() : QLocale().formattedDataSize(files->size(source), 1, QLocale::DataSizeTraditionalFormat);
    case Modified:
        return QLocale().toString(files->lastModified(source), QStringLiteral("yyyy/M/d H:mm"));
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

QString FileListColumns::folderName(const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QString clean = QDir::cleanPath(path);
    if (clean == QDir::cleanPath(QDir::homePath()))
        return QString();
    const std::pair<QStandardPaths::StandardLocation, const char *> names[] = {
        {QStandardPaths::DesktopLocation, "桌面"},     {QStandardPaths::DocumentsLocation, "文档"},
        {QStandardPaths::DownloadLocation, "下载"},    {QStandardPaths::MusicLocation, "音乐"},
        {QStandardPaths::PicturesLocation, "图片"},    {QStandardPaths::MoviesLocation, "视频"},
    };
    for (const auto &[location, name] : names) {
        if (clean == QDir::cleanPath(QStandardPaths::writableLocation(location)))
            return QString::fromUtf8(name);
    }
    return QString();
}

void FileListColumns::install(QFileDialog &dialog)
{
    dialog.setProxyModel(new FileListColumns(&dialog));
    auto *sidebar = dialog.findChild<QListView *>(QStringLiteral("sidebar"));
    if (!sidebar || !sidebar->model())
        return;
    QAbstractItemModel *model = sidebar->model();
    nameSidebarEntries(model);
    // Qt names an entry again whenever the folder changes on disk, and adds entries later.
    connect(model, &QAbstractItemModel::dataChanged, &dialog, [model] { nameSidebarEntries(model); });
    connect(model, &QAbstractItemModel::rowsInserted, &dialog, [model] { nameSidebarEntries(model); });
}
