// The editor's drawing: labels under findings, sentence lines, the focus rectangle, the
// sentence highlight and layout after scrolling and resizing.

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

class TestCustomTextEditorView : public QObject
{
    Q_OBJECT

private slots:
    void overlappingFindings_data();
    void overlappingFindings();
    void previewLabels_data();
    void previewLabels();
    void labelClickAppliesFirstCandidate();
    void sentenceLines_data();
    void sentenceLines();
    void lineWidgetPaint_data();
    void lineWidgetPaint();
    void relayoutAfterScrollPlacesOnlyNearViewport();
    void focusRect_data();
    void focusRect();
    void sentenceHighlight();
    void sentenceAtCaret_data();
    void sentenceAtCaret();
    void resizeKeepsTheFirstVisibleLine();
    void focusedFindingShownWithContext_data();
    void focusedFindingShownWithContext();
};

void TestCustomTextEditorView::overlappingFindings_data()
{
    // Findings as {start, end} of "found" in the sentence, in arrival order.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QList<int>>>("arriving");
    QTest::addColumn<QStringList>("kept");

    const QString text = QStringLiteral("Café owners recieve many letter daily.");
    const int r = int(text.indexOf(QStringLiteral("recieve")));
    const int m = int(text.indexOf(QStringLiteral("many")));
    const int l = int(text.indexOf(QStringLiteral("letter")));
    QTest::newRow("inner after outer is dropped") << text << QList<QList<int>>{{r, m + 4}, {r, r + 7}}
                                                  << QStringList{"recieve many"};
    QTest::newRow("outer after inner is dropped") << text << QList<QList<int>>{{m, m + 4}, {r, l + 6}}
                                                  << QStringList{"many"};
    QTest::newRow("partly overlapping is dropped") << text << QList<QList<int>>{{r, r + 7}, {r + 4, m + 4}}
                                                   << QStringList{"recieve"};
    QTest::newRow("touching findings all stay") << text << QList<QList<int>>{{m, m + 4}, {r, r + 7}, {r + 7, m}}
                                                << QStringList{"recieve", " ", "many"};
    QTest::newRow("insertion inside a finding is dropped") << text << QList<QList<int>>{{r, m + 4}, {r + 3, r + 3}}
                                                           << QStringList{"recieve many"};
    QTest::newRow("two insertions at one place keep one") << text << QList<QList<int>>{{l, l}, {l, l}}
                                                          << QStringList{""};
    QTest::newRow("insertion at a finding's start stays") << text << QList<QList<int>>{{r, r + 7}, {r, r}}
                                                          << QStringList{"recieve", ""};
}

void TestCustomTextEditorView::overlappingFindings()
{
    QFETCH(QString, text);
    QFETCH(QList<QList<int>>, arriving);
    QFETCH(QStringList, kept);
    EditorFixture f;
    QVERIFY(f.load(text));
    QCOMPARE(f.sentences.size(), 1);
    for (const QList<int> &range : arriving)
        f.addFinding(0, makeRecord("GRAMMAR", range.at(0), range.at(1), {"X"}));
    QStringList found;
    for (const CorrectionItem *item : f.sentences.first()->findings())
        found << item->foundText();
    QCOMPARE(found, kept);
    // Applying every finding, outer ones first, leaves each one its own text.
    const QList<CorrectionItem *> items = f.sentences.first()->findings();
    for (CorrectionItem *item : items)
        item->applyByIndex(0);
    for (const CorrectionItem *item : items) {
        QVERIFY(item->isApplied());
        QCOMPARE(item->currentText(), item->replacementText(0));
    }
}

void TestCustomTextEditorView::previewLabels_data()
{
    QTest::addColumn<QByteArray>("candidateType");
    QTest::addColumn<QString>("preview");
    QTest::addColumn<QString>("applied");

    QTest::newRow("replace shows the first candidate") << QByteArray("REPLACE") << "an" << "It is an 苹果 today.";
    QTest::newRow("delete shows 删除") << QByteArray("DELETION") << QStringLiteral("删除") << "It is   苹果 today.";
    QTest::newRow("insert shows candidate, space, found text")
        << QByteArray("INSERTION") << "an a" << "It is an a 苹果 today.";
    QTest::newRow("unknown operation replaces") << QByteArray("SWAP") << "an" << "It is an 苹果 today.";
}

void TestCustomTextEditorView::previewLabels()
{
    QFETCH(QByteArray, candidateType);
    QFETCH(QString, preview);
    QFETCH(QString, applied);
    EditorFixture f;
    f.prefs->setValue("display_text_font_size", "15");
    QVERIFY(f.load(QStringLiteral("It is a 苹果 today.")));
    CorrectionItem *item = f.addFinding(0, makeRecord("GRAMMAR", 6, 7, {"an", "the"}, candidateType));
    QVERIFY(item && item->label());
    QCOMPARE(item->label()->text(), preview);
    QCOMPARE(item->label()->font().pointSize(), 14);
    QVERIFY(item->label()->isHidden()); // until the check finishes
    f.editor->revealFindings();
    QVERIFY(!item->label()->isHidden());

    item->applyByIndex(0);
    QCOMPARE(f.editor->toPlainText(), applied);
    QVERIFY(item->label()->isHidden());
    item->correct(ZeltraLib::MenuItemRevert);
    QCOMPARE(f.editor->toPlainText(), QStringLiteral("It is a 苹果 today."));
    QVERIFY(!item->label()->isHidden());
}

void TestCustomTextEditorView::labelClickAppliesFirstCandidate()
{
    EditorFixture f;
    f.editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.editor.get()));
    QVERIFY(f.load("Ths is fine."));
    CorrectionItem *item = f.addFinding(0, makeRecord("NONWORD", 0, 3, {"This", "The"}));
    f.editor->revealFindings();
    QSignalSpy callback(&CallbackObject::instance(), &CallbackObject::signalCallback);
    ClickableLabel *label = item->label();
    // Placed under the word, in the line gap.
    const QRect word = f.editor->cursorRect(item->cursor());
    QCOMPARE(label->y(), f.editor->cursorRect(QTextCursor(f.editor->document())).bottom());
    QVERIFY(label->y() >= word.top());
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
    QCOMPARE(f.editor->toPlainText(), QStringLiteral("This is fine."));
    QCOMPARE(item->currentIndex(), 0);
    QCOMPARE(callback.size(), 1);
    QCOMPARE(callback.first().at(0).value<CorrectionItem *>(), item);
    QCOMPARE(callback.first().at(1).value<ZeltraLib::MenuItemType>(), ZeltraLib::MenuItemApply);
}

void TestCustomTextEditorView::sentenceLines_data()
{
    QTest::addColumn<QString>("enabled");
    QTest::addColumn<bool>("shown");

    QTest::newRow("suggestions shown") << "True" << true;
    QTest::newRow("suggestions off") << "False" << false;
    QTest::newRow("lower-case true is not True") << "true" << false;
}

void TestCustomTextEditorView::sentenceLines()
{
    QFETCH(QString, enabled);
    QFETCH(bool, shown);
    EditorFixture f;
    f.editor->resize(320, 400); // narrow enough that the long sentence wraps
    f.editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.editor.get()));
    f.prefs->setValue("display_suggestion_enabled", enabled);
    QVERIFY(f.load(QString("Short one. ") + QString("This sentence is long enough to wrap over two lines "
                                                     "of the editor at its width. ").repeated(2)));
    QCOMPARE(f.sentences.size(), 3);
    f.addFinding(1, makeRecord("SUGGESTION", 0, 0, {}));
    f.editor->revealFindings();
    LineWidget *line = f.sentences.at(1)->lineWidget();
    QVERIFY(line);
    QCOMPARE(!line->isHidden(), shown);
    QTextCursor start(f.editor->document());
    start.setPosition(f.sentences.at(1)->start());
    QTextCursor end(f.editor->document());
    end.setPosition(f.sentences.at(1)->end() - 1); // the line ends under the last word, not the blank
    const QRect sr = f.editor->cursorRect(start);
    const QRect er = f.editor->cursorRect(end);
    if (shown) {
        QCOMPARE(line->pos(), QPoint(0, sr.bottom()));
        QCOMPARE(line->startPoint(), QPoint(sr.left(), sr.bottom()));
        QCOMPARE(line->endPoint(), QPoint(er.right(), er.bottom()));
        QCOMPARE(line->lineStep(), sr.height() + CustomTextEditor::DefaultLineGap);
        // As many strokes as visual lines the sentence covers.
        const QTextBlock block = f.editor->document()->findBlock(f.sentences.at(1)->start());
        const QTextLayout *layout = block.layout();
        const int first = layout->lineForTextPosition(f.sentences.at(1)->start() - block.position()).lineNumber();
        const int last = layout->lineForTextPosition(end.position() - block.position()).lineNumber();
        QVERIFY(last > first); // the sentence wraps
        QCOMPARE(line->lineCount(), last - first + 1);
        QCOMPARE(line->height(), er.bottom() - sr.bottom() + 1 + line->penOffset());
        // Every stroke is painted inside the widget, one under each visual line.
        QImage image(line->size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        line->render(&image);
        QList<int> rows;
        for (int y = 0; y < image.height(); ++y) {
            if (qAlpha(image.pixel(image.width() / 2, y)) != 0)
                rows << y;
        }
        QCOMPARE(int(rows.size()), line->lineCount());
        QCOMPARE(rows.last(), er.bottom() - sr.bottom() + line->penOffset());
    } else {
        // Not repositioned: still parked outside the viewport.
        const QRect g(line->mapTo(f.editor->viewport(), QPoint(0, 0)), line->size());
        QVERIFY(!f.editor->viewport()->rect().intersects(g));
    }
}

void TestCustomTextEditorView::lineWidgetPaint_data()
{
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<int>("step");
    QTest::addColumn<QList<QLine>>("strokes"); // y, first x, last x of every stroke

    QTest::newRow("one line from start to end")
        << QPoint(10, 20) << QPoint(50, 20) << 40 << QList<QLine>{QLine(10, 1, 49, 1)};
    QTest::newRow("two lines: first to the right edge, second from the left")
        << QPoint(10, 20) << QPoint(30, 60) << 40
        << QList<QLine>{QLine(10, 1, 99, 1), QLine(0, 41, 29, 41)};
    QTest::newRow("three lines laid out 2 px closer than the step")
        << QPoint(10, 20) << QPoint(30, 98) << 40
        << QList<QLine>{QLine(10, 1, 99, 1), QLine(0, 40, 99, 40), QLine(0, 79, 29, 79)};
    QTest::newRow("no step draws one line")
        << QPoint(10, 20) << QPoint(50, 60) << 0 << QList<QLine>{QLine(10, 1, 49, 1)};
}

// The strokes of a sentence line, read back from the pixels it paints.
void TestCustomTextEditorView::lineWidgetPaint()
{
    QFETCH(QPoint, start);
    QFETCH(QPoint, end);
    QFETCH(int, step);
    QFETCH(QList<QLine>, strokes);
    const int width = 100;
    LineWidget line;
    line.setColor(QColor(0x12, 0x80, 0x34));
    line.setLine(start, end, width, step);
    line.resize(width, 130);
    QCOMPARE(line.lineCount(), int(strokes.size()));
    QImage image(line.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    line.render(&image);

    for (int y = 0; y < image.height(); ++y) {
        QList<int> xs;
        for (int x = 0; x < width; ++x) {
            if (qAlpha(image.pixel(x, y)) != 0)
                xs << x;
        }
        auto stroke = std::find_if(strokes.cbegin(), strokes.cend(), [y](const QLine &l) { return l.y1() == y; });
        if (stroke == strokes.cend()) {
            QVERIFY2(xs.isEmpty(), qPrintable(QStringLiteral("stray pixels on row %1").arg(y)));
            continue;
        }
        QVERIFY2(!xs.isEmpty(), qPrintable(QStringLiteral("no stroke on row %1").arg(y)));
        QCOMPARE(xs.first(), stroke->x1());
        QCOMPARE(xs.last(), stroke->x2());
        QCOMPARE(int(xs.size()), stroke->x2() - stroke->x1() + 1);
        QCOMPARE(QColor(image.pixel(xs.first(), y)).rgb(), QColor(0x12, 0x80, 0x34).rgb());
    }
}

void TestCustomTextEditorView::relayoutAfterScrollPlacesOnlyNearViewport()
{
    EditorFixture f;
    f.editor->resize(500, 300);
    f.editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.editor.get()));
    QString text;
    for (int i = 0; i < 120; ++i)
        text += QStringLiteral("Sentence %1 has teh wrod 错 in it. ").arg(i, 3, 10, QLatin1Char('0'));
    QVERIFY(f.load(text));
    QCOMPARE(f.sentences.size(), 120);
    for (int i = 0; i < f.sentences.size(); ++i) {
        f.addFinding(i, makeRecord("NONWORD", 13, 16, {"the"}));
        f.addFinding(i, makeRecord("NONWORD", 17, 21, {"word"}));
    }
    f.editor->revealFindings();
    QVERIFY(f.editor->placedOverlayCount() < 120); // far fewer than all 240 labels

    auto checkPlacement = [&] {
        const QRect view = f.editor->viewport()->rect();
        int inView = 0;
        for (SentenceEntry *e : std::as_const(f.sentences)) {
            for (CorrectionItem *item : e->findings()) {
                QTextCursor c(f.editor->document());
                c.setPosition(item->start());
                const QRect r = f.editor->cursorRect(c);
                ClickableLabel *label = item->label();
                const QRect g(label->mapTo(f.editor->viewport(), QPoint(0, 0)), label->size());
                if (view.intersects(g)) {
                    ++inView;
                    // Whatever shows in the viewport is under its own word.
                    if (g.topLeft() != QPoint(r.left(), r.bottom()))
                        return false;
                }
                if (view.contains(r) && g.topLeft() != QPoint(r.left(), r.bottom()))
                    return false; // a finding in view without its label
            }
        }
        return inView > 0;
    };
    QVERIFY(checkPlacement());
    QScrollBar *bar = f.editor->verticalScrollBar();
    for (int value : {bar->maximum() / 2, bar->maximum(), bar->maximum() / 3, 0}) {
        bar->setValue(value);
        QVERIFY2(checkPlacement(), qPrintable(QStringLiteral("scroll value %1").arg(value)));
    }
    // Typing in the middle keeps the placement right.
    bar->setValue(bar->maximum() / 2);
    QTextCursor tc = f.editor->cursorForPosition(f.editor->viewport()->rect().center());
    tc.insertText(QStringLiteral("插入 inserted words "));
    QVERIFY(checkPlacement());
}

void TestCustomTextEditorView::focusRect_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("wraps");

    QTest::newRow("finding on one line") << "A short line with a wrod here." << "wrod" << false;
    QTest::newRow("finding that wraps keeps its first line's part")
        << QString("Filler words go here until the line is nearly full and then a very long "
                   "finding phrase spans across the line break into the next line of text.")
        << "a very long finding phrase spans across the line break into the next" << true;
    QTest::newRow("chinese finding") << QStringLiteral("他们 说 错误的 words here.") << QStringLiteral("错误的") << false;
}

void TestCustomTextEditorView::focusRect()
{
    QFETCH(QString, text);
    QFETCH(QString, word);
    QFETCH(bool, wraps);
    EditorFixture f;
    f.editor->resize(420, 300);
    f.editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.editor.get()));
    QVERIFY(f.load(text));
    const int at = f.positionOf(word);
    QVERIFY(at >= 0);
    CorrectionItem *item = f.addFinding(0, makeRecord("GRAMMAR", at, at + int(word.size()), {"x"}));
    QTextCursor s(f.editor->document());
    s.setPosition(item->start());
    QTextCursor e(f.editor->document());
    e.setPosition(item->end());
    const QRect sr = f.editor->cursorRect(s);
    const QRect er = f.editor->cursorRect(e);
    QCOMPARE(er.top() > sr.top(), wraps);

    f.editor->setFocusedFinding(item);
    FocusRectWidget *rect = f.editor->focusRect();
    QVERIFY(rect);
    QCOMPARE(rect->pos(), sr.topLeft());
    QCOMPARE(rect->height(), sr.height() + 2);
    QVERIFY(rect->width() >= 2);
    if (wraps) {
        QVERIFY(rect->width() > 2);
        QVERIFY(rect->geometry().right() < f.editor->viewport()->width());
    } else {
        QCOMPARE(rect->width(), er.left() - sr.left() + 2);
    }
    // The frame fades in and then stays.
    QTRY_COMPARE(rect->frame(), 255);

    // Only one frame at a time; focusing none removes it.
    QPointer<FocusRectWidget> old = rect;
    f.editor->setFocusedFinding(item);
    QVERIFY(f.editor->focusRect() != old);
    QTRY_VERIFY(old.isNull());
    f.editor->setFocusedFinding(nullptr);
    QVERIFY(!f.editor->focusRect());
    QVERIFY(!f.editor->focusedFinding());
}

void TestCustomTextEditorView::sentenceHighlight()
{
    EditorFixture f;
    f.prefs->setValue("display_highlight_color", "#8000B6");
    QVERIFY(f.load(QStringLiteral("第一 One here. Two there.")));
    QCOMPARE(f.sentences.size(), 2);
    auto colorAt = [&](int pos) {
        QTextCursor c(f.editor->document());
        c.setPosition(pos + 1);
        return c.charFormat().foreground().color();
    };
    f.editor->highlightSentence(nullptr, f.sentences.at(0));
    QCOMPARE(colorAt(f.positionOf("One")), QColor("#8000B6"));
    QCOMPARE(colorAt(f.positionOf("Two")), QColor("#000000"));
    f.editor->highlightSentence(f.sentences.at(0), f.sentences.at(1));
    QCOMPARE(colorAt(f.positionOf("One")), QColor("#000000"));
    QCOMPARE(colorAt(f.positionOf("Two")), QColor("#8000B6"));
    QCOMPARE(f.editor->sentenceAt(f.positionOf("One")), f.sentences.at(0));
    QCOMPARE(f.editor->sentenceAt(f.positionOf("Two")), f.sentences.at(1));
    QCOMPARE(f.editor->sentenceAt(10000), f.sentences.at(1));

    f.prefs->setValue("display_highlight_enabled", "False");
    f.editor->highlightSentence(f.sentences.at(1), f.sentences.at(0));
    QCOMPARE(colorAt(f.positionOf("Two")), QColor("#8000B6"));
}

void TestCustomTextEditorView::sentenceAtCaret_data()
{
    QTest::addColumn<QString>("caretAfter"); // the caret goes right behind this text
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("sentence");

    QTest::newRow("inside the first sentence") << "第一 On" << "" << 0;
    QTest::newRow("at the end of a sentence followed by another") << "One here. " << "" << 1;
    QTest::newRow("at the end of a paragraph") << "Two there." << "" << 1;
    QTest::newRow("typing at the end of a paragraph") << "Two there." << "x" << 1;
    QTest::newRow("at the start of the next paragraph") << "Two there.\n" << "" << 2;
    QTest::newRow("at the end of the text") << "最后 Last one." << "y" << 2;
}

void TestCustomTextEditorView::sentenceAtCaret()
{
    QFETCH(QString, caretAfter);
    QFETCH(QString, typed);
    QFETCH(int, sentence);
    EditorFixture f;
    QVERIFY(f.load(QStringLiteral("第一 One here. Two there.\n最后 Last one.")));
    QCOMPARE(f.sentences.size(), 3);
    QTextCursor tc = f.editor->textCursor();
    tc.setPosition(f.positionOf(caretAfter) + int(caretAfter.size()));
    f.editor->setTextCursor(tc);
    if (!typed.isEmpty())
        QTest::keyClicks(f.editor.get(), typed);
    QCOMPARE(f.editor->sentenceAt(f.editor->textCursor().position()), f.sentences.at(sentence));
}

// A narrower or wider editor rewraps the text; the line read first stays first.
void TestCustomTextEditorView::resizeKeepsTheFirstVisibleLine()
{
    EditorFixture f;
    f.editor->resize(500, 300);
    f.editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.editor.get()));
    QString text;
    for (int i = 1; i <= 60; ++i)
        text += QStringLiteral("句子 %1 of a paragraph that is long enough to wrap once or twice here.\n").arg(i);
    f.editor->loadText(text);
    const int target = f.positionOf(QStringLiteral("句子 30 "));
    QScrollBar *bar = f.editor->verticalScrollBar();
    QTextCursor at(f.editor->document());
    at.setPosition(target);
    bar->setValue(bar->value() + f.editor->cursorRect(at).top());
    QCOMPARE(f.editor->cursorForPosition(QPoint(0, 0)).position(), target);
    for (const int width : {420, 700, 450}) {
        f.editor->resize(width, 300);
        QTRY_COMPARE(f.editor->width(), width);
        QCOMPARE(f.editor->cursorForPosition(QPoint(0, 0)).position(), target);
        QCOMPARE(f.editor->cursorRect(at).top(), 0);
    }
}

void TestCustomTextEditorView::focusedFindingShownWithContext_data()
{
    QTest::addColumn<int>("paragraph"); // the finding's paragraph
    QTest::addColumn<int>("scrollTo");  // paragraph at the top before

    QTest::newRow("below the view") << 20 << 0;
    QTest::newRow("above the view") << 3 << 30;
    QTest::newRow("just under the last visible line") << 7 << 0;
}

// Placing the caret at a finding (check, polish, undo, F3/F4) shows the finding with its
// preview and a line above and below.
void TestCustomTextEditorView::focusedFindingShownWithContext()
{
    QFETCH(int, paragraph);
    QFETCH(int, scrollTo);
    EditorFixture f;
    f.editor->resize(500, 300);
    f.editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.editor.get()));
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("第%1段 Teh word.\n").arg(i);
    QVERIFY(f.load(text));
    QCOMPARE(f.sentences.size(), 40);
    const int at = int(f.sentences.at(paragraph)->text().indexOf(QStringLiteral("Teh")));
    CorrectionItem *item = f.addFinding(paragraph, makeRecord("NONWORD", at, at + 3, {"The"}));
    QCOMPARE(item->currentText(), QStringLiteral("Teh"));
    f.editor->revealFindings();
    QScrollBar *bar = f.editor->verticalScrollBar();
    QTextCursor top(f.editor->document());
    top.setPosition(f.sentences.at(scrollTo)->start());
    bar->setValue(bar->value() + f.editor->cursorRect(top).top());

    f.editor->placeCaretAtFinding(item);
    const QRect word = f.editor->cursorRect(item->cursor());
    const int line = word.height() + f.editor->lineGap();
    QVERIFY2(word.top() - line >= 0, qPrintable(QString::number(word.top())));
    QVERIFY2(word.bottom() + f.editor->lineGap() + line <= f.editor->viewport()->height(),
             qPrintable(QString::number(word.bottom())));
    ClickableLabel *label = item->label();
    QVERIFY(label && label->isVisible());
    const QRect shown(label->mapTo(f.editor->viewport(), QPoint(0, 0)), label->size());
    QVERIFY(f.editor->viewport()->rect().contains(shown));
}

QTEST_MAIN(TestCustomTextEditorView)
#include "tst_customtexteditorview.moc"
