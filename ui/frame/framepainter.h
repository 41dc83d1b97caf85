#pragma once

#include <QIcon>

class QPainter;
class QRect;

// The frame's own drawings: the window buttons' glyphs and the soft shadow in the
// translucent margin around a frameless window.
class FramePainter
{
public:
    enum Glyph { MinimizeGlyph, MaximizeGlyph, RestoreGlyph, CloseGlyph, FoldGlyph, UnfoldGlyph };

    static QIcon buttonIcon(Glyph glyph, const QColor &colour = Qt::white);
    // Shadow rings in the band between `outer` and `inner`, and the opaque inner area.
    static void paintShadow(QPainter &painter, const QRect &outer, const QRect &inner,
                            const QColor &fill);
};
