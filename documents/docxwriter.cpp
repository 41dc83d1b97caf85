#include "docxwriter.h"

#include "documentsupport.h"
#include "zippackage.h"

#include <QXmlStreamWriter>

using DocumentSupport::WordMain;

namespace {

const char ContentTypes[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/>)"
    R"(<Override PartName="/word/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml"/>)"
    R"(</Types>)";

const char PackageRelations[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/>)"
    R"(</Relationships>)";

const char DocumentRelations[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
    R"(</Relationships>)";

// Times New Roman for Latin text, SimSun for Chinese, 12 pt.
const char Styles[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<w:styles xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main">)"
    R"(<w:docDefaults><w:rPrDefault><w:rPr>)"
    R"(<w:rFonts w:ascii="Times New Roman" w:hAnsi="Times New Roman" w:eastAsia="SimSun" w:cs="Times New Roman"/>)"
    R"(<w:sz w:val="24"/><w:szCs w:val="24"/><w:lang w:val="en-US" w:eastAsia="zh-CN"/>)"
    R"(</w:rPr></w:rPrDefault><w:pPrDefault/></w:docDefaults>)"
    R"(<w:style w:type="paragraph" w:default="1" w:styleId="Normal"><w:name w:val="Normal"/><w:qFormat/></w:style>)"
    R"(</w:styles>)";

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
           || (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

QString DocxWriter::xmlSafe(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (!c.isSurrogate() && isXmlChar(c.unicode())) {
            out += c;
        }
    }
    return out;
}

void DocxWriter::writeRunContent(QXmlStreamWriter &writer, const QString &wordNamespace, const QString &text)
{
    const QStringList breaks = xmlSafe(text).split(QLatin1Char('\n'));
    for (qsizetype b = 0; b < breaks.size(); ++b) {
        if (b > 0)
            writer.writeEmptyElement(wordNamespace, QStringLiteral("br"));
        const QStringList pieces = breaks.at(b).split(QLatin1Char('\t'));
        for (qsizetype p = 0; p < pieces.size(); ++p) {
            if (p > 0)
                writer.writeEmptyElement(wordNamespace, QStringLiteral("tab"));
            if (pieces.at(p).isEmpty())
                continue;
            writer.writeStartElement(wordNamespace, QStringLiteral("t"));
            writer.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            writer.writeCharacters(pieces.at(p));
            writer.writeEndElement();
        }
    }
}

QByteArray DocxWriter::documentXml(const QString &text)
{
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    normalized.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    normalized.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));

    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.writeStartDocument(QStringLiteral("1.0"), true);
    writer.writeNamespace(WordMain, QStringLiteral("w"));
    writer.writeStartElement(WordMain, QStringLiteral("document"));
    writer.writeStartElement(WordMain, QStringLiteral("body"));
    for (const QString &line : normalized.split(QLatin1Char('\n'))) {
        writer.writeStartElement(WordMain, QStringLiteral("p"));
        if (!line.isEmpty()) {
            writer.writeStartElement(WordMain, QStringLiteral("r"));
            writeRunContent(writer, WordMain, line);
            writer.writeEndElement();
        }
        writer.writeEndElement();
    }
    // A4 with 2.5 cm margins.
    writer.writeStartElement(WordMain, QStringLiteral("sectPr"));
    writer.writeEmptyElement(WordMain, QStringLiteral("pgSz"));
    writer.writeAttribute(WordMain, QStringLiteral("w"), QStringLiteral("11906"));
    writer.writeAttribute(WordMain, QStringLiteral("h"), QStringLiteral("16838"));
    writer.writeEmptyElement(WordMain, QStringLiteral("pgMar"));
    for (const char *side : {"top", "right", "bottom", "left"})
        writer.writeAttribute(WordMain, QString::fromLatin1(side), QStringLiteral("1418"));
    for (const char *edge : {"header", "footer"})
        writer.writeAttribute(WordMain, QString::fromLatin1(edge), QStringLiteral("851"));
    writer.writeAttribute(WordMain, QStringLiteral("gutter"), QStringLiteral("0"));
    writer.writeEndElement();
    writer.writeEndElement();
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

bool DocxWriter::write(const QString &path, const QString &text, QString *error)
{
    return ZipPackage::create(path,
                              {{QStringLiteral("[Content_Types].xml"), QByteArray(ContentTypes)},
                               {QStringLiteral("_rels/.rels"), QByteArray(PackageRelations)},
                               {QStringLiteral("word/document.xml"), documentXml(text)},
                               {QStringLiteral("word/_rels/document.xml.rels"), QByteArray(DocumentRelations)},
                               {QStringLiteral("word/styles.xml"), QByteArray(Styles)}},
                              error);
}
