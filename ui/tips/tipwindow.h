#pragma once

#include <QDialog>

class ConfigStore;
class QCheckBox;
class QPushButton;
class QTextBrowser;

namespace ZeltraLib {
class UserInformation;
}

// "Pennova助手": the introduction shown at start, a welcome page and five steps.
// Closing does not delete it; a creator that wants that sets Qt::WA_DeleteOnClose.
class TipWindow : public QDialog
{
    Q_OBJECT
public:
    static constexpr int PageCount = 5;

    // prefs: the preference store ("display_tips"); usage: the usage counters; webHost:
    // the product web site of the help link. None is owned; all outlive the window.
    TipWindow(ConfigStore &prefs, ZeltraLib::UserInformation &usage, const QString &webHost,
              QWidget *parent = nullptr);

    // -1 on the start page, else 0..4.
    int pageIndex() const { return m_page; }
    QString pageHtml() const;
    static QString pageTitle(int page);
    QPushButton *skipButton() const { return m_skip; }
    QPushButton *goButton() const { return m_go; }
    QPushButton *prevButton() const { return m_prev; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *finishButton() const { return m_finish; }
    QCheckBox *hideNextTimeBox() const { return m_hide; }

public Q_SLOTS:
    void slotClose();
    void slotMove(int dx, int dy);
    void slotGo();
    void slotPrev();
    void slotNext();
    void slotShowSettingChanged(int state);
    void slotGotoFinished();

private:
    void showPage(int page);

    ConfigStore &m_prefs;
    ZeltraLib::UserInformation &m_usage;
    QString m_webHost;
    QTextBrowser *m_view = nullptr;
    QCheckBox *m_hide = nullptr;
    QPushButton *m_skip = nullptr;
    QPushButton *m_go = nullptr;
    QPushButton *m_prev = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_finish = nullptr;
    int m_page = -1;
};
