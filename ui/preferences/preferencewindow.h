#pragma once

#include <QDialog>

#include <functional>

class AppearenceSetting;
class ConfigStore;
class CorrectionSetting;
class EnrichmentSetting;
class GeneralSetting;
class NetworkSetting;
class QButtonGroup;
class QPushButton;
class QStackedWidget;
class UpdateSetting;

// "设置": six pages chosen by a column of buttons. Nothing reaches the store before
// "应用" or OK; after applying, signalApplyChange tells whether the text display or the
// finding display has to be redone. The last page shown is kept in "Setting_Index".
class PreferenceWindow : public QDialog
{
    Q_OBJECT
public:
    // What the pages reach outside the window; any member may be empty.
    struct Services
    {
        std::function<void()> checkUpdate;                    // "检查更新"
        std::function<QString()> dictionaryUrl;               // the user's word-list page
        std::function<void(const QString &event)> countEvent; // usage events
        std::function<void(QWidget *parent)> showDiagnosis;   // "网络诊断"
        // Shows a proxy test's outcome; empty: the message box.
        std::function<void(QWidget *parent, bool ok)> proxyResult;
        QString proxyTestUrl;                                 // empty: the service's test page
        // The Alt+letter keys of the main window's menus, with each menu's name: no hot
        // key may take them.
        QList<QPair<QKeySequence, QString>> menuKeys;
    };

    PreferenceWindow(ConfigStore &prefs, const Services &services, QWidget *parent = nullptr);
    ~PreferenceWindow() override;

    enum Page { General, Appearence, Correction, Enrichment, Network, Update, PageCount };
    int currentPage() const;
    QWidget *page(int n) const;
    QPushButton *applyButton() const { return m_apply; }

Q_SIGNALS:
    void signalApplyChange(bool bTextChanged, bool bErrorChanged);

public Q_SLOTS:
    void slotClose();
    void slotMove(int dx, int dy);
    void ButtonResetClicked();
    void ButtonOkClicked();
    void ButtonCannelClicked();
    void ButtonApplyClicked();
    void EnableApplyButton();
    void slotUpdatePanel(int n);
    void slotCheckProxyFinished(bool bSucc);
    void slotDiagnosis();
    void slotTestClicked();

private:
    void apply();
    QWidget *networkPage();

    ConfigStore &m_prefs;
    Services m_services;
    QButtonGroup *m_nav = nullptr;
    QStackedWidget *m_stack = nullptr;
    GeneralSetting *m_general = nullptr;
    AppearenceSetting *m_appearence = nullptr;
    CorrectionSetting *m_correction = nullptr;
    EnrichmentSetting *m_enrichment = nullptr;
    NetworkSetting *m_network = nullptr;
    UpdateSetting *m_update = nullptr;
    QPushButton *m_apply = nullptr;
};

// Opens the preference window modally over `parent`; `applied` receives every
// signalApplyChange. Returns the dialog's result.
int showPreferenceWindow(ConfigStore &prefs, const PreferenceWindow::Services &services,
                         QWidget *parent, const std::function<void(bool, bool)> &applied);
