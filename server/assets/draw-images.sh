#!/usr/bin/env bash
# Draws the two advertisement pictures of the login and registration windows
# (login_pic.png, register_com.png) with QPainter. Run it again after changing the
# drawing; the PNGs are committed so that building the server needs nothing of this.
set -euo pipefail
cd "$(dirname "$0")"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cat >"$WORK/draw.cpp" <<'EOF'
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

static void pen(QPainter &p, QPointF at, double scale)
{
    // A fountain-pen nib, the product's sign.
    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.rotate(35);
    QPainterPath nib;
    nib.moveTo(0, -40);
    nib.cubicTo(18, -20, 16, 10, 0, 40);
    nib.cubicTo(-16, 10, -18, -20, 0, -40);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawPath(nib);
    p.setBrush(QColor(42, 122, 176));
    p.drawEllipse(QPointF(0, -6), 5, 5);
    p.setPen(QPen(QColor(42, 122, 176), 2));
    p.drawLine(QPointF(0, -1), QPointF(0, 38));
    p.restore();
}

static QImage picture(QSize size, const QString &title, const QString &line1, const QString &line2, bool tall)
{
    QImage image(size, QImage::Format_ARGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(42, 122, 176));
    sky.setColorAt(1, QColor(88, 181, 214));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 28));
    p.drawEllipse(QPointF(size.width() * 0.85, size.height() * 0.15), size.height() * 0.5, size.height() * 0.5);
    p.drawEllipse(QPointF(size.width() * 0.1, size.height() * 0.95), size.height() * 0.35, size.height() * 0.35);
    const QString family = QStringLiteral("WenQuanYi Micro Hei");
    p.setPen(Qt::white);
    if (tall) {
        pen(p, QPointF(size.width() / 2.0, 70), 1.0);
        p.setFont(QFont(family, 22, QFont::Bold));
        p.drawText(QRect(0, 130, size.width(), 40), Qt::AlignCenter, title);
        p.setFont(QFont(family, 12));
        p.drawText(QRect(10, 180, size.width() - 20, 30), Qt::AlignCenter, line1);
        p.drawText(QRect(10, 210, size.width() - 20, 30), Qt::AlignCenter, line2);
    } else if (line2.isEmpty()) {
        // A banner across a window: the title and one line beside it.
        pen(p, QPointF(50, size.height() / 2.0), 0.8);
        p.setFont(QFont(family, 20, QFont::Bold));
        p.drawText(QRect(95, 8, size.width() - 100, 40), Qt::AlignLeft | Qt::AlignVCenter, title);
        p.setFont(QFont(family, 12));
        p.drawText(QRect(95, 50, size.width() - 100, 28), Qt::AlignLeft | Qt::AlignVCenter, line1);
    } else {
        pen(p, QPointF(50, size.height() / 2.0), 0.9);
        p.setFont(QFont(family, 20, QFont::Bold));
        p.drawText(QRect(95, 12, size.width() - 100, 36), Qt::AlignLeft | Qt::AlignVCenter, title);
        p.setFont(QFont(family, 11));
        p.drawText(QRect(95, 50, size.width() - 100, 22), Qt::AlignLeft | Qt::AlignVCenter, line1);
        p.drawText(QRect(95, 72, size.width() - 100, 22), Qt::AlignLeft | Qt::AlignVCenter, line2);
    }
    return image;
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    picture(QSize(320, 110), QStringLiteral("Pennova"), QStringLiteral("一键检查拼写和语法"),
            QStringLiteral("点击下载最新版本"), false)
        .save(QStringLiteral("login_pic.png"));
    // The registration window's banner, at its size (560 x 90): a scaled picture blurs.
    picture(QSize(560, 90), QStringLiteral("注册Pennova，让英文写作更轻松"),
            QStringLiteral("拼写语法检查 · 润色 · 写作模板 · 词典"), QString(), false)
        .save(QStringLiteral("register_com.png"));
    return 0;
}
EOF
g++ -std=c++17 -fPIC "$WORK/draw.cpp" -o "$WORK/draw" $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$WORK/draw"
