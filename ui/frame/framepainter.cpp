#include "framepainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>

QIcon FramePainter::buttonIcon(Glyph glyph, const QColor &colour)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (glyph) {
    case MinimizeGlyph:
        p.drawLine(5, 17, 19, 17);
        break;
    case MaximizeGlyph:
        p.drawRect(5, 5, 14, 14);
        break;
    case RestoreGlyph:
        p.drawRect(4, 9, 11, 11);
        p.drawPolyline(QPolygon({QPoint(9, 9), QPoint(9, 4), QPoint(20, 4), QPoint(20, 15), QPoint(15, 15)}));
        break;
    case CloseGlyph:
        p.drawLine(6, 6, 18, 18);
        p.drawLine(18, 6, 6, 18);
        break;
    case FoldGlyph:
        p.drawPolyline(QPolygon({QPoint(14, 5), QPoint(7, 12), QPoint(14, 19)}));
        break;
    case UnfoldGlyph:
        p.drawPolyline(QPolygon({QPoint(10, 5), QPoint(17, 12), QPoint(10, 19)}));
        break;
    }
    return QIcon(pixmap);
}

void FramePainter::paintShadow(QPainter &painter, const QRect &outer, const QRect &inner, const QColor &fill)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const int band = qMax(0, std::min({inner.left() - outer.left(), inner.top() - outer.top(),
                                       outer.right() - inner.right(), outer.bottom() - inner.bottom()}));
    // Rings from the inner edge outwards, fading to nothing.
    for (int i = band; i > 0; --i) {
        const int alpha = 60 * (band - i + 1) / (band * band / 2 + 1);
        painter.setBrush(QColor(0, 0, 0, qBound(0, alpha, 255)));
        QPainterPath ring;
        ring.addRoundedRect(inner.adjusted(-i, -i, i, i), i, i);
        ring.addRoundedRect(inner.adjusted(-i + 1, -i + 1, i - 1, i - 1), i - 1, i - 1);
        painter.drawPath(ring);
    }
    painter.fillRect(inner, fill);
    painter.restore();
}
