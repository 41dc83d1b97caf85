#pragma once

#include <QImage>
#include <QLabel>
#include <QPoint>

// Draws a snapshot squeezed row by row towards a target point, by an animation step from
// 0 (the snapshot as it is) to 255 (gone into the point).
class GenieLabel : public QLabel
{
    Q_OBJECT
public:
    explicit GenieLabel(QWidget *parent = nullptr);

    void setSnapshot(const QImage &image);
    // Where the snapshot disappears to, in this label's coordinates.
    void setTarget(const QPoint &target);
    void setStep(int step);
    int step() const { return m_step; }

    // Row `y` of the snapshot at `step`: the span [left, right) it is drawn into and its
    // drawn y (all in label coordinates).
    struct Row
    {
        double left;
        double right;
        double y;
    };
    Row rowAt(int y, int step) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_snapshot;
    QPoint m_target;
    int m_step = 0;
};
