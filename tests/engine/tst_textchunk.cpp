#include "sentencechunk.h"
#include "titlechunk.h"

#include <QTest>

#include <memory>

using namespace ZeltraLib;


class TestTextChunk : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void configs_data();
    void configs();
    void appendsToExistingList();
    void equals_data();
    void equals();
    void createAndClone_data();
    void createAndClone();
};

void TestTextChunk::configs_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("confidence");
    QTest::addColumn<QStringList>("expected");
    const QStringList title = {"server.mor", "1", "server.spell", "2", "server.style", "4",
                               "server.dependency", "0", "server.grammar", "0", "server.rule", "0",
                               "server.real", "3", "server.det", "0", "server.confidence"};
    const QStringList sentence = {"server.style", "4", "server.spell", "2", "server.mor", "1",
                                  "server.dependency", "0", "server.grammar", "6", "server.rule",
                                  "7", "server.real", "3", "server.det", "5", "server.poststyle",
                                  "9", "server.confidence"};
    QTest::newRow("title, default level") << 1 << -100 << (title + QStringList{"2"});
    QTest::newRow("title, high level") << 1 << 3 << (title + QStringList{"3"});
    QTest::newRow("sentence, default level") << 0 << -100 << (sentence + QStringList{"2"});
    QTest::newRow("sentence, low level") << 0 << 1 << (sentence + QStringList{"1"});
    QTest::newRow("sentence, unparsed level") << 0 << 0 << (sentence + QStringList{"0"});
}

void TestTextChunk::configs()
{
    QFETCH(int, kind);
    QFETCH(int, confidence);
    QFETCH(QStringList, expected);
    std::unique_ptr<TextChunk> chunk;
    if (confidence == -100) // keep the default
        chunk = kind == 1 ? std::unique_ptr<TextChunk>(new TitleChunk)
                          : std::unique_ptr<TextChunk>(new SentenceChunk);
    else
        chunk = TextChunk::create(kind, confidence);
    QCOMPARE(chunk->kind(), kind);
    QStringList list;
    chunk->configs(list);
    QCOMPARE(list, expected);
}

void TestTextChunk::appendsToExistingList()
{
    SentenceChunk chunk;
    QStringList list{"keep"};
    chunk.configs(list);
    chunk.configs(list);
    QCOMPARE(list.first(), QStringLiteral("keep"));
    QCOMPARE(list.size(), 1 + 2 * 20);
}

void TestTextChunk::equals_data()
{
    QTest::addColumn<int>("kindA");
    QTest::addColumn<int>("levelA");
    QTest::addColumn<int>("kindB");
    QTest::addColumn<int>("levelB");
    QTest::addColumn<bool>("equal");
    QTest::newRow("same sentence") << 0 << 2 << 0 << 2 << true;
    QTest::newRow("same title") << 1 << 3 << 1 << 3 << true;
    QTest::newRow("levels differ") << 0 << 2 << 0 << 3 << false;
    QTest::newRow("kinds differ") << 0 << 2 << 1 << 2 << false;
    QTest::newRow("title levels differ") << 1 << 1 << 1 << 2 << false;
}

void TestTextChunk::equals()
{
    QFETCH(int, kindA);
    QFETCH(int, levelA);
    QFETCH(int, kindB);
    QFETCH(int, levelB);
    QFETCH(bool, equal);
    const auto a = TextChunk::create(kindA, levelA);
    const auto b = TextChunk::create(kindB, levelB);
    QCOMPARE(a->equals(*b), equal);
    QCOMPARE(b->equals(*a), equal);
}

void TestTextChunk::createAndClone_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("valid");
    QTest::newRow("sentence") << 0 << true;
    QTest::newRow("title") << 1 << true;
    QTest::newRow("cached marker is no kind") << -1 << false;
    QTest::newRow("unknown kind") << 2 << false;
}

void TestTextChunk::createAndClone()
{
    QFETCH(int, kind);
    QFETCH(bool, valid);
    const auto chunk = TextChunk::create(kind, 3);
    QCOMPARE(bool(chunk), valid);
    if (!chunk)
        return;
    QCOMPARE(chunk->kind(), kind);
    QCOMPARE(chunk->confidence(), 3);
    const auto copy = chunk->clone();
    QVERIFY(copy.get() != chunk.get());
    QCOMPARE(copy->kind(), kind);
    QVERIFY(copy->equals(*chunk));
    copy->setConfidence(1);
    QCOMPARE(chunk->confidence(), 3);
    QVERIFY(!copy->equals(*chunk));
}

QTEST_GUILESS_MAIN(TestTextChunk)
#include "tst_textchunk.moc"
