#pragma once
// Tables of learner sentences for the checker tests: each row holds a sentence with an
// error, the text its finding must cover, the first candidate, the explanation page and a
// clean twin that must get no finding at all.

#include "checkerrecords.h"
#include "englishchecker.h"

#include <QtTest>

namespace LearnerTable {

inline Json::Value check(const PennovaChecker::EnglishChecker &checker, const QString &sentence, int confidence)
{
    return checker.checkSentence(0, sentence.toStdString(), 0, CheckerRecords::sentenceConfig(confidence), {});
}

inline void columns()
{
    QTest::addColumn<QString>("wrong");
    QTest::addColumn<QString>("span");
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<QString>("explain");
    QTest::addColumn<QString>("twin");
}

inline void row(const char *name, const char *wrong, const char *span, const char *candidate, const char *explain,
                const char *twin)
{
    QTest::newRow(name) << QString::fromUtf8(wrong) << QString::fromUtf8(span) << QString::fromUtf8(candidate)
                        << QString::fromUtf8(explain) << QString::fromUtf8(twin);
}

// The current row: the finding with its first candidate and a real explanation page, and a
// clean twin at the most sensitive confidence.
inline void verify(const PennovaChecker::EnglishChecker &checker)
{
    QFETCH(QString, wrong);
    QFETCH(QString, span);
    QFETCH(QString, candidate);
    QFETCH(QString, explain);
    QFETCH(QString, twin);
    const Json::Value record = check(checker, wrong, 2);
    bool found = false;
    for (const Json::Value &c : record["corrections"]) {
        if (CheckerRecords::covered(wrong, c) != span || QString::fromStdString(c["explainType"].asString()) != explain)
            continue;
        found = true;
        QCOMPARE(QString::fromStdString(c["candidates"][0u]["correction"].asString()), candidate);
        const QString page = QString::fromStdString(checker.explanationHtml("et=" + c["explainType"].asString()));
        QVERIFY2(!page.contains(QStringLiteral("暂无")), qPrintable(explain));
    }
    QVERIFY2(found, qPrintable(QStringLiteral("got: ") + CheckerRecords::describe(wrong, record)));
    const Json::Value clean = check(checker, twin, 3);
    QVERIFY2(clean["corrections"].empty(), qPrintable(twin + QStringLiteral(": ") + CheckerRecords::describe(twin, clean)));
}

// The current row's "sentence", right English that looks like an error, gets no finding.
inline void verifyClean(const PennovaChecker::EnglishChecker &checker)
{
    QFETCH(QString, sentence);
    const Json::Value record = check(checker, sentence, 3);
    QVERIFY2(record["corrections"].empty(), qPrintable(CheckerRecords::describe(sentence, record)));
}

} // namespace LearnerTable
