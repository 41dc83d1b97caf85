#include "waitingindicator.h"

WaitingIndicator::WaitingIndicator(QWidget *parent)
    : QLabel(QStringLiteral("正在处理，请稍候..."), parent)
{
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("QLabel { background: rgba(255,255,255,230); border: 1px solid #7d96aa;"
                                 " border-radius: 6px; padding: 12px 20px; color: #333333;"
                                 " font-family: 微软雅黑; font-size: 13px; }"));
    hide();
}

void WaitingIndicator::showCentered()
{
    adjustSize();
    if (QWidget *p = parentWidget())
        move((p->width() - width()) / 2, (p->height() - height()) / 2);
    show();
    raise();
    repaint();
}
