#include "movingbar.h"

#include <QPainter>

namespace {
constexpr int BlockWidth = 60;
constexpr int StepMs = 5;
} // namespace

MovingBar::MovingBar(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(6);
    m_timer.setInterval(StepMs);
    connect(&m_timer, &QTimer::timeout, this, &MovingBar::advance);
}

void MovingBar::start()
{
    m_position = 0;
    m_direction = 1;
    m_timer.start();
    update();
}

void MovingBar::stop()
{
    m_timer.stop();
}

bool MovingBar::isRunning() const
{
    return m_timer.isActive();
}

QSize MovingBar::sizeHint() const
{
    return QSize(200, 6);
}

void MovingBar::advance()
{
    const int end = qMax(0, width() - BlockWidth);
    m_position += m_direction;
    if (m_position >= end) {
        m_position = end;
        m_direction = -1;
    } else if (m_position <= 0) {
        m_position = 0;
        m_direction = 1;
    }
    update();
}

void MovingBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xE4, 0xEC, 0xF4));
    painter.fillRect(QRect(m_position, 0, qMin(BlockWidth, width()), height()),
                     QColor(0x2D, 0x8C, 0xE0));
}
