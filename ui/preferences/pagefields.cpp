#include "pagefields.h"

#include "colorbutton.h"
#include "configstore.h"

#include <QAbstractButton>
#include <QButtonGroup>

PageFields::PageFields(ConfigStore &prefs, std::function<void()> changed)
    : m_prefs(prefs)
    , m_changed(std::move(changed))
{
}

void PageFields::add(Field field)
{
    m_fields.append(std::move(field));
}

void PageFields::addCheck(QAbstractButton *box, const QString &key, bool counts)
{
    add({key, counts, [box] { return QString::fromLatin1(box->isChecked() ? "True" : "False"); },
         [box](const QString &v) { box->setChecked(v == QLatin1String("True")); }});
    QObject::connect(box, &QAbstractButton::clicked, box, [this] { m_changed(); });
}

void PageFields::addColor(ColorButton *button, const QString &key, bool counts)
{
    add({key, counts, [button] { return button->color(); },
         [button](const QString &v) { button->setColor(v); }});
    QObject::connect(button, &ColorButton::colorPicked, button, [this, button, key] {
        if (button->color() != m_prefs.value(key))
            m_changed();
    });
}

void PageFields::addChoice(QButtonGroup *group, const QString &key, const QStringList &values,
                           int fallback, const QString &noneValue, bool counts)
{
    add({key, counts,
         [group, values, noneValue] {
             const int id = group->checkedId();
             return id >= 0 && id < values.size() ? values.at(id) : noneValue;
         },
         [group, values, fallback](const QString &v) {
             const int id = values.indexOf(v);
             checkOnly(group, id >= 0 ? id : fallback);
         }});
    QObject::connect(group, &QButtonGroup::idClicked, group, [this, group, values, key](int id) {
        if (id >= 0 && id < values.size() && values.at(id) != m_prefs.value(key))
            m_changed();
    });
}

void PageFields::checkOnly(QButtonGroup *group, int id)
{
    group->setExclusive(false);
    for (QAbstractButton *button : group->buttons())
        button->setChecked(group->id(button) == id);
    group->setExclusive(true);
}

void PageFields::load(bool useDefaults)
{
    for (const Field &f : std::as_const(m_fields))
        f.set(m_prefs.value(f.key, useDefaults));
}

void PageFields::save()
{
    for (const Field &f : std::as_const(m_fields))
        m_prefs.setValue(f.key, f.get());
}

bool PageFields::differs() const
{
    for (const Field &f : std::as_const(m_fields)) {
        if (f.counts && f.get() != m_prefs.value(f.key))
            return true;
    }
    return false;
}
