#include "support/editorfixture.h"
#include "support/scriptedhttpserver.h"

#include "callbackobject.h"
#include "correctionpanel.h"
#include "custommenuitem.h"
#include "explanation.h"
#include "polishmode.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using ZeltraLib::MenuItemType;

Q_DECLARE_METATYPE(ZeltraLib::MenuItemType)

class TestCorrectionPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void candidateRows_data();
    void candidateRows();
    void clickingRows();
    void fixedRows_data();
    void fixedRows();
    void sentenceSuggestionAndEmpty();
    void pages_data();
    void pages();
    void modeTexts();
    void explanationStaleAnswer();
    void explanationCachedAndDiscardedFinding();
    void markupShownAsWritten_data();
    void markupShownAsWritten();

private:
    ScriptedHttpServer m_server{ScriptedHttpServer::HoldAll};
};

void TestCorrectionPanel::initTestCase()
{
    qRegisterMetaType<CorrectionItem *>();
    qRegisterMetaType<MenuItemType>();
    QVERIFY(m_server.listen());
    // Read once, on first use: set before any panel asks for it.
    qputenv("PENNOVA_EXPLAIN_HOST", QByteArray("127.0.0.1:") + QByteArray::number(m_server.port()));
}

void TestCorrectionPanel::cleanup()
{
    ZeltraLib::setPolishMode(false);
}

static QStringList texts(const QList<CustomMenuItem *> &rows)
{
    QStringList result;
    for (CustomMenuItem *row : rows)
        result << row->text();
    return result;
}

static QStringList hints(const QList<CustomMenuItem *> &rows)
{
    QStringList result;
    for (CustomMenuItem *row : rows)
        result << row->hint();
    return result;
}

void TestCorrectionPanel::candidateRows_data()
{
    QTest::addColumn<QByteArray>("candidateType");
    QTest::addColumn<QString>("useCtrl");
    QTest::addColumn<QStringList>("rowTexts");
    QTest::addColumn<QStringList>("rowHints");
    QTest::addColumn<QString>("ignoreHint");

    QTest::newRow("three replacements, plain hints")
        << QByteArray("REPLACE") << "False" << QStringList{"went", "goes", "gone"}
        << QStringList{"1", "2", "3"} << "0";
    QTest::newRow("use_ctrl True prefixes the hints")
        << QByteArray("REPLACE") << "True" << QStringList{"went", "goes", "gone"}
        << QStringList{"Ctrl+1", "Ctrl+2", "Ctrl+3"} << "Ctrl+0";
    QTest::newRow("use_ctrl must be exactly True")
        << QByteArray("REPLACE") << "true" << QStringList{"went", "goes", "gone"}
        << QStringList{"1", "2", "3"} << "0";
    QTest::newRow("insertion rows name the inserted word")
        << QByteArray("INSERTION") << "False"
        << QStringList{QStringLiteral("插入: went"), QStringLiteral("插入: goes"), QStringLiteral("插入: gone")}
        << QStringList{"1", "2", "3"} << "0";
    QTest::newRow("deletion rows name the found text")
        << QByteArray("DELETION") << "False"
        << QStringList{QStringLiteral("删除: 去"), QStringLiteral("删除: 去"), QStringLiteral("删除: 去")}
        << QStringList{"1", "2", "3"} << "0";
}

void TestCorrectionPanel::candidateRows()
{
    QFETCH(QByteArray, candidateType);
    QFETCH(QString, useCtrl);
    QFETCH(QStringList, rowTexts);
    QFETCH(QStringList, rowHints);
    QFETCH(QString, ignoreHint);
    EditorFixture f;
    f.prefs->setValue("use_ctrl", useCtrl);
    QVERIFY(f.load(QStringLiteral("I 去 home.")));
    CorrectionItem *item = f.addFinding(0, makeRecord("GRAMMAR", 2, 3, {"went", "goes", "gone"}, candidateType));
    CorrectionPanel panel(*f.prefs);
    panel.showFinding(f.sentences.first(), item);
    QCOMPARE(panel.headerLabel()->text(), QStringLiteral("去"));
    QVERIFY(panel.correctionPage()->isEnabled());
    QCOMPARE(texts(panel.candidateRows()), rowTexts);
    QCOMPARE(hints(panel.candidateRows()), rowHints);
    QCOMPARE(panel.ignoreRow()->hint(), ignoreHint);
    QCOMPARE(panel.revertRow()->hint(), QStringLiteral("F2"));
    for (int i = 0; i < panel.candidateRows().size(); ++i)
        QCOMPARE(panel.candidateRows().at(i)->index(), i);

    // Showing another finding replaces the rows instead of adding to them.
    CorrectionItem *other = f.addFinding(0, makeRecord("NONWORD", 4, 8, {"house"}));
    panel.showFinding(f.sentences.first(), other);
    QCOMPARE(texts(panel.candidateRows()), QStringList{"house"});
}

void TestCorrectionPanel::clickingRows()
{
    EditorFixture f;
    QVERIFY(f.load(QStringLiteral("我 I go home.")));
    CorrectionItem *item = f.addFinding(0, makeRecord("GRAMMAR", 4, 6, {"went", "goes", "gone"}));
    CorrectionPanel panel(*f.prefs);
    panel.resize(220, 400);
    panel.slotDisplayPanel(1);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.showFinding(f.sentences.first(), item);
    QSignalSpy callback(&CallbackObject::instance(), &CallbackObject::signalCallback);
    // What the main window does on apply: show the finding again (rows rebuilt).
    connect(&CallbackObject::instance(), &CallbackObject::signalCallback, &panel,
            [&](CorrectionItem *it, MenuItemType) { panel.showFinding(f.sentences.first(), it); });

    CustomMenuItem *row2 = panel.candidateRows().at(1);
    QTest::mouseClick(row2, Qt::LeftButton, Qt::NoModifier, row2->rect().center());
    QCOMPARE(f.editor->toPlainText(), QStringLiteral("我 I goes home."));
    QCOMPARE(item->currentIndex(), 1);
    QCOMPARE(callback.size(), 1);
    QCOMPARE(callback.first().at(1).value<MenuItemType>(), ZeltraLib::MenuItemApply);
    QVERIFY(panel.revertRow()->isEnabled());

    // The same candidate again changes nothing and emits nothing.
    row2 = panel.candidateRows().at(1);
    QTest::mouseClick(row2, Qt::LeftButton, Qt::NoModifier, row2->rect().center());
    QCOMPARE(callback.size(), 1);
    QCOMPARE(f.editor->toPlainText(), QStringLiteral("我 I goes home."));

    // Revert restores the found text.
    QTest::mouseClick(panel.revertRow(), Qt::LeftButton, Qt::NoModifier, panel.revertRow()->rect().center());
    QCOMPARE(f.editor->toPlainText(), QStringLiteral("我 I go home."));
    QCOMPARE(callback.size(), 2);
    QCOMPARE(callback.last().at(1).value<MenuItemType>(), ZeltraLib::MenuItemRevert);
    QVERIFY(!panel.revertRow()->isEnabled());

    // Ignore reports code 1 for the shown finding.
    QTest::mouseClick(panel.ignoreRow(), Qt::LeftButton, Qt::NoModifier, panel.ignoreRow()->rect().center());
    QCOMPARE(callback.size(), 3);
    QCOMPARE(callback.last().at(0).value<CorrectionItem *>(), item);
    QCOMPARE(callback.last().at(1).value<MenuItemType>(), ZeltraLib::MenuItemIgnore);
}

void TestCorrectionPanel::fixedRows_data()
{
    QTest::addColumn<QByteArray>("errorType");
    QTest::addColumn<QList<QByteArray>>("candidates");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<bool>("addVisible");
    QTest::addColumn<bool>("ignoreAllVisible");

    QTest::newRow("open spelling: add and ignore all") << QByteArray("NONWORD") << QList<QByteArray>{"word"}
                                                      << false << true << true;
    QTest::newRow("applied spelling: neither") << QByteArray("NONWORD") << QList<QByteArray>{"word"}
                                              << true << false << false;
    QTest::newRow("real-word spelling: neither") << QByteArray("REAL") << QList<QByteArray>{"word"}
                                                << false << false << false;
    QTest::newRow("style whose one candidate is the word in other case: both")
        << QByteArray("STYLE") << QList<QByteArray>{"WROD"} << false << true << true;
    QTest::newRow("style with another word: neither") << QByteArray("STYLE") << QList<QByteArray>{"word"}
                                                     << false << false << false;
    QTest::newRow("style with two candidates: neither") << QByteArray("STYLE") << QList<QByteArray>{"wrod", "x"}
                                                       << false << false << false;
    QTest::newRow("polish: ignore all only") << QByteArray("IMPROVE") << QList<QByteArray>{"term"}
                                            << false << false << true;
    QTest::newRow("applied polish: ignore all still") << QByteArray("IMPROVE") << QList<QByteArray>{"term"}
                                                     << true << false << true;
    QTest::newRow("grammar: neither") << QByteArray("GRAMMAR") << QList<QByteArray>{"word"}
                                     << false << false << false;
}

void TestCorrectionPanel::fixedRows()
{
    QFETCH(QByteArray, errorType);
    QFETCH(QList<QByteArray>, candidates);
    QFETCH(bool, applied);
    QFETCH(bool, addVisible);
    QFETCH(bool, ignoreAllVisible);
    EditorFixture f;
    QVERIFY(f.load("A wrod here."));
    CorrectionItem *item = f.addFinding(0, makeRecord(errorType, 2, 6, candidates));
    if (applied)
        item->applyByIndex(0);
    CorrectionPanel panel(*f.prefs);
    panel.showFinding(f.sentences.first(), item);
    QCOMPARE(!panel.addDictRow()->isHidden(), addVisible);
    QCOMPARE(!panel.ignoreAllRow()->isHidden(), ignoreAllVisible);
    QCOMPARE(panel.revertRow()->isEnabled(), applied);
    QVERIFY(panel.ignoreRow()->isEnabled());
    QVERIFY(!panel.separator()->isHidden());
    QVERIFY(!panel.previousRow()->isEnabled());
    QVERIFY(!panel.nextRow()->isEnabled());
    panel.setPrevNextEnabled(true, false);
    QVERIFY(panel.previousRow()->isEnabled());
    QVERIFY(!panel.nextRow()->isEnabled());

    QSignalSpy callback(&CallbackObject::instance(), &CallbackObject::signalCallback);
    panel.slotAddDict();
    panel.slotIgnorAll();
    QCOMPARE(callback.size(), 2);
    QCOMPARE(callback.at(0).at(1).value<MenuItemType>(), ZeltraLib::MenuItemAddToDictionary);
    QCOMPARE(callback.at(1).at(1).value<MenuItemType>(), ZeltraLib::MenuItemIgnoreAll);
}

void TestCorrectionPanel::sentenceSuggestionAndEmpty()
{
    EditorFixture f;
    QVERIFY(f.load("Because it rained. We stayed."));
    f.addFinding(0, makeRecord("SUGGESTION", 0, 0, {}));
    QVERIFY(f.sentences.first()->hasSuggestion());
    CorrectionPanel panel(*f.prefs);
    QSignalSpy callback(&CallbackObject::instance(), &CallbackObject::signalCallback);

    panel.showFinding(f.sentences.first(), nullptr);
    QCOMPARE(panel.headerLabel()->text(), QStringLiteral("句子不完整"));
    QVERIFY(panel.correctionPage()->isEnabled());
    QVERIFY(panel.separator()->isHidden());
    QVERIFY(!panel.revertRow()->isEnabled());
    QVERIFY(panel.candidateRows().isEmpty());
    panel.slotIgnor();
    QCOMPARE(callback.size(), 1);
    QCOMPARE(callback.first().at(0).value<CorrectionItem *>(), nullptr);
    QCOMPARE(callback.first().at(1).value<MenuItemType>(), ZeltraLib::MenuItemIgnore);

    // A sentence without a suggestion, and no finding: empty and disabled.
    panel.showFinding(f.sentences.at(1), nullptr);
    QCOMPARE(panel.headerLabel()->text(), QString());
    QVERIFY(!panel.correctionPage()->isEnabled());
    panel.slotIgnor();
    panel.slotRevert();
    panel.slotItemClicked(0);
    QCOMPARE(callback.size(), 1);
}

void TestCorrectionPanel::pages_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("polish");
    QTest::addColumn<bool>("bodyVisible");
    QTest::addColumn<bool>("correctionVisible");
    QTest::addColumn<bool>("explainVisible");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("correction page") << 1 << false << true << true << false << QStringList{"Main_Correction"};
    QTest::newRow("explanation page") << 2 << false << true << false << true << QStringList{"Main_Explanation"};
    QTest::newRow("no page") << 0 << false << false << false << false << QStringList{};
    QTest::newRow("correction page in polish mode")
        << 1 << true << true << true << false << QStringList{"Main_Improve_Correction"};
    QTest::newRow("explanation page in polish mode")
        << 2 << true << true << false << true << QStringList{"Main_Improve_Explanation"};
}

void TestCorrectionPanel::pages()
{
    QFETCH(int, page);
    QFETCH(bool, polish);
    QFETCH(bool, bodyVisible);
    QFETCH(bool, correctionVisible);
    QFETCH(bool, explainVisible);
    QFETCH(QStringList, events);
    ZeltraLib::setPolishMode(polish);
    EditorFixture f;
    CorrectionPanel panel(*f.prefs);
    panel.show();
    QSignalSpy display(&panel, &CorrectionPanel::signalDisplayPanel);
    QSignalSpy usage(&panel, &CorrectionPanel::signalUsageEvent);
    panel.slotDisplayPanel(page);
    QCOMPARE(panel.currentPage(), page);
    QCOMPARE(panel.body()->isVisible(), bodyVisible);
    QCOMPARE(panel.correctionPage()->isVisible(), correctionVisible);
    QCOMPARE(panel.explanationBrowser()->isVisible(), explainVisible);
    QStringList logged;
    for (const QList<QVariant> &args : std::as_const(usage))
        logged << args.first().toString();
    QCOMPARE(logged, events);
    if (page != 0) {
        QCOMPARE(display.size(), 1);
        QCOMPARE(display.first().first().toBool(), true);
        // Switching to the other page keeps the body; unchecking the last one hides it.
        QToolButton *other = page == 1 ? panel.explanationToggle() : panel.correctionToggle();
        other->click();
        QCOMPARE(panel.currentPage(), page == 1 ? 2 : 1);
        QVERIFY(panel.body()->isVisible());
        other->click();
        QCOMPARE(panel.currentPage(), 0);
        QVERIFY(!panel.body()->isVisible());
        QCOMPARE(display.last().first().toBool(), false);
    } else {
        QCOMPARE(display.size(), 0);
    }
}

void TestCorrectionPanel::modeTexts()
{
    EditorFixture f;
    CorrectionPanel panel(*f.prefs);
    QCOMPARE(panel.correctionToggle()->text(), QStringLiteral("改\n正"));
    QCOMPARE(panel.explanationToggle()->text(), QStringLiteral("解\n释"));
    panel.setModeTexts(false);
    QCOMPARE(panel.correctionToggle()->text(), QStringLiteral("建\n议"));
    QCOMPARE(panel.ignoreAllRow()->text(), QStringLiteral("忽略同样润色"));
    panel.setModeTexts(true);
    QCOMPARE(panel.correctionToggle()->text(), QStringLiteral("改\n正"));
    QCOMPARE(panel.ignoreAllRow()->text(), QStringLiteral("忽略同样错误"));
}

void TestCorrectionPanel::explanationStaleAnswer()
{
    EditorFixture f;
    QVERIFY(f.load("Teh cat sat on teh mat."));
    CorrectionItem *first = f.addFinding(0, makeRecord("NONWORD", 0, 3, {"The"}));
    CorrectionItem *second = f.addFinding(0, makeRecord("GRAMMAR", 15, 18, {"the"}));
    CorrectionPanel panel(*f.prefs);
    const int base = m_server.requestCount();
    QSignalSpy arrived(&m_server, &ScriptedHttpServer::requestReceived);

    panel.showFinding(f.sentences.first(), first);
    panel.slotDisplayPanel(2); // explanation page: requests at once
    QCOMPARE(panel.explanationBrowser()->toPlainText(), QStringLiteral("正在获取解释..."));
    panel.showFinding(f.sentences.first(), second); // focus moves: a new request
    QTRY_COMPARE(m_server.requestCount(), base + 2);
    // The two requests may reach the server in either order.
    const int older = m_server.path(base).contains("et=et_nonword") ? base : base + 1;
    const int newer = older == base ? base + 1 : base;
    QVERIFY(m_server.path(older).contains("et=et_nonword"));
    QVERIFY(m_server.path(newer).contains("et=et_grammar"));

    // The newer answer arrives first, the older one late: the older must not win.
    m_server.respond(newer, QByteArray("<b>grammar</b> 解释"));
    QTRY_COMPARE(panel.explanationBrowser()->toPlainText(), QStringLiteral("grammar 解释"));
    m_server.respond(older, QByteArray("spelling explanation"));
    QTRY_VERIFY(panel.findChildren<ZeltraLib::Explanation *>().isEmpty());
    QCOMPARE(panel.explanationBrowser()->toPlainText(), QStringLiteral("grammar 解释"));
    // The answer is kept with the finding that is still shown, not with the old one.
    QCOMPARE(second->record().explanation, QStringLiteral("<b>grammar</b> 解释"));
    QVERIFY(first->record().explanation.isEmpty());
}

void TestCorrectionPanel::explanationCachedAndDiscardedFinding()
{
    EditorFixture f;
    QVERIFY(f.load("Teh cat sat. It rains."));
    CorrectionItem *item = f.addFinding(0, makeRecord("NONWORD", 0, 3, {"The"}));
    f.addFinding(1, makeRecord("SUGGESTION", 0, 0, {}));
    item->record().explanation = QStringLiteral("stored text");
    CorrectionPanel panel(*f.prefs);
    panel.slotDisplayPanel(2);
    const int base = m_server.requestCount();

    // A finding that already holds its explanation is answered without a request.
    panel.showFinding(f.sentences.first(), item);
    QCOMPARE(panel.explanationBrowser()->toPlainText(), QStringLiteral("stored text"));

    // The sentence suggestion's look-up; the finding behind it is discarded meanwhile.
    panel.showFinding(f.sentences.at(1), nullptr);
    QTRY_COMPARE(m_server.requestCount(), base + 1);
    panel.showFinding(nullptr, nullptr);
    QCOMPARE(panel.explanationBrowser()->toPlainText(), QString());
    qDeleteAll(f.sentences);
    f.sentences.clear();
    m_server.respond(base, QByteArray("late answer"));
    QTRY_VERIFY(panel.findChildren<ZeltraLib::Explanation *>().isEmpty());
    // Stale: the page stays as it was, and nothing was written into freed entries.
    QCOMPARE(panel.explanationBrowser()->toPlainText(), QString());
}

void TestCorrectionPanel::markupShownAsWritten_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("candidate");
    QTest::addColumn<QByteArray>("candidateType");
    QTest::newRow("tags in the essay") << QStringLiteral("I <b>go</b> home.") << QByteArray("went")
                                       << QByteArray("INSERTION");
    QTest::newRow("tags in a candidate") << QStringLiteral("I go home.") << QByteArray("<i>went</i>")
                                         << QByteArray("REPLACE");
    QTest::newRow("an image tag after Chinese text")
        << QStringLiteral("我 <img src=\"x.png\"> home.") << QByteArray("<u>went</u>") << QByteArray("INSERTION");
}

// Text from the essay or the service is shown as written, never read as markup.
void TestCorrectionPanel::markupShownAsWritten()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, candidate);
    QFETCH(QByteArray, candidateType);
    EditorFixture f;
    QVERIFY(f.load(text));
    const int start = int(text.indexOf(QLatin1Char(' '))) + 1;
    const int end = int(text.lastIndexOf(QLatin1Char(' ')));
    CorrectionItem *item = f.addFinding(0, makeRecord("GRAMMAR", start, end, {candidate}, candidateType));
    QVERIFY(item && item->label());
    CorrectionPanel panel(*f.prefs);
    panel.showFinding(f.sentences.first(), item);
    QCOMPARE(panel.candidateRows().size(), 1);

    QList<QLabel *> labels{panel.headerLabel(), item->label()};
    for (QLabel *label : panel.candidateRows().first()->findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            labels << label;
    }
    for (QLabel *label : std::as_const(labels)) {
        // Drawn literally, the label needs the width of every character it holds.
        QVERIFY2(label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(label->text()),
                 qPrintable(label->text()));
    }
}

QTEST_MAIN(TestCorrectionPanel)
#include "tst_correctionpanel.moc"
