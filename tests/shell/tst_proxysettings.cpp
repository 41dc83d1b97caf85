#include "configstore.h"
#include "proxysettings.h"

#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A proxy no settings row produces, to show that a row left the proxy alone.
QNetworkProxy sentinelProxy()
{
    QNetworkProxy proxy(QNetworkProxy::HttpProxy, QStringLiteral("sentinel.invalid"), 3128);
    proxy.setUser(QStringLiteral("sentinel"));
    return proxy;
}

} // namespace

class TestProxySettings : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void appliesTheRule_data();
    void appliesTheRule();
    void systemConfiguration();
    void explicitProxyEndsSystemConfiguration();

private:
    QTemporaryDir m_dir;
};

void TestProxySettings::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestProxySettings::init()
{
    QNetworkProxyFactory::setUseSystemConfiguration(false);
    QNetworkProxy::setApplicationProxy(sentinelProxy());
}

void TestProxySettings::appliesTheRule_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("proxyType");
    QTest::addColumn<QString>("expectedHost");
    QTest::addColumn<int>("expectedPort");
    QTest::addColumn<QString>("expectedUser");
    QTest::addColumn<QString>("expectedPassword");

    const int http = QNetworkProxy::HttpProxy;
    const int socks = QNetworkProxy::Socks5Proxy;
    const int none = QNetworkProxy::NoProxy;

    QTest::newRow("0 sets no proxy")
        << "0" << "proxy.local" << "8080" << "u" << "p" << "" << true << none << "" << 0 << "" << "";
    QTest::newRow("empty type reads its default 0")
        << "" << "proxy.local" << "8080" << "" << "" << "" << true << none << "" << 0 << "" << "";
    QTest::newRow("1 is HTTP with host and port")
        << "1" << "proxy.local" << "8080" << "" << "" << "" << true << http << "proxy.local" << 8080
        << "" << "";
    QTest::newRow("2 is SOCKS5 with domain and user")
        << "2" << "socks.local" << "1080" << "lilei" << "secret" << "CORP" << true << socks
        << "socks.local" << 1080 << "CORP\\lilei" << "secret";
    QTest::newRow("user without domain stays plain")
        << "1" << "proxy.local" << "" << "lilei" << "" << "  " << true << http << "proxy.local" << 0
        << "lilei" << "";
    QTest::newRow("blank user sets no user, domain ignored")
        << "1" << "proxy.local" << "3128" << "   " << "pw" << "CORP" << true << http << "proxy.local"
        << 3128 << "" << "pw";
    QTest::newRow("blank password is not set")
        << "2" << "socks.local" << "1080" << "u" << "  " << "" << true << socks << "socks.local"
        << 1080 << "u" << "";
    QTest::newRow("blanks around host and port are dropped")
        << "1" << "  proxy.local " << " 8080 " << "" << "" << "" << true << http << "proxy.local"
        << 8080 << "" << "";
    QTest::newRow("port out of range is left unset")
        << "1" << "proxy.local" << "70000" << "" << "" << "" << true << http << "proxy.local" << 0
        << "" << "";
    QTest::newRow("port not a number is left unset")
        << "1" << "proxy.local" << "80a" << "" << "" << "" << true << http << "proxy.local" << 0
        << "" << "";
    QTest::newRow("chinese user and domain")
        << "2" << "socks.local" << "1080" << "李雷" << "密码" << "北京" << true << socks
        << "socks.local" << 1080 << "北京\\李雷" << "密码";
    QTest::newRow("1 with empty host changes nothing")
        << "1" << "" << "8080" << "u" << "p" << "" << false << 0 << "" << 0 << "" << "";
    QTest::newRow("2 with blank host changes nothing")
        << "2" << "   " << "1080" << "" << "" << "" << false << 0 << "" << 0 << "" << "";
    QTest::newRow("unknown number changes nothing")
        << "4" << "proxy.local" << "8080" << "" << "" << "" << false << 0 << "" << 0 << "" << "";
    QTest::newRow("negative number changes nothing")
        << "-1" << "proxy.local" << "8080" << "" << "" << "" << false << 0 << "" << 0 << "" << "";
    QTest::newRow("garbage type changes nothing")
        << "http" << "proxy.local" << "8080" << "" << "" << "" << false << 0 << "" << 0 << "" << "";
    QTest::newRow("oversized type changes nothing")
        << QString(5000, u'9') << "proxy.local" << "8080" << "" << "" << "" << false << 0 << "" << 0
        << "" << "";
}

void TestProxySettings::appliesTheRule()
{
    QFETCH(QString, type);
    QFETCH(QString, host);
    QFETCH(QString, port);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, domain);
    QFETCH(bool, changed);
    QFETCH(int, proxyType);
    QFETCH(QString, expectedHost);
    QFETCH(int, expectedPort);
    QFETCH(QString, expectedUser);
    QFETCH(QString, expectedPassword);

    ConfigStore store(m_dir.path(), QStringLiteral("absent.ini"));
    store.setValue("proxy_type", "0");
    store.setValue("proxy_type", type);
    store.setValue("proxy_host", host);
    store.setValue("proxy_port", port);
    store.setValue("proxy_user", user);
    store.setValue("proxy_pwd", password);
    store.setValue("proxy_domain", domain);

    applyProxySettings(store);
    const QNetworkProxy proxy = QNetworkProxy::applicationProxy();
    if (!changed) {
        QCOMPARE(proxy, sentinelProxy());
        return;
    }
    QCOMPARE(int(proxy.type()), proxyType);
    QCOMPARE(proxy.hostName(), expectedHost);
    QCOMPARE(int(proxy.port()), expectedPort);
    QCOMPARE(proxy.user(), expectedUser);
    QCOMPARE(proxy.password(), expectedPassword);
    QVERIFY(!QNetworkProxyFactory::usesSystemConfiguration());
}

void TestProxySettings::systemConfiguration()
{
    ConfigStore store(m_dir.path(), QStringLiteral("absent.ini"));
    store.setValue("proxy_type", "3");
    store.setValue("proxy_host", "ignored.local");
    applyProxySettings(store);
    QVERIFY(QNetworkProxyFactory::usesSystemConfiguration());
}

void TestProxySettings::explicitProxyEndsSystemConfiguration()
{
    ConfigStore store(m_dir.path(), QStringLiteral("absent.ini"));
    store.setValue("proxy_type", "3");
    applyProxySettings(store);
    QVERIFY(QNetworkProxyFactory::usesSystemConfiguration());

    store.setValue("proxy_type", "1");
    store.setValue("proxy_host", "proxy.local");
    applyProxySettings(store);
    QVERIFY(!QNetworkProxyFactory::usesSystemConfiguration());
    QCOMPARE(QNetworkProxy::applicationProxy().hostName(), QStringLiteral("proxy.local"));
}

QTEST_GUILESS_MAIN(TestProxySettings)
#include "tst_proxysettings.moc"
