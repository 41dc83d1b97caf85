#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimeLine>

class QLabel;
class QWidget;

// A frame that glides to the text field that has the focus inside a window (the account
// windows), and stays around it while a text field has the focus.
class FocusAnimation : public QObject
{
    Q_OBJECT
public:
    static constexpr int DurationMs = 300;

    // window: the watched window, also the parent of this object and of the frame label.
    explicit FocusAnimation(QWidget *window, int durationMs = DurationMs);

    void setEnabled(bool enabled);
    QLabel *frameLabel() const { return m_frame; }
    QRect endRect() const { return m_end; }

public Q_SLOTS:
    void slotFrameChanged();
    void slotFinished();
    void soltFocusChanged(QWidget *old, QWidget *now);

private:
    QTimeLine m_timeLine;
    QRect m_start;
    QRect m_end;
    QLabel *m_frame;           // child of the window
    QPointer<QWidget> m_window;
    bool m_enabled = true;
};
