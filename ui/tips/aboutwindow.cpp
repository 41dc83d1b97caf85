#include "aboutwindow.h"

#include "custommessagebox.h"
#include "dialogframe.h"
#include "servicehosts.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

AboutWindow::AboutWindow(const QString &webHost, QWidget *parent)
    : QDialog(parent)
    , m_webHost(webHost)
{
    setObjectName(QStringLiteral("AboutDlgClass"));
    setWindowTitle(QStringLiteral("Pennova"));
    setStyleSheet(CustomMessageBox::boxStyleSheet());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 14);
    auto *version = new QLabel(versionText(), this);
    version->setObjectName(QStringLiteral("label_version"));
    version->setStyleSheet(QStringLiteral("font-family: 微软雅黑; font-size: 14px; font-weight: bold;"));
    layout->addWidget(version);
    auto *rights = new QLabel(QStringLiteral("Copyright © Pennova 开发组。保留所有权利。"), this);
    rights->setStyleSheet(QStringLiteral("font-family: 微软雅黑; font-size: 12px; color: #7d96aa;"));
    layout->addWidget(rights);
    auto *row = new QHBoxLayout;
    const char *const texts[] = {"用户协议", "隐私声明", "联系我们"};
    for (int i = 0; i < 3; ++i) {
        m_links[i] = new QPushButton(QString::fromUtf8(texts[i]), this);
        m_links[i]->setFlat(true);
        m_links[i]->setCursor(Qt::PointingHandCursor);
        row->addWidget(m_links[i]);
    }
    row->addStretch(1);
    auto *ok = new QPushButton(QStringLiteral("确 认"), this);
    ok->setDefault(true);
    row->addWidget(ok);
    layout->addLayout(row);
    connect(m_links[Agreement], &QPushButton::clicked, this, &AboutWindow::slotClickAgree);
    connect(m_links[Privacy], &QPushButton::clicked, this, &AboutWindow::slotClickPrivacy);
    connect(m_links[Contact], &QPushButton::clicked, this, &AboutWindow::slotClickContact);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    new DialogFrame(this, windowTitle()); // the program's frame: title bar, drag, fade
}

QString AboutWindow::versionText() const
{
    return QStringLiteral("Pennova英语写作辅助软件 v ") + ZeltraLib::ClientVersion;
}

QUrl AboutWindow::linkUrl(Link link, const QString &webHost)
{
    static const char *const paths[] = {"/Info/UserAgreement", "/Info/PrivacyStatement", "/Info/Contact"};
    return QUrl(QStringLiteral("http://") + webHost + QString::fromLatin1(paths[link]));
}

void AboutWindow::slotClickAgree()
{
    QDesktopServices::openUrl(linkUrl(Agreement, m_webHost));
}

void AboutWindow::slotClickPrivacy()
{
    QDesktopServices::openUrl(linkUrl(Privacy, m_webHost));
}

void AboutWindow::slotClickContact()
{
    QDesktopServices::openUrl(linkUrl(Contact, m_webHost));
}
