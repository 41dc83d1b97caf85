#pragma once

#include <QTimer>
#include <QWidget>

// Busy indicator: a block that moves 1 pixel every 5 ms and turns at both ends.
class MovingBar : public QWidget
{
    Q_OBJECT
public:
    explicit MovingBar(QWidget *parent = nullptr);

    void start();
    void stop();
    bool isRunning() const;
    int blockPosition() const { return m_position; }
    // One step of the animation (the timer calls it every 5 ms).
    void advance();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer m_timer;
    int m_position = 0;
    int m_direction = 1;
};
