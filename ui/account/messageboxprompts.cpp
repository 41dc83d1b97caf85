#include "messageboxprompts.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

void MessageBoxPrompts::showError(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("错误"), text, QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
}

bool MessageBoxPrompts::askNetworkDiagnosis(QWidget *parent)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("错误"),
                    QStringLiteral("连接服务器超时，请重试！"), QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    QPushButton *diagnose = box.addButton(QStringLiteral("网络诊断"), QMessageBox::ActionRole);
    box.exec();
    return box.clickedButton() == diagnose;
}

void MessageBoxPrompts::openUrl(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}
