#include "proxydialog.h"

#include "configstore.h"
#include "proxysettings.h"

#include "networkhelper.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int Http = 1;
constexpr int Socks = 2;
} // namespace

ProxyDialog::ProxyDialog(ConfigStore &preferences, const QString &testUrl, QWidget *parent)
    : QDialog(parent)
    , m_preferences(preferences)
    , m_testUrl(testUrl)
{
    setWindowTitle(QStringLiteral("代理设置"));
    setStyleSheet(QStringLiteral("QWidget { font-family: \"微软雅黑\"; font-size: 13px; }"));
    auto *layout = new QVBoxLayout(this);
    m_page = new QWidget(this);
    auto *form = new QFormLayout(m_page);
    m_type = new QComboBox(m_page);
    m_type->setObjectName(QStringLiteral("typeBox"));
    m_type->addItems({QStringLiteral("不使用代理"), QStringLiteral("HTTP代理"),
                      QStringLiteral("SOCKS5代理"), QStringLiteral("使用浏览器设置")});
    form->addRow(QStringLiteral("代理类型："), m_type);
    layout->addWidget(m_page);
    m_host = addField(QStringLiteral("服务器："), QStringLiteral("hostEdit"));
    m_port = addField(QStringLiteral("端口："), QStringLiteral("portEdit"));
    m_user = addField(QStringLiteral("用户名："), QStringLiteral("userEdit"));
    m_password = addField(QStringLiteral("密码："), QStringLiteral("passwordEdit"));
    m_password->setEchoMode(QLineEdit::Password);
    m_domain = addField(QStringLiteral("域："), QStringLiteral("domainEdit"));

    auto *buttons = new QHBoxLayout;
    m_test = new QPushButton(QStringLiteral("测试"), this);
    m_test->setObjectName(QStringLiteral("testButton"));
    auto *submit = new QPushButton(QStringLiteral("确定"), this);
    submit->setObjectName(QStringLiteral("submitButton"));
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    for (QPushButton *button : {m_test, submit, cancel})
        button->setAutoDefault(false);
    buttons->addWidget(m_test);
    buttons->addStretch();
    buttons->addWidget(submit);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    m_helper = new ZeltraLib::NetworkHelper(this);
    connect(m_helper, &ZeltraLib::NetworkHelper::signalCheckHttpFinished, this,
            &ProxyDialog::slotCheckProxyFinished);
    connect(m_type, &QComboBox::currentIndexChanged, this, &ProxyDialog::slotProxyTypeChanged);
    connect(m_host, &QLineEdit::textChanged, this, &ProxyDialog::slotHostChanged);
    connect(m_test, &QPushButton::clicked, this, &ProxyDialog::slotTestProxy);
    connect(submit, &QPushButton::clicked, this, &ProxyDialog::slotSubmit);
    connect(cancel, &QPushButton::clicked, this, &ProxyDialog::reject);

    const int type = m_preferences.value(QStringLiteral("proxy_type")).toInt();
    m_type->setCurrentIndex(type >= 0 && type <= 3 ? type : 0);
    slotProxyTypeChanged(m_type->currentIndex());
}

QLineEdit *ProxyDialog::addField(const QString &label, const QString &name)
{
    auto *edit = new QLineEdit(m_page);
    edit->setObjectName(name);
    static_cast<QFormLayout *>(m_page->layout())->addRow(label, edit);
    return edit;
}

void ProxyDialog::slotProxyTypeChanged(int index)
{
    const bool server = index == Http || index == Socks;
    m_domain->setEnabled(index == Http);
    m_domain->setText(index == Http ? m_preferences.value(QStringLiteral("proxy_domain")) : QString());
    const QList<QPair<QLineEdit *, QString>> fields = {
        {m_host, QStringLiteral("proxy_host")}, {m_port, QStringLiteral("proxy_port")},
        {m_user, QStringLiteral("proxy_user")}, {m_password, QStringLiteral("proxy_pwd")}};
    for (const auto &field : fields) {
        field.first->setEnabled(server);
        field.first->setText(server ? m_preferences.value(field.second) : QString());
    }
    slotHostChanged();
}

void ProxyDialog::slotHostChanged()
{
    m_test->setEnabled(!m_host->text().trimmed().isEmpty());
}

QNetworkProxy ProxyDialog::testProxy(int type, const QString &host, const QString &port,
                                     const QString &user, const QString &password,
                                     const QString &domain)
{
    QNetworkProxy proxy(type == Socks ? QNetworkProxy::Socks5Proxy : QNetworkProxy::HttpProxy);
    proxy.setHostName(host);
    if (!port.trimmed().isEmpty())
        proxy.setPort(port.trimmed().toUShort());
    if (!user.trimmed().isEmpty())
        proxy.setUser(domain.trimmed().isEmpty() ? user : domain + QLatin1Char('/') + user);
    if (!password.trimmed().isEmpty())
        proxy.setPassword(password);
    return proxy;
}

void ProxyDialog::slotTestProxy()
{
    ++m_testsRun;
    m_page->setEnabled(false);
    m_test->setEnabled(false);
    m_helper->checkHttp(testProxy(m_type->currentIndex(), m_host->text(), m_port->text(),
                                  m_user->text(), m_password->text(), m_domain->text()),
                        m_testUrl);
}

void ProxyDialog::slotCheckProxyFinished(bool ok)
{
    QMessageBox::information(this, QStringLiteral("代理测试结果"),
                             ok ? QStringLiteral("成功连接到代理服务器！")
                                : QStringLiteral("无法连接到代理服务器！"));
    m_page->setEnabled(true);
    slotHostChanged();
}

void ProxyDialog::slotSubmit()
{
    const int type = m_type->currentIndex();
    if (type == Http || type == Socks) {
        m_preferences.setValue(QStringLiteral("proxy_user"), m_user->text());
        m_preferences.setValue(QStringLiteral("proxy_pwd"), m_password->text());
        m_preferences.setValue(QStringLiteral("proxy_host"), m_host->text());
        m_preferences.setValue(QStringLiteral("proxy_port"), m_port->text());
        if (type == Http)
            m_preferences.setValue(QStringLiteral("proxy_domain"), m_domain->text());
    }
    m_preferences.setValue(QStringLiteral("proxy_type"), QString::number(type));
    applyProxySettings(m_preferences);
    m_preferences.save();
    accept();
}
