// The main window against the real pennova-server, started as a child process on a port
// it picks itself, over a temporary data directory, with a user logged in through UserAccess.

#include "support/editorfixture.h"
#include "support/scriptedhttpserver.h"
#include "support/serverprocess.h"

#include "checktaskthread.h"
#include "configstore.h"
#include "correctionitem.h"
#include "custommessagebox.h"
#include "customtexteditor.h"
#include "globalstores.h"
#include "mainwindow.h"
#include "passwordhash.h"
#include "polishmode.h"
#include "sentenceentry.h"
#include "useraccess.h"
#include "userinformation.h"

#include <QDateTime>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace ZeltraLib;

class MainWindowServerTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_data;
    QTemporaryDir m_config;
    ServerProcess m_server;
    QString m_host;
    std::unique_ptr<UserAccess> m_access;
    std::unique_ptr<ConfigStore> m_prefs;
    std::unique_ptr<ConfigStore> m_tips;
    std::unique_ptr<UserInformation> m_usage;
    std::unique_ptr<MainWindow> m_window;
    QStringList m_boxes;
    QStringList m_acceptedBoxes; // titles answered with the first button

    // No real progress animation or tip timers: the tests wait on the server only.
    static void quickTimings(MainWindowServices &services)
    {
        services.progressTimings = {0, 0};
        services.tipTimings = {0, 0};
        services.polishProgressMs = 10;
        services.wordCountDelayMs = 0;
    }

    bool check(const QString &text)
    {
        m_window->editor()->setPlainText(text);
        QSignalSpy ended(m_window.get(), &MainWindow::signalCheckEnded);
        m_window->slotCheck();
        return !ended.isEmpty() || ended.wait(60000);
    }

    // A server over `dataDir` with the user `user` (password "secret123"); *host is its
    // "host:port".
    static void startServer(ServerProcess &server, const QString &dataDir, const QString &user,
                            const QStringList &options, QString *host)
    {
        QCOMPARE(QProcess::execute(ServerProcess::program(), {"--data", dataDir, "user", "add", user,
                                                              user + QStringLiteral("@example.com"), "secret123"}),
                 0);
        QVERIFY2(server.start(dataDir, options), server.output().constData());
        *host = server.host();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid() && m_config.isValid());
        startServer(m_server, m_data.path(), QStringLiteral("writer01"), {}, &m_host);
        QVERIFY(!QTest::currentTestFailed());

        m_access = std::make_unique<UserAccess>(m_host);
        QSignalSpy login(m_access.get(), &UserAccess::LoginFinished);
        m_access->login(QStringLiteral("writer01"), passwordHash(QStringLiteral("secret123")));
        QVERIFY(login.wait(15000));
        QVERIFY(!m_access->sessionKey().isEmpty());
        CustomMessageBox::setAutoAnswer([this](CustomMessageBox &box) {
            m_boxes << box.title();
            return box.title().startsWith(QStringLiteral("全部")) || m_acceptedBoxes.contains(box.title())
                       ? int(QDialog::Accepted)
                       : int(QDialog::Rejected);
        });
    }

    void init()
    {
        // The window saves its settings; every test starts from the defaults.
        QFile::remove(m_config.filePath(PreferenceFileName));
        m_prefs = makePreferences(m_config);
        m_prefs->setValue(QStringLiteral("show_report"), QStringLiteral("False"));
        m_tips = std::make_unique<ConfigStore>(m_config.path(), PromptTipFileName);
        mergeDefaults(*m_tips, promptTipDefaults());
        m_usage = std::make_unique<UserInformation>(m_host);
        m_boxes.clear();
        setPolishMode(false);
        MainWindowServices services{*m_prefs, *m_tips, *m_access, *m_usage, m_host, m_host,
                                    m_data.filePath(QStringLiteral("none.dat"))};
        quickTimings(services);
        m_window = std::make_unique<MainWindow>(services);
        m_window->show();
    }

    void cleanup()
    {
        m_window.reset();
        setPolishMode(false);
    }

    void cleanupTestCase()
    {
        CustomMessageBox::setAutoAnswer({});
        m_server.stop();
    }

    void checkEndToEnd()
    {
        const QString text = QStringLiteral("我的作文: I recieve a letter yesterday. Their is a problam with the the plan.\n"
                                            "She go to school every day.");
        QVERIFY(check(text));
        QCOMPARE(m_window->finishCode(), 0);
        QVERIFY(m_window->isCheckCompleted());
        QVERIFY(m_boxes.isEmpty());
        QVERIFY2(m_window->findings().size() >= 2, qPrintable(QString::number(m_window->findings().size())));
        // Document order, each finding still covering the text it was made for.
        int previous = -1;
        for (CorrectionItem *item : m_window->findings().items()) {
            QVERIFY(item->start() >= previous);
            previous = item->start();
            QCOMPARE(item->currentText(), item->foundText());
            QVERIFY(text.mid(item->start(), item->end() - item->start()) == item->foundText());
        }
        QCOMPARE(m_window->focusedFinding(), m_window->findings().firstVisible());
        QVERIFY(m_window->statistics().total() >= m_window->findings().size());
        // Unchanged sentences come from the cache the second time.
        QVERIFY(m_window->checkStorage().size() >= m_window->sentences().size());

        m_window->slotCorrectAll();
        QCOMPARE(m_boxes, QStringList{QStringLiteral("全部改正确认")});
        for (CorrectionItem *item : m_window->findings().items())
            QVERIFY(item->isApplied() || item->candidateCount() == 0);
        const int steps = m_window->history().undoCount();
        for (int i = 0; i < steps; ++i)
            m_window->slotUndo();
        QCOMPARE(m_window->editor()->toPlainText(), text);
    }

    // The second check of the same text is answered from the cache and still scores the
    // whole text: the same findings and the same scores; with one sentence changed too,
    // when it and the sentence after it (whose findings may read it) are sent again.
    void repeatedCheckIsAnsweredFromTheCache_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("cached");
        const QString text = QStringLiteral("He have a dog. The dog are big. Although it rained, we walked far.");
        QTest::newRow("unchanged text") << text << 3;
        QTest::newRow("one sentence changed and back") << QStringLiteral("He have a cat. The dog are big. Although it rained, we walked far.") << 1;
        QTest::newRow("last sentence changed and back") << QStringLiteral("He have a dog. The dog are big. Although it rained, we ran.") << 2;
    }
    void repeatedCheckIsAnsweredFromTheCache()
    {
        QFETCH(QString, second);
        QFETCH(int, cached);
        const QString text = QStringLiteral("He have a dog. The dog are big. Although it rained, we walked far.");
        QVERIFY(check(text));
        const int first = m_window->findings().size();
        const double lexical = m_window->checkThread()->lexicalScore();
        const double syntax = m_window->checkThread()->syntaxScore();
        QVERIFY(lexical > 0.0 && syntax > 0.0);
        if (second != text) {
            QVERIFY(check(second));
            QCOMPARE(m_window->checkThread()->answeredFromStorage().size(), cached);
        }
        QVERIFY(check(text));
        QCOMPARE(m_window->findings().size(), first);
        QCOMPARE(m_window->checkThread()->answeredFromStorage().size(), m_window->sentences().size());
        QCOMPARE(m_window->checkThread()->lexicalScore(), lexical);
        QCOMPARE(m_window->checkThread()->syntaxScore(), syntax);
    }

    // A server whose sessions last 2 s: the window's keep-alive (every 250 ms here) keeps
    // its session, so a check after 2.25 s still succeeds, while an idle session is gone
    // (whole seconds: it expires at the latest 2 s after its login).
    void keepAliveOutlivesAShortSessionLifetime()
    {
        QTemporaryDir data;
        QVERIFY(data.isValid());
        ServerProcess server;
        QString host;
        startServer(server, data.path(), QStringLiteral("writer02"), {"--session-lifetime", "2"}, &host);
        QVERIFY(!QTest::currentTestFailed());

        UserAccess kept(host), idle(host);
        m_window.reset();
        MainWindowServices services{*m_prefs, *m_tips, kept, *m_usage, host, host,
                                    m_data.filePath(QStringLiteral("none.dat"))};
        quickTimings(services);
        services.sessionIntervalMs = 250;
        services.pingIntervalMs = 0;
        m_window = std::make_unique<MainWindow>(services);
        m_window->show();
        // Logged in once the window runs, so that its keep-alive follows at once however
        // long building the window took on a busy machine.
        for (UserAccess *access : {&kept, &idle}) {
            QSignalSpy login(access, &UserAccess::LoginFinished);
            access->login(QStringLiteral("writer02"), passwordHash(QStringLiteral("secret123")));
            QVERIFY(login.wait(15000));
            QVERIFY(!access->sessionKey().isEmpty());
        }
        QSignalSpy activated(&kept, &UserAccess::ActivateSessionFinished);
        QTRY_VERIFY_WITH_TIMEOUT(activated.size() >= 9, 20000); // at least 2.25 s
        for (const QList<QVariant> &answer : std::as_const(activated))
            QCOMPARE(answer.first().toInt(), -1);

        QSignalSpy idleAnswer(&idle, &UserAccess::ActivateSessionFinished);
        idle.activateSession();
        QVERIFY(idleAnswer.wait(15000));
        QCOMPARE(idleAnswer.first().first().toInt(), 2300);

        QVERIFY(check(QStringLiteral("She go to school every day.")));
        QCOMPARE(m_window->finishCode(), 0);
        QVERIFY(!m_window->findings().isEmpty());
        m_window.reset();
        server.stop();
    }

    // 加入我的词库 while the service is down, then the program dies (no upload, no
    // sign-out): the next start sends the word and the server keeps it.
    void wordAddedWhileDownSurvivesACrash()
    {
        QTemporaryDir settings;
        QVERIFY(settings.isValid());
        {
            auto crashed = std::make_unique<UserInformation>(ScriptedHttpServer::refusingHost());
            crashed->setQueueDirectory(settings.path());
            crashed->setAccount(QStringLiteral("writer01"), m_access->sessionKey());
            QSignalSpy answered(crashed.get(), &UserInformation::signalWordsUploaded);
            QCOMPARE(crashed->addWord(QStringLiteral("Zugzwang")), UserInformation::AddWordResult::Added);
            QVERIFY(answered.wait(15000));
            QCOMPARE(answered.first().first().toBool(), false);
        }
        UserInformation restarted(m_host);
        restarted.setQueueDirectory(settings.path());
        QSignalSpy answered(&restarted, &UserInformation::signalWordsUploaded);
        QVERIFY(restarted.setAccount(QStringLiteral("writer01"), m_access->sessionKey()));
        QVERIFY(answered.wait(15000));
        QCOMPARE(answered.first().first().toBool(), true);
        QVERIFY(restarted.newWords().isEmpty());
        // What the server now lists for the user.
        UserInformation reader(m_host);
        QSignalSpy listed(&reader, &UserInformation::signalWordListChanged);
        reader.fetchWordList(m_access->sessionKey());
        QVERIFY(listed.wait(15000));
        QVERIFY(reader.contains(QStringLiteral("Zugzwang")));
    }

    // A session that ran out (a 3 s lifetime on the server, nothing keeping it alive; long
    // enough that the fresh session outlives the repeated check on a busy machine):
    // with a remembered password the check logs in again by itself and is repeated once;
    // without one the box leads to the login window, and the text stays as it was.
    void expiredSession_data()
    {
        QTest::addColumn<bool>("remembered");
        QTest::addColumn<bool>("loginAgain"); // what the user does in the login window
        QTest::newRow("remembered password: silent login, check repeated") << true << false;
        QTest::newRow("nothing remembered: login window, new session") << false << true;
        QTest::newRow("nothing remembered: login window closed") << false << false;
    }
    void expiredSession()
    {
        QFETCH(bool, remembered);
        QFETCH(bool, loginAgain);
        QTemporaryDir data;
        QVERIFY(data.isValid());
        ServerProcess server;
        QString host;
        startServer(server, data.path(), QStringLiteral("writer03"), {"--session-lifetime", "3"}, &host);
        QVERIFY(!QTest::currentTestFailed());

        const QString hash = passwordHash(QStringLiteral("secret123"));
        UserAccess access(host);
        auto logIn = [&access, hash] {
            QSignalSpy login(&access, &UserAccess::LoginFinished);
            access.login(QStringLiteral("writer03"), hash);
            return login.wait(15000) && login.first().first().toInt() == -1;
        };
        QVERIFY(logIn());
        const QString firstKey = access.sessionKey();
        // The server counts whole seconds: past the lifetime, the session has run out.
        const qint64 loggedIn = QDateTime::currentSecsSinceEpoch();

        m_prefs->setValue(QStringLiteral("str_user"), QStringLiteral("writer03"));
        m_prefs->setValue(QStringLiteral("rem_pwd"), remembered ? QStringLiteral("True") : QStringLiteral("False"));
        m_prefs->setValue(QStringLiteral("str_pwd"), remembered ? hash : QString());
        UserInformation usage(host);
        int loginWindows = 0;
        m_window.reset();
        MainWindowServices services{*m_prefs, *m_tips, access, usage, host, host,
                                    m_data.filePath(QStringLiteral("none.dat"))};
        quickTimings(services);
        services.pingIntervalMs = 0;
        services.relogin = [&](QWidget *) {
            ++loginWindows;
            return loginAgain && logIn();
        };
        m_window = std::make_unique<MainWindow>(services);
        m_window->show();
        m_acceptedBoxes = {QStringLiteral("提示")}; // "重新登录"
        QTRY_VERIFY_WITH_TIMEOUT(QDateTime::currentSecsSinceEpoch() > loggedIn + 3, 8000);

        const QString text = QStringLiteral("She go to school every day.");
        QVERIFY(check(text));
        m_acceptedBoxes.clear();
        QCOMPARE(m_window->editor()->toPlainText(), text);
        if (remembered) {
            QVERIFY2(m_boxes.isEmpty(), qPrintable(m_boxes.join(QLatin1Char(','))));
            QCOMPARE(loginWindows, 0);
            QCOMPARE(m_window->finishCode(), 0);
            QVERIFY(m_window->isCheckCompleted());
            QVERIFY(!m_window->findings().isEmpty());
        } else {
            QCOMPARE(m_boxes, QStringList{QStringLiteral("提示")});
            QCOMPARE(loginWindows, 1);
            QVERIFY(m_window->findings().isEmpty());
        }
        QCOMPARE(access.sessionKey() != firstKey, remembered || loginAgain);
        m_window.reset();
        server.stop();
    }
};

QTEST_MAIN(MainWindowServerTest)
#include "tst_mainwindowserver.moc"
