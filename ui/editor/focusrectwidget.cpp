#include "focusrectwidget.h"

#include <QPainter>
#include <QTimeLine>

FocusRectWidget::FocusRectWidget(QWidget *parent)
    : QWidget(parent)
    , m_timeLine(new QTimeLine(500, this))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    m_timeLine->setFrameRange(0, 255);
    m_timeLine->setEasingCurve(QEasingCurve::Linear);
    connect(m_timeLine, &QTimeLine::frameChanged, this, &FocusRectWidget::slotUpdateFrame);
    connect(m_timeLine, &QTimeLine::finished, this, [this] { slotUpdateFrame(255); });
}

void FocusRectWidget::place(const QRect &start, const QRect &end, int firstLineEnd)
{
    int width = end.left() - start.left();
    if (end.top() > start.top())
        width = firstLineEnd - start.left(); // wrapped: keep the first line's part
    width = qMax(0, width);
    move(start.left(), start.top());
    resize(width + 2, start.height() + 2);
}

void FocusRectWidget::startAnimation()
{
    m_timeLine->stop();
    slotUpdateFrame(0);
    m_timeLine->start();
}

void FocusRectWidget::slotUpdateFrame(int frame)
{
    m_alpha = qBound(0, frame, 255);
    update();
}

void FocusRectWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 0, m_alpha), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}
