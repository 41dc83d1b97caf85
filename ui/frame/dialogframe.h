#pragma once

#include "titlebar.h"

#include <QObject>

class QWidget;
class WindowFadeAnimation;

// Gives a dialog or small window the program's frame: frameless, a title bar on top of
// its layout (drag to move, close, and minimise where asked) and the fade in and out.
// Owned by the window it frames.
class DialogFrame : public QObject
{
    Q_OBJECT
public:
    // window: the framed window (its layout must exist); title: the bar's text.
    DialogFrame(QWidget *window, const QString &title,
                Titlebar::Buttons buttons = Titlebar::Close);

    Titlebar *titlebar() const { return m_titlebar; }
    WindowFadeAnimation *fade() const { return m_fade; }

public Q_SLOTS:
    void slotMove(int x, int y);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;             // the parent
    Titlebar *m_titlebar;          // child of the window
    WindowFadeAnimation *m_fade;   // child of the window
};
