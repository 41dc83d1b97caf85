#pragma once

#include "popuplabel.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QString>

#include <functional>

class ConfigStore;
class QWidget;

// Shows a window's pop-up tips and notifications, one at a time: a new one closes the
// one still open. First-use tips are shown once, gated by their prompt-tip key ("False"
// until shown, then "True"). A tip stays inside its window next to what it explains:
// it follows the window, is placed again on refresh() (the text scrolled) and closes
// when what it explains is out of sight or a modal window opens over its window.
class TipPresenter : public QObject
{
    Q_OBJECT
public:
    // Where a tip of `size` goes: sets the global top-left and returns true, or returns
    // false when what the tip explains cannot be seen (the tip then closes).
    using Placement = std::function<bool(const QSize &size, QPoint *globalTopLeft)>;

    // tipStore: the prompt-tip store; owner: the window the popups belong to. Neither
    // is owned; both outlive the presenter.
    TipPresenter(ConfigStore &tipStore, QWidget *owner,
                 const PopupLabel::Timings &timings = PopupLabel::Timings());
    ~TipPresenter() override;

    PopupLabel *show(int number, const QPoint &globalPos);
    PopupLabel *show(int number, const Placement &place);
    // Null when the key says the tip was shown already.
    PopupLabel *showOnce(int number, const QString &key, const QPoint &globalPos);
    PopupLabel *showOnce(int number, const QString &key, const Placement &place);
    PopupLabel *current() const { return m_popup; }
    // Places the open tip again, or closes it when its place is gone.
    void refresh();
    void closeCurrent();

    // `at` moved so that a popup of `size` lies inside the owner's window.
    QPoint keptInside(const QPoint &at, const QSize &size) const;
    static QPoint keptWithin(const QRect &area, const QPoint &at, const QSize &size);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool keyUnshown(const QString &key);

    ConfigStore &m_store;
    QWidget *m_owner;
    QPointer<PopupLabel> m_popup;
    Placement m_place;
    PopupLabel::Timings m_timings;
};
