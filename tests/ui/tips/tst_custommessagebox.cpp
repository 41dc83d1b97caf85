// The program's message box and its pop-up tips.

#include "configstore.h"
#include "custommessagebox.h"
#include "popuplabel.h"
#include "tippresenter.h"
#include "tipmanager.h"
#include "windowfadeanimation.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class CustomMessageBoxTest : public QObject
{
    Q_OBJECT

private slots:
    // The frame's fade runs at once here: closing still goes through it.
    void initTestCase() { WindowFadeAnimation::setDefaultDurations(0, 0); }

    void variants_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("confirm");
        QTest::addColumn<QString>("cancel");   // empty: no cancel button
        QTest::addColumn<QString>("extra");    // empty: no extra button
        QTest::newRow("information: confirm only") << 0 << "确认" << "" << "";
        QTest::newRow("question: default cancel text") << 1 << "清除" << "返回" << "";
        QTest::newRow("question with both texts") << 2 << "替换" << "忽略" << "";
        QTest::newRow("with an extra button") << 3 << "退出" << "返回" << "保存文本";
    }
    void variants()
    {
        QFETCH(int, variant);
        QFETCH(QString, confirm);
        QFETCH(QString, cancel);
        QFETCH(QString, extra);
        bool flag = false;
        std::unique_ptr<CustomMessageBox> box;
        switch (variant) {
        case 0: box = std::make_unique<CustomMessageBox>("标题", "正文"); break;
        case 1: box = std::make_unique<CustomMessageBox>("标题", "正文", confirm); break;
        case 2: box = std::make_unique<CustomMessageBox>("标题", "正文", confirm, cancel); break;
        default: box = std::make_unique<CustomMessageBox>("标题", "正文", confirm, extra, &flag); break;
        }
        QCOMPARE(box->title(), QStringLiteral("标题"));
        QCOMPARE(box->text(), QStringLiteral("正文"));
        QCOMPARE(box->confirmButton()->text(), confirm);
        QCOMPARE(box->hasCancelButton(), !cancel.isEmpty());
        QCOMPARE(box->hasExtraButton(), !extra.isEmpty());
        if (!cancel.isEmpty())
            QCOMPARE(box->cancelButton()->text(), cancel);
        if (!extra.isEmpty()) {
            QCOMPARE(box->extraButton()->text(), extra);
            box->extraButton()->click();
            QVERIFY(flag);
            QCOMPARE(box->result(), int(QDialog::Accepted));
        }
        QVERIFY(box->countDownText().isEmpty());
    }

    void buttonsDecideTheResult_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("result");
        QTest::newRow("confirm accepts") << "confirm" << int(QDialog::Accepted);
        QTest::newRow("cancel rejects") << "cancel" << int(QDialog::Rejected);
        QTest::newRow("closing rejects") << "close" << int(QDialog::Rejected);
    }
    void buttonsDecideTheResult()
    {
        QFETCH(QString, press);
        QFETCH(int, result);
        CustomMessageBox box("清除确认", "文本框中存在内容，是否清除？", "清除");
        box.setResult(-1);
        box.show();
        if (press == QLatin1String("confirm"))
            box.confirmButton()->click();
        else if (press == QLatin1String("cancel"))
            box.cancelButton()->click();
        else
            box.close();
        QTRY_COMPARE(box.result(), result);
        QTRY_VERIFY(!box.isVisible());
    }

    void countDownShowsEverySecondAndAccepts()
    {
        CustomMessageBox box("提交词数过多", "Pennova每分钟最多检查30,000个单词");
        box.setResult(-1);
        box.startCountDown(5, 1200);
        QCOMPARE(box.countDownText(), QStringLiteral("6 s内还能检查1200词"));
        for (int shown = 5; shown >= 1; --shown) {
            box.slotCountDown();
            QCOMPARE(box.countDownText(), QStringLiteral("%1 s内还能检查1200词").arg(shown));
            QCOMPARE(box.result(), -1);
        }
        box.slotCountDown();
        QCOMPARE(box.result(), int(QDialog::Accepted));
        QCOMPARE(box.remainingSeconds(), 0);
    }

    void countDownRunsOnItsOwn()
    {
        CustomMessageBox box("提交词数过多", "稍候");
        box.setResult(-1);
        box.startCountDown(0, 7);
        QCOMPARE(box.countDownText(), QStringLiteral("1 s内还能检查7词"));
        QTRY_COMPARE_WITH_TIMEOUT(box.result(), int(QDialog::Accepted), 5000);
        QCOMPARE(box.countDownText(), QStringLiteral("0 s内还能检查7词"));
    }

    void autoAnswerReplacesTheModalRun()
    {
        QStringList seen;
        CustomMessageBox::setAutoAnswer([&seen](CustomMessageBox &box) {
            seen << box.title();
            box.extraButton()->click();
            return int(QDialog::Accepted);
        });
        bool flag = false;
        CustomMessageBox box("退出确认", "退出后将丢失文本，是否退出？", "退出", "保存文本", &flag);
        QCOMPARE(box.exec(), int(QDialog::Accepted));
        CustomMessageBox::setAutoAnswer({});
        QCOMPARE(seen, QStringList{QStringLiteral("退出确认")});
        QVERIFY(flag);
    }

    void tipCatalogue_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("link");
        QTest::newRow("copy all notification") << 13 << "全文已复制到剪贴板" << false;
        QTest::newRow("ignored") << 16 << "该错误已忽略" << false;
        QTest::newRow("report tip has a link") << 6 << "全文统计点这里" << true;
        QTest::newRow("below the table") << -1 << "" << false;
        QTest::newRow("past the table") << 21 << "" << false;
    }
    void tipCatalogue()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        QFETCH(bool, link);
        QCOMPARE(TipManager::text(number), text);
        QCOMPARE(TipManager::hasLink(number), link);
    }

    void tipsShowOnceAndFadeAway()
    {
        QTemporaryDir dir;
        ConfigStore store(dir.path(), QStringLiteral("setting.ini"));
        store.setValue(QStringLiteral("PT_CopyAll"), QStringLiteral("False"));
        QWidget owner;
        owner.show();
        const PopupLabel::Timings quick{20, 50};
        TipPresenter tips(store, &owner, quick);
        QPointer<PopupLabel> first = tips.showOnce(1, QStringLiteral("PT_CopyAll"), QPoint(10, 10));
        QVERIFY(first);
        QCOMPARE(store.value(QStringLiteral("PT_CopyAll")), QStringLiteral("True"));
        QVERIFY(!tips.showOnce(1, QStringLiteral("PT_CopyAll"), QPoint(10, 10)));
        // A new popup closes the open one.
        QPointer<PopupLabel> withLink = tips.show(18, QPoint(20, 20));
        QTRY_VERIFY(!first);
        // A plain notification goes by itself; one with "知道了" waits for the click.
        QPointer<PopupLabel> plain = new PopupLabel(13, &owner, QPoint(30, 30), quick);
        QTRY_VERIFY(!plain);
        QVERIFY(withLink);
        auto *label = withLink->findChild<QLabel *>();
        QVERIFY(label->text().contains(QStringLiteral("知道了")));
        emit label->linkActivated(QStringLiteral("close"));
        QTRY_VERIFY(!withLink);
    }
};

QTEST_MAIN(CustomMessageBoxTest)
#include "tst_custommessagebox.moc"
