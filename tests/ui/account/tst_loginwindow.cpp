#include "loginwindow.h"
#include "support/accountfakes.h"
#include "support/fakesecretstore.h"
#include "support/scriptedhttpserver.h"

#include "configstore.h"
#include "credentialstore.h"
#include "globalstores.h"
#include "passwordhash.h"
#include "useraccess.h"

#include <QBuffer>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

const QByteArray LoginPath = "/Login-new.ashx";

// A login window wired to a loopback account service and recording stand-ins.
struct Fixture
{
    Fixture()
        : store(dir.path(), PreferenceFileName)
        , access(server.host())
    {
        mergeDefaults(store, preferenceDefaults());
        access.setTimeOutMs(2000);
    }

    // A user whose password hash was remembered by an earlier login.
    void remember(const QString &hash)
    {
        store.setValue(QStringLiteral("str_user"), QStringLiteral("demo123"));
        store.setValue(QStringLiteral("rem_pwd"), QStringLiteral("True"));
        store.setValue(QStringLiteral("str_pwd"), hash);
    }

    std::unique_ptr<LoginWindow> open(bool autoLoginAllowed = false, CredentialStore *credentials = nullptr)
    {
        LoginWindow::Services services{store, access, dialogs, prompts, events, server.host(), credentials};
        return std::make_unique<LoginWindow>(autoLoginAllowed, services);
    }

    QTemporaryDir dir;
    ScriptedHttpServer server;
    ConfigStore store;
    ZeltraLib::UserAccess access;
    RecordingDialogs dialogs;
    RecordingPrompts prompts;
    RecordingEvents events;
};

template<typename T>
T *child(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    Q_ASSERT_X(found, "child", name);
    return found;
}

QLineEdit *userEdit(QWidget *w) { return child<QLineEdit>(w, "userEdit"); }
QLineEdit *passwordEdit(QWidget *w) { return child<QLineEdit>(w, "passwordEdit"); }
QPushButton *loginButton(QWidget *w) { return child<QPushButton>(w, "loginButton"); }
QString hint(QWidget *w) { return child<QLabel>(w, "hintLabel")->text(); }

void focusIn(QWidget *widget)
{
    QFocusEvent event(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(widget, &event);
}

QByteArray loginBody(const QString &user, const QString &hash)
{
    return ("userName=" + user + "&hashUserPassword=" + hash).toUtf8();
}

} // namespace

// The login window: checks, remembered password, failures and captcha, cancel, settings.
class TestLoginWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void inputChecks_data();
    void inputChecks();
    void successWritesSettings_data();
    void successWritesSettings();
    void rememberedHashIsSent();
    void rememberedHashInSecretStore();
    void returnLogsInFromAnyControl_data();
    void returnLogsInFromAnyControl();
    void tabWalksTheForm();
    void focusingPasswordForgetsRememberedHash();
    void thirdFailureShowsCaptcha();
    void cancelThenLateSuccessKeepsWindowOpen();
    void networkErrorOffersDiagnosis_data();
    void networkErrorOffersDiagnosis();
    void automaticLogin_data();
    void automaticLogin();
    void checkBoxesWriteAtOnce();
    void emptyUserNameClearsPassword();
    void registrationLogsIn();
    void blanksAroundPassword_data();
    void blanksAroundPassword();
    void otherActions();
    void hidingCountsProxyTypeAndUploads_data();
    void hidingCountsProxyTypeAndUploads();
    void updaterStartsAfterShow();
    void forgetPasswordUrl_data();
    void forgetPasswordUrl();
    void advertisementPicture_data();
    void advertisementPicture();
};

void TestLoginWindow::inputChecks_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("hint");
    QTest::newRow("5 characters after trimming") << "  abcde  " << "secret1" << "用户名长度应不小于6个字符";
    QTest::newRow("empty user name") << "" << "secret1" << "用户名长度应不小于6个字符";
    QTest::newRow("5 chinese characters") << QString::fromUtf8("张三李四王") << "secret1"
                                          << "用户名长度应不小于6个字符";
    QTest::newRow("short password") << "demo123" << "12345" << "密码长度应不小于6个字符";
    QTest::newRow("password short without its blanks") << "demo123" << "  12345  " << "密码长度应不小于6个字符";
    QTest::newRow("6 chinese characters pass") << QString::fromUtf8("张三李四王五") << "secret1" << "";
    QTest::newRow("6 characters pass") << "demo12" << "123456" << "";
}

void TestLoginWindow::inputChecks()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, hint);
    Fixture f;
    f.server.setReply(LoginPath, "UserNotExit||");
    auto w = f.open();
    userEdit(w.get())->setText(user);
    passwordEdit(w.get())->setText(password);
    QSignalSpy finished(&f.access, &ZeltraLib::UserAccess::LoginFinished);
    loginButton(w.get())->click();
    if (hint.isEmpty()) {
        QVERIFY(finished.wait());
        QCOMPARE(f.server.count(LoginPath), 1);
        QCOMPARE(f.server.bodies(LoginPath).value(0),
                 loginBody(user.trimmed(), ZeltraLib::passwordHash(password)));
        QCOMPARE(f.events.counted, QStringList{QStringLiteral("Login_Login")});
    } else {
        QCOMPARE(::hint(w.get()), hint);
        QVERIFY(!finished.wait(200));
        QCOMPARE(f.server.count(LoginPath), 0);
        QVERIFY(f.events.counted.isEmpty());
        QCOMPARE(loginButton(w.get())->text(), QStringLiteral("登录"));
    }
}

void TestLoginWindow::successWritesSettings_data()
{
    QTest::addColumn<bool>("remember");
    QTest::addColumn<bool>("autoLogin");
    QTest::newRow("remember and log in automatically") << true << true;
    QTest::newRow("remember only") << true << false;
    QTest::newRow("remember nothing") << false << false;
}

void TestLoginWindow::successWritesSettings()
{
    QFETCH(bool, remember);
    QFETCH(bool, autoLogin);
    Fixture f;
    // A hash left from earlier must not survive a login that does not remember.
    f.store.setValue(QStringLiteral("str_pwd"), QStringLiteral("OLDHASH"));
    f.server.setReply(LoginPath, "Success|KEY|Demo123;x");
    auto w = f.open();
    userEdit(w.get())->setText(QStringLiteral(" demo123 "));
    passwordEdit(w.get())->setText(QStringLiteral(" demo123456 "));
    child<QCheckBox>(w.get(), "rememberBox")->setChecked(remember);
    child<QCheckBox>(w.get(), "autoLoginBox")->setChecked(autoLogin);
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    loginButton(w.get())->click();
    QCOMPARE(loginButton(w.get())->text(), QStringLiteral("取消"));
    QVERIFY(accepted.wait());
    QCOMPARE(w->result(), int(QDialog::Accepted));
    QCOMPARE(f.access.sessionKey(), QStringLiteral("KEY"));

    // What reached the disk, read back by a fresh store.
    ConfigStore reread(f.dir.path(), PreferenceFileName);
    const QString hash = ZeltraLib::passwordHash(QStringLiteral("demo123456"));
    QCOMPARE(reread.value(QStringLiteral("str_user")), QStringLiteral("demo123"));
    QCOMPARE(reread.value(QStringLiteral("rem_pwd")), remember ? "True" : "False");
    QCOMPARE(reread.value(QStringLiteral("str_pwd")), remember ? hash : QString());
    QCOMPARE(reread.value(QStringLiteral("auto_login")), autoLogin ? "True" : "False");
    // The file holding the hash is readable by its owner only.
    const QFileInfo file(reread.filePath());
    QCOMPARE(file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther
                                   | QFileDevice::WriteGroup | QFileDevice::WriteOther),
             QFileDevice::Permissions());
}

void TestLoginWindow::rememberedHashIsSent()
{
    Fixture f;
    f.remember(QStringLiteral("BED3482F502C7BBFB6F9FA54F36E77D7"));
    f.server.setReply(LoginPath, "Success|KEY|");
    auto w = f.open();
    QCOMPARE(userEdit(w.get())->text(), QStringLiteral("demo123"));
    QCOMPARE(passwordEdit(w.get())->text(), QStringLiteral("******"));
    QVERIFY(child<QCheckBox>(w.get(), "rememberBox")->isChecked());
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    loginButton(w.get())->click();
    QVERIFY(accepted.wait());
    QCOMPARE(f.server.bodies(LoginPath).value(0),
             loginBody(QStringLiteral("demo123"), QStringLiteral("BED3482F502C7BBFB6F9FA54F36E77D7")));
}

// With a secret store, "记住密码" puts the hash there and none in preference.ini; the
// next start logs in automatically with it.
void TestLoginWindow::rememberedHashInSecretStore()
{
    Fixture f;
    FakeSecretStore secrets;
    CredentialStore credentials(f.store, &secrets);
    f.server.setReply(LoginPath, "Success|KEY|");
    const QString hash = ZeltraLib::passwordHash(QStringLiteral("demo123456"));
    {
        auto w = f.open(false, &credentials);
        userEdit(w.get())->setText(QStringLiteral("demo123"));
        passwordEdit(w.get())->setText(QStringLiteral("demo123456"));
        child<QCheckBox>(w.get(), "autoLoginBox")->setChecked(true);
        QSignalSpy accepted(w.get(), &QDialog::accepted);
        loginButton(w.get())->click();
        QVERIFY(accepted.wait());
    }
    ConfigStore reread(f.dir.path(), PreferenceFileName);
    QCOMPARE(reread.value(QStringLiteral("rem_pwd")), QStringLiteral("True"));
    QCOMPARE(reread.value(QStringLiteral("str_pwd")), QString());
    QFile file(reread.filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains(hash.toLatin1()));
    QCOMPARE(secrets.secrets.values(), QStringList{hash});

    auto w = f.open(true, &credentials);
    QCOMPARE(passwordEdit(w.get())->text(), QStringLiteral("******"));
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    QVERIFY(accepted.wait());
    QCOMPARE(f.server.bodies(LoginPath).value(1), loginBody(QStringLiteral("demo123"), hash));

    // Unticking "记住密码" drops it from the store too.
    child<QCheckBox>(w.get(), "rememberBox")->setChecked(false);
    QVERIFY(secrets.secrets.isEmpty());
}

void TestLoginWindow::returnLogsInFromAnyControl_data()
{
    QTest::addColumn<QString>("control"); // clicked before the key; empty: the window
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("valid");      // the fields pass their checks
    QTest::newRow("记住密码 clicked, Return") << "rememberBox" << int(Qt::Key_Return) << true;
    QTest::newRow("自动登录 clicked, Enter") << "autoLoginBox" << int(Qt::Key_Enter) << true;
    QTest::newRow("password field, Return") << "passwordEdit" << int(Qt::Key_Return) << true;
    QTest::newRow("the window, Return") << "" << int(Qt::Key_Return) << true;
    QTest::newRow("记住密码 clicked, short password: nothing") << "rememberBox" << int(Qt::Key_Return) << false;
}

void TestLoginWindow::returnLogsInFromAnyControl()
{
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(bool, valid);
    Fixture f;
    f.server.setReply(LoginPath, "Success|KEY|");
    auto w = f.open();
    userEdit(w.get())->setText(QStringLiteral("demo123"));
    passwordEdit(w.get())->setText(valid ? QStringLiteral("demo123456") : QStringLiteral("12345"));
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QWidget *target = w.get();
    if (!control.isEmpty()) {
        target = w->findChild<QWidget *>(control);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
        QTRY_COMPARE(QApplication::focusWidget(), target);
    }
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    QTest::keyClick(target, Qt::Key(key));
    if (valid) {
        QVERIFY(accepted.wait());
        QCOMPARE(f.server.bodies(LoginPath).value(0),
                 loginBody(QStringLiteral("demo123"), ZeltraLib::passwordHash(QStringLiteral("demo123456"))));
    } else {
        QVERIFY(!accepted.wait(200));
        QCOMPARE(f.server.count(LoginPath), 0);
    }
}

// Tab from the user name reaches the password, then the boxes and the button: the links
// beside the fields come last.
void TestLoginWindow::tabWalksTheForm()
{
    Fixture f;
    auto w = f.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    userEdit(w.get())->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), userEdit(w.get()));
    QStringList walked;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked, (QStringList{"passwordEdit", "rememberBox", "autoLoginBox", "loginButton"}));
}

void TestLoginWindow::focusingPasswordForgetsRememberedHash()
{
    Fixture f;
    f.remember(QStringLiteral("STOREDHASH"));
    f.server.setReply(LoginPath, "UserNotExit||");
    auto w = f.open();
    focusIn(passwordEdit(w.get()));
    QVERIFY(passwordEdit(w.get())->text().isEmpty());
    passwordEdit(w.get())->setText(QStringLiteral("typed99"));
    QSignalSpy finished(&f.access, &ZeltraLib::UserAccess::LoginFinished);
    loginButton(w.get())->click();
    QVERIFY(finished.wait());
    QCOMPARE(f.server.bodies(LoginPath).value(0),
             loginBody(QStringLiteral("demo123"), ZeltraLib::passwordHash(QStringLiteral("typed99"))));
    // A second focus does not wipe what the user typed.
    passwordEdit(w.get())->setText(QStringLiteral("again99"));
    focusIn(passwordEdit(w.get()));
    QCOMPARE(passwordEdit(w.get())->text(), QStringLiteral("again99"));
}

void TestLoginWindow::thirdFailureShowsCaptcha()
{
    Fixture f;
    f.server.setReply(LoginPath, "UserNotExit||");
    auto w = f.open();
    w->show();
    QWidget *panel = child<QWidget>(w.get(), "inputPanel");
    QWidget *row = child<QWidget>(w.get(), "captchaRow");
    const int windowHeight = w->height();
    const int panelHeight = panel->height();
    userEdit(w.get())->setText(QStringLiteral("demo123"));
    QSignalSpy finished(&f.access, &ZeltraLib::UserAccess::LoginFinished);
    auto attempt = [&] {
        passwordEdit(w.get())->setText(QStringLiteral("wrong-password"));
        loginButton(w.get())->click();
        return finished.wait();
    };
    for (int i = 1; i <= 2; ++i) {
        QVERIFY(attempt());
        QCOMPARE(w->failedAttempts(), i);
        QVERIFY(!w->isCaptchaShown());
        QCOMPARE(hint(w.get()), QStringLiteral("用户名或密码错误，请重试"));
        QVERIFY(passwordEdit(w.get())->text().isEmpty());
    }
    QCOMPARE(w->height(), windowHeight);
    QVERIFY(attempt());
    QCOMPARE(w->failedAttempts(), 3);
    QVERIFY(w->isCaptchaShown());
    QVERIFY(row->isVisible());
    QCOMPARE(w->height(), windowHeight + 30);
    QCOMPARE(panel->height(), panelHeight + 30);
    const QString answer = w->expectedCaptchaAnswer();
    QVERIFY(answer.toInt() >= 0 && answer.toInt() <= 18);

    // From now on the answer is required.
    const int requests = f.server.count(LoginPath);
    passwordEdit(w.get())->setText(QStringLiteral("wrong-password"));
    child<QLineEdit>(w.get(), "captchaEdit")->setText(QString::number(answer.toInt() + 1));
    loginButton(w.get())->click();
    QCOMPARE(hint(w.get()), QStringLiteral("验证码不正确，请重新输入"));
    QCOMPARE(f.server.count(LoginPath), requests);
    child<QLineEdit>(w.get(), "captchaEdit")->setText(answer);
    loginButton(w.get())->click();
    QVERIFY(finished.wait());
    QCOMPARE(f.server.count(LoginPath), requests + 1);
    // The fourth failure neither grows the window again nor resets the counter.
    QCOMPARE(w->failedAttempts(), 4);
    QCOMPARE(w->height(), windowHeight + 30);
}

void TestLoginWindow::cancelThenLateSuccessKeepsWindowOpen()
{
    Fixture f;
    f.server.setHeld(LoginPath, true);
    auto w = f.open();
    w->show();
    userEdit(w.get())->setText(QStringLiteral("demo123"));
    passwordEdit(w.get())->setText(QStringLiteral("demo123456"));
    QSignalSpy received(&f.server, &ScriptedHttpServer::requestReceived);
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    loginButton(w.get())->click();
    QVERIFY(w->isLoggingIn());
    QVERIFY(!child<QWidget>(w.get(), "inputPanel")->isEnabled());
    QVERIFY(!child<QWidget>(w.get(), "proxyLink")->isEnabled());
    QVERIFY(received.wait());
    loginButton(w.get())->click(); // "取消"
    QCOMPARE(loginButton(w.get())->text(), QStringLiteral("登录"));
    QVERIFY(child<QWidget>(w.get(), "inputPanel")->isEnabled());
    QVERIFY(!child<QWidget>(w.get(), "progressBar")->isVisible());
    f.server.answerHeld(LoginPath, "Success|LATE|demo123");
    QVERIFY(!accepted.wait(400));
    QVERIFY(w->isVisible());
    QVERIFY(f.access.sessionKey().isEmpty());
    QCOMPARE(w->failedAttempts(), 0);

    // A new attempt after the cancel still works and closes the window.
    f.server.setHeld(LoginPath, false);
    f.server.setReply(LoginPath, "Success|NEW|");
    loginButton(w.get())->click();
    QVERIFY(accepted.wait());
    QCOMPARE(f.access.sessionKey(), QStringLiteral("NEW"));
}

void TestLoginWindow::networkErrorOffersDiagnosis_data()
{
    QTest::addColumn<bool>("choose");
    QTest::newRow("user opens the diagnosis") << true;
    QTest::newRow("user just confirms") << false;
}

void TestLoginWindow::networkErrorOffersDiagnosis()
{
    QFETCH(bool, choose);
    Fixture f;
    f.server.setReply(LoginPath, "Success|KEY|", 502);
    f.prompts.chooseDiagnosis = choose;
    auto w = f.open();
    userEdit(w.get())->setText(QStringLiteral("demo123"));
    passwordEdit(w.get())->setText(QStringLiteral("demo123456"));
    QSignalSpy finished(&f.access, &ZeltraLib::UserAccess::LoginFinished);
    loginButton(w.get())->click();
    QVERIFY(finished.wait());
    QCOMPARE(f.prompts.diagnosisQuestions, 1);
    QCOMPARE(f.dialogs.diagnoses,
             choose ? QStringList{QStringLiteral("http://%1/test.htm").arg(f.server.host())}
                    : QStringList());
    // Not the user's fault: no wrong-password hint, no failed attempt, password kept.
    QCOMPARE(w->failedAttempts(), 0);
    QVERIFY(hint(w.get()).isEmpty());
    QCOMPARE(passwordEdit(w.get())->text(), QStringLiteral("demo123456"));
    QVERIFY(!w->isLoggingIn());
}

void TestLoginWindow::automaticLogin_data()
{
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<QString>("autoLogin");
    QTest::addColumn<bool>("expectRequest");
    QTest::newRow("start-up with automatic login") << true << "True" << true;
    QTest::newRow("after a logout") << false << "True" << false;
    QTest::newRow("automatic login off") << true << "False" << false;
}

void TestLoginWindow::automaticLogin()
{
    QFETCH(bool, allowed);
    QFETCH(QString, autoLogin);
    QFETCH(bool, expectRequest);
    Fixture f;
    f.remember(QStringLiteral("STOREDHASH"));
    f.store.setValue(QStringLiteral("auto_login"), autoLogin);
    f.server.setReply(LoginPath, "Success|KEY|");
    auto w = f.open(allowed);
    QCOMPARE(child<QCheckBox>(w.get(), "autoLoginBox")->isChecked(), autoLogin == "True");
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    QCOMPARE(accepted.wait(expectRequest ? 5000 : 300), expectRequest);
    QCOMPARE(f.server.count(LoginPath), expectRequest ? 1 : 0);
    if (expectRequest)
        QCOMPARE(f.server.bodies(LoginPath).value(0),
                 loginBody(QStringLiteral("demo123"), QStringLiteral("STOREDHASH")));
}

void TestLoginWindow::checkBoxesWriteAtOnce()
{
    Fixture f;
    f.store.setValue(QStringLiteral("rem_pwd"), QStringLiteral("True"));
    f.store.setValue(QStringLiteral("str_pwd"), QStringLiteral("STOREDHASH"));
    f.store.setValue(QStringLiteral("auto_login"), QStringLiteral("True"));
    auto w = f.open();
    auto *remember = child<QCheckBox>(w.get(), "rememberBox");
    auto *autoLogin = child<QCheckBox>(w.get(), "autoLoginBox");
    // Opening the window writes nothing.
    QVERIFY(!QFileInfo::exists(f.store.filePath()));

    autoLogin->setChecked(false);
    QCOMPARE(ConfigStore(f.dir.path(), PreferenceFileName).value(QStringLiteral("auto_login")),
             QStringLiteral("False"));
    autoLogin->setChecked(true);
    QVERIFY(remember->isChecked());
    remember->setChecked(false);
    QVERIFY(!autoLogin->isChecked());
    ConfigStore reread(f.dir.path(), PreferenceFileName);
    QCOMPARE(reread.value(QStringLiteral("rem_pwd")), QStringLiteral("False"));
    QCOMPARE(reread.value(QStringLiteral("auto_login")), QStringLiteral("False"));
    QCOMPARE(reread.value(QStringLiteral("str_pwd")), QString());

    // Checking "自动登录" checks "记住密码" too.
    autoLogin->setChecked(true);
    QVERIFY(remember->isChecked());
}

void TestLoginWindow::emptyUserNameClearsPassword()
{
    Fixture f;
    auto w = f.open();
    userEdit(w.get())->setText(QStringLiteral("demo123"));
    QVERIFY(hint(w.get()).isEmpty());
    passwordEdit(w.get())->setText(QStringLiteral("secret99"));
    userEdit(w.get())->setText(QStringLiteral("   "));
    QVERIFY(passwordEdit(w.get())->text().isEmpty());
    QCOMPARE(hint(w.get()), QStringLiteral("您需要登录后才能体验Pennova"));
}

void TestLoginWindow::registrationLogsIn()
{
    Fixture f;
    f.server.setReply(LoginPath, "Success|KEY|");
    f.dialogs.registration = {true, QStringLiteral("newuser1"), QStringLiteral("REGHASH")};
    auto w = f.open();
    QSignalSpy accepted(w.get(), &QDialog::accepted);
    child<QPushButton>(w.get(), "registerLink")->click();
    QCOMPARE(f.dialogs.registrations, 1);
    QVERIFY(accepted.wait());
    QCOMPARE(f.server.bodies(LoginPath).value(0),
             loginBody(QStringLiteral("newuser1"), QStringLiteral("REGHASH")));
    QCOMPARE(f.events.counted.mid(0, 2),
             (QStringList{QStringLiteral("Login_Regester"), QStringLiteral("Login_Login")}));

    // "返回登录": no login at all, and the error from before is gone.
    Fixture g;
    auto v = g.open();
    userEdit(v.get())->setText(QStringLiteral("demo123"));
    loginButton(v.get())->click();
    QCOMPARE(hint(v.get()), QStringLiteral("密码长度应不小于6个字符"));
    child<QPushButton>(v.get(), "registerLink")->click();
    QCOMPARE(g.dialogs.registrations, 1);
    QCOMPARE(hint(v.get()), QString());
    QVERIFY(!v->isLoggingIn());
    QCOMPARE(g.server.count(LoginPath), 0);
}

void TestLoginWindow::blanksAroundPassword_data()
{
    QTest::addColumn<QByteArray>("firstReply");
    QTest::addColumn<int>("requests");
    QTest::addColumn<bool>("loggedIn");
    QTest::addColumn<QString>("rememberedTyped");
    QTest::newRow("account of the trimmed password") << QByteArray("Success|KEY|demo123") << 1 << true
                                                     << "secret99";
    QTest::newRow("older account of the password with blanks")
        << QByteArray("UserNotExit||") << 2 << true << " secret99 ";
    QTest::newRow("no account either way") << QByteArray("UserNotExit||") << 2 << false << "";
}

void TestLoginWindow::blanksAroundPassword()
{
    QFETCH(QByteArray, firstReply);
    QFETCH(int, requests);
    QFETCH(bool, loggedIn);
    QFETCH(QString, rememberedTyped);
    Fixture f;
    f.server.setHeld(LoginPath, true);
    auto w = f.open();
    userEdit(w.get())->setText(QStringLiteral("demo123"));
    passwordEdit(w.get())->setText(QStringLiteral(" secret99 "));
    child<QCheckBox>(w.get(), "rememberBox")->setChecked(true);
    QSignalSpy finished(&f.access, &ZeltraLib::UserAccess::LoginFinished);
    loginButton(w.get())->click();
    QTRY_COMPARE(f.server.count(LoginPath), 1);
    f.server.answerHeld(LoginPath, firstReply);
    if (requests == 2) {
        QTRY_COMPARE(f.server.count(LoginPath), 2);
        // Still one attempt to the user: the button still cancels.
        QCOMPARE(loginButton(w.get())->text(), QStringLiteral("取消"));
        f.server.answerHeld(LoginPath, loggedIn ? QByteArray("Success|KEY|demo123") : firstReply);
    }
    QTRY_COMPARE(finished.size(), requests);
    QCOMPARE(f.server.bodies(LoginPath),
             (QList<QByteArray>{loginBody(QStringLiteral("demo123"), ZeltraLib::passwordHash(QStringLiteral("secret99"))),
                                loginBody(QStringLiteral("demo123"), ZeltraLib::passwordHash(QStringLiteral(" secret99 ")))})
                 .mid(0, requests));
    QCOMPARE(w->result(), int(loggedIn ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(w->failedAttempts(), loggedIn ? 0 : 1);
    QCOMPARE(f.events.counted.count(QStringLiteral("Login_Login")), 1);
    // The hash that worked is the one remembered.
    QCOMPARE(f.store.value(QStringLiteral("str_pwd")),
             rememberedTyped.isEmpty() ? QString() : ZeltraLib::passwordHash(rememberedTyped));
}

void TestLoginWindow::otherActions()
{
    Fixture f;
    auto w = f.open();
    userEdit(w.get())->setText(QStringLiteral("demo123"));
    child<QPushButton>(w.get(), "forgetPwdLink")->click();
    QCOMPARE(f.prompts.opened.value(0).toString(),
             QStringLiteral("http://%1/ForgetPassword/fromtessel?u=demo123").arg(f.server.host()));

    f.dialogs.proxyTests = 0;
    child<QPushButton>(w.get(), "proxyLink")->click();
    f.dialogs.proxyTests = 2;
    child<QPushButton>(w.get(), "proxyLink")->click();
    QCOMPARE(f.dialogs.proxyDialogs, 2);
    QCOMPARE(f.events.counted,
             (QStringList{QStringLiteral("Login_ForgetPwd"), QStringLiteral("Login_Proxy"),
                          QStringLiteral("Login_Proxy"), QStringLiteral("Proxy_Test")}));

    // Sign-in: refused keeps the window, accepted closes it.
    auto *menu = child<QToolButton>(w.get(), "signInButton")->menu();
    QAction *weibo = menu->findChild<QAction *>(QStringLiteral("weiboAction"));
    QAction *tencent = menu->findChild<QAction *>(QStringLiteral("tencentAction"));
    QCOMPARE(weibo->text(), QStringLiteral("新浪"));
    QCOMPARE(tencent->text(), QStringLiteral("腾讯"));
    tencent->trigger();
    QCOMPARE(w->result(), int(QDialog::Rejected));
    f.dialogs.signInAccepted = true;
    weibo->trigger();
    QCOMPARE(f.dialogs.signIns, (QList<int>{1, 0}));
    QCOMPARE(w->result(), int(QDialog::Accepted));
}

void TestLoginWindow::hidingCountsProxyTypeAndUploads_data()
{
    QTest::addColumn<QString>("proxyType");
    QTest::addColumn<QString>("event");
    QTest::newRow("no proxy") << "0" << "";
    QTest::newRow("http") << "1" << "Proxy_Type_Http";
    QTest::newRow("socks") << "2" << "Proxy_Type_Socks";
    QTest::newRow("system") << "3" << "Proxy_Type_System";
    QTest::newRow("garbage") << "x" << "";
}

void TestLoginWindow::hidingCountsProxyTypeAndUploads()
{
    QFETCH(QString, proxyType);
    QFETCH(QString, event);
    Fixture f;
    f.store.setValue(QStringLiteral("proxy_type"), proxyType);
    auto w = f.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->reject();
    QCOMPARE(w->result(), int(QDialog::Rejected));
    QStringList expected{QStringLiteral("Login_Close")};
    if (!event.isEmpty())
        expected << event;
    QCOMPARE(f.events.counted, expected);
    QCOMPARE(f.events.uploads, 1);
    w->show();
    w->hide();
    QCOMPARE(f.events.uploads, 1);
}

void TestLoginWindow::updaterStartsAfterShow()
{
    Fixture f;
    auto w = f.open();
    w->setUpdatePending(true);
    QVERIFY(f.dialogs.updaterArguments.isEmpty());
    w->show();
    QTRY_COMPARE(f.dialogs.updaterArguments, QStringList{QStringLiteral("1")});
    w->hide();
    w->show();
    QTest::qWait(0);
    QCOMPARE(f.dialogs.updaterArguments.size(), 1);
}

void TestLoginWindow::forgetPasswordUrl_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("url");
    QTest::newRow("trimmed name") << "  demo123 " << "http://w:1/ForgetPassword/fromtessel?u=demo123";
    QTest::newRow("chinese name encoded") << QString::fromUtf8("张三abc")
                                          << "http://w:1/ForgetPassword/fromtessel?u=%E5%BC%A0%E4%B8%89abc";
    QTest::newRow("ampersand cannot add a query item")
        << "a&b=c#d" << "http://w:1/ForgetPassword/fromtessel?u=a%26b%3Dc%23d";
    QTest::newRow("empty name") << "" << "http://w:1/ForgetPassword/fromtessel?u=";
}

void TestLoginWindow::forgetPasswordUrl()
{
    QFETCH(QString, user);
    QFETCH(QString, url);
    QCOMPARE(LoginWindow::forgetPasswordUrl(QStringLiteral("w:1"), user), url);
}

void TestLoginWindow::advertisementPicture_data()
{
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("status");
    QTest::newRow("picture replaces the built-in one") << true << 200;
    QTest::newRow("garbage keeps the built-in one") << false << 200;
    QTest::newRow("missing keeps the built-in one") << true << 404;
}

void TestLoginWindow::advertisementPicture()
{
    QFETCH(bool, valid);
    QFETCH(int, status);
    Fixture f;
    QByteArray png;
    if (valid) {
        // Larger than the label, so that it fills it (a smaller one is centred, never enlarged).
        QImage image(1200, 1200, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
    } else {
        png = QByteArray("\x89PNG garbage", 12);
    }
    f.server.setReply("/images/login_pic.png", png, status);
    QSignalSpy received(&f.server, &ScriptedHttpServer::requestReceived);
    auto w = f.open();
    QVERIFY(received.wait());
    auto *picture = child<QLabel>(w.get(), "adPicture");
    const bool replaced = valid && status == 200;
    auto centre = [picture] {
        const QImage shown = picture->pixmap().toImage();
        return shown.pixelColor(shown.width() / 2, shown.height() / 2);
    };
    if (replaced)
        QTRY_COMPARE(centre(), QColor(Qt::magenta));
    else
        QVERIFY(!QTest::qWaitFor([&] { return centre() == QColor(Qt::magenta); }, 300));
    // A click opens the download page.
    QTest::mouseClick(picture, Qt::LeftButton);
    QCOMPARE(f.prompts.opened.value(0).toString(),
             QStringLiteral("http://%1/Download/").arg(f.server.host()));
}

QTEST_MAIN(TestLoginWindow)
#include "tst_loginwindow.moc"
