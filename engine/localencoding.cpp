#include "localencoding.h"

#include <QStringEncoder>

#include <memory>

namespace ZeltraLib {

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

// Encoded form of every BMP code unit: up to four bytes, big-endian in a word.
struct BmpTable
{
    quint32 bytes[0x10000];
    quint8 length[0x10000];
    bool fromConverter = false;
};

void storeFallback(BmpTable &table)
{
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        table.bytes[c] = 0xFEFEu;
        table.length[c] = 2;
    }
    // The sentence marks must keep their bytes even without a converter.
    table.bytes[0x3002] = 0xA1A3u;
    table.bytes[0xFF01] = 0xA3A1u;
    table.bytes[0x2026] = 0xA1ADu;
    table.bytes[0xFF1F] = 0xA3BFu;
}

// Encodes all non-ASCII, non-surrogate BMP characters in one call and cuts the
// result at GB18030's sequence boundaries: a lead byte followed by 0x30-0x39
// starts a four-byte sequence, any other lead byte a two-byte one.
bool storeFromConverter(BmpTable &table)
{
    QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return false;
    QString all;
    all.reserve(0x10000);
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        if (c < 0xD800 || c > 0xDFFF)
            all.append(QChar(char16_t(c)));
    }
    const QByteArray encoded = encoder.encode(all);
    if (encoder.hasError())
        return false;
    const auto *p = reinterpret_cast<const unsigned char *>(encoded.constData());
    const qsizetype n = encoded.size();
    qsizetype at = 0;
    for (char32_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        if (at >= n || p[at] < 0x81)
            return false;
        int len = (at + 1 < n && p[at + 1] >= 0x30 && p[at + 1] <= 0x39) ? 4 : 2;
        if (at + len > n)
            return false;
        quint32 word = 0;
        for (int k = 0; k < len; ++k)
            word = (word << 8) | p[at + k];
        table.bytes[c] = word;
        table.length[c] = quint8(len);
        at += len;
    }
    return at == n;
}

const BmpTable &bmpTable()
{
    static const std::unique_ptr<BmpTable> table = [] {
        auto t = std::make_unique<BmpTable>();
        for (char32_t c = 0; c < 0x80; ++c) {
            t->bytes[c] = c;
            t->length[c] = 1;
        }
        t->fromConverter = storeFromConverter(*t);
        if (!t->fromConverter)
            storeFallback(*t);
        for (char32_t c = 0xD800; c <= 0xDFFF; ++c) {
            t->bytes[c] = t->bytes[ReplacementCharacter];
            t->length[c] = t->length[ReplacementCharacter];
        }
        return t;
    }();
    return *table;
}

} // namespace

int LocalEncoding::encodeCodePoint(char32_t codePoint, unsigned char out[4])
{
    if (codePoint < 0x80) {
        out[0] = static_cast<unsigned char>(codePoint);
        return 1;
    }
    if (codePoint >= 0x10000 && codePoint <= 0x10FFFF) {
        // Supplementary planes map linearly onto 0x90308130 onwards.
        char32_t linear = codePoint - 0x10000;
        out[3] = static_cast<unsigned char>(0x30 + linear % 10);
        linear /= 10;
        out[2] = static_cast<unsigned char>(0x81 + linear % 126);
        linear /= 126;
        out[1] = static_cast<unsigned char>(0x30 + linear % 10);
        linear /= 10;
        out[0] = static_cast<unsigned char>(0x90 + linear);
        return 4;
    }
    const BmpTable &table = bmpTable();
    const char32_t c = codePoint < 0x10000 ? codePoint : ReplacementCharacter;
    const int len = table.length[c];
    const quint32 word = table.bytes[c];
    for (int k = 0; k < len; ++k)
        out[k] = static_cast<unsigned char>(word >> (8 * (len - 1 - k)));
    return len;
}

QByteArray LocalEncoding::encode(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() * 2);
    const qsizetype n = text.size();
    const char16_t *u = reinterpret_cast<const char16_t *>(text.utf16());
    unsigned char buf[4];
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = u[i];
        if (c < 0x80) {
            out.append(char(c));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(u[i + 1])) {
            c = QChar::surrogateToUcs4(char16_t(c), u[i + 1]);
            ++i;
        }
        const int len = encodeCodePoint(c, buf);
        out.append(reinterpret_cast<const char *>(buf), len);
    }
    return out;
}

bool LocalEncoding::hasConverter()
{
    return bmpTable().fromConverter;
}

} // namespace ZeltraLib
