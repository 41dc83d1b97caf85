#pragma once

#include <QHash>
#include <QString>

// Replaces Chinese punctuation by ASCII punctuation after a key -> replacement table,
// spacing the result as English is written: a converted clause or sentence mark
// ("，" "、" "。" "！" "？" "；" "：" "……"), closing bracket or closing quote is followed
// by one space when a word, a number or an opening bracket or quote comes next
// ("，because" -> ", because", "。我的" -> ". 我的"); never when white space, the line
// end, the text end or another mark comes next, nor between two digits
// ("10：30" -> "10:30"). A converted opening bracket gets a space after a word. Spaced
// replacements ("——" -> " - ") drop the space that would double one already there.
class PunctuationConverter
{
public:
    // The table's keys are non-ASCII; it is not copied and must outlive the converter.
    explicit PunctuationConverter(const QHash<QString, QString> &table);

    QString convert(const QString &text) const;

private:
    enum Kind { Plain, Mark, Opening, Closing };

    static Kind kindOf(const QString &key);
    // The key of the table that starts at `at`, the longest first; empty when none.
    QString keyAt(const QString &text, qsizetype at) const;
    // Whether the text at `at` begins a word, a number, or an opening bracket or quote.
    bool beginsWord(const QString &text, qsizetype at) const;

    const QHash<QString, QString> &m_table;
    qsizetype m_longestKey = 0;
};
