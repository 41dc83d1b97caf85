#include "registerwindow.h"
#include "support/accountfakes.h"
#include "support/scriptedhttpserver.h"

#include "passwordhash.h"
#include "userregister.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>

namespace {

const QByteArray RegisterPath = "/tessel/register";

struct Fixture
{
    Fixture() : window(server.host(), prompts, events) {}

    QLineEdit *edit(const char *name) { return window.findChild<QLineEdit *>(QString::fromLatin1(name)); }
    QLabel *label(const QString &name) { return window.findChild<QLabel *>(name); }
    QPushButton *button(const char *name) { return window.findChild<QPushButton *>(QString::fromLatin1(name)); }
    // "valid", "invalid" or "" (no mark) for a field.
    QString markOf(const char *field)
    {
        const QString name = QString::fromLatin1(field);
        const bool valid = !label(name + QStringLiteral("Valid"))->isHidden();
        const bool invalid = !label(name + QStringLiteral("Invalid"))->isHidden();
        return valid ? QStringLiteral("valid") : invalid ? QStringLiteral("invalid") : QString();
    }
    void leave(const char *field)
    {
        QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit(field), &event);
    }
    void fillForm(const QString &password = QStringLiteral("secret99"))
    {
        edit("userEdit")->setText(QStringLiteral("newuser1"));
        edit("passwordEdit")->setText(password);
        edit("emailEdit")->setText(QStringLiteral("a+b@mail.cn"));
        edit("captchaEdit")->setText(window.expectedCaptchaAnswer());
    }

    ScriptedHttpServer server;
    RecordingPrompts prompts;
    RecordingEvents events;
    RegisterWindow window;
};

} // namespace

// Registration window: field marks, submit, results, success page, share pages.
class TestRegisterWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void opening();
    void localFieldChecks_data();
    void localFieldChecks();
    void serverFieldChecks_data();
    void serverFieldChecks();
    void submitRefusedLocally_data();
    void submitRefusedLocally();
    void submitResults_data();
    void submitResults();
    void successPageAndDirectLogin();
    void shareUrls_data();
    void shareUrls();
};

void TestRegisterWindow::opening()
{
    Fixture f;
    QCOMPARE(f.window.windowTitle(), QStringLiteral("快速注册"));
    for (const char *field : {"userEdit", "passwordEdit", "emailEdit", "captchaEdit"})
        QCOMPARE(f.markOf(field), QString());
    QVERIFY(!f.window.isSuccessPageShown());
    const int answer = f.window.expectedCaptchaAnswer().toInt();
    QVERIFY(answer >= 0 && answer <= 18);
    QCOMPARE(f.button("submitButton")->text(), QStringLiteral("创建用户"));
}

void TestRegisterWindow::localFieldChecks_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mark");
    QTest::newRow("name too short") << QByteArray("userEdit") << "abc12" << "invalid";
    QTest::newRow("name too long") << QByteArray("userEdit") << "abcdefghij1234567" << "invalid";
    QTest::newRow("name with a blank") << QByteArray("userEdit") << "abc 1234" << "invalid";
    QTest::newRow("chinese name") << QByteArray("userEdit") << QString::fromUtf8("张三李四王五") << "invalid";
    QTest::newRow("empty name leaves no mark") << QByteArray("userEdit") << "" << "";
    QTest::newRow("password of 5") << QByteArray("passwordEdit") << "12345" << "invalid";
    QTest::newRow("password of 6") << QByteArray("passwordEdit") << "123456" << "valid";
    QTest::newRow("password of 5 between blanks") << QByteArray("passwordEdit") << " 12345 " << "invalid";
    QTest::newRow("chinese password of 6") << QByteArray("passwordEdit") << QString::fromUtf8("密码密码密码") << "valid";
    QTest::newRow("e-mail without at") << QByteArray("emailEdit") << "a.mail.cn" << "invalid";
    QTest::newRow("e-mail without dot") << QByteArray("emailEdit") << "a@mailcn" << "invalid";
    QTest::newRow("e-mail with chinese") << QByteArray("emailEdit") << QString::fromUtf8("张@mail.cn") << "invalid";
    QTest::newRow("oversized e-mail") << QByteArray("emailEdit")
                                      << QString(300, QLatin1Char('a')) + QStringLiteral("@b!") << "invalid";
    QTest::newRow("empty e-mail leaves no mark") << QByteArray("emailEdit") << "" << "";
    QTest::newRow("wrong answer") << QByteArray("captchaEdit") << "99" << "invalid";
}

void TestRegisterWindow::localFieldChecks()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    QFETCH(QString, mark);
    Fixture f;
    f.edit(field)->setText(text);
    f.leave(field);
    QCOMPARE(f.markOf(field), mark);
    // Refused locally: no check request reaches the service.
    QCOMPARE(f.server.count("/tessel/DoesUserNameExist") + f.server.count("/tessel/DoesEmailExist"), 0);
}

void TestRegisterWindow::serverFieldChecks_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("free name") << QByteArray("userEdit") << "newuser1" << QByteArray("False") << "valid"
                               << QByteArray("u=newuser1");
    QTest::newRow("taken name") << QByteArray("userEdit") << "newuser1" << QByteArray("True") << "invalid"
                                << QByteArray("u=newuser1");
    QTest::newRow("free e-mail with plus") << QByteArray("emailEdit") << "a+b@mail.cn" << QByteArray("False")
                                           << "valid" << QByteArray("e=a+b@mail.cn");
    QTest::newRow("taken e-mail") << QByteArray("emailEdit") << "x.y@mail.com.cn" << QByteArray("True")
                                  << "invalid" << QByteArray("e=x.y@mail.com.cn");
}

void TestRegisterWindow::serverFieldChecks()
{
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    QFETCH(QByteArray, reply);
    QFETCH(QString, mark);
    QFETCH(QByteArray, body);
    Fixture f;
    const QByteArray path = field == "userEdit" ? "/tessel/DoesUserNameExist" : "/tessel/DoesEmailExist";
    f.server.setReply(path, reply);
    f.edit(field)->setText(text);
    f.leave(field);
    QTRY_COMPARE(f.markOf(field), mark);
    QCOMPARE(f.server.bodies(path), QList<QByteArray>{body});
}

void TestRegisterWindow::submitRefusedLocally_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("email");
    QTest::addColumn<bool>("rightAnswer");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("error");
    const QString name = QStringLiteral("newuser1"), password = QStringLiteral("secret99"),
                  email = QStringLiteral("a@mail.cn");
    QTest::newRow("empty form names the user name") << "" << "" << "" << false << QByteArray("userEdit")
                                                    << "请填写用户名";
    QTest::newRow("malformed user name") << "ab c" << password << email << true << QByteArray("userEdit")
                                         << "用户名应为6~16位的字母或数字组合(不包括空格)";
    QTest::newRow("short password") << name << "12345" << email << true << QByteArray("passwordEdit")
                                    << "密码长度应不小于6个字符";
    QTest::newRow("password short without its blanks") << name << "  12345  " << email << true
                                                       << QByteArray("passwordEdit") << "密码长度应不小于6个字符";
    QTest::newRow("empty e-mail") << name << password << "" << true << QByteArray("emailEdit") << "请填写注册邮箱";
    QTest::newRow("malformed e-mail") << name << password << QString::fromUtf8("张@mail.cn") << true
                                      << QByteArray("emailEdit") << "注册邮箱格式不正确";
    QTest::newRow("wrong answer") << name << password << email << false << QByteArray("captchaEdit")
                                  << "验证码不正确，请重新输入";
    QTest::newRow("the first of several wrong fields") << name << "123" << "" << false
                                                       << QByteArray("passwordEdit") << "密码长度应不小于6个字符";
}

void TestRegisterWindow::submitRefusedLocally()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, email);
    QFETCH(bool, rightAnswer);
    QFETCH(QByteArray, field);
    QFETCH(QString, error);
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    f.window.activateWindow();
    f.edit("userEdit")->setText(name);
    f.edit("passwordEdit")->setText(password);
    f.edit("emailEdit")->setText(email);
    f.edit("captchaEdit")->setText(f.window.expectedCaptchaAnswer() + (rightAnswer ? QString() : QStringLiteral("0")));
    f.button("submitButton")->click();
    QCOMPARE(f.prompts.errors, QStringList{error});
    QCOMPARE(f.markOf(field), QStringLiteral("invalid"));
    QTRY_COMPARE(QApplication::focusWidget(), f.edit(field));
    QCOMPARE(f.events.counted, QStringList{QStringLiteral("Register_Regist")});
    QCOMPARE(f.server.count(RegisterPath), 0);
}

void TestRegisterWindow::submitResults_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");
    QTest::newRow("status digits") << QByteArray("030") << 200 << "注册内容或格式不正确，请重试";
    QTest::newRow("error word") << QByteArray("error") << 200 << "注册内容或格式不正确，请重试";
    QTest::newRow("network failure") << QByteArray() << 500 << "网络连接出现问题，请重试";
    QTest::newRow("success") << QByteArray("success") << 200 << "";
}

void TestRegisterWindow::submitResults()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(QString, error);
    Fixture f;
    f.server.setReply(RegisterPath, reply, status);
    // Blanks at either end are no part of the password (the login window trims them too).
    f.fillForm(QStringLiteral(" secret99 "));
    f.edit("passwordEdit")->setFocus();
    f.leave("passwordEdit");
    QCOMPARE(f.markOf("passwordEdit"), QStringLiteral("valid"));
    QSignalSpy finished(&f.window.client(), &ZeltraLib::UserRegister::RegisterFinished);
    f.button("submitButton")->click();
    QVERIFY(!f.button("submitButton")->isEnabled());
    QVERIFY(finished.wait());
    QCOMPARE(f.server.bodies(RegisterPath).value(0),
             "u=newuser1&e=a%2bb@mail.cn&p=" + ZeltraLib::passwordHash(QStringLiteral("secret99")).toLatin1());
    QCOMPARE(f.prompts.errors, error.isEmpty() ? QStringList() : QStringList{error});
    QCOMPARE(f.window.isSuccessPageShown(), error.isEmpty());
    // After any result the password is gone and its marks hidden.
    QVERIFY(f.edit("passwordEdit")->text().isEmpty());
    QCOMPARE(f.markOf("passwordEdit"), QString());
    QVERIFY(f.button("submitButton")->isEnabled());
    QCOMPARE(f.events.counted.contains(QStringLiteral("Register_Succ")), error.isEmpty());
}

void TestRegisterWindow::successPageAndDirectLogin()
{
    Fixture f;
    f.server.setReply(RegisterPath, "success");
    f.fillForm();
    QSignalSpy finished(&f.window.client(), &ZeltraLib::UserRegister::RegisterFinished);
    f.button("submitButton")->click();
    QVERIFY(finished.wait());
    QCOMPARE(f.window.windowTitle(), QStringLiteral("注册成功"));
    // No focus ring left over from the form around an empty place of the success page.
    const QLabel *ring = f.window.findChild<QLabel *>(QStringLiteral("lb_focus_frame"));
    QVERIFY(ring);
    QTRY_VERIFY(!ring->isVisible());
    QCOMPARE(f.label(QStringLiteral("successName"))->text(), QStringLiteral("newuser1"));
    QCOMPARE(f.window.userName(), QStringLiteral("newuser1"));
    QCOMPARE(f.window.passwordHash(), ZeltraLib::passwordHash(QStringLiteral("secret99")));
    f.button("share2")->click();
    QCOMPARE(f.prompts.opened.size(), 1);
    QCOMPARE(f.prompts.opened.first().host(), QStringLiteral("www.kaixin001.com"));
    f.button("directLoginButton")->click();
    QCOMPARE(f.window.result(), int(QDialog::Accepted));
    QCOMPARE(f.events.counted, (QStringList{QStringLiteral("Register_Regist"), QStringLiteral("Register_Succ"),
                                            QStringLiteral("Register_Login")}));
}

void TestRegisterWindow::shareUrls_data()
{
    QTest::addColumn<int>("site");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("textKey");
    QTest::addColumn<QString>("fixedKeys");
    QTest::addColumn<QString>("mention");
    QTest::newRow("sina weibo") << int(RegisterWindow::Sina) << "service.weibo.com" << "title" << "" << "@Pennova";
    QTest::newRow("tencent weibo") << int(RegisterWindow::Tencent) << "share.v.t.qq.com" << "title"
                                   << "c=share&a=index" << "@Pennova";
    QTest::newRow("kaixin") << int(RegisterWindow::Kaixin) << "www.kaixin001.com" << "content" << "style=11" << " ";
    QTest::newRow("renren") << int(RegisterWindow::Renren) << "widget.renren.com" << "title"
                            << "link=http://w:1/Download/" << " ";
}

void TestRegisterWindow::shareUrls()
{
    QFETCH(int, site);
    QFETCH(QString, host);
    QFETCH(QString, textKey);
    QFETCH(QString, fixedKeys);
    QFETCH(QString, mention);
    const QUrl url = RegisterWindow::shareUrl(RegisterWindow::ShareSite(site), QStringLiteral("w:1"));
    QVERIFY(url.isValid());
    QCOMPARE(url.host(), host);
    const QUrlQuery query(url);
    const QString expected = QStringLiteral(
        "我正在使用Pennova，它一键揪出英文文章中的拼写语法问题，更有写作模板和润色等诸多功能，也来试试吧？")
        + mention + QStringLiteral(" http://w:1/Download/");
    QCOMPARE(query.queryItemValue(textKey, QUrl::FullyDecoded), expected);
    for (const QString &pair : fixedKeys.split(QLatin1Char('&'), Qt::SkipEmptyParts))
        QCOMPARE(query.queryItemValue(pair.section(QLatin1Char('='), 0, 0), QUrl::FullyDecoded),
                 pair.section(QLatin1Char('='), 1));
}

QTEST_MAIN(TestRegisterWindow)
#include "tst_registerwindow.moc"
