#include "docxtextreader.h"

#include "documentsupport.h"
#include "zippackage.h"

#include <QList>
#include <QStringList>
#include <QXmlStreamReader>

using DocumentSupport::setError;
using DocumentSupport::WordMain;
using DocumentSupport::WordStrict;

namespace {

const QString MarkupCompatibility = QStringLiteral("http://schemas.openxmlformats.org/markup-compatibility/2006");

bool isWord(const QXmlStreamReader &reader)
{
    return reader.namespaceUri() == WordMain || reader.namespaceUri() == WordStrict;
}

// Elements whose content is no document text: properties (their w:tab are tab stops),
// field codes, deleted text.
bool isSkipped(QStringView name)
{
    static const QStringList names = {"pPr", "rPr", "sectPr", "tblPr", "trPr", "tcPr", "tblGrid",
                                      "instrText", "delText", "delInstrText"};
    return names.contains(name);
}

QString xmlError(const QXmlStreamReader &reader)
{
    return QStringLiteral("文档正文不是有效的 XML（第 %1 行：%2）。").arg(reader.lineNumber()).arg(reader.errorString());
}

struct Paragraph
{
    QString text;
    QStringList boxLines; // paragraphs of text boxes anchored in this one
};

} // namespace

bool DocxTextReader::extract(const QByteArray &xml, QString *text, QString *error, QDeadlineTimer deadline)
{
    QXmlStreamReader reader(xml);
    QStringList lines;
    QList<Paragraph> open;
    QList<bool> fieldInCode; // one per open complex field: true until its "separate"
    int skipDepth = 0;
    int tokens = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (++tokens % 4096 == 0 && deadline.hasExpired()) {
            setError(error, QStringLiteral("读取文档超时，已停止。"));
            return false;
        }
        if (token == QXmlStreamReader::DTD) {
            // WordprocessingML never declares a DTD; entity tricks (XML bombs) need one.
            setError(error, QStringLiteral("文档正文含有不允许的 DTD 声明，已拒绝打开。"));
            return false;
        }
        if (token == QXmlStreamReader::EndElement) {
            if (skipDepth > 0) {
                --skipDepth;
            } else if (isWord(reader) && reader.name() == QLatin1String("p") && !open.isEmpty()) {
                const Paragraph done = open.takeLast();
                QStringList &target = open.isEmpty() ? lines : open.last().boxLines;
                target << done.text << done.boxLines;
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (skipDepth > 0) {
            ++skipDepth;
            continue;
        }
        const QStringView name = reader.name();
        // Alternate content repeats itself for older readers: take the first choice only.
        if (reader.namespaceUri() == MarkupCompatibility && name == QLatin1String("Fallback")) {
            skipDepth = 1;
            continue;
        }
        if (!isWord(reader))
            continue;
        if (isSkipped(name)) {
            skipDepth = 1;
            continue;
        }
        if (name == QLatin1String("p")) {
            open.append(Paragraph());
            continue;
        }
        if (name == QLatin1String("fldChar")) {
            const QStringView type = reader.attributes().value(reader.namespaceUri().toString(),
                                                               QStringLiteral("fldCharType"));
            if (type == QLatin1String("begin"))
                fieldInCode.append(true);
            else if (type == QLatin1String("separate") && !fieldInCode.isEmpty())
                fieldInCode.last() = false;
            else if (type == QLatin1String("end") && !fieldInCode.isEmpty())
                fieldInCode.removeLast();
            continue;
        }
        if (open.isEmpty() || fieldInCode.contains(true))
            continue;
        QString &out = open.last().text;
        if (name == QLatin1String("t"))
            out += reader.readElementText(QXmlStreamReader::SkipChildElements);
        else if (name == QLatin1String("tab") || name == QLatin1String("ptab"))
            out += QLatin1Char('\t');
        else if (name == QLatin1String("br") || name == QLatin1String("cr"))
            out += QLatin1Char('\n');
        else if (name == QLatin1String("noBreakHyphen"))
            out += QLatin1Char('-');
    }
    if (reader.hasError()) {
        setError(error, xmlError(reader));
        return false;
    }
    *text = lines.join(QLatin1Char('\n'));
    return true;
}

bool DocxTextReader::mainPartName(const ZipPackage &package, QString *name, QString *error)
{
    const QString relations = QStringLiteral("_rels/.rels");
    const QString fallback = QStringLiteral("word/document.xml");
    if (!package.contains(relations)) {
        *name = fallback;
        return true;
    }
    QByteArray xml;
    if (!package.read(relations, DocumentSupport::MaxPartBytes, &xml, error))
        return false;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::DTD) {
            setError(error, QStringLiteral("文档的关系部分含有不允许的 DTD 声明，已拒绝打开。"));
            return false;
        }
        if (!reader.isStartElement() || reader.name() != QLatin1String("Relationship"))
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (!attributes.value(QStringLiteral("Type")).endsWith(QLatin1String("/officeDocument")))
            continue;
        QString target = attributes.value(QStringLiteral("Target")).toString();
        while (target.startsWith(QLatin1Char('/')))
            target.remove(0, 1);
        if (!ZipPackage::isSafeName(target)) {
            setError(error, QStringLiteral("文档含有不安全的条目名称，已拒绝打开。"));
            return false;
        }
        *name = target;
        return true;
    }
    if (reader.hasError()) {
        setError(error, QStringLiteral("文档的关系部分不是有效的 XML：%1").arg(reader.errorString()));
        return false;
    }
    setError(error, QStringLiteral("文档缺少正文部分。"));
    return false;
}

bool DocxTextReader::readFile(const QString &path, QString *text, QString *error, QDeadlineTimer deadline)
{
    ZipPackage package;
    QString part;
    QByteArray xml;
    if (!package.open(path, error) || !mainPartName(package, &part, error))
        return false;
    if (!package.contains(part)) {
        setError(error, QStringLiteral("文档缺少正文部分（%1）。").arg(part));
        return false;
    }
    return package.read(part, DocumentSupport::MaxPartBytes, &xml, error) && extract(xml, text, error, deadline);
}
