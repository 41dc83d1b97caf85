#include "fontsetup.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void installFontSubstitutions()
{
    // First installed family wins; the rest stay as further fall-backs.
    static const QStringList candidates = {
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"),
        QStringLiteral("Droid Sans Fallback"),
    };
    const QStringList installed = QFontDatabase::families();
    QStringList available;
    for (const QString &family : candidates) {
        if (installed.contains(family, Qt::CaseInsensitive))
            available << family;
    }
    if (available.isEmpty())
        return;
    for (const QString &alias : {QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei")})
        QFont::insertSubstitutions(alias, available);
}
