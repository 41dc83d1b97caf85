#pragma once

#include <QString>

class QUrl;
class QWidget;

// Message boxes and the browser as the account windows use them. Behind an interface so
// that the program's own boxes can replace the plain ones and tests can answer them.
class AccountPrompts
{
public:
    virtual ~AccountPrompts() = default;

    // Modal box titled "错误" with `text` and the button "确定", centred on `parent`.
    virtual void showError(QWidget *parent, const QString &text) = 0;
    // The login time-out box: "错误" / "连接服务器超时，请重试！" with the buttons "确定" and
    // "网络诊断"; true when the user chose "网络诊断".
    virtual bool askNetworkDiagnosis(QWidget *parent) = 0;
    // Opens a page in the user's web browser.
    virtual void openUrl(const QUrl &url) = 0;
};
