#include "frame.h"
#include "framereader.h"

#include <QTest>

using namespace ZeltraLib;

namespace {

const QByteArray Trailer = QByteArrayLiteral("\r\n!");

QList<QByteArray> sampleRecords()
{
    return {
        QByteArray("{\"sentInd\":0,\"corrections\":[]}\n"),
        QStringLiteral("{\"sentInd\":1,\"corrections\":[{\"errorInfo\":\"中文说明\"}]}\n").toUtf8(),
        QByteArray("{\"sentInd\":-1,\"lexicalScore\":0.5,\"syntaxScore\":0.25}\n"),
    };
}

QByteArray streamOf(const QList<QByteArray> &records)
{
    QByteArray stream;
    for (const QByteArray &r : records)
        stream += encodeFrame(r) + Trailer;
    return stream;
}

// Feeds the pieces one at a time and collects the decoded records.
QList<QByteArray> readAll(FrameReader &reader, const QList<QByteArray> &pieces,
                          FrameReader::Status *last = nullptr)
{
    QList<QByteArray> out;
    FrameReader::Status status = FrameReader::NeedMore;
    for (const QByteArray &piece : pieces) {
        reader.append(piece);
        QByteArray frame;
        while ((status = reader.next(&frame)) == FrameReader::Ready)
            out.append(decodeFrame(frame));
        if (status == FrameReader::Broken)
            break;
    }
    if (last)
        *last = status;
    return out;
}

} // namespace

class TestFrameReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everySplitPoint();
    void byteByByte();
    void manyRecordsInOneRead();
    void brokenStream_data();
    void brokenStream();
    void bufferStaysBounded();
    void clearResets();
};

void TestFrameReader::everySplitPoint()
{
    // Two cuts anywhere: inside digits, between "S" and "C", inside the data and inside
    // the trailer all yield the same records as the whole stream.
    const QList<QByteArray> records = sampleRecords();
    const QByteArray stream = streamOf(records);
    for (qsizetype i = 0; i <= stream.size(); ++i) {
        for (qsizetype j = i; j <= stream.size(); j += 7) {
            FrameReader reader(Trailer.size());
            const QList<QByteArray> got =
                readAll(reader, { stream.left(i), stream.mid(i, j - i), stream.mid(j) });
            if (got != records)
                QFAIL(qPrintable(QStringLiteral("records differ when cut at %1 and %2").arg(i).arg(j)));
            QCOMPARE(reader.bufferedSize(), 0);
        }
    }
}

void TestFrameReader::byteByByte()
{
    const QList<QByteArray> records = sampleRecords();
    const QByteArray stream = streamOf(records);
    QList<QByteArray> pieces;
    for (const char ch : stream)
        pieces.append(QByteArray(1, ch));
    FrameReader reader(Trailer.size());
    QCOMPARE(readAll(reader, pieces), records);
}

void TestFrameReader::manyRecordsInOneRead()
{
    QList<QByteArray> records;
    for (int i = 0; i < 500; ++i)
        records.append(QByteArray("{\"sentInd\":") + QByteArray::number(i) + "}\n");
    FrameReader reader(Trailer.size());
    QCOMPARE(readAll(reader, { streamOf(records) }), records);
}

void TestFrameReader::brokenStream_data()
{
    const QByteArray good = streamOf({ QByteArray("{\"sentInd\":0}\n") });
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<int>("recordsBefore");
    QTest::newRow("garbage text") << QByteArray("<html>oops</html>") << 0;
    QTest::newRow("garbage after a good record") << (good + "garbage") << 1;
    QTest::newRow("4 GB raw length") << QByteArray("4294967296S12Cxxxxxxxxxxxx") << 0;
    QTest::newRow("4 GB packed length, no data yet") << QByteArray("10S4294967296C") << 0;
    QTest::newRow("endless digits") << QByteArray(64, '7') << 0;
    QTest::newRow("negative length") << QByteArray("-5S3Cabc") << 0;
    QTest::newRow("wrong trailer length shifts into data")
        << (encodeFrame("{}") + "\r\n" + encodeFrame("{}") + Trailer) << 1;
}

void TestFrameReader::brokenStream()
{
    QFETCH(QByteArray, stream);
    QFETCH(int, recordsBefore);
    FrameReader reader(Trailer.size());
    FrameReader::Status status;
    const QList<QByteArray> got = readAll(reader, { stream }, &status);
    QCOMPARE(got.size(), recordsBefore);
    QCOMPARE(status, FrameReader::Broken);
    QVERIFY(reader.isBroken());
    QCOMPARE(reader.bufferedSize(), 0);
    // Broken for good: a valid frame afterwards is not read.
    reader.append(streamOf({ QByteArray("{}") }));
    QByteArray frame;
    QCOMPARE(reader.next(&frame), FrameReader::Broken);
    QCOMPARE(reader.bufferedSize(), 0);
}

void TestFrameReader::bufferStaysBounded()
{
    // A peer that announces a large frame and then streams bytes: the reader waits
    // for the frame, never beyond it; once past it, a bad header stops the stream.
    FrameReader reader(Trailer.size());
    const QByteArray header = QByteArray::number(MaxFrameBytes) + 'S' + QByteArray::number(MaxFrameBytes) + 'C';
    reader.append(header);
    QByteArray frame;
    QCOMPARE(reader.next(&frame), FrameReader::NeedMore);
    const QByteArray piece(1 << 20, 'z');
    qint64 fed = 0;
    FrameReader::Status status = FrameReader::NeedMore;
    while (fed < MaxFrameBytes + 3 + 2 * piece.size() && status == FrameReader::NeedMore) {
        reader.append(piece);
        fed += piece.size();
        status = reader.next(&frame);
        QVERIFY(reader.bufferedSize() <= header.size() + MaxFrameBytes + 3 + piece.size());
    }
    // The frame completed (it does not inflate, which is the decoder's business) and
    // the bytes after it are no frame header.
    QCOMPARE(status, FrameReader::Ready);
    QCOMPARE(frame.size(), header.size() + MaxFrameBytes);
    QCOMPARE(reader.next(&frame), FrameReader::Broken);
    QCOMPARE(reader.bufferedSize(), 0);
}

void TestFrameReader::clearResets()
{
    FrameReader reader(Trailer.size());
    reader.append("garbage");
    QByteArray frame;
    QCOMPARE(reader.next(&frame), FrameReader::Broken);
    reader.clear();
    QVERIFY(!reader.isBroken());
    reader.append(encodeFrame("{\"x\":1}").left(5));
    QCOMPARE(reader.next(&frame), FrameReader::NeedMore);
    QCOMPARE(reader.bufferedSize(), 5);
    reader.clear();
    QCOMPARE(readAll(reader, { streamOf({ QByteArray("{\"x\":2}") }) }), QList<QByteArray>{ "{\"x\":2}" });
}

QTEST_GUILESS_MAIN(TestFrameReader)
#include "tst_framereader.moc"
