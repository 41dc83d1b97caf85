#include "checkstatistics.h"

#include "checkcodes.h"
#include "configstore.h"

using namespace ZeltraLib;

CheckStatistics::Kind CheckStatistics::kindOf(int category)
{
    switch (category) {
    case CategoryNonword:
    case CategoryReal:
        return Spelling;
    case CategoryStyle:
        return Style;
    case CategorySuggestion:
        return Suggestion;
    default:
        return Grammar;
    }
}

void CheckStatistics::remove(int category)
{
    int &count = m_counts[kindOf(category)];
    if (count > 0)
        --count;
}

void CheckStatistics::clear()
{
    for (int &count : m_counts)
        count = 0;
}

int CheckStatistics::total() const
{
    return m_counts[0] + m_counts[1] + m_counts[2] + m_counts[3];
}

int CheckStatistics::shownTotal(ConfigStore &prefs) const
{
    static const char *const keys[KindCount] = {"display_spelling_enabled", "display_grammar_enabled",
                                                "display_style_enabled", "display_suggestion_enabled"};
    int sum = 0;
    for (int k = 0; k < KindCount; ++k) {
        if (prefs.value(QString::fromLatin1(keys[k])) == QLatin1String("True"))
            sum += m_counts[k];
    }
    return sum;
}
