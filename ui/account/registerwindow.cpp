#include "registerwindow.h"

#include "accountprompts.h"
#include "dialogframe.h"
#include "focusanimation.h"
#include "advertisementlabel.h"
#include "arithmeticcaptcha.h"
#include "linkbutton.h"
#include "usageeventsink.h"

#include "passwordhash.h"
#include "resultcode.h"
#include "userregister.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int MinimumPassword = 6;
constexpr int WindowWidth = 560;
constexpr int AdHeight = 90;

const QString ShareText = QStringLiteral(
    "我正在使用Pennova，它一键揪出英文文章中的拼写语法问题，更有写作模板和润色等诸多功能，也来试试吧？%1 ");

QPixmap builtInPicture()
{
    QPixmap picture(WindowWidth, AdHeight);
    picture.fill(QColor(0x2D, 0x8C, 0xE0));
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("微软雅黑"), 16, QFont::Bold));
    painter.drawText(picture.rect().adjusted(24, 0, -24, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("注册Pennova，让英文写作更轻松"));
    return picture;
}

QPushButton *plainButton(const QString &text, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QByteArray encoded(const QString &text)
{
    return QUrl::toPercentEncoding(text);
}

bool validUserName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^[a-z0-9A-Z]{6,16}$"));
    return pattern.match(name).hasMatch();
}

bool validEmail(const QString &email)
{
    static const QRegularExpression pattern(QStringLiteral("^\\w+([-+.]\\w+)*@\\w+([-.]\\w+)*\\.\\w+([-.]\\w+)*$"));
    return pattern.match(email).hasMatch();
}

// Blanks at either end are not part of a password: the login window trims them as well.
QString typedPassword(const QLineEdit *edit)
{
    return edit->text().trimmed();
}

} // namespace

RegisterWindow::RegisterWindow(const QString &webHost, AccountPrompts &prompts,
                               UsageEventSink &events, QWidget *parent)
    : QDialog(parent)
    , m_webHost(webHost)
    , m_prompts(prompts)
    , m_events(events)
{
    setObjectName(QStringLiteral("RegisterWindow"));
    setWindowTitle(QStringLiteral("快速注册"));
    setStyleSheet(QStringLiteral(
        "#RegisterWindow { background: #F4F7FA; }"
        "QWidget { font-family: \"微软雅黑\"; font-size: 13px; }"
        "QLineEdit { border: 1px solid #B8C4D0; border-radius: 3px; padding: 3px; background: white; }"
        "QLineEdit:focus { border-color: #2D8CE0; }"
        "QLabel[class=\"hint\"] { color: #7A8793; font-size: 12px; }"
        "QLabel[class=\"valid\"] { color: #2F9E44; font-weight: bold; }"
        "QLabel[class=\"invalid\"] { color: #E03131; font-weight: bold; }"
        "#submitButton, #directLoginButton { background: #2D8CE0; color: white; border: none; "
        "border-radius: 3px; min-width: 110px; min-height: 30px; font-size: 14px; }"
        "#submitButton:disabled { background: #9AA5B1; }"));

    m_client = new ZeltraLib::UserRegister(m_webHost, this);
    connect(m_client, &ZeltraLib::UserRegister::ExistUserNameFinished, this, &RegisterWindow::slotCheckUserFin);
    connect(m_client, &ZeltraLib::UserRegister::ExistUserEmailFinished, this, &RegisterWindow::slotCheckMailFin);
    connect(m_client, &ZeltraLib::UserRegister::RegisterFinished, this, &RegisterWindow::slotRegisterFin);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    m_adPicture = new AdvertisementLabel(builtInPicture(), this);
    connect(m_adPicture, &AdvertisementLabel::clicked, this, [this] {
        m_prompts.openUrl(QUrl(QStringLiteral("http://") + m_webHost + QStringLiteral("/")));
    });
    layout->addWidget(m_adPicture);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(buildForm());
    m_pages->addWidget(buildSuccessPage());
    layout->addWidget(m_pages);
    setFixedSize(WindowWidth, 360);
    new DialogFrame(this, windowTitle());
    new FocusAnimation(this);

    newCaptcha();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_user.edit->setFocus();

    m_adPicture->download(QStringLiteral("http://") + m_webHost + QStringLiteral("/images/register_com.png"));
}

RegisterWindow::~RegisterWindow() = default;

RegisterWindow::Field RegisterWindow::addField(QWidget *form, int row, const QString &label,
                                               const QString &hint, const QString &name)
{
    auto *grid = static_cast<QGridLayout *>(form->layout());
    Field field;
    grid->addWidget(new QLabel(label, form), row, 0, Qt::AlignRight);
    field.edit = new QLineEdit(form);
    field.edit->setObjectName(name);
    field.edit->setFixedWidth(180);
    field.edit->installEventFilter(this);
    grid->addWidget(field.edit, row, 1);
    auto *marks = new QHBoxLayout;
    field.valid = new QLabel(QStringLiteral("√"), form);
    field.valid->setObjectName(name + QStringLiteral("Valid"));
    field.valid->setProperty("class", QStringLiteral("valid"));
    field.invalid = new QLabel(QStringLiteral("×"), form);
    field.invalid->setObjectName(name + QStringLiteral("Invalid"));
    field.invalid->setProperty("class", QStringLiteral("invalid"));
    marks->addWidget(field.valid);
    marks->addWidget(field.invalid);
    grid->addLayout(marks, row, 2);
    auto *hintLabel = new QLabel(hint, form);
    hintLabel->setProperty("class", QStringLiteral("hint"));
    grid->addWidget(hintLabel, row, 3);
    hideMarks(field);
    return field;
}

QWidget *RegisterWindow::buildForm()
{
    auto *form = new QWidget(this);
    auto *grid = new QGridLayout(form);
    grid->setContentsMargins(24, 12, 24, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->setColumnMinimumWidth(2, 16);
    m_user = addField(form, 0, QStringLiteral("用户名："),
                      QStringLiteral("6~16位的字母或数字组合(不包括空格)"), QStringLiteral("userEdit"));
    m_password = addField(form, 1, QStringLiteral("设置密码："),
                          QStringLiteral("密码由6~16字母、数字或特殊字符组成"), QStringLiteral("passwordEdit"));
    m_password.edit->setEchoMode(QLineEdit::Password);
    m_email = addField(form, 2, QStringLiteral("注册邮箱："),
                       QStringLiteral("请输入常用邮箱，方便日后找回密码"), QStringLiteral("emailEdit"));
    m_email.edit->setMaxLength(254);
    m_user.edit->setMaxLength(64);
    m_captcha = addField(form, 3, QStringLiteral("验证码："), QStringLiteral("请输入图中计算结果"),
                         QStringLiteral("captchaEdit"));
    m_captcha.edit->setFixedWidth(60);

    // The picture stands beside the answer field, the refresh link under it.
    grid->removeWidget(m_captcha.edit);
    auto *answerRow = new QHBoxLayout;
    answerRow->setSpacing(6);
    answerRow->addWidget(m_captcha.edit);
    m_captchaPicture = new QLabel(form);
    m_captchaPicture->setObjectName(QStringLiteral("captchaPicture"));
    m_captchaPicture->setFixedSize(ArithmeticCaptcha::Width, ArithmeticCaptcha::Height);
    answerRow->addWidget(m_captchaPicture);
    answerRow->addStretch();
    grid->addLayout(answerRow, 3, 1);
    auto *pictureRow = new QHBoxLayout;
    pictureRow->addSpacing(66);
    pictureRow->addWidget(new QLabel(QStringLiteral("看不清？"), form));
    auto *refresh = new LinkButton(QStringLiteral("换一张"), QStringLiteral("captchaRefresh"), form);
    pictureRow->addWidget(refresh);
    pictureRow->addStretch();
    grid->addLayout(pictureRow, 4, 1, 1, 3);

    auto *buttons = new QHBoxLayout;
    m_submit = plainButton(QStringLiteral("创建用户"), QStringLiteral("submitButton"), form);
    auto *back = new LinkButton(QStringLiteral("返回登录"), QStringLiteral("formBackButton"), form);
    buttons->addWidget(m_submit);
    buttons->addSpacing(16);
    buttons->addWidget(back);
    buttons->addStretch();
    grid->addLayout(buttons, 5, 1, 1, 3);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(3, 1);

    connect(m_submit, &QPushButton::clicked, this, &RegisterWindow::slotSubmitClicked);
    connect(refresh, &QPushButton::clicked, this, &RegisterWindow::slotUpdatePicClicked);
    connect(back, &QPushButton::clicked, this, &RegisterWindow::reject);
    return form;
}

QWidget *RegisterWindow::buildSuccessPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(40, 16, 40, 0);
    auto *done = new QLabel(QStringLiteral("注册成功! 您在Pennova的注册用户名为"), page);
    done->setStyleSheet(QStringLiteral("font-size: 15px;"));
    layout->addWidget(done);
    m_successName = new QLabel(page);
    m_successName->setObjectName(QStringLiteral("successName"));
    m_successName->setStyleSheet(QStringLiteral("font-size: 18px; font-weight: bold; color: #1F6FC5;"));
    m_successName->setTextFormat(Qt::PlainText);
    layout->addWidget(m_successName);
    layout->addWidget(new QLabel(QStringLiteral("分享给朋友们吧！让大家体验Pennova的便捷。"), page));

    auto *share = new QHBoxLayout;
    const QList<QPair<QString, void (RegisterWindow::*)()>> sites = {
        {QStringLiteral("新浪微博"), &RegisterWindow::slotSinaClicked},
        {QStringLiteral("腾讯微博"), &RegisterWindow::slotTencentClicked},
        {QStringLiteral("开心网"), &RegisterWindow::slotKaixinClicked},
        {QStringLiteral("人人网"), &RegisterWindow::slotRenrenClicked}};
    int index = 0;
    for (const auto &site : sites) {
        QPushButton *button = plainButton(site.first, QStringLiteral("share%1").arg(index++), page);
        connect(button, &QPushButton::clicked, this, site.second);
        share->addWidget(button);
    }
    share->addStretch();
    layout->addLayout(share);

    auto *buttons = new QHBoxLayout;
    QPushButton *login = plainButton(QStringLiteral("直接登录"), QStringLiteral("directLoginButton"), page);
    QPushButton *back = plainButton(QStringLiteral("返回登录"), QStringLiteral("backButton"), page);
    buttons->addWidget(login);
    buttons->addWidget(back);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    connect(login, &QPushButton::clicked, this, &RegisterWindow::slotLoginClicked);
    connect(back, &QPushButton::clicked, this, &RegisterWindow::reject);
    return page;
}

bool RegisterWindow::isSuccessPageShown() const
{
    return m_pages->currentIndex() == 1;
}

void RegisterWindow::mark(const Field &field, bool valid)
{
    field.valid->setVisible(valid);
    field.invalid->setVisible(!valid);
}

void RegisterWindow::hideMarks(const Field &field)
{
    field.valid->hide();
    field.invalid->hide();
}

void RegisterWindow::newCaptcha()
{
    const ArithmeticCaptcha captcha;
    m_captchaAnswer = captcha.answer();
    m_captchaPicture->setPixmap(captcha.picture());
}

bool RegisterWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut)
        fieldLeft(watched);
    return QDialog::eventFilter(watched, event);
}

void RegisterWindow::fieldLeft(QObject *field)
{
    if (field == m_user.edit) {
        const QString name = m_user.edit->text();
        if (name.isEmpty())
            return;
        if (!validUserName(name))
            mark(m_user, false);
        else
            m_client->existUserName(name);
    } else if (field == m_password.edit) {
        if (!m_password.edit->text().isEmpty())
            mark(m_password, typedPassword(m_password.edit).size() >= MinimumPassword);
    } else if (field == m_email.edit) {
        const QString email = m_email.edit->text();
        if (email.isEmpty())
            return;
        if (!validEmail(email))
            mark(m_email, false);
        else
            m_client->existUserEmail(email);
    } else if (field == m_captcha.edit) {
        if (!m_captcha.edit->text().isEmpty())
            mark(m_captcha, m_captcha.edit->text() == m_captchaAnswer);
    }
}

void RegisterWindow::slotCheckUserFin(bool exists)
{
    mark(m_user, !exists);
}

void RegisterWindow::slotCheckMailFin(bool exists)
{
    mark(m_email, !exists);
}

QString RegisterWindow::firstWrongField(const Field **wrong) const
{
    const QString name = m_user.edit->text();
    const QString email = m_email.edit->text();
    const auto fail = [wrong](const Field &field, const QString &text) {
        *wrong = &field;
        return text;
    };
    if (name.isEmpty())
        return fail(m_user, QStringLiteral("请填写用户名"));
    if (!validUserName(name))
        return fail(m_user, QStringLiteral("用户名应为6~16位的字母或数字组合(不包括空格)"));
    if (typedPassword(m_password.edit).size() < MinimumPassword)
        return fail(m_password, QStringLiteral("密码长度应不小于6个字符"));
    if (email.isEmpty())
        return fail(m_email, QStringLiteral("请填写注册邮箱"));
    if (!validEmail(email))
        return fail(m_email, QStringLiteral("注册邮箱格式不正确"));
    if (m_captcha.edit->text() != m_captchaAnswer)
        return fail(m_captcha, QStringLiteral("验证码不正确，请重新输入"));
    *wrong = nullptr;
    return QString();
}

void RegisterWindow::slotSubmitClicked()
{
    m_events.countEvent(QStringLiteral("Register_Regist"));
    const Field *wrong = nullptr;
    const QString problem = firstWrongField(&wrong);
    if (wrong) {
        m_prompts.showError(this, problem);
        mark(*wrong, false);
        wrong->edit->setFocus();
        return;
    }
    const QString password = typedPassword(m_password.edit);
    m_pendingName = m_user.edit->text();
    m_pendingHash = ZeltraLib::passwordHash(password);
    m_submit->setEnabled(false); // one registration at a time
    m_client->registerUser(m_pendingName, m_email.edit->text(), m_pendingHash);
}

void RegisterWindow::slotRegisterFin(int code)
{
    m_submit->setEnabled(true);
    if (code == ZeltraLib::ResultCode::Success) {
        m_events.countEvent(QStringLiteral("Register_Succ"));
        m_registeredName = m_pendingName;
        m_registeredHash = m_pendingHash;
        setWindowTitle(QStringLiteral("注册成功"));
        m_successName->setText(m_registeredName);
        m_pages->setCurrentIndex(1);
        // The form's fields are gone: the focus (and its ring) goes to the page's first step.
        if (auto *login = findChild<QPushButton *>(QStringLiteral("directLoginButton")))
            login->setFocus();
    } else if (code == ZeltraLib::ResultCode::NetworkError) {
        m_prompts.showError(this, QStringLiteral("网络连接出现问题，请重试"));
    } else {
        m_prompts.showError(this, QStringLiteral("注册内容或格式不正确，请重试"));
    }
    m_password.edit->clear();
    hideMarks(m_password);
    newCaptcha();
}

void RegisterWindow::slotLoginClicked()
{
    m_events.countEvent(QStringLiteral("Register_Login"));
    accept();
}

void RegisterWindow::slotUpdatePicClicked()
{
    newCaptcha();
}

QUrl RegisterWindow::shareUrl(ShareSite site, const QString &webHost)
{
    const QString download = QStringLiteral("http://") + webHost + QStringLiteral("/Download/");
    const bool mention = site == Sina || site == Tencent;
    const QString text = ShareText.arg(mention ? QStringLiteral("@Pennova") : QStringLiteral(" ")) + download;
    QByteArray address;
    switch (site) {
    case Sina:
        address = "http://service.weibo.com/share/share.php?title=" + encoded(text);
        break;
    case Tencent:
        address = "http://share.v.t.qq.com/index.php?c=share&a=index&title=" + encoded(text);
        break;
    case Kaixin:
        address = "http://www.kaixin001.com/rest/records.php?style=11&content=" + encoded(text);
        break;
    case Renren:
        address = "http://widget.renren.com/dialog/share?link=" + encoded(download) + "&title="
                  + encoded(text);
        break;
    }
    return QUrl::fromEncoded(address);
}

void RegisterWindow::slotSinaClicked()
{
    m_prompts.openUrl(shareUrl(Sina, m_webHost));
}

void RegisterWindow::slotTencentClicked()
{
    m_prompts.openUrl(shareUrl(Tencent, m_webHost));
}

void RegisterWindow::slotKaixinClicked()
{
    m_prompts.openUrl(shareUrl(Kaixin, m_webHost));
}

void RegisterWindow::slotRenrenClicked()
{
    m_prompts.openUrl(shareUrl(Renren, m_webHost));
}
