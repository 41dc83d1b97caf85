#include "windowfadeanimation.h"

#include <QCloseEvent>
#include <QDialog>
#include <QWidget>

namespace {
int g_defaultFadeIn = WindowFadeAnimation::DefaultFadeInMs;
int g_defaultFadeOut = WindowFadeAnimation::DefaultFadeOutMs;
} // namespace

void WindowFadeAnimation::setDefaultDurations(int fadeInMs, int fadeOutMs)
{
    g_defaultFadeIn = fadeInMs < 0 ? DefaultFadeInMs : fadeInMs;
    g_defaultFadeOut = fadeOutMs < 0 ? DefaultFadeOutMs : fadeOutMs;
}

WindowFadeAnimation::WindowFadeAnimation(QWidget *window, bool closeFades)
    : QObject(window)
    , m_fadeIn(g_defaultFadeIn)
    , m_fadeOut(g_defaultFadeOut)
    , m_closeFades(closeFades)
    , m_window(window)
{
    m_timeLine.setEasingCurve(QEasingCurve::OutCubic);
    m_timeLine.setFrameRange(0, 100);
    connect(&m_timeLine, &QTimeLine::frameChanged, this, &WindowFadeAnimation::slotAnimation);
    connect(&m_timeLine, &QTimeLine::finished, this, &WindowFadeAnimation::slotFinished);
    window->installEventFilter(this);
}

void WindowFadeAnimation::setDurations(int fadeInMs, int fadeOutMs)
{
    m_fadeIn = fadeInMs;
    m_fadeOut = fadeOutMs;
}

void WindowFadeAnimation::slotAnimation(int frame)
{
    if (m_window)
        m_window->setWindowOpacity(frame / 100.0);
}

void WindowFadeAnimation::slotFinished()
{
    if (!m_window || !m_closing)
        return;
    if (m_hasResult) {
        m_closing = false;
        m_hasResult = false;
        if (auto *dialog = qobject_cast<QDialog *>(m_window.data()))
            dialog->done(m_result);
        else
            m_window->hide();
        m_window->setWindowOpacity(1.0);
        return;
    }
    m_window->close();
}

void WindowFadeAnimation::closeWithResult(int result)
{
    if (m_closing)
        return;
    m_hasResult = true;
    m_result = result;
    fadeOut();
}

void WindowFadeAnimation::fadeOut()
{
    m_closing = true;
    m_timeLine.stop();
    if (m_fadeOut <= 0) {
        slotFinished();
        return;
    }
    m_timeLine.setDuration(m_fadeOut);
    m_timeLine.setDirection(QTimeLine::Backward);
    m_timeLine.setCurrentTime(m_fadeOut);
    m_timeLine.start();
}

bool WindowFadeAnimation::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Show && !event->spontaneous()) {
        m_closing = false;
        m_timeLine.stop();
        if (m_fadeIn > 0) {
            m_window->setWindowOpacity(0.0);
            m_timeLine.setDuration(m_fadeIn);
            m_timeLine.setDirection(QTimeLine::Forward);
            m_timeLine.setCurrentTime(0);
            m_timeLine.start();
        } else {
            m_window->setWindowOpacity(1.0);
        }
    } else if (event->type() == QEvent::Close && m_closeFades) {
        if (m_closing && m_timeLine.state() == QTimeLine::Running) {
            // A second request during the fade: the window closes once, after it.
            event->ignore();
            return true;
        }
        if (!m_closing && m_fadeOut > 0) {
            event->ignore();
            fadeOut();
            return true;
        }
        // The fade is over: this close goes through; the next show fades in afresh.
        m_closing = false;
        m_window->setWindowOpacity(1.0);
    }
    return QObject::eventFilter(watched, event);
}
