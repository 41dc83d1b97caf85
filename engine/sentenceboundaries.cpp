#include "sentenceboundaries.h"

#include "splittertables.h"

#include <QSet>

#include <algorithm>

namespace ZeltraLib {

namespace {

struct BoundaryWords
{
    QSet<QByteArray> titles;
    QSet<QByteArray> modifiers;
    QSet<QByteArray> closing;
    QSet<QByteArray> starters;
    QSet<QByteArray> subjects;
    QSet<QByteArray> verbs;

    BoundaryWords()
    {
        auto fill = [](QSet<QByteArray> &set, const QList<QByteArray> &list) {
            for (const QByteArray &w : list)
                set.insert(w);
        };
        fill(titles, SplitterTables::titles());
        fill(modifiers, SplitterTables::nameModifiers());
        fill(closing, SplitterTables::closingAbbreviations());
        // One-word entries of the abbreviation table that the other classes leave.
        for (const QByteArray &a : SplitterTables::abbreviations()) {
            if (!a.contains(' ') && a.endsWith('.') && !titles.contains(a) && !modifiers.contains(a))
                closing.insert(a);
        }
        fill(starters, SplitterTables::sentenceStarters());
        fill(subjects, SplitterTables::reportingSubjects());
        fill(verbs, SplitterTables::reportingVerbs());
    }
};

const BoundaryWords &words()
{
    static const BoundaryWords w;
    return w;
}

bool isAsciiSpace(QChar c)
{
    return c == u' ' || (c.unicode() >= '\t' && c.unicode() <= '\r');
}

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isCloser(QChar c)
{
    switch (c.unicode()) {
    case '"': case '\'': case ')': case ']': case '}':
    case 0x00BB: // »
    case 0x2019: case 0x201D: // ’ ”
    case 0x300D: case 0x300F: case 0x3011: // 」 』 】
    case 0xFF02: case 0xFF07: case 0xFF09: case 0xFF3D: case 0xFF5D: // ＂ ＇ ） ］ ｝
        return true;
    default:
        return false;
    }
}

bool isClosingQuote(QChar c)
{
    return isCloser(c) && c != u')' && c != u']' && c != u'}' && c != QChar(0xFF09)
        && c != QChar(0xFF3D) && c != QChar(0xFF5D) && c != QChar(0x3011);
}

bool isOpener(QChar c)
{
    switch (c.unicode()) {
    case '"': case '\'': case '(': case '[': case '{':
    case 0x00AB: case 0x2018: case 0x201C: case 0x3008: case 0x300A: case 0x300C:
    case 0x300E: case 0x3010: case 0xFF08: case 0xFF3B: case 0xFF5B:
        return true;
    default:
        return false;
    }
}

bool isEndMark(QChar c)
{
    switch (c.unicode()) {
    case '.': case '!': case '?': case 0x2026: case 0x3002: case 0xFF01: case 0xFF1F:
        return true;
    default:
        return false;
    }
}

// The ASCII word starting at `at` (letters only), or empty.
QByteArray wordAt(const QString &p, qsizetype at)
{
    qsizetype end = at;
    while (end < p.size() && isAsciiLetter(p.at(end)))
        ++end;
    return p.mid(at, end - at).toLatin1();
}

qsizetype skipSpaces(const QString &p, qsizetype at)
{
    while (at < p.size() && isAsciiSpace(p.at(at)))
        ++at;
    return at;
}

bool isTitleMark(QChar c)
{
    return c == QChar(0x300B) || c == QChar(0x3009); // 》 〉
}

// Step 1: closers after an end go with it; a mark inside a title (《谁？》) is none.
void keepClosers(const QString &p, QList<int> &ends)
{
    const qsizetype n = p.size();
    QList<int> out;
    for (qsizetype k = 0; k < ends.size(); ++k) {
        int e = ends.at(k);
        if (k + 1 < ends.size() && !isAsciiSpace(p.at(e))) {
            if (e + 1 < n && isTitleMark(p.at(e + 1)))
                continue;
            qsizetype j = e + 1;
            while (j < n && isCloser(p.at(j)))
                ++j;
            if (j > e + 1)
                e = int(j < n && isAsciiSpace(p.at(j)) ? j : j - 1);
            if (e >= ends.at(k + 1))
                continue; // swallowed by the next end
        }
        out.append(e);
    }
    ends = out;
}

// "Yes!" I said. / "Hi!" Tom shouted.
bool reportingClauseAt(const QString &p, qsizetype at)
{
    const BoundaryWords &w = words();
    const QByteArray subject = wordAt(p, at);
    if (subject.isEmpty())
        return false;
    const bool name = subject.size() > 1 && subject.at(0) >= 'A' && subject.at(0) <= 'Z'
        && !w.starters.contains(subject) && subject.mid(1).toLower() == subject.mid(1);
    if (!name && !w.subjects.contains(subject))
        return false;
    const qsizetype next = at + subject.size();
    if (next >= p.size() || p.at(next) != u' ')
        return false;
    return w.verbs.contains(wordAt(p, next + 1));
}

// Step 2: a quotation goes on into the words after it.
bool quotationGoesOn(const QString &p, int e)
{
    qsizetype k = e;
    if (isAsciiSpace(p.at(k)))
        --k;
    if (k < 1 || !isClosingQuote(p.at(k)))
        return false;
    while (k > 0 && isCloser(p.at(k)))
        --k;
    if (!isEndMark(p.at(k)))
        return false;
    const qsizetype next = skipSpaces(p, e + 1);
    if (next >= p.size())
        return false;
    const QChar c = p.at(next);
    if (c >= u'a' && c <= u'z')
        return true;
    const QChar mark = p.at(k);
    const bool exclamation = mark == u'!' || mark == u'?' || mark == QChar(0xFF01) || mark == QChar(0xFF1F);
    return exclamation && reportingClauseAt(p, next);
}

enum class Verdict { Unknown, End, NoEnd };

// Step 3: the dot at `dot`, followed by white space, closes an abbreviation?
Verdict abbreviationVerdict(const QString &p, qsizetype dot)
{
    qsizetype start = dot;
    while (start > 0 && !isAsciiSpace(p.at(start - 1)))
        --start;
    while (start < dot && isOpener(p.at(start)))
        ++start;
    for (qsizetype k = start; k < dot; ++k) {
        if (!isAsciiLetter(p.at(k)) && p.at(k) != u'.')
            return Verdict::Unknown;
    }
    if (start == dot)
        return Verdict::Unknown;
    const QByteArray token = p.mid(start, dot + 1 - start).toLatin1();
    const BoundaryWords &w = words();
    const bool title = w.titles.contains(token);
    const bool modifier = w.modifiers.contains(token);
    if (!title && !modifier && !w.closing.contains(token))
        return Verdict::Unknown;
    qsizetype next = skipSpaces(p, dot + 1);
    if (next >= p.size())
        return Verdict::Unknown;
    if (title)
        return Verdict::NoEnd;
    while (next < p.size() && isOpener(p.at(next)))
        ++next;
    const QByteArray following = wordAt(p, next);
    if (following.isEmpty() || following.at(0) < 'A' || following.at(0) > 'Z')
        return Verdict::NoEnd;
    if (!modifier)
        return Verdict::End;
    // A following title counts without its dot ("Prof.").
    return w.starters.contains(following) || w.titles.contains(following + '.') ? Verdict::End
                                                                               : Verdict::NoEnd;
}

// Decisions are gathered in text order and merged once, so that a long paragraph
// full of abbreviations stays linear.
void decideAbbreviations(const QString &p, QList<int> &ends)
{
    const qsizetype n = p.size();
    QList<int> added;
    QList<int> removed;
    for (qsizetype i = p.indexOf(u'.'); i >= 0 && i + 2 < n; i = p.indexOf(u'.', i + 1)) {
        if (!isAsciiSpace(p.at(i + 1)))
            continue;
        const Verdict v = abbreviationVerdict(p, i);
        if (v == Verdict::End)
            added.append(int(i + 1));
        else if (v == Verdict::NoEnd)
            removed.append(int(i + 1));
    }
    if (added.isEmpty() && removed.isEmpty())
        return;
    QList<int> out;
    out.reserve(ends.size() + added.size());
    qsizetype a = 0;
    qsizetype r = 0;
    for (int e : ends) {
        while (a < added.size() && added.at(a) < e)
            out.append(added.at(a++));
        if (a < added.size() && added.at(a) == e)
            ++a;
        while (r < removed.size() && removed.at(r) < e)
            ++r;
        const bool drop = r < removed.size() && removed.at(r) == e && e != n - 1;
        if (!drop)
            out.append(e);
    }
    ends = out;
}

} // namespace

QList<int> SentenceBoundaries::refine(const QString &paragraph, const QList<int> &ends)
{
    if (ends.size() < 1 || paragraph.isEmpty())
        return ends;
    QList<int> out = ends;
    keepClosers(paragraph, out);
    decideAbbreviations(paragraph, out);
    QList<int> kept;
    kept.reserve(out.size());
    for (qsizetype k = 0; k < out.size(); ++k) {
        if (k + 1 < out.size() && quotationGoesOn(paragraph, out.at(k)))
            continue;
        kept.append(out.at(k));
    }
    return kept;
}

} // namespace ZeltraLib
