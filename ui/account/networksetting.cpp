#include "networksetting.h"

#include "configstore.h"
#include "proxysettings.h"

#include "networkhelper.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int Http = 1;
constexpr int Socks = 2;
} // namespace

NetworkSetting::NetworkSetting(ConfigStore &preferences, const QString &testUrl, QWidget *parent)
    : QWidget(parent)
    , m_preferences(preferences)
    , m_testUrl(testUrl)
{
    auto *form = new QFormLayout(this);
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("typeBox"));
    m_type->addItems({QStringLiteral("不使用代理"), QStringLiteral("HTTP代理"),
                      QStringLiteral("SOCKS5代理"), QStringLiteral("使用浏览器设置")});
    form->addRow(QStringLiteral("代理类型："), m_type);
    m_host = addField(QStringLiteral("服务器："), QStringLiteral("hostEdit"));
    m_port = addField(QStringLiteral("端口："), QStringLiteral("portEdit"));
    m_user = addField(QStringLiteral("用户名："), QStringLiteral("userEdit"));
    m_password = addField(QStringLiteral("密码："), QStringLiteral("passwordEdit"));
    m_password->setEchoMode(QLineEdit::Password);
    m_domain = addField(QStringLiteral("域："), QStringLiteral("domainEdit"));
    m_test = new QPushButton(QStringLiteral("测试"), this);
    m_test->setObjectName(QStringLiteral("testButton"));
    m_test->setAutoDefault(false);
    form->addRow(QString(), m_test);

    m_helper = new ZeltraLib::NetworkHelper(this);
    connect(m_helper, &ZeltraLib::NetworkHelper::signalCheckHttpFinished, this, [this](bool ok) {
        m_lastTestFailed = !ok;
        setEnabled(true);
        slotHostChanged();
        Q_EMIT signalCheckProxyFinished(ok);
    });
    connect(m_type, &QComboBox::currentIndexChanged, this, &NetworkSetting::slotProxyTypeChanged);
    connect(m_host, &QLineEdit::textChanged, this, &NetworkSetting::slotHostChanged);
    connect(m_test, &QPushButton::clicked, this, &NetworkSetting::slotTestProxy);
    for (QLineEdit *edit : {m_host, m_port, m_user, m_password, m_domain})
        connect(edit, &QLineEdit::textEdited, this, &NetworkSetting::signalValueChanged);
    load();
}

QLineEdit *NetworkSetting::addField(const QString &label, const QString &name)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    static_cast<QFormLayout *>(layout())->addRow(label, edit);
    return edit;
}

QString NetworkSetting::stored(const QString &key) const
{
    return m_preferences.value(key, m_useDefaults);
}

void NetworkSetting::load(bool useDefaults)
{
    m_useDefaults = useDefaults;
    const QSignalBlocker block(m_type);
    const int type = stored(QStringLiteral("proxy_type")).toInt();
    m_type->setCurrentIndex(type >= 0 && type <= 3 ? type : 0);
    slotProxyTypeChanged(m_type->currentIndex());
    m_useDefaults = false;
}

void NetworkSetting::slotProxyTypeChanged(int index)
{
    const bool server = index == Http || index == Socks;
    m_domain->setEnabled(index == Http);
    m_domain->setText(index == Http ? stored(QStringLiteral("proxy_domain")) : QString());
    const QList<QPair<QLineEdit *, QString>> fields = {
        {m_host, QStringLiteral("proxy_host")}, {m_port, QStringLiteral("proxy_port")},
        {m_user, QStringLiteral("proxy_user")}, {m_password, QStringLiteral("proxy_pwd")}};
    for (const auto &field : fields) {
        field.first->setEnabled(server);
        field.first->setText(server ? stored(field.second) : QString());
    }
    slotHostChanged();
    if (signalsBlocked() || m_type->signalsBlocked())
        return;
    Q_EMIT signalValueChanged();
}

void NetworkSetting::slotHostChanged()
{
    m_test->setEnabled(!m_host->text().trimmed().isEmpty());
}

QNetworkProxy NetworkSetting::testProxy(int type, const QString &host, const QString &port,
                                        const QString &user, const QString &password,
                                        const QString &domain)
{
    QNetworkProxy proxy(type == Socks ? QNetworkProxy::Socks5Proxy : QNetworkProxy::HttpProxy);
    proxy.setHostName(host.trimmed());
    if (!port.trimmed().isEmpty())
        proxy.setPort(port.trimmed().toUShort());
    if (!user.trimmed().isEmpty())
        proxy.setUser(domain.trimmed().isEmpty() ? user : domain + QLatin1Char('/') + user);
    if (!password.trimmed().isEmpty())
        proxy.setPassword(password);
    return proxy;
}

void NetworkSetting::slotTestProxy()
{
    Q_EMIT signalTest();
    setEnabled(false);
    m_helper->checkHttp(testProxy(m_type->currentIndex(), m_host->text(), m_port->text(),
                                  m_user->text(), m_password->text(), m_domain->text()),
                        m_testUrl);
}

void NetworkSetting::save()
{
    const int type = m_type->currentIndex();
    if (type == Http || type == Socks) {
        m_preferences.setValue(QStringLiteral("proxy_user"), m_user->text());
        m_preferences.setValue(QStringLiteral("proxy_pwd"), m_password->text());
        m_preferences.setValue(QStringLiteral("proxy_host"), m_host->text().trimmed());
        m_preferences.setValue(QStringLiteral("proxy_port"), m_port->text().trimmed());
        if (type == Http)
            m_preferences.setValue(QStringLiteral("proxy_domain"), m_domain->text());
    }
    m_preferences.setValue(QStringLiteral("proxy_type"), QString::number(type));
    applyProxySettings(m_preferences);
}
