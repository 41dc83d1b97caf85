#include "progresswindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ProgressWindow::ProgressWindow(bool polish, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setObjectName(QStringLiteral("ProgressWindow"));
    setStyleSheet(QStringLiteral(
        "#ProgressWindow { background: #f0f7fa; border: 1px solid #7d96aa; }"
        "QLabel { font-family: 微软雅黑; font-size: 13px; color: #333333; }"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    auto *row = new QHBoxLayout;
    auto *picture = new QLabel(polish ? QStringLiteral("润") : QStringLiteral("检"), this);
    picture->setFixedSize(36, 36);
    picture->setAlignment(Qt::AlignCenter);
    picture->setStyleSheet(QStringLiteral("background: %1; color: white; border-radius: 18px;"
                                          " font-size: 16px; font-weight: bold;")
                               .arg(polish ? QStringLiteral("#FF6600") : QStringLiteral("#2f7fc1")));
    row->addWidget(picture);
    m_label = new QLabel(polish ? QStringLiteral("正在进行润色：") : QStringLiteral("正在检查错误："), this);
    row->addWidget(m_label, 1);
    layout->addLayout(row);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setFormat(QStringLiteral("%p%"));
    m_bar->setMinimumWidth(300);
    layout->addWidget(m_bar);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::slotCancel);

    m_timer.setInterval(AnimationMs);
    connect(&m_timer, &QTimer::timeout, this, &ProgressWindow::slotAnimate);
    m_timer.start();
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::setTarget(int target)
{
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
    reject();
}

QString ProgressWindow::labelText() const
{
    return m_label->text();
}

void ProgressWindow::slotCancel()
{
    m_timer.stop();
    reject();
}

void ProgressWindow::slotAnimate()
{
    const int value = m_bar->value();
    if (value < m_target)
        m_bar->setValue(qMin(100, qMax(value + 1, 5)));
    if (m_bar->value() >= 100) {
        m_timer.stop();
        emit signalFinished();
        accept();
    }
}
