#include "linewidget.h"

#include <QPainter>

LineWidget::LineWidget(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
}

void LineWidget::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void LineWidget::setLine(const QPoint &startPoint, const QPoint &endPoint, int width, int lineStep)
{
    m_startPoint = startPoint;
    m_endPoint = endPoint;
    m_width = width;
    m_lineStep = lineStep;
    update();
}

int LineWidget::lineCount() const
{
    if (m_lineStep <= 0)
        return 1;
    // The real distance between wrapped lines can differ from the step by a pixel or two
    // (leading and the line gap are laid out by the document): round, don't truncate.
    return qRound(double(m_endPoint.y() - m_startPoint.y()) / m_lineStep) + 1;
}

void LineWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(m_color, 1));
    const int n = lineCount();
    // The lines as laid out, from the first to the last: wrapped lines can lie a pixel or
    // two closer than the step, and a stroke beyond the last would fall off the widget.
    const int span = m_endPoint.y() - m_startPoint.y();
    for (int i = 0; i < n; ++i) {
        const int y = (n > 1 ? qRound(double(i) * span / (n - 1)) : 0) + m_penOffset;
        const int x1 = i == 0 ? m_startPoint.x() : 0;
        const int x2 = i == n - 1 ? m_endPoint.x() - 1 : m_width - 1;
        painter.drawLine(x1, y, x2, y);
    }
}
