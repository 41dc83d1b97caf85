#pragma once

#include <QLabel>
#include <QPixmap>
#include <QTimeLine>

// A rotating busy indicator centred on its parent (and kept centred when the parent
// resizes) while it runs.
class WaitLabel : public QLabel
{
    Q_OBJECT
public:
    static constexpr int TurnMs = 800;

    explicit WaitLabel(QWidget *parent);

    void start();
    void stop();
    bool isRunning() const { return m_timeLine.state() == QTimeLine::Running; }
    int angle() const { return m_angle; }

public Q_SLOTS:
    void slotRotate(int frame);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void centre();

    QTimeLine m_timeLine;
    QPixmap m_image;
    int m_angle = 0;
};
