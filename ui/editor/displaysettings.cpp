#include "displaysettings.h"

#include "configstore.h"

DisplaySettings::DisplaySettings(ConfigStore &prefs)
    : m_prefs(&prefs)
{
}

static QString categoryName(int category)
{
    switch (category) {
    case 1:
    case 2:
        return QStringLiteral("spelling");
    case 5:
        return QStringLiteral("style");
    case 7:
        return QStringLiteral("enrichment");
    default:
        return QStringLiteral("grammar");
    }
}

QString DisplaySettings::colorKey(int category)
{
    return QStringLiteral("display_%1_color").arg(categoryName(category));
}

QString DisplaySettings::shownKey(int category)
{
    return QStringLiteral("display_%1_enabled").arg(categoryName(category));
}

QColor DisplaySettings::categoryColor(int category) const
{
    return color(colorKey(category));
}

bool DisplaySettings::categoryShown(int category) const
{
    return isTrue(shownKey(category));
}

bool DisplaySettings::isTrue(const QString &key) const
{
    return m_prefs->value(key) == QLatin1String("True");
}

int DisplaySettings::intValue(const QString &key) const
{
    bool ok = false;
    const int n = m_prefs->value(key).trimmed().toInt(&ok);
    return ok ? n : 0;
}

QColor DisplaySettings::color(const QString &key) const
{
    return QColor::fromString(m_prefs->value(key));
}

QColor DisplaySettings::textColor() const
{
    return color(QStringLiteral("display_text_color"));
}

QString DisplaySettings::textFont() const
{
    return m_prefs->value(QStringLiteral("display_text_font"));
}

int DisplaySettings::textFontSize() const
{
    return intValue(QStringLiteral("display_text_font_size"));
}

QColor DisplaySettings::suggestionColor() const
{
    return color(QStringLiteral("display_suggestion_color"));
}

bool DisplaySettings::suggestionShown() const
{
    return isTrue(QStringLiteral("display_suggestion_enabled"));
}
