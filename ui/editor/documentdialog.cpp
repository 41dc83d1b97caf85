#include "documentdialog.h"

#include "configstore.h"
#include "custommessagebox.h"
#include "filelistcolumns.h"
#include "textfileio.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace {

const QString SaveFilterKey = QStringLiteral("Save_Filter");

// The folder of the last document opened or saved in this run: both dialogs start there, as
// the system's dialogs do elsewhere; before the first, in the documents folder (not wherever
// the program was started from).
QString &lastFolder()
{
    static QString folder;
    return folder;
}

QString startFolder()
{
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir())
        return lastFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void rememberFolder(const QString &file)
{
    if (!file.isEmpty())
        lastFolder() = QFileInfo(file).absolutePath();
}

std::unique_ptr<QFileDialog> makeDialog(QWidget *parent, const QString &title, const QString &accept,
                                        QFileDialog::AcceptMode mode)
{
    auto dialog = std::make_unique<QFileDialog>(parent, title);
    // Qt's own dialog: the system one would not take our labels.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // Before the labels: a new accept mode makes new buttons.
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setLabelText(QFileDialog::FileName, QStringLiteral("文件名"));
    dialog->setLabelText(QFileDialog::FileType, QStringLiteral("文件类型"));
    dialog->setLabelText(QFileDialog::LookIn, QStringLiteral("目录"));
    dialog->setLabelText(QFileDialog::Accept, accept);
    dialog->setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    QList<QUrl> side;
    for (const auto location : {QStandardPaths::DesktopLocation, QStandardPaths::DocumentsLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty())
            side << QUrl::fromLocalFile(folder);
    }
    dialog->setSidebarUrls(side);
    dialog->setDirectory(startFolder());
    FileListColumns::install(*dialog);
    return dialog;
}

} // namespace

QStringList DocumentDialog::saveFilters()
{
    return {QStringLiteral("文本文档(*.txt)"), QStringLiteral("Word 文档(*.docx)"),
            QStringLiteral("Word 97-2003 文档(*.doc)")};
}

QString DocumentDialog::filterCode(const QString &filter)
{
    if (filter.contains(QLatin1String(".txt")))
        return QStringLiteral("0");
    return filter.contains(QLatin1String(".docx")) ? QStringLiteral("1") : QStringLiteral("2");
}

QString DocumentDialog::withExtension(const QString &name, const QString &filter)
{
    for (const char *suffix : {".txt", ".doc", ".docx"}) {
        if (name.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return name;
    }
    for (const char *suffix : {".txt", ".docx", ".doc"}) {
        if (filter.contains(QLatin1String(suffix)))
            return name + QLatin1String(suffix);
    }
    return name;
}

std::unique_ptr<QFileDialog> DocumentDialog::makeOpenDialog(QWidget *parent)
{
    auto dialog = makeDialog(parent, QStringLiteral("打开文档"), QStringLiteral("打开"), QFileDialog::AcceptOpen);
    dialog->setNameFilter(QStringLiteral("所有支持文档 (*.txt *.doc *.docx *.odt *.rtf)"));
    return dialog;
}

std::unique_ptr<QFileDialog> DocumentDialog::makeSaveDialog(QWidget *parent, ConfigStore &preferences,
                                                            const QString &title, const QString &baseName,
                                                            const QDateTime &now)
{
    auto dialog = makeDialog(parent, title, QStringLiteral("保存"), QFileDialog::AcceptSave);
    const QStringList filters = saveFilters();
    dialog->setNameFilters(filters);
    const QString code = preferences.value(SaveFilterKey);
    const QString filter = filters.at(code == QLatin1String("1") ? 1 : code == QLatin1String("2") ? 2 : 0);
    dialog->selectNameFilter(filter);
    // The suggested name carries the preselected filter's extension (a ".txt" name would be
    // saved as text under a Word filter), and follows the filter the user picks.
    dialog->selectFile(withExtension(baseName + now.toString(QStringLiteral("yyyyMMddhhmmss")), filter));
    QFileDialog *raw = dialog.get();
    QObject::connect(raw, &QFileDialog::filterSelected, raw, [raw](const QString &chosen) {
        const QString name = QFileInfo(raw->selectedFiles().value(0)).fileName();
        for (const QLatin1String suffix : {QLatin1String(".txt"), QLatin1String(".docx"), QLatin1String(".doc")}) {
            if (name.endsWith(suffix, Qt::CaseInsensitive)) {
                raw->selectFile(withExtension(name.chopped(suffix.size()), chosen));
                return;
            }
        }
    });
    return dialog;
}

QString DocumentDialog::acceptedSaveName(const QFileDialog &dialog, ConfigStore &preferences)
{
    const QString filter = dialog.selectedNameFilter();
    preferences.setValue(SaveFilterKey, filterCode(filter));
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return QString();
    rememberFolder(files.first());
    return withExtension(files.first(), filter);
}

QString DocumentDialog::chooseOpenFile(QWidget *parent)
{
    const auto dialog = makeOpenDialog(parent);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return QString();
    rememberFolder(dialog->selectedFiles().first());
    return dialog->selectedFiles().first();
}

QString DocumentDialog::chooseSaveFile(QWidget *parent, ConfigStore &preferences, const QString &title,
                                       const QString &baseName)
{
    const auto dialog = makeSaveDialog(parent, preferences, title, baseName, QDateTime::currentDateTime());
    if (dialog->exec() != QDialog::Accepted)
        return QString();
    return acceptedSaveName(*dialog, preferences);
}

QString DocumentDialog::openFailedText(const QString &path, const QString &reason)
{
    return QStringLiteral("打开文档失败：%1\n文件：%2").arg(reason, QFileInfo(path).fileName());
}

QString DocumentDialog::saveFailedText(const QString &path, const QString &reason)
{
    return QStringLiteral("保存文档失败：%1\n文件：%2").arg(reason, QFileInfo(path).fileName());
}

bool DocumentDialog::saveTo(QWidget *parent, const QString &path, const QString &text)
{
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor); // a LibreOffice conversion takes seconds
    const bool saved = TextFileIo::write(path, text, &error);
    QApplication::restoreOverrideCursor();
    if (saved)
        return true;
    CustomMessageBox box(QStringLiteral("提示"), saveFailedText(path, error), parent);
    box.exec();
    return false;
}

bool DocumentDialog::saveText(QWidget *parent, ConfigStore &preferences, const QString &text)
{
    const QString path = chooseSaveFile(parent, preferences);
    return !path.isEmpty() && saveTo(parent, path, text);
}
