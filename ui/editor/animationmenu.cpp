#include "animationmenu.h"

#include <QShowEvent>

AnimationMenu::AnimationMenu(QWidget *parent)
    : QMenu(parent), m_timeLine(DefaultDurationMs)
{
    m_timeLine.setEasingCurve(QEasingCurve::OutCubic);
    m_timeLine.setFrameRange(FirstFrame, LastFrame);
    connect(&m_timeLine, &QTimeLine::frameChanged, this, &AnimationMenu::showMenuEffect);
}

void AnimationMenu::setDuration(int ms)
{
    m_duration = qMax(0, ms);
    if (m_duration > 0)
        m_timeLine.setDuration(m_duration);
}

double AnimationMenu::scaleOf(int frame)
{
    return frame < 110 ? frame / 100.0 : (220 - frame) / 100.0;
}

void AnimationMenu::showMenuEffect(int frame)
{
    const double scale = scaleOf(qBound(int(FirstFrame), frame, int(LastFrame)));
    resize(qRound(m_fullWidth * scale), qRound(m_fullHeight * scale));
}

void AnimationMenu::showEvent(QShowEvent *event)
{
    if (m_firstShow) {
        m_firstShow = false;
        const QSize full = sizeHint().expandedTo(size());
        m_fullWidth = full.width();
        m_fullHeight = full.height();
    }
    QMenu::showEvent(event);
    m_timeLine.stop();
    if (m_duration == 0) {
        resize(m_fullWidth, m_fullHeight);
        return;
    }
    resize(0, 0);
    m_timeLine.start();
}
