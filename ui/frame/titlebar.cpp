#include "titlebar.h"

#include "framepainter.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

namespace {

const char *const Background = "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3f86c0, stop:1 #2e6c9f)";

const char *const Style =
    "#TitlebarClass { background: %1; }"
    "#TitlebarClass QLabel { color: white; font-family: 微软雅黑; font-size: 13px; }"
    "#TitlebarClass QPushButton { border: none; background: transparent; min-width: 28px; max-width: 28px;"
    " min-height: 24px; max-height: 24px; }"
    "#TitlebarClass QPushButton:hover { background: rgba(255, 255, 255, 60); }"
    "#TitlebarClass QPushButton#pb_close:hover { background: #e04343; }";

} // namespace

QString Titlebar::background()
{
    return QString::fromLatin1(Background);
}

Titlebar::Titlebar(QWidget *parent, Buttons buttons)
    : QFrame(parent)
    , m_buttons(buttons)
{
    setObjectName(QStringLiteral("TitlebarClass"));
    setStyleSheet(QString::fromUtf8(Style).arg(background()));
    setFixedHeight(32);
    auto *layout = new QHBoxLayout(this);
    m_layout = layout;
    layout->setContentsMargins(0, 0, 4, 0);
    layout->setSpacing(2);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("lb_icon"));
    m_icon->setStyleSheet(QStringLiteral("padding-left: 5px;"));
    m_icon->setPixmap(QApplication::windowIcon().pixmap(18, 18));
    m_icon->installEventFilter(this);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lb_title"));
    // Presses on the labels belong to the bar's drag.
    m_title->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(m_icon);
    layout->addWidget(m_title);
    layout->addStretch(1);

    m_min = makeButton(QStringLiteral("pb_min"), QStringLiteral("最小化"));
    m_max = makeButton(QStringLiteral("pb_max"), QStringLiteral("最大化"));
    m_restore = makeButton(QStringLiteral("pb_restore"), QStringLiteral("还原"));
    m_close = makeButton(QStringLiteral("pb_close"), QStringLiteral("关闭"));
    m_min->setIcon(FramePainter::buttonIcon(FramePainter::MinimizeGlyph));
    m_max->setIcon(FramePainter::buttonIcon(FramePainter::MaximizeGlyph));
    m_restore->setIcon(FramePainter::buttonIcon(FramePainter::RestoreGlyph));
    m_close->setIcon(FramePainter::buttonIcon(FramePainter::CloseGlyph));
    for (QPushButton *b : {m_min, m_max, m_restore, m_close})
        layout->addWidget(b);
    m_min->setVisible(buttons & Minimize);
    m_max->setVisible(buttons & Maximize);
    m_restore->hide();
    m_close->setVisible(buttons & Close);

    connect(m_min, &QPushButton::clicked, this, &Titlebar::slotMin);
    connect(m_max, &QPushButton::clicked, this, &Titlebar::slotMax);
    connect(m_restore, &QPushButton::clicked, this, &Titlebar::slotRestore);
    connect(m_close, &QPushButton::clicked, this, &Titlebar::signalClose);
}

QPushButton *Titlebar::makeButton(const QString &objectName, const QString &toolTip)
{
    auto *button = new QPushButton(this);
    button->setObjectName(objectName);
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(12, 12));
    return button;
}

void Titlebar::setTitle(const QString &title)
{
    m_title->setText(title);
}

void Titlebar::addCenterWidget(QWidget *widget)
{
    // Before the stretch that keeps the buttons on the right.
    m_layout->insertWidget(m_layout->count() - 5, widget);
}

QString Titlebar::title() const
{
    return m_title->text();
}

void Titlebar::slotIsMaxmized(bool bMax)
{
    if (!(m_buttons & Maximize))
        return;
    m_restore->setVisible(bMax);
    m_max->setVisible(!bMax);
}

void Titlebar::slotMax()
{
    emit signalMax();
}

void Titlebar::slotMin()
{
    emit signalMin();
}

void Titlebar::slotRestore()
{
    emit signalRestore();
}

void Titlebar::mousePressEvent(QMouseEvent *event)
{
    // No drag of a maximised window.
    if (event->button() != Qt::LeftButton || m_restore->isVisible())
        return QFrame::mousePressEvent(event);
    // Where the platform moves windows itself (Wayland), it must: move() is ignored there.
    if (QWindow *handle = window()->windowHandle(); handle && handle->startSystemMove())
        return;
    m_pressed = true;
    m_pressPoint = event->globalPosition().toPoint() - window()->pos();
}

void Titlebar::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed)
        return QFrame::mouseMoveEvent(event);
    const QPoint to = event->globalPosition().toPoint() - m_pressPoint;
    emit signalMove(to.x(), to.y());
}

void Titlebar::mouseReleaseEvent(QMouseEvent *event)
{
    m_pressed = false;
    QFrame::mouseReleaseEvent(event);
}

void Titlebar::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !(m_buttons & Maximize))
        return QFrame::mouseDoubleClickEvent(event);
    m_pressed = false;
    if (m_max->isVisible())
        emit signalMax();
    else
        emit signalRestore();
}

bool Titlebar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_icon && event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        emit signalClose();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
