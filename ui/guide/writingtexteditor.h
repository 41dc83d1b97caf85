#pragma once

#include <QPointer>
#include <QTextEdit>

#include <memory>
#include <vector>

class HoverPushButton;
class QLabel;
class QLineEdit;
class QPushButton;
class WritingBlockRange;
class WritingSentenceRange;
struct KeywordRange;

// The English view of the template editor: read-only text whose blocks and sentences
// light up under the mouse, with a delete button beside the hovered sentence, key words
// edited in place, and drops of common sentences before, on or after a sentence.
class WritingTextEditor : public QTextEdit
{
    Q_OBJECT
public:
    static constexpr const char *MimeType = "application/x-common-sentence";
    enum class DropPlace { None, Before, Replace, After };

    explicit WritingTextEditor(QWidget *parent = nullptr);

    // The frame's block list (not owned) and the translation view (not owned), whose
    // highlights follow this view's.
    void setBlocks(std::vector<std::unique_ptr<WritingBlockRange>> *blocks, QTextEdit *translation);

    // The block and the sentence at a document position; the sentence only inside a
    // replaceable block and never a paragraph mark.
    WritingBlockRange *blockAt(int position) const;
    WritingSentenceRange *sentenceAt(WritingBlockRange *block, int position) const;
    // Where a drop at document position P goes, relative to sentence s.
    static DropPlace dropPlace(const WritingSentenceRange *sentence, int position);

    // Hover at a viewport point (what a mouse move does).
    void hoverAt(const QPoint &viewportPos);
    void clearHover();
    // Starts editing the key word at a document position; false when none is there.
    bool editKeyWordAt(int position);
    WritingBlockRange *hoveredBlock() const { return m_hoveredBlock; }
    WritingSentenceRange *hoveredSentence() const { return m_hoveredSentence; }
    QPushButton *deleteButton() const { return m_deleteButton; }
    QLineEdit *inlineEdit() const { return m_lineEdit; }
    QLabel *insertMarker() const { return m_marker; }

    // Redraws the block and sentence highlights of both views.
    void updateHighlights();
    // Moves every block button to the right edge of its block's first line.
    void placeButtons();
    // Forgets hover and editing state (the blocks are about to be replaced).
    void resetState();

Q_SIGNALS:
    void signalDeleteSentenceRange();
    void signalKeyWordValueChanged(QString key, QString value);
    void signalScroll(int dy);
    // A common sentence (its index) dropped at a document position.
    void signalDropCommonSentence(int index, int position);

public Q_SLOTS:
    void slotLineEditFinished();
    void slotButtonHoverEntered(WritingBlockRange *pBlockRange);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void placeDeleteButton();

    std::vector<std::unique_ptr<WritingBlockRange>> *m_blocks = nullptr; // not owned
    QTextEdit *m_translation = nullptr;                                  // not owned
    WritingBlockRange *m_hoveredBlock = nullptr;
    WritingSentenceRange *m_hoveredSentence = nullptr;
    WritingSentenceRange *m_dropTarget = nullptr; // highlighted for replacement
    QString m_editedKey;
    QLineEdit *m_lineEdit = nullptr;        // child of the viewport
    QLabel *m_marker = nullptr;             // child of the viewport
    QPushButton *m_deleteButton = nullptr;  // child of the viewport
    QPoint m_lastMouse;
};
