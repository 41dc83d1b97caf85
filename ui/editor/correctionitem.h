#pragma once

#include "clickablelabel.h"
#include "correctionrecord.h"
#include "displaysettings.h"
#include "menuitemtype.h"

#include <QPointer>
#include <QString>
#include <QTextCursor>

#include <functional>

class ConfigStore;
class SentenceEntry;

// A finding placed in the document. Its cursor spans the finding (anchor = start,
// position = end) and moves with edits, so no offsets are stored. Owned by its
// SentenceEntry; the preview label is a child widget of the editor, not owned, made
// only when first asked for: the editor asks for the labels near the viewport, so that
// thousands of findings out of view cost no widgets.
// Copying copies every member (the label pointer and its maker included).
class CorrectionItem
{
public:
    // The span cursor's selection becomes the finding; its current text is the found
    // text. prefs is read for the look and must outlive the item.
    CorrectionItem(const QTextCursor &span, const ZeltraLib::CorrectionRecord &record,
                   SentenceEntry *sentence, ConfigStore &prefs);

    QTextCursor &cursor() { return m_cursor; }
    const QTextCursor &cursor() const { return m_cursor; }
    int start() const { return m_cursor.selectionStart(); }
    int end() const { return m_cursor.selectionEnd(); }
    QString currentText() const { return m_cursor.selectedText(); }

    ZeltraLib::CorrectionRecord &record() { return m_record; }
    const ZeltraLib::CorrectionRecord &record() const { return m_record; }

    // The preview label, made now if it was not yet (shown or hidden as the preview
    // flag says); null when the finding has no preview.
    ClickableLabel *label() const;
    // The label if it was made, without making it.
    ClickableLabel *madeLabel() const { return m_label; }
    // From now on the finding has a preview, hidden; `make` makes its label when needed
    // (and may return null when it no longer can).
    void setLabelMaker(std::function<ClickableLabel *()> make);
    bool hasPreview() const { return bool(m_makeLabel); }
    // Whether the preview shows; only a finding with a preview shows one.
    bool isPreviewShown() const { return m_previewShown; }
    void setPreviewShown(bool shown);
    // Drops the preview and deletes its label (later, so that a label may trigger its own
    // removal).
    void deleteLabel();

    int operationKind() const { return m_operationKind; }
    int category() const { return m_category; }
    const QString &foundText() const { return m_foundText; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    int currentIndex() const { return m_currentIndex; }
    int previousIndex() const { return m_previousIndex; }
    bool isOpen() const { return m_currentIndex < 0; }
    bool isApplied() const { return m_currentIndex >= 0; }
    SentenceEntry *sentence() const { return m_sentence; }

    int candidateCount() const { return int(m_record.candidates.size()); }
    // Candidate i's correction as text; empty for an index out of range.
    QString candidateText(int index) const;
    // A candidate's row in the panel and the context menu ("插入: ", "删除: " or the word).
    QString entryText(int index) const;
    // Open spelling findings, and style findings whose only candidate is the found word
    // in another case, may go into the personal word list.
    bool mayAddToDictionary() const;
    // What applying candidate i writes: kind 1 the candidate, kind 2 one space, kind 3
    // the candidate, a space and the found text.
    QString replacementText(int index) const;
    // What the range holds while nobody else edited it: the found text while open, the
    // applied candidate's replacement otherwise.
    QString expectedText() const { return isOpen() ? m_foundText : replacementText(m_currentIndex); }
    bool isIntact() const { return currentText() == expectedText(); }
    // Text of the preview label: kind 1 the first candidate, kind 2 "删除", kind 3 the
    // first candidate, a space and the found text.
    QString previewText() const;

    // The finding action method: apply (with a candidate index), ignore, revert; add to
    // dictionary and ignore all only report. Ends in CallbackObject::signalCallback
    // unless nothing was to be done.
    void correct(ZeltraLib::MenuItemType type, int index = 0);
    // Apply candidate `index`; nothing when there is no such candidate.
    void applyByIndex(int index);

    // Recomputes the visible flag from the display settings and draws the finding:
    // open (underline), applied (tinted background) or hidden; shows the preview
    // exactly when visible and open.
    void updateLook();
    // No underline, no background on the finding's range.
    void clearLook();

private:
    void replaceText(const QString &text);

    QTextCursor m_cursor;
    ZeltraLib::CorrectionRecord m_record;
    mutable QPointer<ClickableLabel> m_label;
    std::function<ClickableLabel *()> m_makeLabel;
    bool m_previewShown = false;
    int m_operationKind = 1;
    int m_category = 0;
    QString m_foundText;
    bool m_visible = false;
    int m_currentIndex = -2;
    int m_previousIndex = -2;
    SentenceEntry *m_sentence = nullptr; // owner
    DisplaySettings m_display;
};
