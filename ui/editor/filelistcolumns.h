#pragma once

#include <QIdentityProxyModel>

class QFileDialog;

// The file dialog's list as the program's locale writes it: Qt formats the sizes and
// dates of its file list by the system's locale, which may be English. Also names the
// side bar's standard folders in Chinese ("桌面", "文档").
class FileListColumns : public QIdentityProxyModel
{
    Q_OBJECT
public:
    explicit FileListColumns(QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Installs the columns on a Qt (not native) file dialog and names its side bar.
    static void install(QFileDialog &dialog);
    // The Chinese name of a standard folder, or empty for any other.
    static QString folderName(const QString &path);
};
