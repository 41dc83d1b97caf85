#pragma once

#include <QPoint>
#include <QPointer>
#include <QString>

class ConfigStore;
#include "popuplabel.h"
class QWidget;

// Shows a window's pop-up tips and notifications, one at a time: a new one closes the
// one still open. First-use tips are shown once, gated by their prompt-tip key ("False"
// until shown, then "True").
class TipPresenter
{
public:
    // tipStore: the prompt-tip store; owner: the window the popups belong to. Neither
    // is owned; both outlive the presenter.
    TipPresenter(ConfigStore &tipStore, QWidget *owner);

    PopupLabel *show(int number, const QPoint &globalPos);
    // Null when the key says the tip was shown already.
    PopupLabel *showOnce(int number, const QString &key, const QPoint &globalPos);
    PopupLabel *current() const { return m_popup; }

private:
    ConfigStore &m_store;
    QWidget *m_owner;
    QPointer<PopupLabel> m_popup;
};
