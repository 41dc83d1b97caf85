#pragma once

#include "menuitemtype.h"
#include "resultstate.h"

#include <QList>
#include <QWidget>

class ConfigStore;
class CorrectionItem;
class CorrectionPanel;
class CustomTextEditor;
class SentenceEntry;

// The editor and the correction panel side by side, with just enough of the main
// window's wiring to look at and profile them: focus follows the caret, actions from
// the panel, labels and keys take effect, typing discards touched findings.
class DemoWindow : public QWidget
{
    Q_OBJECT
public:
    // prefs: not owned, outlives the window.
    explicit DemoWindow(ConfigStore &prefs, QWidget *parent = nullptr);
    ~DemoWindow() override;

    // Loads the text, runs sentence detection, inserts the results and shows them.
    // Returns the number of findings inserted.
    int load(const QString &text, const QList<ZeltraLib::CResultState> &states);
    // Puts the caret on the n-th finding (document order), which focuses it.
    void focusFinding(int n);

    CustomTextEditor *editor() const { return m_editor; }
    CorrectionPanel *panel() const { return m_panel; }

private:
    void slotPositionChanged();
    void slotCorrectByType(CorrectionItem *item, ZeltraLib::MenuItemType type);
    void slotOnPaste(const QString &text);
    void removeFinding(CorrectionItem *item);
    QList<CorrectionItem *> allFindings() const;
    void clearSentences();

    ConfigStore &m_prefs;
    CustomTextEditor *m_editor; // child
    CorrectionPanel *m_panel;   // child
    QList<SentenceEntry *> m_sentences; // owned
    SentenceEntry *m_current = nullptr;
};
