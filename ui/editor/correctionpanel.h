#pragma once

#include "correctionrecord.h"
#include "displaysettings.h"

#include <QFrame>
#include <QHash>
#include <QList>

#include <memory>

class ConfigStore;
class CorrectionItem;
class CustomMenuItem;
class QLabel;
class QScrollArea;
class QTextBrowser;
class QToolButton;
class QVBoxLayout;
class SentenceEntry;

// Side panel beside the editor: the focused finding's found text, one row per
// candidate with its key hint, the fixed action rows, and on its second page the
// finding's explanation from the explanation service.
//
// The panel keeps the shown finding and sentence by pointer (not owned): the main
// window calls showFinding() with other values (or none) before it deletes them.
class CorrectionPanel : public QFrame
{
    Q_OBJECT
public:
    // prefs: the preference store ("use_ctrl"); not owned, outlives the panel.
    explicit CorrectionPanel(ConfigStore &prefs, QWidget *parent = nullptr);
    ~CorrectionPanel() override;

    // Shows a finding (or, with none, the sentence's suggestion, or nothing). Called on
    // every focus change.
    void showFinding(SentenceEntry *sentence, CorrectionItem *finding);
    CorrectionItem *shownFinding() const { return m_finding; }
    SentenceEntry *currentSentence() const { return m_sentence; }

    void setPrevNextEnabled(bool previous, bool next);
    // 0 none, 1 correction page, 2 explanation page.
    int currentPage() const;
    void setModeTexts(bool correctMode);

    // Parts, for the main window and tests.
    QList<CustomMenuItem *> candidateRows() const { return m_candidateRows; }
    CustomMenuItem *revertRow() const { return m_revert; }
    CustomMenuItem *ignoreRow() const { return m_ignore; }
    CustomMenuItem *ignoreAllRow() const { return m_ignoreAll; }
    CustomMenuItem *addDictRow() const { return m_addDict; }
    CustomMenuItem *previousRow() const { return m_previous; }
    CustomMenuItem *nextRow() const { return m_next; }
    QLabel *headerLabel() const { return m_original; }
    QWidget *correctionPage() const { return m_correctionPage; }
    QScrollArea *correctionScroll() const { return m_correctionScroll; }
    QWidget *separator() const { return m_separator; }
    QTextBrowser *explanationBrowser() const { return m_explain; }
    QWidget *body() const { return m_content; }
    QToolButton *correctionToggle() const { return m_cbCorrection; }
    QToolButton *explanationToggle() const { return m_cbExplanation; }
    // Number of the latest explanation request.
    int explanationCounter() const { return m_expCounter; }

signals:
    void signalDisplayPanel(bool bShow);
    void signalPrevClicked();
    void signalNextClicked();
    // A usage event to count ("Main_Correction", "Main_Explanation" and their polish
    // variants); the main window forwards it to the usage-log object.
    void signalUsageEvent(const QString &name);

public slots:
    void slotDisplayPanel(int nPanel);
    void slotCorrectionToggled(bool checked);
    void slotExplainToggled(bool checked);
    void slotItemClicked(int index);
    void slotIgnor();
    void slotAddDict();
    void slotRevert();
    void slotUpdateExp(QObject *obj, const QString &result);
    void slotIgnorAll();

private:
    struct PendingExplanation
    {
        std::shared_ptr<ZeltraLib::CorrectionRecord> record; // what the request writes into
        int showSerial = 0;                                   // shown state it was made for
    };

    void buildForm();
    CustomMenuItem *addFixedRow(QVBoxLayout *layout, const QString &text, const QString &hint);
    void clearCandidateRows();
    QString hintPrefix() const;
    void requestExplanation();

    QFrame *m_content = nullptr;           // children of this panel
    QScrollArea *m_correctionScroll = nullptr; // holds the correction page
    QWidget *m_correctionPage = nullptr;
    QLabel *m_original = nullptr;
    QVBoxLayout *m_candidateLayout = nullptr;
    QFrame *m_separator = nullptr;
    QTextBrowser *m_explain = nullptr;
    QToolButton *m_cbCorrection = nullptr;
    QToolButton *m_cbExplanation = nullptr;

    CorrectionItem *m_finding = nullptr;  // not owned
    SentenceEntry *m_sentence = nullptr;  // not owned
    CustomMenuItem *m_revert = nullptr;
    CustomMenuItem *m_ignore = nullptr;
    CustomMenuItem *m_ignoreAll = nullptr;
    CustomMenuItem *m_addDict = nullptr;
    CustomMenuItem *m_previous = nullptr;
    CustomMenuItem *m_next = nullptr;
    int m_expCounter = 0;

    QList<CustomMenuItem *> m_candidateRows;
    DisplaySettings m_display;
    int m_showSerial = 0;
    QHash<QObject *, PendingExplanation> m_pending;
};
