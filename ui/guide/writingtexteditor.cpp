#include "writingtexteditor.h"

#include "guideicons.h"
#include "hoverpushbutton.h"
#include "writingblockrange.h"

#include <QDragEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

namespace {
QTextEdit::ExtraSelection shade(const QTextCursor &range, const QColor &colour)
{
    QTextEdit::ExtraSelection s;
    s.cursor = range;
    s.format.setBackground(colour);
    return s;
}

bool contains(const QTextCursor &range, int position)
{
    return range.selectionStart() <= position && position <= range.selectionEnd();
}
} // namespace

WritingTextEditor::WritingTextEditor(QWidget *parent)
    : QTextEdit(parent)
{
    setObjectName(QStringLiteral("edit_english"));
    setReadOnly(true);
    setMouseTracking(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setViewportMargins(0, 0, 60, 0);
    m_lineEdit = new QLineEdit(viewport());
    m_lineEdit->setFixedSize(94, 22);
    m_lineEdit->hide();
    connect(m_lineEdit, &QLineEdit::editingFinished, this, &WritingTextEditor::slotLineEditFinished);
    m_marker = new QLabel(viewport());
    m_marker->setFixedSize(10, 20);
    m_marker->setPixmap(GuideIcons::insertMarker(10, 20));
    m_marker->hide();
    m_deleteButton = new QPushButton(viewport());
    m_deleteButton->setFixedSize(12, 12);
    m_deleteButton->setFocusPolicy(Qt::NoFocus);
    m_deleteButton->setFlat(true);
    m_deleteButton->setIcon(QIcon(GuideIcons::deleteMark(12)));
    m_deleteButton->setIconSize(QSize(12, 12));
    m_deleteButton->setStyleSheet(QStringLiteral("QPushButton{border:none;padding:0;}"));
    m_deleteButton->setToolTip(QStringLiteral("删除此句"));
    m_deleteButton->hide();
    connect(m_deleteButton, &QPushButton::clicked, this, &WritingTextEditor::signalDeleteSentenceRange);
}

void WritingTextEditor::setBlocks(std::vector<std::unique_ptr<WritingBlockRange>> *blocks, QTextEdit *translation)
{
    m_blocks = blocks;
    m_translation = translation;
}

void WritingTextEditor::resetState()
{
    m_hoveredBlock = nullptr;
    m_hoveredSentence = nullptr;
    m_dropTarget = nullptr;
    m_editedKey.clear();
    m_lineEdit->hide();
    m_deleteButton->hide();
    m_marker->hide();
}

WritingBlockRange *WritingTextEditor::blockAt(int position) const
{
    if (!m_blocks)
        return nullptr;
    for (const auto &block : *m_blocks)
        if (contains(block->englishRange, position))
            return block.get();
    return nullptr;
}

WritingSentenceRange *WritingTextEditor::sentenceAt(WritingBlockRange *block, int position) const
{
    if (!block || !block->replaceable())
        return nullptr;
    for (const auto &s : block->sentences)
        if (!s->isBreak() && contains(s->englishRange, position))
            return s.get();
    return nullptr;
}

WritingTextEditor::DropPlace WritingTextEditor::dropPlace(const WritingSentenceRange *sentence, int position)
{
    if (!sentence)
        return DropPlace::None;
    if (position <= sentence->englishRange.selectionStart() + 2)
        return DropPlace::Before;
    if (position < sentence->englishRange.selectionEnd() - 2)
        return DropPlace::Replace;
    return DropPlace::After;
}

void WritingTextEditor::updateHighlights()
{
    QList<ExtraSelection> english, translation;
    const QColor blockColour(255, 255, 0, 70);
    const QColor hoverColour(0x80, 0x00, 0xB6, 70);
    if (m_hoveredBlock) {
        english << shade(m_hoveredBlock->englishRange, blockColour);
        translation << shade(m_hoveredBlock->translationRange, blockColour);
    }
    for (WritingSentenceRange *s : {m_hoveredSentence, m_dropTarget})
        if (s) {
            english << shade(s->englishRange, hoverColour);
            translation << shade(s->translationRange, hoverColour);
        }
    setExtraSelections(english);
    if (m_translation)
        m_translation->setExtraSelections(translation);
}

void WritingTextEditor::hoverAt(const QPoint &viewportPos)
{
    m_lastMouse = viewportPos;
    WritingBlockRange *block = nullptr;
    WritingSentenceRange *sentence = nullptr;
    if (viewport()->rect().contains(viewportPos)) {
        const int position = cursorForPosition(viewportPos).position();
        block = blockAt(position);
        sentence = sentenceAt(block, position);
    }
    if (block != m_hoveredBlock || sentence != m_hoveredSentence) {
        m_hoveredBlock = block;
        m_hoveredSentence = sentence;
        updateHighlights();
    }
    placeDeleteButton();
}

void WritingTextEditor::clearHover()
{
    m_hoveredBlock = nullptr;
    m_hoveredSentence = nullptr;
    updateHighlights();
    m_deleteButton->hide();
}

void WritingTextEditor::placeDeleteButton()
{
    if (!m_hoveredSentence || m_lineEdit->isVisible()) {
        m_deleteButton->hide();
        return;
    }
    QTextCursor last(document());
    last.setPosition(qMax(m_hoveredSentence->englishRange.selectionEnd() - 1, 0));
    const QRect r = cursorRect(last);
    m_deleteButton->move(r.topLeft() + QPoint(r.width() + 6, -2));
    m_deleteButton->show();
    m_deleteButton->raise();
}

void WritingTextEditor::placeButtons()
{
    if (!m_blocks)
        return;
    for (const auto &block : *m_blocks) {
        if (!block->button)
            continue;
        // The buttons sit in the right margin, outside the viewport, so they are the
        // view's children; one scrolled out of sight is hidden.
        QTextCursor start(document());
        start.setPosition(block->englishRange.selectionStart());
        const int top = cursorRect(start).top();
        block->button->move(width() - 60 + 4, viewport()->y() + top + 1);
        block->button->setVisible(top >= 0 && top + block->button->height() <= viewport()->height());
    }
}

bool WritingTextEditor::editKeyWordAt(int position)
{
    WritingBlockRange *block = blockAt(position);
    if (!block)
        return false;
    for (const auto &s : block->sentences)
        for (const KeywordRange &k : s->englishKeywords)
            if (k.range.selectionStart() <= position && position < k.range.selectionEnd()) {
                m_deleteButton->hide();
                m_editedKey = k.key;
                const QString shown = k.range.selectedText();
                QTextCursor start(document());
                start.setPosition(k.range.selectionStart());
                const QRect r = cursorRect(start);
                m_lineEdit->move(r.left(), r.top() - 2);
                m_lineEdit->setText(shown == k.key ? QString() : shown);
                m_lineEdit->setPlaceholderText(k.key);
                m_lineEdit->show();
                m_lineEdit->raise();
                m_lineEdit->setFocus();
                QTimer::singleShot(0, m_lineEdit, &QLineEdit::selectAll);
                return true;
            }
    return false;
}

void WritingTextEditor::slotLineEditFinished()
{
    if (!m_lineEdit->isVisible() || m_editedKey.isEmpty())
        return;
    const QString key = m_editedKey;
    const QString value = m_lineEdit->text().trimmed();
    m_editedKey.clear();
    m_lineEdit->hide();
    hoverAt(m_lastMouse);
    emit signalKeyWordValueChanged(key, value);
}

void WritingTextEditor::slotButtonHoverEntered(WritingBlockRange *pBlockRange)
{
    m_deleteButton->hide();
    m_hoveredSentence = nullptr;
    m_hoveredBlock = pBlockRange;
    updateHighlights();
}

void WritingTextEditor::mouseMoveEvent(QMouseEvent *event)
{
    QTextEdit::mouseMoveEvent(event);
    hoverAt(event->position().toPoint());
}

void WritingTextEditor::mouseReleaseEvent(QMouseEvent *event)
{
    QTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        editKeyWordAt(cursorForPosition(event->position().toPoint()).position());
}

void WritingTextEditor::leaveEvent(QEvent *event)
{
    QTextEdit::leaveEvent(event);
    if (!m_deleteButton->underMouse())
        clearHover();
}

void WritingTextEditor::resizeEvent(QResizeEvent *event)
{
    QTextEdit::resizeEvent(event);
    placeButtons();
}

void WritingTextEditor::scrollContentsBy(int dx, int dy)
{
    QTextEdit::scrollContentsBy(dx, dy);
    placeButtons();
    m_lineEdit->hide();
    hoverAt(m_lastMouse);
    emit signalScroll(dy);
}

void WritingTextEditor::keyPressEvent(QKeyEvent *event)
{
    // While a key word is edited in place, its line edit takes every key.
    if (m_lineEdit->hasFocus())
        return;
    QTextEdit::keyPressEvent(event);
}

void WritingTextEditor::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(QString::fromLatin1(MimeType)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void WritingTextEditor::dragMoveEvent(QDragMoveEvent *event)
{
    if (!event->mimeData()->hasFormat(QString::fromLatin1(MimeType))) {
        event->ignore();
        return;
    }
    const int position = cursorForPosition(event->position().toPoint()).position();
    WritingSentenceRange *sentence = sentenceAt(blockAt(position), position);
    const DropPlace place = dropPlace(sentence, position);
    m_dropTarget = place == DropPlace::Replace ? sentence : nullptr;
    if (place == DropPlace::Before || place == DropPlace::After) {
        QTextCursor at(document());
        at.setPosition(place == DropPlace::Before ? sentence->englishRange.selectionStart()
                                                  : sentence->englishRange.selectionEnd());
        const QRect r = cursorRect(at);
        m_marker->move(r.left() - 5, r.top());
        m_marker->show();
    } else {
        m_marker->hide();
    }
    updateHighlights();
    event->setDropAction(place == DropPlace::Before || place == DropPlace::After ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void WritingTextEditor::dragLeaveEvent(QDragLeaveEvent *event)
{
    QTextEdit::dragLeaveEvent(event);
    m_marker->hide();
    m_dropTarget = nullptr;
    updateHighlights();
}

void WritingTextEditor::dropEvent(QDropEvent *event)
{
    m_marker->hide();
    m_dropTarget = nullptr;
    updateHighlights();
    bool ok = false;
    const int index = QString::fromLatin1(event->mimeData()->data(QString::fromLatin1(MimeType))).toInt(&ok);
    if (!ok) {
        event->ignore();
        return;
    }
    emit signalDropCommonSentence(index, cursorForPosition(event->position().toPoint()).position());
    event->acceptProposedAction();
}
