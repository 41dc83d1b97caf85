#include "loginwindow.h"

#include "accountprompts.h"
#include "dialogframe.h"
#include "focusanimation.h"
#include "advertisementlabel.h"
#include "arithmeticcaptcha.h"
#include "configstore.h"
#include "linkbutton.h"
#include "logindialogs.h"
#include "movingbar.h"
#include "usageeventsink.h"

#include "credentialstore.h"
#include "passwordhash.h"
#include "resultcode.h"
#include "useraccess.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString True = QStringLiteral("True");
const QString False = QStringLiteral("False");
const QString RememberedMask = QStringLiteral("******");
const QString LoginText = QStringLiteral("登录");
const QString CancelText = QStringLiteral("取消");
const QString NeedLoginHint = QStringLiteral("您需要登录后才能体验Pennova");
constexpr int MinimumLength = 6;
constexpr int CaptchaRowGrowth = 30;
constexpr int WindowWidth = 420;
constexpr int AdHeight = 120;

// Shown until the web site's picture arrives (or when it never does).
QPixmap builtInPicture()
{
    QPixmap picture(WindowWidth, AdHeight);
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, WindowWidth, AdHeight);
    gradient.setColorAt(0, QColor(0x1F, 0x6F, 0xC5));
    gradient.setColorAt(1, QColor(0x3F, 0xA9, 0xE8));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(Qt::white);
    QFont title(QStringLiteral("微软雅黑"), 22, QFont::Bold);
    painter.setFont(title);
    painter.drawText(QRect(24, 18, WindowWidth - 48, 44), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Pennova"));
    painter.setFont(QFont(QStringLiteral("微软雅黑"), 11));
    painter.drawText(QRect(24, 64, WindowWidth - 48, 30), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("英语写作辅助软件"));
    return picture;
}

} // namespace

LoginWindow::LoginWindow(bool autoLoginAllowed, const Services &services, QWidget *parent)
    : QDialog(parent)
    , m_preferences(services.preferences)
    , m_access(services.access)
    , m_dialogs(services.dialogs)
    , m_prompts(services.prompts)
    , m_events(services.events)
    , m_webHost(services.webHost)
    , m_ownCredentials(services.credentials ? nullptr : std::make_unique<CredentialStore>(services.preferences, nullptr))
    , m_credentials(services.credentials ? services.credentials : m_ownCredentials.get())
{
    buildUi();
    loadSettings();
    connect(&m_access, &ZeltraLib::UserAccess::LoginFinished, this, &LoginWindow::slotLoginFinished);
    m_adPicture->download(QStringLiteral("http://") + m_webHost + QStringLiteral("/images/login_pic.png"));

    // Started from the event loop so that the outcome lands in the running dialog.
    if (autoLoginAllowed && m_preferences.value(QStringLiteral("auto_login")) == True)
        QTimer::singleShot(0, this, &LoginWindow::slotLogin);
}

LoginWindow::~LoginWindow() = default;

void LoginWindow::buildUi()
{
    setWindowTitle(QStringLiteral("登录"));
    setObjectName(QStringLiteral("LoginWindow"));
    setStyleSheet(QStringLiteral(
        "#LoginWindow { background: #F4F7FA; }"
        "QWidget { font-family: \"微软雅黑\"; font-size: 13px; }"
        "QLineEdit { border: 1px solid #B8C4D0; border-radius: 3px; padding: 4px; "
        "background: white; }"
        "QLineEdit:focus { border-color: #2D8CE0; }"
        "#hintLabel { color: #D9480F; }"
        "#loginButton { background: #2D8CE0; color: white; border: none; border-radius: 3px; "
        "min-width: 96px; min-height: 30px; font-size: 14px; }"
        "#loginButton:hover { background: #1F6FC5; }"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->setSpacing(6);

    m_adPicture = new AdvertisementLabel(builtInPicture(), this);
    connect(m_adPicture, &AdvertisementLabel::clicked, this, [this] {
        m_prompts.openUrl(QUrl(QStringLiteral("http://") + m_webHost + QStringLiteral("/Download/")));
    });
    layout->addWidget(m_adPicture);

    m_inputPanel = new QWidget(this);
    m_inputPanel->setObjectName(QStringLiteral("inputPanel"));
    auto *panel = new QVBoxLayout(m_inputPanel);
    panel->setContentsMargins(40, 4, 40, 0);
    panel->setSpacing(4);

    auto *userRow = new QHBoxLayout;
    m_userEdit = new QLineEdit(m_inputPanel);
    m_userEdit->setObjectName(QStringLiteral("userEdit"));
    m_userEdit->setPlaceholderText(QStringLiteral("用户名"));
    m_userEdit->setFixedHeight(30);
    m_userEdit->installEventFilter(this);
    QPushButton *registerLink = new LinkButton(QStringLiteral("快速注册"), QStringLiteral("registerLink"), m_inputPanel);
    userRow->addWidget(m_userEdit);
    userRow->addWidget(registerLink);
    panel->addLayout(userRow);

    auto *passwordRow = new QHBoxLayout;
    m_passwordEdit = new QLineEdit(m_inputPanel);
    m_passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    m_passwordEdit->setPlaceholderText(QStringLiteral("密码"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_passwordEdit->setFixedHeight(30);
    m_passwordEdit->installEventFilter(this);
    QPushButton *forgetLink = new LinkButton(QStringLiteral("忘记密码"), QStringLiteral("forgetPwdLink"), m_inputPanel);
    passwordRow->addWidget(m_passwordEdit);
    passwordRow->addWidget(forgetLink);
    panel->addLayout(passwordRow);

    m_captchaRow = new QWidget(m_inputPanel);
    m_captchaRow->setObjectName(QStringLiteral("captchaRow"));
    m_captchaRow->setFixedHeight(CaptchaRowGrowth - panel->spacing());
    auto *captcha = new QHBoxLayout(m_captchaRow);
    captcha->setContentsMargins(0, 0, 0, 0);
    captcha->setSpacing(4);
    captcha->addWidget(new QLabel(QStringLiteral("验证码："), m_captchaRow));
    m_captchaEdit = new QLineEdit(m_captchaRow);
    m_captchaEdit->setObjectName(QStringLiteral("captchaEdit"));
    m_captchaEdit->setFixedWidth(60);
    captcha->addWidget(m_captchaEdit);
    m_captchaPicture = new QLabel(m_captchaRow);
    m_captchaPicture->setObjectName(QStringLiteral("captchaPicture"));
    m_captchaPicture->setFixedSize(ArithmeticCaptcha::Width, ArithmeticCaptcha::Height);
    captcha->addWidget(m_captchaPicture);
    captcha->addWidget(new QLabel(QStringLiteral("看不清？"), m_captchaRow));
    QPushButton *refresh = new LinkButton(QStringLiteral("换一张"), QStringLiteral("captchaRefresh"), m_captchaRow);
    captcha->addWidget(refresh);
    captcha->addStretch();
    m_captchaRow->hide();
    panel->addWidget(m_captchaRow);

    auto *boxes = new QHBoxLayout;
    m_rememberBox = new QCheckBox(QStringLiteral("记住密码"), m_inputPanel);
    m_rememberBox->setObjectName(QStringLiteral("rememberBox"));
    m_autoLoginBox = new QCheckBox(QStringLiteral("自动登录"), m_inputPanel);
    m_autoLoginBox->setObjectName(QStringLiteral("autoLoginBox"));
    boxes->addWidget(m_rememberBox);
    boxes->addWidget(m_autoLoginBox);
    boxes->addStretch();
    panel->addLayout(boxes);
    m_inputPanel->setFixedHeight(110);
    layout->addWidget(m_inputPanel);

    m_hintLabel = new QLabel(this);
    m_hintLabel->setObjectName(QStringLiteral("hintLabel"));
    m_hintLabel->setContentsMargins(40, 0, 40, 0);
    m_hintLabel->setFixedHeight(20);
    layout->addWidget(m_hintLabel);

    m_progress = new MovingBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    auto *progressRow = new QHBoxLayout;
    progressRow->setContentsMargins(40, 0, 40, 0);
    progressRow->addWidget(m_progress);
    layout->addLayout(progressRow);
    // Keeps its place while hidden so that the window does not jump.
    QSizePolicy keep = m_progress->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_progress->setSizePolicy(keep);
    m_progress->hide();

    auto *bottom = new QHBoxLayout;
    bottom->setContentsMargins(40, 0, 40, 0);
    m_proxyButton = new LinkButton(QStringLiteral("代理设置"), QStringLiteral("proxyLink"), this);
    bottom->addWidget(m_proxyButton);
    m_signInButton = new QToolButton(this);
    m_signInButton->setObjectName(QStringLiteral("signInButton"));
    m_signInButton->setText(QStringLiteral("使用第三方账户登录"));
    m_signInButton->setPopupMode(QToolButton::InstantPopup);
    m_signInButton->setAutoRaise(true);
    auto *menu = new QMenu(m_signInButton);
    QAction *weibo = menu->addAction(QStringLiteral("新浪"));
    weibo->setObjectName(QStringLiteral("weiboAction"));
    QAction *tencent = menu->addAction(QStringLiteral("腾讯"));
    tencent->setObjectName(QStringLiteral("tencentAction"));
    m_signInButton->setMenu(menu);
    bottom->addWidget(m_signInButton);
    bottom->addStretch();
    m_loginButton = new QPushButton(LoginText, this);
    m_loginButton->setObjectName(QStringLiteral("loginButton"));
    m_loginButton->setAutoDefault(false);
    bottom->addWidget(m_loginButton);
    layout->addLayout(bottom);

    layout->setSizeConstraint(QLayout::SetNoConstraint);
    setFixedSize(WindowWidth, 320);
    new DialogFrame(this, windowTitle(), Titlebar::Minimize | Titlebar::Close);
    new FocusAnimation(this);

    // Tab walks the form in the order it is filled in; the links come after the button.
    const QList<QWidget *> order = {m_userEdit,    m_passwordEdit, m_captchaEdit, refresh,       m_rememberBox,
                                    m_autoLoginBox, m_loginButton, registerLink,  forgetLink, m_proxyButton,
                                    m_signInButton};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);

    connect(m_loginButton, &QPushButton::clicked, this, &LoginWindow::slotLogin);
    connect(registerLink, &QPushButton::clicked, this, &LoginWindow::slotRegClicked);
    connect(forgetLink, &QPushButton::clicked, this, &LoginWindow::slotForgetPwdClicked);
    connect(refresh, &QPushButton::clicked, this, &LoginWindow::slotUpdatePicClicked);
    connect(m_proxyButton, &QPushButton::clicked, this, &LoginWindow::slotNetwork);
    connect(weibo, &QAction::triggered, this, &LoginWindow::slotWeiboClicked);
    connect(tencent, &QAction::triggered, this, &LoginWindow::slotTencentClicked);
    connect(m_userEdit, &QLineEdit::textChanged, this, &LoginWindow::slotInputChanged);
    for (QLineEdit *edit : {m_userEdit, m_passwordEdit, m_captchaEdit})
        connect(edit, &QLineEdit::returnPressed, this, &LoginWindow::slotReturnInput);
}

void LoginWindow::loadSettings()
{
    m_userEdit->setText(m_preferences.value(QStringLiteral("str_user")));
    slotInputChanged(m_userEdit->text());
    m_rememberedHash = m_credentials->passwordHash(m_userEdit->text());
    if (m_preferences.value(QStringLiteral("rem_pwd")) == True && !m_rememberedHash.isEmpty()) {
        m_remembered = true;
        m_rememberBox->setChecked(true);
        m_passwordEdit->setText(RememberedMask);
    }
    if (m_preferences.value(QStringLiteral("auto_login")) == True)
        m_autoLoginBox->setChecked(true);
    // Connected after loading so that restoring the boxes writes nothing.
    connect(m_rememberBox, &QCheckBox::toggled, this, &LoginWindow::slotRememberPwdChanged);
    connect(m_autoLoginBox, &QCheckBox::toggled, this, &LoginWindow::slotAutoLoginChecked);
}

bool LoginWindow::isLoggingIn() const
{
    return m_loginButton->text() == CancelText;
}

void LoginWindow::setUpdatePending(bool pending)
{
    m_updatePending = pending;
}

QString LoginWindow::forgetPasswordUrl(const QString &webHost, const QString &userName)
{
    // Encoded, so that a name with "&" or "#" cannot change the address.
    return QStringLiteral("http://") + webHost + QStringLiteral("/ForgetPassword/fromtessel?u=")
           + QString::fromLatin1(QUrl::toPercentEncoding(userName.trimmed()));
}

bool LoginWindow::checkInput(bool report)
{
    auto fail = [this, report](const QString &hint, QLineEdit *field) {
        if (report) {
            showHint(hint);
            field->setFocus();
        }
        return false;
    };
    if (m_userEdit->text().trimmed().size() < MinimumLength)
        return fail(QStringLiteral("用户名长度应不小于6个字符"), m_userEdit);
    if (m_passwordEdit->text().trimmed().size() < MinimumLength)
        return fail(QStringLiteral("密码长度应不小于6个字符"), m_passwordEdit);
    if (m_captchaShown && m_captchaEdit->text() != m_captchaAnswer)
        return fail(QStringLiteral("验证码不正确，请重新输入"), m_captchaEdit);
    return true;
}

void LoginWindow::slotLogin()
{
    if (isLoggingIn()) {
        // Cancel: the pending request is dropped, so even a late success changes nothing.
        m_cancelled = true;
        m_access.cancelLogin();
        setInputEnabled(true);
        m_progress->hide();
        m_progress->stop();
        m_loginButton->setText(LoginText);
        return;
    }
    if (!checkInput(true))
        return;
    const QString typed = m_passwordEdit->text();
    const QString hash = m_remembered ? m_rememberedHash : ZeltraLib::passwordHash(typed.trimmed());
    startLogin(m_userEdit->text().trimmed(), hash);
    // Accounts registered before registration trimmed too hold the hash of the password
    // with its blanks: refused with the trimmed one, the login tries that once.
    if (!m_remembered && typed != typed.trimmed())
        m_untrimmedHash = ZeltraLib::passwordHash(typed);
}

void LoginWindow::startLogin(const QString &userName, const QString &hash)
{
    m_events.countEvent(QStringLiteral("Login_Login"));
    showHint(QString());
    setInputEnabled(false);
    m_progress->show();
    m_progress->start();
    m_loginButton->setText(CancelText);
    m_cancelled = false;
    m_attemptUser = userName;
    m_attemptHash = hash;
    m_untrimmedHash.clear();
    m_access.login(userName, hash);
}

void LoginWindow::slotLoginFinished(int result)
{
    if (m_cancelled)
        return;
    if (result != ZeltraLib::ResultCode::Success && result != ZeltraLib::ResultCode::NetworkError
        && !m_untrimmedHash.isEmpty()) {
        m_attemptHash = m_untrimmedHash;
        m_untrimmedHash.clear();
        m_access.login(m_attemptUser, m_attemptHash);
        return;
    }
    m_untrimmedHash.clear();
    m_loginButton->setText(LoginText);
    if (result == ZeltraLib::ResultCode::Success) {
        saveLoginSettings();
        accept();
        return;
    }
    m_progress->hide();
    m_progress->stop();
    setInputEnabled(true);
    if (result == ZeltraLib::ResultCode::NetworkError) {
        if (m_prompts.askNetworkDiagnosis(this))
            m_dialogs.showDiagnosis(this, m_access.baseUrl() + QStringLiteral("test.htm"));
    } else {
        showHint(QStringLiteral("用户名或密码错误，请重试"));
        // A rejected remembered hash is no use for the next attempt.
        m_remembered = false;
        m_passwordEdit->clear();
        m_passwordEdit->setFocus();
        ++m_failedAttempts;
    }
    if (m_failedAttempts > 2) {
        if (!m_captchaShown)
            showCaptchaRow();
        newCaptcha();
        m_passwordEdit->clear();
    }
}

void LoginWindow::saveLoginSettings()
{
    const bool remember = m_rememberBox->isChecked();
    m_preferences.setValue(QStringLiteral("str_user"), m_attemptUser);
    m_preferences.setValue(QStringLiteral("rem_pwd"), remember ? True : False);
    // A hash the user did not ask to keep does not stay anywhere.
    if (remember)
        m_credentials->remember(m_attemptUser, m_attemptHash);
    else
        m_credentials->forget(m_attemptUser);
    m_preferences.setValue(QStringLiteral("auto_login"), m_autoLoginBox->isChecked() ? True : False);
    m_preferences.save();
}

void LoginWindow::setInputEnabled(bool enabled)
{
    m_inputPanel->setEnabled(enabled);
    m_proxyButton->setEnabled(enabled);
    m_signInButton->setEnabled(enabled);
}

void LoginWindow::showCaptchaRow()
{
    m_captchaShown = true;
    m_inputPanel->setFixedHeight(m_inputPanel->height() + CaptchaRowGrowth);
    setFixedHeight(height() + CaptchaRowGrowth);
    m_captchaRow->show();
}

void LoginWindow::newCaptcha()
{
    const ArithmeticCaptcha captcha;
    m_captchaAnswer = captcha.answer();
    m_captchaPicture->setPixmap(captcha.picture());
    m_captchaEdit->clear();
}

void LoginWindow::slotInputChanged(const QString &text)
{
    if (text.trimmed().isEmpty()) {
        showHint(NeedLoginHint);
        m_passwordEdit->clear();
        m_remembered = false;
    } else if (m_hintLabel->text() == NeedLoginHint) {
        showHint(QString());
    }
}

void LoginWindow::showHint(const QString &text)
{
    m_hintLabel->setText(text);
}

void LoginWindow::slotReturnInput()
{
    if (!isLoggingIn() && checkInput(false))
        slotLogin();
}

void LoginWindow::slotRegClicked()
{
    m_events.countEvent(QStringLiteral("Login_Regester"));
    const RegistrationOutcome outcome = m_dialogs.runRegistration(this);
    // An error from before the registration no longer applies.
    showHint(m_userEdit->text().trimmed().isEmpty() ? NeedLoginHint : QString());
    if (!outcome.accepted)
        return;
    m_userEdit->setText(outcome.userName);
    startLogin(outcome.userName, outcome.passwordHash);
}

void LoginWindow::slotForgetPwdClicked()
{
    m_events.countEvent(QStringLiteral("Login_ForgetPwd"));
    m_prompts.openUrl(QUrl(forgetPasswordUrl(m_webHost, m_userEdit->text())));
}

void LoginWindow::slotUpdatePicClicked()
{
    newCaptcha();
}

void LoginWindow::slotNetwork()
{
    m_events.countEvent(QStringLiteral("Login_Proxy"));
    if (m_dialogs.runProxyDialog(this) > 0)
        m_events.countEvent(QStringLiteral("Proxy_Test"));
}

void LoginWindow::slotStartUpdate()
{
    m_dialogs.startUpdater(QStringLiteral("1"));
}

void LoginWindow::slotRememberPwdChanged(bool checked)
{
    if (checked)
        return;
    // Without a remembered password there is nothing to log in with automatically.
    m_autoLoginBox->setChecked(false);
    m_preferences.setValue(QStringLiteral("rem_pwd"), False);
    m_credentials->forget(m_preferences.value(QStringLiteral("str_user")));
    m_preferences.save();
}

void LoginWindow::slotAutoLoginChecked(bool checked)
{
    if (checked) {
        m_rememberBox->setChecked(true);
        return;
    }
    m_preferences.setValue(QStringLiteral("auto_login"), False);
    m_preferences.save();
}

void LoginWindow::slotUserSelectAll()
{
    m_userEdit->selectAll();
}

void LoginWindow::forgetRememberedPassword()
{
    if (!m_remembered)
        return;
    m_remembered = false;
    m_passwordEdit->clear();
}

void LoginWindow::slotWeiboClicked()
{
    signIn(0);
}

void LoginWindow::slotTencentClicked()
{
    signIn(1);
}

void LoginWindow::signIn(int provider)
{
    if (m_dialogs.runSignIn(this, provider))
        accept();
}

void LoginWindow::slotClose()
{
    reject();
}

void LoginWindow::reject()
{
    m_events.countEvent(QStringLiteral("Login_Close"));
    QDialog::reject();
}

bool LoginWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_userEdit)
            QTimer::singleShot(0, this, &LoginWindow::slotUserSelectAll); // after the click
        else if (watched == m_passwordEdit)
            forgetRememberedPassword();
    }
    return QDialog::eventFilter(watched, event);
}

void LoginWindow::keyPressEvent(QKeyEvent *event)
{
    // Return and Enter that no control took (a check box, the login button, the window
    // itself) log in as they do in the fields; never as a default button would.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        slotReturnInput();
        return;
    }
    QDialog::keyPressEvent(event);
}

void LoginWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_updatePending) {
        m_updatePending = false;
        QTimer::singleShot(0, this, &LoginWindow::slotStartUpdate);
    }
}

void LoginWindow::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (m_eventsUploaded)
        return;
    m_eventsUploaded = true;
    const QString type = m_preferences.value(QStringLiteral("proxy_type"));
    if (type == QLatin1String("1"))
        m_events.countEvent(QStringLiteral("Proxy_Type_Http"));
    else if (type == QLatin1String("2"))
        m_events.countEvent(QStringLiteral("Proxy_Type_Socks"));
    else if (type == QLatin1String("3"))
        m_events.countEvent(QStringLiteral("Proxy_Type_System"));
    m_events.uploadAnonymously();
}
