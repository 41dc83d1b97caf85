// pennova-cli split [FILE]: the units a check would send, one JSON object per line.
#include "clicommands.h"

#include "detectsentencethread.h"
#include "plaintextparagraphsource.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>
#include <QTextStream>

#include <cstdio>

using namespace ZeltraLib;

namespace {

// A JSON string literal with correct escaping.
QByteArray quoted(const QString &text)
{
    QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray unitLine(int paragraph, bool title, int start, int end, const QString &text)
{
    QByteArray line;
    line.reserve(64 + text.size());
    line += "{\"paragraph\": " + QByteArray::number(paragraph);
    line += ", \"title\": ";
    line += title ? "true" : "false";
    line += ", \"start\": " + QByteArray::number(start);
    line += ", \"end\": " + QByteArray::number(end);
    line += ", \"text\": " + quoted(text.mid(start, end - start)) + "}\n";
    return line;
}

bool readInput(const QStringList &args, QByteArray &data, QString &error)
{
    QFile file;
    if (args.isEmpty() || args.first() == QLatin1String("-")) {
        if (!file.open(stdin, QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot read standard input");
            return false;
        }
    } else {
        file.setFileName(args.first());
        if (!file.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot read %1: %2").arg(args.first(), file.errorString());
            return false;
        }
    }
    data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("read error: %1").arg(file.errorString());
        return false;
    }
    return true;
}

} // namespace

int runSplit(const QStringList &args)
{
    QTextStream err(stderr);
    if (args.size() > 1) {
        err << "usage: pennova-cli split [FILE]\n";
        return 1;
    }
    QByteArray data;
    QString error;
    if (!readInput(args, data, error)) {
        err << "pennova-cli: " << error << "\n";
        return 1;
    }
    // Stateless: a sequence cut off at the end counts as an error too.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(data);
    if (decoder.hasError()) {
        err << "pennova-cli: the input is not valid UTF-8\n";
        return 1;
    }

    const PlainTextParagraphSource source(text);
    DetectSentenceThread detector;
    detector.start(&source, 2);
    detector.wait();

    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly)) {
        err << "pennova-cli: cannot write standard output\n";
        return 1;
    }
    for (qsizetype p = 0; p < detector.texts().size(); ++p) {
        const QString &paragraph = detector.texts().at(p);
        const QList<int> &ends = detector.boundaries().at(p);
        if (detector.isTitle().at(p)) {
            out.write(unitLine(int(p), true, 0, int(paragraph.size()), paragraph));
            continue;
        }
        int start = 0;
        for (int end : ends) {
            out.write(unitLine(int(p), false, start, end + 1, paragraph));
            start = end + 1;
        }
    }
    out.flush();
    if (out.error() != QFileDevice::NoError) {
        err << "pennova-cli: cannot write standard output\n";
        return 1;
    }
    return 0;
}
