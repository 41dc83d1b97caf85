#include "correctionitem.h"

#include "callbackobject.h"
#include "checkcodes.h"
#include "clickablelabel.h"
#include "insertformat.h"
#include "polishmode.h"

#include <QTextCharFormat>

using namespace ZeltraLib;

CorrectionItem::CorrectionItem(const QTextCursor &span, const CorrectionRecord &record,
                               SentenceEntry *sentence, ConfigStore &prefs)
    : m_cursor(span)
    , m_record(record)
    , m_sentence(sentence)
    , m_display(prefs)
{
    // Anchor at the start, position at the end, whichever way the span was made.
    const int s = span.selectionStart();
    const int e = span.selectionEnd();
    m_cursor.setPosition(s);
    m_cursor.setPosition(e, QTextCursor::KeepAnchor);
    m_foundText = m_cursor.selectedText();
    m_operationKind = m_record.candidates.isEmpty() ? OperationReplace
                                                    : m_record.candidates.first().operation();
    m_category = m_record.category();
    m_visible = m_display.categoryShown(m_category);
}

ClickableLabel *CorrectionItem::label() const
{
    if (!m_label && m_makeLabel) {
        m_label = m_makeLabel();
        if (m_label)
            m_label->setVisible(m_previewShown);
    }
    return m_label;
}

void CorrectionItem::setLabelMaker(std::function<ClickableLabel *()> make)
{
    deleteLabel();
    m_makeLabel = std::move(make);
}

void CorrectionItem::setPreviewShown(bool shown)
{
    m_previewShown = shown && hasPreview();
    if (m_label)
        m_label->setVisible(m_previewShown);
}

void CorrectionItem::deleteLabel()
{
    if (m_label) {
        m_label->hide();
        m_label->deleteLater();
    }
    m_label = nullptr;
    m_makeLabel = nullptr;
    m_previewShown = false;
}

QString CorrectionItem::candidateText(int index) const
{
    if (index < 0 || index >= m_record.candidates.size())
        return QString();
    return QString::fromUtf8(m_record.candidates.at(index).correction);
}

QString CorrectionItem::entryText(int index) const
{
    switch (m_operationKind) {
    case OperationInsertion:
        return QStringLiteral("插入: ") + candidateText(index);
    case OperationDeletion:
        return QStringLiteral("删除: ") + m_foundText;
    default:
        return candidateText(index);
    }
}

bool CorrectionItem::mayAddToDictionary() const
{
    const bool styleSelf = m_category == CategoryStyle && candidateCount() == 1
        && candidateText(0).compare(m_foundText, Qt::CaseInsensitive) == 0;
    return isOpen() && (m_category == CategoryNonword || styleSelf);
}

QString CorrectionItem::replacementText(int index) const
{
    switch (m_operationKind) {
    case OperationDeletion:
        return QStringLiteral(" ");
    case OperationInsertion:
        return candidateText(index) + QLatin1Char(' ') + m_foundText;
    default:
        return candidateText(index);
    }
}

QString CorrectionItem::previewText() const
{
    switch (m_operationKind) {
    case OperationDeletion:
        return QStringLiteral("删除");
    case OperationInsertion:
        return candidateText(0) + QLatin1Char(' ') + m_foundText;
    default:
        return candidateText(0);
    }
}

void CorrectionItem::replaceText(const QString &text)
{
    // Insert behind the old text first, then remove the old characters from the start:
    // the span's end moves with the insertion and the span ends up covering the new
    // text, while every cursor before or after stays on its side.
    if (m_cursor.isNull())
        return;
    const int s = start();
    const int oldLength = end() - s;
    QTextCursor edit(m_cursor.document());
    edit.beginEditBlock();
    edit.setPosition(end());
    edit.insertText(text, InsertFormat::at(m_cursor.document(), end()));
    edit.setPosition(s);
    edit.setPosition(s + oldLength, QTextCursor::KeepAnchor);
    edit.removeSelectedText();
    // Spanning the new text before the document reports the change, so that the editor
    // sees an intact finding (its own action), also where the old range was empty.
    m_cursor.setPosition(s);
    m_cursor.setPosition(s + int(text.size()), QTextCursor::KeepAnchor);
    edit.endEditBlock();
}

void CorrectionItem::correct(MenuItemType type, int index)
{
    CallbackObject &callback = CallbackObject::instance();
    switch (type) {
    case MenuItemApply:
        if (index == m_currentIndex || index < 0 || index >= m_record.candidates.size())
            return;
        m_previousIndex = m_currentIndex;
        m_currentIndex = index;
        replaceText(replacementText(index));
        updateLook();
        emit callback.signalCallback(this, MenuItemApply);
        return;
    case MenuItemIgnore:
        clearLook();
        deleteLabel();
        emit callback.signalCallback(this, MenuItemIgnore);
        return;
    case MenuItemRevert:
        if (m_currentIndex < 0)
            return;
        m_previousIndex = m_currentIndex;
        m_currentIndex = -1;
        replaceText(m_foundText);
        updateLook();
        emit callback.signalCallback(this, MenuItemRevert);
        return;
    case MenuItemAddToDictionary:
    case MenuItemIgnoreAll:
        emit callback.signalCallback(this, type);
        return;
    }
}

void CorrectionItem::applyByIndex(int index)
{
    if (index < 0 || index >= m_record.candidates.size())
        return;
    correct(MenuItemApply, index);
}

void CorrectionItem::updateLook()
{
    m_visible = m_display.categoryShown(m_category);
    QTextCharFormat format;
    if (m_visible && isOpen()) {
        format.setUnderlineColor(m_display.categoryColor(m_category));
        format.setUnderlineStyle(polishMode() ? QTextCharFormat::DashUnderline
                                              : QTextCharFormat::SpellCheckUnderline);
        format.setBackground(Qt::NoBrush);
    } else if (m_visible) {
        format.setUnderlineStyle(QTextCharFormat::NoUnderline);
        QColor tint = m_display.categoryColor(m_category);
        tint.setAlpha(100);
        format.setBackground(tint);
    } else {
        format.setUnderlineStyle(QTextCharFormat::NoUnderline);
        format.setBackground(Qt::NoBrush);
    }
    if (m_cursor.hasSelection())
        m_cursor.mergeCharFormat(format);
    setPreviewShown(m_visible && isOpen());
}

void CorrectionItem::clearLook()
{
    if (!m_cursor.hasSelection())
        return;
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::NoUnderline);
    format.setBackground(Qt::NoBrush);
    m_cursor.mergeCharFormat(format);
}
