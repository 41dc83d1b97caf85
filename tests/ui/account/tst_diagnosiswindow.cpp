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
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace {

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
    using M = DiagnosisWindow;
    QTest::addColumn<QList<bool>>("servicesUp");
    QTest::addColumn<bool>("pingAnswers");
    QTest::addColumn<bool>("publicSilent");
    QTest::addColumn<QList<int>>("marks");
    QTest::addColumn<QString>("summary");
    const QString ok = QStringLiteral("Pennova服务器连接正常。");
    const QString down = QStringLiteral("暂时无法连接至Pennova服务器");
    QTest::newRow("everything answers") << QList<bool>{true} << true << false
                                        << QList<int>{M::Passed, M::Passed, M::Passed} << ok;
    QTest::newRow("no internet, the local server answers: only a note")
        << QList<bool>{true} << false << true << QList<int>{M::Passed, M::Noted, M::Noted} << ok + "无法连接至互联网";
    QTest::newRow("public site silent fails within its limit")
        << QList<bool>{true} << true << true << QList<int>{M::Passed, M::Passed, M::Noted} << ok + "无法连接至互联网";
    QTest::newRow("service refuses, internet works")
        << QList<bool>{false} << true << false << QList<int>{M::Failed, M::Passed, M::Passed} << down;
    QTest::newRow("nothing answers: every step fails")
        << QList<bool>{false} << false << true << QList<int>{M::Failed, M::Failed, M::Failed} << down;
    QTest::newRow("each service host reported")
        << QList<bool>{true, false, true} << true << false
        << QList<int>{M::Passed, M::Failed, M::Passed, M::Passed, M::Passed} << down;
}

void TestDiagnosisWindow::diagnosis()
{
    QFETCH(QList<bool>, servicesUp);
    QFETCH(bool, pingAnswers);
    QFETCH(bool, publicSilent);
    QFETCH(QList<int>, marks);
    QFETCH(QString, summary);
    QTemporaryDir dir;
    ScriptedHttpServer publicSite;
    publicSite.setHeld("/", publicSilent);
    std::vector<std::unique_ptr<ScriptedHttpServer>> services;
    DiagnosisWindow::Options options;
    for (bool up : std::as_const(servicesUp)) {
        services.push_back(std::make_unique<ScriptedHttpServer>());
        options.serviceHosts << (up ? services.back()->host() : ScriptedHttpServer::refusingHost());
    }
    options.pingProgram = pingScript(dir, pingAnswers);
    options.publicHost = QStringLiteral("127.0.0.1");
    options.publicUrl = QStringLiteral("http://%1/").arg(publicSite.host());
    options.stepTimeoutMs = 300;
    options.animationMs = 1;
    DiagnosisWindow window(options);
    QSignalSpy finished(&window, &DiagnosisWindow::signalFinished);
    QVERIFY(finished.wait(5000));
    QVERIFY(window.isFinished());
    const int serviceSteps = int(servicesUp.size());
    QCOMPARE(window.stepCount(), serviceSteps + 2);
    QList<int> seen;
    for (int step = 1; step <= window.stepCount(); ++step)
        seen << window.mark(step);
    QCOMPARE(seen, marks);
    // Every service host is asked once, the public site once, whatever failed before.
    for (int i = 0; i < serviceSteps; ++i) {
        QCOMPARE(services.at(i)->count("/test.htm"), servicesUp.at(i) ? 1 : 0);
        QVERIFY(window.stepLabel(i + 1).contains(options.serviceHosts.at(i)));
    }
    QCOMPARE(publicSite.count("/"), 1);
    QCOMPARE(window.progressTarget(), 100);
    QCOMPARE(window.infoText(), QStringLiteral("诊断完毕"));
    QVERIFY2(window.summaryText().startsWith(summary), qPrintable(window.summaryText()));
    QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("closeButton"))->text(), QStringLiteral("确定"));
    for (int step = 1; step <= window.stepCount(); ++step) {
        auto *hint = window.findChild<QLabel *>(QStringLiteral("hint%1").arg(step));
        QCOMPARE(hint->isHidden(), window.mark(step) == DiagnosisWindow::Passed);
        if (hint->isHidden())
            continue;
        hover(hint);
        QVERIFY(window.bubbleVisible());
        const QString expected = step <= serviceSteps ? QStringLiteral("暂时无法连接至Pennova服务器")
            : window.mark(step) == DiagnosisWindow::Noted ? QStringLiteral("无法连接至互联网。\nPennova服务器连接正常")
                                                          : QStringLiteral("无法连接至互联网，\n您需要处于联网状态");
        QVERIFY2(window.bubbleText().startsWith(expected), qPrintable(window.bubbleText()));
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
    const QString dead = ScriptedHttpServer::refusingHost();
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
