#include "support/editorfixture.h"

#include "callbackobject.h"
#include "clickablelabel.h"
#include "focusrectwidget.h"
#include "linewidget.h"
#include "sentencechunk.h"
#include "textchunk.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QImage>
#include <QInputMethodEvent>
#include <QPainter>

using ZeltraLib::CorrectionRecord;
class TestCustomTextEditor : public QObject
{
    Q_OBJECT

private slots:
    void punctuationConversion_data();
    void punctuationConversion();
    void textQueries_data();
    void textQueries();
    void lineGapAndAppearance();

    void sentenceList_data();
    void sentenceList();
    void sentenceListFromBadBoundaries_data();
    void sentenceListFromBadBoundaries();

    void editsDiscardTouchedFindings_data();
    void editsDiscardTouchedFindings();
    void typing_data();
    void typing();
    void displaySettingsChange_data();
    void displaySettingsChange();
    void pasteHandsPlainTextToMainWindow_data();
    void pasteHandsPlainTextToMainWindow();
    void replaceSelectionKeepsRanges();
    void rightClick_data();
    void rightClick();
    void signalsOfFocusAndContextMenu();
};

void TestCustomTextEditor::punctuationConversion_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("hasChinese");

    QTest::newRow("full-width comma and stop") << QStringLiteral("Yes，it is。") << "Yes, it is." << true;
    QTest::newRow("enumeration comma") << QStringLiteral("a、b") << "a, b" << true;
    QTest::newRow("question, exclamation, colon, semicolon")
        << QStringLiteral("Why？No！Note：x；y") << "Why? No! Note: x; y" << true;
    QTest::newRow("comma before a word gets its space") << QStringLiteral("important，because") << "important, because" << true;
    QTest::newRow("stop before Chinese gets its space")
        << QStringLiteral("foreigner。我的朋友") << QStringLiteral("foreigner. 我的朋友") << true;
    QTest::newRow("space already there is not doubled") << QStringLiteral("Yes， it is。 Go") << "Yes, it is. Go" << true;
    QTest::newRow("nothing at a line end") << QStringLiteral("Yes，\nno。\nok") << "Yes,\nno.\nok" << true;
    QTest::newRow("nothing at the text end") << QStringLiteral("The end。") << "The end." << true;
    QTest::newRow("nothing before a closing mark")
        << QStringLiteral("“Go！”he said。）") << "\"Go!\" he said.)" << true;
    QTest::newRow("marks in a row stay together") << QStringLiteral("What？！Really……no") << "What?! Really... no" << true;
    QTest::newRow("between digits stays unspaced") << QStringLiteral("At 10：30，then 1，000 came") << "At 10:30, then 1,000 came" << true;
    QTest::newRow("number after a mark is spaced") << QStringLiteral("Step：2") << "Step: 2" << true;
    QTest::newRow("opening quote after a colon") << QStringLiteral("He said：“hi”") << "He said: \"hi\"" << true;
    QTest::newRow("letter outside the basic plane")
        << QString(QStringLiteral("好，") + QString::fromUcs4(U"\U00020000") + QStringLiteral("字"))
        << QString(QStringLiteral("好, ") + QString::fromUcs4(U"\U00020000") + QStringLiteral("字"))
        << true;
    QTest::newRow("emoji after a mark") << QString(QStringLiteral("ok，") + QString::fromUcs4(U"\U0001F600"))
                                        << QString(QStringLiteral("ok,") + QString::fromUcs4(U"\U0001F600")) << true;
    QTest::newRow("dash between spaces is not doubled")
        << QString("a " + QString(2, QChar(0x2014)) + " b" + QString(2, QChar(0x2014)) + "\nc")
        << "a - b -\nc" << true;
    QTest::newRow("double em dash becomes spaced hyphen")
        << QString("a" + QString(2, QChar(0x2014)) + "b") << "a - b" << true;
    QTest::newRow("single em dash stays") << QString("a" + QString(QChar(0x2014)) + "b")
                                          << QString("a" + QString(QChar(0x2014)) + "b") << false;
    QTest::newRow("en dash and full-width hyphen")
        << QString("1" + QString(QChar(0x2013)) + "2" + QString(QChar(0xFF0D)) + "3") << "1-2-3" << true;
    QTest::newRow("ellipsis pair") << QString("wait" + QString(2, QChar(0x2026))) << "wait..." << true;
    QTest::newRow("single ellipsis stays") << QString("wait" + QString(QChar(0x2026)))
                                           << QString("wait" + QString(QChar(0x2026))) << false;
    QTest::newRow("brackets are spaced from words")
        << QStringLiteral("（a）【b】｛c｝d，word（note）") << "(a) [b] {c} d, word (note)" << true;
    QTest::newRow("curly quotes") << QString(QChar(0x201C)) + "hi" + QChar(0x201D) + " it" + QChar(0x2019) + "s"
                                  << "\"hi\" it's" << true;
    QTest::newRow("bullet becomes stop") << QString(QChar(0x2022)) + " item" << ". item" << true;
    QTest::newRow("ideographic space") << QString("a" + QString(QChar(0x3000)) + "b") << "a b" << true;
    QTest::newRow("ascii text untouched") << "Plain, ASCII text - fine." << "Plain, ASCII text - fine." << false;
    QTest::newRow("chinese words without marks untouched") << QStringLiteral("中文词语") << QStringLiteral("中文词语") << false;
}

void TestCustomTextEditor::punctuationConversion()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QFETCH(bool, hasChinese);
    EditorFixture f;
    QCOMPARE(f.editor->containsChinesePunctuation(input), hasChinese);
    QCOMPARE(f.editor->convertPunctuation(input), expected);
    f.editor->loadTextConverted(input);
    QCOMPARE(f.editor->toPlainText(), expected);
    QVERIFY(!f.editor->containsChinesePunctuation(f.editor->toPlainText()));
}

void TestCustomTextEditor::textQueries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selEnd");
    QTest::addColumn<bool>("hasText");
    QTest::addColumn<bool>("allSelected");

    QTest::newRow("empty document") << QString() << 0 << 0 << false << true;
    QTest::newRow("white space only") << " \n\t " << 0 << 0 << false << false;
    QTest::newRow("whole text selected") << "Hello world." << 0 << 12 << true << true;
    QTest::newRow("selection misses the last character") << "Hello world." << 0 << 11 << true << false;
    QTest::newRow("selection misses the first character") << "Hello world." << 1 << 12 << true << false;
    QTest::newRow("chinese text selected whole") << QStringLiteral("你好 world。") << 0 << 9 << true << true;
}

void TestCustomTextEditor::textQueries()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selEnd);
    QFETCH(bool, hasText);
    QFETCH(bool, allSelected);
    EditorFixture f;
    f.editor->loadText(text);
    QTextCursor tc = f.editor->textCursor();
    tc.setPosition(selStart);
    tc.setPosition(selEnd, QTextCursor::KeepAnchor);
    f.editor->setTextCursor(tc);
    QCOMPARE(f.editor->hasText(), hasText);
    QCOMPARE(f.editor->everythingSelected(), allSelected);
}

void TestCustomTextEditor::lineGapAndAppearance()
{
    EditorFixture f;
    f.prefs->setValue("display_text_color", "#112233");
    f.prefs->setValue("display_background_enabled", "True");
    f.prefs->setValue("display_text_font_size", "17");
    f.editor->loadText("First line.\nSecond line.");
    for (QTextBlock b = f.editor->document()->begin(); b.isValid(); b = b.next()) {
        QCOMPARE(b.blockFormat().lineHeightType(), int(QTextBlockFormat::LineDistanceHeight));
        QCOMPARE(b.blockFormat().lineHeight(), qreal(CustomTextEditor::DefaultLineGap));
    }
    QTextCursor c(f.editor->document());
    c.setPosition(3);
    QCOMPARE(c.charFormat().foreground().color(), QColor("#112233"));
    QVERIFY(f.editor->styleSheet().contains("background-color: #AAFFFF"));
    QCOMPARE(f.editor->font().pointSize(), 17);
    QCOMPARE(f.editor->textCursor().position(), 0);

    // A garbage size keeps the font usable; no background without the flag.
    f.prefs->setValue("display_background_enabled", "true");
    f.prefs->setValue("display_text_font_size", "big");
    f.editor->applyAppearance();
    QVERIFY(!f.editor->styleSheet().contains("background-color"));
    QVERIFY(f.editor->font().pointSize() > 0);
}

void TestCustomTextEditor::sentenceList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("kinds");
    QTest::addColumn<int>("confidence");

    QTest::newRow("two sentences keep the trailing space")
        << "He came. She left." << "2" << QStringList{"He came. ", "She left."} << QList<int>{0, 0} << 2;
    QTest::newRow("title then sentence paragraph")
        << "My Summer\nIt was hot. We swam." << "3"
        << QStringList{"My Summer", "It was hot. ", "We swam."} << QList<int>{1, 0, 0} << 3;
    QTest::newRow("title-only document makes the last one a sentence")
        << "Chapter One\n\nThe Beginning" << "1" << QStringList{"Chapter One", "The Beginning"}
        << QList<int>{1, 0} << 1;
    QTest::newRow("single title line becomes a sentence") << "Just a title" << "2"
        << QStringList{"Just a title"} << QList<int>{0} << 2;
    QTest::newRow("chinese characters shift nothing")
        << QStringLiteral("我的 essay is here. 你好 again!") << "2"
        << QStringList{QStringLiteral("我的 essay is here. "), QStringLiteral("你好 again!")} << QList<int>{0, 0} << 2;
    QTest::newRow("level that does not parse gives 0") << "One. Two." << "high"
        << QStringList{"One. ", "Two."} << QList<int>{0, 0} << 0;
    QTest::newRow("blank paragraphs are skipped") << "\n   \nOnly this.\n\n" << "2"
        << QStringList{"Only this."} << QList<int>{0} << 2;
    QTest::newRow("empty document has no entries") << QString() << "2" << QStringList{} << QList<int>{} << 2;
}

void TestCustomTextEditor::sentenceList()
{
    QFETCH(QString, text);
    QFETCH(QString, level);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, kinds);
    QFETCH(int, confidence);
    EditorFixture f;
    f.prefs->setValue("enlish_level", level);
    QVERIFY(f.load(text));
    QCOMPARE(f.sentences.size(), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        QCOMPARE(f.sentences.at(i)->text(), texts.at(i));
        QCOMPARE(f.sentences.at(i)->chunk()->kind(), kinds.at(i));
        QCOMPARE(f.sentences.at(i)->chunk()->confidence(), confidence);
        if (i > 0)
            QVERIFY(f.sentences.at(i)->start() >= f.sentences.at(i - 1)->end());
    }
}

void TestCustomTextEditor::sentenceListFromBadBoundaries_data()
{
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<QList<QList<int>>>("boundaries");
    QTest::addColumn<int>("entries");

    QTest::newRow("ends beyond the document are clamped") << QList<int>{0} << QList<QList<int>>{{5, 500}} << 2;
    QTest::newRow("descending ends are skipped") << QList<int>{0} << QList<QList<int>>{{8, 3, 11}} << 2;
    QTest::newRow("more positions than boundary lists") << QList<int>{0, 4, 9} << QList<QList<int>>{{11}} << 1;
    QTest::newRow("empty boundary list yields nothing") << QList<int>{0} << QList<QList<int>>{{}} << 0;
    QTest::newRow("negative position is clamped") << QList<int>{-40} << QList<QList<int>>{{-1, 3}} << 1;
    QTest::newRow("huge title length is clamped") << QList<int>{0} << QList<QList<int>>{{-1, 1 << 30}} << 1;
}

void TestCustomTextEditor::sentenceListFromBadBoundaries()
{
    QFETCH(QList<int>, positions);
    QFETCH(QList<QList<int>>, boundaries);
    QFETCH(int, entries);
    EditorFixture f;
    f.editor->loadText("Hello world.");
    // Building the list changes no text: nothing may take it for an edit.
    QSignalSpy changed(f.editor.get(), &QTextEdit::textChanged);
    f.editor->buildSentenceList(positions, boundaries);
    QCOMPARE(changed.size(), 0);
    QCOMPARE(f.sentences.size(), entries);
    const int last = f.editor->document()->characterCount() - 1;
    for (SentenceEntry *e : std::as_const(f.sentences)) {
        QVERIFY(e->start() >= 0);
        QVERIFY(e->end() <= last);
    }
    if (entries > 0)
        QCOMPARE(f.sentences.last()->chunk()->kind(), 0);
}

void TestCustomTextEditor::editsDiscardTouchedFindings_data()
{
    QTest::addColumn<QString>("how");       // key, input method, insert, replace, format
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");      // key text or text put in
    QTest::addColumn<QString>("caretBefore");
    QTest::addColumn<int>("shift");
    QTest::addColumn<int>("selection");     // characters selected behind the caret
    QTest::addColumn<QStringList>("remaining");
    QTest::addColumn<QString>("result");    // the text after; empty when unchanged

    const QStringList all{"Teh", "teh", "go"};
    const int none = 0;
    QTest::newRow("letter inside a word") << "key" << int(Qt::Key_X) << none << "x" << "Teh" << 1 << 0
        << QStringList{"teh", "go"} << "Txeh cat sat on teh mat. 我们 are go home.";
    QTest::newRow("keypad digit at a word's start") << "key" << int(Qt::Key_5) << int(Qt::KeypadModifier) << "5"
        << "teh" << 0 << 0 << QStringList{"Teh", "go"} << "Teh cat sat on 5teh mat. 我们 are go home.";
    QTest::newRow("delete at a word's start") << "key" << int(Qt::Key_Delete) << none << "" << "go" << 0 << 0
        << QStringList{"Teh", "teh"} << "Teh cat sat on teh mat. 我们 are o home.";
    QTest::newRow("return inside a word") << "key" << int(Qt::Key_Return) << none << "\r" << "teh" << 2 << 0
        << QStringList{"Teh", "go"} << "Teh cat sat on te\nh mat. 我们 are go home.";
    QTest::newRow("ctrl+x over a finding") << "key" << int(Qt::Key_X) << int(Qt::ControlModifier) << "" << "teh" << 0
        << 4 << QStringList{"Teh", "go"} << "Teh cat sat on mat. 我们 are go home.";
    QTest::newRow("alt+letter types nothing") << "key" << int(Qt::Key_A) << int(Qt::AltModifier) << "a" << "Teh"
        << 1 << 0 << all << "";
    QTest::newRow("meta+letter types nothing") << "key" << int(Qt::Key_E) << int(Qt::MetaModifier) << "e" << "Teh"
        << 1 << 0 << all << "";
    QTest::newRow("alt+shift+letter types nothing") << "key" << int(Qt::Key_A)
        << int(Qt::AltModifier | Qt::ShiftModifier) << "A" << "Teh" << 1 << 0 << all << "";
    QTest::newRow("ctrl+c copies, discards nothing") << "key" << int(Qt::Key_C) << int(Qt::ControlModifier) << ""
        << "teh" << 0 << 3 << all << "";
    QTest::newRow("arrow moves, discards nothing") << "key" << int(Qt::Key_Left) << none << "" << "go" << 1 << 0
        << all << "";
    QTest::newRow("input method commit inside a word") << "input method" << 0 << none << QStringLiteral("去")
        << "go" << 1 << 0 << QStringList{"Teh", "teh"} << "Teh cat sat on teh mat. 我们 are g去o home.";
    QTest::newRow("input method commit at a word's end") << "input method" << 0 << none << QStringLiteral("的")
        << " mat" << 0 << 0 << QStringList{"Teh", "go"} << "Teh cat sat on teh的 mat. 我们 are go home.";
    QTest::newRow("input method commit between words") << "input method" << 0 << none << QStringLiteral("猫")
        << "cat" << 0 << 0 << all << "Teh 猫cat sat on teh mat. 我们 are go home.";
    QTest::newRow("program inserts inside a word") << "insert" << 0 << none << "zz" << "Teh" << 2 << 0
        << QStringList{"teh", "go"} << "Tezzh cat sat on teh mat. 我们 are go home.";
    QTest::newRow("paste over a finding") << "replace" << 0 << none << "the" << "teh" << 0 << 3
        << QStringList{"Teh", "go"} << "Teh cat sat on the mat. 我们 are go home.";
    QTest::newRow("paste of the same text keeps it") << "replace" << 0 << none << "teh" << "teh" << 0 << 3
        << all << "";
    QTest::newRow("format change discards nothing") << "format" << 0 << none << "" << "Teh" << 0 << 0 << all << "";
}

// Every path that changes the text of a finding discards it; the document's change
// report decides, not the keys.
void TestCustomTextEditor::editsDiscardTouchedFindings()
{
    QFETCH(QString, how);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, caretBefore);
    QFETCH(int, shift);
    QFETCH(int, selection);
    QFETCH(QStringList, remaining);
    QFETCH(QString, result);

    EditorFixture f;
    const QString original = QStringLiteral("Teh cat sat on teh mat. 我们 are go home.");
    QVERIFY(f.load(original));
    f.addFinding(0, makeRecord("NONWORD", 0, 3, {"The"}));
    f.addFinding(0, makeRecord("NONWORD", 15, 18, {"the"}));
    f.addFinding(1, makeRecord("GRAMMAR", 7, 9, {"went"}));
    f.editor->revealFindings();
    QSignalSpy edited(f.editor.get(), &CustomTextEditor::signalTextEdited);

    QTextCursor tc = f.editor->textCursor();
    tc.setPosition(f.positionOf(caretBefore) + shift);
    tc.setPosition(tc.position() + selection, QTextCursor::KeepAnchor);
    f.editor->setTextCursor(tc);
    if (how == "key") {
        QTest::keyClick(f.editor.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    } else if (how == "input method") {
        QInputMethodEvent preedit(text, {});
        QApplication::sendEvent(f.editor.get(), &preedit);
        QCOMPARE(f.sentences.first()->findings().size() + f.sentences.last()->findings().size(), 3);
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(f.editor.get(), &commit);
    } else if (how == "insert") {
        tc.insertText(text);
    } else if (how == "replace") {
        f.editor->replaceSelection(tc, text);
    } else {
        QTextCursor everything(f.editor->document());
        everything.select(QTextCursor::Document);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        everything.mergeCharFormat(bold);
    }

    const QString expected = result.isEmpty() ? original : result;
    QCOMPARE(f.editor->toPlainText(), expected);
    QCOMPARE(f.foundTexts(), remaining);
    // Every change of the text, and only that, is reported as an edit.
    QCOMPARE(edited.size(), result.isEmpty() ? 0 : 1);
}

void TestCustomTextEditor::typing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("caretBefore"); // caret goes right before this text
    QTest::addColumn<int>("caretShift");      // ... moved by this many characters
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("keyText");
    QTest::addColumn<QStringList>("remaining"); // found texts of the findings left
    QTest::addColumn<bool>("suggestionLeft");

    const QString text = QStringLiteral("Teh cat sat on teh mat. 我们 are go home.");
    QTest::newRow("letter inside a word removes that finding")
        << text << "Teh" << 1 << int(Qt::Key_X) << "x" << QStringList{"teh", "go"} << true;
    QTest::newRow("letter outside moves findings with the text")
        << text << "cat" << 0 << int(Qt::Key_A) << "a" << QStringList{"Teh", "teh", "go"} << true;
    QTest::newRow("backspace at a finding's end removes it")
        << text << " mat" << 0 << int(Qt::Key_Backspace) << "" << QStringList{"Teh", "go"} << true;
    QTest::newRow("typing in a sentence with a suggestion drops the suggestion")
        << text << "are" << 0 << int(Qt::Key_B) << "b" << QStringList{"Teh", "teh", "go"} << false;
    QTest::newRow("typing inside a finding keeps the sentence suggestion")
        << text << "go" << 1 << int(Qt::Key_B) << "b" << QStringList{"Teh", "teh"} << true;
    QTest::newRow("arrow keys discard nothing")
        << text << "go" << 1 << int(Qt::Key_Left) << "" << QStringList{"Teh", "teh", "go"} << true;
}

void TestCustomTextEditor::typing()
{
    QFETCH(QString, text);
    QFETCH(QString, caretBefore);
    QFETCH(int, caretShift);
    QFETCH(int, key);
    QFETCH(QString, keyText);
    QFETCH(QStringList, remaining);
    QFETCH(bool, suggestionLeft);

    EditorFixture f;
    QVERIFY(f.load(text));
    QCOMPARE(f.sentences.size(), 2);
    f.addFinding(0, makeRecord("NONWORD", 0, 3, {"The"}));
    f.addFinding(0, makeRecord("NONWORD", 15, 18, {"the"}));
    // "go" in the Chinese sentence: offsets count UTF-16 characters.
    f.addFinding(1, makeRecord("GRAMMAR", 7, 9, {"went"}));
    f.addFinding(1, makeRecord("SUGGESTION", 0, 0, {}));
    f.editor->revealFindings();
    QVERIFY(f.sentences.at(1)->lineWidget());
    QCOMPARE(f.sentences.at(1)->findings().first()->currentText(), QStringLiteral("go"));

    QList<QPointer<ClickableLabel>> labels;
    for (SentenceEntry *e : std::as_const(f.sentences))
        for (CorrectionItem *item : e->findings())
            labels << item->label();

    QTextCursor tc = f.editor->textCursor();
    tc.setPosition(f.positionOf(caretBefore) + caretShift);
    f.editor->setTextCursor(tc);
    QTest::keyClick(f.editor.get(), Qt::Key(key), Qt::NoModifier);
    Q_UNUSED(keyText);

    // Kept findings still cover exactly their words.
    QCOMPARE(f.foundTexts(), remaining);
    QCOMPARE(f.sentences.at(1)->hasSuggestion(), suggestionLeft);
    QCOMPARE(bool(f.sentences.at(1)->lineWidget()), suggestionLeft);
    // Labels of removed findings go away.
    int liveLabels = 0;
    QTRY_COMPARE((liveLabels = int(std::count_if(labels.cbegin(), labels.cend(),
                                                 [](const QPointer<ClickableLabel> &l) { return !l.isNull(); }))),
                 int(remaining.size()));
}

void TestCustomTextEditor::displaySettingsChange_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("spellingShown");
    QTest::addColumn<bool>("lineShown");
    QTest::addColumn<bool>("focusKept");

    QTest::newRow("spelling hidden drops its look, label and focus")
        << "display_spelling_enabled" << "False" << false << true << false;
    QTest::newRow("suggestions hidden hide the line") << "display_suggestion_enabled" << "False" << true << false << true;
    QTest::newRow("other colour keeps everything shown") << "display_spelling_color" << "#00FF00" << true << true << true;
}

void TestCustomTextEditor::displaySettingsChange()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(bool, spellingShown);
    QFETCH(bool, lineShown);
    QFETCH(bool, focusKept);
    EditorFixture f;
    QVERIFY(f.load(QStringLiteral("Teh 猫 sat. It rains.")));
    CorrectionItem *spelling = f.addFinding(0, makeRecord("NONWORD", 0, 3, {"The"}));
    CorrectionItem *grammar = f.addFinding(0, makeRecord("GRAMMAR", 6, 9, {"sits"}));
    f.addFinding(1, makeRecord("SUGGESTION", 0, 0, {}));
    f.editor->revealFindings();
    f.editor->setFocusedFinding(spelling);

    f.prefs->setValue(key, value);
    f.editor->applyDisplaySettings(false, true);
    QCOMPARE(spelling->isVisible(), spellingShown);
    QCOMPARE(!spelling->label()->isHidden(), spellingShown);
    QTextCursor c(f.editor->document());
    c.setPosition(1);
    QCOMPARE(c.charFormat().underlineStyle() != QTextCharFormat::NoUnderline, spellingShown);
    if (spellingShown)
        QCOMPARE(c.charFormat().underlineColor(), QColor(key == "display_spelling_color" ? value : "#FF0000"));
    QVERIFY(grammar->isVisible());
    QCOMPARE(!f.sentences.at(1)->lineWidget()->isHidden(), lineShown);
    QCOMPARE(f.editor->focusedFinding() == spelling, focusKept);
    QCOMPARE(bool(f.editor->focusRect()), focusKept);
}

void TestCustomTextEditor::pasteHandsPlainTextToMainWindow_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("withImageOnly");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("emissions");

    QTest::newRow("rich text with plain alternative")
        << "bold words" << "<b>bold</b> <i>words</i>" << false << "bold words" << 1;
    QTest::newRow("html only is reduced to its text")
        << QString() << "<p><b>only</b> html</p>" << false << "only html" << 1;
    QTest::newRow("chinese plain text") << QStringLiteral("中文 text") << QString() << false
                                        << QStringLiteral("中文 text") << 1;
    QTest::newRow("image without text is ignored") << QString() << QString() << true << QString() << 0;
}

void TestCustomTextEditor::pasteHandsPlainTextToMainWindow()
{
    QFETCH(QString, plain);
    QFETCH(QString, html);
    QFETCH(bool, withImageOnly);
    QFETCH(QString, expected);
    QFETCH(int, emissions);
    EditorFixture f;
    f.editor->loadText("Before.");
    QSignalSpy spy(f.editor.get(), &CustomTextEditor::signalOnPaste);
    auto *mime = new QMimeData;
    if (!plain.isEmpty())
        mime->setText(plain);
    if (!html.isEmpty())
        mime->setHtml(html);
    if (withImageOnly)
        mime->setImageData(QImage(4, 4, QImage::Format_RGB32));
    QApplication::clipboard()->setMimeData(mime);
    f.editor->paste();
    QCOMPARE(spy.size(), emissions);
    if (emissions)
        QCOMPARE(spy.first().first().toString().trimmed(), expected);
    // The editor itself inserts nothing.
    QCOMPARE(f.editor->toPlainText(), QStringLiteral("Before."));
}

void TestCustomTextEditor::replaceSelectionKeepsRanges()
{
    EditorFixture f;
    QVERIFY(f.load(QStringLiteral("他说 Teh dog barked at teh cat.")));
    CorrectionItem *first = f.addFinding(0, makeRecord("NONWORD", 3, 6, {"The"}));
    CorrectionItem *second = f.addFinding(0, makeRecord("NONWORD", 21, 24, {"the"}));
    QCOMPARE(first->currentText(), QStringLiteral("Teh"));
    QCOMPARE(second->currentText(), QStringLiteral("teh"));

    // Replace "dog" (between the findings) by a longer Chinese text.
    QTextCursor sel(f.editor->document());
    sel.setPosition(f.positionOf("dog"));
    sel.setPosition(f.positionOf("dog") + 3, QTextCursor::KeepAnchor);
    f.editor->setTextCursor(sel);
    f.editor->replaceSelection(sel, QStringLiteral("小狗 puppy"));
    QCOMPARE(f.editor->toPlainText(), QStringLiteral("他说 Teh 小狗 puppy barked at teh cat."));
    QCOMPARE(first->currentText(), QStringLiteral("Teh"));
    QCOMPARE(second->currentText(), QStringLiteral("teh"));
    // The caret ends behind the new text.
    QCOMPARE(f.editor->textCursor().position(), f.positionOf("puppy") + 5);
    QVERIFY(!f.editor->textCursor().hasSelection());

    // Pasting at a finding's end discards it; the other one stays on its word.
    QTextCursor caret(f.editor->document());
    caret.setPosition(second->end());
    f.editor->setTextCursor(caret);
    QSignalSpy discarded(f.editor.get(), &CustomTextEditor::signalFindingsDiscarded);
    f.editor->replaceSelection(f.editor->textCursor(), QStringLiteral("x"));
    QCOMPARE(discarded.size(), 1);
    QCOMPARE(f.sentences.first()->findings(), QList<CorrectionItem *>{first});
    QCOMPARE(f.editor->toPlainText(), QStringLiteral("他说 Teh 小狗 puppy barked at tehx cat."));
    QCOMPARE(first->currentText(), QStringLiteral("Teh"));
}

void TestCustomTextEditor::rightClick_data()
{
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selEnd");
    QTest::addColumn<int>("clickAt");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("selectionKept");

    QTest::newRow("inside the selection keeps it") << 4 << 15 << 8 << int(Qt::RightButton) << true;
    QTest::newRow("before the selection moves the caret") << 10 << 20 << 2 << int(Qt::RightButton) << false;
    QTest::newRow("after the selection moves the caret") << 0 << 5 << 18 << int(Qt::RightButton) << false;
    QTest::newRow("no selection moves the caret") << 3 << 3 << 12 << int(Qt::RightButton) << false;
    QTest::newRow("left click inside clears the selection") << 4 << 15 << 8 << int(Qt::LeftButton) << false;
}

void TestCustomTextEditor::rightClick()
{
    QFETCH(int, selStart);
    QFETCH(int, selEnd);
    QFETCH(int, clickAt);
    QFETCH(int, button);
    QFETCH(bool, selectionKept);
    EditorFixture f;
    f.editor->loadText(QStringLiteral("右键 the quick brown fox jumps"));
    f.editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.editor.get()));
    QTextCursor tc = f.editor->textCursor();
    tc.setPosition(selStart);
    tc.setPosition(selEnd, QTextCursor::KeepAnchor);
    f.editor->setTextCursor(tc);

    QTextCursor at(f.editor->document());
    at.setPosition(clickAt);
    const QRect r = f.editor->cursorRect(at);
    const QPoint point(r.left() + 1, r.center().y());
    const int hitPosition = f.editor->cursorForPosition(point).position();
    QTest::mousePress(f.editor->viewport(), Qt::MouseButton(button), Qt::NoModifier, point);
    QTest::mouseRelease(f.editor->viewport(), Qt::MouseButton(button), Qt::NoModifier, point);

    const QTextCursor after = f.editor->textCursor();
    if (selectionKept) {
        QCOMPARE(after.selectionStart(), selStart);
        QCOMPARE(after.selectionEnd(), selEnd);
    } else {
        QVERIFY(!after.hasSelection());
        QCOMPARE(after.position(), hitPosition);
    }
}

void TestCustomTextEditor::signalsOfFocusAndContextMenu()
{
    EditorFixture f;
    QWidget other;
    f.editor->show();
    QSignalSpy dict(f.editor.get(), &CustomTextEditor::signalShowDict);
    qRegisterMetaType<QContextMenuEvent *>();
    QSignalSpy menu(f.editor.get(), &CustomTextEditor::signalContextMenu);
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(f.editor.get(), &focusIn);
    QApplication::sendEvent(f.editor.get(), &focusIn);
    QCOMPARE(dict.size(), 2);
    QCOMPARE(dict.at(0).at(0).toBool(), false);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5));
    QApplication::sendEvent(f.editor->viewport(), &event);
    QCOMPARE(menu.size(), 1);
    QCOMPARE(menu.first().first().value<QContextMenuEvent *>(), &event);
}

QTEST_MAIN(TestCustomTextEditor)
#include "tst_customtexteditor.moc"
