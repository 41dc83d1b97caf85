// The frameless window: border regions, resize within the minimum size, drag, maximise
// and restore, and the border cursor followed without polling.

#include "customwindow.h"
#include "titlebar.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A window with a label and an empty area, as the main window has them.
struct Window
{
    Window()
    {
        auto *root = new QWidget(&window);
        layout = new QVBoxLayout(root);
        titlebar = new Titlebar(root);
        layout->addWidget(titlebar);
        label = new QLabel(QStringLiteral("标签"), root);
        label->setMinimumHeight(40);
        layout->addWidget(label);
        layout->addStretch(1);
        window.setCentralWidget(root);
        window.setShadowLayout(layout);
        window.attachTitlebar(titlebar);
        window.setMinimumSize(300, 200);
        window.setGeometry(100, 100, 600, 400);
        window.show();
    }

    // Mouse events go through the window's own QWindow, as the platform delivers them.
    void press(const QPoint &pos) { QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, pos); }
    void moveTo(const QPoint &pos) { QTest::mouseMove(window.windowHandle(), pos); }
    void release(const QPoint &pos) { QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, pos); }

    CustomWindow window;
    QVBoxLayout *layout = nullptr;
    Titlebar *titlebar = nullptr;
    QLabel *label = nullptr;
};

} // namespace

class CustomWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void regions_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<int>("region");
        // W = 600, H = 400, B = 12.
        QTest::newRow("inside is no region") << QPoint(300, 200) << int(CustomWindow::NoRegion);
        QTest::newRow("left edge") << QPoint(14, 200) << int(CustomWindow::Left);
        QTest::newRow("left band ends at B + 4") << QPoint(17, 200) << int(CustomWindow::NoRegion);
        QTest::newRow("top edge") << QPoint(300, 13) << int(CustomWindow::Top);
        QTest::newRow("top wins over top-left where both match") << QPoint(22, 12) << int(CustomWindow::Top);
        QTest::newRow("right edge") << QPoint(586, 200) << int(CustomWindow::Right);
        QTest::newRow("bottom edge") << QPoint(300, 385) << int(CustomWindow::Bottom);
        QTest::newRow("bottom band stops 2 above the margin") << QPoint(300, 387) << int(CustomWindow::NoRegion);
        QTest::newRow("top-left corner") << QPoint(12, 12) << int(CustomWindow::TopLeft);
        QTest::newRow("top-right corner") << QPoint(585, 14) << int(CustomWindow::TopRight);
        QTest::newRow("bottom-right corner") << QPoint(580, 380) << int(CustomWindow::BottomRight);
        QTest::newRow("bottom-right wins over right") << QPoint(586, 375) << int(CustomWindow::BottomRight);
        QTest::newRow("bottom-left corner") << QPoint(15, 385) << int(CustomWindow::BottomLeft);
        QTest::newRow("left is not tested beside the corners") << QPoint(14, 21) << int(CustomWindow::TopLeft);
        QTest::newRow("shadow far outside") << QPoint(2, 200) << int(CustomWindow::NoRegion);
    }
    void regions()
    {
        QFETCH(QPoint, pos);
        QFETCH(int, region);
        QCOMPARE(int(CustomWindow::regionAt(pos, QSize(600, 400))), region);
    }

    void hoverShowsTheBorderCursorWithoutPolling()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        w.moveTo(QPoint(14, 200));
        QCOMPARE(w.window.currentRegion(), CustomWindow::Left);
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::SizeHorCursor);
        w.moveTo(QPoint(580, 380));
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::SizeFDiagCursor);
        w.moveTo(QPoint(300, 200));
        QCOMPARE(w.window.currentRegion(), CustomWindow::NoRegion);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void resize_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("right edge grows the width") << QPoint(586, 200) << QPoint(50, 0) << QRect(100, 100, 650, 400);
        QTest::newRow("left edge moves and keeps the right edge") << QPoint(14, 200) << QPoint(-40, 0)
                                                                   << QRect(60, 100, 640, 400);
        QTest::newRow("left edge below the minimum width is not applied") << QPoint(14, 200) << QPoint(350, 0)
                                                                           << QRect(100, 100, 600, 400);
        QTest::newRow("top-left: the width stops, the height goes on") << QPoint(12, 12) << QPoint(400, 100)
                                                                        << QRect(100, 200, 600, 300);
        QTest::newRow("bottom below the minimum height is not applied") << QPoint(300, 385) << QPoint(0, -250)
                                                                         << QRect(100, 100, 600, 400);
    }
    void resize()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, delta);
        QFETCH(QRect, expected);
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        w.moveTo(from);
        w.press(from);
        QVERIFY(w.window.isResizing());
        // Positions stay relative to where the window was when the resize began.
        w.moveTo(from + delta - (w.window.pos() - QPoint(100, 100)));
        QCOMPARE(w.window.geometry(), expected);
        w.release(from);
        QVERIFY(!w.window.isResizing());
    }

    void dragMovesButNotFromALabel()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        const QPoint onLabel = w.label->mapTo(&w.window, w.label->rect().center());
        w.press(onLabel);
        QVERIFY(!w.window.isDragging());
        w.release(onLabel);

        const QPoint empty(300, 300);
        w.press(empty);
        QVERIFY(w.window.isDragging());
        w.moveTo(empty + QPoint(30, 20));
        QCOMPARE(w.window.pos(), QPoint(130, 120));
        w.release(empty);
        QVERIFY(!w.window.isDragging());
    }

    void maximiseAndRestore()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        const QRect normal = w.window.geometry();
        QSignalSpy changed(&w.window, &CustomWindow::signalMaximizedChanged);
        QTest::mouseDClick(w.titlebar, Qt::LeftButton, {}, QPoint(200, 10));
        QVERIFY(w.window.isFrameMaximized());
        QCOMPARE(w.window.geometry(), w.window.screen()->availableGeometry());
        QCOMPARE(w.layout->contentsMargins(), QMargins());
        QVERIFY(w.titlebar->restoreButton()->isVisibleTo(w.titlebar));
        QVERIFY(!w.titlebar->maxButton()->isVisibleTo(w.titlebar));

        // Maximised: no border cursor, no drag.
        w.moveTo(QPoint(14, 200));
        QCOMPARE(w.window.currentRegion(), CustomWindow::NoRegion);
        QVERIFY(!QGuiApplication::overrideCursor());
        w.press(QPoint(300, 300));
        QVERIFY(!w.window.isDragging());
        w.release(QPoint(300, 300));

        w.titlebar->restoreButton()->click();
        QVERIFY(!w.window.isFrameMaximized());
        QCOMPARE(w.window.geometry(), normal);
        QCOMPARE(w.layout->contentsMargins(), CustomWindow::ShadowMargins);
        QVERIFY(w.titlebar->maxButton()->isVisibleTo(w.titlebar));
        QCOMPARE(changed.size(), 2);
    }

    void titlebarDragAndIconClose()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QSignalSpy moved(w.titlebar, &Titlebar::signalMove);
        QSignalSpy closed(w.titlebar, &Titlebar::signalClose);
        QTest::mousePress(w.titlebar, Qt::LeftButton, {}, QPoint(200, 10));
        QTest::mouseMove(w.titlebar, QPoint(260, 30));
        QTest::mouseRelease(w.titlebar, Qt::LeftButton, {}, QPoint(260, 30));
        QVERIFY(!moved.isEmpty());
        QCOMPARE(w.window.pos(), QPoint(160, 120));
        QTest::mouseDClick(w.titlebar->iconLabel(), Qt::LeftButton);
        QCOMPARE(closed.size(), 1);
    }
};

QTEST_MAIN(CustomWindowTest)
#include "tst_customwindow.moc"
