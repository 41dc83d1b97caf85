#pragma once

#include <QWidget>

class QTimeLine;

// Rounded frame around the focused finding; fades in over 500 ms and then stays.
class FocusRectWidget : public QWidget
{
    Q_OBJECT
public:
    explicit FocusRectWidget(QWidget *parent = nullptr);

    // Places the frame for a finding whose start and end cursor rectangles are
    // given (viewport coordinates). A finding that wraps onto another line keeps
    // only its first line's part: firstLineEnd is the x where that part ends.
    void place(const QRect &start, const QRect &end, int firstLineEnd);

    int frame() const { return m_alpha; }
    void startAnimation();

public slots:
    void slotUpdateFrame(int frame);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimeLine *m_timeLine; // child
    int m_alpha = 0;
};
