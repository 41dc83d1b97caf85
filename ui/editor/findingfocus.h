#pragma once

class CorrectionItem;
class FindingList;
class MainWindowForm;
class SentenceEntry;

// The focused finding and the current sentence of the main window: focus follows the
// caret and the selection; focusing frames the finding in the editor, shows it in the
// panel and refreshes previous/next and accept-all. Holds the form and the finding list
// by reference (both belong to the main window and outlive this object).
class FindingFocus
{
public:
    FindingFocus(MainWindowForm &ui, const FindingList &findings);

    CorrectionItem *focused() const { return m_focused; }
    SentenceEntry *sentence() const { return m_sentence; }

    void focus(CorrectionItem *item);
    void clear();
    // Forgets finding and sentence without touching the widgets (the window resets).
    void forget();
    // The finding is about to be deleted: no longer focused (widgets untouched).
    void drop(const CorrectionItem *item);
    // Where F3 / F4 go: the nearest visible finding before / after the focused one or,
    // with none focused, before / after the caret (the selection's start / end).
    CorrectionItem *previousTarget() const;
    CorrectionItem *nextTarget() const;
    // Previous/next enabled while their targets exist; accept-all while any finding is
    // open.
    void refreshState();
    // Caret to the finding's start and the focus on it.
    void moveCaretTo(CorrectionItem *item);

    // With no selection: the sentence under the caret becomes current (highlight moved)
    // and its first visible finding holding the caret gets the focus, or none.
    void followCaret();
    // With a selection: the visible finding spanning exactly the selection, or none.
    void followSelection();

private:
    // Nothing when the target has the focus already.
    void focusOrClear(CorrectionItem *target);

    MainWindowForm &m_ui;
    const FindingList &m_findings;
    CorrectionItem *m_focused = nullptr;  // owned by its sentence entry
    SentenceEntry *m_sentence = nullptr;  // owned by the main window's list
};
