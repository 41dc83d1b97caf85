// Sentence splitting throughput: the engine's splitter against ICU's sentence
// BreakIterator on the same paragraphs. Usage: bench_splitter [TEXT_FILE]
#include "pennovapaths.h"
#include "localencoding.h"
#include "plaintextparagraphsource.h"
#include "sentencesplitter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <cstdio>
#include <functional>
#include <memory>

using namespace ZeltraLib;

namespace {

struct Result
{
    double megabytesPerSecond = 0;
    long long units = 0; // boundaries found in one pass, to keep the work observable
};

// Runs one pass repeatedly for at least minSeconds and returns the rate.
Result measure(double megabytes, const std::function<long long()> &pass, double minSeconds = 1.0)
{
    Result result;
    result.units = pass(); // warm-up
    QElapsedTimer timer;
    timer.start();
    int passes = 0;
    do {
        pass();
        ++passes;
    } while (timer.nsecsElapsed() < qint64(minSeconds * 1e9));
    const double seconds = timer.nsecsElapsed() / 1e9;
    result.megabytesPerSecond = megabytes * passes / seconds;
    return result;
}

// The paragraphs a check would split: non-empty sentence paragraphs.
QStringList sentenceParagraphs(const QString &text)
{
    QStringList out;
    for (const ParagraphBlock &block : PlainTextParagraphSource(text).blocks()) {
        if (!block.text.trimmed().isEmpty() && isSentenceParagraph(block.text))
            out.append(block.text);
    }
    return out;
}

void run(const char *name, const QStringList &paragraphs, icu::BreakIterator &icuIterator)
{
    double megabytes = 0;
    QList<QByteArray> encoded;
    std::vector<icu::UnicodeString> unicode;
    for (const QString &p : paragraphs) {
        megabytes += p.toUtf8().size() / 1e6;
        encoded.append(LocalEncoding::encode(p));
        unicode.emplace_back(reinterpret_cast<const char16_t *>(p.utf16()), int32_t(p.size()));
    }

    const Result splitter = measure(megabytes, [&] {
        long long units = 0;
        for (const QString &p : paragraphs)
            units += splitSentences(p).size();
        return units;
    });
    const Result bytesOnly = measure(megabytes, [&] {
        long long units = 0;
        for (const QByteArray &b : encoded)
            units += splitSentenceBytes(b).size();
        return units;
    });
    const Result icu = measure(megabytes, [&] {
        long long units = 0;
        for (const icu::UnicodeString &u : unicode) {
            icuIterator.setText(u);
            icuIterator.first();
            while (icuIterator.next() != icu::BreakIterator::DONE)
                ++units;
        }
        return units;
    });

    std::printf("%-34s %8.2f MB %6lld paragraphs\n", name, megabytes,
                static_cast<long long>(paragraphs.size()));
    std::printf("  splitSentences (per paragraph)   %9.1f MB/s  %8lld sentences\n",
                splitter.megabytesPerSecond, splitter.units);
    std::printf("  splitter on GB18030 bytes only   %9.1f MB/s\n", bytesOnly.megabytesPerSecond);
    std::printf("  ICU sentence BreakIterator       %9.1f MB/s  %8lld sentences\n",
                icu.megabytesPerSecond, icu.units);
    std::printf("  ratio splitter / ICU             %9.2f\n",
                splitter.megabytesPerSecond / icu.megabytesPerSecond);
}

} // namespace

int main(int argc, char *argv[])
{
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                  : QStringLiteral(PENNOVA_SHARED_DIR "/bench-data/essay/essay10k.txt");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_splitter: cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QString essay = QString::fromUtf8(file.readAll());

    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> icuIterator(
        icu::BreakIterator::createSentenceInstance(icu::Locale::getUS(), status));
    if (U_FAILURE(status)) {
        std::fprintf(stderr, "bench_splitter: ICU: %s\n", u_errorName(status));
        return 1;
    }
    // Table set-up is not part of the figures.
    splitSentences(QStringLiteral("Warm. Up."));

    QString repeated;
    for (int k = 0; k < 20; ++k)
        repeated += essay + QLatin1Char('\n');
    QString onePiece = repeated;
    onePiece.replace(QLatin1Char('\n'), QLatin1Char(' '));

    // The essay with a Chinese sentence after every English one: the
    // multi-byte path of the conversion and the offset mapping.
    QString mixed = essay;
    mixed.replace(QStringLiteral(". "), QStringLiteral(". 这是一个中文句子，测试“混合”文本。"));

    std::printf("text: %s\n\n", qPrintable(path));
    run("essay", sentenceParagraphs(essay), *icuIterator);
    run("essay x20", sentenceParagraphs(repeated), *icuIterator);
    run("essay x20 as one paragraph", sentenceParagraphs(onePiece), *icuIterator);
    run("essay with Chinese sentences", sentenceParagraphs(mixed), *icuIterator);
    return 0;
}
