#include "tippresenter.h"

#include "configstore.h"
#include "popuplabel.h"

TipPresenter::TipPresenter(ConfigStore &tipStore, QWidget *owner)
    : m_store(tipStore)
    , m_owner(owner)
{
}

PopupLabel *TipPresenter::show(int number, const QPoint &globalPos)
{
    if (m_popup)
        m_popup->close();
    m_popup = new PopupLabel(number, m_owner, globalPos);
    return m_popup;
}

PopupLabel *TipPresenter::showOnce(int number, const QString &key, const QPoint &globalPos)
{
    if (m_store.value(key) != QLatin1String("False"))
        return nullptr;
    m_store.setValue(key, QStringLiteral("True"));
    return show(number, globalPos);
}
