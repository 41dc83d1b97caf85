#include "notifymsgbox.h"

#include "configstore.h"
#include "custommessagebox.h"
#include "dialogframe.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

NotifyMsgBox::NotifyMsgBox(ConfigStore &prefs, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("NotifyMsgBoxClass"));
    setWindowTitle(QStringLiteral("Pennova"));
    setModal(true);
    setStyleSheet(CustomMessageBox::boxStyleSheet());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    layout->addWidget(new QLabel(QStringLiteral("您点击了关闭窗口，您想"), this));
    m_hide = new QRadioButton(QStringLiteral("隐藏到任务栏通知区域，不退出程序"), this);
    m_exit = new QRadioButton(QStringLiteral("退出程序"), this);
    (prefs.value(QStringLiteral("click_close_level")) == QLatin1String("1") ? m_hide : m_exit)->setChecked(true);
    layout->addWidget(m_hide);
    layout->addWidget(m_exit);
    auto *buttons = new QHBoxLayout;
    m_noAsk = new QCheckBox(QStringLiteral("不再询问"), this);
    buttons->addWidget(m_noAsk);
    buttons->addStretch(1);
    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &NotifyMsgBox::slotSubmitClick);
    connect(cancel, &QPushButton::clicked, this, &NotifyMsgBox::slotExitClick);
    new DialogFrame(this, windowTitle()); // the program's frame: title bar, drag, fade
}

bool NotifyMsgBox::doNotAskAgain() const
{
    return m_noAsk->isChecked();
}

bool NotifyMsgBox::exitChosen() const
{
    return m_exit->isChecked();
}

bool NotifyMsgBox::storeChoice(ConfigStore &prefs) const
{
    if (doNotAskAgain())
        prefs.setValue(QStringLiteral("show_close_tip"), QStringLiteral("False"));
    prefs.setValue(QStringLiteral("click_close_level"), exitChosen() ? QStringLiteral("2") : QStringLiteral("1"));
    return exitChosen();
}

void NotifyMsgBox::slotSubmitClick()
{
    accept();
}

void NotifyMsgBox::slotExitClick()
{
    reject();
}

void NotifyMsgBox::slotClose()
{
    reject();
}

void NotifyMsgBox::slotMove(int dx, int dy)
{
    move(pos() + QPoint(dx, dy));
}
