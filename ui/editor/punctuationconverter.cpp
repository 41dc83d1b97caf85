#include "punctuationconverter.h"

namespace {

bool isLetterOrNumberAt(const QString &text, qsizetype at)
{
    const QChar c = text.at(at);
    if (c.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate())
        return QChar::isLetterOrNumber(QChar::surrogateToUcs4(c, text.at(at + 1)));
    return c.isLetterOrNumber();
}

bool isDigitAt(const QString &text, qsizetype at)
{
    return at >= 0 && at < text.size() && text.at(at).isDigit();
}

bool endsWithWord(const QString &text)
{
    if (text.isEmpty())
        return false;
    const qsizetype last = text.size() - 1;
    const bool pair = last > 0 && text.at(last).isLowSurrogate();
    return isLetterOrNumberAt(text, pair ? last - 1 : last);
}

// Marks that stay between digits unspaced: "1，000", "3。14", "10：30".
bool joinsDigits(const QString &replacement)
{
    return replacement == QLatin1String(",") || replacement == QLatin1String(".")
           || replacement == QLatin1String(":");
}

// Opening quotes: their ASCII replacement cannot tell opening from closing.
bool isOpeningQuote(QChar c)
{
    return c == QChar(0x201C) || c == QChar(0x2018);
}

} // namespace

PunctuationConverter::PunctuationConverter(const QHash<QString, QString> &table)
    : m_table(table)
{
    for (auto it = m_table.cbegin(); it != m_table.cend(); ++it)
        m_longestKey = qMax(m_longestKey, it.key().size());
}

PunctuationConverter::Kind PunctuationConverter::kindOf(const QString &key)
{
    static const QString marks = QStringLiteral("，、。！？；：");
    static const QString opening = QStringLiteral("（【｛");
    // "”" only ever closes; "’" is also the apostrophe of "it’s".
    static const QString closing = QStringLiteral("）】｝") + QChar(0x201D);
    if (key == QString(2, QChar(0x2026)) || (key.size() == 1 && marks.contains(key)))
        return Mark;
    if (key.size() == 1 && opening.contains(key))
        return Opening;
    if (key.size() == 1 && closing.contains(key))
        return Closing;
    return Plain;
}

QString PunctuationConverter::keyAt(const QString &text, qsizetype at) const
{
    // Every key is non-ASCII: plain English text costs no look-up.
    if (text.at(at).unicode() < 0x80)
        return QString();
    for (qsizetype length = qMin(m_longestKey, text.size() - at); length > 0; --length) {
        const QString key = text.mid(at, length);
        if (m_table.contains(key))
            return key;
    }
    return QString();
}

bool PunctuationConverter::beginsWord(const QString &text, qsizetype at) const
{
    if (at >= text.size())
        return false;
    if (isLetterOrNumberAt(text, at) || isOpeningQuote(text.at(at)))
        return true;
    const QString key = keyAt(text, at);
    return !key.isEmpty() && kindOf(key) == Opening;
}

QString PunctuationConverter::convert(const QString &text) const
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size();) {
        const QString key = keyAt(text, i);
        if (key.isEmpty()) {
            out += text.at(i++);
            continue;
        }
        QString replacement = m_table.value(key);
        const qsizetype next = i + key.size();
        const Kind kind = kindOf(key);
        if (replacement.size() > 1 && replacement.startsWith(QLatin1Char(' '))
            && (out.isEmpty() || out.back().isSpace()))
            replacement.remove(0, 1);
        if (replacement.size() > 1 && replacement.endsWith(QLatin1Char(' '))
            && (next >= text.size() || text.at(next).isSpace()))
            replacement.chop(1);
        if (kind == Opening && endsWithWord(out))
            out += QLatin1Char(' ');
        out += replacement;
        const bool betweenDigits = joinsDigits(replacement) && isDigitAt(text, i - 1) && isDigitAt(text, next);
        if ((kind == Mark || kind == Closing) && !betweenDigits && beginsWord(text, next))
            out += QLatin1Char(' ');
        i = next;
    }
    return out;
}
