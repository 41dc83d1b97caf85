#include "tippresenter.h"

#include "configstore.h"
#include "popuplabel.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

TipPresenter::TipPresenter(ConfigStore &tipStore, QWidget *owner, const PopupLabel::Timings &timings)
    : m_store(tipStore)
    , m_owner(owner)
    , m_timings(timings)
{
    if (m_owner)
        m_owner->window()->installEventFilter(this);
}

TipPresenter::~TipPresenter()
{
    closeCurrent();
}

PopupLabel *TipPresenter::show(int number, const QPoint &globalPos)
{
    return show(number, [this, globalPos](const QSize &size, QPoint *at) {
        *at = keptInside(globalPos, size);
        return true;
    });
}

PopupLabel *TipPresenter::show(int number, const Placement &place)
{
    closeCurrent();
    m_place = place;
    m_popup = new PopupLabel(number, m_owner, m_owner ? m_owner->mapToGlobal(QPoint(0, 0)) : QPoint(),
                             m_timings);
    refresh();
    return m_popup;
}

bool TipPresenter::keyUnshown(const QString &key)
{
    if (m_store.value(key) != QLatin1String("False"))
        return false;
    m_store.setValue(key, QStringLiteral("True"));
    return true;
}

PopupLabel *TipPresenter::showOnce(int number, const QString &key, const QPoint &globalPos)
{
    return keyUnshown(key) ? show(number, globalPos) : nullptr;
}

PopupLabel *TipPresenter::showOnce(int number, const QString &key, const Placement &place)
{
    return keyUnshown(key) ? show(number, place) : nullptr;
}

void TipPresenter::refresh()
{
    if (!m_popup || !m_place)
        return;
    QPoint at;
    if (!m_place(m_popup->size(), &at)) {
        closeCurrent();
        return;
    }
    // The placement chose the spot (beside the window, too, where that covers no text): it is
    // only kept on the screen here.
    const QScreen *screen = m_owner ? m_owner->window()->screen() : nullptr;
    m_popup->move(screen ? keptWithin(screen->availableGeometry(), at, m_popup->size()) : at);
}

void TipPresenter::closeCurrent()
{
    if (m_popup)
        m_popup->close();
    m_popup = nullptr;
    m_place = nullptr;
}

QPoint TipPresenter::keptInside(const QPoint &at, const QSize &size) const
{
    if (!m_owner)
        return at;
    const QWidget *window = m_owner->window();
    return keptWithin(QRect(window->mapToGlobal(QPoint(0, 0)), window->size()), at, size);
}

QPoint TipPresenter::keptWithin(const QRect &area, const QPoint &at, const QSize &size)
{
    const int x = qMax(area.left(), qMin(at.x(), area.right() + 1 - size.width()));
    const int y = qMax(area.top(), qMin(at.y(), area.bottom() + 1 - size.height()));
    return QPoint(x, y);
}

bool TipPresenter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        refresh();
        break;
    case QEvent::WindowBlocked: // a modal window opened over the owner
    case QEvent::Hide:
        closeCurrent();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
