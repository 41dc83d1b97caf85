#include "reportprogressbar.h"

#include "reportlabel.h"

#include <QMouseEvent>

#include <limits>

ReportProgressBar::ReportProgressBar(const QString &levelName, int wordCount, int axisMaximum, QWidget *parent)
    : QProgressBar(parent)
    , m_level(levelName)
    , m_count(qMax(0, wordCount))
{
    setRange(0, 100);
    setValue(barValue(m_count, axisMaximum));
    setTextVisible(false);
    setMouseTracking(true);
}

ReportProgressBar::~ReportProgressBar()
{
    closeHover();
}

int ReportProgressBar::axisMaximum(int largest)
{
    const qint64 m = qMax(0, largest);
    int digits = 1;
    for (qint64 v = m; v >= 10; v /= 10)
        ++digits;
    qint64 e = 1;
    for (int i = 0; i < (digits < 2 ? digits - 1 : digits - 2); ++i)
        e *= 10;
    return int(qMin<qint64>(std::numeric_limits<int>::max(), e * ((m / e / 4 + 1) * 4)));
}

int ReportProgressBar::barValue(int count, int axisMaximum)
{
    if (axisMaximum <= 0 || count <= 0)
        return 0;
    return int(qMin<qint64>(100, (qint64(count) * 100 + axisMaximum - 1) / axisMaximum));
}

QString ReportProgressBar::hoverText() const
{
    return QStringLiteral("词汇分布\n %1：%2").arg(m_level).arg(m_count);
}

void ReportProgressBar::hoverAt(const QPoint &pos)
{
    if (!m_hover) {
        m_hover = new ReportLabel(hoverText(), QStringLiteral("QLabel { border:2px solid #0064c8; }"), this,
                                  m_hoverFadeMs);
        m_hover->show();
    }
    m_hover->move(mapToGlobal(pos) + QPoint(10, 10));
}

void ReportProgressBar::closeHover()
{
    if (m_hover)
        m_hover->close();
    m_hover = nullptr;
}

void ReportProgressBar::mouseMoveEvent(QMouseEvent *event)
{
    hoverAt(event->position().toPoint());
    QProgressBar::mouseMoveEvent(event);
}

void ReportProgressBar::leaveEvent(QEvent *event)
{
    closeHover();
    QProgressBar::leaveEvent(event);
}
