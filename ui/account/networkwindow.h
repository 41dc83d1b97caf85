#pragma once

#include <QDialog>

#include <functional>

class ConfigStore;
class NetworkSetting;
class QLabel;

// "代理设置": the proxy page with "确定" and "取消", opened modally from the login window.
// "确定" saves the page and writes the settings file; after a failed test the first "确定"
// only warns, a second one saves anyway. Counts the tests run while open.
class NetworkWindow : public QDialog
{
    Q_OBJECT
public:
    NetworkWindow(ConfigStore &preferences, const QString &testUrl, QWidget *parent = nullptr);

    int testsRun() const { return m_testsRun; }
    NetworkSetting *page() const { return m_page; }

    // Shows a test's outcome; a message box unless a test replaces it.
    using ResultNotice = std::function<void(QWidget *parent, bool ok)>;
    void setResultNotice(ResultNotice notice) { m_notice = std::move(notice); }
    // The message box used by the proxy windows ("代理测试结果").
    static void showProxyResult(QWidget *parent, bool ok);

public Q_SLOTS:
    void slotMove(int dx, int dy);
    void slotSubmit();
    void slotCheckProxyFinished(bool ok);
    void slotTestClicked();

private:
    ConfigStore &m_preferences;
    NetworkSetting *m_page = nullptr; // child
    QLabel *m_warning = nullptr;
    ResultNotice m_notice = &NetworkWindow::showProxyResult;
    bool m_warned = false;
    int m_testsRun = 0;
};
