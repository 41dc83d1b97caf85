#pragma once
// Whether a text a user reads holds an English word. Names that stay as they are (the
// program, keys, an exam, Word), addresses, paths and file patterns are allowed.
#include <QRegularExpression>
#include <QString>

namespace TestTexts {

inline bool hasEnglishWord(const QString &text)
{
    static const QRegularExpression skipped(
        QStringLiteral("<[^>]*>|&[a-z]+;|(https?://|www\\.)\\S+|\\S+@\\S+|\\*\\.[a-z]+|[\\w.\\[\\]-]*/[\\w./\\[\\]-]*"));
    static const QRegularExpression names(QStringLiteral("Pennova|GRE|Word|Ctrl|Alt|Shift|Enter|LibreOffice|XML|[KMG]B"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    QString plain = text;
    plain.remove(skipped);
    plain.remove(names);
    return plain.contains(word);
}

} // namespace TestTexts
