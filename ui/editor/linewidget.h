#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

// The thin line under a sentence that carries a sentence-level suggestion. Spans
// the editor's width; wraps across as many visual lines as the sentence covers.
class LineWidget : public QWidget
{
    Q_OBJECT
public:
    explicit LineWidget(QWidget *parent = nullptr);

    void setColor(const QColor &color);
    QColor color() const { return m_color; }
    // Geometry of the line in widget coordinates of the sentence's first line.
    void setLine(const QPoint &startPoint, const QPoint &endPoint, int width, int lineStep);

    int penOffset() const { return m_penOffset; }
    QPoint startPoint() const { return m_startPoint; }
    QPoint endPoint() const { return m_endPoint; }
    int lineWidth() const { return m_width; }
    int lineStep() const { return m_lineStep; }
    // Number of visual lines the sentence covers.
    int lineCount() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_penOffset = 1;
    QPoint m_startPoint;
    QPoint m_endPoint;
    int m_width = 0;
    int m_lineStep = 0;
    QColor m_color;
};
