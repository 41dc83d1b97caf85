#include "waitlabel.h"

#include <QEvent>
#include <QPainter>

namespace {

// A ring of twelve strokes fading round, drawn once.
QPixmap spinnerImage()
{
    QPixmap image(40, 40);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(20, 20);
    for (int i = 0; i < 12; ++i) {
        p.setPen(QPen(QColor(47, 111, 159, 40 + i * 18), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(0, -10, 0, -17);
        p.rotate(30);
    }
    return image;
}

} // namespace

WaitLabel::WaitLabel(QWidget *parent)
    : QLabel(parent)
    , m_image(spinnerImage())
{
    setFixedSize(m_image.size());
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_timeLine.setDuration(TurnMs);
    m_timeLine.setFrameRange(0, 360);
    m_timeLine.setLoopCount(0);
    m_timeLine.setEasingCurve(QEasingCurve::Linear);
    connect(&m_timeLine, &QTimeLine::frameChanged, this, &WaitLabel::slotRotate);
    parent->installEventFilter(this);
    hide();
}

void WaitLabel::start()
{
    centre();
    show();
    raise();
    m_timeLine.start();
    // Painted at once: the caller may keep the event loop busy for a while.
    repaint();
}

void WaitLabel::stop()
{
    m_timeLine.stop();
    hide();
}

void WaitLabel::slotRotate(int frame)
{
    m_angle = frame;
    update();
}

void WaitLabel::centre()
{
    const QWidget *p = parentWidget();
    move((p->width() - width()) / 2, (p->height() - height()) / 2);
}

bool WaitLabel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        centre();
    return QLabel::eventFilter(watched, event);
}

void WaitLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(width() / 2.0, height() / 2.0);
    p.rotate(m_angle);
    p.drawPixmap(-m_image.width() / 2, -m_image.height() / 2, m_image);
}
