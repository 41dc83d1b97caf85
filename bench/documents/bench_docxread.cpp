// Reading speed of .docx files of about 10,000 words: one written by DocxWriter (a run per
// paragraph), and two split like Word's own output after editing: a formatted run with
// proofing marks every 8 words, and (worst case) every word. Median of repeated reads of
// the whole file.
// Usage: bench_docxread [reads=20]

#include "docxwriter.h"
#include "pennovapaths.h"
#include "wordoperations.h"
#include "zippackage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

QString essay()
{
    QFile file(QStringLiteral(PENNOVA_SHARED_DIR "/bench-data/essay/essay10k.txt"));
    if (file.open(QIODevice::ReadOnly))
        return QString::fromUtf8(file.readAll());
    // Without the shared data: 10,000 generated words in paragraphs of 100.
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("word%1").arg(i % 997) + QLatin1String(i % 100 == 99 ? ".\n" : " ");
    return text;
}

// The essay as Word would store it after some editing: a run per `wordsPerRun` words.
QByteArray wordStyleXml(const QString &text, int wordsPerRun)
{
    QByteArray xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"
                     "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>";
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        xml += "<w:p w:rsidR=\"00A1\"><w:pPr><w:spacing w:after=\"120\"/></w:pPr>";
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < words.size(); i += wordsPerRun) {
            const QString piece = words.mid(i, wordsPerRun).join(QLatin1Char(' ')) + QLatin1Char(' ');
            xml += "<w:proofErr w:type=\"spellStart\"/><w:r w:rsidRPr=\"00B2\"><w:rPr><w:rFonts w:ascii=\"Times New Roman\"/>"
                   "<w:sz w:val=\"24\"/></w:rPr><w:t xml:space=\"preserve\">"
                   + piece.toHtmlEscaped().toUtf8() + "</w:t></w:r><w:proofErr w:type=\"spellEnd\"/>";
        }
        xml += "</w:p>";
    }
    return xml + "</w:body></w:document>";
}

double medianMs(const QString &path, int reads, qsizetype *chars)
{
    QList<double> times;
    for (int i = 0; i < reads; ++i) {
        QElapsedTimer timer;
        timer.start();
        QString text;
        if (!readWordText(path, text))
            return -1;
        times << timer.nsecsElapsed() / 1e6;
        *chars = text.size();
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int reads = argc > 1 ? qMax(1, atoi(argv[1])) : 20;
    const QString text = essay();
    const qsizetype words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size();
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.docx"));
    const QString runs8 = dir.filePath(QStringLiteral("runs8.docx"));
    const QString runs1 = dir.filePath(QStringLiteral("runs1.docx"));
    if (!DocxWriter::write(plain, text, nullptr) || !QFile::copy(plain, runs8) || !QFile::copy(plain, runs1)
        || !ZipPackage::replace(runs8, QStringLiteral("word/document.xml"), wordStyleXml(text, 8), nullptr)
        || !ZipPackage::replace(runs1, QStringLiteral("word/document.xml"), wordStyleXml(text, 1), nullptr)) {
        std::fprintf(stderr, "bench_docxread: cannot write the test documents\n");
        return 1;
    }
    for (const QString &path : {plain, runs8, runs1}) {
        qsizetype chars = 0;
        const double ms = medianMs(path, reads, &chars);
        std::printf("%-10s %6lld words  %8lld bytes  %7lld chars read  median %.2f ms over %d reads (target < 50 ms)\n",
                    qPrintable(QFileInfo(path).fileName()), (long long)words, (long long)QFileInfo(path).size(),
                    (long long)chars, ms, reads);
    }
    return 0;
}
