#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class ColorButton;
class ConfigStore;
class QAbstractButton;
class QButtonGroup;

// The simple fields of a preference page bound to their keys: on/off boxes ("True" /
// "False"), colour buttons and radio-button choices. Loads them from the store or its
// defaults, saves them, and tells whether any counted field differs from the store.
// Widgets and store are not owned; the page owns both the widgets and this object.
class PageFields
{
public:
    // Called when the user changes a field (a choice or colour only when it then differs).
    PageFields(ConfigStore &prefs, std::function<void()> changed);

    // `counts`: whether the field takes part in differs().
    void addCheck(QAbstractButton *box, const QString &key, bool counts = true);
    void addColor(ColorButton *button, const QString &key, bool counts = true);
    // Button id i stands for values[i]. A stored value not in the list checks `fallback`
    // (-1: none); saving with none checked writes `noneValue`.
    void addChoice(QButtonGroup *group, const QString &key, const QStringList &values,
                   int fallback, const QString &noneValue, bool counts = false);

    void load(bool useDefaults);
    void save();
    // Whether a counted field's value differs from the stored one.
    bool differs() const;

    static void checkOnly(QButtonGroup *group, int id);

private:
    struct Field
    {
        QString key;
        bool counts = true;
        std::function<QString()> get;
        std::function<void(const QString &)> set;
    };
    void add(Field field);

    ConfigStore &m_prefs;
    std::function<void()> m_changed;
    QList<Field> m_fields;
};
