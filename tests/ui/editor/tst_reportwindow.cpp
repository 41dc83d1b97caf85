// The full-text report and its charts, and the check progress window.

#include "support/editorfixture.h"

#include "piechart.h"
#include "progresswindow.h"
#include "reportlabel.h"
#include "reportprogressbar.h"
#include "reportwindow.h"
#include "replacewindow.h"
#include "searchwindow.h"
#include "support/untranslatedtexts.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QUrlQuery>
#include <QtMath>

#include <array>

using Counts = std::array<int, PieChart::SliceCount>;
Q_DECLARE_METATYPE(Counts)

namespace {

ReportWindow::Inputs inputs(double lexical, double syntax, int words, const QList<int> &counts,
                            bool onDemand = false)
{
    ReportWindow::Inputs in;
    in.lexicalScore = lexical;
    in.syntaxScore = syntax;
    in.sentences = 7;
    in.words = words;
    in.categoryCounts = counts;
    in.levelCounts = {3, 12, 357, 40, 0, 90};
    in.onDemand = onDemand;
    return in;
}

// A point at `degrees` counter-clockwise from twelve o'clock, half way to the rim.
QPoint pointAt(const PieChart &pie, double degrees)
{
    const QPointF centre(pie.width() / 2.0, pie.height() / 2.0);
    const double r = qMin(pie.width(), pie.height()) / 4.0;
    const double a = qDegreesToRadians(degrees + 90.0);
    return (centre + QPointF(r * qCos(a), -r * qSin(a))).toPoint();
}

} // namespace

class ReportWindowTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ConfigStore> m_prefs;

private slots:
    void init() { m_prefs = makePreferences(m_dir); }

    // ------------------------------------------------------------ pie chart

    void pieShares_data()
    {
        QTest::addColumn<Counts>("counts");
        QTest::addColumn<QList<int>>("angles");
        QTest::addColumn<QList<double>>("percentages");
        const double third = 100.0 / 3.0;
        QTest::newRow("no spelling, thirds: remainder 0 goes nowhere")
            << Counts{0, 1, 1, 1} << QList<int>{0, 120, 120, 120} << QList<double>{0, third, third, third};
        QTest::newRow("spelling takes the rest")
            << Counts{1, 1, 1, 0} << QList<int>{120, 120, 120, 0} << QList<double>{100 - 2 * third, third, third, 0};
        QTest::newRow("spelling absorbs the truncation")
            << Counts{1, 1, 1, 4} << QList<int>{53, 51, 51, 205}
            << QList<double>{100 - 600.0 / 7, 100.0 / 7, 100.0 / 7, 400.0 / 7};
        QTest::newRow("no spelling: leftover degree to grammar")
            << Counts{0, 1, 1, 5} << QList<int>{0, 51, 52, 257}
            << QList<double>{0, 100.0 / 7, 100.0 / 7, 500.0 / 7};
        QTest::newRow("no spelling, no grammar: leftover degree to style")
            << Counts{0, 1, 0, 6} << QList<int>{0, 52, 0, 308} << QList<double>{0, 100.0 / 7, 0, 600.0 / 7};
        QTest::newRow("only suggestions: leftover to suggestion")
            << Counts{0, 0, 0, 3} << QList<int>{0, 0, 0, 360} << QList<double>{0, 0, 0, 100};
        QTest::newRow("one category holds all") << Counts{0, 0, 4, 0} << QList<int>{0, 0, 360, 0}
                                                << QList<double>{0, 0, 100, 0};
        QTest::newRow("no findings") << Counts{0, 0, 0, 0} << QList<int>{0, 0, 0, 0} << QList<double>{0, 0, 0, 0};
        QTest::newRow("large counts do not overflow")
            << Counts{0, 5000000, 5000000, 0} << QList<int>{0, 180, 180, 0} << QList<double>{0, 50, 50, 0};
    }
    void pieShares()
    {
        QFETCH(Counts, counts);
        QFETCH(QList<int>, angles);
        QFETCH(QList<double>, percentages);
        const PieChart::Shares shares = PieChart::shares(counts);
        int sum = 0;
        for (int i = 0; i < PieChart::SliceCount; ++i) {
            QCOMPARE(shares.angles[size_t(i)], angles.at(i));
            QVERIFY2(qAbs(shares.percentages[size_t(i)] - percentages.at(i)) < 1e-9,
                     qPrintable(QStringLiteral("slice %1: %2").arg(i).arg(shares.percentages[size_t(i)])));
            sum += angles.at(i);
        }
        QCOMPARE(sum, counts == Counts{} ? 0 : 360);
    }

    // Hover: the slice under the mouse by its angle, its label in the slice's colour;
    // leaving the circle closes it.
    void pieHoverLabels()
    {
        PieChart pie({2, 0, 1, 1}, *m_prefs);
        pie.setHoverFadeMs(1);
        pie.resize(200, 200);
        pie.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pie));
        // Spelling 180° from twelve o'clock counter-clockwise, grammar 90°, suggestion 90°.
        QCOMPARE(pie.sliceAt(pointAt(pie, 10)), int(PieChart::Spelling));
        QCOMPARE(pie.sliceAt(pointAt(pie, 170)), int(PieChart::Spelling));
        QCOMPARE(pie.sliceAt(pointAt(pie, 200)), int(PieChart::Grammar));
        QCOMPARE(pie.sliceAt(pointAt(pie, 300)), int(PieChart::Suggestion));
        QCOMPARE(pie.sliceAt(QPoint(1, 1)), -1);

        QTest::mouseMove(&pie, pointAt(pie, 200));
        QTRY_VERIFY(pie.hoverLabel());
        QCOMPARE(pie.hoverLabel()->text(), QStringLiteral("语法：\n1\n(25.0%)"));
        const QColor grammar = pie.colour(PieChart::Grammar);
        QVERIFY(pie.hoverLabel()->label()->styleSheet().contains(
            QStringLiteral("border:2px solid rgba(%1, %2, %3, 255)").arg(grammar.red()).arg(grammar.green()).arg(grammar.blue())));
        QTRY_COMPARE(pie.hoverLabel()->windowOpacity(), 1.0);
        pie.hoverAt(pointAt(pie, 90));
        QCOMPARE(pie.hoverLabel()->text(), QStringLiteral("拼写：\n2\n(50.0%)"));
        QPointer<ReportLabel> label = pie.hoverLabel();
        pie.hoverAt(QPoint(1, 1));
        QVERIFY(!pie.hoverLabel());
        QTRY_VERIFY(!label);
    }

    // ------------------------------------------------------------ vocabulary bars

    void vocabularyAxis_data()
    {
        QTest::addColumn<int>("largest");
        QTest::addColumn<int>("axis");
        QTest::newRow("357 -> 360") << 357 << 360;
        QTest::newRow("one digit: 7 -> 8") << 7 << 8;
        QTest::newRow("zero -> 4") << 0 << 4;
        QTest::newRow("two digits: 40 -> 44") << 40 << 44;
        QTest::newRow("four digits: 9999 -> 10000") << 9999 << 10000;
        QTest::newRow("beyond int: held at the largest int") << 2147483647 << 2147483647;
    }
    void vocabularyAxis()
    {
        QFETCH(int, largest);
        QFETCH(int, axis);
        QCOMPARE(ReportProgressBar::axisMaximum(largest), axis);
        QVERIFY(ReportProgressBar::axisMaximum(largest) >= largest);
    }

    void barValues_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("axis");
        QTest::addColumn<int>("value");
        QTest::newRow("ceiling: 357 of 360") << 357 << 360 << 100;
        QTest::newRow("ceiling: 3 of 360") << 3 << 360 << 1;
        QTest::newRow("exact quarter") << 90 << 360 << 25;
        QTest::newRow("none") << 0 << 360 << 0;
    }
    void barValues()
    {
        QFETCH(int, count);
        QFETCH(int, axis);
        QFETCH(int, value);
        QCOMPARE(ReportProgressBar::barValue(count, axis), value);
    }

    // ------------------------------------------------------------ the report

    void reportValues()
    {
        ReportWindow report(inputs(0.7391, -0.5, 200, {1, 0, 2, 0}), *m_prefs, QStringLiteral("web.example"));
        QCOMPARE(report.lexicalBar()->value(), 73);
        QCOMPARE(report.syntaxBar()->value(), 0);
        const QStringList texts = [&] {
            QStringList out;
            for (QLabel *l : report.findChildren<QLabel *>())
                out << l->text();
            return out;
        }();
        QVERIFY(texts.contains(QStringLiteral("平均句长：29词/句"))); // 200 / 7 = 28.6
        QVERIFY(texts.contains(QStringLiteral("句子总计：7")));
        QVERIFY(texts.contains(QStringLiteral("单词总计：200")));
        QVERIFY(!report.isNoErrorShown());
        QCOMPARE(report.axisLabels(), (QStringList{"90", "180", "270", "360"}));
        QCOMPARE(report.levelBars().size(), 6);
        QCOMPARE(report.levelBars().at(2)->levelName(), QStringLiteral("雅思"));
        QCOMPARE(report.levelBars().at(2)->value(), 100);
        QCOMPARE(report.levelBars().at(0)->value(), 1);
        QCOMPARE(report.levelBars().at(2)->hoverText(), QStringLiteral("词汇分布\n 雅思：357"));
        QCOMPARE(report.pieChart()->currentShares().angles[PieChart::Spelling], 120);
    }

    void averageSentenceLength_data()
    {
        QTest::addColumn<int>("words");
        QTest::addColumn<int>("sentences");
        QTest::addColumn<int>("average");
        QTest::newRow("8.86 rounds up to 9") << 62 << 7 << 9;
        QTest::newRow("a half rounds up") << 15 << 2 << 8;
        QTest::newRow("3.14 rounds down") << 22 << 7 << 3;
        QTest::newRow("exact") << 70 << 7 << 10;
        QTest::newRow("fewer words than sentences: 0.4 is 0") << 2 << 5 << 0;
        QTest::newRow("no sentences") << 5 << 0 << 0;
        QTest::newRow("largest count does not overflow") << 2147483647 << 1 << 2147483647;
    }
    void averageSentenceLength()
    {
        QFETCH(int, words);
        QFETCH(int, sentences);
        QFETCH(int, average);
        QCOMPARE(ReportWindow::averageSentenceLength(words, sentences), average);
    }

    void everyTextIsChinese()
    {
        ReportWindow report(inputs(0.9, 0.9, 500, {0, 0, 0, 0}), *m_prefs, QStringLiteral("web.example"));
        QCOMPARE(TestTexts::untranslatedTexts(&report), QStringList());
    }

    void shareAreaAndNoErrors_data()
    {
        QTest::addColumn<double>("lexical");
        QTest::addColumn<double>("syntax");
        QTest::addColumn<int>("words");
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<bool>("share");
        QTest::newRow("good text") << 0.7 << 0.9 << 100 << QList<int>{0, 0, 0, 4} << true;
        QTest::newRow("99 words, no findings") << 0.9 << 0.9 << 99 << QList<int>{0, 0, 0, 0} << false;
        QTest::newRow("findings x 20 equal to the words") << 0.9 << 0.9 << 100 << QList<int>{5, 0, 0, 0} << false;
        QTest::newRow("a score below 0.7") << 0.69 << 0.9 << 500 << QList<int>{0, 0, 0, 0} << false;
    }
    void shareAreaAndNoErrors()
    {
        QFETCH(double, lexical);
        QFETCH(double, syntax);
        QFETCH(int, words);
        QFETCH(QList<int>, counts);
        QFETCH(bool, share);
        ReportWindow report(inputs(lexical, syntax, words, counts), *m_prefs, QStringLiteral("web.example"));
        QCOMPARE(report.isShareShown(), share);
        QCOMPARE(report.findChild<QWidget *>(QStringLiteral("frame_share"))->isHidden(), !share);
        int sum = 0;
        for (int c : counts)
            sum += c;
        QCOMPARE(report.isNoErrorShown(), sum == 0);
    }

    void shareAddresses()
    {
        const QUrl sina = ReportWindow::shareUrl(true, QStringLiteral("web.example:8080"));
        const QUrl tencent = ReportWindow::shareUrl(false, QStringLiteral("web.example:8080"));
        const QUrlQuery s(sina);
        QCOMPARE(s.queryItemValue(QStringLiteral("pic"), QUrl::FullyDecoded),
                 QStringLiteral("http://web.example:8080/images/outstanding.png"));
        const QString title = s.queryItemValue(QStringLiteral("title"), QUrl::FullyDecoded);
        QVERIFY(title.contains(QStringLiteral("“英文写作大师证书” @Pennova http://web.example:8080/Download")));
        QVERIFY(title.contains(QLatin1Char('\t')));
        const QUrlQuery t(tencent);
        QCOMPARE(t.queryItemValue(QStringLiteral("c")), QStringLiteral("share"));
        QCOMPARE(t.queryItemValue(QStringLiteral("a")), QStringLiteral("index"));
        QCOMPARE(t.queryItemValue(QStringLiteral("title"), QUrl::FullyDecoded), title);
        QVERIFY(sina.host() != tencent.host());
    }

    void disableNextTime_data()
    {
        QTest::addColumn<bool>("onDemand");
        QTest::newRow("after a check") << false;
        QTest::newRow("opened on demand") << true;
    }
    void disableNextTime()
    {
        QFETCH(bool, onDemand);
        ReportWindow report(inputs(0.5, 0.5, 100, {0, 0, 0, 0}, onDemand), *m_prefs, QStringLiteral("w"));
        QCOMPARE(report.disableNextBox()->isHidden(), onDemand);
        report.disableNextBox()->setChecked(true);
        QCOMPARE(m_prefs->value(QStringLiteral("show_report")), QStringLiteral("False"));
        report.disableNextBox()->setChecked(false);
        QCOMPARE(m_prefs->value(QStringLiteral("show_report")), QStringLiteral("True"));
    }

    // ------------------------------------------------------------ progress

    void progressAnimation_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QList<int>>("values"); // after each tick
        QTest::newRow("target 3: jumps to 5 and stops") << 3 << QList<int>{5, 5, 5};
        QTest::newRow("target 7: 5, 6, 7, 7") << 7 << QList<int>{5, 6, 7, 7};
    }
    void progressAnimation()
    {
        QFETCH(int, target);
        QFETCH(QList<int>, values);
        ProgressWindow progress(false, {3600000, 0});
        progress.setTarget(target);
        for (int expected : values) {
            progress.slotAnimate();
            QCOMPARE(progress.value(), expected);
        }
    }

    // The timer's ticks walk one step per interval of the clock, whenever they come.
    void progressKeepsItsPace_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QList<int>>("delays"); // ms of the clock before each tick
        QTest::addColumn<QList<int>>("values"); // after each tick
        QTest::addColumn<int>("lastTarget");    // set before the last tick
        QTest::newRow("punctual ticks: a step each") << 50 << QList<int>{15, 15, 15} << QList<int>{5, 6, 7} << 50;
        QTest::newRow("a late tick takes the steps it missed")
            << 50 << QList<int>{15, 150, 45} << QList<int>{5, 15, 18} << 50;
        QTest::newRow("an early tick waits for the next")
            << 50 << QList<int>{15, 10, 5, 14} << QList<int>{5, 5, 6, 6} << 50;
        QTest::newRow("time waited at the target is not made up")
            << 7 << QList<int>{15, 15, 15, 600, 15} << QList<int>{5, 6, 7, 7, 8} << 50;
    }
    void progressKeepsItsPace()
    {
        QFETCH(int, target);
        QFETCH(QList<int>, delays);
        QFETCH(QList<int>, values);
        QFETCH(int, lastTarget);
        ProgressWindow progress(false, {15, 0});
        qint64 now = 1000;
        progress.setClock([&now] { return now; });
        progress.setTarget(target);
        for (int i = 0; i < delays.size(); ++i) {
            if (i == delays.size() - 1)
                progress.setTarget(lastTarget);
            now += delays.at(i);
            progress.slotTick();
            QCOMPARE(progress.value(), values.at(i));
        }
    }

    // Steps and the fade run on their timers, then accepted; cancel ends rejected and a
    // later finish changes nothing.
    void progressFadesOutAndCloses()
    {
        const ProgressWindow::Timings shortTimings{1, 20};
        QPointer<ProgressWindow> progress = new ProgressWindow(true, shortTimings);
        progress->setAttribute(Qt::WA_DeleteOnClose); // as the main window shows it
        QCOMPARE(progress->labelText(), QStringLiteral("正在进行润色："));
        QSignalSpy finished(progress.data(), &QDialog::finished);
        QSignalSpy reached(progress.data(), &ProgressWindow::signalFinished);
        progress->show();
        progress->finish();
        QVERIFY(finished.wait(10000));
        QCOMPARE(reached.size(), 1);
        QCOMPARE(finished.first().at(0).toInt(), int(QDialog::Accepted));
        QTRY_VERIFY(!progress);

        progress = new ProgressWindow(false, {1000, 20});
        progress->setAttribute(Qt::WA_DeleteOnClose);
        QSignalSpy cancelled(progress.data(), &QDialog::finished);
        progress->show();
        progress->setTarget(40);
        progress->slotAnimate();
        QCOMPARE(progress->value(), 5);
        QTest::mouseClick(progress->cancelButton(), Qt::LeftButton);
        progress->finish();
        QCOMPARE(progress->target(), 40);
        QVERIFY(cancelled.wait(10000));
        QCOMPARE(cancelled.first().at(0).toInt(), int(QDialog::Rejected));
        QTRY_VERIFY(!progress);
    }

    // Whoever holds one of these dialogs keeps it: closing it never deletes it behind the
    // owner's back (a dialog on the stack would be freed twice).
    void closingLeavesTheDialogToItsOwner_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("report, closed") << "report";
        QTest::newRow("progress, 取消") << "progress";
        QTest::newRow("search, 取消") << "search";
        QTest::newRow("replace, 取消") << "replace";
    }
    void closingLeavesTheDialogToItsOwner()
    {
        QFETCH(QString, dialog);
        std::unique_ptr<QDialog> owned;
        if (dialog == QLatin1String("report"))
            owned = std::make_unique<ReportWindow>(inputs(0.5, 0.5, 100, {0, 0, 0, 0}), *m_prefs, QStringLiteral("w"));
        else if (dialog == QLatin1String("progress"))
            owned = std::make_unique<ProgressWindow>(false, ProgressWindow::Timings{3600000, 0});
        else if (dialog == QLatin1String("search"))
            owned = std::make_unique<SearchWindow>();
        else
            owned = std::make_unique<ReplaceWindow>();
        QPointer<QDialog> alive = owned.get();
        // A dialog that deleted itself must not be deleted again.
        const auto forgetDeleted = qScopeGuard([&] {
            if (!alive)
                (void)owned.release();
        });
        owned->show();
        QPushButton *cancel = nullptr;
        for (QPushButton *b : owned->findChildren<QPushButton *>()) {
            if (b->text() == QStringLiteral("取消"))
                cancel = b;
        }
        if (cancel)
            QTest::mouseClick(cancel, Qt::LeftButton);
        else
            owned->close();
        QTRY_VERIFY(alive && !alive->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alive);
    }
};

QTEST_MAIN(ReportWindowTest)
#include "tst_reportwindow.moc"
