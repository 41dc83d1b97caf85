#include "networkwindow.h"

#include "configstore.h"
#include "custommessagebox.h"
#include "dialogframe.h"
#include "networksetting.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

NetworkWindow::NetworkWindow(ConfigStore &preferences, const QString &testUrl, QWidget *parent)
    : QDialog(parent)
    , m_preferences(preferences)
{
    setWindowTitle(QStringLiteral("代理设置"));
    setObjectName(QStringLiteral("NetworkWindow"));
    setMinimumWidth(380);
    auto *layout = new QVBoxLayout(this);
    m_page = new NetworkSetting(preferences, testUrl, this);
    layout->addWidget(m_page);
    m_warning = new QLabel(this);
    m_warning->setObjectName(QStringLiteral("warningLabel"));
    m_warning->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_warning->setWordWrap(true);
    m_warning->hide();
    layout->addWidget(m_warning);

    auto *buttons = new QHBoxLayout;
    auto *submit = new QPushButton(QStringLiteral("确定"), this);
    submit->setObjectName(QStringLiteral("submitButton"));
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton *button : {submit, cancel}) {
        button->setAutoDefault(false);
    }
    buttons->addStretch();
    buttons->addWidget(submit);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_page, &NetworkSetting::signalTest, this, &NetworkWindow::slotTestClicked);
    connect(m_page, &NetworkSetting::signalCheckProxyFinished, this,
            &NetworkWindow::slotCheckProxyFinished);
    connect(submit, &QPushButton::clicked, this, &NetworkWindow::slotSubmit);
    connect(cancel, &QPushButton::clicked, this, &NetworkWindow::reject);
    new DialogFrame(this, windowTitle()); // the program's frame: title bar, drag, fade
}

void NetworkWindow::showProxyResult(QWidget *parent, bool ok)
{
    CustomMessageBox box(QStringLiteral("代理测试结果"),
                         ok ? QStringLiteral("成功连接到代理服务器！")
                            : QStringLiteral("无法连接到代理服务器！"),
                         parent);
    box.exec();
}

void NetworkWindow::slotMove(int dx, int dy)
{
    move(pos() + QPoint(dx, dy));
}

void NetworkWindow::slotTestClicked()
{
    ++m_testsRun;
    m_warned = false;
    m_warning->hide();
}

void NetworkWindow::slotCheckProxyFinished(bool ok)
{
    if (m_notice)
        m_notice(this, ok);
}

void NetworkWindow::slotSubmit()
{
    // A proxy that failed its test is kept only when the user confirms by pressing again.
    if (m_page->lastTestFailed() && !m_warned) {
        m_warned = true;
        m_warning->setText(QStringLiteral("代理测试未通过，保存后可能无法连接网络。\n再次点击“确定”仍然保存。"));
        m_warning->show();
        return;
    }
    m_page->save();
    m_preferences.save();
    accept();
}
