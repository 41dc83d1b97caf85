#include "support/editorfixture.h"

#include "callbackobject.h"
#include "clickablelabel.h"
#include "polishmode.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using ZeltraLib::MenuItemType;

Q_DECLARE_METATYPE(ZeltraLib::MenuItemType)

class TestCorrectionItem : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void apply_data();
    void apply();
    void applyTwiceAndOutOfRange_data();
    void applyTwiceAndOutOfRange();
    void revert_data();
    void revert();
    void ignoreAndReportOnly_data();
    void ignoreAndReportOnly();
    void look_data();
    void look();
    void insertedInStartOrder();
    void offsetsOutsideTheDocument_data();
    void offsetsOutsideTheDocument();
    void labelsMadeOnlyNearViewport_data();
    void labelsMadeOnlyNearViewport();
    void withoutCandidates();

private:
    static QTextCharFormat formatInside(const CorrectionItem *item);
};

void TestCorrectionItem::initTestCase()
{
    qRegisterMetaType<CorrectionItem *>();
    qRegisterMetaType<MenuItemType>();
}

void TestCorrectionItem::cleanup()
{
    ZeltraLib::setPolishMode(false);
}

QTextCharFormat TestCorrectionItem::formatInside(const CorrectionItem *item)
{
    QTextCursor c(item->cursor().document());
    c.setPosition(item->start() + 1);
    return c.charFormat();
}

void TestCorrectionItem::apply_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QByteArray>("candidateType");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("covered");

    QTest::newRow("replace with the second candidate")
        << "I has a apple here." << "has" << QByteArray("REPLACE") << 1 << "I have a apple here." << "have";
    QTest::newRow("replace after chinese text")
        << QStringLiteral("他说 I has a apple.") << "has" << QByteArray("REPLACE") << 0
        << QStringLiteral("他说 I had a apple.") << "had";
    QTest::newRow("delete leaves one space")
        << "I has a apple here." << "a" << QByteArray("DELETION") << 0 << "I has   apple here." << " ";
    QTest::newRow("insert puts candidate, space and found text")
        << QStringLiteral("我 I has a apple.") << "apple" << QByteArray("INSERTION") << 1
        << QStringLiteral("我 I has a an apple.") << "an apple";
}

void TestCorrectionItem::apply()
{
    QFETCH(QString, text);
    QFETCH(QString, word);
    QFETCH(QByteArray, candidateType);
    QFETCH(int, index);
    QFETCH(QString, result);
    QFETCH(QString, covered);

    EditorFixture f;
    QVERIFY(f.load(text));
    // Neighbours touching the finding on both sides must keep their text.
    const int at = f.positionOf(word, word == "a" ? 1 : 0);
    const int sentenceStart = f.sentences.first()->start();
    const int rel = at - sentenceStart;
    CorrectionItem *before = f.addFinding(0, makeRecord("NONWORD", rel - 1, rel, {"X"}));
    CorrectionItem *item = f.addFinding(0, makeRecord("GRAMMAR", rel, rel + int(word.size()),
                                                      {"had", "have"}, candidateType));
    CorrectionItem *after = f.addFinding(0, makeRecord("NONWORD", rel + int(word.size()),
                                                       rel + int(word.size()) + 1, {"Y"}));
    f.editor->revealFindings();
    if (candidateType == "INSERTION")
        item->record().candidates[1].correction = "an";
    const QString beforeText = before->currentText();
    const QString afterText = after->currentText();

    QSignalSpy callback(&CallbackObject::instance(), &CallbackObject::signalCallback);
    item->correct(ZeltraLib::MenuItemApply, index);
    QCOMPARE(f.editor->toPlainText(), result);
    QCOMPARE(item->currentText(), covered);
    QCOMPARE(item->currentIndex(), index);
    QCOMPARE(item->previousIndex(), -2);
    QCOMPARE(before->currentText(), beforeText);
    QCOMPARE(after->currentText(), afterText);
    QCOMPARE(callback.size(), 1);
    QCOMPARE(callback.first().at(0).value<CorrectionItem *>(), item);
    QCOMPARE(callback.first().at(1).value<MenuItemType>(), ZeltraLib::MenuItemApply);
    // Applied look: tinted background, no underline, label hidden.
    const QTextCharFormat format = formatInside(item);
    QCOMPARE(format.underlineStyle(), QTextCharFormat::NoUnderline);
    QCOMPARE(format.background().color().alpha(), 100);
    QVERIFY(item->label()->isHidden());
}

void TestCorrectionItem::applyTwiceAndOutOfRange_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("emissions");
    QTest::addColumn<QString>("result");

    QTest::newRow("same candidate twice emits once") << 0 << 0 << 1 << "The cat.";
    QTest::newRow("other candidate afterwards applies it") << 0 << 1 << 2 << "Tho cat.";
    QTest::newRow("index beyond the candidates does nothing") << 2 << 5 << 0 << "Teh cat.";
    QTest::newRow("negative index does nothing") << -1 << -1 << 0 << "Teh cat.";
}

void TestCorrectionItem::applyTwiceAndOutOfRange()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, emissions);
    QFETCH(QString, result);
    EditorFixture f;
    QVERIFY(f.load("Teh cat."));
    CorrectionItem *item = f.addFinding(0, makeRecord("NONWORD", 0, 3, {"The", "Tho"}));
    QSignalSpy callback(&CallbackObject::instance(), &CallbackObject::signalCallback);
    item->applyByIndex(first);
    item->applyByIndex(second);
    QCOMPARE(callback.size(), emissions);
    QCOMPARE(f.editor->toPlainText(), result);
    if (emissions == 2)
        QCOMPARE(item->previousIndex(), first);
}

void TestCorrectionItem::revert_data()
{
    QTest::addColumn<bool>("applyFirst");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("emissions");

    QTest::newRow("open finding: nothing") << false << QStringLiteral("错 Teh cat.") << 0;
    QTest::newRow("applied finding: text, underline and label back") << true << QStringLiteral("错 Teh cat.") << 1;
}

void TestCorrectionItem::revert()
{
    QFETCH(bool, applyFirst);
    QFETCH(QString, text);
    QFETCH(int, emissions);
    EditorFixture f;
    QVERIFY(f.load(text));
    CorrectionItem *item = f.addFinding(0, makeRecord("NONWORD", 2, 5, {"The"}));
    CorrectionItem *next = f.addFinding(0, makeRecord("NONWORD", 6, 9, {"car"}));
    f.editor->revealFindings();
    if (applyFirst) {
        item->applyByIndex(0);
        QVERIFY(item->label()->isHidden());
    }
    QSignalSpy callback(&CallbackObject::instance(), &CallbackObject::signalCallback);
    item->correct(ZeltraLib::MenuItemRevert);
    QCOMPARE(callback.size(), emissions);
    QCOMPARE(f.editor->toPlainText(), text);
    QCOMPARE(item->currentText(), QStringLiteral("Teh"));
    QCOMPARE(next->currentText(), QStringLiteral("cat"));
    QCOMPARE(item->currentIndex(), applyFirst ? -1 : -2);
    QCOMPARE(item->isOpen(), true);
    QCOMPARE(formatInside(item).underlineStyle(), QTextCharFormat::SpellCheckUnderline);
    QCOMPARE(formatInside(item).underlineColor(), QColor("#FF0000"));
    QVERIFY(!item->label()->isHidden());
    if (emissions)
        QCOMPARE(callback.first().at(1).value<MenuItemType>(), ZeltraLib::MenuItemRevert);
}

void TestCorrectionItem::ignoreAndReportOnly_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("lookCleared");
    QTest::addColumn<bool>("labelDeleted");

    QTest::newRow("ignore clears the look and deletes the label") << int(ZeltraLib::MenuItemIgnore) << true << true;
    QTest::newRow("add to dictionary only reports") << int(ZeltraLib::MenuItemAddToDictionary) << false << false;
    QTest::newRow("ignore all only reports") << int(ZeltraLib::MenuItemIgnoreAll) << false << false;
}

void TestCorrectionItem::ignoreAndReportOnly()
{
    QFETCH(int, type);
    QFETCH(bool, lookCleared);
    QFETCH(bool, labelDeleted);
    EditorFixture f;
    QVERIFY(f.load("Teh cat."));
    CorrectionItem *item = f.addFinding(0, makeRecord("NONWORD", 0, 3, {"The"}));
    f.editor->revealFindings();
    QPointer<ClickableLabel> label = item->label();
    QSignalSpy callback(&CallbackObject::instance(), &CallbackObject::signalCallback);
    item->correct(MenuItemType(type));
    QCOMPARE(callback.size(), 1);
    QCOMPARE(callback.first().at(1).value<MenuItemType>(), MenuItemType(type));
    QCOMPARE(f.editor->toPlainText(), QStringLiteral("Teh cat."));
    QCOMPARE(formatInside(item).underlineStyle() == QTextCharFormat::NoUnderline, lookCleared);
    if (labelDeleted)
        QTRY_VERIFY(label.isNull());
    else
        QVERIFY(!label.isNull() && !label->isHidden());
}

void TestCorrectionItem::look_data()
{
    QTest::addColumn<QByteArray>("errorType");
    QTest::addColumn<QString>("flagKey");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<bool>("polish");
    QTest::addColumn<QString>("color");
    QTest::addColumn<int>("style");

    const int wavy = QTextCharFormat::SpellCheckUnderline;
    QTest::newRow("spelling red wavy") << QByteArray("NONWORD") << "display_spelling_enabled" << "True" << false
                                       << "#FF0000" << wavy;
    QTest::newRow("real-word spelling uses the spelling colour") << QByteArray("REAL") << "display_spelling_enabled"
                                                                << "True" << false << "#FF0000" << wavy;
    QTest::newRow("grammar blue") << QByteArray("GRAMMAR") << "display_grammar_enabled" << "True" << false
                                  << "#0055FF" << wavy;
    QTest::newRow("morphology as grammar") << QByteArray("MOPHOLOGY") << "display_grammar_enabled" << "True"
                                           << false << "#0055FF" << wavy;
    QTest::newRow("style yellow") << QByteArray("STYLE") << "display_style_enabled" << "True" << false
                                  << "#FFC800" << wavy;
    QTest::newRow("unknown type as grammar") << QByteArray("grammar") << "display_grammar_enabled" << "True"
                                             << false << "#0055FF" << wavy;
    QTest::newRow("polish orange dashed in polish mode") << QByteArray("IMPROVE") << "display_enrichment_enabled"
                                                         << "True" << true << "#FF6600"
                                                         << int(QTextCharFormat::DashUnderline);
    QTest::newRow("hidden category has no underline") << QByteArray("STYLE") << "display_style_enabled"
                                                      << "False" << false << QString() << int(QTextCharFormat::NoUnderline);
    QTest::newRow("flag must be exactly True") << QByteArray("NONWORD") << "display_spelling_enabled"
                                               << "TRUE" << false << QString() << int(QTextCharFormat::NoUnderline);
}

void TestCorrectionItem::look()
{
    QFETCH(QByteArray, errorType);
    QFETCH(QString, flagKey);
    QFETCH(QString, flag);
    QFETCH(bool, polish);
    QFETCH(QString, color);
    QFETCH(int, style);
    EditorFixture f;
    f.prefs->setValue(flagKey, flag);
    ZeltraLib::setPolishMode(polish);
    QVERIFY(f.load("Teh cat sat."));
    CorrectionItem *item = f.addFinding(0, makeRecord(errorType, 4, 7, {"dog"}));
    f.editor->revealFindings();
    item->updateLook();
    const QTextCharFormat format = formatInside(item);
    QCOMPARE(int(format.underlineStyle()), style);
    QCOMPARE(item->isVisible(), !color.isEmpty());
    QCOMPARE(item->label()->isHidden(), color.isEmpty());
    if (!color.isEmpty())
        QCOMPARE(format.underlineColor(), QColor(color));
    // Characters outside the finding keep no underline.
    QTextCursor outside(f.editor->document());
    outside.setPosition(2);
    QCOMPARE(outside.charFormat().underlineStyle(), QTextCharFormat::NoUnderline);
}

void TestCorrectionItem::insertedInStartOrder()
{
    EditorFixture f;
    QVERIFY(f.load("One two three four five."));
    f.addFinding(0, makeRecord("NONWORD", 14, 18, {"4"}));
    f.addFinding(0, makeRecord("NONWORD", 0, 3, {"1"}));
    f.addFinding(0, makeRecord("NONWORD", 8, 13, {"3"}));
    // Same start, after the one already there (an insertion: an equal range would overlap).
    f.addFinding(0, makeRecord("GRAMMAR", 8, 8, {"3b"}, "INSERTION"));
    QStringList order;
    for (CorrectionItem *item : f.sentences.first()->findings())
        order << item->candidateText(0);
    QCOMPARE(order, (QStringList{"1", "3", "3b", "4"}));
}

void TestCorrectionItem::offsetsOutsideTheDocument_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<QString>("covered");

    QTest::newRow("end beyond the document") << 4 << 9999 << "cat.";
    QTest::newRow("negative start") << -50 << 3 << "Teh";
    QTest::newRow("start after end") << 6 << 2 << QString();
}

void TestCorrectionItem::offsetsOutsideTheDocument()
{
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(QString, covered);
    EditorFixture f;
    QVERIFY(f.load("Teh cat."));
    CorrectionItem *item = f.addFinding(0, makeRecord("NONWORD", start, end, {"x"}));
    QVERIFY(item);
    QCOMPARE(item->foundText(), covered);
    item->applyByIndex(0);
    QVERIFY(f.editor->toPlainText().contains("x"));
}

void TestCorrectionItem::labelsMadeOnlyNearViewport_data()
{
    QTest::addColumn<int>("percent"); // of the scroll range
    QTest::newRow("at the top") << 0;
    QTest::newRow("scrolled to the middle") << 50;
    QTest::newRow("scrolled to the end") << 100;
}

// Findings far from the viewport have no label widget; every one in view shows its own.
void TestCorrectionItem::labelsMadeOnlyNearViewport()
{
    QFETCH(int, percent);
    EditorFixture f;
    f.editor->resize(500, 300);
    f.editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.editor.get()));
    QString text;
    for (int i = 0; i < 120; ++i)
        text += QStringLiteral("Sentence %1 has teh wrod in it. ").arg(i, 3, 10, QLatin1Char('0'));
    QVERIFY(f.load(text));
    for (int i = 0; i < f.sentences.size(); ++i) {
        f.addFinding(i, makeRecord("NONWORD", 13, 16, {"the"}));
        f.addFinding(i, makeRecord("NONWORD", 17, 21, {"word"}));
    }
    f.editor->revealFindings();
    QScrollBar *bar = f.editor->verticalScrollBar();
    bar->setValue(bar->maximum() * percent / 100);

    const QRect view = f.editor->viewport()->rect();
    int made = 0;
    int inView = 0;
    for (SentenceEntry *e : std::as_const(f.sentences)) {
        for (CorrectionItem *item : e->findings()) {
            QVERIFY(item->isPreviewShown());
            made += item->madeLabel() ? 1 : 0;
            QTextCursor c(f.editor->document());
            c.setPosition(item->start());
            if (!view.contains(f.editor->cursorRect(c)))
                continue;
            ++inView;
            QVERIFY(item->madeLabel() && item->madeLabel()->isVisible());
            QCOMPARE(item->madeLabel()->parentWidget(), f.editor->viewport());
        }
    }
    QVERIFY(inView > 0);
    // The top, the end and what scrolling passed over: far fewer than all 240.
    QVERIFY2(made < 120, qPrintable(QString::number(made)));
}

// A word far from every word comes without candidates: underlined, no preview label,
// nothing to apply.
void TestCorrectionItem::withoutCandidates()
{
    EditorFixture f;
    f.editor->resize(500, 300);
    f.editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.editor.get()));
    QVERIFY(f.load("It is sagniffecient here."));
    CorrectionItem *item = f.addFinding(0, makeRecord("NONWORD", 6, 19, {}));
    f.editor->revealFindings();
    QCOMPARE(item->candidateCount(), 0);
    QVERIFY(!item->isPreviewShown());
    QVERIFY(!item->madeLabel());
    QCOMPARE(formatInside(item).underlineStyle(), QTextCharFormat::SpellCheckUnderline);
    QVERIFY(item->mayAddToDictionary());
    QSignalSpy callback(&CallbackObject::instance(), &CallbackObject::signalCallback);
    item->applyByIndex(0);
    QCOMPARE(callback.size(), 0);
    QCOMPARE(f.editor->toPlainText(), QStringLiteral("It is sagniffecient here."));
}

QTEST_MAIN(TestCorrectionItem)
#include "tst_correctionitem.moc"
