#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

class ConfigStore;
class QFileDialog;
class QWidget;

// The open and save dialogs for documents, with Chinese labels and the desktop and
// documents folders in the side bar, and the messages for a failed open or save.
class DocumentDialog
{
public:
    // "打开文档": the chosen file, or empty when cancelled.
    static QString chooseOpenFile(QWidget *parent);
    // "保存文档" (or `title`): the chosen name with the chosen filter's extension when it
    // had none, or empty when cancelled; "Save_Filter" in `preferences` preselects the
    // filter and takes the chosen one.
    static QString chooseSaveFile(QWidget *parent, ConfigStore &preferences,
                                  const QString &title = QStringLiteral("保存文档"),
                                  const QString &baseName = QStringLiteral("Pennova"));

    // Writes `text` to `path` (crash-safely, by the file's type); a failure shows the box
    // "提示" naming the file and the reason. True only when the text was saved.
    static bool saveTo(QWidget *parent, const QString &path, const QString &text);

    // The whole save of the editor's text: dialog, then saveTo. False when cancelled or
    // failed (exit and sign-out stay when the text was not saved).
    static bool saveText(QWidget *parent, ConfigStore &preferences, const QString &text);

    // The dialogs before they run (the caller owns them).
    static std::unique_ptr<QFileDialog> makeOpenDialog(QWidget *parent);
    static std::unique_ptr<QFileDialog> makeSaveDialog(QWidget *parent, ConfigStore &preferences,
                                                       const QString &title, const QString &baseName,
                                                       const QDateTime &now);
    // After the save dialog was accepted: stores the filter, returns the name to write.
    static QString acceptedSaveName(const QFileDialog &dialog, ConfigStore &preferences);

    static QStringList saveFilters();
    // "0" text, "1" .docx, "2" .doc, from the filter's text.
    static QString filterCode(const QString &filter);
    // `name` with the filter's extension appended unless it ends in .txt, .doc or .docx.
    static QString withExtension(const QString &name, const QString &filter);

    // Message box texts naming the file and the reason.
    static QString openFailedText(const QString &path, const QString &reason);
    static QString saveFailedText(const QString &path, const QString &reason);
};
