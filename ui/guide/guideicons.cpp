#include "guideicons.h"

#include <QPainter>
#include <QPainterPath>

namespace {
QPixmap canvas(int w, int h)
{
    QPixmap pixmap(w, h);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon page(const QColor &corner, bool lines)
{
    QPixmap pixmap = canvas(16, 16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath sheet;
    sheet.moveTo(3, 1.5);
    sheet.lineTo(10, 1.5);
    sheet.lineTo(13.5, 5);
    sheet.lineTo(13.5, 14.5);
    sheet.lineTo(3, 14.5);
    sheet.closeSubpath();
    p.setPen(QPen(QColor("#6b7785"), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setBrush(corner);
    p.drawPolygon(QPolygonF({QPointF(10, 1.5), QPointF(13.5, 5), QPointF(10, 5)}));
    p.setPen(QPen(corner, 1));
    for (int y = 7; y <= 12; y += 2.5)
        p.drawLine(QPointF(5, y), QPointF(lines ? 12 : 9, y));
    return QIcon(pixmap);
}
} // namespace

QIcon GuideIcons::folder()
{
    QPixmap pixmap = canvas(16, 16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor("#b8862b"), 1));
    p.setBrush(QColor("#f2c25c"));
    p.drawRoundedRect(QRectF(1.5, 3.5, 6, 3), 1, 1);
    p.setBrush(QColor("#f7d27e"));
    p.drawRoundedRect(QRectF(1.5, 5, 13, 9.5), 1.5, 1.5);
    return QIcon(pixmap);
}

QIcon GuideIcons::highPage()
{
    return page(QColor("#2f6fd6"), true);
}

QIcon GuideIcons::lowPage()
{
    return page(QColor("#2e9d6a"), false);
}

QPixmap GuideIcons::deleteMark(int size)
{
    QPixmap pixmap = canvas(size, size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#d9534f"));
    p.drawEllipse(QRectF(0, 0, size, size));
    p.setPen(QPen(Qt::white, size / 6.0, Qt::SolidLine, Qt::RoundCap));
    const double a = size * 0.3, b = size * 0.7;
    p.drawLine(QPointF(a, a), QPointF(b, b));
    p.drawLine(QPointF(a, b), QPointF(b, a));
    return pixmap;
}

QPixmap GuideIcons::insertMarker(int width, int height)
{
    QPixmap pixmap = canvas(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor("#e07b00"), 2));
    const double x = width / 2.0;
    p.drawLine(QPointF(x, 3), QPointF(x, height - 3));
    p.setBrush(QColor("#e07b00"));
    p.drawPolygon(QPolygonF({QPointF(x - 4, 0), QPointF(x + 4, 0), QPointF(x, 4)}));
    p.drawPolygon(QPolygonF({QPointF(x - 4, height), QPointF(x + 4, height), QPointF(x, height - 4)}));
    return pixmap;
}
