// The main window's lifecycle: crash backup and recovery, geometry, exit and its
// confirmation, close to the tray, sign-out with a fresh session, first-use tips, the
// dictionary slide and the connection indicator. Intervals are injected.

#include "support/editorfixture.h"
#include "support/scriptedhttpserver.h"

#include "configstore.h"
#include "crashbackup.h"
#include "custommenubar.h"
#include "custommessagebox.h"
#include "customtexteditor.h"
#include "globalstores.h"
#include "mainwindow.h"
#include "polishmode.h"
#include "textfileio.h"
#include "titlebar.h"
#include "popuplabel.h"
#include "dictionarypanel.h"
#include "leftsidebar.h"
#include <QToolButton>
#include "tipplacement.h"
#include "tipwindow.h"
#include "useraccess.h"
#include "userinformation.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTest>
#include <QWindow>

using namespace ZeltraLib;


class MainWindowLifecycleTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<ConfigStore> m_prefs;
    std::unique_ptr<ConfigStore> m_tips;
    std::unique_ptr<UserAccess> m_access;
    std::unique_ptr<UserAccess> m_renewed;
    std::unique_ptr<UserInformation> m_usage;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_boxes;
    QHash<QString, int> m_answers; // box title -> result
    bool m_saveButton = false;      // "保存文本" pressed in the next box with it
    QString m_savePath;             // chosen by the save dialog; empty: cancelled
    int m_closeChoice = 0;
    bool m_closeDontAsk = false;
    bool m_relogin = true;
    bool m_tray = true;
    int m_tipsWindows = 0;

    MainWindowServices services()
    {
        MainWindowServices s{*m_prefs, *m_tips, *m_access, *m_usage, QStringLiteral("127.0.0.1:1"),
                             QStringLiteral("127.0.0.1:1"), m_dir.filePath(QStringLiteral("no-voc.dat"))};
        s.pingIntervalMs = 0;
        s.backupIntervalMs = 20;
        s.restPopupIntervalMs = 20;
        s.dictSlideMs = 20;
        s.chooseSaveFile = [this](QWidget *, int *filter) {
            *filter = 0;
            return m_savePath;
        };
        s.askCloseAction = [this](QWidget *, bool *dontAsk) {
            *dontAsk = m_closeDontAsk;
            return m_closeChoice;
        };
        s.relogin = [this](QWidget *) { return m_relogin; };
        s.renewAccess = [this] {
            m_renewed = std::make_unique<UserAccess>(QStringLiteral("127.0.0.1:1"));
            return m_renewed.get();
        };
        s.trayAvailable = [this] { return m_tray; };
        s.showTipsWindow = [this](QWidget *) { ++m_tipsWindows; };
        return s;
    }

    void makeWindow(const MainWindowServices &s)
    {
        m_window.reset();
        m_window = std::make_unique<MainWindow>(s);
        m_window->show();
    }

    // The stores as the next start reads them.
    std::unique_ptr<ConfigStore> savedPreferences() const
    {
        return std::make_unique<ConfigStore>(m_dir.path(), PreferenceFileName);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        CustomMessageBox::setAutoAnswer([this](CustomMessageBox &box) {
            m_boxes << box.title();
            if (m_saveButton && box.hasExtraButton()) {
                box.extraButton()->click();
                return int(QDialog::Accepted);
            }
            return m_answers.value(box.title(), int(QDialog::Rejected));
        });
    }

    void init()
    {
        for (const QString &name : {PreferenceFileName, PromptTipFileName, QStringLiteral("backup.ini")})
            QFile::remove(m_dir.filePath(name));
        m_prefs = makePreferences(m_dir);
        m_prefs->setValue(QStringLiteral("display_tips"), QStringLiteral("False"));
        m_tips = std::make_unique<ConfigStore>(m_dir.path(), PromptTipFileName);
        mergeDefaults(*m_tips, promptTipDefaults());
        // Tips only where a test asks for them.
        for (const QString &key : m_tips->keys())
            m_tips->setValue(key, QStringLiteral("True"));
        m_access = std::make_unique<UserAccess>(QStringLiteral("127.0.0.1:1"));
        m_usage = std::make_unique<UserInformation>(QStringLiteral("127.0.0.1:1"));
        m_boxes.clear();
        m_answers.clear();
        m_saveButton = false;
        m_savePath.clear();
        m_closeChoice = 0;
        m_closeDontAsk = false;
        m_relogin = m_tray = true;
        m_tipsWindows = 0;
        setPolishMode(false);
    }

    void cleanup()
    {
        m_window.reset();
        m_renewed.reset();
    }

    void cleanupTestCase() { CustomMessageBox::setAutoAnswer({}); }

    // ------------------------------------------------------------ crash backup

    void backupDecoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("text");
        const QString chinese = QStringLiteral("我的作文: I recieve a letter.");
        QTest::newRow("UTF-8 with a byte-order mark") << QByteArray("\xEF\xBB\xBF") + chinese.toUtf8() << true << chinese;
        QTest::newRow("UTF-8 without a mark") << chinese.toUtf8() << true << chinese;
        QTest::newRow("old GB18030 file") << QByteArray(QStringEncoder("GB18030").encode(chinese)) << true << chinese;
        QTest::newRow("marked UTF-8 cut inside a character")
            << QByteArray("\xEF\xBB\xBF") + chinese.toUtf8().left(4) << false << QString();
        QTest::newRow("garbage in both encodings") << QByteArray("\xFF\xFF\x80") << false << QString();
        QTest::newRow("empty file") << QByteArray() << true << QString();
    }
    void backupDecoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, ok);
        QFETCH(QString, text);
        QString decoded = QStringLiteral("unchanged");
        QCOMPARE(CrashBackup::decode(bytes, &decoded), ok);
        QCOMPARE(decoded, ok ? text : QStringLiteral("unchanged"));
    }

    void backupRoundTripAndFailure()
    {
        CrashBackup backup(m_dir.path() + QLatin1Char('/'));
        const QString text = QStringLiteral("第一版 first version\n");
        QVERIFY(backup.write(text));
        QString read;
        QVERIFY(backup.read(&read));
        QCOMPARE(read, text);
        QFile file(backup.path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("\xEF\xBB\xBF"));
        QCOMPARE(file.permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
        // A folder that cannot exist (a file stands in its way): a failure, not a crash.
        CrashBackup blocked(backup.path() + QLatin1Char('/'));
        QVERIFY(!blocked.write(text));
        QVERIFY(!blocked.read(&read));
    }

    void oversizedBackupIsRefused()
    {
        QFile file(m_dir.filePath(QStringLiteral("backup.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(CrashBackup::MaxBytes + 1));
        file.close();
        QString text;
        QVERIFY(!CrashBackup(m_dir.path() + QLatin1Char('/')).read(&text));
    }

    void typedTextIsBackedUpOnce()
    {
        makeWindow(services());
        const QString path = m_dir.filePath(QStringLiteral("backup.ini"));
        m_window->editor()->setPlainText(QStringLiteral("Zhōngwén 中文 text"));
        QTRY_VERIFY(QFile::exists(path));
        QString saved;
        QVERIFY(m_window->crashBackup().read(&saved));
        QCOMPARE(saved, QStringLiteral("Zhōngwén 中文 text"));
        // Nothing typed since: later ticks write nothing.
        QFile::remove(path);
        m_window->slotBackup();
        QVERIFY(!QFile::exists(path));
        m_window->editor()->setPlainText(QStringLiteral("   \n "));
        m_window->slotBackup();
        QVERIFY(!QFile::exists(path));
    }

    void crashRecovery_data()
    {
        QTest::addColumn<QString>("isCrash");
        QTest::addColumn<bool>("restored");
        QTest::newRow("previous run ended normally") << "False" << false;
        QTest::newRow("previous run crashed") << "True" << true;
    }
    void crashRecovery()
    {
        QFETCH(QString, isCrash);
        QFETCH(bool, restored);
        const QString text = QStringLiteral("崩溃前的文章 The essay before the crash.");
        QVERIFY(CrashBackup(m_dir.path() + QLatin1Char('/')).write(text));
        m_prefs->setValue(QStringLiteral("is_crash"), isCrash);
        makeWindow(services());
        QCOMPARE(m_window->editor()->toPlainText(), restored ? text : QString());
        if (restored)
            QTRY_VERIFY(m_window->popup());
        QCOMPARE(m_window->popup() ? m_window->popup()->text() : QString(),
                 restored ? QStringLiteral("已恢复上次意外退出前的文章内容") : QString());
        // Running now: a kill from here on is a crash for the next start.
        QCOMPARE(savedPreferences()->value(QStringLiteral("is_crash")), QStringLiteral("True"));
    }

    // The assistant opens at start over the text: the notice waits until it has closed.
    void crashNoticeWaitsForTheAssistant()
    {
        QVERIFY(CrashBackup(m_dir.path() + QLatin1Char('/')).write(QStringLiteral("An essay.")));
        m_prefs->setValue(QStringLiteral("is_crash"), QStringLiteral("True"));
        m_prefs->setValue(QStringLiteral("display_tips"), QStringLiteral("True"));
        MainWindowServices s = services();
        QPointer<TipWindow> assistant;
        s.showTipsWindow = [this, &assistant](QWidget *parent) {
            assistant = new TipWindow(*m_prefs, *m_usage, QStringLiteral("web.example"), parent);
            assistant->setAttribute(Qt::WA_DeleteOnClose);
            assistant->show();
        };
        makeWindow(s);
        m_window->runStartupTips();
        QVERIFY(assistant && assistant->isVisible());
        QCoreApplication::processEvents(); // the recovery's deferred notice
        QVERIFY(!m_window->popup() || m_window->popup()->number() != 10);
        assistant->close();
        QTRY_VERIFY(m_window->popup() && m_window->popup()->number() == 10);
    }

    // ------------------------------------------------------------ geometry

    void geometryRestore_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("maximised");
        QTest::newRow("no saved place: centred") << "-1" << "False";
        QTest::newRow("saved place") << "40" << "False";
        QTest::newRow("saved maximised") << "40" << "True";
    }
    void geometryRestore()
    {
        QFETCH(QString, left);
        QFETCH(QString, maximised);
        for (const auto &[key, value] : {std::pair{"Left", left}, {"Top", QStringLiteral("30")},
                                         {"Width", QStringLiteral("700")}, {"Height", QStringLiteral("500")},
                                         {"IsMaxmized", maximised}})
            m_prefs->setValue(QString::fromLatin1(key), value);
        makeWindow(services());
        const QRect area = m_window->screen()->availableGeometry();
        QCOMPARE(m_window->isFrameMaximized(), maximised == QLatin1String("True"));
        if (left == QLatin1String("-1"))
            QCOMPARE(m_window->geometry().center().x(), area.center().x());
        else if (maximised == QLatin1String("True"))
            QCOMPARE(m_window->normalFrameGeometry(), QRect(40, 30, 700, 500));
        else
            QCOMPARE(m_window->geometry(), QRect(40, 30, 700, 500));
    }

    // ------------------------------------------------------------ exit

    void exitAsksAndSaves_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveButton");
        QTest::addColumn<bool>("saveChosen");
        QTest::addColumn<bool>("exits");
        QTest::newRow("no text: no question") << QString() << 0 << false << false << true;
        QTest::newRow("退出 pressed") << "Some text." << int(QDialog::Accepted) << false << false << true;
        QTest::newRow("question cancelled") << "Some text." << int(QDialog::Rejected) << false << false << false;
        QTest::newRow("保存文本, save dialog cancelled") << "Some text." << 0 << true << false << false;
        QTest::newRow("保存文本, saved") << "Some text." << 0 << true << true << true;
    }
    void exitAsksAndSaves()
    {
        QFETCH(QString, text);
        QFETCH(int, answer);
        QFETCH(bool, saveButton);
        QFETCH(bool, saveChosen);
        QFETCH(bool, exits);
        m_answers.insert(QStringLiteral("退出确认"), answer);
        m_saveButton = saveButton;
        if (saveChosen)
            m_savePath = m_dir.filePath(QStringLiteral("saved"));
        makeWindow(services());
        m_window->setGeometry(70, 60, 800, 600);
        m_window->editor()->setPlainText(text);
        m_window->slotBackup();
        QSignalSpy ended(m_window.get(), &MainWindow::signalSessionEnded);
        m_window->close();
        QCOMPARE(m_boxes, text.isEmpty() ? QStringList() : QStringList{QStringLiteral("退出确认")});
        if (saveChosen) {
            QFile saved(m_dir.filePath(QStringLiteral("saved.txt")));
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(saved.readAll()), text);
        }
        if (!exits) {
            QVERIFY(m_window->isVisible());
            QVERIFY(ended.isEmpty());
            QVERIFY(QFile::exists(m_window->crashBackup().path()));
            return;
        }
        // Signed out (no session: at once), then the window ends and the run is orderly.
        QTRY_COMPARE(ended.size(), 1);
        QCOMPARE(ended.first().first().toBool(), true);
        QTRY_VERIFY(!m_window->isVisible());
        const auto saved = savedPreferences();
        QCOMPARE(saved->value(QStringLiteral("is_crash")), QStringLiteral("False"));
        // A crash in a later session must not bring this text back.
        QVERIFY(!QFile::exists(m_window->crashBackup().path()));
        QCOMPARE(saved->value(QStringLiteral("Left")), QStringLiteral("70"));
        QCOMPARE(saved->value(QStringLiteral("Width")), QStringLiteral("800"));
        QCOMPARE(m_usage->eventCount(QStringLiteral("Check_Level_Medium")), 1);
        QCOMPARE(m_usage->eventCount(QStringLiteral("Improve_Level_Medium")), 1);
    }

    void closeButton_data()
    {
        QTest::addColumn<QString>("showTip");
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("dontAsk");
        QTest::addColumn<bool>("tray");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("level 1 without asking: tray") << "False" << "1" << 0 << false << true << "tray";
        QTest::newRow("level 1 without a tray: minimised") << "False" << "1" << 0 << false << false << "minimised";
        QTest::newRow("level 2 without asking: exit") << "False" << "2" << 0 << false << true << "exit";
        QTest::newRow("asked, cancelled") << "True" << "2" << 0 << false << true << "stays";
        QTest::newRow("asked, hide, do not ask again") << "True" << "2" << 1 << true << true << "tray";
        QTest::newRow("asked, exit") << "True" << "1" << 2 << false << true << "exit";
    }
    void closeButton()
    {
        QFETCH(QString, showTip);
        QFETCH(QString, level);
        QFETCH(int, choice);
        QFETCH(bool, dontAsk);
        QFETCH(bool, tray);
        QFETCH(QString, outcome);
        m_prefs->setValue(QStringLiteral("show_close_tip"), showTip);
        m_prefs->setValue(QStringLiteral("click_close_level"), level);
        m_closeChoice = choice;
        m_closeDontAsk = dontAsk;
        m_tray = tray;
        makeWindow(services());
        QSignalSpy ended(m_window.get(), &MainWindow::signalSessionEnded);
        m_window->titlebar()->closeButton()->click();
        if (outcome == QLatin1String("tray")) {
            QVERIFY(!m_window->isVisible());
            QVERIFY(m_window->trayIcon() && m_window->trayIcon()->isVisible());
            m_window->slotShowNormal();
            QVERIFY(m_window->isVisible());
            QVERIFY(!m_window->trayIcon()->isVisible());
        } else if (outcome == QLatin1String("minimised")) {
            QVERIFY(m_window->isMinimized());
            QVERIFY(!m_window->trayIcon());
        } else if (outcome == QLatin1String("exit")) {
            QTRY_COMPARE(ended.size(), 1);
        } else {
            QVERIFY(m_window->isVisible() && !m_window->isMinimized());
        }
        if (choice != 0) {
            const auto saved = savedPreferences();
            QCOMPARE(saved->value(QStringLiteral("show_close_tip")), dontAsk ? QStringLiteral("False") : QStringLiteral("True"));
            QCOMPARE(saved->value(QStringLiteral("click_close_level")), QString::number(choice));
        }
    }

    // Restoring from the tray shows the window as the user had it, whatever it went
    // through before it was hidden: never iconic, in front and active.
    void trayRestoreShowsTheWindow_data()
    {
        QTest::addColumn<bool>("maximised");
        QTest::addColumn<QString>("before"); // what happened before 最小化到托盘
        QTest::newRow("minimised, restored, to the tray") << false << "minimise, restore";
        QTest::newRow("minimised, to the tray") << false << "minimise";
        QTest::newRow("native window iconic, to the tray") << false << "iconic";
        QTest::newRow("maximised, minimised, to the tray") << true << "minimise";
    }
    void trayRestoreShowsTheWindow()
    {
        QFETCH(bool, maximised);
        QFETCH(QString, before);
        m_prefs->setValue(QStringLiteral("show_close_tip"), QStringLiteral("False"));
        m_prefs->setValue(QStringLiteral("click_close_level"), QStringLiteral("1"));
        makeWindow(services());
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        if (maximised)
            m_window->slotMaximize();
        const QRect shown = m_window->geometry();
        if (before.startsWith(QLatin1String("minimise")))
            m_window->titlebar()->minButton()->click();
        if (before.endsWith(QLatin1String("restore")))
            m_window->showNormal();
        if (before == QLatin1String("iconic"))
            m_window->windowHandle()->setWindowStates(Qt::WindowMinimized);
        m_window->titlebar()->closeButton()->click();
        QVERIFY(!m_window->isVisible());
        QVERIFY(m_window->trayIcon() && m_window->trayIcon()->isVisible());

        m_window->slotShowNormal();
        QVERIFY(m_window->isVisible());
        QVERIFY(!m_window->isMinimized());
        QVERIFY(!(m_window->windowHandle()->windowStates() & Qt::WindowMinimized));
        QTRY_VERIFY(m_window->isActiveWindow());
        QCOMPARE(m_window->isFrameMaximized(), maximised);
        QCOMPARE(m_window->geometry(), shown);
        QVERIFY(!m_window->trayIcon()->isVisible());
    }

    void hotKeysBecomeMenuShortcuts_data()
    {
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("own key") << "True" << "ctrl|shift|K" << "Ctrl+Shift+K";
        QTest::newRow("turned off") << "False" << "ctrl|shift|K" << "";
    }
    void hotKeysBecomeMenuShortcuts()
    {
        QFETCH(QString, enabled);
        QFETCH(QString, key);
        QFETCH(QString, shortcut);
        m_prefs->setValue(QStringLiteral("hk_check_enabled"), enabled);
        m_prefs->setValue(QStringLiteral("hk_check_key"), key);
        makeWindow(services());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QAction *check = m_window->customMenuBar()->action(CustomMenuBar::ActCheck);
        QCOMPARE(check->shortcut().toString(), shortcut);
        // The menu's shortcut works in the window, whatever has the focus.
        QTest::keyClick(m_window->editor(), Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(m_boxes, shortcut.isEmpty() ? QStringList() : QStringList{QStringLiteral("请输入文本")});
    }

    void saveWritesTheTextWithTheFilterSuffix()
    {
        m_savePath = m_dir.filePath(QStringLiteral("essay"));
        makeWindow(services());
        m_window->editor()->setPlainText(QStringLiteral("An essay 一篇作文."));
        m_window->customMenuBar()->action(CustomMenuBar::ActSave)->trigger();
        // Read back as documents are read, whatever their encoding.
        QString saved;
        QVERIFY(TextFileIo::read(m_savePath + QStringLiteral(".txt"), &saved));
        QCOMPARE(saved, QStringLiteral("An essay 一篇作文."));
        QCOMPARE(savedPreferences()->value(QStringLiteral("Save_Filter")), QStringLiteral("0"));
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_SaveFile")), 1);
    }

    // ------------------------------------------------------------ sign-out and session

    void signOut_data()
    {
        QTest::addColumn<bool>("loginAgain");
        QTest::newRow("logged in again: a fresh session") << true;
        QTest::newRow("login refused: the program ends") << false;
    }
    void signOut()
    {
        QFETCH(bool, loginAgain);
        m_relogin = loginAgain;
        m_answers.insert(QStringLiteral("注销确认"), QDialog::Accepted);
        makeWindow(services());
        m_window->editor()->setPlainText(QStringLiteral("Text of the first user."));
        m_window->slotBackup();
        QVERIFY(QFile::exists(m_window->crashBackup().path()));
        QSignalSpy ended(m_window.get(), &MainWindow::signalSessionEnded);
        m_window->customMenuBar()->action(CustomMenuBar::ActLogout)->trigger();
        QCOMPARE(m_boxes, QStringList{QStringLiteral("注销确认")});
        QVERIFY(m_renewed);
        QCOMPARE(m_window->userAccess(), m_renewed.get());
        QVERIFY(m_window->userAccess()->sessionKey().isEmpty());
        QCOMPARE(m_window->editor()->toPlainText(), QString());
        // The next user never gets the first user's text back.
        QVERIFY(!QFile::exists(m_window->crashBackup().path()));
        if (loginAgain) {
            QVERIFY(ended.isEmpty());
            QVERIFY(m_window->isVisible());
            QVERIFY(m_window->sessionTimer().isActive());
            QCOMPARE(m_usage->eventCount(QStringLiteral("Login_Succ")), 2);
            // The new session object is the one kept alive now.
            QSignalSpy activated(m_renewed.get(), &UserAccess::ActivateSessionFinished);
            m_window->slotActivateSession();
            QCOMPARE(activated.size(), 1);
            QCOMPARE(activated.first().first().toInt(), 2300);
        } else {
            QTRY_COMPARE(ended.size(), 1);
            QVERIFY(!m_window->sessionTimer().isActive());
        }
    }

    void keepAliveTimerActivatesTheSession()
    {
        MainWindowServices s = services();
        s.sessionIntervalMs = 20;
        makeWindow(s);
        QVERIFY(m_window->sessionTimer().isActive());
        QCOMPARE(m_window->sessionTimer().interval(), 20);
        QSignalSpy activated(m_access.get(), &UserAccess::ActivateSessionFinished);
        QVERIFY(activated.wait(2000));
    }

    // ------------------------------------------------------------ tips, dictionary, indicator

    void startupTips_data()
    {
        QTest::addColumn<QString>("displayTips");
        QTest::addColumn<QString>("inputKey");
        QTest::addColumn<int>("windows");
        QTest::addColumn<bool>("inputTip");
        QTest::newRow("first start") << "True" << "False" << 1 << true;
        QTest::newRow("tips window off, input tip shown before") << "False" << "True" << 0 << false;
    }
    void startupTips()
    {
        QFETCH(QString, displayTips);
        QFETCH(QString, inputKey);
        QFETCH(int, windows);
        QFETCH(bool, inputTip);
        m_prefs->setValue(QStringLiteral("display_tips"), displayTips);
        m_tips->setValue(QStringLiteral("PT_Input"), inputKey);
        makeWindow(services());
        m_window->runStartupTips();
        QCOMPARE(m_tipsWindows, windows);
        QCOMPARE(m_window->popup() ? m_window->popup()->number() : -1, inputTip ? 0 : -1);
        if (inputTip)
            QCOMPARE(ConfigStore(m_dir.path(), PromptTipFileName).value(QStringLiteral("PT_Input")), QStringLiteral("True"));
    }

    void restPopupsShowEachTipOnceThenStop()
    {
        for (const char *key : {"PT_ImproveMode", "PT_CorrectMode", "PT_Report", "PT_DictDouble"})
            m_tips->setValue(QString::fromLatin1(key), QStringLiteral("False"));
        for (const char *key : {"PT_Check", "PT_Improve"})
            m_tips->setValue(QString::fromLatin1(key), QStringLiteral("True"));
        makeWindow(services());
        m_window->editor()->setPlainText(QStringLiteral("The first line of the essay.\nThe second line."));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        // Correct mode without findings: the polish-mode tip, beside its button and off
        // the text; then, once the dictionary is open, the dictionary tip.
        QTRY_VERIFY(m_window->popup());
        QCOMPARE(m_window->popup()->number(), 5);
        const QWidget *polishButton = m_window->form().sideBar->polishModeButton();
        const QRect button(polishButton->mapToGlobal(QPoint(0, 0)), polishButton->size());
        const QRect tip = m_window->popup()->frameGeometry();
        QVERIFY(!tip.intersects(button));
        QVERIFY2(qAbs(tip.left() - button.left()) <= 8 || qAbs(tip.left() - button.right()) <= 8
                     || qAbs(tip.right() - button.left()) <= 8,
                 "next to its button");
        QVERIFY2(qAbs(tip.top() - button.bottom()) <= 8 || tip.intersects(button.adjusted(-400, 0, 400, 0)),
                 "at its button's height or just under it");
        for (const QRect &line : TipPlacement::visibleTextLines(m_window->editor()))
            QVERIFY2(!line.intersects(tip), "a tip covers the text");
        QVERIFY(!TipPlacement::visibleTextLines(m_window->editor()).isEmpty());
        // The offscreen platform hands activation to the popup; a desktop does not.
        auto closePopup = [this] {
            m_window->popup()->close();
            m_window->activateWindow();
            return QTest::qWaitForWindowActive(m_window.get());
        };
        QVERIFY(closePopup());
        QVERIFY(m_window->restPopupTimer().isActive());
        QTRY_VERIFY(!m_window->popup()); // the closed tip deletes itself later
        m_window->slotDisplayDictPanel(true);
        QTRY_VERIFY(m_window->popup() && m_window->popup()->number() == 7);
        const QWidget *toggle = m_window->dictionaryPanel()->findChild<QWidget *>(QStringLiteral("cb_double"));
        QVERIFY(toggle);
        const QRect toggleRect(toggle->mapToGlobal(QPoint(0, 0)), toggle->size());
        QVERIFY(m_window->popup()->frameGeometry().adjusted(-10, -10, 10, 10).intersects(toggleRect));
        QVERIFY(!m_window->popup()->frameGeometry().intersects(toggleRect));
        QVERIFY(closePopup());
        // The report and correct-mode tips wait for their conditions.
        QVERIFY(m_window->restPopupTimer().isActive());
        setPolishMode(true);
        QTRY_VERIFY(m_window->popup() && m_window->popup()->number() == 4);
        ConfigStore saved(m_dir.path(), PromptTipFileName);
        QCOMPARE(saved.value(QStringLiteral("PT_ImproveMode")), QStringLiteral("True"));
        QCOMPARE(saved.value(QStringLiteral("PT_CorrectMode")), QStringLiteral("True"));
        QCOMPARE(saved.value(QStringLiteral("PT_Report")), QStringLiteral("False"));
        // Once every tip has been shown the scheduler ends.
        m_tips->setValue(QStringLiteral("PT_Report"), QStringLiteral("True"));
        QVERIFY(closePopup());
        QTRY_VERIFY(!m_window->restPopupTimer().isActive());
        QVERIFY(!m_window->popup());
    }

    void dictionarySlide_data()
    {
        QTest::addColumn<QString>("locked");
        QTest::newRow("unlocked panel closes when the editor gains focus") << "False";
        QTest::newRow("locked panel stays") << "True";
    }
    void dictionarySlide()
    {
        QFETCH(QString, locked);
        m_prefs->setValue(QStringLiteral("Dict_Height"), QStringLiteral("120"));
        makeWindow(services());
        m_window->slotDisplayDictPanel(true);
        QTRY_COMPARE(m_window->form().spVertical->sizes().value(1), 120);
        QVERIFY(m_window->isDictionaryOpen());
        m_window->slotDictLock(locked == QLatin1String("True"));
        QCOMPARE(savedPreferences()->value(QStringLiteral("Dict_Lock")), locked);
        emit m_window->editor()->signalShowDict(false);
        if (locked == QLatin1String("True")) {
            QVERIFY(m_window->isDictionaryOpen());
        } else {
            QTRY_VERIFY(m_window->form().dictionaryArea->isHidden());
            QCOMPARE(m_usage->eventCount(QStringLiteral("Dictionary_Unlock")), 1);
        }
    }

    // The indicator says what the service itself answered: its probe, a check.
    void connectionIndicator_data()
    {
        QTest::addColumn<bool>("serviceUp");
        QTest::addColumn<QString>("label");
        QTest::newRow("the service answers its probe") << true << "已成功连接至服务器";
        QTest::newRow("nothing answers on the service's port") << false << "未连接服务器";
    }
    void connectionIndicator()
    {
        QFETCH(bool, serviceUp);
        QFETCH(QString, label);
        ScriptedHttpServer server;
        server.setReply("/test.htm", "ok");
        MainWindowServices s = services();
        s.checkHost = serviceUp ? server.host() : ScriptedHttpServer::refusingHost();
        s.pingIntervalMs = 3600000; // the first probe only, at start
        makeWindow(s);
        QTRY_COMPARE(m_window->form().connectionLabel->text(), label);
        QCOMPARE(server.count("/test.htm"), serviceUp ? 1 : 0);
    }

    void failedCheckTurnsTheIndicatorOff_data()
    {
        QTest::addColumn<bool>("polish");
        QTest::newRow("check") << false;
        QTest::newRow("polish") << true;
    }
    void failedCheckTurnsTheIndicatorOff()
    {
        QFETCH(bool, polish);
        MainWindowServices s = services();
        s.checkHost = ScriptedHttpServer::refusingHost();
        s.progressTimings = {0, 0};
        s.wordCountDelayMs = 0;
        makeWindow(s);
        setPolishMode(polish);
        m_window->slotServiceReached(true);
        QCOMPARE(m_window->form().connectionLabel->text(), QStringLiteral("已成功连接至服务器"));
        m_window->editor()->setPlainText(QStringLiteral("She go to school every day."));
        QSignalSpy ended(m_window.get(), &MainWindow::signalCheckEnded);
        m_window->slotCheck();
        QVERIFY(ended.wait());
        setPolishMode(false);
        QCOMPARE(m_window->form().connectionLabel->text(), QStringLiteral("未连接服务器"));
        QVERIFY(m_boxes.contains(QStringLiteral("错误")));
    }
};

QTEST_MAIN(MainWindowLifecycleTest)
#include "tst_mainwindowlifecycle.moc"
