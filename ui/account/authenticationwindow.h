#pragma once

#include <QDialog>

class MovingBar;
class QStackedWidget;
class QWebEngineView;
class SignInPage;

namespace ZeltraLib {
class UserAccess;
}

// Sign-in with a Sina Weibo (provider 0) or QQ (provider 1) account in a web view. The
// account service's last page carries the session; the window then sets it on `access`
// and closes with Accepted, or with Rejected when the page holds no session. `access` is
// not owned and must outlive the window.
class AuthenticationWindow : public QDialog
{
    Q_OBJECT
public:
    AuthenticationWindow(int provider, ZeltraLib::UserAccess &access, const QString &accountHost,
                         QWidget *parent = nullptr);
    ~AuthenticationWindow() override;

private Q_SLOTS:
    void slotClose();
    void slotLoadFinished(bool ok);
    void slotLinkClicked(const QUrl &url);

private:
    void finish(const QUrl &url, const QString &text);

    ZeltraLib::UserAccess &m_access;
    QStackedWidget *m_stack = nullptr;
    MovingBar *m_waiting = nullptr;
    QWebEngineView *m_view = nullptr;
    SignInPage *m_page = nullptr; // child of the view
};
