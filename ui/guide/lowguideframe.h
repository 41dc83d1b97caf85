#pragma once

#include "lowtemplateitem.h"

#include <QFrame>
#include <QHash>
#include <QPointer>
#include <QStringList>

#include <functional>

class QButtonGroup;
class QHBoxLayout;
class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;
class QTextBrowser;
class QVBoxLayout;
class TipPresenter;

namespace ZeltraLib {
class LowTemplateDownloader;
struct TemplateCatalogNode;
}

// The page of a simple template: its description, one radio button per Word document,
// the selected document's cover picture and a field for each of its blanks; "导出"
// saves the document.
class LowGuideFrame : public QFrame
{
    Q_OBJECT
public:
    enum class ExportResult { Failed, Saved, SavedUnfilled, FillFailed };
    // Fills the blanks of a saved Word document; true on success, else *error says why.
    using DocumentFiller = std::function<bool(const QString &path, const QStringList &blanks,
                                              const QHash<QString, QString> &values, QString *error)>;

    LowGuideFrame(const QString &apiHost, QWidget *parent = nullptr);

    void setTips(TipPresenter *tips) { m_tips = tips; } // not owned; null: no tips
    // Without a filler the document is saved as downloaded.
    void setDocumentFiller(DocumentFiller filler) { m_filler = std::move(filler); }
    // Longest wait for the document download (tests shorten it).
    void setDownloadTimeoutMs(int ms) { m_timeoutMs = ms; }

    void showTemplate(const ZeltraLib::TemplateCatalogNode &node);
    bool allFilled();
    bool anyFilled();
    // Downloads the selected document into `path` and fills it; after FillFailed the
    // document stays as downloaded and fillError() says why.
    ExportResult exportTo(const QString &path);
    QString fillError() const { return m_fillError; }

    // The label text of a blank: brackets removed, cut before a full-width comma after
    // the first character, at most 7 characters and "...".
    static QString shortForm(const QString &blank);

    const QList<ZeltraLib::LowTemplateItem> &items() const { return m_items; }
    int selected() const { return m_selected; }
    QHash<QString, QString> values() const { return m_values; }
    QLabel *cover() const { return m_cover; }
    QPushButton *exportButton() const { return m_export; }

Q_SIGNALS:
    void signalBack();
    void signalExport();
    // The cover of the selected document arrived (or failed).
    void signalCoverShown();

public Q_SLOTS:
    void slotCoverLoaded();
    void slotDownloadTemplateFinished(QString strDescription);
    void slotRadioButtonClicked(int n);

private:
    void loadItem(int n);
    void countValues();

    ZeltraLib::LowTemplateDownloader *m_downloader = nullptr; // child
    QNetworkAccessManager *m_network = nullptr;               // child
    QPointer<QNetworkReply> m_coverReply;
    QList<ZeltraLib::LowTemplateItem> m_items;
    QStringList m_blanks;
    QHash<QString, QString> m_values;
    int m_selected = -1;
    int m_filledCount = 0;
    QButtonGroup *m_group = nullptr; // child
    TipPresenter *m_tips = nullptr;  // not owned
    DocumentFiller m_filler;
    QString m_fillError;
    int m_timeoutMs = 60000;

    QTextBrowser *m_description = nullptr;
    QWidget *m_radioFrame = nullptr;
    QHBoxLayout *m_radioLayout = nullptr;
    QLabel *m_cover = nullptr;
    QWidget *m_keyFrame = nullptr;
    QVBoxLayout *m_keyLayout = nullptr;
    QPushButton *m_export = nullptr;
};
