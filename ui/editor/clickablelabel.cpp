#include "clickablelabel.h"

#include <QMouseEvent>

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    // Candidates and found text are shown as written, never read as markup.
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_TranslucentBackground);
    setContentsMargins(0, 0, 0, 0);
    adjustSize();
}

void ClickableLabel::setPreviewFont(const QString &family, int pointSize)
{
    QFont f(family);
    if (pointSize > 0)
        f.setPointSize(pointSize);
    f.setBold(font().bold());
    setFont(f);
    adjustSize();
}

void ClickableLabel::setBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
    adjustSize();
}

void ClickableLabel::enterEvent(QEnterEvent *event)
{
    setBold(true);
    QLabel::enterEvent(event);
}

void ClickableLabel::leaveEvent(QEvent *event)
{
    setBold(false);
    QLabel::leaveEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit signalClicked(); // last statement: a receiver may delete this label later
}
