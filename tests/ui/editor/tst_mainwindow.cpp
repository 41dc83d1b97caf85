// Main window workflow against a holding check service: the test decides which results
// arrive and when the check ends.

#include "support/editorfixture.h"
#include "support/scriptedhttpserver.h"

#include "checktaskthread.h"
#include "clickablelabel.h"
#include "configstore.h"
#include "correctionitem.h"
#include "correctionpanel.h"
#include "custommessagebox.h"
#include "customtexteditor.h"
#include "frame.h"
#include "globalstores.h"
#include "leftsidebar.h"
#include "linewidget.h"
#include "mainwindow.h"
#include "polishmode.h"
#include "popuplabel.h"
#include "progresswindow.h"
#include "reportwindow.h"
#include "sentenceentry.h"
#include "statisticsstrip.h"
#include "useraccess.h"
#include "userinformation.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace ZeltraLib;

namespace {

// A result to send: `word` (its `occurrence`-th appearance) in sentence `sentence`.
struct Finding
{
    int sentence;
    QString word;
    QByteArray errorType;
    QList<QByteArray> candidates;
    QByteArray candidateType = "REPLACE";
    int occurrence = 0;
    QList<double> scores = {}; // of the candidates, in order; missing ones stay 0
};

struct Box
{
    QString title;
    QString text;
    QString countDown;
};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ConfigStore> m_prefs;
    std::unique_ptr<ConfigStore> m_tips;
    std::unique_ptr<UserAccess> m_access;
    std::unique_ptr<UserInformation> m_usage;
    std::unique_ptr<ScriptedHttpServer> m_server;
    std::unique_ptr<MainWindow> m_window;
    QList<Box> m_boxes;
    QHash<QString, int> m_answers; // box title -> result; Rejected when missing
    qint64 m_now = 0;
    // No waiting on the bar: every tick at once, no fade.
    ProgressWindow::Timings m_progressTimings{0, 0};
    int m_wordCountDelayMs = 0; // the status line's pause
    int m_opened = 0;
    int m_relogins = 0;
    int m_diagnoses = 0;

    void makeWindow(const QString &checkHost = QString())
    {
        m_window.reset();
        m_server = std::make_unique<ScriptedHttpServer>(ScriptedHttpServer::HoldAll);
        QVERIFY(m_server->listen());
        MainWindowServices services{*m_prefs, *m_tips, *m_access, *m_usage,
                                    checkHost.isEmpty() ? QStringLiteral("127.0.0.1:%1").arg(m_server->port())
                                                        : checkHost,
                                    QStringLiteral("127.0.0.1:1"), m_dir.filePath(QStringLiteral("no-voc.dat"))};
        services.wordCountDelayMs = m_wordCountDelayMs;
        services.pingIntervalMs = 0; // no ping process per window
        services.progressTimings = m_progressTimings;
        services.wordLimitClock = [this] { return m_now; };
        services.showDiagnosis = [this](QWidget *) { ++m_diagnoses; };
        services.relogin = [this](QWidget *) { ++m_relogins; return true; };
        services.chooseOpenFile = [this](QWidget *) { ++m_opened; return QString(); };
        m_window = std::make_unique<MainWindow>(services);
        m_window->show();
    }

    CustomTextEditor *editor() const { return m_window->editor(); }

    int checkRequest(int from) const
    {
        for (int i = from; i < m_server->requestCount(); ++i) {
            if (m_server->path(i).startsWith("/apps_compressed") || m_server->path(i).startsWith("/lexsub"))
                return i;
        }
        return -1;
    }

    CResultState stateFor(const Finding &f) const
    {
        SentenceEntry *entry = m_window->sentences().at(f.sentence);
        const QString text = entry->text();
        int at = -1;
        for (int n = 0; n <= f.occurrence; ++n)
            at = int(text.indexOf(f.word, at + 1));
        CResultState state;
        state.sentInd = f.sentence;
        state.corrections.append(makeRecord(f.errorType, at, at + int(f.word.size()), f.candidates, f.candidateType));
        for (int k = 0; k < f.scores.size() && k < state.corrections.last().candidates.size(); ++k)
            state.corrections.last().candidates[k].score = f.scores.at(k);
        return state;
    }

    // Checks the editor's text; the service sends `findings` and then ends with `body`.
    // A whole check reply ends with its summary record; one without it has failed.
    static QByteArray checkEnd()
    {
        return ZeltraLib::encodeFrame("{\"sentInd\":-1,\"lexicalScore\":0.5,\"syntaxScore\":0.5}\n") + "\r\n\n";
    }

    bool runCheck(const QList<Finding> &findings, const QByteArray &body = QByteArray())
    {
        QSignalSpy ended(m_window.get(), &MainWindow::signalCheckEnded);
        const int before = m_server->requestCount();
        m_window->slotCheck();
        // Either the request goes out or the check ends before it (refused, failed).
        if (!QTest::qWaitFor([&] { return !m_window->isChecking() || checkRequest(before) >= 0; }, 10000))
            return false;
        const int index = checkRequest(before);
        if (index >= 0) {
            for (const Finding &f : findings)
                emit m_window->checkThread()->signalUpdateState(stateFor(f));
            m_server->respond(index, body.isEmpty() ? checkEnd() : body);
        }
        return !ended.isEmpty() || ended.wait(10000);
    }

    // Starts a check of the editor's text and waits until its request is out.
    bool startCheck()
    {
        QSignalSpy arrived(m_server.get(), &ScriptedHttpServer::requestReceived);
        const int before = m_server->requestCount();
        m_window->slotCheck();
        while (checkRequest(before) < 0) {
            if (!arrived.wait(10000))
                return false;
        }
        return true;
    }

    CorrectionItem *finding(const QString &found, int occurrence = 0) const
    {
        for (CorrectionItem *item : m_window->findings().items()) {
            if (item->foundText() == found && occurrence-- == 0)
                return item;
        }
        return nullptr;
    }

    QStringList boxTitles() const
    {
        QStringList titles;
        for (const Box &b : m_boxes)
            titles << b.title;
        return titles;
    }

    // Three sentences, with findings of every kind.
    const QString m_text = QStringLiteral("Thsi is a tset of the the text. She go to school every day. "
                                          "We recieve many letter from freinds.");
    QList<Finding> standardFindings() const
    {
        return {{0, QStringLiteral("Thsi"), "NONWORD", {"This"}},
                {0, QStringLiteral("tset"), "NONWORD", {"test", "set"}},
                {0, QStringLiteral("the the"), "GRAMMAR", {"the"}},
                {1, QStringLiteral("go"), "GRAMMAR", {"goes", "went"}},
                {2, QStringLiteral("recieve"), "NONWORD", {"receive"}},
                {2, QStringLiteral("letter"), "MOPHOLOGY", {"letters"}},
                {2, QStringLiteral("freinds"), "NONWORD", {"friends"}}};
    }

    bool checkStandardText()
    {
        editor()->setPlainText(m_text);
        return runCheck(standardFindings());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        CustomMessageBox::setAutoAnswer([this](CustomMessageBox &box) {
            m_boxes.append({box.title(), box.text(), box.countDownText()});
            return m_answers.value(box.title(), int(QDialog::Rejected));
        });
    }

    void init()
    {
        // The window saves its settings; every test starts from the defaults.
        QFile::remove(m_dir.filePath(PreferenceFileName));
        m_prefs = makePreferences(m_dir);
        m_prefs->setValue(QStringLiteral("show_report"), QStringLiteral("False"));
        QFile::remove(m_dir.filePath(QStringLiteral("setting.ini")));
        m_tips = std::make_unique<ConfigStore>(m_dir.path(), QStringLiteral("setting.ini"));
        mergeDefaults(*m_tips, promptTipDefaults());
        m_access = std::make_unique<UserAccess>(QStringLiteral("127.0.0.1:1"));
        m_usage = std::make_unique<UserInformation>(QStringLiteral("127.0.0.1:1"));
        m_boxes.clear();
        m_answers.clear();
        m_now = 0;
        m_progressTimings = {0, 0};
        m_wordCountDelayMs = 0;
        m_opened = m_relogins = m_diagnoses = 0;
        setPolishMode(false);
        makeWindow();
    }

    void cleanup()
    {
        m_window.reset();
        m_server.reset();
        setPolishMode(false);
    }

    void cleanupTestCase() { CustomMessageBox::setAutoAnswer({}); }

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

    // ------------------------------------------------------------ focus and actions

    void navigationWalksTheListInOrder()
    {
        QVERIFY(checkStandardText());
        const QStringList order = {"Thsi", "tset", "the the", "go", "recieve", "letter", "freinds"};
        QCOMPARE(m_window->findings().size(), order.size());
        QCOMPARE(m_window->focusedFinding()->foundText(), order.first());
        QVERIFY(!m_window->form().prevButton->isEnabled());
        for (int i = 1; i < order.size(); ++i) {
            m_window->slotNextError();
            QCOMPARE(m_window->focusedFinding()->foundText(), order.at(i));
            QCOMPARE(m_window->panel()->shownFinding(), m_window->focusedFinding());
        }
        QVERIFY(!m_window->form().nextButton->isEnabled());
        QVERIFY(m_window->form().prevButton->isEnabled());
        m_window->slotPrevError();
        QCOMPARE(m_window->focusedFinding()->foundText(), order.at(order.size() - 2));
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Next")), order.size() - 1);
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Previous")), 1);
        // The caret leaving every finding clears the focus.
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(int(m_text.indexOf(QStringLiteral("school"))) + 2);
        editor()->setTextCursor(tc);
        QVERIFY(!m_window->focusedFinding());
    }

    void navigationWithoutFocusStartsAtTheCaret_data()
    {
        QTest::addColumn<int>("caret"); // outside every finding
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("reached"); // empty: nothing to go to
        QTest::addColumn<bool>("previousEnabled");
        QTest::addColumn<bool>("nextEnabled");
        const int inSchool = int(m_text.indexOf(QStringLiteral("school"))) + 2;
        const int atEnd = int(m_text.size());
        const int inIs = int(m_text.indexOf(QStringLiteral(" is "))) + 2;
        QTest::newRow("F4 goes to the first finding after the caret") << inSchool << true << "recieve" << true << true;
        QTest::newRow("F3 goes to the last finding before the caret") << inSchool << false << "go" << true << true;
        QTest::newRow("F4 after the last finding goes nowhere") << atEnd << true << "" << true << false;
        QTest::newRow("F3 after the last finding goes to it") << atEnd << false << "freinds" << true << false;
        QTest::newRow("F3 between the first two findings") << inIs << false << "Thsi" << true << true;
    }
    void navigationWithoutFocusStartsAtTheCaret()
    {
        QFETCH(int, caret);
        QFETCH(bool, forward);
        QFETCH(QString, reached);
        QFETCH(bool, previousEnabled);
        QFETCH(bool, nextEnabled);
        QVERIFY(checkStandardText());
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(caret);
        editor()->setTextCursor(tc);
        QVERIFY(!m_window->focusedFinding());
        QCOMPARE(m_window->form().prevButton->isEnabled(), previousEnabled);
        QCOMPARE(m_window->form().nextButton->isEnabled(), nextEnabled);
        if (forward)
            m_window->slotNextError();
        else
            m_window->slotPrevError();
        CorrectionItem *focused = m_window->focusedFinding();
        QCOMPARE(focused ? focused->foundText() : QString(), reached);
    }

    void wordCountFollowsTheText_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("words");
        QTest::newRow("typing") << "type" << 21;
        QTest::newRow("paste") << "paste" << 23;
        QTest::newRow("clear") << "clear" << 0;
        QTest::newRow("a correction") << "apply" << 19;
        QTest::newRow("undo of a correction") << "undo" << 20;
    }
    void wordCountFollowsTheText()
    {
        QFETCH(QString, action);
        QFETCH(int, words);
        QLabel *label = m_window->form().wordCountLabel;
        QVERIFY(checkStandardText());
        QTRY_COMPARE(label->text(), QStringLiteral("单词数：20"));
        QTextCursor end = editor()->textCursor();
        end.movePosition(QTextCursor::End);
        if (action == QLatin1String("type")) {
            editor()->setTextCursor(end);
            QTest::keyClicks(editor(), QStringLiteral(" More"));
        } else if (action == QLatin1String("paste")) {
            editor()->setTextCursor(end);
            m_window->slotOnPaste(QStringLiteral(" Three more words."));
        } else if (action == QLatin1String("clear")) {
            m_answers.insert(QStringLiteral("清除确认"), QDialog::Accepted);
            m_window->slotClear();
        } else {
            finding(QStringLiteral("the the"))->applyByIndex(0);
            if (action == QLatin1String("undo")) {
                QTRY_COMPARE(label->text(), QStringLiteral("单词数：19"));
                m_window->slotUndo();
            }
        }
        QTRY_COMPARE(label->text(), QStringLiteral("单词数：%1").arg(words));
    }

    void typingInsideAFindingRemovesIt()
    {
        QVERIFY(checkStandardText());
        CorrectionItem *go = finding(QStringLiteral("go"));
        QPointer<ClickableLabel> label = go->label();
        editor()->placeCaretAtFinding(go);
        QCOMPARE(m_window->focusedFinding(), go);
        QTest::keyClick(editor(), Qt::Key_X);
        QVERIFY(!finding(QStringLiteral("go")));
        QTRY_VERIFY(!label);
        QCOMPARE(m_window->findings().size(), 6);
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), 2);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("She xgo to")));
        // The others still cover their words.
        for (CorrectionItem *item : m_window->findings().items())
            QCOMPARE(item->currentText(), item->foundText());
        // Typing outside every finding keeps them all.
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(int(editor()->toPlainText().indexOf(QStringLiteral("school"))));
        editor()->setTextCursor(tc);
        QTest::keyClick(editor(), Qt::Key_A);
        QCOMPARE(m_window->findings().size(), 6);
        for (CorrectionItem *item : m_window->findings().items())
            QCOMPARE(item->currentText(), item->foundText());
    }

    void keys_data()
    {
        QTest::addColumn<QString>("useCtrl");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expectedText"); // of the "tset" finding's range
        QTest::addColumn<bool>("present");
        QTest::newRow("1 applies the first candidate") << "False" << int(Qt::Key_1) << 0 << "test" << true;
        QTest::newRow("2 applies the second candidate") << "False" << int(Qt::Key_2) << 0 << "set" << true;
        QTest::newRow("3 has no candidate, nothing happens") << "False" << int(Qt::Key_3) << 0 << "tset" << true;
        QTest::newRow("0 ignores") << "False" << int(Qt::Key_0) << 0 << "" << false;
        QTest::newRow("Ctrl+1 without use_ctrl is no action") << "False" << int(Qt::Key_1) << int(Qt::ControlModifier) << "tset" << true;
        QTest::newRow("Ctrl+1 with use_ctrl applies") << "True" << int(Qt::Key_1) << int(Qt::ControlModifier) << "test" << true;
        QTest::newRow("plain 1 with use_ctrl types and drops the finding") << "True" << int(Qt::Key_1) << 0 << "" << false;
    }
    void keys()
    {
        QFETCH(QString, useCtrl);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, expectedText);
        QFETCH(bool, present);
        m_prefs->setValue(QStringLiteral("use_ctrl"), useCtrl);
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        QVERIFY(checkStandardText());
        CorrectionItem *tset = finding(QStringLiteral("tset"));
        editor()->placeCaretAtFinding(tset);
        QCOMPARE(m_window->focusedFinding(), tset);
        QTest::keyClick(editor(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        CorrectionItem *after = finding(QStringLiteral("tset"));
        QCOMPARE(after != nullptr, present);
        if (present)
            QCOMPARE(after->currentText(), expectedText);
    }

    void f2RevertsAndUndoRedoFollow()
    {
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        QVERIFY(checkStandardText());
        CorrectionItem *tset = finding(QStringLiteral("tset"));
        editor()->placeCaretAtFinding(tset);
        QTest::keyClick(editor(), Qt::Key_2);
        QCOMPARE(tset->currentText(), QStringLiteral("set"));
        QTest::keyClick(editor(), Qt::Key_F2);
        QCOMPARE(tset->currentText(), QStringLiteral("tset"));
        QVERIFY(tset->isOpen());
        QCOMPARE(m_window->history().undoCount(), 2);
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(tset->currentText(), QStringLiteral("set"));
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(tset->currentText(), QStringLiteral("tset"));
        QVERIFY(!m_window->form().undoButton->isEnabled());
        QTest::keyClick(editor(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(tset->currentText(), QStringLiteral("set"));
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Undo")), 2);
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Redo")), 1);
        // A new action clears what could be redone.
        QVERIFY(m_window->form().redoButton->isEnabled());
        tset->applyByIndex(0);
        QVERIFY(!m_window->form().redoButton->isEnabled());
    }

    // Text that reaches a finding by any path discards it; no later action, undo or redo
    // writes over what was put there.
    void editsInsideAFindingSurviveLaterActions_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("input method commit") << "input method";
        QTest::newRow("paste") << "paste";
        QTest::newRow("program insert") << "insert";
    }
    void editsInsideAFindingSurviveLaterActions()
    {
        QFETCH(QString, how);
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        QVERIFY(checkStandardText());
        CorrectionItem *tset = finding(QStringLiteral("tset"));
        tset->applyByIndex(1); // "set"
        CorrectionItem *go = finding(QStringLiteral("go"));
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(go->start() + 1);
        editor()->setTextCursor(tc);
        if (how == "input method") {
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("去"));
            QApplication::sendEvent(editor(), &commit);
        } else if (how == "paste") {
            auto *data = new QMimeData;
            data->setText(QStringLiteral("去"));
            QApplication::clipboard()->setMimeData(data);
            editor()->paste();
        } else {
            tc.insertText(QStringLiteral("去"));
        }
        const QString typed = QStringLiteral("She g去o to school");
        QVERIFY(editor()->toPlainText().contains(typed));
        QVERIFY(!finding(QStringLiteral("go")));
        QCOMPARE(m_window->findings().size(), 6);
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), 2);
        // Actions on the other findings leave the edited word alone.
        finding(QStringLiteral("letter"))->applyByIndex(0);
        tset->correct(MenuItemRevert);
        QVERIFY(editor()->toPlainText().contains(typed));
        QVERIFY(editor()->toPlainText().startsWith(QStringLiteral("Thsi is a tset")));
        // Undo walks back revert, "letters", the edit, then "set"; redo forward again.
        m_window->slotUndo();
        QVERIFY(editor()->toPlainText().startsWith(QStringLiteral("Thsi is a set")));
        m_window->slotUndo();
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("many letter from")));
        QVERIFY(editor()->toPlainText().contains(typed));
        m_window->slotUndo();
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("She go to school")));
        m_window->slotRedo();
        QVERIFY(editor()->toPlainText().contains(typed));
        m_window->slotUndo();
        m_window->slotUndo();
        QCOMPARE(editor()->toPlainText(), m_text);
    }

    // Ctrl+Z and Ctrl+Y step through typing and finding actions in the order they were
    // done; the caret goes where the step acted.
    void undoFollowsTheOrderOfActions()
    {
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("True"));
        QVERIFY(checkStandardText());
        CorrectionItem *tset = finding(QStringLiteral("tset"));
        editor()->placeCaretAtFinding(tset);
        QTest::keyClick(editor(), Qt::Key_1); // "test", caret on to "the the"
        const int school = int(editor()->toPlainText().indexOf(QStringLiteral("school")));
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(school);
        editor()->setTextCursor(tc);
        QTest::keyClicks(editor(), QStringLiteral("my "));
        QTest::keyClick(editor(), Qt::Key_Backspace);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("to myschool")));

        // The Backspace, the typed word, then the correction.
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("to my school")));
        QCOMPARE(editor()->textCursor().position(), school + 3);
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("to school")));
        QCOMPARE(editor()->textCursor().position(), school);
        QVERIFY(tset->isApplied());
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor()->toPlainText(), m_text);
        QVERIFY(tset->isOpen());
        QCOMPARE(editor()->textCursor().position(), tset->start());
        QCOMPARE(m_window->focusedFinding(), tset);
        QVERIFY(!m_window->form().undoButton->isEnabled());

        QTest::keyClick(editor(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(tset->isApplied());
        QCOMPARE(m_window->focusedFinding(), tset); // not moved on by goto_next
        QTest::keyClick(editor(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("to my school")));
        QCOMPARE(editor()->textCursor().position(), school + 3);
        // Typing drops what could be redone.
        QTest::keyClick(editor(), Qt::Key_A);
        QVERIFY(!m_window->form().redoButton->isEnabled());
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("to my school")));
    }

    // Ignoring is a step of the history too: undo brings the finding back in place, with
    // its preview and count; redo ignores it again.
    void undoBringsAnIgnoredFindingBack()
    {
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        QVERIFY(checkStandardText());
        CorrectionItem *go = finding(QStringLiteral("go"));
        editor()->placeCaretAtFinding(go);
        QTest::keyClick(editor(), Qt::Key_0);
        QVERIFY(!finding(QStringLiteral("go")));
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), 2);
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(finding(QStringLiteral("go")), go);
        QCOMPARE(m_window->findings().size(), 7);
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), 3);
        QCOMPARE(m_window->focusedFinding(), go);
        QVERIFY(go->label() && go->label()->isVisible());
        QCOMPARE(go->currentText(), QStringLiteral("go"));
        QTest::keyClick(editor(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(!finding(QStringLiteral("go")));
        // Typed into while ignored: undoing the typing first, the ignore undoes as well.
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(int(editor()->toPlainText().indexOf(QStringLiteral("go to"))) + 1);
        editor()->setTextCursor(tc);
        QTest::keyClick(editor(), Qt::Key_X);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("gxo to")));
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!finding(QStringLiteral("go")));
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(finding(QStringLiteral("go")), go);
        QCOMPARE(go->currentText(), QStringLiteral("go"));
    }

    // A shortcut chord types nothing, wherever the caret is.
    void chordsTypeNothing_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("alt") << int(Qt::AltModifier);
        QTest::newRow("alt+shift") << int(Qt::AltModifier | Qt::ShiftModifier);
        QTest::newRow("meta") << int(Qt::MetaModifier);
        QTest::newRow("ctrl+alt") << int(Qt::ControlModifier | Qt::AltModifier);
    }
    void chordsTypeNothing()
    {
        QFETCH(int, modifiers);
        QVERIFY(checkStandardText());
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(int(m_text.indexOf(QStringLiteral("school"))));
        editor()->setTextCursor(tc);
        QTest::keyClick(editor(), Qt::Key_Q, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(editor()->toPlainText(), m_text);
        QVERIFY(!m_window->form().undoButton->isEnabled());
    }

    // A small window keeps its size when a finding with many candidates gets the focus:
    // the panel's rows scroll.
    void manyCandidatesScrollInsteadOfGrowingTheWindow()
    {
        m_window->resize(660, 300); // as narrow as the window may be
        QTRY_COMPARE(m_window->height(), 300);
        const QSize small = m_window->size();
        editor()->setPlainText(QStringLiteral("Thsi is a tset of the text."));
        QVERIFY(runCheck({{0, QStringLiteral("tset"), "NONWORD", {"test", "set", "text", "tent", "best"}}}));
        QCOMPARE(m_window->focusedFinding(), finding(QStringLiteral("tset")));
        QCOMPARE(m_window->panel()->candidateRows().size(), 5);
        // The rows do not fit: they scroll, and the window stays as it was.
        QTRY_VERIFY(m_window->panel()->correctionScroll()->verticalScrollBar()->maximum() > 0);
        QCOMPARE(m_window->size(), small);
    }

    // Words written into the current sentence keep its highlight colour.
    void writtenWordsKeepTheSentenceHighlight_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("word"); // what the place holds afterwards
        QTest::newRow("corrected") << "apply" << "goes";
        QTest::newRow("reverted") << "revert" << "go";
        QTest::newRow("pasted") << "paste" << "often";
        QTest::newRow("undone") << "undo" << "go";
    }
    void writtenWordsKeepTheSentenceHighlight()
    {
        QFETCH(QString, how);
        QFETCH(QString, word);
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        QVERIFY(checkStandardText());
        CorrectionItem *go = finding(QStringLiteral("go"));
        editor()->placeCaretAtFinding(go);
        QCOMPARE(m_window->currentSentence(), m_window->sentences().at(1));
        if (how == "paste") {
            QTextCursor tc = editor()->textCursor();
            tc.setPosition(int(editor()->toPlainText().indexOf(QStringLiteral("school"))));
            editor()->setTextCursor(tc);
            m_window->slotOnPaste(QStringLiteral("often "));
        } else {
            go->applyByIndex(0);
            if (how == "revert")
                go->correct(MenuItemRevert);
            else if (how == "undo")
                m_window->slotUndo();
        }
        QCOMPARE(m_window->currentSentence(), m_window->sentences().at(1));
        const int at = int(editor()->toPlainText().indexOf(QLatin1Char(' ') + word + QLatin1Char(' '))) + 1;
        QVERIFY(at > 0);
        for (int i = 0; i < word.size(); ++i) {
            QTextCursor c(editor()->document());
            c.setPosition(at + i + 1);
            QCOMPARE(c.charFormat().foreground().color(), QColor(QStringLiteral("#8000B6")));
        }
    }

    // After a check, F4 and undo the focused finding is in view with its preview and a
    // line above and below, also once the statistics strip has taken its room.
    void focusedFindingIsShownWithContext()
    {
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        m_window->resize(900, 500);
        QString text;
        for (int i = 0; i < 12; ++i)
            text += QStringLiteral("Line %1 is fine.\n").arg(i);
        text += QStringLiteral("She go to school.\n");
        for (int i = 0; i < 30; ++i)
            text += QStringLiteral("More %1 is fine.\n").arg(i);
        text += QStringLiteral("We recieve letters.\n");
        editor()->setPlainText(text);
        QVERIFY(runCheck({{12, QStringLiteral("go"), "GRAMMAR", {"goes"}},
                          {43, QStringLiteral("recieve"), "NONWORD", {"receive"}}}));
        const auto inView = [this](CorrectionItem *item) {
            const QRect word = editor()->cursorRect(item->cursor());
            const int line = word.height() + editor()->lineGap();
            return m_window->focusedFinding() == item && word.top() - line >= 0
                && word.bottom() + editor()->lineGap() + line <= editor()->viewport()->height()
                && item->label() && item->label()->isVisible();
        };
        QTRY_VERIFY(m_window->statisticsStrip()->isVisible());
        QTRY_VERIFY(inView(finding(QStringLiteral("go"))));
        m_window->slotNextError();
        QVERIFY(inView(finding(QStringLiteral("recieve"))));
        finding(QStringLiteral("go"))->applyByIndex(0);
        editor()->verticalScrollBar()->setValue(editor()->verticalScrollBar()->maximum());
        m_window->slotUndo();
        QVERIFY(inView(finding(QStringLiteral("go"))));
    }

    void ignoreAll_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("same category and text only") << "teh"
            << QStringList{"Teh", "teh"};  // the grammar "teh" and the capitalised one stay
        QTest::newRow("capitalised text is its own") << "Teh" << QStringList{"teh", "teh", "teh", "teh"};
    }
    void ignoreAll()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, left);
        editor()->setPlainText(QStringLiteral("Teh cat saw teh dog and teh bird near teh tree by teh lake."));
        QVERIFY(runCheck({{0, QStringLiteral("Teh"), "NONWORD", {"The"}},
                          {0, QStringLiteral("teh"), "NONWORD", {"the"}, "REPLACE", 0},
                          {0, QStringLiteral("teh"), "NONWORD", {"the"}, "REPLACE", 1},
                          {0, QStringLiteral("teh"), "GRAMMAR", {"the"}, "REPLACE", 2},
                          {0, QStringLiteral("teh"), "NONWORD", {"the"}, "REPLACE", 3}}));
        QCOMPARE(m_window->findings().size(), 5);
        finding(target)->correct(MenuItemIgnoreAll);
        QStringList found;
        for (CorrectionItem *item : m_window->findings().items())
            found << item->foundText();
        QCOMPARE(found, left);
        QCOMPARE(m_window->statistics().total(), left.size());
        QCOMPARE(m_usage->eventCount(QStringLiteral("ContexMenu_IgnorSameError")), 1);
    }

    void addToDictionaryIgnoresAllAndFiltersLaterChecks()
    {
        QVERIFY(checkStandardText());
        finding(QStringLiteral("freinds"))->correct(MenuItemAddToDictionary);
        QVERIFY(!finding(QStringLiteral("freinds")));
        QVERIFY(m_usage->contains(QStringLiteral("freinds")));
        QCOMPARE(m_usage->newWords(), QStringList{QStringLiteral("freinds")});
        QCOMPARE(m_window->popup()->number(), 14);
        QVERIFY(runCheck(standardFindings()));
        QVERIFY(!finding(QStringLiteral("freinds")));
        QCOMPARE(m_window->findings().size(), 6);
    }

    // A spelling finding whose first candidate is not clearly ahead stays open.
    void acceptAllSkipsOpenChoices()
    {
        editor()->setPlainText(QStringLiteral("We need futher help and recieve letters."));
        QVERIFY(runCheck({{0, QStringLiteral("futher"), "NONWORD", {"father", "further"}, "REPLACE", 0, {0.67, 0.23}},
                          {0, QStringLiteral("recieve"), "NONWORD", {"receive", "relieve"}, "REPLACE", 0, {0.97, 0.01}}}));
        m_answers.insert(QStringLiteral("全部改正确认"), QDialog::Accepted);
        m_window->slotCorrectAll();
        QCOMPARE(editor()->toPlainText(), QStringLiteral("We need futher help and receive letters."));
        QVERIFY(finding(QStringLiteral("futher"))->isOpen());
    }

    void acceptAllThenUndoStepByStep()
    {
        QVERIFY(checkStandardText());
        m_answers.insert(QStringLiteral("全部改正确认"), QDialog::Accepted);
        m_window->slotCorrectAll();
        QCOMPARE(boxTitles(), QStringList{QStringLiteral("全部改正确认")});
        QCOMPARE(m_boxes.first().text, QStringLiteral("是否确认改正全部错误？"));
        const QString corrected = QStringLiteral("This is a test of the text. She goes to school every day. "
                                                 "We receive many letters from friends.");
        QCOMPARE(editor()->toPlainText(), corrected);
        QCOMPARE(m_window->history().undoCount(), 7);
        QCOMPARE(m_window->popup()->number(), 11);
        QVERIFY(!m_window->form().correctAllButton->isEnabled());
        // Spelling corrections went to the correction log.
        QCOMPARE(m_usage->errorLog().size(), 4);
        QCOMPARE(m_usage->errorLog().first(), qMakePair(QStringLiteral("Thsi"), QStringLiteral("This")));

        const QStringList order = {"freinds", "letter", "recieve", "go", "the the", "tset", "Thsi"};
        for (const QString &word : order) {
            m_window->slotUndo();
            QVERIFY2(finding(word)->isOpen(), qPrintable(word));
            QCOMPARE(finding(word)->currentText(), word);
            for (CorrectionItem *item : m_window->findings().items()) {
                if (order.indexOf(item->foundText()) > order.indexOf(word))
                    QVERIFY2(item->isApplied(), qPrintable(item->foundText()));
            }
        }
        QCOMPARE(editor()->toPlainText(), m_text);
        QVERIFY(m_usage->errorLog().isEmpty());
        QVERIFY(!m_window->form().undoButton->isEnabled());
        m_window->slotRedo();
        QVERIFY(finding(QStringLiteral("Thsi"))->isApplied());
        QVERIFY(finding(QStringLiteral("tset"))->isOpen());
    }

    void ignoringTheSentenceSuggestion()
    {
        editor()->setPlainText(QStringLiteral("Because the rain. We stayed home."));
        QVERIFY(runCheck({{0, QStringLiteral("Because the rain."), "SUGGESTION", {""}},
                          {1, QStringLiteral("stayed"), "STYLE", {"remained"}}}));
        QCOMPARE(m_window->statistics().count(CheckStatistics::Suggestion), 1);
        SentenceEntry *first = m_window->sentences().first();
        QVERIFY(first->lineWidget());
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(2);
        editor()->setTextCursor(tc);
        QCOMPARE(m_window->currentSentence(), first);
        QVERIFY(!m_window->focusedFinding());
        m_window->panel()->slotIgnor();
        QVERIFY(!first->hasSuggestion());
        QCOMPARE(m_window->statistics().count(CheckStatistics::Suggestion), 0);
        QCOMPARE(m_window->statisticsStrip()->countLabel(CheckStatistics::Suggestion)->text(),
                 QStringLiteral("句子不完整：0"));
    }

    // A change applied in the preferences shows at once through the one display refresh.
    void preferenceChangeShowsAtOnce_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("textChanged");
        QTest::addColumn<bool>("errorChanged");
        QTest::newRow("font") << "display_text_font" << "DejaVu Serif" << true << false;
        QTest::newRow("text colour") << "display_text_color" << "#336699" << true << false;
        QTest::newRow("sentence line colour") << "display_suggestion_color" << "#AA00AA" << false << true;
        QTest::newRow("sentence lines off") << "display_suggestion_enabled" << "False" << false << true;
        QTest::newRow("style colour") << "display_style_color" << "#123456" << false << true;
        QTest::newRow("hot key") << "hk_check_key" << "ctrl||K" << false << false;
        QTest::newRow("hot key off") << "hk_check_enabled" << "False" << false << false;
    }

    void preferenceChangeShowsAtOnce()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(bool, textChanged);
        QFETCH(bool, errorChanged);
        editor()->setPlainText(QStringLiteral("Because the rain. We stayed home."));
        QVERIFY(runCheck({{0, QStringLiteral("Because the rain."), "SUGGESTION", {""}},
                          {1, QStringLiteral("stayed"), "STYLE", {"remained"}}}));
        LineWidget *line = m_window->sentences().first()->lineWidget();
        QVERIFY(line);
        QVERIFY(finding(QStringLiteral("stayed")));
        QTextCursor styleAt(editor()->document());
        styleAt.setPosition(editor()->toPlainText().indexOf(QStringLiteral("stayed")) + 1);
        m_prefs->setValue(key, value);
        m_window->slotPreferChanged(textChanged, errorChanged);

        // A spot outside the highlighted sentence.
        QTextCursor at(editor()->document());
        const bool firstIsCurrent = m_window->currentSentence() == m_window->sentences().first();
        at.setPosition(editor()->toPlainText().indexOf(firstIsCurrent ? QStringLiteral("home") : QStringLiteral("rain")) + 1);
        const QAction *check = m_window->form().checkAction;
        if (key == QLatin1String("display_text_font"))
            QCOMPARE(editor()->font().family(), value);
        else if (key == QLatin1String("display_text_color"))
            QCOMPARE(at.charFormat().foreground().color(), QColor(value));
        else if (key == QLatin1String("display_suggestion_color"))
            QCOMPARE(line->color(), QColor(value));
        else if (key == QLatin1String("display_suggestion_enabled"))
            QVERIFY(line->isHidden());
        else if (key == QLatin1String("display_style_color"))
            QCOMPARE(styleAt.charFormat().underlineColor(), QColor(value));
        else if (key == QLatin1String("hk_check_key"))
            QCOMPARE(check->shortcut(), QKeySequence(QStringLiteral("Ctrl+K")));
        else
            QVERIFY(check->shortcut().isEmpty());
        if (key != QLatin1String("display_suggestion_enabled"))
            QVERIFY(!line->isHidden());
    }

    void pasteOverEverythingResets()
    {
        QVERIFY(checkStandardText());
        editor()->selectAll();
        m_window->slotOnPaste(QStringLiteral("Fresh text."));
        QCOMPARE(editor()->toPlainText(), QStringLiteral("Fresh text."));
        QVERIFY(m_window->findings().isEmpty());
        QVERIFY(m_window->sentences().isEmpty());
        QVERIFY(!m_window->statisticsStrip()->isVisible());
    }

    void copyAllAndClear()
    {
        QVERIFY(checkStandardText());
        QVERIFY(m_window->form().copyButton->isEnabled());
        m_window->slotCopyToClip();
        QCOMPARE(QApplication::clipboard()->text(), m_text);
        QCOMPARE(m_window->popup()->number(), 13);
        m_window->slotClear();
        QCOMPARE(editor()->toPlainText(), m_text); // box answered "返回"
        m_answers.insert(QStringLiteral("清除确认"), QDialog::Accepted);
        m_window->slotClear();
        QVERIFY(editor()->toPlainText().isEmpty());
        QVERIFY(m_window->findings().isEmpty());
        QVERIFY(!m_window->form().copyButton->isEnabled());
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Clear")), 2);
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_CopyAll")), 1);
    }

    void hidingACategory()
    {
        QVERIFY(checkStandardText());
        QCOMPARE(m_window->focusedFinding()->foundText(), QStringLiteral("Thsi"));
        m_prefs->setValue(QStringLiteral("display_spelling_enabled"), QStringLiteral("False"));
        m_window->slotPreferChanged(false, true);
        QVERIFY(!m_window->focusedFinding());
        for (CorrectionItem *item : m_window->findings().items()) {
            const bool spelling = item->category() == 1;
            QCOMPARE(item->isVisible(), !spelling);
            QCOMPARE(item->label()->isVisible(), !spelling);
        }
        QVERIFY(!m_window->statisticsStrip()->badge(CheckStatistics::Spelling)->isVisible());
        QVERIFY(m_window->statisticsStrip()->badge(CheckStatistics::Grammar)->isVisible());
        m_window->slotNextError();
        QCOMPARE(m_window->focusedFinding()->foundText(), QStringLiteral("the the"));
    }

    // ------------------------------------------------------------ modes

    void modeSwitchKeepsTheText()
    {
        QVERIFY(checkStandardText());
        m_window->leftSideBar()->polishModeButton()->click();
        QVERIFY(polishMode());
        QCOMPARE(editor()->toPlainText(), m_text);
        QVERIFY(m_window->findings().isEmpty());
        QVERIFY(m_window->sentences().isEmpty());
        QCOMPARE(m_prefs->value(QStringLiteral("Improve_mode")), QStringLiteral("True"));
        QVERIFY(m_window->form().improveButton->isVisible());
        QVERIFY(!m_window->form().checkButton->isVisible());
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Mode_Improve")), 1);

        // A polish check inserts everything the service sent when it ends.
        const QByteArray reply = encodeFrame(
            "[{\"sentInd\":1,\"corrections\":[{\"start\":17,\"end\":22,\"errorType\":\"IMPROVE\","
            "\"candidates\":[{\"correction\":\"daily\",\"candidateType\":\"REPLACE\"}]}]}]");
        QVERIFY(runCheck({}, reply));
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Improve_Check")), 1);
        QCOMPARE(m_window->findings().size(), 1);
        QCOMPARE(m_window->findings().at(0)->foundText(), QStringLiteral("every"));
        QVERIFY(!m_window->statisticsStrip()->isVisible());
        QVERIFY(m_window->form().improveAllButton->isEnabled());
        m_window->slotNextError();
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Improve_Next")), 1);

        m_window->leftSideBar()->correctModeButton()->click();
        QVERIFY(!polishMode());
        QCOMPARE(editor()->toPlainText(), m_text);
        QVERIFY(m_window->findings().isEmpty());
        QCOMPARE(m_prefs->value(QStringLiteral("Improve_mode")), QStringLiteral("False"));
    }

    void savedModeIsRestored()
    {
        m_prefs->setValue(QStringLiteral("Improve_mode"), QStringLiteral("True"));
        makeWindow();
        QVERIFY(polishMode());
        QVERIFY(m_window->leftSideBar()->polishModeButton()->isChecked());
        QVERIFY(m_window->form().improveButton->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
