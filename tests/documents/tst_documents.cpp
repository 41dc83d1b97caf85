// Reading, writing and filling documents: python3-docx fixtures, hostile packages,
// plain-text encodings and the LibreOffice path (a stand-in script unless installed).
#include "bookmarkfiller.h"
#include "documentfiles.h"
#include "docxtextreader.h"
#include "docxwriter.h"
#include "officeconverter.h"
#include "pennovapaths.h"
#include "plaintextfile.h"
#include "wordoperations.h"
#include "zippackage.h"
#include "support/englishwords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString fixture(const QString &name)
{
    return QStringLiteral(PENNOVA_SOURCE_DIR "/tests/documents/fixtures/") + name;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray part(const QString &path, const QString &name)
{
    ZipPackage package;
    QByteArray data;
    QString error;
    if (!package.open(path, &error) || !package.read(name, 1 << 26, &data, &error))
        qWarning() << path << name << error;
    return data;
}

// Debian's python3 carries python3-docx; a python of another installation may not.
QString pythonWithDocx()
{
    static const QString found = [] {
        for (const QString &python : {QStringLiteral("/usr/bin/python3"), QStandardPaths::findExecutable("python3")}) {
            if (!python.isEmpty() && QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import docx")}) == 0)
                return python;
        }
        return QString();
    }();
    return found;
}

// What python-docx reads from `path` (paragraph texts, or with --bold the bold runs).
QStringList throughPythonDocx(const QString &python, const QString &path, bool bold = false)
{
    QProcess process;
    QStringList args{fixture(QStringLiteral("read_paragraphs.py"))};
    if (bold)
        args << QStringLiteral("--bold");
    process.start(python, args << path);
    process.waitForFinished(60000);
    QStringList out;
    for (const QJsonValue &value : QJsonDocument::fromJson(process.readAllStandardOutput()).array())
        out << value.toString();
    return out;
}

// A stand-in for soffice: logs its arguments, then "converts" by copying `result`
// into --outdir under the input's base name and the target suffix; "sleep" hangs.
QString fakeOffice(const QTemporaryDir &dir, const QString &behaviour, const QString &result = QString())
{
    const QString path = dir.filePath(QStringLiteral("soffice-") + behaviour);
    QByteArray script = "#!/bin/sh\necho \"$@\" >> '" + dir.filePath("args.log").toUtf8() + "'\n";
    if (behaviour == QLatin1String("sleep")) // a launcher whose office process hangs
        script += "sleep 30 &\necho $! > '" + dir.filePath("child.pid").toUtf8() + "'\nwait\n";
    else if (behaviour == QLatin1String("fail"))
        script += "exit 1\n";
    else
        script += "fmt=\"$5\"; out=\"$7\"; in=\"$8\"; base=$(basename \"$in\"); base=\"${base%.*}\"\n"
                  "cp '" + result.toUtf8() + "' \"$out/$base.$fmt\"\n";
    writeBytes(path, script);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

} // namespace

class TestDocuments : public QObject
{
    Q_OBJECT
private slots:
    void readsFixtures_data();
    void readsFixtures();
    void refusesHostileInput_data();
    void refusesHostileInput();
    void entryNames_data();
    void entryNames();
    void writtenDocxReadsBack_data();
    void writtenDocxReadsBack();
    void acceptsWordStylePaths();
    void fillsBookmarks_data();
    void fillsBookmarks();
    void fillKeepsEverythingElse();
    void plainText_data();
    void plainText();
    void officeConversion_data();
    void officeConversion();
    void libreOfficeRoundTrip_data();
    void libreOfficeRoundTrip();
};

void TestDocuments::readsFixtures_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"paragraphs", "table", "splitruns", "chinese", "empty", "bookmarks", "fields"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestDocuments::readsFixtures()
{
    QFETCH(QString, name);
    const QString expected = QString::fromUtf8(fileBytes(fixture(name + QStringLiteral(".expected.txt"))));
    QString text = QStringLiteral("unchanged");
    QString error;
    QVERIFY2(readWordText(fixture(name + QStringLiteral(".docx")), text, &error), qPrintable(error));
    QCOMPARE(text, expected);
}

void TestDocuments::refusesHostileInput_data()
{
    QTest::addColumn<QString>("path");    // a fixture, or a file made by the test
    QTest::addColumn<QString>("reason");  // part of the message
    QTest::addColumn<bool>("chinese");    // the whole message is Chinese (no library text in it)
    QTest::newRow("zip bomb") << fixture("zipbomb.docx") << "超过" << true;
    QTest::newRow("XML bomb") << fixture("xmlbomb.docx") << "DTD" << false;
    QTest::newRow("no document part") << fixture("nodocument.docx") << "缺少" << true;
    QTest::newRow("path traversal entry") << fixture("traversal.docx") << "不安全" << true;
    QTest::newRow("garbage") << "garbage" << "不是有效的 Word 文档" << true;
    QTest::newRow("truncated package") << "truncated" << "不是有效的 Word 文档" << true;
    QTest::newRow("200 MB file") << "huge" << "超过 64 MB" << true;
    QTest::newRow("200 MB text file") << "huge.txt" << "超过 64 MB" << true;
    QTest::newRow("missing file") << "missing" << "不存在" << true;
    QTest::newRow("missing text file") << "missing.txt" << "不存在" << true;
    QTest::newRow("a folder named like a text file") << "folder.txt" << "文件夹" << true;
    QTest::newRow("time limit") << "slow" << "超时" << true;
}

void TestDocuments::refusesHostileInput()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QFETCH(bool, chinese);
    QTemporaryDir dir;
    int timeoutMs = DocumentFiles::defaultParseTimeoutMs();
    if (!path.startsWith(QLatin1Char('/'))) {
        const QString made = dir.filePath(path.contains(QLatin1Char('.')) ? path : path + QStringLiteral(".docx"));
        if (path == QLatin1String("garbage")) {
            QVERIFY(writeBytes(made, QByteArray(5000, '\x9c')));
        } else if (path == QLatin1String("truncated")) {
            const QByteArray whole = fileBytes(fixture("chinese.docx"));
            QVERIFY(writeBytes(made, whole.left(whole.size() / 2)));
        } else if (path.startsWith(QLatin1String("huge"))) {
            QFile file(made);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(200LL * 1024 * 1024)); // sparse
        } else if (path == QLatin1String("slow")) {
            QVERIFY(DocxWriter::write(made, QStringLiteral("line\n").repeated(5000), nullptr));
            timeoutMs = 0; // already over when reading starts
        } else if (path == QLatin1String("folder.txt")) {
            QVERIFY(QDir().mkpath(made));
        }
        path = made;
    }
    QString text = QStringLiteral("kept");
    QString error;
    QVERIFY(!DocumentFiles(OfficeConverter(), timeoutMs).read(path, &text, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    if (chinese)
        QVERIFY2(!TestTexts::hasEnglishWord(error), qPrintable(error));
    QCOMPARE(text, QStringLiteral("kept"));
    // Filling refuses the same packages (the hostile part is the one it must rewrite).
    if (path.endsWith(QLatin1String("bomb.docx")) || path.endsWith(QLatin1String("traversal.docx"))) {
        const QByteArray before = fileBytes(path);
        QVERIFY(!fillWordBookmarks(path, {"A"}, {{"A", "x"}}, &error));
        QCOMPARE(fileBytes(path), before);
    }
}

void TestDocuments::entryNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("safe");
    QTest::newRow("main part") << "word/document.xml" << true;
    QTest::newRow("content types") << "[Content_Types].xml" << true;
    QTest::newRow("folder entry") << "word/media/" << true;
    QTest::newRow("colon inside a name") << "customXml/item:1.xml" << true;
    QTest::newRow("Chinese name") << "word/媒体.png" << true;
    QTest::newRow("parent step") << "../evil.txt" << false;
    QTest::newRow("parent step inside") << "word/../../evil.txt" << false;
    QTest::newRow("dot step") << "word/./document.xml" << false;
    QTest::newRow("absolute") << "/etc/passwd" << false;
    QTest::newRow("drive letter") << "C:/evil.txt" << false;
    QTest::newRow("backslash") << "word\\..\\evil.txt" << false;
    QTest::newRow("empty") << "" << false;
}

void TestDocuments::entryNames()
{
    QFETCH(QString, name);
    QFETCH(bool, safe);
    QCOMPARE(ZipPackage::isSafeName(name), safe);
}

void TestDocuments::writtenDocxReadsBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("readBack"); // what a reader gives: one line per paragraph
    QTest::newRow("paragraphs") << "Title\nFirst paragraph.\n\nLast one." << "Title\nFirst paragraph.\n\nLast one.";
    QTest::newRow("Chinese and emoji") << "我的作文 😀\n第二段：“引号”" << "我的作文 😀\n第二段：“引号”";
    QTest::newRow("tabs and markup characters") << "a\tb <c> & \"d\"" << "a\tb <c> & \"d\"";
    QTest::newRow("CRLF and CR line ends") << "one\r\ntwo\rthree" << "one\ntwo\nthree";
    QTest::newRow("control characters dropped") << QString("bell\x07 and nul") + QChar(0) << "bell and nul";
    QTest::newRow("lone surrogate dropped") << QString("x") + QChar(0xD800) + "y" << "xy";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("spaces kept") << "  indented  " << "  indented  ";
}

void TestDocuments::writtenDocxReadsBack()
{
    QFETCH(QString, text);
    QFETCH(QString, readBack);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.docx"));
    QString error;
    QVERIFY2(saveWordText(path, text, &error), qPrintable(error));
    QString read;
    QVERIFY2(readWordText(path, read, &error), qPrintable(error));
    QCOMPARE(read, readBack);

    const QString python = pythonWithDocx();
    if (python.isEmpty())
        QSKIP("python3-docx is not installed");
    QCOMPARE(throughPythonDocx(python, path), readBack.split(QLatin1Char('\n')));
}

// Callers written for Word hand over paths with "\" separators.
void TestDocuments::acceptsWordStylePaths()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.docx"));
    const QString wordStyle = QString(path).replace(QLatin1Char('/'), QLatin1Char('\\'));
    QVERIFY(saveWordText(wordStyle, QStringLiteral("text")));
    QVERIFY(QFile::exists(path));
    QVERIFY(fillWordBookmarks(wordStyle, {"A"}, {}));
    QString text;
    QVERIFY(readWordText(wordStyle, text));
    QCOMPARE(text, QStringLiteral("text"));
}

void TestDocuments::fillsBookmarks_data()
{
    QTest::addColumn<QStringList>("blanks");
    QTest::addColumn<QStringList>("values"); // value per distinct blank, in order of first use
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("firstBold"); // b0's value kept the bold of its first run
    const QString original = QString::fromUtf8(fileBytes(fixture("bookmarks.expected.txt")));
    QTest::newRow("spanning three runs") << QStringList{"T"} << QStringList{"Ms Wang"}
                                         << QString(original).replace("[name of the teacher]", "Ms Wang") << true;
    QTest::newRow("repeated blank fills b0 and b2 only")
        << QStringList{"A", "B", "A"} << QStringList{"王老师", ""}
        << QString(original).replace("[name of the teacher]", "王老师").replace("Signed: ", "Signed: 王老师") << true;
    QTest::newRow("one run, markup and line break")
        << QStringList{"X", "Y"} << QStringList{"", "<fish> & \"chips\"\tnow\nnext"}
        << QString(original).replace("the topic", "<fish> & \"chips\"\tnow\nnext") << false;
    QTest::newRow("no values leaves the file") << QStringList{"A"} << QStringList{""} << original << false;
}

void TestDocuments::fillsBookmarks()
{
    QFETCH(QStringList, blanks);
    QFETCH(QStringList, values);
    QFETCH(QString, expected);
    QFETCH(bool, firstBold);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("template.docx"));
    QVERIFY(QFile::copy(fixture("bookmarks.docx"), path));
    QHash<QString, QString> byBlank;
    for (const QString &blank : blanks) {
        if (!byBlank.contains(blank))
            byBlank.insert(blank, values.value(int(byBlank.size())));
    }
    const QByteArray before = fileBytes(path);
    QString error;
    QVERIFY2(fillWordBookmarks(path, blanks, byBlank, &error), qPrintable(error));
    QString text;
    QVERIFY2(readWordText(path, text, &error), qPrintable(error));
    QCOMPARE(text, expected);
    if (expected == QString::fromUtf8(fileBytes(fixture("bookmarks.expected.txt"))))
        QCOMPARE(fileBytes(path), before);

    const QString python = pythonWithDocx();
    if (python.isEmpty())
        QSKIP("python3-docx is not installed");
    QCOMPARE(throughPythonDocx(python, path).join(QLatin1Char('\n')), expected);
    const QString b0 = byBlank.value(blanks.first());
    QCOMPARE(throughPythonDocx(python, path, true),
             firstBold ? QStringList{b0} : QStringList{QStringLiteral("[na")});
}

void TestDocuments::fillKeepsEverythingElse()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("template.docx"));
    QVERIFY(QFile::copy(fixture("bookmarks.docx"), path));
    const QByteArray xml = part(path, "word/document.xml");
    QString error;
    QVERIFY2(fillWordBookmarks(path, {"A", "B"}, {{"A", "Ms Wang"}, {"B", "trees"}}, &error), qPrintable(error));
    const QByteArray filled = part(path, "word/document.xml");

    // Outside the two bookmarks every byte is the same.
    const auto cut = [](const QByteArray &x, int id) {
        const qsizetype from = x.indexOf("w:name=\"b" + QByteArray::number(id) + "\"/>");
        const qsizetype to = x.indexOf("<w:bookmarkEnd w:id=\"" + QByteArray::number(id) + "\"/>");
        return std::make_pair(from, to);
    };
    const auto [from0, to0] = cut(xml, 0);
    const auto [from1, to1] = cut(xml, 1);
    const auto [nfrom0, nto0] = cut(filled, 0);
    const auto [nfrom1, nto1] = cut(filled, 1);
    QVERIFY(from0 > 0 && to0 > from0 && from1 > to0 && to1 > from1);
    QCOMPARE(filled.left(nfrom0), xml.left(from0));
    QCOMPARE(filled.mid(nto0, nfrom1 - nto0), xml.mid(to0, from1 - to0));
    QCOMPARE(filled.mid(nto1), xml.mid(to1));
    QVERIFY(filled.mid(nfrom0, nto0 - nfrom0).contains("<w:r><w:rPr><w:b/></w:rPr><w:t xml:space=\"preserve\">Ms Wang</w:t></w:r>"));
    // The other parts of the package too.
    for (const char *name : {"word/styles.xml", "[Content_Types].xml", "_rels/.rels", "docProps/core.xml"})
        QCOMPARE(part(path, QString::fromLatin1(name)), part(fixture("bookmarks.docx"), QString::fromLatin1(name)));

    // A bookmark the template lacks: refused, and the file stays as it was.
    const QByteArray before = fileBytes(path);
    QVERIFY(!fillWordBookmarks(path, {"A", "B", "C", "D", "E"}, {{"E", "late"}}, &error));
    QVERIFY2(error.contains("b4"), qPrintable(error));
    QCOMPARE(fileBytes(path), before);
}

void TestDocuments::plainText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("text");
    const QString chinese = QStringLiteral("你好 world");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + chinese.toUtf8() << true << chinese;
    QTest::newRow("UTF-8 without BOM") << chinese.toUtf8() << true << chinese;
    QByteArray le("\xFF\xFE"), be("\xFE\xFF");
    for (const QChar c : chinese) {
        le += char(c.unicode() & 0xFF);
        le += char(c.unicode() >> 8);
        be += char(c.unicode() >> 8);
        be += char(c.unicode() & 0xFF);
    }
    QTest::newRow("UTF-16LE with BOM") << le << true << chinese;
    QTest::newRow("UTF-16BE with BOM") << be << true << chinese;
    QTest::newRow("UTF-16 cut in a unit") << le.left(le.size() - 1) << false << "";
    QTest::newRow("GB18030 (not UTF-8)") << QByteArray("\xC4\xE3\xBA\xC3 world") << true << chinese;
    QTest::newRow("neither UTF-8 nor GB18030") << QByteArray("ab\xFF\xFF") << false << "";
    QTest::newRow("empty") << QByteArray() << true << "";
}

void TestDocuments::plainText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, readable);
    QFETCH(QString, text);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("essay.TXT"));
    QVERIFY(writeBytes(path, bytes));
    QString read = QStringLiteral("kept");
    QString error;
    QCOMPARE(readWordText(path, read, &error), readable);
    QCOMPARE(read, readable ? text : QStringLiteral("kept"));
    QCOMPARE(error.isEmpty(), readable);
    if (readable) { // saved back as UTF-8, whatever it came in
        QVERIFY(saveWordText(path, read, &error));
        QCOMPARE(fileBytes(path), text.toUtf8());
    }
}

void TestDocuments::officeConversion_data()
{
    QTest::addColumn<QString>("behaviour"); // of the stand-in, or "none" without LibreOffice
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("reason");
    QTest::newRow(".doc converted") << "convert" << "doc" << true << "";
    QTest::newRow(".odt converted") << "convert" << "odt" << true << "";
    QTest::newRow(".rtf converted") << "convert" << "rtf" << true << "";
    QTest::newRow("no LibreOffice") << "none" << "doc" << false << "需要安装 LibreOffice 才能打开 .doc 文件。";
    QTest::newRow("no LibreOffice, .rtf") << "none" << "rtf" << false << "需要安装 LibreOffice 才能打开 .rtf 文件。";
    QTest::newRow("conversion fails") << "fail" << "doc" << false << "无法转换";
    QTest::newRow("conversion hangs") << "sleep" << "doc" << false << "超时";
    QTest::newRow(".doc that is a .docx needs none") << "none" << "docx-as-doc" << true << "";
}

void TestDocuments::officeConversion()
{
    QFETCH(QString, behaviour);
    QFETCH(QString, suffix);
    QFETCH(bool, ok);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const OfficeConverter converter(behaviour == QLatin1String("none")
                                        ? QStringLiteral("/nonexistent/soffice")
                                        : fakeOffice(dir, behaviour, fixture("chinese.docx")),
                                    // short only where the stand-in hangs: a busy machine may take
                                    // longer than that to start a script that answers
                                    behaviour == QLatin1String("sleep") ? 300 : 30000);
    const DocumentFiles files(converter);
    // The input is no real .doc: only the stand-in's copy makes it readable.
    const QString input = dir.filePath(QStringLiteral("我的 essay.") + suffix.left(3));
    QVERIFY(suffix == QLatin1String("docx-as-doc") ? QFile::copy(fixture("chinese.docx"), input)
                                                 : writeBytes(input, "{\\rtf1 not really}"));
    QString text = QStringLiteral("kept");
    QString error;
    QCOMPARE(files.read(input, &text, &error), ok);
    QCOMPARE(text, ok ? QString::fromUtf8(fileBytes(fixture("chinese.expected.txt"))) : QStringLiteral("kept"));
    QVERIFY2(ok ? error.isEmpty() : error.contains(reason), qPrintable(error));
    if (behaviour == QLatin1String("sleep")) { // nothing of it stays behind
        const QByteArray child = fileBytes(dir.filePath(QStringLiteral("child.pid"))).trimmed();
        QVERIFY(!child.isEmpty());
        // gone, or a zombie waiting for whoever reaps orphans here
        const auto ended = [&child] {
            const QByteArray stat = fileBytes(QStringLiteral("/proc/") + QString::fromLatin1(child) + QStringLiteral("/stat"));
            const int close = stat.lastIndexOf(')');
            return stat.isEmpty() || (close > 0 && stat.mid(close + 2, 1) == "Z");
        };
        QTRY_VERIFY(ended());
    }
    if (behaviour == QLatin1String("convert")) {
        const QString args = QString::fromUtf8(fileBytes(dir.filePath(QStringLiteral("args.log"))));
        QVERIFY2(args.startsWith(QLatin1String("--headless")) && args.contains(QLatin1String("--convert-to docx")),
                 qPrintable(args));
        QVERIFY2(!args.contains(dir.path()), "converts a private copy, not the user's file in place");
    }
}

void TestDocuments::libreOfficeRoundTrip_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow(".doc written and read") << "doc";
    QTest::newRow(".odt read") << "odt";
    QTest::newRow(".doc template filled") << "doc-template";
}

void TestDocuments::libreOfficeRoundTrip()
{
    QFETCH(QString, format);
    const OfficeConverter installed;
    if (!installed.isAvailable())
        QSKIP("LibreOffice is not installed");
    const DocumentFiles files(installed);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("round.") + format.left(3));
    QString text = QStringLiteral("My Trip\nWe saw the sea.\t中文也在。");
    QString error;
    // Each conversion starts LibreOffice afresh (a second or more): the .doc and .odt
    // inputs are fixtures LibreOffice made from the .docx of the same name.
    if (format == QLatin1String("doc")) {
        QVERIFY2(files.write(path, text, &error), qPrintable(error));
        QVERIFY(!fileBytes(path).startsWith("PK")); // a real Word 97 file, not a renamed .docx
    } else if (format == QLatin1String("doc-template")) {
        QVERIFY(QFile::copy(fixture("bookmarks.doc"), path));
        QVERIFY(!fileBytes(path).startsWith("PK"));
        QVERIFY2(files.fillBookmarks(path, {"A", "B"}, {{"A", "王老师"}}, &error), qPrintable(error));
        QVERIFY(!fileBytes(path).startsWith("PK"));
        text = QString::fromUtf8(fileBytes(fixture("bookmarks.expected.txt"))).replace("[name of the teacher]", "王老师");
    } else {
        QVERIFY(QFile::copy(fixture("chinese.odt"), path));
        QVERIFY(fileBytes(path).contains("application/vnd.oasis.opendocument.text"));
        text = QString::fromUtf8(fileBytes(fixture("chinese.expected.txt")));
    }
    QString read;
    QVERIFY2(files.read(path, &read, &error), qPrintable(error));
    QCOMPARE(read, text);
}

QTEST_GUILESS_MAIN(TestDocuments)
#include "tst_documents.moc"
