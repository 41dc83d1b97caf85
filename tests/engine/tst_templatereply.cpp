// The template clients: the three replies parsed into the template records (names cut
// at "|", node types compared exactly, "\u0027" and "\r" escapes, spaces stripped only
// from the English), garbage, truncated, oversized and deeply nested bodies, a late
// reply to a superseded request, and writing.ini read and written safely.

#include "hightemplatedownloader.h"
#include "lowtemplatedownloader.h"
#include "support/scriptedhttpserver.h"
#include "templatereply.h"
#include "writingcatalog.h"
#include "writingchoices.h"

#include <QtTest>

using namespace ZeltraLib;

class TestTemplateReply : public QObject
{
    Q_OBJECT

private slots:
    void catalogNodes()
    {
        const QByteArray body = "[{\"Id\":1,\"Name\":\"Letters|business formal\",\"NodeType\":\"Category\",\"children\":["
            "            {\"Id\":11,\"Name\":\"Complaint|投诉 letter\",\"NodeType\":\"High\"},"
            "            {\"Id\":12,\"Name\":\"Form\",\"NodeType\":\"Low\"},"
            "            {\"Id\":13,\"Name\":\"lower\",\"NodeType\":\"high\",\"children\":[{\"Id\":99,\"Name\":\"x\",\"NodeType\":\"High\"}]},"
            "            {\"Id\":14,\"Name\":\"typeless\",\"children\":\"not an array\"}]},"
            "            {\"Id\":\"2\",\"Name\":5}]";
        QList<TemplateCatalogNode> list;
        QVERIFY(TemplateReply::parseCatalog(body, &list));
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].shortName, QStringLiteral("Letters"));
        QCOMPARE(list[0].name, QStringLiteral("Letters|business formal"));
        const auto &children = list[0].children;
        QCOMPARE(children.size(), 4);
        QCOMPARE(children[0].nodeType, int(TemplateCatalogNode::High));
        QCOMPARE(children[0].shortName, QStringLiteral("Complaint"));
        QCOMPARE(children[1].nodeType, int(TemplateCatalogNode::Low));
        // "high" in lower case is a category, and reads its children.
        QCOMPARE(children[2].nodeType, int(TemplateCatalogNode::Category));
        QCOMPARE(children[2].children.size(), 1);
        QCOMPARE(children[3].children.size(), 0);
        // Values of the wrong type read as 0 or empty.
        QCOMPARE(list[1].id, 0);
        QCOMPARE(list[1].name, QString());
    }

    void badBodiesLeaveTheTargetAlone_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbage") << QByteArray("\x00\xff<html>502</html>", 17);
        QTest::newRow("truncated") << QByteArray("[{\"Id\":1,\"Name\":\"A");
        QTest::newRow("a bare number") << QByteArray("42");
        QTest::newRow("nested beyond the limit") << QByteArray(5000, '[') + QByteArray(5000, ']');
        QTest::newRow("oversized") << QByteArray("[") + QByteArray(TemplateReply::MaxBodyBytes, ' ') + "]";
    }

    void badBodiesLeaveTheTargetAlone()
    {
        QFETCH(QByteArray, body);
        QList<TemplateCatalogNode> list{TemplateCatalogNode{}};
        QVERIFY(!TemplateReply::parseCatalog(body, &list));
        QCOMPARE(list.size(), 1);
        HighTemplate high;
        high.catId = 5;
        QVERIFY(!TemplateReply::parseHigh(body, &high));
        QCOMPARE(high.catId, 5);
        QList<LowTemplateItem> items;
        QString description = QStringLiteral("old");
        QVERIFY(!TemplateReply::parseLow(body, &items, &description));
        QVERIFY(items.isEmpty());
    }

    void detailedTemplate()
    {
        const QByteArray body = "{\"catId\":7,\"description\":\"d\",\"title\":{\"Content\":\"  It\\u0027s  \",\"Translation\":\"  标题 \"},"
                                "\"css\":[{\"Content\":\"Line\\rbreak\",\"Translation\":\"换\\r行\"}],"
                                "\"bls\":[{\"ss\":[{\"Content\":\"A.\",\"Translation\":\"甲。\"}],"
                                "\"rbs\":[{\"ss\":[{\"Content\":\"B.\"}]},{\"ss\":[]}]},{\"ss\":[{\"Content\":\"\\n\"}]}]}";
        HighTemplate t;
        QVERIFY(TemplateReply::parseHigh(body, &t));
        QCOMPARE(t.catId, 7);
        QCOMPARE(t.title.content, QStringLiteral("It's"));      // escape and spaces gone
        QCOMPARE(t.title.translation, QStringLiteral("  标题 ")); // translation unchanged
        QCOMPARE(t.commonSentences[0].content, QStringLiteral("Line\nbreak"));
        QCOMPARE(t.commonSentences[0].translation, QStringLiteral("换\n行"));
        QCOMPARE(t.blocks.size(), 2);
        QCOMPARE(t.blocks[0].size(), 3); // its own wording and two from "rbs"
        QCOMPARE(t.blocks[0][1][0].content, QStringLiteral("B."));
        QCOMPARE(t.blocks[0][1][0].translation, QString());
        QCOMPARE(t.blocks[1][0][0].content, QStringLiteral("\n")); // a paragraph break stays
        // "\r" is a line feed only in a detailed template.
        QList<LowTemplateItem> items;
        QString description;
        QVERIFY(TemplateReply::parseLow("{\"Description\":\"a\\rb\",\"data\":[{\"Id\":3,\"Title\":\"T\\u0027s\",\"Blanks\":[\"[名，如 Li]\",4]}]}", &items, &description));
        QCOMPARE(description, QStringLiteral("a\rb"));
        QCOMPARE(items[0].title, QStringLiteral("T's"));
        QCOMPARE(items[0].blanks, QStringList{QStringLiteral("[名，如 Li]")});
    }

    void lateReplyOfASupersededRequestIsDropped()
    {
        ScriptedHttpServer server;
        server.setHeld("/tesseltemplate/gethigh?catid=1", true);
        server.setReply("/tesseltemplate/gethigh?catid=1", "{\"catId\":1,\"bls\":[{\"ss\":[{\"Content\":\"Old.\"}]}]}");
        server.setReply("/tesseltemplate/gethigh?catid=2", "{\"catId\":2,\"bls\":[{\"ss\":[{\"Content\":\"New.\"}]}]}");
        HighTemplateDownloader downloader(server.host());
        QSignalSpy finished(&downloader, &HighTemplateDownloader::signalGetTemplateFinished);
        QSignalSpy asked(&server, &ScriptedHttpServer::requestReceived);
        HighTemplate first, second;
        downloader.getTemplate(1, &first);
        QVERIFY(asked.wait());
        downloader.getTemplate(2, &second);
        QVERIFY(finished.wait());
        server.release("/tesseltemplate/gethigh?catid=1");
        QTRY_COMPARE(server.count("/tesseltemplate/gethigh?catid=2"), 1);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(second.catId, 2);
        QCOMPARE(second.blocks.size(), 1); // not mixed with the old template's blocks
        QCOMPARE(first.catId, 0);
    }

    void failedRequestsStillFinish()
    {
        ScriptedHttpServer server;
        server.setReply("/tesseltemplate/getlow?catid=9", "not found", 404);
        LowTemplateDownloader low(server.host());
        QSignalSpy lowDone(&low, &LowTemplateDownloader::signalGetTemplateFinished);
        QList<LowTemplateItem> items;
        low.getTemplate(9, &items);
        QVERIFY(lowDone.wait());
        QCOMPARE(lowDone.first().first().toString(), QString());
        QVERIFY(items.isEmpty());
        WritingCatalog catalog(QStringLiteral("127.0.0.1:1")); // nothing listens there
        QSignalSpy catalogDone(&catalog, &WritingCatalog::signalGetCatalogFinished);
        QList<TemplateCatalogNode> nodes;
        catalog.getCatalog(&nodes);
        QVERIFY(catalogDone.wait());
        QVERIFY(nodes.isEmpty());
    }

    void choicesFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("entries");
        QByteArray good;
        {
            QDataStream out(&good, QIODevice::WriteOnly);
            out << WritingChoices::Map{{101, {1, 0, 2}}, {-3, {}}};
        }
        QTest::newRow("as Qt writes the hash") << good << 2;
        QTest::newRow("truncated") << good.left(good.size() - 2) << 0;
        QTest::newRow("trailing garbage") << good + "xx" << 0;
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("huge count, no data") << QByteArray("\xff\xff\xff\xff\x00\x00\x00\x01\x7f\xff\xff\xff", 12) << 0;
    }

    void choicesFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, entries);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("writing.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const WritingChoices::Map map = WritingChoices::read(path);
        QCOMPARE(map.size(), entries);
        if (entries)
            QCOMPARE(map.value(101), (QList<qint32>{1, 0, 2}));
    }

    void choicesAreWrittenWholeOrNotAtAll()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sub/writing.ini"));
        QVERIFY(!WritingChoices::write(path, {}));
        QVERIFY(!QFile::exists(path)); // nothing chosen: no file
        const WritingChoices::Map map{{7, {1, 1}}, {8, {0}}};
        QVERIFY(WritingChoices::write(path, map));
        QCOMPARE(WritingChoices::read(path), map);
        // A folder in the way of the file: the write fails and the old file stays whole.
        const QString blocked = dir.filePath(QStringLiteral("blocked"));
        QVERIFY(WritingChoices::write(blocked, map));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        const bool wrote = WritingChoices::write(blocked, {{9, {2}}});
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!wrote) // (root may write anyway)
            QCOMPARE(WritingChoices::read(blocked), map);
        QVERIFY(WritingChoices::defaultPath().endsWith(QStringLiteral("/writing.ini")));
    }
};

QTEST_GUILESS_MAIN(TestTemplateReply)
#include "tst_templatereply.moc"
