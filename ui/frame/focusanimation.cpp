#include "focusanimation.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

namespace {
constexpr int Border = 3;
} // namespace

FocusAnimation::FocusAnimation(QWidget *window, int durationMs)
    : QObject(window)
    , m_frame(new QLabel(window))
    , m_window(window)
{
    m_frame->setObjectName(QStringLiteral("lb_focus_frame"));
    m_frame->setStyleSheet(QStringLiteral("#lb_focus_frame { border: 3px solid rgba(45, 140, 224, 150);"
                                          " border-radius: 4px; background: transparent; }"));
    m_frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_frame->hide();
    m_timeLine.setDuration(qMax(1, durationMs));
    m_timeLine.setFrameRange(0, 100);
    connect(&m_timeLine, &QTimeLine::frameChanged, this, &FocusAnimation::slotFrameChanged);
    connect(&m_timeLine, &QTimeLine::finished, this, &FocusAnimation::slotFinished);
    connect(qApp, &QApplication::focusChanged, this, &FocusAnimation::soltFocusChanged);
}

void FocusAnimation::setEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled) {
        m_timeLine.stop();
        m_frame->hide();
    }
}

void FocusAnimation::soltFocusChanged(QWidget *, QWidget *now)
{
    if (!m_enabled || !m_window || !now || now->window() != m_window.data())
        return;
    if (!(qobject_cast<QLineEdit *>(now) || qobject_cast<QTextEdit *>(now))) {
        // The focus left the text fields (another page, a button): no ring around nothing.
        m_timeLine.stop();
        m_frame->hide();
        return;
    }
    const QRect target(now->mapTo(m_window.data(), QPoint(0, 0)), now->size());
    m_start = m_frame->isVisible() ? m_frame->geometry() : target.adjusted(-Border, -Border, Border, Border);
    m_end = target.adjusted(-Border, -Border, Border, Border);
    m_frame->setGeometry(m_start);
    m_frame->show();
    m_frame->raise();
    m_timeLine.stop();
    m_timeLine.start();
}

void FocusAnimation::slotFrameChanged()
{
    const int f = m_timeLine.currentFrame();
    auto mix = [f](int a, int b) { return a + (b - a) * f / 100; };
    m_frame->setGeometry(mix(m_start.x(), m_end.x()), mix(m_start.y(), m_end.y()),
                         mix(m_start.width(), m_end.width()), mix(m_start.height(), m_end.height()));
}

void FocusAnimation::slotFinished()
{
    m_frame->setGeometry(m_end);
}
