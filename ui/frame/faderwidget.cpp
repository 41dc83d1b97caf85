#include "faderwidget.h"

#include <QPainter>

FaderWidget::FaderWidget(QWidget *faded, QWidget *parent, int stayMs, int fadeMs)
    : QWidget(parent)
    , m_faded(faded)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_DeleteOnClose);
    m_timeLine.setDuration(qMax(1, fadeMs));
    m_timeLine.setFrameRange(100, 0);
    connect(&m_timeLine, &QTimeLine::frameChanged, this, &FaderWidget::slotAnimation);
    connect(&m_timeLine, &QTimeLine::finished, this, &QWidget::close);
    m_stay.setSingleShot(true);
    m_stay.setInterval(qMax(0, stayMs));
    connect(&m_stay, &QTimer::timeout, this, &FaderWidget::slotStart);
    faded->show();
    faded->raise();
    setGeometry(faded->geometry());
    hide();
    m_stay.start();
}

void FaderWidget::slotStart()
{
    if (!m_faded) {
        close();
        return;
    }
    m_snapshot = m_faded->grab();
    setGeometry(m_faded->geometry());
    m_faded->hide();
    show();
    raise();
    m_timeLine.start();
}

void FaderWidget::slotAnimation(int frame)
{
    m_opacity = frame;
    update();
}

void FaderWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setOpacity(m_opacity / 100.0);
    painter.drawPixmap(0, 0, m_snapshot);
}
