#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class AccountPrompts;
class AdvertisementLabel;
class ConfigStore;
class CredentialStore;
class LoginDialogs;
class MovingBar;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class UsageEventSink;

namespace ZeltraLib {
class UserAccess;
}

// The modal login window. Logs in through the given session object and closes with
// Accepted only when the account service answered Success (or a third-party sign-in set
// a session). None of the objects passed in is owned; all must outlive the window.
class LoginWindow : public QDialog
{
    Q_OBJECT
public:
    struct Services
    {
        ConfigStore &preferences;     // "str_user", "str_pwd", "rem_pwd", "auto_login", "proxy_type"
        ZeltraLib::UserAccess &access;
        LoginDialogs &dialogs;
        AccountPrompts &prompts;
        UsageEventSink &events;
        QString webHost;              // "host:port" of the product web site
        // Where "记住密码" keeps the hash; null: "str_pwd" of the preferences.
        CredentialStore *credentials = nullptr;
    };

    // `autoLoginAllowed`: true at start-up, false after a logout.
    LoginWindow(bool autoLoginAllowed, const Services &services, QWidget *parent = nullptr);
    ~LoginWindow() override;

    // Start the updater with "1" once the window has been shown.
    void setUpdatePending(bool pending);

    // State read by tests and by the opener.
    int failedAttempts() const { return m_failedAttempts; }
    bool isCaptchaShown() const { return m_captchaShown; }
    QString expectedCaptchaAnswer() const { return m_captchaAnswer; }
    bool isLoggingIn() const;

    static QString forgetPasswordUrl(const QString &webHost, const QString &userName);

public Q_SLOTS:
    void reject() override;

private Q_SLOTS:
    void slotClose();
    void slotLogin();
    void slotLoginFinished(int result);
    void slotInputChanged(const QString &text);
    void slotRegClicked();
    void slotForgetPwdClicked();
    void slotUpdatePicClicked();
    void slotReturnInput();
    void showHint(const QString &text);
    void slotNetwork();
    void slotStartUpdate();
    void slotRememberPwdChanged(bool checked);
    void slotUserSelectAll();
    void slotAutoLoginChecked(bool checked);
    void slotWeiboClicked();
    void slotTencentClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildUi();
    void loadSettings();
    // The checks of a login, in order; shows the hint and focuses the field when `report`.
    bool checkInput(bool report);
    void startLogin(const QString &userName, const QString &hash);
    void setInputEnabled(bool enabled);
    void showCaptchaRow();
    void newCaptcha();
    void signIn(int provider);
    void forgetRememberedPassword();
    void saveLoginSettings();

    ConfigStore &m_preferences;
    ZeltraLib::UserAccess &m_access;
    LoginDialogs &m_dialogs;
    AccountPrompts &m_prompts;
    UsageEventSink &m_events;
    QString m_webHost;
    std::unique_ptr<CredentialStore> m_ownCredentials; // when none was passed in
    CredentialStore *m_credentials = nullptr;

    QWidget *m_inputPanel = nullptr;
    QLineEdit *m_userEdit = nullptr;
    QLineEdit *m_passwordEdit = nullptr;
    QCheckBox *m_rememberBox = nullptr;
    QCheckBox *m_autoLoginBox = nullptr;
    QWidget *m_captchaRow = nullptr;
    QLineEdit *m_captchaEdit = nullptr;
    QLabel *m_captchaPicture = nullptr;
    QLabel *m_hintLabel = nullptr;
    MovingBar *m_progress = nullptr;
    QPushButton *m_loginButton = nullptr;
    QPushButton *m_proxyButton = nullptr;
    QToolButton *m_signInButton = nullptr;
    AdvertisementLabel *m_adPicture = nullptr;

    QString m_captchaAnswer;
    QString m_attemptUser;
    QString m_attemptHash;
    QString m_untrimmedHash; // tried once when the trimmed password's hash is refused
    QString m_rememberedHash; // "str_pwd" as loaded
    bool m_cancelled = false;
    int m_failedAttempts = 0;
    bool m_captchaShown = false;
    bool m_remembered = false;
    bool m_updatePending = false;
    bool m_eventsUploaded = false;
};
