// The template service: the template file parser (faults named by line, garbage,
// truncated and oversized files), the library (a malformed file is left out and the
// others served, duplicate ids, reloading when a teacher edits the folder, seeding), and
// the routes over HTTP (unknown and garbage catids, document downloads).

#include "support/testserver.h"
#include "templatefile.h"
#include "templatelibrary.h"

#include <QtTest>

#include <atomic>
#include <thread>

#include <json/json.h>

using namespace PennovaTemplates;

namespace {

const char *const GoodHigh = "id: 42\nkind: high\ncategory: 书信|Letters\nname: 短名|Short letter\n"
                             "description: 说明\ntitle: A Title || 标题\n"
                             "[block]\nDear [姓名，如 Tom], || 亲爱的[姓名，如 Tom]：\n"
                             "[block]\nFirst line. || 第一句。\n[alternative]\nOther line. || 另一句。\n"
                             "[common]\nThanks. || 谢谢。\n";

void writeFile(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

Json::Value parseJson(const std::string &text)
{
    Json::Value v;
    Json::Reader().parse(text, v);
    return v;
}

} // namespace

class TestTemplateService : public QObject
{
    Q_OBJECT

private slots:
    void parsesAWholeTemplate()
    {
        const TemplateFileResult r = TemplateFileParser::parse(GoodHigh);
        QVERIFY2(r.ok, r.error.c_str());
        QCOMPARE(r.file.id, 42);
        QCOMPARE(r.file.blocks.size(), std::size_t(2));
        QCOMPARE(r.file.blocks[1].size(), std::size_t(2)); // own wording and one alternative
        QCOMPARE(r.file.blocks[1][1][0].content, std::string("Other line."));
        QCOMPARE(r.file.title.translation, std::string("标题"));
        // A paragraph mark ends both sides with a line feed.
        const auto closing = TemplateFileParser::parse(std::string(GoodHigh) + "[block]\nYours, \\n || 你的，\\n\nTom || 汤姆\n");
        QVERIFY2(closing.ok, closing.error.c_str());
        QCOMPARE(closing.file.blocks[2][0][0].content, std::string("Yours,\n"));
        QCOMPARE(closing.file.blocks[2][0][0].translation, std::string("你的，\n"));
    }

    void namesTheFaultyLine_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("line");
        const QByteArray head = "id: 7\nkind: high\ncategory: C\nname: N\ntitle: T || 题\n";
        QTest::newRow("sentence without translation") << head + "[block]\nNo translation here.\n" << 7;
        QTest::newRow("empty Chinese side") << head + "[block]\nHello. ||   \n" << 7;
        QTest::newRow("unclosed key word") << head + "[block]\nDear [姓名，如 Tom, || 亲爱的\n" << 7;
        QTest::newRow("nested key word") << head + "[block]\nA [b [c]] d. || 甲\n" << 7;
        QTest::newRow("backslash in text") << head + "[block]\nC:\\road. || 路\n" << 7;
        QTest::newRow("two bars") << head + "[block]\nA || B || C\n" << 7;
        QTest::newRow("unknown section") << head + "[blocks]\n" << 6;
        QTest::newRow("alternative before block") << head + "[alternative]\nA. || 甲\n" << 6;
        QTest::newRow("empty alternative") << head + "[block]\nA. || 甲\n[alternative]\n[common]\nB. || 乙\n" << 8;
        QTest::newRow("empty last block") << head + "[block]\n" << 6;
        QTest::newRow("id not a number") << QByteArray("id: 12a\n") << 1;
        QTest::newRow("id zero") << QByteArray("id: 0\n") << 1;
        QTest::newRow("id too large") << QByteArray("id: 123456789012\n") << 1;
        QTest::newRow("unknown kind") << QByteArray("id: 1\nkind: medium\n") << 2;
        QTest::newRow("unknown key") << QByteArray("id: 1\ncolour: red\n") << 2;
        QTest::newRow("key without value") << QByteArray("id: 1\nname:\n") << 2;
        QTest::newRow("garbage line") << QByteArray("id: 1\n\x01\x02 garbage\n") << 2;
        QTest::newRow("truncated: no block") << head << 5;
        QTest::newRow("truncated: no title") << QByteArray("id: 7\nkind: high\ncategory: C\nname: N\n") << 4;
        QTest::newRow("section before kind") << QByteArray("id: 7\n[block]\n") << 2;
        QTest::newRow("low without document") << QByteArray("id: 8\nkind: low\ncategory: C\nname: N\n") << 4;
        QTest::newRow("low file with a path") << QByteArray("id: 8\nkind: low\ncategory: C\nname: N\n[document]\nfile: ../x.docx\n") << 6;
        QTest::newRow("high section in low") << QByteArray("id: 8\nkind: low\n[block]\n") << 3;
        QTest::newRow("overlong line") << QByteArray("id: 1\nname: ") + QByteArray(5000, 'a') << 2;
        QTest::newRow("not UTF-8") << QByteArray("id: 1\nname: \xff\xfe\n") << 0;
        QTest::newRow("oversized file") << QByteArray(int(TemplateFileParser::MaxFileBytes) + 1, '#') << 0;
    }

    void namesTheFaultyLine()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, line);
        const TemplateFileResult r = TemplateFileParser::parse(text.toStdString());
        QVERIFY(!r.ok);
        QVERIFY(!r.error.empty());
        QCOMPARE(r.line, line);
    }

    void malformedFileIsLeftOutOthersServed()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("a.tpl"), GoodHigh);
        writeFile(dir.filePath("b.tpl"), "id: 43\nkind: high\nname: X\n[block]\nno bar\n");
        QByteArray duplicate = GoodHigh;
        duplicate.replace("短名", "重复");
        writeFile(dir.filePath("c.tpl"), duplicate);
        writeFile(dir.filePath("notes.txt"), "not a template");
        std::vector<std::string> reported;
        TemplateLibrary library(dir.path().toStdString(), std::chrono::milliseconds(0),
                                [&reported](const std::string &m) { reported.push_back(m); });
        QCOMPARE(library.ids(), std::vector<int>{42});
        QCOMPARE(reported.size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(reported[0]), QStringLiteral("b.tpl:5: a sentence needs \"English || 中文\""));
        QVERIFY(QString::fromStdString(reported[1]).startsWith(QStringLiteral("c.tpl: id 42 is already used by a.tpl")));
        const Json::Value catalog = parseJson(library.catalogJson());
        QCOMPARE(catalog.size(), 1u);
        QCOMPARE(catalog[0]["children"][0]["Name"].asString(), std::string("短名|Short letter"));
        QCOMPARE(catalog[0]["children"][0]["NodeType"].asString(), std::string("High"));
        // The same faults are not reported again while nothing changes.
        library.refresh();
        QCOMPARE(reported.size(), std::size_t(2));
    }

    void reloadsWhenTheFolderChanges()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("a.tpl"), GoodHigh);
        auto now = std::chrono::steady_clock::time_point();
        TemplateLibrary library(dir.path().toStdString(), std::chrono::seconds(2), [](const std::string &) {},
                                [&now] { return now; });
        QByteArray added = GoodHigh;
        added.replace("id: 42", "id: 50");
        writeFile(dir.filePath("new.tpl"), added);
        library.refresh();
        QCOMPARE(library.ids(), std::vector<int>{42}); // within the interval: not looked at
        now += std::chrono::seconds(2);
        library.refresh();
        QCOMPARE(library.ids(), (std::vector<int>{42, 50}));

        // An edit that breaks a file drops only that file; mending it brings it back.
        writeFile(dir.filePath("new.tpl"), added + "[block]\nbroken line\n");
        now += std::chrono::seconds(2);
        library.refresh();
        QCOMPARE(library.ids(), std::vector<int>{42});
        QCOMPARE(library.errors().size(), std::size_t(1));
        QFile::remove(dir.filePath("new.tpl"));
        QFile::remove(dir.filePath("a.tpl"));
        now += std::chrono::seconds(2);
        library.refresh();
        QVERIFY(library.ids().empty());
        QCOMPARE(library.catalogJson(), std::string("[]"));
    }

    void seedsOnlyAMissingFolder()
    {
        QTemporaryDir dir;
        const QString shipped = dir.filePath("shipped");
        QDir().mkpath(shipped + "/files");
        writeFile(shipped + "/a.tpl", GoodHigh);
        writeFile(shipped + "/files/doc.docx", "PK");
        const std::string target = dir.filePath("data/templates").toStdString();
        QVERIFY(TemplateLibrary::seed(target, shipped.toStdString()));
        QVERIFY(QFile::exists(dir.filePath("data/templates/files/doc.docx")));
        // A teacher's own changes survive the next start.
        QFile::remove(dir.filePath("data/templates/a.tpl"));
        QVERIFY(TemplateLibrary::seed(target, shipped.toStdString()));
        QVERIFY(!QFile::exists(dir.filePath("data/templates/a.tpl")));
    }

    // Several server processes start at once on a fresh data folder: each finds the whole
    // shipped folder afterwards, and no staging folder is left behind.
    void seedsOnceWhenStartedTogether()
    {
        QTemporaryDir dir;
        const QString shipped = dir.filePath("shipped");
        QDir().mkpath(shipped + "/files");
        writeFile(shipped + "/a.tpl", GoodHigh);
        for (int i = 0; i < 200; ++i)
            writeFile(shipped + QStringLiteral("/files/cover%1.png").arg(i), QByteArray(4096, 'x'));
        const std::string target = dir.filePath("data/templates").toStdString();
        QDir().mkpath(dir.filePath("data"));
        std::atomic<int> failures{0};
        std::vector<std::thread> starts;
        for (int i = 0; i < 4; ++i)
            starts.emplace_back([&] { failures += TemplateLibrary::seed(target, shipped.toStdString()) ? 0 : 1; });
        for (std::thread &t : starts)
            t.join();
        QCOMPARE(failures.load(), 0);
        QCOMPARE(QDir(dir.filePath("data/templates/files")).entryList(QDir::Files).size(), 200);
        QVERIFY(QFile::exists(dir.filePath("data/templates/a.tpl")));
        QCOMPARE(QDir(dir.filePath("data")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"templates"});
    }

    void routes_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");
        QTest::newRow("catalog") << "/tesseltemplate/gettreeall" << 200;
        QTest::newRow("detailed") << "/tesseltemplate/gethigh?catid=101" << 200;
        QTest::newRow("simple") << "/tesseltemplate/getlow?catid=701" << 200;
        QTest::newRow("simple asked as detailed") << "/tesseltemplate/gethigh?catid=701" << 404;
        QTest::newRow("unknown id") << "/tesseltemplate/gethigh?catid=999" << 404;
        QTest::newRow("no catid") << "/tesseltemplate/gethigh" << 404;
        QTest::newRow("garbage catid") << "/tesseltemplate/getlow?catid=7%2701" << 404;
        QTest::newRow("negative catid") << "/tesseltemplate/gethigh?catid=-101" << 404;
        QTest::newRow("overlong catid") << "/tesseltemplate/gethigh?catid=00000000000000000101" << 404;
        QTest::newRow("document") << "/tesseltemplate/files/resume.docx" << 200;
        QTest::newRow("outside the files folder") << "/tesseltemplate/files/../101-cet-pros-cons.tpl" << 404;
    }

    void routes()
    {
        QFETCH(QString, path);
        QFETCH(int, status);
        const auto res = m_server.get(path.toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, status);
        if (status == 200 && path.contains(QStringLiteral("catid")))
            QVERIFY(res->get_header_value("Content-Type").find("application/json") == 0);
    }

    void simpleTemplateAddressesUseTheRequestHost()
    {
        const auto res = m_server.get("/tesseltemplate/getlow?catid=701");
        QVERIFY(res && res->status == 200);
        const Json::Value v = parseJson(res->body);
        const std::string file = v["data"][0]["FileUrl"].asString();
        QCOMPARE(QString::fromStdString(file),
                 QStringLiteral("http://127.0.0.1:%1/tesseltemplate/files/leave-request-formal.docx").arg(m_server.port()));
    }

    void initTestCase() { QVERIFY(m_server.start()); }

private:
    TestServer m_server;
};

QTEST_GUILESS_MAIN(TestTemplateService)
#include "tst_templateservice.moc"
