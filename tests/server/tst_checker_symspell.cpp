// The symmetric-delete index against a brute-force search: every word within distance 2
// of a query is found, for short words, repeated letters, words longer than the indexed
// prefix and bytes of non-ASCII text.

#include "editdistance.h"
#include "symspellindex.h"

#include <QtTest>

#include <set>
#include <string>
#include <vector>

using PennovaChecker::EditDistance;
using PennovaChecker::SymSpellIndex;

namespace {
// The word with each one (and, with `twice`, each two) of its bytes deleted, each pair
// of neighbours swapped and an 'x' put before each byte.
std::set<std::string> edits(const std::string &word, bool twice)
{
    std::set<std::string> out{word};
    for (std::size_t i = 0; i < word.size(); ++i) {
        std::string deleted = word;
        deleted.erase(i, 1);
        out.insert(deleted);
        if (twice) {
            for (std::size_t j = i; j < deleted.size(); ++j)
                out.insert(std::string(deleted).erase(j, 1));
        }
        out.insert(std::string(word).insert(i, 1, 'x'));
        if (i + 1 < word.size()) {
            std::string swapped = word;
            std::swap(swapped[i], swapped[i + 1]);
            out.insert(swapped);
        }
    }
    out.erase(std::string());
    return out;
}
} // namespace

class TestCheckerSymSpell : public QObject
{
    Q_OBJECT

private slots:
    void findsEveryWordWithinTwo_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("twoEdits"); // queries two edits away too (words of at most 7 bytes)
        QTest::newRow("three to seven letters") << QStringList{"cat", "act", "cart", "crate", "trace", "react", "creates"}
                                                << true;
        QTest::newRow("repeated letters") << QStringList{"aaa", "aab", "aaaa", "abab", "coffee", "essence"} << true;
        QTest::newRow("longer than the indexed prefix")
            << QStringList{"international", "internationally", "interrupted", "internal", "interval"} << false;
        QTest::newRow("non-ASCII bytes") << QStringList{"café", "cafe", "naïve", "über", "façade"} << false;
    }

    void findsEveryWordWithinTwo()
    {
        QFETCH(QStringList, words);
        QFETCH(bool, twoEdits);
        SymSpellIndex index;
        std::vector<std::string> list;
        for (const QString &w : words) {
            list.push_back(w.toStdString());
            index.add(list.back(), 1);
        }
        index.build();
        std::set<std::string> queries{"zzzz"};
        for (const std::string &w : list)
            queries.merge(edits(w, twoEdits));
        for (const std::string &query : queries) {
            std::set<std::string> got;
            for (const SymSpellIndex::Hit &hit : index.lookup(query)) {
                got.insert(index.word(hit.word));
                QCOMPARE(hit.distance, EditDistance::damerau(query, index.word(hit.word), 2));
            }
            std::set<std::string> want;
            for (const std::string &w : list)
                if (EditDistance::damerau(query, w, 2) <= 2)
                    want.insert(w);
            QVERIFY2(got == want, query.c_str());
        }
    }

    // Words sharing trigrams with a query, best first: an indexed word ranks itself first,
    // the counts of one query never leak into the next, and an oversized query finds nothing.
    void similarWords_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("first"); // "" = nothing similar
        QTest::newRow("an indexed word") << "station" << "station";
        QTest::newRow("a letter doubled") << "nationn" << "nation";
        QTest::newRow("nothing alike") << "zzzzzz" << "";
        QTest::newRow("oversized") << QString(5000, QLatin1Char('a')) << "";
        QTest::newRow("non-ASCII bytes") << QStringLiteral("nationé") << "nation";
    }

    void similarWords()
    {
        QFETCH(QString, query);
        QFETCH(QString, first);
        const std::vector<std::string> list = {"nation", "station", "notion", "national", "cat", "aaaa"};
        SymSpellIndex index;
        for (const std::string &w : list)
            index.add(w, 1);
        index.build();
        const std::string q = query.toStdString();
        const std::vector<uint32_t> once = index.similar(q, 3);
        QCOMPARE(once.empty() ? QString() : QString::fromStdString(index.word(once.front())), first);
        // other queries in between leave the answer as it was
        for (const std::string &w : list)
            index.similar(w, 3);
        QCOMPARE(index.similar(q, 3), once);
        QVERIFY(once.size() <= 3);
    }
};

QTEST_GUILESS_MAIN(TestCheckerSymSpell)
#include "tst_checker_symspell.moc"
