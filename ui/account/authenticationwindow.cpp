#include "authenticationwindow.h"

#include "dialogframe.h"
#include "movingbar.h"
#include "signinpage.h"
#include "signinreply.h"

#include "useraccess.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>

AuthenticationWindow::AuthenticationWindow(int provider, ZeltraLib::UserAccess &access,
                                           const QString &accountHost, QWidget *parent)
    : QDialog(parent)
    , m_access(access)
{
    setWindowTitle(QStringLiteral("使用第三方账户登录 "));
    setStyleSheet(QStringLiteral("QWidget { font-family: \"微软雅黑\"; font-size: 13px; }"));
    auto *layout = new QVBoxLayout(this);

    m_stack = new QStackedWidget(this);
    auto *waitingPage = new QWidget(m_stack);
    auto *waitingLayout = new QVBoxLayout(waitingPage);
    waitingLayout->addStretch();
    auto *waitingText = new QLabel(QStringLiteral("正在加载，请稍候..."), waitingPage);
    waitingText->setAlignment(Qt::AlignCenter);
    waitingLayout->addWidget(waitingText);
    m_waiting = new MovingBar(waitingPage);
    m_waiting->setFixedWidth(240);
    waitingLayout->addWidget(m_waiting, 0, Qt::AlignHCenter);
    waitingLayout->addStretch();
    m_stack->addWidget(waitingPage);

    m_view = new QWebEngineView(m_stack);
    m_page = new SignInPage(m_view);
    m_view->setPage(m_page);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_page->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, false);
    m_stack->addWidget(m_view);
    layout->addWidget(m_stack);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    cancel->setAutoDefault(false);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    resize(640, 480);
    new DialogFrame(this, windowTitle());

    connect(cancel, &QPushButton::clicked, this, &AuthenticationWindow::slotClose);
    connect(m_page, &QWebEnginePage::loadFinished, this, &AuthenticationWindow::slotLoadFinished);
    connect(m_page, &SignInPage::linkClicked, this, &AuthenticationWindow::slotLinkClicked);

    m_waiting->start();
    m_view->load(QUrl(SignInReply::startUrl(accountHost, provider)));
}

AuthenticationWindow::~AuthenticationWindow() = default;

void AuthenticationWindow::slotClose()
{
    reject();
}

void AuthenticationWindow::slotLoadFinished(bool)
{
    m_waiting->stop();
    m_stack->setCurrentWidget(m_view);
    const QUrl url = m_page->url();
    if (!SignInReply::isFinalPage(url))
        return;
    // The page's text: markup of the page never leaks into the key or the name.
    QPointer<AuthenticationWindow> self(this);
    m_page->toPlainText([self, url](const QString &text) {
        if (self)
            self->finish(url, text);
    });
}

void AuthenticationWindow::finish(const QUrl &url, const QString &text)
{
    const SignInReply reply = SignInReply::read(url, text);
    if (reply.outcome == SignInReply::Accepted) {
        m_access.setSessionKey(reply.sessionKey);
        m_access.setUserName(reply.userName);
        accept();
    } else if (reply.outcome == SignInReply::Rejected) {
        reject();
    }
}

void AuthenticationWindow::slotLinkClicked(const QUrl &)
{
    // Clicked links are not followed.
}
