#include "arithmeticcaptcha.h"
#include "movingbar.h"
#include "networkwindow.h"
#include "networksetting.h"
#include "signinreply.h"
#include "webengineenvironment.h"

#include "configstore.h"
#include "globalstores.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

// A preference store in `dir` with every default and an earlier HTTP proxy's host and domain.
std::unique_ptr<ConfigStore> proxyStore(const QTemporaryDir &dir, const QString &host,
                                        const QString &domain)
{
    auto store = std::make_unique<ConfigStore>(dir.path(), PreferenceFileName);
    mergeDefaults(*store, preferenceDefaults());
    store->setValue(QStringLiteral("proxy_host"), host);
    store->setValue(QStringLiteral("proxy_domain"), domain);
    return store;
}

} // namespace

// Small parts of the account windows: sign-in final page, captcha, proxy page, busy bar.
class TestAccountPieces : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void signInReply_data();
    void signInReply();
    void signInStartUrl();
    void captchaRule();
    void captchaPicture();
    void sandboxOnlyForRoot();
    void testProxy_data();
    void testProxy();
    void proxyTypeRules_data();
    void proxyTypeRules();
    void proxySave_data();
    void proxySave();
    void movingBarTurns();
};

void TestAccountPieces::signInReply_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("name");
    const int accepted = SignInReply::Accepted;
    const int rejected = SignInReply::Rejected;
    const int notFinal = SignInReply::NotFinal;
    QTest::newRow("sina success") << "http://h/loginedbysina.ashx" << "Success|KEY1|weibo_user;1;2"
                                  << accepted << "KEY1" << "weibo_user";
    QTest::newRow("qq success, path case ignored") << "http://h/LoginedByQQ.ASHX?x=1" << "Success|K|qq;"
                                                   << accepted << "K" << "qq";
    QTest::newRow("first part only needs to end in Success")
        << "http://h/loginedbyqq.ashx" << "<pre>Success|K|name;x" << accepted << "K" << "name";
    QTest::newRow("chinese user name") << "http://h/loginedbysina.ashx"
                                       << QString::fromUtf8("Success|K|张三;vip") << accepted << "K"
                                       << QString::fromUtf8("张三");
    QTest::newRow("name with trailing newline") << "http://h/loginedbysina.ashx" << "Success|K|name\n"
                                                << accepted << "K" << "name";
    QTest::newRow("failure word") << "http://h/loginedbysina.ashx" << "Failure|K|name;" << rejected << "" << "";
    QTest::newRow("success not at the end of part 0") << "http://h/loginedbysina.ashx" << "Successful|K|n"
                                                      << rejected << "" << "";
    QTest::newRow("truncated to two parts") << "http://h/loginedbyqq.ashx" << "Success|K" << rejected << ""
                                            << "";
    QTest::newRow("empty page") << "http://h/loginedbyqq.ashx" << "" << rejected << "" << "";
    QTest::newRow("garbage") << "http://h/loginedbyqq.ashx" << "\x01\x02|||" << rejected << "" << "";
    QTest::newRow("other page of the flow") << "http://h/LoginBySina.ashx?area=tessel" << "Success|K|n"
                                            << notFinal << "" << "";
    QTest::newRow("final name in the query only") << "http://h/x?p=/loginedbysina.ashx" << "Success|K|n"
                                                  << notFinal << "" << "";
    const QString huge(100000, QLatin1Char('k'));
    QTest::newRow("oversized key") << "http://h/loginedbysina.ashx" << QStringLiteral("Success|") + huge + "|n;"
                                   << accepted << huge << "n";
}

void TestAccountPieces::signInReply()
{
    QFETCH(QString, url);
    QFETCH(QString, text);
    QFETCH(int, outcome);
    QFETCH(QString, key);
    QFETCH(QString, name);
    const SignInReply reply = SignInReply::read(QUrl(url), text);
    QCOMPARE(int(reply.outcome), outcome);
    QCOMPARE(reply.sessionKey, key);
    QCOMPARE(reply.userName, name);
}

void TestAccountPieces::signInStartUrl()
{
    QCOMPARE(SignInReply::startUrl(QStringLiteral("a:1"), 0), QStringLiteral("http://a:1/LoginBySina.ashx?area=tessel"));
    QCOMPARE(SignInReply::startUrl(QStringLiteral("a:1"), 1), QStringLiteral("http://a:1/LoginByQQ.ashx?area=tessel"));
}

void TestAccountPieces::captchaRule()
{
    QSet<QString> answers;
    int subtractions = 0;
    for (quint32 seed = 0; seed < 2000; ++seed) {
        const ArithmeticCaptcha captcha(seed);
        const int a = captcha.firstOperand();
        const int b = captcha.secondOperand();
        QVERIFY(a >= 0 && a <= 9 && b >= 0 && b <= 9);
        const int expected = captcha.isAddition() ? a + b : a - b;
        QCOMPARE(captcha.answer(), QString::number(expected));
        QVERIFY2(expected >= 0, "the answer is never negative");
        if (a < b)
            QVERIFY(captcha.isAddition());
        subtractions += captcha.isAddition() ? 0 : 1;
        answers << captcha.answer();
    }
    // Both operators occur, and all answers 0..18 are reachable.
    QVERIFY(subtractions > 100);
    QCOMPARE(answers.size(), 19);
    // The same seed draws the same sum.
    QCOMPARE(ArithmeticCaptcha(77).answer(), ArithmeticCaptcha(77).answer());
    QCOMPARE(ArithmeticCaptcha(77).picture().toImage(), ArithmeticCaptcha(77).picture().toImage());
}

void TestAccountPieces::captchaPicture()
{
    const ArithmeticCaptcha captcha(5);
    const QImage image = captcha.picture().toImage();
    QCOMPARE(image.size(), QSize(90, 26));
    QCOMPARE(image.pixelColor(1, 1), QColor(205, 205, 205));
    // Something is drawn where the digits stand.
    bool drawn = false;
    for (int x = 8; x < 80 && !drawn; ++x)
        for (int y = 6; y < 22 && !drawn; ++y)
            drawn = image.pixelColor(x, y) != QColor(205, 205, 205);
    QVERIFY(drawn);
}

void TestAccountPieces::sandboxOnlyForRoot()
{
    QVERIFY(webEngineNeedsNoSandbox(0));
    QVERIFY(!webEngineNeedsNoSandbox(1000));
}

void TestAccountPieces::testProxy_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<int>("expectedType");
    QTest::addColumn<int>("expectedPort");
    QTest::addColumn<QString>("expectedUser");
    QTest::newRow("http with domain joins with a slash") << 1 << "8080" << "bob" << "CORP" << int(QNetworkProxy::HttpProxy)
                                                         << 8080 << "CORP/bob";
    QTest::newRow("socks5 without domain") << 2 << " 1080 " << "bob" << " " << int(QNetworkProxy::Socks5Proxy) << 1080
                                           << "bob";
    QTest::newRow("blank user is no user") << 1 << "" << "  " << "CORP" << int(QNetworkProxy::HttpProxy) << 0 << "";
    QTest::newRow("garbage port") << 1 << "80x" << "" << "" << int(QNetworkProxy::HttpProxy) << 0 << "";
}

void TestAccountPieces::testProxy()
{
    QFETCH(int, type);
    QFETCH(QString, port);
    QFETCH(QString, user);
    QFETCH(QString, domain);
    QFETCH(int, expectedType);
    QFETCH(int, expectedPort);
    QFETCH(QString, expectedUser);
    const QNetworkProxy proxy = NetworkSetting::testProxy(type, QStringLiteral("proxy.local"), port, user,
                                                       QStringLiteral("pw"), domain);
    QCOMPARE(int(proxy.type()), expectedType);
    QCOMPARE(proxy.hostName(), QStringLiteral("proxy.local"));
    QCOMPARE(int(proxy.port()), expectedPort);
    QCOMPARE(proxy.user(), expectedUser);
    QCOMPARE(proxy.password(), QStringLiteral("pw"));
}

void TestAccountPieces::proxyTypeRules_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("serverFields");
    QTest::addColumn<bool>("domain");
    QTest::addColumn<bool>("testEnabled");
    QTest::newRow("no proxy clears and disables") << 0 << false << false << false;
    QTest::newRow("http enables all") << 1 << true << true << true;
    QTest::newRow("socks5 clears the domain") << 2 << true << false << true;
    QTest::newRow("system settings") << 3 << false << false << false;
}

void TestAccountPieces::proxyTypeRules()
{
    QFETCH(int, type);
    QFETCH(bool, serverFields);
    QFETCH(bool, domain);
    QFETCH(bool, testEnabled);
    QTemporaryDir dir;
    const auto store = proxyStore(dir, QStringLiteral("proxy.local"), QStringLiteral("CORP"));
    NetworkWindow dialog(*store, QStringLiteral("http://127.0.0.1:1/test.htm"));
    dialog.findChild<QComboBox *>(QStringLiteral("typeBox"))->setCurrentIndex(type);
    auto *host = dialog.findChild<QLineEdit *>(QStringLiteral("hostEdit"));
    auto *domainEdit = dialog.findChild<QLineEdit *>(QStringLiteral("domainEdit"));
    QCOMPARE(host->isEnabled(), serverFields);
    QCOMPARE(host->text(), serverFields ? QStringLiteral("proxy.local") : QString());
    QCOMPARE(domainEdit->isEnabled(), domain);
    QCOMPARE(domainEdit->text(), domain ? QStringLiteral("CORP") : QString());
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("testButton"))->isEnabled(), testEnabled);
}

void TestAccountPieces::proxySave_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("domain");
    QTest::newRow("type 0 writes only the type") << 0 << "old.host" << "OLD";
    QTest::newRow("socks5 keeps the old domain") << 2 << "new.host" << "OLD";
    QTest::newRow("http writes the domain") << 1 << "new.host" << "NEW";
}

void TestAccountPieces::proxySave()
{
    QFETCH(int, type);
    QFETCH(QString, host);
    QFETCH(QString, domain);
    QTemporaryDir dir;
    const auto store = proxyStore(dir, QStringLiteral("old.host"), QStringLiteral("OLD"));
    NetworkWindow dialog(*store, QStringLiteral("http://127.0.0.1:1/test.htm"));
    dialog.findChild<QComboBox *>(QStringLiteral("typeBox"))->setCurrentIndex(type);
    if (type != 0) {
        dialog.findChild<QLineEdit *>(QStringLiteral("hostEdit"))->setText(QStringLiteral("new.host"));
        if (type == 1)
            dialog.findChild<QLineEdit *>(QStringLiteral("domainEdit"))->setText(QStringLiteral("NEW"));
    }
    dialog.findChild<QPushButton *>(QStringLiteral("submitButton"))->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    ConfigStore reread(dir.path(), PreferenceFileName);
    QCOMPARE(reread.value(QStringLiteral("proxy_type")), QString::number(type));
    QCOMPARE(reread.value(QStringLiteral("proxy_host")), host);
    QCOMPARE(reread.value(QStringLiteral("proxy_domain")), domain);
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
}

void TestAccountPieces::movingBarTurns()
{
    MovingBar bar;
    bar.resize(70, 6); // the block is 60 wide: 10 pixels of travel
    QList<int> path;
    for (int i = 0; i < 24; ++i) {
        bar.advance();
        path << bar.blockPosition();
    }
    const QList<int> expected{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4};
    QCOMPARE(path, expected);
    // The timer drives the same steps.
    bar.start();
    QVERIFY(bar.isRunning());
    QCOMPARE(bar.blockPosition(), 0);
    QTRY_VERIFY(bar.blockPosition() > 0);
    bar.stop();
    QVERIFY(!bar.isRunning());
}

QTEST_MAIN(TestAccountPieces)
#include "tst_accountpieces.moc"
