#include "bookmarkfiller.h"

#include "documentsupport.h"
#include "docxwriter.h"

#include <QList>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

using DocumentSupport::setError;
using DocumentSupport::WordMain;
using DocumentSupport::WordStrict;

namespace {

// Offsets are UTF-16 indexes into the decoded part.
struct Bookmark
{
    qsizetype contentBegin = -1; // just after w:bookmarkStart
    qsizetype contentEnd = -1;   // at w:bookmarkEnd
    bool inParagraph = false;
};

struct Run
{
    qsizetype begin = 0;        // its '<'
    qsizetype contentBegin = 0; // after the start tag and its w:rPr
    qsizetype end = 0;          // after its end tag
    bool empty = false;         // <w:r/>
};

struct Edit
{
    qsizetype from;
    qsizetype to;
    QString replacement;
};

// The part's own prefix for a WordprocessingML element ("w:r").
QString qualified(const QString &prefix, const char *name)
{
    return prefix.isEmpty() ? QString::fromLatin1(name) : prefix + QLatin1Char(':') + QLatin1String(name);
}

QString runContent(const QString &wordNamespace, const QString &prefix, const QString &value)
{
    // A throwaway writer with the part's prefix bound, so that the pieces use it too.
    QString xml;
    QXmlStreamWriter writer(&xml);
    if (prefix.isEmpty())
        writer.writeDefaultNamespace(wordNamespace);
    else
        writer.writeNamespace(wordNamespace, prefix);
    writer.writeStartElement(wordNamespace, QStringLiteral("x"));
    writer.writeCharacters(QString());
    const qsizetype start = xml.size();
    DocxWriter::writeRunContent(writer, wordNamespace, value);
    const qsizetype end = xml.size();
    writer.writeEndElement();
    return xml.mid(start, end - start);
}

} // namespace

bool BookmarkFiller::fill(const QByteArray &xml, const QHash<QString, QString> &values, QByteArray *result,
                          QString *error, QDeadlineTimer deadline)
{
    const bool bom = xml.startsWith("\xEF\xBB\xBF");
    const QByteArray body = bom ? xml.mid(3) : xml;
    QStringDecoder decoder(QStringConverter::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(body);
    if (decoder.hasError()) {
        setError(error, QStringLiteral("文档正文不是 UTF-8 编码，无法填写。"));
        return false;
    }

    QHash<QString, QString> wanted; // lower-case name -> value
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        wanted.insert(it.key().toLower(), it.value());
    QHash<QString, Bookmark> bookmarks; // lower-case name
    QHash<QString, QString> namesById;
    QList<Run> runs;
    QString wordNamespace = WordMain;
    QString wordPrefix = QStringLiteral("w");
    QList<QString> stack;
    int runDepth = 0;
    int tokens = 0;

    QXmlStreamReader reader(body);
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (++tokens % 4096 == 0 && deadline.hasExpired()) {
            setError(error, QStringLiteral("处理文档超时，已停止。"));
            return false;
        }
        if (token == QXmlStreamReader::StartDocument) {
            const QStringView encoding = reader.documentEncoding();
            if (!encoding.isEmpty() && encoding.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) != 0) {
                setError(error, QStringLiteral("文档正文不是 UTF-8 编码，无法填写。"));
                return false;
            }
        }
        if (token == QXmlStreamReader::DTD) {
            setError(error, QStringLiteral("文档正文含有不允许的 DTD 声明，已拒绝处理。"));
            return false;
        }
        const bool word = reader.namespaceUri() == WordMain || reader.namespaceUri() == WordStrict;
        const qsizetype offset = qsizetype(reader.characterOffset());
        if (token == QXmlStreamReader::StartElement) {
            const QString name = word ? reader.name().toString() : QString();
            const QString parent = stack.isEmpty() ? QString() : stack.last();
            stack.append(name);
            if (!word)
                continue;
            wordNamespace = reader.namespaceUri().toString();
            wordPrefix = reader.prefix().toString();
            const QXmlStreamAttributes attributes = reader.attributes();
            const QString id = attributes.value(wordNamespace, QStringLiteral("id")).toString();
            if (name == QLatin1String("bookmarkStart")) {
                const QString key = attributes.value(wordNamespace, QStringLiteral("name")).toString().toLower();
                if (!bookmarks.contains(key)) {
                    bookmarks.insert(key, Bookmark{offset, -1, parent == QLatin1String("p")});
                    namesById.insert(id, key);
                }
            } else if (name == QLatin1String("bookmarkEnd")) {
                const QString key = namesById.take(id);
                if (!key.isEmpty())
                    bookmarks[key].contentEnd = text.lastIndexOf(QLatin1Char('<'), offset - 1);
            } else if (name == QLatin1String("r") && runDepth++ == 0) {
                const qsizetype begin = text.lastIndexOf(QLatin1Char('<'), offset - 1);
                runs.append(Run{begin, offset, -1, false});
            }
        } else if (token == QXmlStreamReader::EndElement) {
            const QString name = stack.isEmpty() ? QString() : stack.takeLast();
            if (name == QLatin1String("rPr") && runDepth == 1 && !stack.isEmpty() && stack.last() == QLatin1String("r"))
                runs.last().contentBegin = offset;
            else if (name == QLatin1String("r") && --runDepth == 0) {
                Run &run = runs.last();
                run.empty = run.contentBegin == offset;
                run.end = offset;
            }
        }
    }
    if (reader.hasError()) {
        setError(error, QStringLiteral("文档正文不是有效的 XML（第 %1 行：%2）。")
                            .arg(reader.lineNumber())
                            .arg(reader.errorString()));
        return false;
    }

    QList<Edit> edits;
    for (auto it = wanted.cbegin(); it != wanted.cend(); ++it) {
        const Bookmark mark = bookmarks.value(it.key());
        if (mark.contentBegin < 0 || mark.contentEnd < mark.contentBegin) {
            setError(error, QStringLiteral("模板缺少书签“%1”。").arg(it.key()));
            return false;
        }
        const QString content = runContent(wordNamespace, wordPrefix, it.value());
        const QString newRun = QLatin1Char('<') + qualified(wordPrefix, "r") + QLatin1Char('>') + content
                               + QStringLiteral("</") + qualified(wordPrefix, "r") + QLatin1Char('>');
        bool first = true;
        for (const Run &run : std::as_const(runs)) {
            if (run.begin < mark.contentBegin || run.end > mark.contentEnd)
                continue;
            if (!first)
                edits.append({run.begin, run.end, QString()});
            else if (run.empty)
                edits.append({run.begin, run.end, newRun});
            else
                edits.append({run.contentBegin, text.lastIndexOf(QLatin1Char('<'), run.end - 1), content});
            first = false;
        }
        if (first) {
            if (!mark.inParagraph) {
                setError(error, QStringLiteral("书签“%1”不在段落之中，无法填写。").arg(it.key()));
                return false;
            }
            edits.append({mark.contentBegin, mark.contentBegin, newRun});
        }
    }
    std::sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.from < b.from; });
    for (qsizetype i = 1; i < edits.size(); ++i) {
        if (edits.at(i).from < edits.at(i - 1).to) {
            setError(error, QStringLiteral("模板的书签相互重叠，无法填写。"));
            return false;
        }
    }
    QString filled = text;
    for (qsizetype i = edits.size() - 1; i >= 0; --i)
        filled.replace(edits.at(i).from, edits.at(i).to - edits.at(i).from, edits.at(i).replacement);
    *result = (bom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + filled.toUtf8();
    return true;
}
