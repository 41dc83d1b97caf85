#include "sentencesplitter.h"

#include "localencoding.h"
#include "patternautomaton.h"
#include "splittertables.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace ZeltraLib {

namespace {

using Byte = unsigned char;

inline bool isLetter(Byte b) { return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'); }
inline bool isDigit(Byte b) { return b >= '0' && b <= '9'; }
inline bool isLower(Byte b) { return b >= 'a' && b <= 'z'; }
inline bool isUpper(Byte b) { return b >= 'A' && b <= 'Z'; }
inline bool isSpace(Byte b) { return b == ' ' || (b >= '\t' && b <= '\r'); }
inline bool isMark(Byte b) { return b == '.' || b == '?' || b == '!'; }

// Bytes a web address with a scheme runs over.
inline bool isUrlByte(Byte b)
{
    return b == '!' || b == '#' || b == '%' || b == '+' || (b >= '-' && b <= ';') || b == '='
        || (b >= '?' && b <= 'Z') || b == '_' || isLower(b) || b == '~';
}

// Bytes a domain name runs over, walking back from its suffix.
inline bool isDomainByte(Byte b)
{
    return (b >= '-' && b <= ';') || (b >= '?' && b <= 'Z') || isLower(b);
}

inline bool isMailByte(Byte b)
{
    return b == '-' || b == '.' || b == '_' || isDigit(b) || isLetter(b);
}

// One entry of the abbreviation or emoticon table, as the automaton sees it.
struct ProtectingPattern
{
    int length = 0;
    bool emoticon = false;
    bool isNo = false;   // "No." protects only before a number
    int overlapSlot = -1; // index into the per-scan resume positions; -1: cannot overlap itself
    std::vector<int> offsets; // bytes inside the pattern to protect
};

bool hasBorder(const QByteArray &p)
{
    for (int shift = 1; shift < p.size(); ++shift) {
        if (std::memcmp(p.constData(), p.constData() + shift, size_t(p.size() - shift)) == 0)
            return true;
    }
    return false;
}

// Abbreviations and emoticons that can protect anything, in one automaton.
struct Detectors
{
    std::vector<ProtectingPattern> patterns;
    int overlapSlots = 0;
    PatternAutomaton automaton;
    // Domain suffixes grouped by the byte after their ".".
    std::vector<QByteArray> suffixesByFirst[256];

    static QList<QByteArray> collect(std::vector<ProtectingPattern> &patterns, int &slotCount)
    {
        QList<QByteArray> texts;
        auto add = [&](const QByteArray &text, bool emoticon) {
            ProtectingPattern p;
            p.length = int(text.size());
            p.emoticon = emoticon;
            p.isNo = !emoticon && text == "No.";
            for (int k = 0; k < text.size(); ++k) {
                const Byte b = Byte(text.at(k));
                if (emoticon ? isMark(b) : b == '.')
                    p.offsets.push_back(k);
            }
            if (p.offsets.empty())
                return;
            if (hasBorder(text))
                p.overlapSlot = slotCount++;
            patterns.push_back(std::move(p));
            texts.append(text);
        };
        for (const QByteArray &a : SplitterTables::abbreviations())
            add(a, false);
        for (const QByteArray &e : SplitterTables::emoticons())
            add(e, true);
        return texts;
    }

    Detectors() : automaton(collect(patterns, overlapSlots))
    {
        for (const QByteArray &s : SplitterTables::domainSuffixes())
            suffixesByFirst[Byte(s.at(1))].push_back(s);
    }
};

const Detectors &detectors()
{
    static const Detectors d;
    return d;
}

// Step 1a and 1e. Each table entry is searched on its own, left to right,
// resuming behind an occurrence; only entries that overlap themselves need the
// resume position, the others never produce overlapping occurrences.
void protectAbbreviationsAndEmoticons(const Byte *b, qsizetype n, Byte *prot)
{
    const Detectors &d = detectors();
    std::vector<qsizetype> resume(size_t(d.overlapSlots), 0);
    d.automaton.scan(b, n, [&](int index, qsizetype last) {
        const ProtectingPattern &p = d.patterns[size_t(index)];
        const qsizetype start = last - p.length + 1;
        if (p.overlapSlot >= 0) {
            if (start < resume[size_t(p.overlapSlot)])
                return;
            resume[size_t(p.overlapSlot)] = last + 1;
        }
        if (!p.emoticon) {
            if (start > 0) {
                const Byte before = b[start - 1];
                if (isLetter(before) || isDigit(before))
                    return;
                if (before == '\'' && p.length == 2)
                    return;
            }
            if (p.isNo) {
                const bool number = (last + 1 < n && isDigit(b[last + 1]))
                    || (last + 2 < n && b[last + 1] == ' ' && isDigit(b[last + 2]));
                if (!number)
                    return;
            }
        }
        for (int k : p.offsets)
            prot[start + k] = 1;
    });
}

// Step 1b. At most one scheme fits before a given "://"; an occurrence inside an
// earlier address only yields a part of that address and changes nothing.
void protectWebAddresses(const Byte *b, qsizetype n, Byte *prot)
{
    static const char *const names[] = { "http", "HTTP", "Http", "HTTPS", "Https", "https",
                                         "ftp", "FTP", "Ftp", "TELNET", "Telnet", "telnet" };
    qsizetype covered = 0;
    const Byte *p = b;
    while (const void *hit = std::memchr(p, ':', size_t(n - (p - b)))) {
        const qsizetype colon = static_cast<const Byte *>(hit) - b;
        p = b + colon + 1;
        if (colon + 2 >= n || b[colon + 1] != '/' || b[colon + 2] != '/')
            continue;
        qsizetype start = -1;
        for (const char *name : names) {
            const qsizetype len = qsizetype(std::strlen(name));
            if (colon >= len && std::memcmp(b + colon - len, name, size_t(len)) == 0) {
                start = colon - len;
                break;
            }
        }
        if (start < covered)
            continue;
        qsizetype end = colon + 3;
        while (end < n && isUrlByte(b[end]))
            ++end;
        while (b[end - 1] == '.' || b[end - 1] == '?')
            --end;
        covered = end;
        if (end - start > 8) {
            for (qsizetype k = start; k < end; ++k) {
                if (isMark(b[k]))
                    prot[k] = 1;
            }
        }
        p = b + end;
    }
}

// Step 1c. Names are walked back only to the last protected range: a longer walk
// would stay in the same name, whose start is protected already.
void protectDomainNames(const Byte *b, qsizetype n, Byte *prot)
{
    const Detectors &d = detectors();
    qsizetype done = -1;
    const Byte *p = b;
    while (const void *hit = std::memchr(p, '.', size_t(n - (p - b)))) {
        const qsizetype dot = static_cast<const Byte *>(hit) - b;
        p = b + dot + 1;
        if (dot + 1 >= n)
            break;
        const std::vector<QByteArray> &group = d.suffixesByFirst[b[dot + 1]];
        qsizetype after = -1;
        for (const QByteArray &s : group) {
            if (dot + s.size() <= n && std::memcmp(b + dot, s.constData(), size_t(s.size())) == 0) {
                after = dot + s.size();
                break;
            }
        }
        if (after < 0)
            continue;
        if (after < n && (isLetter(b[after]) || isDigit(b[after]) || b[after] >= 0x80))
            continue;
        qsizetype start = dot;
        while (start > done + 1 && isDomainByte(b[start - 1]))
            --start;
        for (qsizetype k = start; k <= dot; ++k) {
            if (isMark(b[k]))
                prot[k] = 1;
        }
        done = dot;
    }
}

// Step 1d.
void protectMailAddresses(const Byte *b, qsizetype n, Byte *prot)
{
    const Byte *p = b;
    while (const void *hit = std::memchr(p, '@', size_t(n - (p - b)))) {
        const qsizetype at = static_cast<const Byte *>(hit) - b;
        p = b + at + 1;
        qsizetype start = at;
        while (start > 0 && isMailByte(b[start - 1]))
            --start;
        qsizetype end = at + 1;
        while (end < n && isMailByte(b[end]))
            ++end;
        while (end > at + 1 && b[end - 1] == '.')
            --end;
        if (start == at || end == at + 1)
            continue;
        for (qsizetype k = start; k < end; ++k) {
            if (b[k] == '.')
                prot[k] = 1;
        }
    }
}

inline bool isRunByte(Byte c)
{
    return c == '.' || c == '?' || c == '!' || c == '"' || c == '\'' || c == ')' || c == ']'
        || c == '}';
}

// Steps 2-4: candidate ends, extended over closing punctuation, without
// adjacent duplicates. A run is walked once however many marks it holds.
void collectEnds(const Byte *b, qsizetype n, const Byte *prot, QList<int> &ends)
{
    qsizetype runEnd = -1; // first byte after the current run
    qsizetype end = -1;
    for (qsizetype i = 0; i < n; ++i) {
        const Byte c = b[i];
        if (!isMark(c) || prot[i])
            continue;
        if (c == '.' && i > 0 && i + 1 < n && isDigit(b[i - 1]) && isDigit(b[i + 1]))
            continue;
        if (i >= runEnd) {
            qsizetype j = i;
            while (j < n && isRunByte(b[j]))
                ++j;
            runEnd = j;
            if (j == n)
                end = n - 1;
            else if (j == n - 1 || isSpace(b[j]))
                end = j;
            else
                end = j - 1;
        }
        if (ends.isEmpty() || ends.last() != end)
            ends.append(int(end));
    }
}

// Step 5, for every end but the last.
bool dropEnd(const Byte *b, qsizetype n, qsizetype e)
{
    const bool lowerAfter = e + 1 < n && isLower(b[e + 1]);
    if (e >= 1 && b[e - 1] == '"' && lowerAfter)
        return true;
    if (e >= 4 && b[e - 1] == '.' && b[e - 2] == '.' && b[e - 3] == '.' && lowerAfter)
        return true;
    const Byte at = b[e];
    if (!isSpace(at) && !isMark(at) && at != '"')
        return true;
    if (e >= 1 && b[e - 1] == ')' && e + 1 < n && !isUpper(b[e + 1]))
        return true;
    return false;
}

// Step 7: the Chinese marks in GB18030, each searched left to right.
void appendChineseMarks(const Byte *b, qsizetype n, QList<int> &ends)
{
    qsizetype ellipsisResume = 0;
    for (qsizetype i = 0; i + 1 < n; ++i) {
        const Byte c = b[i];
        if (c != 0xA1 && c != 0xA3)
            continue;
        const Byte next = b[i + 1];
        if ((c == 0xA1 && next == 0xA3) || (c == 0xA3 && (next == 0xA1 || next == 0xBF))) {
            ends.append(int(i));
        } else if (c == 0xA1 && next == 0xAD && i + 3 < n && b[i + 2] == 0xA1 && b[i + 3] == 0xAD
                   && i >= ellipsisResume) {
            ends.append(int(i));
            ellipsisResume = i + 4;
        }
    }
}

// The bytes the splitter looks at for a paragraph, and where each character
// starts. Trail bytes of multi-byte characters that fall into the ASCII range
// are replaced by 0x80 so that no Chinese character reads as a letter, digit,
// "@" or bracket.
struct SplitterText
{
    QByteArray bytes;
    // For each byte, the index of the last UTF-16 unit of its character (an
    // end is inclusive, so a surrogate pair is never cut). Empty when every
    // character is ASCII.
    std::vector<int> charOfByte;
};

SplitterText toSplitterText(const QString &text)
{
    SplitterText out;
    const qsizetype n = text.size();
    const char16_t *u = reinterpret_cast<const char16_t *>(text.utf16());
    qsizetype ascii = 0;
    while (ascii < n && u[ascii] < 0x80)
        ++ascii;
    if (ascii == n) {
        out.bytes = text.toLatin1();
        return out;
    }
    out.bytes.reserve(n * 2);
    out.charOfByte.reserve(size_t(n) * 2);
    out.bytes.append(text.left(ascii).toLatin1());
    for (qsizetype k = 0; k < ascii; ++k)
        out.charOfByte.push_back(int(k));
    unsigned char buf[4];
    for (qsizetype i = ascii; i < n; ++i) {
        char32_t c = u[i];
        if (c < 0x80) {
            out.bytes.append(char(c));
            out.charOfByte.push_back(int(i));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(u[i + 1])) {
            c = QChar::surrogateToUcs4(char16_t(c), u[i + 1]);
            ++i;
        }
        const int len = LocalEncoding::encodeCodePoint(c, buf);
        for (int k = 0; k < len; ++k) {
            out.bytes.append(char(k > 0 && buf[k] < 0x80 ? 0x80 : buf[k]));
            out.charOfByte.push_back(int(i));
        }
    }
    return out;
}

} // namespace

bool isSentenceParagraph(const QString &paragraph)
{
    for (QChar ch : paragraph) {
        const char16_t c = ch.unicode();
        if (c == '.' || c == '?' || c == '!' || c == 0x3002 || c == 0xFF1F || c == 0xFF01)
            return true;
    }
    return false;
}

QList<int> splitSentenceBytes(const QByteArray &bytes)
{
    QList<int> ends;
    const qsizetype n = bytes.size();
    if (n == 0)
        return ends;
    const Byte *b = reinterpret_cast<const Byte *>(bytes.constData());
    std::vector<Byte> prot(size_t(n), 0);
    protectAbbreviationsAndEmoticons(b, n, prot.data());
    protectWebAddresses(b, n, prot.data());
    protectDomainNames(b, n, prot.data());
    protectMailAddresses(b, n, prot.data());

    collectEnds(b, n, prot.data(), ends);
    if (ends.size() > 1) {
        const int last = ends.last();
        qsizetype kept = 0;
        for (qsizetype k = 0; k + 1 < ends.size(); ++k) {
            if (!dropEnd(b, n, ends.at(k)))
                ends[kept++] = ends.at(k);
        }
        ends.resize(kept);
        ends.append(last);
    }
    if (ends.isEmpty() || ends.last() != n - 1)
        ends.append(int(n - 1));
    const qsizetype plain = ends.size();
    appendChineseMarks(b, n, ends);
    if (ends.size() > plain)
        std::sort(ends.begin(), ends.end());
    return ends;
}

QList<int> splitSentences(const QString &paragraph)
{
    if (paragraph.isEmpty())
        return {};
    const SplitterText text = toSplitterText(paragraph);
    QList<int> ends = splitSentenceBytes(text.bytes);
    if (text.charOfByte.empty())
        return ends;

    // Byte offsets to character offsets. An end inside a character can only
    // come from a Chinese mark matched across two characters, which is no
    // mark at all, or be the paragraph's last byte. A Chinese ellipsis is two
    // characters and closes its sentence with both.
    const Byte *b = reinterpret_cast<const Byte *>(text.bytes.constData());
    const qsizetype n = text.bytes.size();
    const std::vector<int> &charOf = text.charOfByte;
    QList<int> mapped;
    mapped.reserve(ends.size());
    for (int e : ends) {
        const bool charStart = e == 0 || charOf[size_t(e)] != charOf[size_t(e) - 1];
        if (!charStart && e != n - 1)
            continue;
        int c = charOf[size_t(e)];
        if (charStart && e + 3 < n && b[e] == 0xA1 && b[e + 1] == 0xAD && b[e + 2] == 0xA1
            && b[e + 3] == 0xAD)
            c = charOf[size_t(e) + 2];
        if (mapped.isEmpty() || c > mapped.last())
            mapped.append(c);
    }
    return mapped;
}

QList<QByteArray> splitWordBytes(const QByteArray &bytes)
{
    QList<QByteArray> words;
    const Byte *b = reinterpret_cast<const Byte *>(bytes.constData());
    const qsizetype n = bytes.size();
    auto isWordByte = [](Byte c) { return isLetter(c) || isDigit(c) || c >= 0x80; };
    qsizetype start = 0;
    while (start <= n) {
        qsizetype stop = start;
        while (stop < n && b[stop] != ' ')
            ++stop;
        qsizetype first = start;
        qsizetype last = stop;
        while (first < last && !isWordByte(b[first]))
            ++first;
        while (last > first && !isWordByte(b[last - 1]))
            --last;
        if (last > first)
            words.append(bytes.mid(first, last - first));
        start = stop + 1;
    }
    return words;
}

int countWords(const QString &text)
{
    return int(splitWordBytes(LocalEncoding::encode(text)).size());
}

QByteArray toLocal8Bit(const QString &text)
{
    return LocalEncoding::encode(text);
}

} // namespace ZeltraLib
