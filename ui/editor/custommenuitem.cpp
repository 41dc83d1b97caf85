#include "custommenuitem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QSpacerItem>

CustomMenuItem::CustomMenuItem(int index, const QString &text, const QString &hint, QWidget *parent)
    : QFrame(parent)
    , m_index(index)
    , m_textLabel(new QLabel(text, this))
    , m_hintLabel(new QLabel(hint, this))
{
    // Candidates and found text are shown as written, never read as markup.
    m_textLabel->setTextFormat(Qt::PlainText);
    m_hintLabel->setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setMinimumHeight(24);
    setStyleSheet(QStringLiteral(
        "CustomMenuItem { background: transparent; }"
        "CustomMenuItem:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
        " stop:0 #eef7fd, stop:0.5 #d9eefb, stop:1 #c5e4f8); }"
        "QLabel { background: transparent; color: #1f2f3d; }"
        "QLabel:disabled { color: #a8a8a8; }"));
    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(10, 0, 10, 0);
    layout->addWidget(m_textLabel);
    layout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    layout->addWidget(m_hintLabel);
}

QString CustomMenuItem::text() const
{
    return m_textLabel->text();
}

void CustomMenuItem::setText(const QString &text)
{
    m_textLabel->setText(text);
}

QString CustomMenuItem::hint() const
{
    return m_hintLabel->text();
}

void CustomMenuItem::setHint(const QString &hint)
{
    m_hintLabel->setText(hint);
}

void CustomMenuItem::mouseReleaseEvent(QMouseEvent *event)
{
    QFrame::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    const int index = m_index;
    emit signalClicked();
    emit signalClicked(index); // receivers delete rows only later (deleteLater)
}
