#pragma once

#include "animationmenu.h"

#include <QString>
#include <QStringList>
#include <QTextCursor>

class CorrectionItem;
class CustomTextEditor;
class SentenceEntry;

namespace ZeltraLib {
class Synonym;
class UserInformation;
} // namespace ZeltraLib

// What the context menu needs besides the editor, the finding and the sentence.
struct ContextMenuOptions
{
    bool useCtrl = false;                         // "use_ctrl": candidate shortcuts "Ctrl+N"
    bool polish = false;                          // polish mode: the "_Improve" event names
    ZeltraLib::UserInformation *usage = nullptr;  // usage counters; not owned, may be null
    QString synonymHost;                          // "host:port"; empty: no synonym request
};

// The editor's right-click menu, built fresh for every click: the focused finding's
// candidates and actions, the sentence suggestion's, replacement words with a
// compare-in-dictionary button, look-up, translation, web search and the clipboard.
class CustomContextMenu : public AnimationMenu
{
    Q_OBJECT
public:
    // editor: not owned, outlives the menu. finding, sentence: may be null.
    CustomContextMenu(CustomTextEditor *editor, CorrectionItem *finding, SentenceEntry *sentence,
                      const ContextMenuOptions &options, QWidget *parent = nullptr);
    ~CustomContextMenu() override;

    QMenu *synonymMenu() const { return m_synonymMenu; }
    const QTextCursor &targetRange() const { return m_targetRange; }
    const QString &targetText() const { return m_targetText; }
    // The synonym request's span within the sentence (-1 when none was asked).
    int synonymStart() const { return m_synonymStart; }
    int synonymEnd() const { return m_synonymEnd; }

    // True when the selection is exactly one word: letters and "-" inside, neither
    // around it.
    static bool isOneWord(const QTextCursor &selection);
    // The word at the caret: extended left and right over letters and "-".
    static QTextCursor wordAt(const QTextCursor &caret);

Q_SIGNALS:
    void signalFindInDict(const QString &text1, const QString &text2);
    void signalTranslate(const QString &text);
    void signalSearchWeb(const QString &text);
    void signalCut();

public Q_SLOTS:
    void slotCorrClicked(int index);
    void slotIgnor();
    void slotAddDict();
    void slotRevert();
    void slotIgnorAll();
    void slotIgnorSuggestion();
    void slotCopy();
    void slotPaste();
    void slotFindInDict();
    void slotTranslate();
    void slotSearchWeb();
    void slotGetSynonym(QStringList strResult);
    void slotCmpInDict(const QString &text);
    void slotReplace(const QString &text);

private:
    void addFindingEntries(const QString &prefix);
    void addReplaceableWords();
    void addClipboardEntries();
    void count(const char *name, const char *polishName = nullptr);

    CustomTextEditor *m_editor;          // not owned
    CorrectionItem *m_finding;           // owned by its sentence; cleared once an action may remove it
    SentenceEntry *m_sentence;           // not owned
    QMenu *m_synonymMenu = nullptr;      // child
    QTextCursor m_targetRange;
    QString m_targetText;
    ContextMenuOptions m_options;
    ZeltraLib::Synonym *m_synonym = nullptr; // child
    int m_synonymStart = -1;
    int m_synonymEnd = -1;
};
