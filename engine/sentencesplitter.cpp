#include "sentencesplitter.h"

#include "localencoding.h"
#include "patternautomaton.h"
#include "sentenceboundaries.h"
#include "splittertables.h"
#include "splittertext.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

// Positions of the bytes every later step starts from: the sentence marks,
// ":" (web addresses), "@" (e-mail addresses) and the lead bytes of the Chinese
// marks. One pass, sixteen bytes at a time where the processor allows.
inline bool isAnchor(Byte c)
{
    return isMark(c) || c == ':' || c == '@' || c == 0xA1 || c == 0xA3;
}

void findAnchors(const Byte *b, qsizetype n, std::vector<int> &out)
{
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i dot = _mm_set1_epi8('.');
    const __m128i question = _mm_set1_epi8('?');
    const __m128i exclamation = _mm_set1_epi8('!');
    const __m128i colon = _mm_set1_epi8(':');
    const __m128i at = _mm_set1_epi8('@');
    const __m128i leadA1 = _mm_set1_epi8(char(0xA1));
    const __m128i leadA3 = _mm_set1_epi8(char(0xA3));
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + i));
        __m128i hit = _mm_or_si128(_mm_cmpeq_epi8(v, dot), _mm_cmpeq_epi8(v, question));
        hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, exclamation));
        hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, colon));
        hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, at));
        hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, leadA1));
        hit = _mm_or_si128(hit, _mm_cmpeq_epi8(v, leadA3));
        unsigned mask = unsigned(_mm_movemask_epi8(hit));
        while (mask) {
            out.push_back(int(i) + __builtin_ctz(mask));
            mask &= mask - 1;
        }
    }
#endif
    for (; i < n; ++i) {
        if (isAnchor(b[i]))
            out.push_back(int(i));
    }
}

// Step 1a and 1e. Each table entry is searched on its own, left to right,
// resuming behind an occurrence; only entries that overlap themselves need the
// resume position, the others never produce overlapping occurrences. Every
// entry holds a mark, so the automaton only reads the bytes within one entry
// length of a mark: an occurrence lies inside the window of each of its marks.
void protectAbbreviationsAndEmoticons(const Byte *b, qsizetype n,
                                      const std::vector<int> &anchors, Byte *prot)
{
    const Detectors &d = detectors();
    std::vector<qsizetype> resume(size_t(d.overlapSlots), 0);
    auto onMatch = [&](int index, qsizetype last) {
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
    };
    const qsizetype reach = d.automaton.maxPatternLength();
    qsizetype scanned = 0;
    quint32 state = 0;
    for (int i : anchors) {
        if (!isMark(b[i]))
            continue;
        const qsizetype to = qMin(n, i + reach);
        if (to <= scanned)
            continue;
        const qsizetype from = qMax<qsizetype>(0, i - reach + 1);
        if (from > scanned) {
            state = 0;
            scanned = from;
        }
        d.automaton.scan(b, scanned, to, state, onMatch);
        scanned = to;
    }
}

// Step 1b. At most one scheme fits before a given "://"; an occurrence inside an
// earlier address only yields a part of that address and changes nothing.
void protectWebAddresses(const Byte *b, qsizetype n, const std::vector<int> &anchors, Byte *prot)
{
    const QList<QByteArray> &schemes = SplitterTables::schemes();
    qsizetype covered = 0;
    for (int colon : anchors) {
        if (b[colon] != ':' || colon + 2 >= n || b[colon + 1] != '/' || b[colon + 2] != '/')
            continue;
        qsizetype start = -1;
        for (const QByteArray &scheme : schemes) { // each ends in "://"
            const qsizetype from = colon + 3 - scheme.size();
            if (from >= 0 && std::memcmp(b + from, scheme.constData(), size_t(scheme.size())) == 0) {
                start = from;
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
    }
}

// Step 1c. Names are walked back only to the last protected range: a longer walk
// would stay in the same name, whose start is protected already.
void protectDomainNames(const Byte *b, qsizetype n, const std::vector<int> &anchors, Byte *prot)
{
    const Detectors &d = detectors();
    qsizetype done = -1;
    for (int dot : anchors) {
        if (b[dot] != '.' || dot + 1 >= n)
            continue;
        qsizetype after = -1;
        for (const QByteArray &s : d.suffixesByFirst[b[dot + 1]]) {
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
void protectMailAddresses(const Byte *b, qsizetype n, const std::vector<int> &anchors, Byte *prot)
{
    for (int at : anchors) {
        if (b[at] != '@')
            continue;
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
void collectEnds(const Byte *b, qsizetype n, const std::vector<int> &anchors, const Byte *prot,
                 QList<int> &ends)
{
    qsizetype runEnd = -1; // first byte after the current run
    qsizetype end = -1;
    for (int i : anchors) {
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
void appendChineseMarks(const Byte *b, qsizetype n, const std::vector<int> &anchors,
                        QList<int> &ends)
{
    qsizetype ellipsisResume = 0;
    for (int i : anchors) {
        const Byte c = b[i];
        if ((c != 0xA1 && c != 0xA3) || i + 1 >= n)
            continue;
        const Byte next = b[i + 1];
        if ((c == 0xA1 && next == 0xA3) || (c == 0xA3 && (next == 0xA1 || next == 0xBF))) {
            ends.append(i);
        } else if (c == 0xA1 && next == 0xAD && i + 3 < n && b[i + 2] == 0xA1 && b[i + 3] == 0xAD
                   && i >= ellipsisResume) {
            ends.append(i);
            ellipsisResume = i + 4;
        }
    }
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
    Q_ASSERT(n < std::numeric_limits<int>::max());
    const Byte *b = reinterpret_cast<const Byte *>(bytes.constData());
    std::vector<int> anchors;
    anchors.reserve(size_t(n / 32 + 16));
    findAnchors(b, n, anchors);
    std::vector<Byte> prot(size_t(n), 0);
    protectAbbreviationsAndEmoticons(b, n, anchors, prot.data());
    protectWebAddresses(b, n, anchors, prot.data());
    protectDomainNames(b, n, anchors, prot.data());
    protectMailAddresses(b, n, anchors, prot.data());

    collectEnds(b, n, anchors, prot.data(), ends);
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
    appendChineseMarks(b, n, anchors, ends);
    if (ends.size() > plain)
        std::sort(ends.begin(), ends.end());
    return ends;
}

QList<int> splitSentences(const QString &paragraph)
{
    if (paragraph.isEmpty())
        return {};
    const SplitterText text(paragraph);
    return SentenceBoundaries::refine(paragraph, text.toCharacterEnds(splitSentenceBytes(text.bytes())));
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
