#include "progresswindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The mode's picture: a round badge with a check mark (correct) or a pen stroke (polish).
QPixmap modePicture(bool polish)
{
    QPixmap pixmap(40, 40);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(polish ? QColor(0xFF, 0x66, 0x00) : QColor(0x2f, 0x7f, 0xc1));
    p.drawEllipse(2, 2, 36, 36);
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    if (polish) {
        path.moveTo(12, 28);
        path.cubicTo(16, 12, 22, 30, 28, 12);
    } else {
        path.moveTo(11, 21);
        path.lineTo(18, 28);
        path.lineTo(29, 13);
    }
    p.drawPath(path);
    return pixmap;
}

} // namespace

ProgressWindow::ProgressWindow(bool polish, QWidget *parent)
    : ProgressWindow(polish, Timings(), parent)
{
}

ProgressWindow::ProgressWindow(bool polish, const Timings &timings, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_fade(this, "windowOpacity")
    , m_timings(timings)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    setObjectName(QStringLiteral("ProgressWindow"));
    setStyleSheet(QStringLiteral(
        "#ProgressFrame { background: #f0f7fa; border: 1px solid #7d96aa; border-radius: 6px; }"
        "QLabel { font-family: 微软雅黑; font-size: 13px; color: #333333; }"
        "QProgressBar { border: 1px solid #9fb4c4; border-radius: 3px; background: white;"
        " text-align: center; height: 16px; }"
        "QProgressBar::chunk { background: #4a9bd6; }"));
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("ProgressFrame"));
    outer->addWidget(frame);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(20, 16, 20, 14);
    auto *row = new QHBoxLayout;
    auto *picture = new QLabel(frame);
    picture->setObjectName(QStringLiteral("label_picture"));
    picture->setPixmap(modePicture(polish));
    row->addWidget(picture);
    m_label = new QLabel(polish ? QStringLiteral("正在进行润色：") : QStringLiteral("正在检查错误："), frame);
    row->addWidget(m_label, 1);
    layout->addLayout(row);
    m_bar = new QProgressBar(frame);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setFormat(QStringLiteral("%p%"));
    m_bar->setMinimumWidth(300);
    layout->addWidget(m_bar);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cancel = new QPushButton(QStringLiteral("取消"), frame);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::slotCancel);

    m_steady.start();
    m_clock = [this] { return m_steady.elapsed(); };
    m_timer.setInterval(m_timings.stepMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ProgressWindow::slotTick);
    m_timer.start();
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::setTarget(int target)
{
    if (!m_cancelled)
        m_target = qBound(0, target, 100);
}

int ProgressWindow::value() const
{
    return m_bar->value();
}

void ProgressWindow::finish()
{
    setTarget(100);
}

void ProgressWindow::closeAsFailed()
{
    m_timer.stop();
    m_fade.stop();
    m_closing = true;
    done(QDialog::Rejected);
}

QString ProgressWindow::labelText() const
{
    return m_label->text();
}

void ProgressWindow::slotCancel()
{
    if (m_closing)
        return;
    m_cancelled = true;
    m_timer.stop();
    emit signalCancelled();
    fadeOutAndClose(QDialog::Rejected);
}

void ProgressWindow::setClock(std::function<qint64()> clock)
{
    m_clock = std::move(clock);
    m_lastTickMs = m_clock();
    m_owedMs = 0;
}

void ProgressWindow::slotTick()
{
    const int interval = m_timer.interval();
    if (interval <= 0) {
        slotAnimate();
        return;
    }
    const qint64 now = m_clock();
    m_owedMs += qMax<qint64>(0, now - m_lastTickMs);
    m_lastTickMs = now;
    // A tick that came early waits for the next; the time spent at the target is not
    // made up later, so the bar never jumps.
    for (; m_owedMs >= interval && m_timer.isActive(); m_owedMs -= interval)
        slotAnimate();
}

void ProgressWindow::slotAnimate()
{
    const int value = m_bar->value();
    if (value < m_target)
        m_bar->setValue(qMin(100, qMax(value + 1, 5)));
    if (m_bar->value() >= 100) {
        m_timer.stop();
        emit signalFinished();
        fadeOutAndClose(QDialog::Accepted);
    }
}

void ProgressWindow::fadeOutAndClose(int result)
{
    if (m_closing)
        return;
    m_closing = true;
    m_cancel->setEnabled(false);
    if (m_timings.fadeMs <= 0 || !isVisible()) {
        done(result);
        return;
    }
    m_fade.setDuration(m_timings.fadeMs);
    m_fade.setStartValue(windowOpacity());
    m_fade.setEndValue(0.0);
    connect(&m_fade, &QPropertyAnimation::finished, this, [this, result] { done(result); });
    m_fade.start();
}
