#include "piechart.h"

#include "configstore.h"
#include "reportlabel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace {

const char *const SliceNames[PieChart::SliceCount] = {"拼写", "样式", "语法", "句子不完整"};
const char *const ColourKeys[PieChart::SliceCount] = {"display_spelling_color", "display_style_color",
                                                      "display_grammar_color", "display_suggestion_color"};

} // namespace

PieChart::Shares PieChart::shares(const std::array<int, SliceCount> &counts)
{
    Shares out;
    qint64 total = 0;
    for (int c : counts)
        total += qMax(0, c);
    if (total == 0)
        return out;
    auto count = [&](int slice) { return qint64(qMax(0, counts[size_t(slice)])); };

    double others = 0.0;
    for (int slice : {Style, Grammar, Suggestion}) {
        out.percentages[size_t(slice)] = count(slice) * 100.0 / double(total);
        others += out.percentages[size_t(slice)];
    }
    if (count(Spelling) != 0) {
        out.percentages[Spelling] = 100.0 - others;
    } else {
        for (int slice : {Style, Grammar, Suggestion}) {
            if (count(slice) != 0) {
                out.percentages[size_t(slice)] += double(int(100.0 - others));
                break;
            }
        }
    }

    int otherAngles = 0;
    for (int slice : {Style, Grammar, Suggestion}) {
        out.angles[size_t(slice)] = int(count(slice) * 360 / total);
        otherAngles += out.angles[size_t(slice)];
    }
    if (count(Spelling) != 0) {
        out.angles[Spelling] = 360 - otherAngles;
    } else {
        for (int slice : {Grammar, Style, Suggestion}) {
            if (out.angles[size_t(slice)] != 0) {
                out.angles[size_t(slice)] += 360 - otherAngles;
                break;
            }
        }
    }
    return out;
}

PieChart::PieChart(const std::array<int, SliceCount> &counts, ConfigStore &prefs, QWidget *parent)
    : QWidget(parent)
    , m_counts(counts)
    , m_shares(shares(counts))
{
    for (int c : counts)
        m_total += qMax(0, c);
    for (int slice = 0; slice < SliceCount; ++slice) {
        const QColor colour(prefs.value(QString::fromLatin1(ColourKeys[slice])));
        m_colours[size_t(slice)] = colour.isValid() ? colour : QColor(Qt::gray);
    }
    setMouseTracking(true);
    setMinimumSize(150, 150);
}

PieChart::~PieChart()
{
    closeHover();
}

QRect PieChart::circle() const
{
    const int side = qMax(10, qMin(width(), height()) - 10);
    return QRect((width() - side) / 2, (height() - side) / 2, side, side);
}

int PieChart::sliceAt(const QPoint &pos) const
{
    if (m_total == 0)
        return -1;
    const QRectF c = circle();
    const QPointF d = QPointF(pos) - c.center();
    const double r = c.width() / 2.0;
    if (d.x() * d.x() + d.y() * d.y() > r * r)
        return -1;
    // Degrees counter-clockwise from twelve o'clock (screen y grows downwards).
    double angle = qRadiansToDegrees(qAtan2(-d.y(), d.x())) - 90.0;
    while (angle < 0.0)
        angle += 360.0;
    int start = 0;
    for (int slice = 0; slice < SliceCount; ++slice) {
        const int span = m_shares.angles[size_t(slice)];
        if (span > 0 && angle >= start && angle < start + span)
            return slice;
        start += span;
    }
    return -1;
}

QString PieChart::hoverText(int slice) const
{
    if (slice < 0 || slice >= SliceCount)
        return QString();
    return QStringLiteral("%1：\n%2\n(%3%)")
        .arg(QString::fromUtf8(SliceNames[slice]))
        .arg(m_counts[size_t(slice)])
        .arg(QString::number(m_shares.percentages[size_t(slice)], 'f', 1));
}

void PieChart::hoverAt(const QPoint &pos)
{
    const int slice = sliceAt(pos);
    if (slice < 0) {
        closeHover();
        return;
    }
    if (slice != m_hoverSlice || !m_hover) {
        closeHover();
        const QColor c = m_colours[size_t(slice)];
        const QString frame = QStringLiteral("QLabel { border:2px solid rgba(%1, %2, %3, %4); }")
                                  .arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
        m_hover = new ReportLabel(hoverText(slice), frame, this, m_hoverFadeMs);
        m_hoverSlice = slice;
        m_hover->show();
    }
    m_hover->move(mapToGlobal(pos) + QPoint(12, 12));
}

void PieChart::closeHover()
{
    if (m_hover)
        m_hover->close();
    m_hover = nullptr;
    m_hoverSlice = -1;
}

void PieChart::mouseMoveEvent(QMouseEvent *event)
{
    hoverAt(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void PieChart::leaveEvent(QEvent *event)
{
    closeHover();
    QWidget::leaveEvent(event);
}

void PieChart::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect c = circle();
    if (m_total == 0) {
        p.setPen(QPen(QColor(0xcc, 0xcc, 0xcc), 1));
        p.setBrush(QColor(0xf2, 0xf2, 0xf2));
        p.drawEllipse(c);
        return;
    }
    bool whole = false;
    for (int angle : m_shares.angles)
        whole = whole || angle == 360;
    // A thin outline between slices, none when one category holds everything.
    const QPen outline = whole ? QPen(Qt::NoPen) : QPen(QColor(255, 255, 255), 1.5);
    int start = 90;
    for (int slice = 0; slice < SliceCount; ++slice) {
        const int span = m_shares.angles[size_t(slice)];
        if (span <= 0)
            continue;
        p.setPen(outline);
        p.setBrush(m_colours[size_t(slice)]);
        p.drawPie(c, start * 16, span * 16);
        start += span;
    }
}
