#include "customwindow.h"

#include "framepainter.h"
#include "titlebar.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace {

bool within(int v, int low, int high)
{
    return v >= low && v <= high;
}

Qt::Edges edgesOf(CustomWindow::Region region)
{
    switch (region) {
    case CustomWindow::Left: return Qt::LeftEdge;
    case CustomWindow::Top: return Qt::TopEdge;
    case CustomWindow::Right: return Qt::RightEdge;
    case CustomWindow::Bottom: return Qt::BottomEdge;
    case CustomWindow::TopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case CustomWindow::TopRight: return Qt::TopEdge | Qt::RightEdge;
    case CustomWindow::BottomRight: return Qt::BottomEdge | Qt::RightEdge;
    case CustomWindow::BottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case CustomWindow::NoRegion: break;
    }
    return {};
}

} // namespace

CustomWindow::Region CustomWindow::regionAt(const QPoint &pos, const QSize &size, int margin)
{
    const int x = pos.x(), y = pos.y(), w = size.width(), h = size.height(), b = margin;
    const bool sideRows = y > b + 10 && y < h - (b + 10);
    if (within(x, b + 10, w - (b + 10)) && within(y, b, b + 2))
        return Top;
    if (within(x, b + 10, w - (b + 10)) && within(y, h - (b + 4), h - b - 2))
        return Bottom;
    if (within(x, w - (b + 14), w + b) && within(y, h - (b + 14), h - b))
        return BottomRight;
    if (within(x, w - (b + 10), w + b) && within(y, b - 2, b + 10))
        return TopRight;
    if (within(x, b, b + 4) && sideRows)
        return Left;
    if (within(x, w - (b + 4), w - b) && sideRows)
        return Right;
    if (within(x, b - 2, b + 10) && within(y, b - 2, b + 10))
        return TopLeft;
    if (within(x, b - 2, b + 10) && within(y, h - (b + 10), h + b + 10))
        return BottomLeft;
    return NoRegion;
}

Qt::CursorShape CustomWindow::cursorOf(Region region)
{
    switch (region) {
    case Left:
    case Right: return Qt::SizeHorCursor;
    case Top:
    case Bottom: return Qt::SizeVerCursor;
    case TopLeft:
    case BottomRight: return Qt::SizeFDiagCursor;
    case TopRight:
    case BottomLeft: return Qt::SizeBDiagCursor;
    case NoRegion: break;
    }
    return Qt::ArrowCursor;
}

CustomWindow::CustomWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    setAttribute(Qt::WA_TranslucentBackground);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        setMaximumSize(screen->size());
}

CustomWindow::~CustomWindow()
{
    setBorderCursor(NoRegion);
}

void CustomWindow::attachTitlebar(Titlebar *titlebar)
{
    connect(titlebar, &Titlebar::signalClose, this, &QWidget::close);
    connect(titlebar, &Titlebar::signalMax, this, &CustomWindow::slotMaximize);
    connect(titlebar, &Titlebar::signalRestore, this, &CustomWindow::slotRestore);
    connect(titlebar, &Titlebar::signalMin, this, &CustomWindow::slotMinimize);
    connect(titlebar, &Titlebar::signalMove, this, &CustomWindow::slotMoveTo);
    connect(this, &CustomWindow::signalMaximizedChanged, titlebar, &Titlebar::slotIsMaxmized);
}

void CustomWindow::setShadowLayout(QLayout *layout)
{
    m_shadowLayout = layout;
    if (m_shadowLayout)
        m_shadowLayout->setContentsMargins(m_maximized ? QMargins() : ShadowMargins);
}

void CustomWindow::slotMaximize()
{
    if (m_maximized)
        return;
    m_normalGeometry = geometry();
    setBorderCursor(NoRegion);
    if (m_shadowLayout)
        m_shadowLayout->setContentsMargins(QMargins());
    m_maximized = true;
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->availableGeometry());
    update();
    emit signalMaximizedChanged(true);
}

void CustomWindow::slotRestore()
{
    if (!m_maximized)
        return;
    if (m_shadowLayout)
        m_shadowLayout->setContentsMargins(ShadowMargins);
    m_maximized = false;
    setGeometry(m_normalGeometry);
    update();
    emit signalMaximizedChanged(false);
}

void CustomWindow::slotMinimize()
{
    showMinimized();
}

void CustomWindow::slotMoveTo(int x, int y)
{
    if (!m_maximized)
        move(x, y);
}

void CustomWindow::showEvent(QShowEvent *event)
{
    watchWindowHandle();
    QMainWindow::showEvent(event);
}

void CustomWindow::hideEvent(QHideEvent *event)
{
    setBorderCursor(NoRegion);
    m_resizing = m_dragging = false;
    QMainWindow::hideEvent(event);
}

void CustomWindow::watchWindowHandle()
{
    // The window's own QWindow sees every pointer event before any child does.
    QWindow *handle = windowHandle();
    if (!handle || handle == m_watchedHandle)
        return;
    handle->installEventFilter(this);
    m_watchedHandle = handle;
}

bool CustomWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_watchedHandle)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        return pointerEvent(static_cast<QMouseEvent *>(event));
    case QEvent::Leave:
        if (!m_resizing)
            setBorderCursor(NoRegion);
        break;
    default:
        break;
    }
    return false;
}

bool CustomWindow::pointerEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    switch (event->type()) {
    case QEvent::MouseMove:
        if (m_resizing) {
            resizeTo(global);
            return true;
        }
        if (m_dragging) {
            move(global - m_dragOffset);
            return true;
        }
        if (event->buttons() == Qt::NoButton)
            hover(pos);
        return false;
    case QEvent::MouseButtonPress:
        hover(pos);
        if (event->button() != Qt::LeftButton || !m_onBorder || m_maximized)
            return false;
        if (QWindow *handle = windowHandle(); handle && handle->startSystemResize(edgesOf(m_region)))
            return true;
        m_resizing = true;
        m_pressGlobal = global;
        m_pressGeometry = geometry();
        return true;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        if (!m_resizing)
            return false;
        // The release that ends a resize is not passed on.
        m_resizing = false;
        hover(pos);
        return true;
    default:
        return false;
    }
}

void CustomWindow::hover(const QPoint &pos)
{
    if (m_maximized || !rect().adjusted(-Margin, -Margin, Margin, Margin).contains(pos)) {
        m_onBorder = false;
        m_region = NoRegion;
        setBorderCursor(NoRegion);
        return;
    }
    const Region region = regionAt(pos, size());
    m_onBorder = region != NoRegion;
    if (!m_resizing) {
        m_region = region;
        setBorderCursor(region);
    }
}

void CustomWindow::setBorderCursor(Region region)
{
    if (region == NoRegion) {
        if (m_cursorOverridden)
            QGuiApplication::restoreOverrideCursor();
        m_cursorOverridden = false;
        return;
    }
    if (m_cursorOverridden)
        QGuiApplication::changeOverrideCursor(cursorOf(region));
    else
        QGuiApplication::setOverrideCursor(cursorOf(region));
    m_cursorOverridden = true;
}

void CustomWindow::resizeTo(const QPoint &globalPos)
{
    const QPoint d = globalPos - m_pressGlobal;
    const QRect start = m_pressGeometry;
    QRect r = start;
    const Qt::Edges edges = edgesOf(m_region);
    // Each axis changes only when it keeps at least the minimum size.
    if (edges & Qt::LeftEdge) {
        QRect t = r;
        t.setLeft(start.left() + d.x());
        if (t.width() >= minimumWidth())
            r = t;
    } else if (edges & Qt::RightEdge) {
        if (start.width() + d.x() >= minimumWidth())
            r.setWidth(start.width() + d.x());
    }
    if (edges & Qt::TopEdge) {
        QRect t = r;
        t.setTop(start.top() + d.y());
        if (t.height() >= minimumHeight())
            r = t;
    } else if (edges & Qt::BottomEdge) {
        if (start.height() + d.y() >= minimumHeight())
            r.setHeight(start.height() + d.y());
    }
    if (r != geometry())
        setGeometry(r);
}

void CustomWindow::mousePressEvent(QMouseEvent *event)
{
    // Presses no child took: a drag, but never from a label or a maximised window.
    const bool onLabel = qobject_cast<QLabel *>(childAt(event->position().toPoint())) != nullptr;
    if (m_onBorder || m_maximized || event->button() != Qt::LeftButton || onLabel)
        return QMainWindow::mousePressEvent(event);
    if (QWindow *handle = windowHandle(); handle && handle->startSystemMove())
        return;
    m_dragging = true;
    m_dragOffset = event->globalPosition().toPoint() - pos();
}

void CustomWindow::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect inner = m_maximized ? rect() : rect().marginsRemoved(ShadowMargins);
    FramePainter::paintShadow(painter, rect(), inner, palette().color(QPalette::Window));
    QMainWindow::paintEvent(event);
}
