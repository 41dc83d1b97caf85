#include "dialogframe.h"

#include "windowfadeanimation.h"

#include <QEvent>
#include <QLayout>
#include <QWidget>

DialogFrame::DialogFrame(QWidget *window, const QString &title, Titlebar::Buttons buttons)
    : QObject(window)
    , m_window(window)
    , m_titlebar(new Titlebar(window, buttons))
    , m_fade(new WindowFadeAnimation(window))
{
    window->setWindowFlags(window->windowFlags() | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
    window->setWindowTitle(title);
    m_titlebar->setTitle(title);
    // The bar lies over the top of the window, above the content, which moves down by its
    // height; it follows the window's width.
    if (QLayout *layout = window->layout()) {
        QMargins m = layout->contentsMargins();
        m.setTop(m.top() + m_titlebar->height());
        layout->setContentsMargins(m);
    }
    if (window->minimumHeight() == window->maximumHeight())
        window->setFixedHeight(window->height() + m_titlebar->height());
    else
        window->resize(window->width(), window->height() + m_titlebar->height());
    m_titlebar->setGeometry(0, 0, window->width(), m_titlebar->height());
    m_titlebar->raise();
    window->installEventFilter(this);
    connect(m_titlebar, &Titlebar::signalClose, window, &QWidget::close);
    connect(m_titlebar, &Titlebar::signalMin, window, &QWidget::showMinimized);
    connect(m_titlebar, &Titlebar::signalMove, this, &DialogFrame::slotMove);
}

bool DialogFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        m_titlebar->setGeometry(0, 0, m_window->width(), m_titlebar->height());
    else if (watched == m_window && event->type() == QEvent::WindowTitleChange)
        m_titlebar->setTitle(m_window->windowTitle());
    return QObject::eventFilter(watched, event);
}

void DialogFrame::slotMove(int x, int y)
{
    m_window->move(x, y);
}
