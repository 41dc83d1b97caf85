#pragma once

#include <QPointer>
#include <QProgressBar>

#include "reportlabel.h"

// One bar of "词汇难度分布图": a vocabulary level's word count as a share of the axis;
// the mouse over it shows "词汇分布\n <level>：<count>".
class ReportProgressBar : public QProgressBar
{
    Q_OBJECT
public:
    ReportProgressBar(const QString &levelName, int wordCount, int axisMaximum, QWidget *parent = nullptr);
    ~ReportProgressBar() override;

    // The axis maximum for the largest count m: with d the digits of m, e = 10^(d-1) for
    // d < 2, else 10^(d-2); A = e * ((m / e / 4 + 1) * 4) (357 -> 360).
    static int axisMaximum(int largest);
    // ceil(count * 100 / axis), in percent of the axis.
    static int barValue(int count, int axisMaximum);

    QString levelName() const { return m_level; }
    int wordCount() const { return m_count; }
    QString hoverText() const;
    ReportLabel *hoverLabel() const { return m_hover; }
    void setHoverFadeMs(int ms) { m_hoverFadeMs = ms; }
    // Shows the hover label at `pos` (bar coordinates).
    void hoverAt(const QPoint &pos);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void closeHover();

    QString m_level;
    int m_count = 0;
    QPointer<ReportLabel> m_hover;
    int m_hoverFadeMs = 800;
};
