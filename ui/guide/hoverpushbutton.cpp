#include "hoverpushbutton.h"

HoverPushButton::HoverPushButton(WritingBlockRange *block, QWidget *parent)
    : QPushButton(QStringLiteral("替换"), parent)
    , pBlockRange(block)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(48, 22);
    setStyleSheet(QStringLiteral(
        "QPushButton{background:#ffffff;border:1px solid #7fa7e0;border-radius:3px;color:#2f6fd6;}"
        "QPushButton:hover{background:#e8f0fc;}QPushButton:disabled{color:#b0b0b0;border-color:#d0d0d0;}"));
    connect(this, &QPushButton::clicked, this, &HoverPushButton::slotClicked);
}

void HoverPushButton::slotClicked()
{
    emit signalClicked(pBlockRange);
}

void HoverPushButton::enterEvent(QEnterEvent *event)
{
    QPushButton::enterEvent(event);
    emit signalHoverEntered(pBlockRange);
}
