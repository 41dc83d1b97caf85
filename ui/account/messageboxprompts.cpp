#include "messageboxprompts.h"

#include "custommessagebox.h"

#include <QDesktopServices>
#include <QPushButton>
#include <QUrl>

void MessageBoxPrompts::showError(QWidget *parent, const QString &text)
{
    CustomMessageBox box(QStringLiteral("错误"), text, QStringLiteral("确定"), parent);
    box.cancelButton()->hide();
    box.exec();
}

bool MessageBoxPrompts::askNetworkDiagnosis(QWidget *parent)
{
    CustomMessageBox box(QStringLiteral("错误"), QStringLiteral("连接服务器超时，请重试！"),
                         QStringLiteral("网络诊断"), QStringLiteral("确定"), parent);
    return box.exec() == QDialog::Accepted;
}

void MessageBoxPrompts::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}
