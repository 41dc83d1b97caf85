#include "genielabel.h"

#include <QPainter>

GenieLabel::GenieLabel(QWidget *parent)
    : QLabel(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GenieLabel::setSnapshot(const QImage &image)
{
    m_snapshot = image;
    update();
}

void GenieLabel::setTarget(const QPoint &target)
{
    m_target = target;
    update();
}

void GenieLabel::setStep(int step)
{
    m_step = qBound(0, step, 255);
    update();
}

GenieLabel::Row GenieLabel::rowAt(int y, int step) const
{
    const double h = qMax(1, m_snapshot.height());
    const double t = qBound(0, step, 255) / 255.0;
    // Rows nearer the target go first: each row's own progress runs ahead by its distance.
    const double nearTarget = m_target.y() >= h / 2 ? y / h : 1.0 - y / h;
    const double p = qBound(0.0, t * 1.6 - (1.0 - nearTarget) * 0.6, 1.0);
    const double w = m_snapshot.width();
    return {p * m_target.x(), w + p * (m_target.x() - w), y + p * (m_target.y() - y)};
}

void GenieLabel::paintEvent(QPaintEvent *)
{
    if (m_snapshot.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int y = 0; y < m_snapshot.height(); ++y) {
        const Row row = rowAt(y, m_step);
        if (row.right - row.left < 0.5)
            continue;
        painter.drawImage(QRectF(row.left, row.y, row.right - row.left, 1.0), m_snapshot,
                          QRectF(0, y, m_snapshot.width(), 1));
    }
}
