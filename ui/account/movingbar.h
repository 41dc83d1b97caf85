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

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void step();

    QTimer m_timer;
    int m_position = 0;
    int m_direction = 1;
};
