#include "localencoding.h"
#include "sentencesplitter.h"
#include "splittertables.h"
#include "splittertext.h"

#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTest>

#include <algorithm>
#include <cctype>
#include <cstring>

using namespace ZeltraLib;

namespace {

// ---------------------------------------------------------------------------
// Reference splitter: every table entry searched on its own, in table order,
// protected positions in a sorted list. Slow and plain; the engine's one-pass
// splitter must give the same ends for every text.

bool refLetter(uchar b) { return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z'); }
bool refDigit(uchar b) { return b >= '0' && b <= '9'; }
bool refSpace(uchar b) { return b < 0x80 && std::isspace(b); }

QList<int> referenceSplitBytes(const QByteArray &t)
{
    const int n = int(t.size());
    if (n == 0)
        return {};
    auto at = [&](int i) { return uchar(t.at(i)); };
    QList<int> prot;
    auto protectMarks = [&](int from, int to, const char *marks) { // [from, to)
        for (int k = from; k < to; ++k) {
            if (std::strchr(marks, t.at(k)) && t.at(k) != '\0')
                prot.append(k);
        }
    };

    for (const QByteArray &raw : SplitterTables::abbreviations()) {
        const QByteArray entry = raw.trimmed();
        const int d = int(entry.size());
        for (int pos = int(t.indexOf(entry)); pos >= 0; pos = int(t.indexOf(entry, pos + d))) {
            bool skip = false;
            if (pos > 0 && (refLetter(at(pos - 1)) || refDigit(at(pos - 1))))
                skip = true;
            if (pos > 0 && at(pos - 1) == '\'' && d == 2)
                skip = true;
            if (entry == "No.") {
                const bool digitNext = pos + 3 < n && refDigit(at(pos + 3));
                const bool spaceDigit = pos + 4 < n && at(pos + 3) == ' ' && refDigit(at(pos + 4));
                if (!digitNext && !spaceDigit)
                    skip = true;
            }
            if (!skip)
                protectMarks(pos, pos + d, ".");
        }
    }
    auto urlByte = [](uchar b) {
        return b == '!' || b == '#' || b == '%' || b == '+' || (b >= '-' && b <= ';') || b == '='
            || (b >= '?' && b <= 'Z') || b == '_' || (b >= 'a' && b <= 'z') || b == '~';
    };
    for (const QByteArray &scheme : SplitterTables::schemes()) {
        int pos = int(t.indexOf(scheme));
        while (pos >= 0) {
            int end = pos + int(scheme.size());
            while (end < n && urlByte(at(end)))
                ++end;
            while (end > pos && (at(end - 1) == '.' || at(end - 1) == '?'))
                --end;
            if (end - pos > 8)
                protectMarks(pos, end, ".?!");
            pos = int(t.indexOf(scheme, end - 1));
        }
    }
    auto domainByte = [](uchar b) {
        return (b >= '-' && b <= ';') || (b >= '?' && b <= 'Z') || (b >= 'a' && b <= 'z');
    };
    for (const QByteArray &suffix : SplitterTables::domainSuffixes()) {
        const int len = int(suffix.size());
        for (int pos = int(t.indexOf(suffix)); pos >= 0; pos = int(t.indexOf(suffix, pos + len))) {
            const int after = pos + len;
            if (after < n && (refLetter(at(after)) || refDigit(at(after)) || at(after) >= 0x80))
                continue;
            int start = pos;
            while (start > 0 && domainByte(at(start - 1)))
                --start;
            protectMarks(start, pos + 1, ".?!");
        }
    }
    auto mailByte = [](uchar b) {
        return b == '-' || b == '.' || b == '_' || refDigit(b) || refLetter(b);
    };
    for (int i = 0; i < n; ++i) {
        if (at(i) != '@')
            continue;
        int start = i;
        while (start > 0 && mailByte(at(start - 1)))
            --start;
        int end = i + 1;
        while (end < n && mailByte(at(end)))
            ++end;
        while (end > i + 1 && at(end - 1) == '.')
            --end;
        if (start < i && end > i + 1)
            protectMarks(start, end, ".");
    }
    for (const QByteArray &raw : SplitterTables::emoticons()) {
        const QByteArray entry = raw.trimmed();
        const int d = int(entry.size());
        for (int pos = int(t.indexOf(entry)); pos >= 0; pos = int(t.indexOf(entry, pos + d)))
            protectMarks(pos, pos + d, ".?!");
    }
    std::sort(prot.begin(), prot.end());

    QList<int> ends;
    for (int c = 0; c < n; ++c) {
        const uchar b = at(c);
        if (b != '.' && b != '!' && b != '?')
            continue;
        if (std::binary_search(prot.begin(), prot.end(), c))
            continue;
        if (b == '.' && c > 0 && c < n - 1 && refDigit(at(c - 1)) && refDigit(at(c + 1)))
            continue;
        int j = c;
        while (j < n && QByteArray(".?!\"')]}").contains(char(at(j))))
            ++j;
        int e;
        if (j == n)
            e = n - 1;
        else if (j == n - 1 || refSpace(at(j)))
            e = j;
        else
            e = j - 1;
        ends.append(e);
    }
    ends.erase(std::unique(ends.begin(), ends.end()), ends.end());
    QList<int> kept;
    for (int k = 0; k < ends.size(); ++k) {
        const int e = ends.at(k);
        if (k + 1 < ends.size()) {
            const bool lowerAfter = e + 1 < n && at(e + 1) >= 'a' && at(e + 1) <= 'z';
            if (e >= 1 && at(e - 1) == '"' && lowerAfter)
                continue;
            if (e >= 4 && t.mid(e - 3, 3) == "..." && lowerAfter)
                continue;
            if (e < n && !refSpace(at(e)) && !QByteArray(".!?\"").contains(char(at(e))))
                continue;
            if (e >= 1 && at(e - 1) == ')' && e + 1 < n && !(at(e + 1) >= 'A' && at(e + 1) <= 'Z'))
                continue;
        }
        kept.append(e);
    }
    ends = kept;
    if (ends.isEmpty() || ends.last() != n - 1)
        ends.append(n - 1);
    const QByteArray marks[] = {"\xA1\xA3", "\xA3\xA1", "\xA1\xAD\xA1\xAD", "\xA3\xBF"};
    for (const QByteArray &mark : marks) {
        const int len = int(mark.size());
        for (int pos = int(t.indexOf(mark)); pos >= 0; pos = int(t.indexOf(mark, pos + len)))
            ends.append(pos);
    }
    std::sort(ends.begin(), ends.end());
    return ends;
}

// Reference for whole paragraphs: each character encoded on its own by Qt's
// converter, ASCII-range trail bytes masked, ends inside a character dropped
// (except the last byte), the Chinese ellipsis closed after its second
// character, byte ends turned into character indexes.
QList<int> referenceSplit(const QString &text)
{
    QByteArray bytes;
    QList<int> charOf;
    for (int i = 0; i < text.size(); ++i) {
        QString piece(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            piece += text.at(++i);
        QStringEncoder encoder("GB18030");
        const QByteArray encoded = encoder.encode(piece);
        for (int k = 0; k < encoded.size(); ++k) {
            const uchar b = uchar(encoded.at(k));
            bytes.append(char(k > 0 && b < 0x80 ? 0x80 : b));
            charOf.append(i); // the character's last unit
        }
    }
    const QList<int> byteEnds = referenceSplitBytes(bytes);
    QList<int> ends;
    for (int e : byteEnds) {
        const bool start = e == 0 || charOf.at(e) != charOf.at(e - 1);
        if (!start && e != bytes.size() - 1)
            continue;
        int c = charOf.at(e);
        if (start && bytes.mid(e, 4) == "\xA1\xAD\xA1\xAD")
            c = charOf.at(e + 2);
        if (ends.isEmpty() || c > ends.last())
            ends.append(c);
    }
    return ends;
}

QStringList sentencesOf(const QString &text, const QList<int> &ends)
{
    QStringList out;
    int start = 0;
    for (int e : ends) {
        out.append(text.mid(start, e + 1 - start));
        start = e + 1;
    }
    return out;
}

// Ends every valid result has: strictly ascending, inside, the last one last.
void verifyShape(const QList<int> &ends, qsizetype size)
{
    QVERIFY(!ends.isEmpty());
    QCOMPARE(ends.last(), int(size - 1));
    QVERIFY(ends.first() >= 0);
    for (qsizetype k = 1; k < ends.size(); ++k)
        QVERIFY2(ends.at(k - 1) < ends.at(k), qPrintable(QStringLiteral("at %1").arg(k)));
}

// Random texts built from pieces that reach every detector and rule.
QByteArray randomBytes(QRandomGenerator &rng)
{
    static const QList<QByteArray> pieces = {
        " ", " ", " ", "  ", "\t", "\n", ".", ".", "..", "...", "!", "?", "\"", "'", ")", "]", "}",
        "(", "word", "Word", "He", "the", "x", "3", "42", "3.14", "No.", "No. 5", "No.5", "No. x",
        "http://", "HTTPS://", "ftp://", "telnet://", "www", ".com", ".cn", ".Org", ".uk", ".HK",
        "/a?b=c.d", "#x", "~u", "@", "a@b", "mail.me", "_", "-", ".net", "\xA1\xA3", "\xA3\xA1",
        "\xA3\xBF", "\xA1\xAD", "\xA1\xAD\xA1\xAD", "\xB0\xA1", "\xD5\x66", "\x94\x39\xFC\x36",
        "-.-", "p.p.", "^^", "e.g.", "i.e.", "U. S.", "Todd & B.", "R. C. Ch."};
    QByteArray text;
    const int count = rng.bounded(1, 40);
    for (int k = 0; k < count; ++k) {
        switch (rng.bounded(6)) {
        case 0: {
            const QList<QByteArray> &abbr = SplitterTables::abbreviations();
            text += abbr.at(rng.bounded(int(abbr.size())));
            break;
        }
        case 1: {
            const QList<QByteArray> &emo = SplitterTables::emoticons();
            text += emo.at(rng.bounded(int(emo.size())));
            break;
        }
        case 2:
            text += char(rng.bounded(256));
            break;
        default:
            text += pieces.at(rng.bounded(int(pieces.size())));
        }
    }
    return text;
}

QString randomParagraph(QRandomGenerator &rng)
{
    static const QStringList pieces = {
        " ", " ", ".", "...", "!", "?", "\"", ")", "word", "Dr.", "No. 5", "3.14",
        "http://a.example.com/x?y.", "mail@host.net", QStringLiteral("你好"), QStringLiteral("。"),
        QStringLiteral("！"), QStringLiteral("？"), QStringLiteral("……"), QStringLiteral("…"),
        QStringLiteral("說"), QStringLiteral("這"), QStringLiteral("啊"), QStringLiteral("Ａ"),
        QStringLiteral("😀"), QStringLiteral("𠀀"), QStringLiteral("é"), QStringLiteral("“"),
        QStringLiteral("”"), QStringLiteral("\u3000"), QStringLiteral("(^_^)"), QStringLiteral("）"),
        QStringLiteral("」"), QStringLiteral("Inc."), QStringLiteral("U.K."), QStringLiteral(" I said"),
        QStringLiteral(" The"), QStringLiteral(" in"), QStringLiteral("a.m.")};
    QString text;
    const int count = rng.bounded(1, 30);
    for (int k = 0; k < count; ++k)
        text += pieces.at(rng.bounded(int(pieces.size())));
    return text;
}

} // namespace

class TestSentenceSplitter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tables();
    void sentences_data();
    void sentences();
    void boundaries_data();
    void boundaries();
    void sentenceParagraph_data();
    void sentenceParagraph();
    void matchesReferenceOnBytes();
    void matchesReferenceOnParagraphs();
    void largeInput_data();
    void largeInput();
    void garbageBytes();
    void encoding_data();
    void encoding();
    void countWords_data();
    void countWords();
};

void TestSentenceSplitter::tables()
{
    QCOMPARE(SplitterTables::abbreviations().size(), 516);
    QCOMPARE(SplitterTables::schemes().size(), 12);
    QCOMPARE(SplitterTables::domainSuffixes().size(), 24);
    QCOMPARE(SplitterTables::emoticons().size(), 55);
    QCOMPARE(SplitterTables::abbreviations().first(), QByteArray("A."));
    QCOMPARE(SplitterTables::abbreviations().last(), QByteArray("Zeph."));
    QVERIFY(SplitterTables::abbreviations().contains("Todd & B."));
    QVERIFY(SplitterTables::abbreviations().contains("Serb"));
    QCOMPARE(SplitterTables::emoticons().at(29), QByteArray("(>'_')>~(\\)"));
    QCOMPARE(SplitterTables::emoticons().at(47), QByteArray("(\")(-_-)(\")"));
    QCOMPARE(SplitterTables::emoticons().last(), QByteArray(":>"));
    for (const QByteArray &e : SplitterTables::abbreviations())
        QCOMPARE(e.trimmed(), e);
}

void TestSentenceSplitter::sentences_data()
{
    QTest::addColumn<QString>("paragraph");
    QTest::addColumn<QStringList>("expected");

    auto row = [](const char *name, const QString &p, const QStringList &s) {
        QTest::newRow(name) << p << s;
    };
    row("decimal point and abbreviation dots are no ends", "He arrived at 3.14 p.m. and left.",
        {"He arrived at 3.14 p.m. and left."});
    row("web address, then a full stop ends the sentence",
        "See http://www.example.com/page?id=42. Then go.",
        {"See http://www.example.com/page?id=42. ", "Then go."});
    row("question mark and dots inside an address are no ends",
        "Try https://a.b.example.org/x?q=1!z now. Ok",
        {"Try https://a.b.example.org/x?q=1!z now. ", "Ok"});
    row("e-mail address, then a full stop ends the sentence",
        "Write to john.smith@mail.example.net. Thanks.",
        {"Write to john.smith@mail.example.net. ", "Thanks."});
    row("domain name without scheme", "Visit www.example.com. It works.",
        {"Visit www.example.com. ", "It works."});
    row("short domain name", "Go to it.cn now. Ok", {"Go to it.cn now. ", "Ok"});
    row("suffix followed by a letter is no domain", "Go to it.cnx now. Ok",
        {"Go to it.", "cnx now. ", "Ok"});
    row("quote then lower-case word is no end", "He said \"Stop.\" then left.",
        {"He said \"Stop.\" then left."});
    row("quote then upper-case word is an end", "He said \"Stop.\" Then left.",
        {"He said \"Stop.\" ", "Then left."});
    row("ellipsis before a lower-case word is no end", "Wait... and see. Done",
        {"Wait... and see. ", "Done"});
    row("No. before a number is protected", "No. 5 is here.", {"No. 5 is here."});
    row("No. before a word is an end", "Say No. Then stop.", {"Say No. ", "Then stop."});
    row("No. directly before a digit", "Take No.5 now. Go.", {"Take No.5 now. ", "Go."});
    row("every sentence keeps its single space", "One. Two! Three? Four",
        {"One. ", "Two! ", "Three? ", "Four"});
    row("abbreviation after a letter is an end", "It was a dog. Dr. Li came.",
        {"It was a dog. ", "Dr. Li came."});
    row("abbreviation after an apostrophe, two bytes", "It's 'a. Next one.",
        {"It's 'a. ", "Next one."});
    row("emoticon marks are no ends", "Fine (-.-) really. Yes", {"Fine (-.-) really. ", "Yes"});
    row("closing bracket before lower case is no end", "See (it.) and more. Yes",
        {"See (it.) and more. ", "Yes"});
    row("closing bracket glued to a word is no end", "See (it.)x more. Yes",
        {"See (it.)x more. ", "Yes"});
    row("marks at the very end stay in the last sentence", "Really?!\")", {"Really?!\")"});
    row("a mark then one last byte", "End.x", {"End.x"});
    row("leading dots", "... Yes", {"... ", "Yes"});
    row("only marks", "?!.", {"?!."});
    row("single character", "a", {"a"});
    row("Chinese full stop and exclamation mark", QStringLiteral("你好。世界！"),
        {QStringLiteral("你好。"), QStringLiteral("世界！")});
    row("Chinese question mark, then English", QStringLiteral("是吗？Yes. No"),
        {QStringLiteral("是吗？"), QStringLiteral("Yes. "), QStringLiteral("No")});
    row("Chinese ellipsis closes after both characters", QStringLiteral("等等……然后呢？好"),
        {QStringLiteral("等等……"), QStringLiteral("然后呢？"), QStringLiteral("好")});
    row("a single ellipsis character is no end", QStringLiteral("Well… yes. Ok"),
        {QStringLiteral("Well… yes. "), QStringLiteral("Ok")});
    row("offsets after Chinese text", QStringLiteral("中文句子 here. Then more."),
        {QStringLiteral("中文句子 here. "), QStringLiteral("Then more.")});
    row("offsets after a character outside the BMP", QStringLiteral("I like 😀. You too."),
        {QStringLiteral("I like 😀. "), QStringLiteral("You too.")});
    row("Chinese mark after a character outside the BMP", QStringLiteral("𠀀。Next."),
        {QStringLiteral("𠀀。"), QStringLiteral("Next.")});
    row("a character outside the BMP ends the paragraph", QStringLiteral("Yes. 𠀀"),
        {QStringLiteral("Yes. "), QStringLiteral("𠀀")});
    row("trail byte that looks like a letter starts no abbreviation",
        QStringLiteral("他說. Then he left."), {QStringLiteral("他說. "), QStringLiteral("Then he left.")});
    row("mark bytes across two characters are no mark", QStringLiteral("啊Ａ is one. Two"),
        {QStringLiteral("啊Ａ is one. "), QStringLiteral("Two")});
    row("paragraph ending in a Chinese mark", QStringLiteral("Hi. 好。"),
        {QStringLiteral("Hi. "), QStringLiteral("好。")});
    row("unpaired surrogate counts as one character",
        QStringLiteral("Hi") + QChar(0xD800) + QStringLiteral(". B."),
        {QStringLiteral("Hi") + QChar(0xD800) + QStringLiteral(". "), QStringLiteral("B.")});
}

void TestSentenceSplitter::sentences()
{
    QFETCH(QString, paragraph);
    QFETCH(QStringList, expected);
    const QList<int> ends = splitSentences(paragraph);
    verifyShape(ends, paragraph.size());
    QCOMPARE(sentencesOf(paragraph, ends), expected);
    QCOMPARE(ends, referenceSplit(paragraph));
}

// Closing quotes and brackets, quotations and abbreviations, each with look-alikes
// that must split the other way.
void TestSentenceSplitter::boundaries_data()
{
    QTest::addColumn<QString>("paragraph");
    QTest::addColumn<QStringList>("expected");
    auto row = [](const char *name, const QString &p, const QStringList &s) {
        QTest::newRow(name) << p << s;
    };
    // Closers of every width stay with their sentence.
    row("fullwidth closing quote after a Chinese full stop",
        QStringLiteral("He said：“我很好。”And left."),
        {QStringLiteral("He said：“我很好。”"), QStringLiteral("And left.")});
    row("ASCII closing quote after a Chinese full stop", QStringLiteral("他说\"好。\"Then left."),
        {QStringLiteral("他说\"好。\""), QStringLiteral("Then left.")});
    row("curly quote after a full stop keeps its space",
        QStringLiteral("“I am fine.” Then he left."),
        {QStringLiteral("“I am fine.” "), QStringLiteral("Then he left.")});
    row("corner bracket and fullwidth bracket", QStringLiteral("（他说「好！」）然后走了。"),
        {QStringLiteral("（他说「好！」）"), QStringLiteral("然后走了。")});
    row("question mark inside a book title is no end", QStringLiteral("你读过《谁？》吗？读过。"),
        {QStringLiteral("你读过《谁？》吗？"), QStringLiteral("读过。")});
    row("ASCII quotes as before", QStringLiteral("He said \"Fine.\" And left."),
        {QStringLiteral("He said \"Fine.\" "), QStringLiteral("And left.")});
    row("opening quote of the next sentence stays there", QStringLiteral("好。“Next.”"),
        {QStringLiteral("好。"), QStringLiteral("“Next.”")});
    row("closer after an emoji keeps the pair whole", QStringLiteral("Great 😀!” Then."),
        {QStringLiteral("Great 😀!” "), QStringLiteral("Then.")});

    // Quotations go on into a lower-case word or a reporting clause.
    row("exclamation in quotes, then I said", QStringLiteral("\"Yes!\" I said."),
        {QStringLiteral("\"Yes!\" I said.")});
    row("question in curly quotes, then a name and a verb",
        QStringLiteral("“Why?” Tom asked. We left."),
        {QStringLiteral("“Why?” Tom asked. "), QStringLiteral("We left.")});
    row("curly quotes, then a lower-case word", QStringLiteral("“Stop.” he said."),
        {QStringLiteral("“Stop.” he said.")});
    row("fullwidth quotes, then a lower-case word", QStringLiteral("“好！”she cried."),
        {QStringLiteral("“好！”she cried.")});
    row("exclamation in quotes, then a new sentence", QStringLiteral("\"Yes!\" I left early."),
        {QStringLiteral("\"Yes!\" "), QStringLiteral("I left early.")});
    row("exclamation in quotes, then a name doing something else",
        QStringLiteral("\"Run!\" Tom ran away."), {QStringLiteral("\"Run!\" "), QStringLiteral("Tom ran away.")});
    row("full stop in quotes, then I said, ends", QStringLiteral("\"Fine.\" I said it."),
        {QStringLiteral("\"Fine.\" "), QStringLiteral("I said it.")});
    row("exclamation without quotes, then I said", QStringLiteral("Yes! I said it."),
        {QStringLiteral("Yes! "), QStringLiteral("I said it.")});
    row("starter word is no name", QStringLiteral("\"Go!\" The said."),
        {QStringLiteral("\"Go!\" "), QStringLiteral("The said.")});

    // Abbreviations: ends or not by what follows.
    row("company before a lower-case word", QStringLiteral("Apple Inc. in Beijing."),
        {QStringLiteral("Apple Inc. in Beijing.")});
    row("company before a capital", QStringLiteral("I work for Apple Inc. The pay is good."),
        {QStringLiteral("I work for Apple Inc. "), QStringLiteral("The pay is good.")});
    row("time before a capital", QStringLiteral("We met at 5 a.m. The sun rose."),
        {QStringLiteral("We met at 5 a.m. "), QStringLiteral("The sun rose.")});
    row("time before a lower-case word", QStringLiteral("At 5 a.m. we met."),
        {QStringLiteral("At 5 a.m. we met.")});
    row("time before a number", QStringLiteral("From 9 a.m. 5 days a week."),
        {QStringLiteral("From 9 a.m. 5 days a week.")});
    row("place name before a title", QStringLiteral("He lives in the U.K. Prof. Li knows him."),
        {QStringLiteral("He lives in the U.K. "), QStringLiteral("Prof. Li knows him.")});
    row("place name before a starter", QStringLiteral("She left the U.S. The end."),
        {QStringLiteral("She left the U.S. "), QStringLiteral("The end.")});
    row("place name before a noun", QStringLiteral("The U.S. Army came."),
        {QStringLiteral("The U.S. Army came.")});
    row("place name before a lower-case word", QStringLiteral("The U.K. is small."),
        {QStringLiteral("The U.K. is small.")});
    row("title before a name", QStringLiteral("Prof. Li and Dr. Wang came. Mr. Smith too."),
        {QStringLiteral("Prof. Li and Dr. Wang came. "), QStringLiteral("Mr. Smith too.")});
    row("title before a starter word", QStringLiteral("Ask Dr. Then go."),
        {QStringLiteral("Ask Dr. Then go.")});
    row("initials before a surname", QStringLiteral("J. K. Rowling wrote it."),
        {QStringLiteral("J. K. Rowling wrote it.")});
    row("a grade before a starter", QStringLiteral("I got an A. The test was easy."),
        {QStringLiteral("I got an A. "), QStringLiteral("The test was easy.")});
    row("lower-case table word before a capital", QStringLiteral("The room was dim. She left."),
        {QStringLiteral("The room was dim. "), QStringLiteral("She left.")});
    row("e.g. before a capital", QStringLiteral("Cities, e.g. Beijing, grow."),
        {QStringLiteral("Cities, e.g. Beijing, grow.")});
    row("etc. before an opening quote and a capital",
        QStringLiteral("Pens, books etc. \"The rest\" stayed."),
        {QStringLiteral("Pens, books etc. "), QStringLiteral("\"The rest\" stayed.")});
    row("No. before a number", QStringLiteral("No. 5 is here."), {QStringLiteral("No. 5 is here.")});
    row("plain word before a lower-case word still ends", QStringLiteral("It was a dog. he came."),
        {QStringLiteral("It was a dog. "), QStringLiteral("he came.")});
    row("abbreviation after Chinese text", QStringLiteral("我在 Apple Inc. in 北京。你呢？"),
        {QStringLiteral("我在 Apple Inc. in 北京。"), QStringLiteral("你呢？")});
    row("abbreviation after a character outside the BMP",
        QStringLiteral("𠀀 at 5 p.m. The sun 😀 set. OK"),
        {QStringLiteral("𠀀 at 5 p.m. "), QStringLiteral("The sun 😀 set. "), QStringLiteral("OK")});
    row("abbreviation at the paragraph's end", QStringLiteral("He works at Apple Inc. "),
        {QStringLiteral("He works at Apple Inc. ")});
}

void TestSentenceSplitter::boundaries()
{
    QFETCH(QString, paragraph);
    QFETCH(QStringList, expected);
    const QList<int> ends = splitSentences(paragraph);
    verifyShape(ends, paragraph.size());
    QCOMPARE(sentencesOf(paragraph, ends), expected);
}

void TestSentenceSplitter::sentenceParagraph_data()
{
    QTest::addColumn<QString>("paragraph");
    QTest::addColumn<bool>("sentence");
    QTest::newRow("no marks: title") << QStringLiteral("A Title Without Marks") << false;
    QTest::newRow("Chinese without marks: title") << QStringLiteral("你好，世界") << false;
    QTest::newRow("comma and colon: title") << QStringLiteral("Part one: the start, again") << false;
    QTest::newRow("empty: title") << QString() << false;
    QTest::newRow("full stop") << QStringLiteral("End.") << true;
    QTest::newRow("question mark") << QStringLiteral("Why?") << true;
    QTest::newRow("exclamation mark") << QStringLiteral("Oh!") << true;
    QTest::newRow("ideographic full stop") << QStringLiteral("好。") << true;
    QTest::newRow("fullwidth question mark") << QStringLiteral("吗？") << true;
    QTest::newRow("fullwidth exclamation mark") << QStringLiteral("好！") << true;
    QTest::newRow("ellipsis alone: title") << QStringLiteral("等等……") << false;
}

void TestSentenceSplitter::sentenceParagraph()
{
    QFETCH(QString, paragraph);
    QFETCH(bool, sentence);
    QCOMPARE(isSentenceParagraph(paragraph), sentence);
}

void TestSentenceSplitter::matchesReferenceOnBytes()
{
    QRandomGenerator rng(20261208);
    for (int i = 0; i < 20000; ++i) {
        const QByteArray text = randomBytes(rng);
        const QList<int> fast = splitSentenceBytes(text);
        const QList<int> reference = referenceSplitBytes(text);
        if (fast != reference)
            qWarning() << "text" << text.toHex(' ');
        QCOMPARE(fast, reference);
    }
}

// The byte splitter's ends, as characters, match the reference; the settled ends
// keep the shape.
void TestSentenceSplitter::matchesReferenceOnParagraphs()
{
    QRandomGenerator rng(8121026);
    for (int i = 0; i < 5000; ++i) {
        const QString text = randomParagraph(rng);
        const SplitterText bytes(text);
        const QList<int> raw = bytes.toCharacterEnds(splitSentenceBytes(bytes.bytes()));
        if (raw != referenceSplit(text))
            qWarning() << "text" << text;
        QCOMPARE(raw, referenceSplit(text));
        verifyShape(splitSentences(text), text.size());
    }
}

void TestSentenceSplitter::largeInput_data()
{
    QTest::addColumn<QString>("paragraph");
    QTest::addColumn<int>("sentenceCount");
    const int size = 1 << 20;
    QTest::newRow("1 MB without spaces") << QString(size, QLatin1Char('a')) << 1;
    QTest::newRow("1 MB of dots") << QString(size, QLatin1Char('.')) << 1;
    QTest::newRow("1 MB of Chinese") << QString(size, QChar(0x4E2D)) << 1;
    QTest::newRow("1 MB of Chinese full stops") << QString(size, QChar(0x3002)) << size;
    QTest::newRow("1 MB of closing quotes after a mark")
        << QStringLiteral("Go!") + QString(size, QLatin1Char('"')) << 1;
    QTest::newRow("many addresses in one")
        << QStringLiteral("http://").repeated(size / 7) + QStringLiteral(" ok") << 1;
    QTest::newRow("one long domain name") << QStringLiteral("x.cn.").repeated(size / 5) << 1;
    QTest::newRow("mail signs") << QStringLiteral("a.b@").repeated(size / 4) << 1;
    // "-.-" is searched without overlap: every second dot stays an end.
    QTest::newRow("overlapping emoticons") << QStringLiteral("-.").repeated(size / 2) + "-"
                                           << size / 4;
    QTest::newRow("sentences") << QStringLiteral("Go. ").repeated(size / 4) << size / 4;
    // Abbreviations that end and that do not, between many other ends.
    QTest::newRow("abbreviations both ways")
        << QStringLiteral("At 5 a.m. The Inc. in x. ").repeated(size / 25) << 2 * (size / 25);
}

void TestSentenceSplitter::largeInput()
{
    QFETCH(QString, paragraph);
    QFETCH(int, sentenceCount);
    const QList<int> ends = splitSentences(paragraph);
    verifyShape(ends, paragraph.size());
    QCOMPARE(ends.size(), sentenceCount);
}

void TestSentenceSplitter::garbageBytes()
{
    QRandomGenerator rng(77);
    for (int round = 0; round < 50; ++round) {
        QByteArray bytes(rng.bounded(1, 4096), Qt::Uninitialized);
        for (char &c : bytes)
            c = char(rng.bounded(256));
        const QList<int> ends = splitSentenceBytes(bytes);
        verifyShape(ends, bytes.size());
        QCOMPARE(ends, referenceSplitBytes(bytes));
        // The same bytes read as Latin-1 text.
        const QString text = QString::fromLatin1(bytes);
        verifyShape(splitSentences(text), text.size());
    }
    QVERIFY(splitSentences(QString()).isEmpty());
    QVERIFY(splitSentenceBytes(QByteArray()).isEmpty());
}

void TestSentenceSplitter::encoding_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ASCII") << QStringLiteral("Plain text, 123.");
    QTest::newRow("Chinese and marks") << QStringLiteral("你好。！？……說這啊Ａ");
    QTest::newRow("outside the BMP") << QStringLiteral("😀𠀀\U0010FFFD");
    QTest::newRow("Latin-1 and euro") << QStringLiteral("é€\u0080ÿ");
}

void TestSentenceSplitter::encoding()
{
    QFETCH(QString, text);
    QVERIFY(LocalEncoding::hasConverter());
    QStringEncoder encoder("GB18030");
    QCOMPARE(LocalEncoding::encode(text), encoder.encode(text));
    QCOMPARE(toLocal8Bit(text), LocalEncoding::encode(text));
}

void TestSentenceSplitter::countWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("words");
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("two words") << QStringLiteral("Hello world") << 2;
    QTest::newRow("runs of spaces") << QStringLiteral("  Hello   world  ") << 2;
    QTest::newRow("punctuation only") << QStringLiteral("--- ... !!! \"\"") << 0;
    QTest::newRow("punctuation stripped, inner kept") << QStringLiteral("(don't) e-mail, ok.") << 3;
    QTest::newRow("Chinese words") << QStringLiteral("你好 世界。") << 2;
    QTest::newRow("only single spaces split") << QStringLiteral("a\tb\nc d") << 2;
    QTest::newRow("numbers") << QStringLiteral("3.14 and 42") << 3;
    QTest::newRow("emoji is a word") << QStringLiteral("ok 😀") << 2;
}

void TestSentenceSplitter::countWords()
{
    QFETCH(QString, text);
    QFETCH(int, words);
    QCOMPARE(ZeltraLib::countWords(text), words);
    QCOMPARE(int(splitWordBytes(text.toUtf8()).size()), words);
}

QTEST_GUILESS_MAIN(TestSentenceSplitter)
#include "tst_sentencesplitter.moc"
