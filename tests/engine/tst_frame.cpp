#include "frame.h"

#include <QRandomGenerator>
#include <QTest>

#include <stdexcept>
#include <zlib.h>

using namespace ZeltraLib;

namespace {

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out(size, Qt::Uninitialized);
    for (char &ch : out)
        ch = char(rng.bounded(256));
    return out;
}

QByteArray zlibPack(const QByteArray &data)
{
    uLongf length = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(length), Qt::Uninitialized);
    compress(reinterpret_cast<Bytef *>(out.data()), &length,
             reinterpret_cast<const Bytef *>(data.constData()), uLong(data.size()));
    out.truncate(qsizetype(length));
    return out;
}

// A frame with a chosen header around real zlib data.
QByteArray frameWith(const QByteArray &rawLength, const QByteArray &packedLength,
                     const QByteArray &packed)
{
    return rawLength + 'S' + packedLength + 'C' + packed;
}

QString errorOf(const QByteArray &frame, bool strict)
{
    try {
        strict ? decodeFrameStrict(frame) : decodeFrame(frame);
    } catch (const std::runtime_error &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

} // namespace

class TestFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void encodedLayout();
    void refused_data();
    void refused();
    void strictLength_data();
    void strictLength();
    void cutAtZero_data();
    void cutAtZero();
    void header_data();
    void header();
};

void TestFrame::roundTrip_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("one newline") << QByteArray("\n");
    QTest::newRow("json record") << QByteArray("{\"sentInd\":0,\"corrections\":[]}\n");
    QTest::newRow("chinese utf-8") << QStringLiteral("他说：“我们走吧。” It's fine.").toUtf8();
    QTest::newRow("zero bytes inside") << QByteArray("ab\0cd\0", 6);
    QTest::newRow("random binary 64 KiB") << randomBytes(65536, 7);
    QTest::newRow("repetitive 2 MiB") << QByteArray(2 * 1024 * 1024, 'x');
}

void TestFrame::roundTrip()
{
    QFETCH(QByteArray, data);
    const QByteArray frame = encodeFrame(data);
    QCOMPARE(decodeFrame(frame), data);
    QCOMPARE(decodeFrameStrict(frame), data);
}

void TestFrame::encodedLayout()
{
    // Raw length counts UTF-8 bytes, not characters.
    const QByteArray data = QStringLiteral("中文句子。\n").toUtf8();
    QCOMPARE(data.size(), 16);
    const QByteArray frame = encodeFrame(data);
    const QByteArray packed = zlibPack(data);
    QCOMPARE(frame, QByteArray("16S") + QByteArray::number(packed.size()) + 'C' + packed);
}

void TestFrame::refused_data()
{
    const QByteArray data = "{\"sentInd\":1}\n";
    const QByteArray packed = zlibPack(data);
    const QByteArray n = QByteArray::number(data.size());
    const QByteArray m = QByteArray::number(packed.size());
    const QByteArray valid = frameWith(n, m, packed);
    const QString inflate = QString::fromLatin1(UncompressErrorText);

    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("inflateError"); // the uncompress text rather than a refusal
    QTest::newRow("empty input") << QByteArray() << false;
    QTest::newRow("garbage text") << QByteArray("hello world") << false;
    QTest::newRow("header only, no C") << (n + 'S' + m) << false;
    QTest::newRow("missing raw length") << frameWith("", m, packed) << false;
    QTest::newRow("missing packed length") << frameWith(n, "", packed) << false;
    QTest::newRow("negative raw length") << frameWith("-" + n, m, packed) << false;
    QTest::newRow("plus sign") << frameWith("+" + n, m, packed) << false;
    QTest::newRow("space before digits") << frameWith(" " + n, m, packed) << false;
    QTest::newRow("hex packed length") << frameWith(n, "0x" + QByteArray::number(packed.size(), 16), packed) << false;
    QTest::newRow("chinese digits") << frameWith(QStringLiteral("十四").toUtf8(), m, packed) << false;
    QTest::newRow("raw length 4 GB is never allocated")
        << frameWith("4294967296", m, packed) << false;
    QTest::newRow("raw length one past the bound")
        << frameWith(QByteArray::number(MaxFrameBytes + 1), m, packed) << false;
    QTest::newRow("raw length of 30 digits")
        << frameWith(QByteArray(30, '9'), m, packed) << false;
    QTest::newRow("packed length past the bound")
        << frameWith(n, QByteArray::number(MaxFrameBytes + 1), packed) << false;
    QTest::newRow("truncated data") << valid.left(valid.size() - 3) << false;
    QTest::newRow("extra bytes after data") << (valid + "xyz") << false;
    QTest::newRow("data that is not zlib")
        << frameWith(n, QByteArray::number(packed.size()), QByteArray(packed.size(), 'Q')) << true;
    QTest::newRow("zlib data with a flipped byte")
        << [&] { QByteArray f = valid; f[f.size() - 6] = char(f[f.size() - 6] ^ 0x5A); return f; }()
        << true;
    QTest::newRow("raw length smaller than the data")
        << frameWith(QByteArray::number(data.size() - 1), m, packed) << true;
}

void TestFrame::refused()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, inflateError);
    for (const bool strict : { false, true }) {
        const QString error = errorOf(frame, strict);
        QVERIFY2(!error.isEmpty(), "a bad frame was decoded");
        if (inflateError)
            QCOMPARE(error, QString::fromLatin1(UncompressErrorText));
        else
            QVERIFY2(error != QLatin1String(UncompressErrorText), qPrintable(error));
    }
}

void TestFrame::strictLength_data()
{
    const QByteArray data = "{\"a\":1}\n";
    const QByteArray packed = zlibPack(data);
    const QByteArray m = QByteArray::number(packed.size());
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<bool>("strictAccepts");
    QTest::newRow("exact raw length") << frameWith(QByteArray::number(data.size()), m, packed) << true;
    QTest::newRow("raw length larger than the data")
        << frameWith(QByteArray::number(data.size() + 10), m, packed) << false;
    QTest::newRow("raw length at the bound")
        << frameWith(QByteArray::number(MaxFrameBytes), m, packed) << false;
}

void TestFrame::strictLength()
{
    QFETCH(QByteArray, frame);
    QFETCH(bool, strictAccepts);
    // The lenient decoder returns what inflates; only the strict one checks the length.
    QCOMPARE(decodeFrame(frame), QByteArray("{\"a\":1}\n"));
    QCOMPARE(errorOf(frame, true).isEmpty(), strictAccepts);
}

void TestFrame::cutAtZero_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("no zero byte") << QByteArray("{}\n") << QByteArray("{}\n");
    QTest::newRow("zero padding") << QByteArray("{}\0\0\0", 5) << QByteArray("{}");
    QTest::newRow("text after the zero") << QByteArray("{\"a\":1}\0junk{", 13) << QByteArray("{\"a\":1}");
    QTest::newRow("leading zero") << QByteArray("\0{}", 3) << QByteArray("");
}

void TestFrame::cutAtZero()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, expected);
    QCOMPARE(ZeltraLib::cutAtZero(decodeFrame(encodeFrame(data))), expected);
}

void TestFrame::header_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");
    QTest::addColumn<qint64>("raw");
    QTest::addColumn<qint64>("packed");
    QTest::addColumn<int>("headerLength");
    QTest::newRow("complete") << QByteArray("120S45Cxx") << int(FrameHeader::Complete) << qint64(120) << qint64(45) << 7;
    QTest::newRow("leading zeros") << QByteArray("007S0003C") << int(FrameHeader::Complete) << qint64(7) << qint64(3) << 9;
    QTest::newRow("inside the raw digits") << QByteArray("12") << int(FrameHeader::Incomplete) << qint64(0) << qint64(0) << 0;
    QTest::newRow("between S and C") << QByteArray("12S") << int(FrameHeader::Incomplete) << qint64(0) << qint64(0) << 0;
    QTest::newRow("inside the packed digits") << QByteArray("12S4") << int(FrameHeader::Incomplete) << qint64(0) << qint64(0) << 0;
    QTest::newRow("nothing yet") << QByteArray() << int(FrameHeader::Incomplete) << qint64(0) << qint64(0) << 0;
    QTest::newRow("letter first") << QByteArray("x12S4C") << int(FrameHeader::Invalid) << qint64(0) << qint64(0) << 0;
    QTest::newRow("C before S") << QByteArray("12C4S") << int(FrameHeader::Invalid) << qint64(0) << qint64(0) << 0;
    QTest::newRow("oversized digits still coming")
        << QByteArray("99999999999") << int(FrameHeader::Invalid) << qint64(0) << qint64(0) << 0;
    QTest::newRow("endless digits") << QByteArray(40, '0') << int(FrameHeader::Invalid) << qint64(0) << qint64(0) << 0;
}

void TestFrame::header()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    const FrameHeader h = readFrameHeader(bytes.constData(), bytes.size());
    QCOMPARE(int(h.status), status);
    if (status == FrameHeader::Complete) {
        QFETCH(qint64, raw);
        QFETCH(qint64, packed);
        QFETCH(int, headerLength);
        QCOMPARE(h.rawLength, raw);
        QCOMPARE(h.packedLength, packed);
        QCOMPARE(h.headerLength, headerLength);
    }
}

QTEST_GUILESS_MAIN(TestFrame)
#include "tst_frame.moc"
