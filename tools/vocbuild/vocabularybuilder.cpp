#include "vocabularybuilder.h"

#include <QFile>
#include <QSet>
#include <QTextStream>

using ZeltraLib::Vocabulary;

namespace {

// Non-empty, non-comment lines of a UTF-8 text file.
bool readLines(const QString &path, QStringList &lines, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines.append(line);
    }
    return true;
}

bool isVowel(QChar c)
{
    return QStringLiteral("aeiou").contains(c);
}

bool endsConsonantY(const QString &w)
{
    return w.size() >= 2 && w.endsWith(QLatin1Char('y')) && !isVowel(w.at(w.size() - 2));
}

// Consonant-vowel-consonant ending whose last consonant doubles (stop -> stopped).
bool doublesFinal(const QString &w)
{
    if (w.size() < 3)
        return false;
    const QChar last = w.at(w.size() - 1);
    const QChar mid = w.at(w.size() - 2);
    const QChar before = w.at(w.size() - 3);
    return last.isLetter() && !isVowel(last) && !QStringLiteral("wxy").contains(last)
           && isVowel(mid) && before.isLetter() && !isVowel(before);
}

QStringList suffixed(const QString &w, const QString &suffix)
{
    // suffix starts with a vowel: "ed", "ing", "er", "est"
    QStringList forms;
    if (suffix != QLatin1String("ing") && w.endsWith(QLatin1Char('e'))) {
        forms << w + suffix.mid(1);
        return forms;
    }
    if (suffix == QLatin1String("ing")) {
        if (w.endsWith(QLatin1String("ie"))) {
            forms << w.left(w.size() - 2) + QLatin1String("ying");
            return forms;
        }
        if (w.endsWith(QLatin1Char('e')) && !w.endsWith(QLatin1String("ee"))
            && !w.endsWith(QLatin1String("ye")) && !w.endsWith(QLatin1String("oe")) && w.size() > 2) {
            forms << w.left(w.size() - 1) + suffix;
            return forms;
        }
    } else if (endsConsonantY(w)) {
        forms << w.left(w.size() - 1) + QLatin1Char('i') + suffix;
        return forms;
    }
    if (doublesFinal(w)) {
        forms << w + w.at(w.size() - 1) + suffix;
        // Longer words double only when the last syllable is stressed; keep both.
        if (w.size() <= 4)
            return forms;
    }
    forms << w + suffix;
    return forms;
}

QStringList plural(const QString &w)
{
    if (w.endsWith(QLatin1Char('s')) || w.endsWith(QLatin1Char('x')) || w.endsWith(QLatin1Char('z'))
        || w.endsWith(QLatin1String("ch")) || w.endsWith(QLatin1String("sh")))
        return {w + QLatin1String("es")};
    if (endsConsonantY(w))
        return {w.left(w.size() - 1) + QLatin1String("ies")};
    if (w.size() >= 2 && w.endsWith(QLatin1Char('o')) && !isVowel(w.at(w.size() - 2)))
        return {w + QLatin1Char('s'), w + QLatin1String("es")};
    return {w + QLatin1Char('s')};
}

} // namespace

int VocabularyBuilder::levelOfCefr(const QString &cefr)
{
    const QString level = cefr.trimmed().toUpper();
    if (level == QLatin1String("A1") || level == QLatin1String("A2"))
        return 0;
    if (level == QLatin1String("B1"))
        return 1;
    if (level == QLatin1String("B2"))
        return 2;
    if (level == QLatin1String("C1"))
        return 3;
    if (level == QLatin1String("C2"))
        return 4;
    return -1;
}

QStringList VocabularyBuilder::inflections(const QString &word, const QString &partOfSpeech)
{
    if (word.isEmpty() || word.contains(QLatin1Char(' ')) || !word.at(word.size() - 1).isLetter())
        return {};
    QStringList forms;
    if (partOfSpeech == QLatin1String("noun")) {
        forms << plural(word);
    } else if (partOfSpeech == QLatin1String("verb")) {
        forms << plural(word) << suffixed(word, QStringLiteral("ed"))
              << suffixed(word, QStringLiteral("ing"));
    } else if (partOfSpeech == QLatin1String("adjective")) {
        forms << suffixed(word, QStringLiteral("er")) << suffixed(word, QStringLiteral("est"));
    }
    forms.removeDuplicates();
    return forms;
}

bool VocabularyBuilder::addCefrList(const QString &path, QString *error)
{
    QStringList lines;
    if (!readLines(path, lines, error))
        return false;
    for (const QString &line : std::as_const(lines)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 3)
            continue;
        const int level = levelOfCefr(fields.at(2));
        if (level < 0)
            continue;
        const QString partOfSpeech = fields.at(1).trimmed();
        for (const QString &variant : fields.at(0).split(QLatin1Char('/'))) {
            const QString word = variant.trimmed();
            if (word.isEmpty() || word.contains(QLatin1Char(' ')))
                continue;
            QList<int> &levels = m_levels[word];
            // One level per word: the easiest one it is listed at.
            if (levels.isEmpty())
                levels.append(level);
            else if (level < levels.first())
                levels.first() = level;
            for (const QString &form : inflections(word, partOfSpeech))
                addForm(form, word);
        }
    }
    return true;
}

bool VocabularyBuilder::addIrregularForms(const QString &path, QString *error)
{
    QStringList lines;
    if (!readLines(path, lines, error))
        return false;
    for (const QString &line : std::as_const(lines)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 2)
            continue;
        const QString form = fields.at(0).trimmed();
        QStringList &bases = m_forms[form];
        // Irregular bases go first: "leaves" is rather "leaf" than "leave" only by this table.
        QStringList irregular;
        for (const QString &base : fields.at(1).split(QLatin1Char(','))) {
            if (!base.trimmed().isEmpty())
                irregular << base.trimmed();
        }
        for (const QString &base : std::as_const(bases)) {
            if (!irregular.contains(base))
                irregular << base;
        }
        bases = irregular;
    }
    return true;
}

bool VocabularyBuilder::addFrequencyList(const QString &path, QString *error)
{
    QStringList lines;
    if (!readLines(path, lines, error))
        return false;
    for (const QString &line : std::as_const(lines))
        m_frequency << line.section(QLatin1Char(' '), 0, 0).trimmed();
    return true;
}

bool VocabularyBuilder::addKnownWords(const QString &path, QString *error)
{
    QStringList lines;
    if (!readLines(path, lines, error))
        return false;
    for (const QString &line : std::as_const(lines))
        m_known << line.trimmed();
    return true;
}

void VocabularyBuilder::addForm(const QString &form, const QString &base)
{
    QStringList &bases = m_forms[form];
    if (!bases.contains(base))
        bases.append(base);
}

Vocabulary VocabularyBuilder::build() const
{
    Vocabulary::LevelTable levels = m_levels;
    Vocabulary::FormTable forms;
    // A form that is itself a listed word is looked up by its own entry.
    for (auto it = m_forms.constBegin(); it != m_forms.constEnd(); ++it) {
        if (!levels.contains(it.key()))
            forms.insert(it.key(), it.value());
    }
    QStringList known = m_known;
    QSet<QString> seen(known.begin(), known.end());
    const int ranks = qMin(maxRank, int(m_frequency.size()));
    for (int rank = 0; rank < ranks; ++rank) {
        const QString &word = m_frequency.at(rank);
        if (word.isEmpty() || levels.contains(word) || forms.contains(word) || seen.contains(word))
            continue;
        // "january" is "January" written in lower case.
        const QString capitalised = word.left(1).toUpper() + word.mid(1);
        if (levels.contains(capitalised))
            continue;
        if (rank < knownRank) {
            known << word;
            seen.insert(word);
        } else {
            levels.insert(word, {5});
        }
    }
    return Vocabulary(forms, levels, known);
}
