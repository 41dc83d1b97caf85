#pragma once

#include <QColor>
#include <QString>

class ConfigStore;

// Reads the display keys of the preference store: category colours and shown-flags,
// editor text font and colours. Holds the store by pointer (not owned); the store
// outlives every editor object.
class DisplaySettings
{
public:
    explicit DisplaySettings(ConfigStore &prefs);

    ConfigStore &store() const { return *m_prefs; }

    // Key of a finding category's colour / shown-flag. Spelling 1-2, grammar 3-4,
    // style 5, polish 7; every other code (6 included) takes the grammar keys.
    static QString colorKey(int category);
    static QString shownKey(int category);

    QColor categoryColor(int category) const;
    bool categoryShown(int category) const;

    // "True" exactly.
    bool isTrue(const QString &key) const;
    // Decimal integer; 0 when the text does not parse.
    int intValue(const QString &key) const;
    QColor color(const QString &key) const;

    QColor textColor() const;
    QString textFont() const;
    int textFontSize() const;
    QColor suggestionColor() const;
    bool suggestionShown() const;

private:
    ConfigStore *m_prefs; // not owned
};
