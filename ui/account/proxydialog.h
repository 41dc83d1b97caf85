#pragma once

#include <QDialog>
#include <QNetworkProxy>

class ConfigStore;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace ZeltraLib {
class NetworkHelper;
}

// Plain proxy settings dialog ("代理设置") opened from the login window: proxy type,
// server, port, user, password, domain and a connection test. "确定" writes the proxy keys,
// saves the store and applies the proxy to the process. The store is not owned.
class ProxyDialog : public QDialog
{
    Q_OBJECT
public:
    // `testUrl` is the page fetched through the proxy by "测试".
    ProxyDialog(ConfigStore &preferences, const QString &testUrl, QWidget *parent = nullptr);

    int testsRun() const { return m_testsRun; }

    // The proxy the test uses: index 1 HTTP, 2 SOCKS5; the user prefixed with the domain
    // and "/" when a domain is given.
    static QNetworkProxy testProxy(int type, const QString &host, const QString &port,
                                   const QString &user, const QString &password,
                                   const QString &domain);

private Q_SLOTS:
    void slotProxyTypeChanged(int index);
    void slotHostChanged();
    void slotTestProxy();
    void slotCheckProxyFinished(bool ok);
    void slotSubmit();

private:
    QLineEdit *addField(const QString &label, const QString &name);

    ConfigStore &m_preferences;
    QString m_testUrl;
    ZeltraLib::NetworkHelper *m_helper = nullptr; // child of this dialog
    QWidget *m_page = nullptr;
    QComboBox *m_type = nullptr;
    QLineEdit *m_host = nullptr;
    QLineEdit *m_port = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QLineEdit *m_domain = nullptr;
    QPushButton *m_test = nullptr;
    int m_testsRun = 0;
};
