#pragma once

#include <QDialog>
#include <QString>

class AccountPrompts;
class AdvertisementLabel;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class UsageEventSink;

namespace ZeltraLib {
class UserRegister;
}

// The "快速注册" window: the registration form, then a success page from which the user
// logs in directly (Accepted, with userName() and passwordHash()) or goes back (Rejected).
// The prompts and the event sink are not owned and must outlive the window.
class RegisterWindow : public QDialog
{
    Q_OBJECT
public:
    enum ShareSite { Sina, Tencent, Kaixin, Renren };

    // `webHost` is "host:port" of the product web site (registration service and pages).
    RegisterWindow(const QString &webHost, AccountPrompts &prompts, UsageEventSink &events,
                   QWidget *parent = nullptr);
    ~RegisterWindow() override;

    QString userName() const { return m_registeredName; }
    QString passwordHash() const { return m_registeredHash; }
    QString expectedCaptchaAnswer() const { return m_captchaAnswer; }
    bool isSuccessPageShown() const;
    ZeltraLib::UserRegister &client() { return *m_client; }

    // The share page of `site` for the product's download page on `webHost`.
    static QUrl shareUrl(ShareSite site, const QString &webHost);

private Q_SLOTS:
    void slotSubmitClicked();
    void slotLoginClicked();
    void slotUpdatePicClicked();
    void slotCheckUserFin(bool exists);
    void slotCheckMailFin(bool exists);
    void slotRegisterFin(int code);
    void slotSinaClicked();
    void slotTencentClicked();
    void slotKaixinClicked();
    void slotRenrenClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One form row: the field, its hint and its two validity marks.
    struct Field
    {
        QLineEdit *edit = nullptr;
        QLabel *valid = nullptr;
        QLabel *invalid = nullptr;
    };

    QWidget *buildForm();
    QWidget *buildSuccessPage();
    Field addField(QWidget *form, int row, const QString &label, const QString &hint,
                   const QString &name);
    void fieldLeft(QObject *field);
    // What is wrong with the first field (in form order) that would be refused, with that
    // field in *wrong; empty, and *wrong null, when the form may be sent.
    QString firstWrongField(const Field **wrong) const;
    static void mark(const Field &field, bool valid);
    static void hideMarks(const Field &field);
    void newCaptcha();

    QString m_webHost;
    AccountPrompts &m_prompts;
    UsageEventSink &m_events;
    ZeltraLib::UserRegister *m_client = nullptr;   // child of this window

    QStackedWidget *m_pages = nullptr;
    Field m_user;
    Field m_password;
    Field m_email;
    Field m_captcha;
    QLabel *m_captchaPicture = nullptr;
    AdvertisementLabel *m_adPicture = nullptr;
    QPushButton *m_submit = nullptr;
    QLabel *m_successName = nullptr;

    QString m_captchaAnswer;
    QString m_pendingName;
    QString m_pendingHash;
    QString m_registeredName;
    QString m_registeredHash;
};
