#!/usr/bin/env bash
# Writes the simple templates (data/7xx-*.tpl and their Word files in data/files/) with
# make-documents.py, then draws each document's cover picture with QPainter: a small
# picture of the page itself, its blanks shown in blue. Run it again after changing
# the documents; the outputs are committed so that building needs nothing of this.
set -euo pipefail
cd "$(dirname "$0")"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
python3 make-documents.py "$WORK/pages.txt"
cat >"$WORK/draw.cpp" <<'EOF'
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRegularExpression>
#include <QTextStream>

// One line of page text at y; blanks ("[...]") in blue and underlined. Returns the next y.
static int textLine(QPainter &p, const QString &line, int x, int y, int width, const QFont &font)
{
    const QFontMetrics fm(font);
    static const QRegularExpression blank(QStringLiteral("(\\[[^\\]]*\\])"));
    int at = x;
    qsizetype pos = 0;
    auto draw = [&](const QString &piece, bool isBlank) {
        for (const QString &word : piece.split(QLatin1Char(' '))) {
            const QString w = word + QLatin1Char(' ');
            const int advance = fm.horizontalAdvance(w);
            if (at + advance > x + width && at > x) {
                at = x;
                y += fm.height() + 2;
            }
            p.setPen(isBlank ? QColor(0x1f, 0x5f, 0xbf) : QColor(0x44, 0x44, 0x44));
            p.drawText(at, y, w);
            if (isBlank)
                p.drawLine(at, y + 2, at + advance - fm.horizontalAdvance(QLatin1Char(' ')), y + 2);
            at += advance;
        }
    };
    for (auto it = blank.globalMatch(line); it.hasNext();) {
        const auto m = it.next();
        draw(line.mid(pos, m.capturedStart() - pos), false);
        // A blank shows only its hint, the part before the full-width comma.
        QString hint = m.captured(1);
        const qsizetype comma = hint.indexOf(QChar(0xFF0C));
        draw(comma > 0 ? hint.left(comma) + QLatin1Char(']') : hint, true);
        pos = m.capturedEnd();
    }
    draw(line.mid(pos), false);
    return y + fm.height() + 6;
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly))
        return 1;
    QTextStream lines(&in);
    const QStringList colours = {"#3a7bd5", "#2e9d6a", "#c0603a", "#8a55c4", "#c0953a", "#3aa3b0"};
    int n = 0;
    while (!lines.atEnd()) {
        const QStringList f = lines.readLine().split(QLatin1Char('\t'));
        if (f.size() < 2)
            continue;
        QImage image(240, 320, QImage::Format_ARGB32);
        image.fill(QColor("#eef1f5"));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.fillRect(QRect(16, 14, 212, 296), QColor(0, 0, 0, 40)); // shadow
        p.fillRect(QRect(12, 10, 212, 296), Qt::white);
        const QColor accent(colours[n++ % colours.size()]);
        QLinearGradient band(0, 10, 0, 60);
        band.setColorAt(0, accent.lighter(120));
        band.setColorAt(1, accent);
        p.fillRect(QRect(12, 10, 212, 50), band);
        QFont heading(QStringLiteral("WenQuanYi Micro Hei"), 14, QFont::Bold);
        p.setFont(heading);
        p.setPen(Qt::white);
        QString title = f[1];
        title.replace(QRegularExpression(QStringLiteral("\\[([^，\\]]*)[^\\]]*\\]")), QStringLiteral("\\1"));
        p.drawText(QRect(12, 10, 212, 50), Qt::AlignCenter, title);
        QFont body(QStringLiteral("WenQuanYi Micro Hei"), 7);
        p.setFont(body);
        int y = 80;
        for (int i = 2; i < f.size() && y < 296; ++i)
            y = textLine(p, f[i], 22, y, 192, body);
        p.end();
        if (!image.save(QStringLiteral("data/files/") + f[0]))
            return 1;
    }
    return 0;
}
EOF
g++ -std=c++17 -fPIC "$WORK/draw.cpp" -o "$WORK/draw" $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$WORK/draw" "$WORK/pages.txt"
echo "make-documents: $(ls data/files | wc -l) files written"
