#pragma once

#include "hightemplate.h"
#include "writingchoices.h"

#include <QFrame>

class QPushButton;
class QTextBrowser;
class TipPresenter;

namespace ZeltraLib {
class HighTemplateDownloader;
struct TemplateCatalogNode;
}

// The preview of a detailed template: its description and its text, English with the
// Chinese under each paragraph, key words in blue; "下一步" opens the editor.
class HighGuideFrame : public QFrame
{
    Q_OBJECT
public:
    HighGuideFrame(const QString &apiHost, QWidget *parent = nullptr);

    // choices: the guide's remembered alternatives (not owned).
    void setChoices(const ZeltraLib::WritingChoices::Map *choices) { m_choices = choices; }
    void setTips(TipPresenter *tips) { m_tips = tips; } // not owned; null: no tips
    // Loads template `node` into *target (owned by the guide, kept alive).
    void showTemplate(const ZeltraLib::TemplateCatalogNode &node, ZeltraLib::HighTemplate *target);

    // The preview text of a template with the alternatives in `choices`.
    static QString previewText(const ZeltraLib::HighTemplate &t, const QList<qint32> &choices);

    QTextBrowser *preview() const { return m_document; }
    QTextBrowser *description() const { return m_description; }
    QPushButton *nextButton() const { return m_next; }

Q_SIGNALS:
    void signalBack();
    void signalNext();

public Q_SLOTS:
    void slotDownloadTemplateFinished();

private:
    ZeltraLib::HighTemplateDownloader *m_downloader = nullptr; // child
    ZeltraLib::HighTemplate *m_template = nullptr;             // not owned
    const ZeltraLib::WritingChoices::Map *m_choices = nullptr; // not owned
    TipPresenter *m_tips = nullptr;                            // not owned
    QTextBrowser *m_description = nullptr;
    QTextBrowser *m_document = nullptr;
    QPushButton *m_next = nullptr;
};
