#pragma once

#include <QMainWindow>
#include <QMargins>
#include <QPoint>
#include <QRect>

class QLayout;
class Titlebar;

// The frameless main-window base: a translucent shadow margin around the visible window,
// resized by dragging its border regions and moved by dragging any place that is not a
// control or a label. The pointer is followed through the window's own mouse events
// (no polling), so an idle window costs nothing.
class CustomWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int Margin = 12;
    // Layout margins of the shadow border (left, top, right, bottom) while not maximised.
    static constexpr QMargins ShadowMargins{12, 10, 12, 14};

    enum Region { NoRegion = 0, Left, Top, Right, Bottom, TopLeft, TopRight, BottomRight, BottomLeft };

    // The border region of `pos` (widget coordinates) in a window of `size`, tested in the
    // order top, bottom, bottom-right, top-right, left, right, top-left, bottom-left.
    static Region regionAt(const QPoint &pos, const QSize &size, int margin = Margin);
    static Qt::CursorShape cursorOf(Region region);

    explicit CustomWindow(QWidget *parent = nullptr);
    ~CustomWindow() override;

    // The title bar's buttons and drag act on this window. Not owned.
    void attachTitlebar(Titlebar *titlebar);
    // The layout whose margins form the shadow border (0 while maximised). Not owned.
    void setShadowLayout(QLayout *layout);

    bool isFrameMaximized() const { return m_maximized; }
    Region currentRegion() const { return m_region; }
    bool isResizing() const { return m_resizing; }
    bool isDragging() const { return m_dragging; }
    QRect normalFrameGeometry() const { return m_normalGeometry; }

public Q_SLOTS:
    void slotMaximize();
    void slotRestore();
    void slotMinimize();
    void slotMoveTo(int x, int y);

Q_SIGNALS:
    void signalMaximizedChanged(bool maximized);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watchWindowHandle();
    bool pointerEvent(QMouseEvent *event);
    void hover(const QPoint &pos);
    void resizeTo(const QPoint &globalPos);
    void setBorderCursor(Region region);

    bool m_maximized = false;
    QRect m_normalGeometry;
    bool m_onBorder = false;
    bool m_resizing = false;
    Region m_region = NoRegion;
    bool m_dragging = false;
    QPoint m_dragOffset;
    QPoint m_pressGlobal;
    QRect m_pressGeometry;
    bool m_cursorOverridden = false;
    QLayout *m_shadowLayout = nullptr; // not owned
    QObject *m_watchedHandle = nullptr; // the QWindow filtered, owned by Qt
};
