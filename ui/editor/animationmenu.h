#pragma once

#include <QMenu>
#include <QTimeLine>

// A menu that pops open: at every show it grows from half size to 110 % and settles at
// full size over the time line.
class AnimationMenu : public QMenu
{
    Q_OBJECT
public:
    static constexpr int DefaultDurationMs = 200;
    static constexpr int FirstFrame = 50;
    static constexpr int LastFrame = 120;

    explicit AnimationMenu(QWidget *parent = nullptr);

    // Tests use 0 to show the menu at full size at once.
    void setDuration(int ms);
    int duration() const { return m_duration; }
    QSize fullSize() const { return QSize(m_fullWidth, m_fullHeight); }
    // Scale of a frame: f / 100 below 110, (220 - f) / 100 from 110 on.
    static double scaleOf(int frame);

public Q_SLOTS:
    void showMenuEffect(int frame);

protected:
    void showEvent(QShowEvent *event) override;

private:
    int m_duration = DefaultDurationMs;
    bool m_firstShow = true;
    int m_fullWidth = 0;
    int m_fullHeight = 0;
    QTimeLine m_timeLine;
};
