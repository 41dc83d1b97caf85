#include "support/scriptedhttpserver.h"

#include "configstore.h"
#include "diagnosiswindow.h"
#include "globalstores.h"
#include "networksetting.h"
#include "networkwindow.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A port nothing listens on: connections to it are refused.
QString refusingHost()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

// A stand-in for ping that answers (or loses the packet) at once.
QString pingScript(const QTemporaryDir &dir, bool answers)
{
    const QString path = dir.filePath(answers ? QStringLiteral("ping-ok") : QStringLiteral("ping-lost"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(answers ? "#!/bin/sh\necho '64 bytes from 127.0.0.1: icmp_seq=1 ttl=64 time=0.045 ms'\n"
                       : "#!/bin/sh\necho '1 packets transmitted, 0 received, 100% packet loss'\nexit 1\n");
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

void hover(QWidget *widget)
{
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(widget, &enter);
}

} // namespace

// The network diagnosis against loopback servers, and the proxy window's test and save.
class TestDiagnosisWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }
    void diagnosis_data();
    void diagnosis();
    void failedProxySavedOnlyWhenInsisted();
};

void TestDiagnosisWindow::diagnosis_data()
{
    QTest::addColumn<bool>("pingAnswers");
    QTest::addColumn<bool>("publicSilent");
    QTest::addColumn<bool>("serviceRefuses");
    QTest::addColumn<int>("lastPassed");
    QTest::addColumn<int>("publicRequests");
    QTest::newRow("everything answers") << true << false << false << 4 << 1;
    QTest::newRow("no route: name lookup fails, nothing else runs") << false << false << false << 0 << 0;
    QTest::newRow("public site silent fails within its limit") << true << true << false << 1 << 1;
    QTest::newRow("service refuses") << true << false << true << 3 << 1;
}

void TestDiagnosisWindow::diagnosis()
{
    QFETCH(bool, pingAnswers);
    QFETCH(bool, publicSilent);
    QFETCH(bool, serviceRefuses);
    QFETCH(int, lastPassed);
    QFETCH(int, publicRequests);
    QTemporaryDir dir;
    ScriptedHttpServer publicSite;
    ScriptedHttpServer service;
    publicSite.setHeld("/", publicSilent);
    DiagnosisWindow::Options options;
    options.pingProgram = pingScript(dir, pingAnswers);
    options.publicHost = QStringLiteral("127.0.0.1");
    options.publicUrl = QStringLiteral("http://%1/").arg(publicSite.host());
    options.checkHost = QStringLiteral("127.0.0.1");
    options.serviceUrl = QStringLiteral("http://%1/test.htm").arg(serviceRefuses ? refusingHost() : service.host());
    options.stepTimeoutMs = 300;
    options.animationMs = 1;
    DiagnosisWindow window(options);
    QSignalSpy finished(&window, &DiagnosisWindow::signalFinished);
    QVERIFY(finished.wait(5000));
    QVERIFY(window.isFinished());
    for (int step = 1; step <= DiagnosisWindow::StepCount; ++step) {
        const DiagnosisWindow::Mark expected = step <= lastPassed ? DiagnosisWindow::Passed
            : step == lastPassed + 1                              ? DiagnosisWindow::Failed
                                                                  : DiagnosisWindow::None;
        QCOMPARE(window.mark(step), expected);
    }
    QCOMPARE(publicSite.count("/"), publicRequests);
    QCOMPARE(service.count("/test.htm"), lastPassed == 4 ? 1 : 0);
    QCOMPARE(window.progressTarget(), 100);
    QCOMPARE(window.infoText(), QStringLiteral("诊断完毕"));
    QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("closeButton"))->text(), QStringLiteral("确定"));
    if (lastPassed < 4) {
        auto *hint = window.findChild<QLabel *>(QStringLiteral("hint%1").arg(lastPassed + 1));
        QVERIFY(!hint->isHidden());
        hover(hint);
        QVERIFY(window.bubbleVisible());
        QVERIFY(window.bubbleText().startsWith(lastPassed < 2 ? QStringLiteral("无法连接至互联网")
                                                              : QStringLiteral("暂时无法连接至Pennova服务器")));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(hint, &leave);
        QVERIFY(!window.bubbleVisible());
    }
    // A late answer after a time-out changes nothing.
    publicSite.release("/");
    QTest::qWait(0);
    QCOMPARE(finished.count(), 1);
}

void TestDiagnosisWindow::failedProxySavedOnlyWhenInsisted()
{
    QTemporaryDir dir;
    ConfigStore store(dir.path(), PreferenceFileName);
    mergeDefaults(store, preferenceDefaults());
    const QString dead = refusingHost();
    NetworkWindow window(store, QStringLiteral("http://127.0.0.1:1/test.htm"));
    QList<bool> notices;
    window.setResultNotice([&notices](QWidget *, bool ok) { notices << ok; });
    window.findChild<QComboBox *>(QStringLiteral("typeBox"))->setCurrentIndex(1);
    window.findChild<QLineEdit *>(QStringLiteral("hostEdit"))->setText(QStringLiteral("127.0.0.1"));
    window.findChild<QLineEdit *>(QStringLiteral("portEdit"))->setText(dead.section(QLatin1Char(':'), 1));
    QSignalSpy finished(window.page(), &NetworkSetting::signalCheckProxyFinished);
    window.findChild<QPushButton *>(QStringLiteral("testButton"))->click();
    QVERIFY(!window.page()->isEnabled());
    QVERIFY(finished.wait(5000));
    QCOMPARE(notices, QList<bool>{false});
    QCOMPARE(window.testsRun(), 1);
    QVERIFY(window.page()->isEnabled());
    QCOMPARE(store.value(QStringLiteral("proxy_host")), QString()); // a test writes nothing

    auto *submit = window.findChild<QPushButton *>(QStringLiteral("submitButton"));
    submit->click();
    QCOMPARE(window.result(), int(QDialog::Rejected));
    QVERIFY(!window.findChild<QLabel *>(QStringLiteral("warningLabel"))->isHidden());
    QCOMPARE(store.value(QStringLiteral("proxy_type")), QStringLiteral("0"));
    submit->click();
    QCOMPARE(window.result(), int(QDialog::Accepted));
    ConfigStore reread(dir.path(), PreferenceFileName);
    QCOMPARE(reread.value(QStringLiteral("proxy_type")), QStringLiteral("1"));
    QCOMPARE(reread.value(QStringLiteral("proxy_host")), QStringLiteral("127.0.0.1"));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther;
    QCOMPARE(QFile::permissions(store.filePath()) & others, QFileDevice::Permissions());
}

QTEST_MAIN(TestDiagnosisWindow)
#include "tst_diagnosiswindow.moc"
