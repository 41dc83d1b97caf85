#include "patternautomaton.h"

#include <QRandomGenerator>
#include <QTest>

using namespace ZeltraLib;

using Match = QPair<int, int>; // pattern index, last byte

namespace {

QList<Match> naiveMatches(const QList<QByteArray> &patterns, const QByteArray &text)
{
    QList<Match> out;
    for (int last = 0; last < text.size(); ++last) {
        for (int p = 0; p < patterns.size(); ++p) {
            const int start = last - int(patterns.at(p).size()) + 1;
            if (start >= 0 && text.mid(start, patterns.at(p).size()) == patterns.at(p))
                out.append({p, last});
        }
    }
    return out;
}

QList<Match> scanAll(const PatternAutomaton &automaton, const QByteArray &text,
                     const QList<int> &cuts)
{
    QList<Match> out;
    const auto *b = reinterpret_cast<const unsigned char *>(text.constData());
    quint32 state = 0;
    int from = 0;
    for (int cut : cuts + QList<int>{int(text.size())}) {
        automaton.scan(b, from, cut, state, [&](int p, qsizetype last) { out.append({p, int(last)}); });
        from = cut;
    }
    std::sort(out.begin(), out.end(), [](const Match &a, const Match &b) {
        return a.second != b.second ? a.second < b.second : a.first < b.first;
    });
    return out;
}

} // namespace

class TestPatternAutomaton : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matches_data();
    void matches();
    void randomTexts();
};

void TestPatternAutomaton::matches_data()
{
    QTest::addColumn<QList<QByteArray>>("patterns");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<int>>("cuts");
    const QList<QByteArray> classic = {"he", "she", "his", "hers"};
    QTest::newRow("overlapping and nested") << classic << QByteArray("ushers") << QList<int>{};
    QTest::newRow("state carried across ranges") << classic << QByteArray("ushers")
                                                 << QList<int>{1, 2, 3};
    QTest::newRow("self-overlapping pattern") << QList<QByteArray>{"-.-", "p.p."}
                                              << QByteArray("-.-.-p.p.p.") << QList<int>{4};
    QTest::newRow("bytes outside every pattern")
        << QList<QByteArray>{"Dr.", "r."} << QByteArray("\xFF\x80" "Dr.\x00r.", 8) << QList<int>{};
    QTest::newRow("empty text") << classic << QByteArray() << QList<int>{};
    QTest::newRow("no patterns") << QList<QByteArray>{} << QByteArray("abc") << QList<int>{};
}

void TestPatternAutomaton::matches()
{
    QFETCH(QList<QByteArray>, patterns);
    QFETCH(QByteArray, text);
    QFETCH(QList<int>, cuts);
    const PatternAutomaton automaton(patterns);
    QCOMPARE(scanAll(automaton, text, cuts), naiveMatches(patterns, text));
}

void TestPatternAutomaton::randomTexts()
{
    QRandomGenerator rng(4242);
    for (int round = 0; round < 200; ++round) {
        QList<QByteArray> patterns;
        for (int k = rng.bounded(1, 12); k > 0; --k) {
            QByteArray p;
            for (int len = rng.bounded(1, 6); len > 0; --len)
                p += char('a' + rng.bounded(3));
            if (!patterns.contains(p))
                patterns.append(p);
        }
        QByteArray text;
        for (int len = rng.bounded(0, 200); len > 0; --len)
            text += char('a' + rng.bounded(4));
        const QList<int> cuts = text.isEmpty() ? QList<int>{} : QList<int>{int(text.size()) / 2};
        QCOMPARE(scanAll(PatternAutomaton(patterns), text, cuts), naiveMatches(patterns, text));
    }
}

QTEST_GUILESS_MAIN(TestPatternAutomaton)
#include "tst_patternautomaton.moc"
