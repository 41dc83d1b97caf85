// The menu bar (action table, fold and its setting, web pages), the fade of windows and
// the small animation helpers, with short injected durations.

#include "configstore.h"
#include "custommenubar.h"
#include "faderwidget.h"
#include "focusanimation.h"
#include "genielabel.h"
#include "support/scriptedhttpserver.h"
#include "waitlabel.h"
#include "windowfadeanimation.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QPushButton>
#include <QToolButton>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace {

// Counts the close requests that went through.
class CountingWindow : public QWidget
{
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closes;
        QWidget::closeEvent(event);
    }
};

} // namespace

class FramePiecesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    std::unique_ptr<ConfigStore> store() const
    {
        return std::make_unique<ConfigStore>(m_dir.path(), QStringLiteral("preference.ini"));
    }

private slots:
    void actionTable_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("first: history") << 0 << "act_history" << "纠错历史" << "";
        QTest::newRow("polish all") << 3 << "act_improve_all" << "全部采纳" << "";
        QTest::newRow("save after the unused entry") << 7 << "act_save" << "保存文档..." << "Ctrl+S";
        QTest::newRow("quit") << 9 << "act_quit" << "退出" << "Alt+F4";
        QTest::newRow("check") << 19 << "act_check" << "检查" << "Ctrl+Alt+C";
        QTest::newRow("next error") << 22 << "act_next" << "下一个错误" << "F4";
        QTest::newRow("sign out") << 30 << "act_logout" << "注销登录" << "";
        QTest::newRow("last: about") << 33 << "act_about" << "关于Pennova" << "";
    }
    void actionTable()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, shortcut);
        auto prefs = store();
        CustomMenuBar bar(*prefs, QStringLiteral("web.test"));
        QCOMPARE(bar.actionList().size(), 34);
        QCOMPARE(bar.action(index)->objectName(), name);
        QCOMPARE(bar.action(index)->text(), text);
        QCOMPARE(bar.action(index)->shortcut().toString(), shortcut);
        // Every used action sits in exactly one of the five menus.
        int menus = 0;
        for (QMenu *menu : bar.menus())
            menus += menu->actions().contains(bar.action(index)) ? 1 : 0;
        QCOMPARE(menus, 1);
    }

    void foldIsAnimatedAndRemembered()
    {
        QFile::remove(m_dir.filePath(QStringLiteral("preference.ini")));
        auto prefs = store();
        QStringList titles;
        {
            CustomMenuBar bar(*prefs, QStringLiteral("web.test"));
            bar.setFoldDuration(30);
            bar.show();
            for (QMenu *menu : bar.menus())
                titles << menu->title();
            QCOMPARE(titles, (QStringList{"文件(&F)", "编辑(&E)", "视图(&V)", "用户(&U)", "帮助(&H)"}));
            QCOMPARE(bar.menuBar()->actions().size(), 5);
            bar.slotHideClicked();
            QVERIFY(bar.isAnimating());
            QTRY_VERIFY(!bar.isAnimating());
            QVERIFY(bar.isFolded());
            QVERIFY(bar.menuBar()->actions().isEmpty());
            QCOMPARE(bar.foldedMenuButton()->menu()->actions().size(), 5);
        }
        // A new start reads the saved state from the file.
        auto reloaded = store();
        QCOMPARE(reloaded->value(QStringLiteral("Menu_Fold")), QStringLiteral("True"));
        CustomMenuBar again(*reloaded, QStringLiteral("web.test"));
        again.setFoldDuration(30);
        QVERIFY(again.isFolded());
        QVERIFY(again.menuBar()->isHidden());
        again.slotHideClicked();
        QTRY_VERIFY(!again.isAnimating());
        QCOMPARE(again.menuBar()->actions().size(), 5);
        QCOMPARE(store()->value(QStringLiteral("Menu_Fold")), QStringLiteral("False"));
    }

    void webPages_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("tokenStatus"); // 0: no token asked for
        QTest::addColumn<QString>("url");     // HOST stands for the web host
        QTest::addColumn<QString>("event");
        const QString user = QStringLiteral("http://HOST/login/fromtessel");
        const QString token = QStringLiteral("0123456789ABCDEF0123456789ABCDEF");
        QTest::newRow("home page, nothing logged") << 0 << 0 << "http://HOST/" << "";
        QTest::newRow("personal page") << 1 << 200 << user + "?t=" + token << "Main_PersonalPage";
        QTest::newRow("word list") << 2 << 200 << user + "?d=1&t=" + token << "Main_UserDictionary";
        QTest::newRow("error history") << 3 << 200 << user + "?d=2&t=" + token << "Main_UserHistory";
        QTest::newRow("feedback with the version")
            << 4 << 200 << user + "?d=3&jv=0.9.2.0&t=" + token << "Main_FeedBack";
        QTest::newRow("token refused: the page without a secret") << 2 << 403 << user + "?d=1" << "Main_UserDictionary";
        QTest::newRow("help centre") << 6 << 0 << "http://HOST/Help" << "";
        QTest::newRow("help video") << 5 << 0 << "http://HOST/Help/Index1" << "Main_HelpVideo";
    }
    void webPages()
    {
        QFETCH(int, slot);
        QFETCH(int, tokenStatus);
        QFETCH(QString, url);
        QFETCH(QString, event);
        ScriptedHttpServer web;
        QVERIFY(web.listen());
        web.setReply("/login/pagetoken", tokenStatus == 200 ? "0123456789ABCDEF0123456789ABCDEF" : "unknown session",
                     tokenStatus == 0 ? 200 : tokenStatus);
        auto prefs = store();
        CustomMenuBar bar(*prefs, web.host());
        bar.setUser(QStringLiteral("writer01"), QStringLiteral("K3Y"));
        QList<QUrl> opened;
        QStringList events;
        bar.setUrlOpener([&opened](const QUrl &u) { opened << u; });
        bar.setEventSink([&events](const QString &e) { events << e; });
        void (CustomMenuBar::*pages[])() = {&CustomMenuBar::slotHomepage, &CustomMenuBar::slotUserHome,
                                            &CustomMenuBar::slotUserDict, &CustomMenuBar::slotUserErrorLog,
                                            &CustomMenuBar::slotFeedback, &CustomMenuBar::slotHelpVideo,
                                            &CustomMenuBar::slotHelpCenter};
        (bar.*pages[slot])();
        QTRY_COMPARE(opened.size(), 1);
        QCOMPARE(opened.first().toString(), QString(url).replace(QLatin1String("HOST"), web.host()));
        QCOMPARE(events, event.isEmpty() ? QStringList() : QStringList{event});
        // The session key goes only into the token request's body, never into a URL.
        QCOMPARE(web.bodies("/login/pagetoken"), tokenStatus ? QList<QByteArray>{"s=K3Y"} : QList<QByteArray>());
        QVERIFY(!opened.first().toString().contains(QLatin1String("K3Y")));
        for (const ScriptedHttpServer::Request &request : web.requests())
            QVERIFY(!request.path.contains("K3Y"));
    }

    void shareCarriesTheShareText()
    {
        auto prefs = store();
        CustomMenuBar bar(*prefs, QStringLiteral("web.test"));
        QUrl opened;
        bar.setUrlOpener([&opened](const QUrl &u) { opened = u; });
        bar.shareButton()->click();
        const QString title = QUrlQuery(opened).queryItemValue(QStringLiteral("title"), QUrl::FullyDecoded);
        QVERIFY(title.contains(QStringLiteral("@Pennova")));
        QVERIFY(title.endsWith(QStringLiteral("http://web.test/Download")));
    }

    void closingTwiceClosesOnceAfterTheFade()
    {
        CountingWindow window;
        auto *fade = new WindowFadeAnimation(&window);
        fade->setDurations(20, 40);
        window.show();
        QTRY_COMPARE(window.windowOpacity(), 1.0);
        QVERIFY(!window.close());
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QVERIFY(fade->isClosing());
        QTRY_VERIFY(!window.isVisible());
        QCOMPARE(window.closes, 1);
    }

    void dialogClosedWithAResultAfterTheFade()
    {
        QDialog dialog;
        auto *fade = new WindowFadeAnimation(&dialog);
        fade->setDurations(0, 30);
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        fade->closeWithResult(QDialog::Accepted);
        QVERIFY(dialog.isVisible());
        QVERIFY(finished.wait(2000));
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void faderShowsThenFadesAndGoes()
    {
        QWidget window;
        window.resize(300, 200);
        auto *note = new QLabel(QStringLiteral("全文已复制到剪贴板"), &window);
        note->setGeometry(20, 30, 150, 24);
        window.show();
        QPointer<FaderWidget> fader = new FaderWidget(note, &window, 10, 30);
        QVERIFY(note->isVisible());
        QCOMPARE(fader->geometry(), note->geometry());
        QTRY_VERIFY(!note->isVisible());
        QTRY_VERIFY(fader.isNull());
    }

    void waitLabelStaysCentred()
    {
        QWidget parent;
        parent.resize(200, 100);
        parent.show();
        WaitLabel wait(&parent);
        wait.start();
        QVERIFY(wait.isRunning() && wait.isVisibleTo(&parent));
        QCOMPARE(wait.geometry().center(), parent.rect().center());
        parent.resize(400, 300);
        QCOMPARE(wait.geometry().center(), parent.rect().center());
        wait.stop();
        QVERIFY(!wait.isRunning() && !wait.isVisibleTo(&parent));
    }

    void focusFrameGlidesToTheFocusedField()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *first = new QLineEdit(&window);
        auto *second = new QLineEdit(&window);
        layout->addWidget(first);
        layout->addStretch(1);
        layout->addWidget(second);
        window.resize(300, 300);
        auto *focus = new FocusAnimation(&window, 20);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        second->setFocus();
        const QRect around = QRect(second->pos(), second->size()).adjusted(-3, -3, 3, 3);
        QTRY_COMPARE(focus->frameLabel()->geometry(), around);
        first->setFocus();
        QTRY_COMPARE(focus->frameLabel()->geometry(), QRect(first->pos(), first->size()).adjusted(-3, -3, 3, 3));
        // A button takes the focus (a page change moves it there): the ring goes.
        auto *button = new QPushButton(QStringLiteral("直接登录"), &window);
        layout->addWidget(button);
        button->show();
        button->setFocus();
        QTRY_VERIFY(!focus->frameLabel()->isVisible());
        second->setFocus();
        QTRY_VERIFY(focus->frameLabel()->isVisible());
    }

    void genieSqueezesIntoTheTarget()
    {
        GenieLabel genie;
        QImage image(100, 50, QImage::Format_ARGB32);
        image.fill(Qt::red);
        genie.setSnapshot(image);
        genie.setTarget(QPoint(10, 200));
        for (int y : {0, 25, 49}) {
            const GenieLabel::Row start = genie.rowAt(y, 0);
            QCOMPARE(start.left, 0.0);
            QCOMPARE(start.right, 100.0);
            QCOMPARE(start.y, double(y));
            const GenieLabel::Row end = genie.rowAt(y, 255);
            QCOMPARE(end.left, 10.0);
            QCOMPARE(end.right, 10.0);
            QCOMPARE(end.y, 200.0);
        }
        // Halfway, the rows nearer the target have gone further.
        QVERIFY(genie.rowAt(49, 128).y - 49 > genie.rowAt(0, 128).y - 0);
    }
};

QTEST_MAIN(FramePiecesTest)
#include "tst_framepieces.moc"
