#pragma once

#include <QObject>
#include <QPointer>
#include <QTimeLine>

class QWidget;

// Fades a window in when it shows and out before it closes. Installed as an event filter
// on the window (its parent): the first close request is held back while the window
// fades out, then the window is closed for real. Dialogs can be closed with a result
// (accepted or rejected after the fade).
class WindowFadeAnimation : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultFadeInMs = 300;
    static constexpr int DefaultFadeOutMs = 200;

    // window: the faded window, also the parent of this object. closeFades: whether close
    // requests are held back for the fade (the main window closes through its own exit
    // path and only fades in).
    explicit WindowFadeAnimation(QWidget *window, bool closeFades = true);

    void setDurations(int fadeInMs, int fadeOutMs);
    int fadeInMs() const { return m_fadeIn; }
    int fadeOutMs() const { return m_fadeOut; }
    bool isClosing() const { return m_closing; }

    // Fades out, then accepts (QDialog::Accepted) or rejects the dialog; another widget is
    // hidden.
    void closeWithResult(int result);

    // Durations of every animation created from now on (tests); negative restores the
    // defaults.
    static void setDefaultDurations(int fadeInMs, int fadeOutMs);

public Q_SLOTS:
    void slotAnimation(int frame);
    void slotFinished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fadeOut();

    int m_fadeIn;
    int m_fadeOut;
    QTimeLine m_timeLine;
    bool m_closeFades;
    bool m_closing = false;
    bool m_hasResult = false;
    int m_result = 0;
    QPointer<QWidget> m_window;
};
