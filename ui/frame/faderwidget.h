#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimeLine>
#include <QTimer>
#include <QWidget>

// Shows a widget (a notification), then fades it away: after the stay time its snapshot
// replaces it and is painted ever more transparent until nothing is left; then the fader
// deletes itself. Transparent for the mouse.
class FaderWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int StayMs = 1500;
    static constexpr int FadeMs = 1000;

    // faded: the widget shown and faded (not owned); parent: the window it lies in.
    FaderWidget(QWidget *faded, QWidget *parent, int stayMs = StayMs, int fadeMs = FadeMs);

    int opacity() const { return m_opacity; }

public Q_SLOTS:
    void slotAnimation(int frame);
    void slotStart();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimeLine m_timeLine;
    QTimer m_stay;
    QPointer<QWidget> m_faded;
    QPixmap m_snapshot;
    int m_opacity = 100;
};
