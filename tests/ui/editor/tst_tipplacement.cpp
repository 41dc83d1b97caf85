// Where a first-use tip goes: next to the control it names, off the text being written.

#include "tipplacement.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

#include <algorithm>

class TestTipPlacement : public QObject
{
    Q_OBJECT
private slots:
    void besideControl_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shown");     // the control is visible
        QTest::addColumn<QString>("side");   // "right", "below", "beside" (either), "none"
        QTest::addColumn<bool>("offText");   // the tip covers no line of text
        QTest::addColumn<int>("windowLeft"); // room on the screen left of the window
        const QString full = QStringLiteral("Every line is full of words here. ").repeated(400);
        QTest::newRow("empty editor: right of the control") << "" << true << "right" << true << 0;
        QTest::newRow("short text beside the control: under it, off the text")
            << "A title\nThe first line." << true << "below" << true << 0;
        QTest::newRow("text everywhere, window at the screen's edge: where it covers least")
            << full << true << "beside" << false << 0;
        QTest::newRow("text everywhere, room beside the window: left of the control, outside")
            << full << true << "left" << true << 200;
        QTest::newRow("hidden control: no place") << "" << false << "none" << true << 0;
    }
    void besideControl()
    {
        QFETCH(QString, text);
        QFETCH(bool, shown);
        QFETCH(QString, side);
        QFETCH(bool, offText);
        QFETCH(int, windowLeft);
        QWidget window;
        window.resize(700, 500);
        auto *row = new QHBoxLayout(&window);
        // The main window's side bar runs along its edge.
        row->setContentsMargins(0, 0, 0, 0);
        const QRect screen = window.screen()->availableGeometry();
        window.move(screen.left() + windowLeft, screen.top());
        auto *sideBar = new QVBoxLayout;
        auto *control = new QPushButton(QStringLiteral("润色"), &window);
        control->setFixedSize(60, 50);
        sideBar->addWidget(control);
        sideBar->addStretch(1);
        row->addLayout(sideBar);
        auto *editor = new QTextEdit(&window);
        editor->setPlainText(text);
        row->addWidget(editor, 1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        control->setVisible(shown);

        const QSize size(150, 30);
        QPoint at;
        const bool placed = TipPlacement::besideControl(control, editor)(size, &at);
        QCOMPARE(placed, side != QLatin1String("none"));
        if (!placed)
            return;
        const QRect tip(at, size);
        const QRect own(control->mapToGlobal(QPoint(0, 0)), control->size());
        QVERIFY(!tip.intersects(own));
        const bool right = tip.left() > own.right() && tip.left() - own.right() <= 8
                           && qAbs(tip.center().y() - own.center().y()) <= 1;
        const bool below = tip.top() > own.bottom() && tip.top() - own.bottom() <= 8 && qAbs(tip.left() - own.left()) <= 4;
        const bool left = tip.right() < own.left() && own.left() - tip.right() <= 8
                          && qAbs(tip.center().y() - own.center().y()) <= 1;
        if (side == QLatin1String("left"))
            QVERIFY(left);
        else if (side == QLatin1String("right"))
            QVERIFY(right);
        else if (side == QLatin1String("below"))
            QVERIFY(below);
        else
            QVERIFY(right || below);
        const QList<QRect> lines = TipPlacement::visibleTextLines(editor);
        QCOMPARE(lines.isEmpty(), text.isEmpty());
        const bool covers = std::any_of(lines.cbegin(), lines.cend(), [&tip](const QRect &l) { return l.intersects(tip); });
        QCOMPARE(!covers, offText);
    }

    // A toolbar tip: in the free space after the row's buttons; where that is too narrow,
    // next to its button (over the other buttons), never over the text under the toolbar.
    void besideToolbar_data()
    {
        QTest::addColumn<int>("tipWidth");
        QTest::addColumn<bool>("afterTheRow");
        QTest::newRow("room after the buttons") << 150 << true;
        QTest::newRow("too narrow: beside the button, off the text") << 300 << false;
    }
    void besideToolbar()
    {
        QFETCH(int, tipWidth);
        QFETCH(bool, afterTheRow);
        QWidget window;
        window.resize(520, 400);
        auto *column = new QVBoxLayout(&window);
        auto *bar = new QWidget(&window);
        auto *buttons = new QHBoxLayout(bar);
        QPushButton *check = nullptr;
        for (const QString &name : {QStringLiteral("检查"), QStringLiteral("全部改正"), QStringLiteral("上一个")}) {
            auto *button = new QPushButton(name, bar);
            button->setFixedSize(80, 26);
            buttons->addWidget(button);
            check = check ? check : button;
        }
        buttons->addStretch(1);
        column->addWidget(bar);
        auto *editor = new QTextEdit(&window);
        editor->setPlainText(QStringLiteral("Every line is full of words here. ").repeated(200));
        column->addWidget(editor, 1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize size(tipWidth, 30);
        QPoint at;
        QVERIFY(TipPlacement::besideToolbar(check, editor)(size, &at));
        const QRect tip(at, size);
        const QList<QRect> lines = TipPlacement::visibleTextLines(editor);
        QVERIFY(!lines.isEmpty());
        QVERIFY2(std::none_of(lines.cbegin(), lines.cend(), [&tip](const QRect &l) { return l.intersects(tip); }),
                 "a tip covers the text");
        const QRect own(check->mapToGlobal(QPoint(0, 0)), check->size());
        QVERIFY(!tip.intersects(own));
        QCOMPARE(tip.left() > own.right() + 2 * 80, afterTheRow);
    }

    // A tip about a word in the text: near the word, over none of the text where there is room.
    void underText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");     // the line of the word the tip is about
        QTest::addColumn<QString>("where"); // "under", "above", "after the text", "anywhere"
        const QString three = QStringLiteral("Last summer I go to Beijing.\nWe visited many place.\nIt was fun.");
        QTest::newRow("the word on the last line: just under it") << three << 2 << "under";
        QTest::newRow("the word on the first line, text under it: after the text") << three << 0 << "after the text";
        QTest::newRow("the word on a middle line: after the text") << three << 1 << "after the text";
        QTest::newRow("text everywhere: somewhere in the editor")
            << QStringLiteral("Every line is full of words here.\n").repeated(60) << 3 << "anywhere";
    }
    void underText()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(QString, where);
        QTextEdit editor;
        editor.resize(500, 400);
        editor.setPlainText(text);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        const int position = editor.document()->findBlockByNumber(line).position() + 2;
        const QSize size(300, 36);
        QPoint at;
        QVERIFY(TipPlacement::underText(&editor, position)(size, &at));
        const QRect tip(at, size);
        const QRect viewport(editor.viewport()->mapToGlobal(QPoint(0, 0)), editor.viewport()->size());
        QVERIFY(viewport.contains(tip));
        QTextCursor cursor(editor.document());
        cursor.setPosition(position);
        const QRect word = editor.cursorRect(cursor).translated(viewport.topLeft());
        const QList<QRect> lines = TipPlacement::visibleTextLines(&editor);
        const bool covers = std::any_of(lines.cbegin(), lines.cend(), [&tip](const QRect &l) { return l.intersects(tip); });
        if (where == QLatin1String("anywhere"))
            return;
        QVERIFY2(!covers, "a tip covers the text");
        if (where == QLatin1String("under"))
            QVERIFY(tip.top() > word.bottom() && tip.top() - word.bottom() <= 8);
        else
            QVERIFY(tip.top() > lines.last().bottom());
    }
};

QTEST_MAIN(TestTipPlacement)
#include "tst_tipplacement.moc"
