// The assistant, the close question, the about box, the count-down on its own and where
// tips are placed.

#include "aboutwindow.h"
#include "configstore.h"
#include "custommenubar.h"
#include "custommessagebox.h"
#include "notifymsgbox.h"
#include "popuplabel.h"
#include "tipmanager.h"
#include "tippresenter.h"
#include "tipwindow.h"
#include "titlebar.h"
#include "userinformation.h"
#include "support/untranslatedtexts.h"

#include <QCheckBox>
#include <QDialog>
#include <QPointer>
#include <QFontMetrics>
#include <QMenu>
#include <QRegularExpression>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QScopeGuard>

#include <memory>

#include <algorithm>

class TipWindowsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    // Start page, five steps, and the three ways out with their usage events.
    void assistantPages()
    {
        ConfigStore prefs(m_dir.path(), QStringLiteral("preference.ini"));
        prefs.setValue(QStringLiteral("display_tips"), QStringLiteral("True"));
        ZeltraLib::UserInformation usage(QStringLiteral("127.0.0.1:1"));
        QPointer<TipWindow> tip = new TipWindow(prefs, usage, QStringLiteral("web.example"));
        tip->setAttribute(Qt::WA_DeleteOnClose); // as the program shows it
        tip->show();
        QCOMPARE(tip->pageIndex(), -1);
        QVERIFY(tip->pageHtml().contains(QStringLiteral("http://web.example/Help/Index1")));
        QVERIFY(tip->goButton()->isVisible() && tip->skipButton()->isVisible());
        QVERIFY(!tip->prevButton()->isVisible() && !tip->nextButton()->isVisible());

        QTest::mouseClick(tip->goButton(), Qt::LeftButton);
        QCOMPARE(usage.eventCount(QStringLiteral("Tip_Go")), 1);
        const QStringList titles = {"第一步：个性化设置", "第二步：输入文本", "第三步：检查错误",
                                    "第四步：润色文章", "第五步：保存文本"};
        for (int page = 0; page < TipWindow::PageCount; ++page) {
            QCOMPARE(tip->pageIndex(), page);
            QVERIFY(tip->pageHtml().contains(titles.at(page)));
            QVERIFY(!tip->goButton()->isVisible() && !tip->skipButton()->isVisible());
            QCOMPARE(tip->prevButton()->isEnabled(), page > 0);
            QCOMPARE(tip->nextButton()->isVisible(), page < 4);
            QCOMPARE(tip->finishButton()->isVisible(), page == 4);
            if (page < 4)
                QTest::mouseClick(tip->nextButton(), Qt::LeftButton);
        }
        QTest::mouseClick(tip->prevButton(), Qt::LeftButton);
        QCOMPARE(tip->pageIndex(), 3);
        QTest::mouseClick(tip->nextButton(), Qt::LeftButton);

        tip->hideNextTimeBox()->setChecked(true);
        QCOMPARE(prefs.value(QStringLiteral("display_tips")), QStringLiteral("False"));
        ConfigStore saved(m_dir.path(), QStringLiteral("preference.ini"));
        QCOMPARE(saved.value(QStringLiteral("display_tips")), QStringLiteral("False"));
        tip->hideNextTimeBox()->setChecked(false);
        QCOMPARE(prefs.value(QStringLiteral("display_tips")), QStringLiteral("True"));

        QTest::mouseClick(tip->finishButton(), Qt::LeftButton);
        QCOMPARE(usage.eventCount(QStringLiteral("Tip_Finish")), 1);
        QTRY_VERIFY(!tip);

        tip = new TipWindow(prefs, usage, QStringLiteral("web.example"));
        tip->setAttribute(Qt::WA_DeleteOnClose);
        tip->show();
        QTest::mouseClick(tip->skipButton(), Qt::LeftButton);
        QCOMPARE(usage.eventCount(QStringLiteral("Tip_Close")), 1);
        QTRY_VERIFY(!tip);
    }

    // Every control a page names in quotes exists: “菜单-命令” in the menu bar, a single
    // name as one of the program's commands; the buttons speak Chinese.
    void assistantNamesRealControls()
    {
        ConfigStore prefs(m_dir.path(), QStringLiteral("names.ini"));
        ZeltraLib::UserInformation usage(QStringLiteral("127.0.0.1:1"));
        CustomMenuBar bar(prefs, QStringLiteral("web.example"));
        QHash<QString, QStringList> menus; // menu title without its mnemonic -> command texts
        QStringList commands;
        for (QMenu *menu : bar.menus()) {
            const QString title = menu->title().section(QLatin1Char('('), 0, 0);
            for (QAction *action : menu->actions()) {
                const QString text = action->text().remove(QStringLiteral("...")).remove(QLatin1Char('&'));
                menus[title] << text;
                commands << text;
            }
        }
        QVERIFY(!commands.isEmpty());
        TipWindow tip(prefs, usage, QStringLiteral("web.example"));
        QCOMPARE(TestTexts::untranslatedTexts(&tip), QStringList());
        static const QRegularExpression named(QStringLiteral("“([^”]+)”"));
        int names = 0;
        QTest::mouseClick(tip.goButton(), Qt::LeftButton);
        for (int page = 0; page < TipWindow::PageCount; ++page) {
            for (auto m = named.globalMatch(tip.pageHtml()); m.hasNext(); ++names) {
                const QString name = m.next().captured(1);
                const QString where = TipWindow::pageTitle(page) + QStringLiteral(": ") + name;
                if (name.contains(QLatin1Char('-'))) {
                    const QString menu = name.section(QLatin1Char('-'), 0, 0);
                    QVERIFY2(menus.contains(menu), qPrintable(where));
                    QVERIFY2(menus.value(menu).contains(name.section(QLatin1Char('-'), 1)), qPrintable(where));
                } else {
                    QVERIFY2(commands.contains(name), qPrintable(where));
                }
            }
            tip.slotNext();
        }
        QVERIFY(names >= 5);
    }

    // Tips wrap between phrases only: every line but a paragraph's last ends after a
    // punctuation mark or a space, nothing is lost, and a line is too wide only when it
    // is one phrase.
    void tipLinesKeepWordsWhole_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("the tips' own width") << PopupLabel::MaxWidth - 22;
        QTest::newRow("narrow") << 120;
        QTest::newRow("narrower than a phrase") << 30;
    }
    void tipLinesKeepWordsWhole()
    {
        QFETCH(int, width);
        QFont font(QStringLiteral("微软雅黑"));
        font.setPixelSize(12);
        const QFontMetrics metrics(font);
        static const QString ends = QStringLiteral("，。；、！？：）”,.;!? ");
        for (int number = 0; number < TipManager::TipCount; ++number) {
            const QString text = TipManager::text(number);
            const QStringList lines = PopupLabel::breakLines(text, metrics, width);
            QString joined;
            for (const QString &paragraph : text.split(QLatin1Char('\n')))
                joined += paragraph.simplified().remove(QLatin1Char(' '));
            QString rebuilt;
            for (const QString &line : lines)
                rebuilt += line.simplified().remove(QLatin1Char(' '));
            QCOMPARE(rebuilt, joined);
            qsizetype at = 0;
            for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
                QString rest = paragraph.trimmed();
                while (!rest.isEmpty()) {
                    const QString line = lines.value(at++);
                    QVERIFY2(!line.isEmpty() && rest.startsWith(line), qPrintable(line));
                    rest = rest.mid(line.size()).trimmed();
                    if (!rest.isEmpty())
                        QVERIFY2(ends.contains(line.back()), qPrintable(QString::number(number) + QLatin1Char(' ') + line));
                    const bool onePhrase = std::none_of(line.cbegin(), line.cend() - 1,
                                                        [](QChar c) { return ends.contains(c); });
                    QVERIFY2(metrics.horizontalAdvance(line) <= width || onePhrase, qPrintable(line));
                }
            }
        }
        // The word-list notice keeps "我的词库" on one line (it was cut as 我的词/典).
        const QStringList notice = PopupLabel::breakLines(TipManager::text(14), metrics, PopupLabel::MaxWidth - 22);
        QCOMPARE(notice.first(), QStringLiteral("该词已经被加入“我的词库”"));
    }

    void closeQuestion_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("chooseExit");
        QTest::addColumn<bool>("noAsk");
        QTest::addColumn<QString>("storedLevel");
        QTest::newRow("level 1 preselects hiding; keep asking") << "1" << false << false << "1";
        QTest::newRow("level 2: quit, do not ask again") << "2" << true << true << "2";
        QTest::newRow("level 1, user picks quit") << "1" << true << false << "2";
    }
    void closeQuestion()
    {
        QFETCH(QString, level);
        QFETCH(bool, chooseExit);
        QFETCH(bool, noAsk);
        QFETCH(QString, storedLevel);
        ConfigStore prefs(m_dir.path(), QStringLiteral("close.ini"));
        prefs.setValue(QStringLiteral("click_close_level"), level);
        prefs.setValue(QStringLiteral("show_close_tip"), QStringLiteral("True"));
        NotifyMsgBox box(prefs);
        QCOMPARE(box.hideOption()->isChecked(), level == QLatin1String("1"));
        (chooseExit ? box.exitOption() : box.hideOption())->setChecked(true);
        box.doNotAskBox()->setChecked(noAsk);
        box.slotSubmitClick();
        QCOMPARE(box.result(), int(QDialog::Accepted));
        QCOMPARE(box.storeChoice(prefs), chooseExit);
        QCOMPARE(prefs.value(QStringLiteral("click_close_level")), storedLevel);
        QCOMPARE(prefs.value(QStringLiteral("show_close_tip")), noAsk ? QStringLiteral("False") : QStringLiteral("True"));
        box.slotExitClick();
        QCOMPARE(box.result(), int(QDialog::Rejected));
    }

    void aboutBox()
    {
        AboutWindow about(QStringLiteral("web.example:8080"));
        QCOMPARE(about.versionText(), QStringLiteral("Pennova英语写作辅助软件 v 0.9.2.0"));
        QCOMPARE(AboutWindow::linkUrl(AboutWindow::Agreement, QStringLiteral("w.example")),
                 QUrl(QStringLiteral("http://w.example/Info/UserAgreement")));
        QCOMPARE(AboutWindow::linkUrl(AboutWindow::Privacy, QStringLiteral("w.example")),
                 QUrl(QStringLiteral("http://w.example/Info/PrivacyStatement")));
        QCOMPARE(AboutWindow::linkUrl(AboutWindow::Contact, QStringLiteral("w.example")),
                 QUrl(QStringLiteral("http://w.example/Info/Contact")));
        QCOMPARE(about.linkButton(AboutWindow::Privacy)->text(), QStringLiteral("隐私声明"));
    }

    // Whoever holds one of these dialogs (on the stack, say, for exec()) keeps it: closing
    // it by any of its buttons never deletes it behind the owner's back.
    void closingLeavesTheDialogToItsOwner_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("way");
        QTest::newRow("about box, 确认") << "about" << "ok";
        QTest::newRow("about box, title bar close") << "about" << "titlebar";
        QTest::newRow("assistant, 跳过") << "assistant" << "skip";
        QTest::newRow("assistant, title bar close") << "assistant" << "titlebar";
    }
    void closingLeavesTheDialogToItsOwner()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, way);
        ConfigStore prefs(m_dir.path(), QStringLiteral("owner.ini"));
        ZeltraLib::UserInformation usage(QStringLiteral("127.0.0.1:1"));
        std::unique_ptr<QDialog> owned;
        if (dialog == QLatin1String("about"))
            owned = std::make_unique<AboutWindow>(QStringLiteral("web.example"));
        else
            owned = std::make_unique<TipWindow>(prefs, usage, QStringLiteral("web.example"));
        QPointer<QDialog> alive = owned.get();
        // A dialog that deleted itself must not be deleted again.
        const auto forgetDeleted = qScopeGuard([&] {
            if (!alive)
                (void)owned.release();
        });
        QSignalSpy finished(owned.get(), &QDialog::finished);
        owned->show();
        QVERIFY(QTest::qWaitForWindowExposed(owned.get()));
        QPushButton *button = nullptr;
        if (way == QLatin1String("titlebar")) {
            button = owned->findChild<Titlebar *>()->closeButton();
        } else if (way == QLatin1String("skip")) {
            button = static_cast<TipWindow *>(owned.get())->skipButton();
        } else {
            for (QPushButton *b : owned->findChildren<QPushButton *>()) {
                if (b->text() == QStringLiteral("确 认"))
                    button = b;
            }
        }
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_VERIFY(alive && !alive->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alive);
        QVERIFY(!owned->testAttribute(Qt::WA_DeleteOnClose));
    }

    // The count-down on its own timer (short ticks): 6, 5, ... 0, then accepted.
    void countDownTicksByItself()
    {
        CustomMessageBox box(QStringLiteral("提交词数过多"), QStringLiteral("text"));
        box.setCountDownIntervalMs(1);
        QSignalSpy done(&box, &QDialog::finished);
        box.startCountDown(5, 30);
        QCOMPARE(box.countDownText(), QStringLiteral("6 s内还能检查30词"));
        box.show();
        QVERIFY(done.wait(5000));
        QCOMPARE(done.first().at(0).toInt(), int(QDialog::Accepted));
        QCOMPARE(box.countDownText(), QStringLiteral("0 s内还能检查30词"));
        QCOMPARE(box.remainingSeconds(), 0);
    }

    // Tips stay inside their window, follow what they explain, close when it is out of
    // sight and when a modal window opens over their window.
    void tipPlacement()
    {
        ConfigStore store(m_dir.path(), QStringLiteral("setting.ini"));
        QWidget owner;
        owner.setGeometry(100, 100, 400, 300);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        TipPresenter tips(store, &owner, PopupTimings{1, 60000});
        const QRect area(owner.mapToGlobal(QPoint(0, 0)), owner.size());

        // Asked to sit beyond the right and bottom edges: moved inside.
        QPointer<PopupLabel> tip = tips.show(13, area.bottomRight() + QPoint(50, 50));
        QVERIFY(tip);
        QVERIFY2(area.contains(tip->geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(tip->x()).arg(tip->y())
                                                            .arg(tip->width()).arg(tip->height())));

        QPoint place = area.topLeft() + QPoint(20, 40);
        bool visible = true;
        tip = tips.show(2, [&](const QSize &, QPoint *at) {
            *at = place;
            return visible;
        });
        QCOMPARE(tip->pos(), place);
        place += QPoint(30, 10);
        tips.refresh();
        QCOMPARE(tip->pos(), place);
        visible = false;
        tips.refresh();
        QVERIFY(!tips.current());
        QTRY_VERIFY(!tip);

        visible = true;
        tip = tips.show(2, [&](const QSize &, QPoint *at) {
            *at = place;
            return visible;
        });
        QDialog modal(&owner);
        modal.setModal(true);
        modal.show();
        QTRY_VERIFY(!tip);
    }
};

QTEST_MAIN(TipWindowsTest)
#include "tst_tipwindows.moc"
