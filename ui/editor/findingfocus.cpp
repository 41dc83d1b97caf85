#include "findingfocus.h"

#include "correctionitem.h"
#include "correctionpanel.h"
#include "customtexteditor.h"
#include "findinglist.h"
#include "mainwindowform.h"
#include "polishmode.h"
#include "sentenceentry.h"

FindingFocus::FindingFocus(MainWindowForm &ui, const FindingList &findings)
    : m_ui(ui)
    , m_findings(findings)
{
}

void FindingFocus::focus(CorrectionItem *item)
{
    m_focused = item;
    if (item && item->sentence())
        m_sentence = item->sentence();
    m_ui.editor->setFocusedFinding(item);
    m_ui.panel->showFinding(m_sentence, item);
    refreshState();
}

void FindingFocus::clear()
{
    m_focused = nullptr;
    m_ui.editor->setFocusedFinding(nullptr);
    m_ui.panel->showFinding(m_sentence, nullptr);
    refreshState();
}

void FindingFocus::forget()
{
    m_focused = nullptr;
    m_sentence = nullptr;
}

void FindingFocus::drop(const CorrectionItem *item)
{
    if (item == m_focused)
        m_focused = nullptr;
}

CorrectionItem *FindingFocus::previousTarget() const
{
    if (m_focused)
        return m_findings.previousVisible(m_focused);
    return m_findings.lastVisibleBefore(m_ui.editor->textCursor().selectionStart());
}

CorrectionItem *FindingFocus::nextTarget() const
{
    if (m_focused)
        return m_findings.nextVisible(m_focused);
    return m_findings.firstVisibleFrom(m_ui.editor->textCursor().selectionEnd());
}

void FindingFocus::refreshState()
{
    const bool previous = previousTarget() != nullptr;
    const bool next = nextTarget() != nullptr;
    m_ui.setPrevNextEnabled(previous, next);
    m_ui.setAcceptAllEnabled(m_findings.anyOpen(), ZeltraLib::polishMode());
}

void FindingFocus::moveCaretTo(CorrectionItem *item)
{
    if (!item)
        return;
    m_ui.editor->placeCaretAtFinding(item);
    followCaret();
    // Findings that touch share a caret position; the one asked for wins.
    if (m_focused != item)
        focus(item);
}

void FindingFocus::followCaret()
{
    const QTextCursor tc = m_ui.editor->textCursor();
    if (tc.hasSelection())
        return;
    const int caret = tc.position();
    SentenceEntry *sentence = m_ui.editor->sentenceAt(caret);
    if (sentence != m_sentence) {
        m_ui.editor->highlightSentence(m_sentence, sentence);
        m_sentence = sentence;
        if (!m_focused)
            m_ui.panel->showFinding(m_sentence, nullptr);
    }
    focusOrClear(FindingList::visibleAt(sentence, caret));
}

void FindingFocus::followSelection()
{
    const QTextCursor tc = m_ui.editor->textCursor();
    if (!tc.hasSelection())
        return;
    const int s = tc.selectionStart();
    const int e = tc.selectionEnd();
    focusOrClear(FindingList::visibleSpanning(m_ui.editor->sentenceAt(s), s, e));
}

void FindingFocus::focusOrClear(CorrectionItem *target)
{
    // Without a focused finding, previous/next depend on where the caret is.
    if (!target && !m_focused)
        refreshState();
    if (target == m_focused)
        return;
    if (target)
        focus(target);
    else
        clear();
}
