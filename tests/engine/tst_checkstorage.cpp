#include "checkstorage.h"
#include "checkstoragethread.h"
#include "sentencechunk.h"
#include "titlechunk.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <vector>

using namespace ZeltraLib;

namespace {

std::unique_ptr<TextChunk> makeChunk(int kind, int confidence)
{
    std::unique_ptr<TextChunk> chunk;
    if (kind == 1)
        chunk = std::make_unique<TitleChunk>();
    else
        chunk = std::make_unique<SentenceChunk>();
    chunk->setConfidence(confidence);
    return chunk;
}

CorrectionRecord finding(int start, int end, const QByteArray &type)
{
    CorrectionRecord record;
    record.start = start;
    record.end = end;
    record.errorType = type;
    return record;
}

} // namespace

class TestCheckStorage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void find_data();
    void find();
    void firstMatchingEntryWins();
    void copiedChunkKeepsClassAndConfidence_data();
    void copiedChunkKeepsClassAndConfidence();
    void addUnansweredAddsOnlyMissing();
    void capacityDropsOldestHalf();
    void lookupThreadAnswersCachedSentences();
    void lookupThreadWithoutStorageOrChunks();
};

void TestCheckStorage::initTestCase()
{
    registerResultStateType();
}

void TestCheckStorage::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("confidence");
    QTest::addColumn<bool>("found");

    QTest::newRow("same text, kind and level") << "He go home." << 0 << 2 << true;
    QTest::newRow("other English level") << "He go home." << 0 << 3 << false;
    QTest::newRow("title instead of sentence") << "He go home." << 1 << 2 << false;
    QTest::newRow("trailing space differs") << "He go home. " << 0 << 2 << false;
    QTest::newRow("case differs") << "he go home." << 0 << 2 << false;
    QTest::newRow("Chinese text, exact") << "我们去 park 了。" << 0 << 2 << true;
    QTest::newRow("Chinese text, other mark") << "我们去 park 了." << 0 << 2 << false;
    QTest::newRow("title entry") << "My Holiday" << 1 << 1 << true;
    QTest::newRow("unknown text") << "Nothing here." << 0 << 2 << false;
}

void TestCheckStorage::find()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(int, confidence);
    QFETCH(bool, found);

    CheckStorage storage;
    storage.append(QStringLiteral("He go home."), *makeChunk(0, 2), {finding(3, 5, "GRAMMAR")});
    storage.append(QStringLiteral("我们去 park 了。"), *makeChunk(0, 2), {});
    storage.append(QStringLiteral("My Holiday"), *makeChunk(1, 1), {finding(0, 2, "NONWORD")});

    const CheckStorageEntry *entry = storage.find(text, *makeChunk(kind, confidence));
    QCOMPARE(entry != nullptr, found);
    if (entry) {
        QCOMPARE(entry->text, text);
        QCOMPARE(entry->chunk->kind(), kind);
        QCOMPARE(entry->chunk->confidence(), confidence);
    }
}

void TestCheckStorage::firstMatchingEntryWins()
{
    CheckStorage storage;
    storage.append(QStringLiteral("A b."), *makeChunk(0, 3), {finding(0, 1, "STYLE")});
    storage.append(QStringLiteral("A b."), *makeChunk(0, 2), {finding(0, 1, "NONWORD")});
    storage.append(QStringLiteral("A b."), *makeChunk(0, 2), {finding(2, 3, "GRAMMAR")});
    const CheckStorageEntry *entry = storage.find(QStringLiteral("A b."), *makeChunk(0, 2));
    QVERIFY(entry);
    QCOMPARE(entry->corrections.size(), 1);
    QCOMPARE(entry->corrections.first().errorType, QByteArray("NONWORD"));
    QCOMPARE(storage.size(), 3);
}

void TestCheckStorage::copiedChunkKeepsClassAndConfidence_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("confidence");
    QTest::newRow("sentence, low") << 0 << 1;
    QTest::newRow("sentence, high") << 0 << 3;
    QTest::newRow("title, medium") << 1 << 2;
}

void TestCheckStorage::copiedChunkKeepsClassAndConfidence()
{
    QFETCH(int, kind);
    QFETCH(int, confidence);
    const auto original = makeChunk(kind, confidence);
    const auto copy = copyChunk(*original);
    QCOMPARE(copy->kind(), kind);
    QCOMPARE(copy->confidence(), confidence);
    QVERIFY(copy->equals(*original));
    QStringList a, b;
    original->configs(a);
    copy->configs(b);
    QCOMPARE(b, a);
    // The entry owns its own chunk: changing the original does not change it.
    CheckStorage storage;
    storage.append(QStringLiteral("x."), *original, {});
    original->setConfidence(confidence + 1);
    QCOMPARE(storage.at(0).chunk->confidence(), confidence);
}

void TestCheckStorage::addUnansweredAddsOnlyMissing()
{
    CheckStorage storage;
    const auto sentence = makeChunk(0, 2);
    const auto title = makeChunk(1, 2);
    storage.append(QStringLiteral("One error."), *sentence, {finding(0, 3, "NONWORD")});
    storage.addUnanswered({QStringLiteral("One error."), QStringLiteral("Clean one."), QStringLiteral("Title")},
                          {sentence.get(), sentence.get(), title.get()});
    QCOMPARE(storage.size(), 3);
    QCOMPARE(storage.find(QStringLiteral("One error."), *sentence)->corrections.size(), 1);
    const CheckStorageEntry *clean = storage.find(QStringLiteral("Clean one."), *sentence, QStringLiteral("One error."));
    QVERIFY(clean);
    QVERIFY(clean->corrections.isEmpty());
    QVERIFY(storage.find(QStringLiteral("Title"), *title, QStringLiteral("Clean one.")));
    // Each entry keeps the sentence that came before it.
    QVERIFY(!storage.find(QStringLiteral("Clean one."), *sentence));
    // A second call adds nothing; a missing chunk is skipped.
    storage.addUnanswered({QStringLiteral("One error."), QStringLiteral("Clean one."), QStringLiteral("No chunk.")},
                          {sentence.get(), sentence.get(), nullptr});
    QCOMPARE(storage.size(), 3);
    // The same sentence after another one is a new entry.
    storage.addUnanswered({QStringLiteral("Moved."), QStringLiteral("Clean one.")}, {sentence.get(), sentence.get()});
    QCOMPARE(storage.size(), 5);
    QVERIFY(storage.find(QStringLiteral("Clean one."), *sentence, QStringLiteral("Moved.")));
}

void TestCheckStorage::capacityDropsOldestHalf()
{
    CheckStorage storage;
    storage.setCapacity(4);
    const auto chunk = makeChunk(0, 2);
    for (int i = 0; i < 5; ++i)
        storage.append(QStringLiteral("S%1.").arg(i), *chunk, {});
    QCOMPARE(storage.size(), 3);
    QVERIFY(!storage.find(QStringLiteral("S0."), *chunk));
    QVERIFY(!storage.find(QStringLiteral("S1."), *chunk));
    for (int i = 2; i < 5; ++i)
        QVERIFY(storage.find(QStringLiteral("S%1.").arg(i), *chunk));
    storage.clear();
    QVERIFY(storage.isEmpty());
    QVERIFY(!storage.find(QStringLiteral("S4."), *chunk));
}

void TestCheckStorage::lookupThreadAnswersCachedSentences()
{
    // The cache as an earlier check of "Old one. Teh cat. Clean. 标题 Ends." left it.
    CheckStorage storage;
    const auto sentence = makeChunk(0, 2);
    const auto title = makeChunk(1, 2);
    storage.append(QStringLiteral("Old one."), *sentence, {});
    storage.append(QStringLiteral("Teh cat."), *sentence, {finding(0, 3, "NONWORD"), finding(4, 7, "STYLE")}, 0,
                   QStringLiteral("Old one."));
    storage.append(QStringLiteral("Clean. "), *sentence, {}, 0, QStringLiteral("Teh cat."));
    storage.append(QStringLiteral("标题"), *title, {finding(0, 2, "REAL")}, 0, QStringLiteral("Clean. "));
    storage.append(QStringLiteral("Ends."), *sentence, {}, 0, QStringLiteral("标题"));

    // "Old one." was rewritten and "Clean. " deleted: the sentences after them have
    // a new sentence before them and are checked again; the rest come from the cache.
    const QStringList sentences{QStringLiteral("Old one."), QStringLiteral("Teh cat."), QStringLiteral("标题"),
                                QStringLiteral("Ends."), QStringLiteral("New one."), QStringLiteral("Teh cat.")};
    QList<TextChunk *> chunks{sentence.get(), sentence.get(), title.get(),
                              sentence.get(), sentence.get(), sentence.get()};
    QList<int> answered{99}; // the thread appends; the owner clears before a run
    CheckStorageThread thread;
    thread.setInput(&storage, sentences, chunks, &answered);
    QSignalSpy states(&thread, &CheckStorageThread::signalUpdateState);
    QSignalSpy finished(&thread, &CheckStorageThread::signalFinished);
    thread.start();
    // The spy records in the emitting thread: the signal may come before any wait.
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(thread.wait(5000));

    QCOMPARE(answered, (QList<int>{99, 0, 1, 3}));
    QCOMPARE(states.count(), 3);
    const QList<int> expectedIndexes{0, 1, 3};
    const QList<qsizetype> expectedFindings{0, 2, 0};
    for (int i = 0; i < 3; ++i) {
        const auto state = states.at(i).at(0).value<CResultState>();
        QCOMPARE(state.sentInd, expectedIndexes.at(i));
        QCOMPARE(state.corrections.size(), expectedFindings.at(i));
    }
    const auto cat = states.at(1).at(0).value<CResultState>();
    QCOMPARE(cat.corrections.at(1).errorType, QByteArray("STYLE"));
    QCOMPARE(cat.corrections.at(1).start, 4);
}

void TestCheckStorage::lookupThreadWithoutStorageOrChunks()
{
    const auto sentence = makeChunk(0, 2);
    QList<int> answered;
    CheckStorageThread thread;
    thread.setInput(nullptr, {QStringLiteral("A.")}, {sentence.get()}, &answered);
    QSignalSpy states(&thread, &CheckStorageThread::signalUpdateState);
    QSignalSpy finished(&thread, &CheckStorageThread::signalFinished);
    thread.start();
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(states.count(), 0);
    QVERIFY(answered.isEmpty());

    // More sentences than chunks: the ones without a chunk are never answered.
    CheckStorage storage;
    storage.append(QStringLiteral("A."), *sentence, {});
    storage.append(QStringLiteral("B."), *sentence, {});
    thread.wait();
    thread.setInput(&storage, {QStringLiteral("A."), QStringLiteral("B.")}, {sentence.get()}, &answered);
    thread.start();
    QTRY_COMPARE(finished.count(), 2);
    QCOMPARE(answered, QList<int>{0});
    QCOMPARE(states.count(), 1);
}

QTEST_GUILESS_MAIN(TestCheckStorage)
#include "tst_checkstorage.moc"
