#include "writingsentencerange.h"

#include <QTextDocument>

namespace {
QList<KeywordRange> keyWordsIn(const QTextCursor &range)
{
    QList<KeywordRange> out;
    const int start = range.selectionStart();
    const QString text = range.selectedText();
    for (qsizetype open = text.indexOf(QLatin1Char('[')); open >= 0; open = text.indexOf(QLatin1Char('['), open + 1)) {
        const qsizetype close = text.indexOf(QLatin1Char(']'), open);
        if (close < 0)
            break;
        KeywordRange k;
        k.range = QTextCursor(range.document());
        k.range.setPosition(start + int(open));
        k.range.setPosition(start + int(close) + 1, QTextCursor::KeepAnchor);
        k.key = text.mid(open, close - open + 1);
        k.range.mergeCharFormat(WritingSentenceRange::keyWordFormat());
        out.append(k);
        open = close;
    }
    return out;
}
} // namespace

QTextCharFormat WritingSentenceRange::keyWordFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(QStringLiteral("#0000FF")));
    return format;
}

void WritingSentenceRange::setRangeText(QTextCursor &range, const QString &text, const QTextCharFormat &format)
{
    const int start = range.selectionStart();
    const int end = range.selectionEnd();
    QTextCursor edit(range.document());
    edit.setPosition(end);
    edit.insertText(text, format);
    edit.setPosition(start);
    edit.setPosition(end, QTextCursor::KeepAnchor);
    edit.removeSelectedText();
    range.setPosition(start);
    range.setPosition(start + int(text.size()), QTextCursor::KeepAnchor);
}

void WritingSentenceRange::findKeyWords()
{
    englishKeywords = keyWordsIn(englishRange);
    translationKeywords = keyWordsIn(translationRange);
}

bool WritingSentenceRange::hasKeyWord(const QString &key) const
{
    for (const KeywordRange &k : englishKeywords)
        if (k.key == key)
            return true;
    return false;
}

void WritingSentenceRange::collectKeys(QStringList *keys) const
{
    for (const KeywordRange &k : englishKeywords)
        if (!keys->contains(k.key))
            keys->append(k.key);
}

void WritingSentenceRange::setKeyWord(const QString &key, const QString &value)
{
    const QString shown = value.isEmpty() ? key : value;
    for (QList<KeywordRange> *list : {&englishKeywords, &translationKeywords})
        for (KeywordRange &k : *list)
            if (k.key == key && k.range.selectedText() != shown)
                setRangeText(k.range, shown, keyWordFormat());
}
