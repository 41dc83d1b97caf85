#pragma once

#include <QNetworkProxy>
#include <QWidget>

class ConfigStore;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace ZeltraLib {
class NetworkHelper;
}

// The proxy page: type, server, port, user, password, domain and a connection test. Shown
// in NetworkWindow (from the login window) and as a page of the preferences. save()
// writes the "proxy_*" keys and applies the proxy to the process. The store is not owned.
class NetworkSetting : public QWidget
{
    Q_OBJECT
public:
    // `testUrl` is the page fetched through the proxy by "测试".
    NetworkSetting(ConfigStore &preferences, const QString &testUrl, QWidget *parent = nullptr);

    // Fields from the store (or its defaults), then the type rule.
    void load(bool useDefaults = false);
    // The proxy keys from the fields, then the proxy applied. Does not write the file.
    void save();
    // Whether the last finished test failed (false before any test).
    bool lastTestFailed() const { return m_lastTestFailed; }

    // The proxy the test uses: index 1 HTTP, 2 SOCKS5; the user prefixed with the domain
    // and "/" when a domain is given.
    static QNetworkProxy testProxy(int type, const QString &host, const QString &port,
                                   const QString &user, const QString &password,
                                   const QString &domain);

Q_SIGNALS:
    void signalValueChanged();
    void signalCheckProxyFinished(bool bSucc);
    void signalTest();

public Q_SLOTS:
    void slotProxyTypeChanged(int index);
    void slotTestProxy();
    void slotHostChanged();

private:
    QLineEdit *addField(const QString &label, const QString &name);
    QString stored(const QString &key) const;

    ConfigStore &m_preferences;
    QString m_testUrl;
    bool m_useDefaults = false;
    bool m_lastTestFailed = false;
    ZeltraLib::NetworkHelper *m_helper = nullptr; // child of this page
    QComboBox *m_type = nullptr;
    QLineEdit *m_host = nullptr;
    QLineEdit *m_port = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QLineEdit *m_domain = nullptr;
    QPushButton *m_test = nullptr;
};
