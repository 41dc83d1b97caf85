// Main window workflow against a holding check service: the test decides which results
// arrive and when the check ends.

#include "support/mainwindowfixture.h"

using namespace ZeltraLib;

class MainWindowTest : public QObject, public MainWindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { initCase(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }
    void cleanupTestCase() { cleanupCase(); }

    // ------------------------------------------------------------ the check pipeline

    void emptyTextStartsNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("openDocument");
        QTest::newRow("empty, box dismissed") << QString() << false;
        QTest::newRow("white space, 打开文档 pressed") << QStringLiteral("  \n\t \n") << true;
    }
    void emptyTextStartsNothing()
    {
        QFETCH(QString, text);
        QFETCH(bool, openDocument);
        if (openDocument)
            m_answers.insert(QStringLiteral("请输入文本"), QDialog::Accepted);
        editor()->setPlainText(text);
        m_window->slotCheck();
        QCOMPARE(boxTitles(), QStringList{QStringLiteral("请输入文本")});
        QCOMPARE(m_boxes.first().text, QStringLiteral("未能检测到有效的文本输入！"));
        QVERIFY(!m_window->isChecking());
        QVERIFY(!m_window->progressWindow());
        QCOMPARE(m_opened, openDocument ? 1 : 0);
        QCOMPARE(m_window->sentences().size(), 0);
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Check")), 1);
        QCOMPARE(m_server->requestCount(), 0);
    }

    // The count that decides whether a check may run does not wait for the pause of the
    // status line's count: the request goes out at once, whatever that pause.
    void checkCountsWithoutThePause_data()
    {
        QTest::addColumn<int>("pauseMs");
        QTest::newRow("status line without a pause") << 0;
        QTest::newRow("status line pausing for a minute") << 60000;
    }
    void checkCountsWithoutThePause()
    {
        QFETCH(int, pauseMs);
        m_wordCountDelayMs = pauseMs;
        makeWindow();
        editor()->setPlainText(m_text);
        QVERIFY(runCheck({}));
        QVERIFY(m_window->isCheckCompleted());
        QCOMPARE(m_window->sentences().size(), 3);
        QVERIFY(m_window->lastWordCount() > 0);
    }

    void wordLimitPerCheck_data()
    {
        QTest::addColumn<int>("extraWords");
        QTest::addColumn<bool>("refused");
        QTest::newRow("10000 words pass") << 0 << false;
        QTest::newRow("10001 words are refused") << 1 << true;
    }
    void wordLimitPerCheck()
    {
        QFETCH(int, extraWords);
        QFETCH(bool, refused);
        QString text = QStringLiteral("The cat sat on the mat and ate a fish. ").repeated(1000);
        text += QStringLiteral("Yes ").repeated(extraWords);
        editor()->setPlainText(text);
        QVERIFY(runCheck({}));
        QCOMPARE(m_window->lastWordCount(), 10000 + extraWords);
        QCOMPARE(m_window->form().wordCountLabel->text(), QStringLiteral("单词数：%1").arg(10000 + extraWords));
        if (refused) {
            QCOMPARE(boxTitles(), QStringList{QStringLiteral("提交词数过多")});
            QVERIFY(m_boxes.first().text.startsWith(QStringLiteral("Pennova每次最多检查10,000个单词")));
            QCOMPARE(m_window->sentences().size(), 0);
            QCOMPARE(checkRequest(0), -1);
            QCOMPARE(m_window->wordLimit().usedWords(), 0);
        } else {
            QVERIFY(m_window->isCheckCompleted());
            QCOMPARE(m_window->sentences().size(), 1000 + 0);
            QCOMPARE(m_window->wordLimit().usedWords(), 10000);
        }
    }

    void fourthCheckInAMinuteIsRefused()
    {
        const QString text = QStringLiteral("The cat sat on the mat and ate a fish. ").repeated(1000);
        for (int i = 0; i < 3; ++i) {
            editor()->setPlainText(text);
            QVERIFY(runCheck({}));
            QVERIFY2(m_window->isCheckCompleted(), qPrintable(QStringLiteral("check %1").arg(i + 1)));
        }
        QVERIFY(!boxTitles().contains(QStringLiteral("提交词数过多")));
        m_boxes.clear();
        m_now = 20500; // 20 whole seconds into the minute
        editor()->setPlainText(text);
        QVERIFY(runCheck({}));
        QVERIFY(!m_window->isCheckCompleted());
        QCOMPARE(boxTitles(), QStringList{QStringLiteral("提交词数过多")});
        QVERIFY(m_boxes.first().text.startsWith(QStringLiteral("Pennova每分钟最多检查30,000个单词")));
        QCOMPARE(m_boxes.first().countDown, QStringLiteral("41 s内还能检查0词"));

        // The minute timer resets the count: the same check passes again.
        m_window->slotResetWordCountLimit();
        editor()->setPlainText(text);
        QVERIFY(runCheck({}));
        QVERIFY(m_window->isCheckCompleted());
        QCOMPARE(m_window->wordLimit().usedWords(), 10000);
    }

    void resultsInsertedAsTheyArrive()
    {
        editor()->setPlainText(m_text);
        QSignalSpy arrived(m_server.get(), &ScriptedHttpServer::requestReceived);
        m_window->slotCheck();
        while (checkRequest(0) < 0)
            QVERIFY(arrived.wait(10000));
        QCOMPARE(m_window->sentences().size(), 3);
        emit m_window->checkThread()->signalUpdateState(stateFor({1, QStringLiteral("go"), "GRAMMAR", {"goes"}}));
        QVERIFY(m_window->progressWindow());
        QCOMPARE(m_window->progressWindow()->target(), 33);
        QCOMPARE(m_window->sentences().at(1)->findings().size(), 1);
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), 1);
        // Preview labels wait for the end of the check.
        QVERIFY(m_window->sentences().at(1)->findings().first()->label()->isHidden());
        QSignalSpy ended(m_window.get(), &MainWindow::signalCheckEnded);
        m_server->respond(checkRequest(0), checkEnd());
        QVERIFY(ended.wait(10000));
        CorrectionItem *go = finding(QStringLiteral("go"));
        QVERIFY(go);
        QVERIFY(go->label()->isVisible());
        QCOMPARE(m_window->focusedFinding(), go);
        QVERIFY(m_window->statisticsStrip()->isVisible());
    }

    void dictionaryFilter_data()
    {
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QByteArray>("errorType");
        QTest::addColumn<QList<QByteArray>>("candidates");
        QTest::addColumn<bool>("kept");
        QTest::newRow("listed spelling is dropped") << "Zelkova" << QByteArray("NONWORD") << QList<QByteArray>{"Zelda"} << false;
        QTest::newRow("spelling listed in other case is kept") << "zelkova" << QByteArray("NONWORD") << QList<QByteArray>{"Zelda"} << true;
        QTest::newRow("unlisted spelling is kept") << "Other" << QByteArray("NONWORD") << QList<QByteArray>{"Zelda"} << true;
        QTest::newRow("listed style, one candidate equal but for case, dropped") << "Zelkova" << QByteArray("STYLE") << QList<QByteArray>{"zelkova"} << false;
        QTest::newRow("listed style with two candidates is kept") << "Zelkova" << QByteArray("STYLE") << QList<QByteArray>{"zelkova", "tree"} << true;
        QTest::newRow("listed style with another candidate is kept") << "Zelkova" << QByteArray("STYLE") << QList<QByteArray>{"elm"} << true;
        QTest::newRow("listed grammar finding is kept") << "Zelkova" << QByteArray("GRAMMAR") << QList<QByteArray>{"Zelda"} << true;
    }
    void dictionaryFilter()
    {
        QFETCH(QString, listed);
        QFETCH(QByteArray, errorType);
        QFETCH(QList<QByteArray>, candidates);
        QFETCH(bool, kept);
        m_usage->setWordList({listed});
        editor()->setPlainText(QStringLiteral("我们 saw a Zelkova tree today."));
        QVERIFY(runCheck({{0, QStringLiteral("Zelkova"), errorType, candidates}}));
        QCOMPARE(m_window->findings().size(), kept ? 1 : 0);
        QCOMPARE(m_window->statistics().total(), kept ? 1 : 0);
        if (kept)
            QCOMPARE(m_window->findings().at(0)->currentText(), QStringLiteral("Zelkova"));
    }

    void finishCodes_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("withFinding");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("success with findings: no box") << QString() << QByteArray() << true << QString() << QString();
        QTest::newRow("success without findings") << QString() << QByteArray() << false
                                                  << "检查完成" << "您好，Pennova暂无纠错建议。";
        QTest::newRow("signed in elsewhere") << QString() << QByteArray("unauthorized") << false
                                             << "提示" << "您的账户已下线";
        QTest::newRow("reply ended before its summary") << QString()
            << ZeltraLib::encodeFrame("{\"sentInd\":0,\"corrections\":[]}\n") + "\r\n\n" << false
            << "错误" << "无法连接到服务器，请重试！";
        QTest::newRow("no service") << "127.0.0.1:1" << QByteArray() << false
                                    << "错误" << "无法连接到服务器，请重试！";
    }
    void finishCodes()
    {
        QFETCH(QString, host);
        QFETCH(QByteArray, body);
        QFETCH(bool, withFinding);
        QFETCH(QString, title);
        QFETCH(QString, text);
        if (!host.isEmpty())
            makeWindow(host);
        m_answers.insert(title, QDialog::Accepted);
        editor()->setPlainText(QStringLiteral("She go to school."));
        QList<Finding> findings;
        if (withFinding)
            findings.append({0, QStringLiteral("go"), "GRAMMAR", {"goes"}});
        QVERIFY(runCheck(findings, body));
        if (title.isEmpty()) {
            QVERIFY(m_boxes.isEmpty());
        } else {
            QCOMPARE(boxTitles(), QStringList{title});
            QCOMPARE(m_boxes.first().text, text);
        }
        QCOMPARE(m_relogins, title == QStringLiteral("提示") ? 1 : 0);
        QCOMPARE(m_diagnoses, title == QStringLiteral("错误") ? 1 : 0);
        QCOMPARE(m_window->isCheckCompleted(), body.isEmpty() && host.isEmpty());
    }

    void lateRecordsAfterCancelChangeNothing()
    {
        editor()->setPlainText(m_text);
        QSignalSpy ended(m_window.get(), &MainWindow::signalCheckEnded);
        QVERIFY(startCheck());
        emit m_window->checkThread()->signalUpdateState(stateFor({1, QStringLiteral("go"), "GRAMMAR", {"goes"}}));
        const CResultState late = stateFor({2, QStringLiteral("recieve"), "NONWORD", {"receive"}});
        m_window->progressWindow()->slotCancel();
        QTRY_COMPARE(ended.size(), 1);
        QCOMPARE(m_window->finishCode(), int(QNetworkReply::OperationCanceledError));
        QVERIFY(m_boxes.isEmpty());
        // What arrived before the cancel goes with it.
        QCOMPARE(m_window->findings().size(), 0);
        emit m_window->checkThread()->signalUpdateState(late);
        m_window->slotUpdateState(late);
        m_server->respond(checkRequest(0), checkEnd());
        QCOMPARE(m_window->findings().size(), 0);
        QCOMPARE(m_window->statistics().total(), 0);
        QCOMPARE(editor()->toPlainText(), m_text);
    }

    // A cancelled check leaves the text and its findings as they were before it: what it
    // found (before the cancel or after) never shows, and the strip shows the old counts.
    void cancelBringsBackWhatWasThere_data()
    {
        QTest::addColumn<bool>("checkedBefore");
        QTest::newRow("first check: no findings, no strip") << false;
        QTest::newRow("after a check: its open findings and its strip") << true;
    }
    void cancelBringsBackWhatWasThere()
    {
        QFETCH(bool, checkedBefore);
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        editor()->setPlainText(m_text);
        QStringList stripBefore;
        if (checkedBefore) {
            QVERIFY(checkStandardText());
            finding(QStringLiteral("tset"))->applyByIndex(0); // "test": no longer open
            for (int k = 0; k < CheckStatistics::KindCount; ++k)
                stripBefore << m_window->statisticsStrip()->countLabel(CheckStatistics::Kind(k))->text();
        }
        const QString text = editor()->toPlainText();
        QSignalSpy ended(m_window.get(), &MainWindow::signalCheckEnded);
        const int request = m_server->requestCount();
        QVERIFY(startCheck());
        emit m_window->checkThread()->signalUpdateState(stateFor({1, QStringLiteral("school"), "STYLE", {"college"}}));
        const CResultState late = stateFor({2, QStringLiteral("many"), "STYLE", {"lots of"}});
        m_window->progressWindow()->slotCancel();
        emit m_window->checkThread()->signalUpdateState(late);
        QTRY_COMPARE(ended.size(), 1);
        emit m_window->checkThread()->signalUpdateState(late);
        m_server->respond(checkRequest(request), checkEnd());

        QCOMPARE(editor()->toPlainText(), text);
        QVERIFY(!finding(QStringLiteral("school")));
        QVERIFY(!finding(QStringLiteral("many")));
        QVERIFY(m_window->findChildren<ReportWindow *>().isEmpty());
        QCOMPARE(m_window->statisticsStrip()->isVisible(), checkedBefore);
        if (!checkedBefore) {
            QCOMPARE(m_window->findings().size(), 0);
            QCOMPARE(m_window->statistics().total(), 0);
            return;
        }
        QCOMPARE(m_window->findings().size(), 6);
        QStringList stripAfter;
        for (int k = 0; k < CheckStatistics::KindCount; ++k)
            stripAfter << m_window->statisticsStrip()->countLabel(CheckStatistics::Kind(k))->text();
        QCOMPARE(stripAfter, stripBefore);
        QCOMPARE(m_window->statistics().count(CheckStatistics::Spelling), 3);
        // The findings are whole again: in place, shown, and they act as before.
        CorrectionItem *go = finding(QStringLiteral("go"));
        QVERIFY(go && go->isOpen());
        QCOMPARE(go->currentText(), QStringLiteral("go"));
        QVERIFY(go->label() && go->label()->isVisible());
        QVERIFY(m_window->form().correctAllButton->isEnabled());
        go->applyByIndex(0);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("She goes to school")));
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), 2);
    }

    // The strip counts the findings still open, whatever action changed them.
    void stripFollowsEveryAction_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("spelling");
        QTest::addColumn<int>("grammar");
        QTest::newRow("apply") << "apply" << 3 << 3;
        QTest::newRow("accept all") << "accept all" << 0 << 0;
        QTest::newRow("accept all, one undo") << "accept all, undo" << 1 << 0;
        QTest::newRow("ignore") << "ignore" << 4 << 2;
        QTest::newRow("apply, revert") << "revert" << 4 << 3;
        QTest::newRow("apply, undo") << "undo" << 4 << 3;
        QTest::newRow("apply, undo, redo") << "redo" << 3 << 3;
        QTest::newRow("apply, then typed over") << "typed over" << 3 << 3;
    }
    void stripFollowsEveryAction()
    {
        QFETCH(QString, action);
        QFETCH(int, spelling);
        QFETCH(int, grammar);
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        QVERIFY(checkStandardText());
        QCOMPARE(m_window->statistics().count(CheckStatistics::Spelling), 4);
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), 3);
        CorrectionItem *tset = finding(QStringLiteral("tset"));
        if (action.startsWith(QLatin1String("accept all"))) {
            m_answers.insert(QStringLiteral("全部改正确认"), QDialog::Accepted);
            m_window->slotCorrectAll();
            if (action.endsWith(QLatin1String("undo")))
                m_window->slotUndo();
        } else if (action == QLatin1String("ignore")) {
            finding(QStringLiteral("go"))->correct(MenuItemIgnore);
        } else {
            tset->applyByIndex(0);
            if (action == QLatin1String("revert"))
                tset->correct(MenuItemRevert);
            if (action == QLatin1String("undo") || action == QLatin1String("redo"))
                m_window->slotUndo();
            if (action == QLatin1String("redo"))
                m_window->slotRedo();
            if (action == QLatin1String("typed over")) {
                // The applied word is gone with the typing: nothing more to take off.
                QTextCursor tc = editor()->textCursor();
                tc.setPosition(tset->start() + 1);
                editor()->setTextCursor(tc);
                QTest::keyClick(editor(), Qt::Key_X);
                QVERIFY(!finding(QStringLiteral("tset")));
            }
        }
        QCOMPARE(m_window->statistics().count(CheckStatistics::Spelling), spelling);
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), grammar);
        StatisticsStrip *strip = m_window->statisticsStrip();
        QVERIFY(strip->isVisible());
        QVERIFY2(strip->countLabel(CheckStatistics::Spelling)->text().endsWith(QStringLiteral("：%1").arg(spelling)),
                 qPrintable(strip->countLabel(CheckStatistics::Spelling)->text()));
        QVERIFY2(strip->countLabel(CheckStatistics::Grammar)->text().endsWith(QStringLiteral("：%1").arg(grammar)),
                 qPrintable(strip->countLabel(CheckStatistics::Grammar)->text()));
    }

    void cancelAtTwentyPercent_data()
    {
        QTest::addColumn<bool>("serviceEndedFirst");
        QTest::newRow("service still sending") << false;
        QTest::newRow("service already ended, bar behind") << true;
    }
    void cancelAtTwentyPercent()
    {
        QFETCH(bool, serviceEndedFirst);
        m_prefs->setValue(QStringLiteral("show_report"), QStringLiteral("True"));
        // The bar moves only when the test ticks it.
        m_progressTimings = {3600000, 0};
        makeWindow();
        editor()->setPlainText(m_text);
        QSignalSpy ended(m_window.get(), &MainWindow::signalCheckEnded);
        QVERIFY(startCheck());
        const QList<Finding> all = standardFindings();
        const int shown = serviceEndedFirst ? int(all.size()) : 3;
        for (int i = 0; i < shown; ++i)
            emit m_window->checkThread()->signalUpdateState(stateFor(all.at(i)));
        if (serviceEndedFirst) {
            m_server->respond(checkRequest(0), checkEnd());
            QTRY_COMPARE(m_window->progressWindow()->target(), 100);
        }
        ProgressWindow *progress = m_window->progressWindow();
        for (int tick = 0; tick < 16; ++tick)
            progress->slotAnimate();
        QCOMPARE(progress->value(), 20);
        const CResultState late = stateFor(all.last());
        QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
        QTRY_COMPARE(ended.size(), 1);
        QVERIFY(!m_window->isChecking());
        QVERIFY(!m_window->isCheckCompleted());
        QVERIFY(!m_window->checkThread()->isRunning());
        // Records after the cancel change nothing.
        if (!serviceEndedFirst) {
            emit m_window->checkThread()->signalUpdateState(late);
            m_server->respond(checkRequest(0), checkEnd());
        }
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_OpenReport")), 0);
        QVERIFY(m_window->findChildren<ReportWindow *>().isEmpty());
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(!m_window->statisticsStrip()->isVisible());
        QCOMPARE(editor()->toPlainText(), m_text);
        QCOMPARE(m_window->findings().size(), 0);
    }

    void chinesePunctuationOffer_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QString>("expected");
        QTest::newRow("替换 converts") << true << QStringLiteral("Hello, world. Is it \"fine\"?");
        QTest::newRow("忽略 keeps") << false << QStringLiteral("Hello，world。Is it “fine”？");
    }
    void chinesePunctuationOffer()
    {
        QFETCH(bool, replace);
        QFETCH(QString, expected);
        if (replace)
            m_answers.insert(QStringLiteral("标点符号有误"), QDialog::Accepted);
        editor()->setPlainText(QStringLiteral("Hello，world。Is it “fine”？"));
        QVERIFY(runCheck({}));
        QCOMPARE(boxTitles().first(), QStringLiteral("标点符号有误"));
        QCOMPARE(editor()->toPlainText(), expected);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
