#pragma once

#include "guideeventlog.h"
#include "hightemplate.h"
#include "templatecatalognode.h"
#include "writingchoices.h"

#include <QDialog>
#include <QHash>
#include <QList>

#include <functional>
#include <memory>

class ConfigStore;
class HighGuideFrame;
class LowGuideFrame;
class QLabel;
class QLineEdit;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;
class TipPresenter;
class WritingFrame;

namespace ZeltraLib {
class WritingCatalog;
}

// "写作向导": the template catalog as a searchable tree beside a welcome page, the
// preview of a detailed template or the page of a simple template; the template editor
// takes the whole window. Exports a template to a file or hands the text to the main
// window for checking or polishing.
class WritingGuideWindow : public QDialog
{
    Q_OBJECT
public:
    // Asks for a file name to save to: title, filters, suggested name; the chosen
    // filter goes to *filter. Empty: cancelled.
    using SaveDialog = std::function<QString(const QString &title, const QStringList &filters,
                                             const QString &suggested, QString *filter)>;

    // preferences, tips: the process-wide stores (not owned; null in tests that need
    // none). choicesPath: writing.ini (empty = its usual place).
    WritingGuideWindow(const QString &apiHost, ConfigStore *preferences, ConfigStore *tips,
                       QWidget *parent = nullptr, const QString &choicesPath = {});
    ~WritingGuideWindow() override;

    void setEventLog(GuideEventLog log);
    void setSaveDialog(SaveDialog dialog) { m_saveDialog = std::move(dialog); }
    void setOpenDocument(std::function<void(const QString &path)> open) { m_openDocument = std::move(open); }

    // Asks whether the main window's text may be overwritten.
    bool confirmOverwrite();

    QTreeWidget *tree() const { return m_tree; }
    QLineEdit *filter() const { return m_filter; }
    HighGuideFrame *highFrame() const { return m_highFrame; }
    LowGuideFrame *lowFrame() const { return m_lowFrame; }
    WritingFrame *writingFrame() const { return m_writingFrame; }
    QWidget *welcomePage() const { return m_welcome; }
    QSplitter *splitter() const { return m_splitter; }
    const ZeltraLib::WritingChoices::Map &choices() const { return m_choices; }
    QString title() const;

Q_SIGNALS:
    void signalCopyCheck(bool bCheck, QString text);

public Q_SLOTS:
    void slotMove(int dx, int dy);
    void slotGetCatalogFinished();
    void slotItemSelectionChanged();
    void slotWritingFrameBack();
    void slotHighFrameNext();
    void slotFrameBack();
    void slotLowFrameExport();
    void slotFilterTextChanged(QString text);
    void slotHighExport(QString content);
    void slotExportToCorrect(bool bCheck, QString text);
    void slotClose();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Every end of the dialog keeps the chosen alternatives in writing.ini.
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Return ends typing in a field, never "presses" a button of the guide; Escape asks
    // as closing does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The catalog side of the splitter, widened to its longest template name.
    void fitCatalogWidth();
    void addItems(const QList<ZeltraLib::TemplateCatalogNode> &nodes, QTreeWidgetItem *parent);
    bool askLeave(const QString &verb);
    bool ask(const QString &title, const QString &text, const QString &confirm);
    void setTitle(const QString &title);
    void log(const char *name) const;
    QString suggestedName(const QString &extension) const;
    void openExported(const QString &path);
    void saveChoices();

    ZeltraLib::WritingCatalog *m_catalog = nullptr; // child
    QList<ZeltraLib::TemplateCatalogNode> m_catalogNodes;
    QHash<QTreeWidgetItem *, const ZeltraLib::TemplateCatalogNode *> m_itemNodes;
    ZeltraLib::HighTemplate m_currentTemplate;
    QString m_currentName;
    ZeltraLib::WritingChoices::Map m_choices;
    QString m_choicesPath;
    ConfigStore *m_preferences = nullptr; // not owned
    std::unique_ptr<TipPresenter> m_tips;
    GuideEventLog m_log;
    SaveDialog m_saveDialog;
    std::function<void(const QString &)> m_openDocument;
    bool m_closing = false;

    QLabel *m_title = nullptr;
    QWidget *m_titleBar = nullptr;
    QPoint m_dragStart;
    QSplitter *m_splitter = nullptr;
    QLineEdit *m_filter = nullptr;
    QTreeWidget *m_tree = nullptr;
    QLabel *m_wait = nullptr;
    QWidget *m_welcome = nullptr;
    QWidget *m_help = nullptr;
    HighGuideFrame *m_highFrame = nullptr;
    LowGuideFrame *m_lowFrame = nullptr;
    WritingFrame *m_writingFrame = nullptr;
};
