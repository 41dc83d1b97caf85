#pragma once

#include <QColor>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>

class ConfigStore;
#include "reportlabel.h"

// "错误类型分布图": the findings per category as a pie, slices in the order spelling,
// style, grammar, sentence suggestion from twelve o'clock counter-clockwise. Hovering a
// slice shows its count and share in a fading label.
class PieChart : public QWidget
{
    Q_OBJECT
public:
    enum Slice { Spelling = 0, Style = 1, Grammar = 2, Suggestion = 3, SliceCount = 4 };

    struct Shares
    {
        std::array<double, SliceCount> percentages{};
        std::array<int, SliceCount> angles{}; // whole degrees, summing to 360 (0 without findings)
    };

    // counts: spelling, style, grammar, sentence suggestion. Spelling takes what the
    // other three leave of 100 % and 360°; without spelling the remainder goes to the
    // first slice that has any (percentages: style, grammar, suggestion; angles: grammar,
    // style, suggestion).
    static Shares shares(const std::array<int, SliceCount> &counts);

    PieChart(const std::array<int, SliceCount> &counts, ConfigStore &prefs, QWidget *parent = nullptr);
    ~PieChart() override;

    const Shares &currentShares() const { return m_shares; }
    QColor colour(int slice) const { return m_colours[size_t(slice)]; }
    // The slice under `pos` (widget coordinates), -1 outside the circle or without findings.
    int sliceAt(const QPoint &pos) const;
    // The hover label text of a slice: "拼写：\n<count>\n(<percentage>%)" and so on.
    QString hoverText(int slice) const;
    ReportLabel *hoverLabel() const { return m_hover; }
    // Fade-in time of the hover labels; tests pass a short one.
    void setHoverFadeMs(int ms) { m_hoverFadeMs = ms; }
    // Shows the label of the slice under `pos`, or closes it outside the circle.
    void hoverAt(const QPoint &pos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QRect circle() const;
    void closeHover();

    std::array<int, SliceCount> m_counts{};
    int m_total = 0;
    Shares m_shares;
    std::array<QColor, SliceCount> m_colours;
    QPointer<ReportLabel> m_hover;
    int m_hoverSlice = -1;
    int m_hoverFadeMs = 800;
};
