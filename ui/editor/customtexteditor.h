#pragma once

#include "correctionitem.h"
#include "displaysettings.h"
#include "focusrectwidget.h"
#include "paragraphsource.h"
#include "sentenceentry.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QTextEdit>

#include <memory>

class ClickableLabel;
class ConfigStore;
class QKeyEvent;

// The plain-text editor in the centre of the main window. Draws the findings of a
// check in the text (underline or tint, a preview label in the line gap, a line under
// sentences with a sentence suggestion, a frame around the focused finding) and keeps
// them attached to their words while the user edits. Pasted text and context menus go
// to the main window through signals. Also the paragraph source of sentence detection.
//
// Overlays near the visible text are children of the viewport; the others wait in an
// out-of-sight layer. Relayout places only those near the viewport, so that a
// keystroke or a scroll step costs about the same with ten findings or thousands.
class CustomTextEditor : public QTextEdit, public ZeltraLib::ParagraphSource
{
    Q_OBJECT
public:
    // Pixels added below every line; the preview labels sit there.
    static constexpr int DefaultLineGap = 30;

    // prefs: the preference store (display keys); not owned, outlives the editor.
    explicit CustomTextEditor(ConfigStore &prefs, QWidget *parent = nullptr);
    ~CustomTextEditor() override;

    int lineGap() const { return m_lineGap; }
    const DisplaySettings &display() const { return m_display; }

    // The main window's ordered sentence list (owned there, entries included), or null.
    void setSentenceList(QList<SentenceEntry *> *sentences);
    QList<SentenceEntry *> *sentenceList() const { return m_sentences; }

    // setPlainText, then line gap and appearance (wipes every character format).
    void loadText(const QString &text);
    // The same after replacing every key of the punctuation map by its value, spaced as
    // English is written (PunctuationConverter).
    void loadTextConverted(const QString &text);
    QString convertPunctuation(const QString &text) const;
    bool containsChinesePunctuation(const QString &text) const;
    const QHash<QString, QString> &punctuationMap() const { return m_punctuation; }

    // The plain text has something besides white space.
    bool hasText() const;
    // The selection starts at 0 and reaches the document end.
    bool everythingSelected() const;

    // Caret to the finding's start, no selection, keyboard focus to the editor.
    void placeCaretAtFinding(const CorrectionItem *item);
    // Scrolls so that the finding, its preview and a line above and below are in view
    // (the finding's line at the top when they do not fit).
    void showFinding(const CorrectionItem *item);
    // Inserts text behind the cursor's selection, then removes the selected characters,
    // so that the caret and every tracked range stay on their side of the edit.
    void replaceSelection(const QTextCursor &cursor, const QString &text);

    // Closes the old focus frame; with an item, stores it and frames it. Clear it (or use
    // removeFinding) before the focused finding is deleted.
    void setFocusedFinding(CorrectionItem *item);
    CorrectionItem *focusedFinding() const { return m_focusedFinding; }
    FocusRectWidget *focusRect() const { return m_focusRect; }

    // The hidden preview of a newly inserted finding; its label is made when relayout
    // (or anyone) first asks for it.
    void createPreviewLabel(CorrectionItem *item);
    // Preview font: the editor font one point smaller.
    void applyPreviewFont(ClickableLabel *label) const;
    // The line of a sentence with a sentence suggestion; shown only when the
    // suggestion category is shown.
    void createSentenceLine(SentenceEntry *entry);

    // Repositions the overlays near the viewport. Runs after resize, scroll and text
    // change by itself; callers run it after every finding action.
    void relayout();
    // Overlays placed by the last relayout (for the benchmark and tests).
    int placedOverlayCount() const { return int(m_placed.size()); }

    // Turns the detection results (block start positions and per-block boundaries)
    // into sentence entries appended to the sentence list.
    void buildSentenceList(const QList<int> &positions, const QList<QList<int>> &boundaries);

    // Places one result of a check in its sentence: a sentence suggestion (category 6)
    // becomes the entry's suggestion (returns null); any other result becomes a finding
    // over [sentence start + start, sentence start + end], inserted in start order, with
    // its hidden preview label and, when shown, its open look.
    CorrectionItem *insertResult(SentenceEntry *entry, const ZeltraLib::CorrectionRecord &record);
    // The results of one sentence, in one edit block (one layout pass for all).
    QList<CorrectionItem *> insertResults(SentenceEntry *entry,
                                          const QList<ZeltraLib::CorrectionRecord> &records);
    // After the results are in: shows the preview label of every visible open finding,
    // creates the line of every sentence with a suggestion, lays out.
    void revealFindings();

    // The one display refresh after the preferences change: with textChanged the
    // appearance, the preview fonts and the highlight of `current`; with errorChanged
    // every finding's look and label and every sentence line (colour and shown flag).
    // A focused finding that is no longer shown loses the focus.
    void applyDisplaySettings(bool textChanged, bool errorChanged, SentenceEntry *current = nullptr);

    // Style sheet, text colour and font from the display settings; caret to the start.
    void applyAppearance();
    // Text colour and the line gap on every block.
    void applyLineGap();
    // Moves the sentence highlight (when enabled) from one sentence to another.
    void highlightSentence(SentenceEntry *previous, SentenceEntry *current);
    // The sentence holding position: the first whose end lies after it, else the last.
    SentenceEntry *sentenceAt(int position) const;

    // Key presses that carry text but are shortcut chords (Alt or Meta held): they must
    // never type their letter.
    static bool isShortcutChord(const QKeyEvent *event);

    // While a batch of finding actions runs (accept-all), a text change discards only the
    // findings whose own text it changed, not the neighbours it touches. Nestable.
    void beginFindingBatch() { ++m_findingBatch; }
    void endFindingBatch() { m_findingBatch = qMax(0, m_findingBatch - 1); }

    // Editor side of removing one finding: look cleared, label and focus dropped, taken
    // out of its sentence and deleted.
    void removeFinding(CorrectionItem *item);
    // The same without deleting it: the caller owns the finding, to bring it back later.
    std::unique_ptr<CorrectionItem> takeFinding(CorrectionItem *item);
    // Puts a taken finding back into its sentence with its look and preview.
    void restoreFinding(CorrectionItem *item);

    // ParagraphSource: every block with its start position and text.
    QList<ZeltraLib::ParagraphBlock> blocks() const override;

signals:
    void signalShowDict(bool bShow);
    void signalContextMenu(QContextMenuEvent *e);
    void signalOnPaste(const QString &text);
    // A change of the text touched these findings and sentence suggestions: emitted
    // before the findings are deleted and the suggestions dropped; the pointers are valid
    // only during the emission.
    void signalFindingsDiscarded(const QList<CorrectionItem *> &findings,
                                 const QList<SentenceEntry *> &suggestions);
    // The text changed by an edit of the user or a program, not by a finding's own action
    // nor by loading a whole text: at position, `removed` became `added` (U+2029 between
    // paragraphs). Emitted after the touched findings are gone.
    void signalTextEdited(int position, const QString &removed, const QString &added);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;
    void scrollContentsBy(int dx, int dy) override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    // Every change of the document's text, whatever made it (keys, input method, paste,
    // drop, programs): discards the findings it touched and reports the edit.
    void onContentsChange(int position, int removed, int added);
    QString textBetween(int from, int to) const;
    void buildPunctuationMap();
    QRect rectAt(int position) const;
    // Viewport rows from a line above the finding to a line below its preview.
    QPair<int, int> findingSpan(const CorrectionItem *item) const;
    void placeFocusRect();
    void park(QWidget *widget) const;
    void moveOverlay(QWidget *widget, QWidget *layer) const;

    int m_lineGap = DefaultLineGap;
    QList<SentenceEntry *> *m_sentences = nullptr;     // not owned
    QPointer<FocusRectWidget> m_focusRect;             // viewport child
    CorrectionItem *m_focusedFinding = nullptr;        // not owned
    QHash<QString, QString> m_punctuation;
    DisplaySettings m_display;
    QList<QPointer<QWidget>> m_placed;                 // overlays placed by the last relayout
    QWidget *m_parkLayer = nullptr;                    // viewport child holding parked overlays
    QString m_shadow;      // the text before the pending change, to tell text from format changes
    int m_findingBatch = 0;
};
