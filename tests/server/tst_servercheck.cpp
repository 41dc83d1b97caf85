// Check, polish, synonym and explanation services through real HTTP on loopback.

#include "checkroutes.h"
#include "frame.h"
#include "support/testserver.h"

#include <QtTest>

#include <json/json.h>

#include <random>
#include <thread>

namespace {
Json::Value parseJson(const std::string &text)
{
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value value;
    std::string errors;
    if (!reader->parse(text.data(), text.data() + text.size(), &value, &errors))
        return Json::Value();
    return value;
}

std::vector<std::string> toStd(const QStringList &list)
{
    std::vector<std::string> out;
    for (const QString &s : list)
        out.push_back(s.toStdString());
    return out;
}

// The offsets of every correction of a record, as "start-end".
QStringList spans(const Json::Value &record)
{
    QStringList out;
    for (const Json::Value &c : record["corrections"])
        out << QStringLiteral("%1-%2").arg(c["start"].asInt()).arg(c["end"].asInt());
    return out;
}
} // namespace

class TestServerCheck : public QObject
{
    Q_OBJECT

private:
    std::string freshKey(const std::string &name)
    {
        m_server.addUser(name, name + "@example.com", "secret123");
        return m_server.login(name, "secret123");
    }

    TestServer m_server;
    std::string m_key;
    int m_polishers = 0;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        m_key = freshKey("checker01");
        QVERIFY(!m_key.empty());
    }

    void streamsOneRecordPerCheckedSentence_data()
    {
        QTest::addColumn<QStringList>("sentences");
        QTest::addColumn<QList<int>>("configs");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("one sentence") << QStringList{"This is a test."} << QList<int>{0} << QList<int>{0};
        QTest::newRow("cached sentences are skipped")
            << QStringList{"First one.", "Second one.", "Third one."} << QList<int>{-1, 0, -1} << QList<int>{1};
        QTest::newRow("title and sentences")
            << QStringList{"My Summer", "It was hot.", "We swam."} << QList<int>{1, 0, 0} << QList<int>{0, 1, 2};
        QTest::newRow("chinese text") << QStringList{"他说 hello 世界。", "Fine."} << QList<int>{0, 0}
                                      << QList<int>{0, 1};
        QTest::newRow("everything cached") << QStringList{"Old."} << QList<int>{-1} << QList<int>{};
        QTest::newRow("no sentences") << QStringList{} << QList<int>{} << QList<int>{};
    }

    void streamsOneRecordPerCheckedSentence()
    {
        QFETCH(QStringList, sentences);
        QFETCH(QList<int>, configs);
        QFETCH(QList<int>, expected);
        const auto res = m_server.post("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(
                                           m_key, toStd(sentences), std::vector<int>(configs.begin(), configs.end()))));
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        QCOMPARE(res->get_header_value("Transfer-Encoding"), std::string("chunked"));
        std::vector<std::string> texts;
        QVERIFY(TestFrames::records(res->body, &texts));
        QCOMPARE(int(texts.size()), expected.size() + 1);
        for (int i = 0; i < expected.size(); ++i) {
            const Json::Value record = parseJson(texts[std::size_t(i)]);
            QCOMPARE(record["sentInd"].asInt(), expected[i]);
            QVERIFY(record["corrections"].isArray());
        }
        const Json::Value summary = parseJson(texts.back());
        QVERIFY(summary["sentInd"].asInt() < 0);
        QVERIFY(summary["lexicalScore"].isNumeric());
        QVERIFY(summary["lexicalScore"].asDouble() >= 0.0 && summary["lexicalScore"].asDouble() <= 1.0);
        QVERIFY(summary["syntaxScore"].asDouble() >= 0.0 && summary["syntaxScore"].asDouble() <= 1.0);
    }

    // The summary covers every sentence received: cached ones bring their error count.
    void summaryScoresTheWholeText_data()
    {
        QTest::addColumn<QList<int>>("cached");      // sentence indexes sent as -1
        QTest::addColumn<bool>("sendErrors");         // their "scoreErrors" go along
        QTest::addColumn<bool>("sameSyntax");
        QTest::newRow("everything cached") << QList<int>{0, 1, 2, 3} << true << true;
        QTest::newRow("partly cached") << QList<int>{1, 3} << true << true;
        QTest::newRow("cached with errors, counts missing") << QList<int>{0, 1} << false << false;
    }
    void summaryScoresTheWholeText()
    {
        QFETCH(QList<int>, cached);
        QFETCH(bool, sendErrors);
        QFETCH(bool, sameSyntax);
        const std::vector<std::string> text = {"He go to school every day.", "Their is a problam with the the plan.",
                                               "Although it rained, we walked to the old bridge.", "She are happy."};
        auto run = [&](const std::vector<int> &configs, const std::vector<int> &errors,
                       std::vector<Json::Value> *out) {
            const auto res = m_server.post("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(
                                                                     m_key, text, configs, errors)));
            std::vector<std::string> texts;
            if (!res || res->status != 200 || !TestFrames::records(res->body, &texts))
                return false;
            out->clear();
            for (const std::string &t : texts)
                out->push_back(parseJson(t));
            return true;
        };
        std::vector<Json::Value> first;
        QVERIFY(run({0, 0, 0, 0}, {}, &first));
        QCOMPARE(int(first.size()), 5);
        std::vector<int> errors;
        for (int i = 0; i < 4; ++i)
            errors.push_back(first[std::size_t(i)]["scoreErrors"].asInt());
        QVERIFY(errors[0] > 0 && errors[1] > 0);
        std::vector<int> configs(4, 0);
        std::vector<int> sent(4, 0);
        for (int i : cached) {
            configs[std::size_t(i)] = -1;
            sent[std::size_t(i)] = errors[std::size_t(i)];
        }
        std::vector<Json::Value> again;
        QVERIFY(run(configs, sendErrors ? sent : std::vector<int>{}, &again));
        QCOMPARE(int(again.size()), 4 - int(cached.size()) + 1);
        const Json::Value &a = first.back();
        const Json::Value &b = again.back();
        QVERIFY(a["lexicalScore"].asDouble() > 0.0);
        QCOMPARE(b["lexicalScore"].asDouble(), a["lexicalScore"].asDouble());
        if (sameSyntax)
            QCOMPARE(b["syntaxScore"].asDouble(), a["syntaxScore"].asDouble());
        else
            QVERIFY(b["syntaxScore"].asDouble() > a["syntaxScore"].asDouble());
    }

    void requestsBeyondEightKibibytesAreAccepted()
    {
        // Form-encoded bodies above 8 KiB must not be cut off by the HTTP layer. The bulk
        // is one sentence of pseudo-random letters, which zlib cannot shrink below 8 KiB
        // and which is too long to be checked (so it costs nothing); the sentence after it
        // must still arrive and be checked.
        std::string padding;
        std::minstd_rand random(7);
        while (padding.size() < 16000) {
            for (int c = 0, n = 3 + int(random() % 6); c < n; ++c)
                padding += char('a' + random() % 26);
            padding += ' ';
        }
        const std::string body =
            TestFrames::frame(TestFrames::checkRequest(m_key, {padding + ".", "She go to school."}, {0, 0}));
        QVERIFY(body.size() > 8192);
        const auto res = m_server.post("/apps_compressed/", body);
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        std::vector<std::string> texts;
        QVERIFY(TestFrames::records(res->body, &texts));
        QCOMPARE(int(texts.size()), 3);
        const Json::Value last = parseJson(texts[1]);
        QCOMPARE(last["sentInd"].asInt(), 1);
        QVERIFY(!spans(last).isEmpty());
    }

    void eachRecordIsItsOwnChunk()
    {
        httplib::Request req;
        req.method = "POST";
        req.path = "/apps_compressed/";
        req.set_header("Content-Type", "application/x-www-form-urlencoded");
        req.body = TestFrames::frame(TestFrames::checkRequest(m_key, {"One.", "Two.", "Three."}, {0, 0, 0}));
        std::vector<std::string> chunks;
        req.content_receiver = [&chunks](const char *data, size_t length, uint64_t, uint64_t) {
            chunks.emplace_back(data, length);
            return true;
        };
        auto client = m_server.client();
        const auto res = client.send(req);
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        // Three sentences and the summary, each written as one chunk of frame + 3 bytes.
        QCOMPARE(int(chunks.size()), 4);
        for (const std::string &chunk : chunks) {
            std::vector<std::string> texts;
            QVERIFY(TestFrames::records(chunk, &texts));
            QCOMPARE(int(texts.size()), 1);
        }
    }

    void offsetsCountUtf16AndUserWordsAreAccepted_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("span");
        QTest::newRow("ascii") << QStringLiteral("I saw teh cat.") << QStringLiteral("6-9");
        QTest::newRow("chinese before the word") << QStringLiteral("他说 teh cat.") << QStringLiteral("3-6");
    }

    void offsetsCountUtf16AndUserWordsAreAccepted()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, span);
        const std::string key = freshKey("wordsuser" + std::to_string(QTest::currentDataTag()[0] == 'a'));
        const auto check = [&]() {
            const auto res = m_server.post("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(
                                               key, {sentence.toStdString()}, {0})));
            std::vector<std::string> texts;
            if (!res || res->status != 200 || !TestFrames::records(res->body, &texts) || texts.size() != 2)
                return QStringList{QStringLiteral("no reply")};
            return spans(parseJson(texts[0]));
        };
        QVERIFY2(check().contains(span), qPrintable(check().join(',')));
        const auto added = m_server.post("/NotPublic/UserWordBulkAdd.ashx", "sessionKey=" + key + "&words=teh;");
        QVERIFY(added);
        QCOMPARE(added->body, std::string("ok"));
        QVERIFY(!check().contains(span));
    }

    void refusesBadFrames_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("frameFault"); // the polish service refuses it as well
        // A live session: an unknown one is answered "unauthorized" before the rest is read.
        const std::string json = TestFrames::checkRequest(m_key, {"Hi there."}, {0});
        const auto withSession = [this](std::string text) {
            const std::string placeholder = "\"session\":\"x\"";
            text.replace(text.find(placeholder), placeholder.size(), "\"session\":\"" + m_key + "\"");
            return QByteArray::fromStdString(TestFrames::frame(text));
        };
        const QByteArray good = QByteArray::fromStdString(TestFrames::frame(json));
        const QByteArray packed = good.mid(good.indexOf('C') + 1);
        const QByteArray rawLength = QByteArray::number(qsizetype(json.size()));
        QTest::newRow("garbage") << QByteArray("hello world, not a frame") << 400 << true;
        QTest::newRow("empty body") << QByteArray() << 400 << true;
        QTest::newRow("truncated packed data") << good.left(good.size() - 5) << 400 << true;
        QTest::newRow("truncated header") << good.left(3) << 400 << true;
        QTest::newRow("trailing bytes") << good + "xyz" << 400 << true;
        QTest::newRow("raw length too small")
            << (QByteArray::number(qsizetype(json.size() - 1)) + "S" + QByteArray::number(packed.size()) + "C" + packed) << 400 << true;
        QTest::newRow("raw length too large")
            << (QByteArray::number(qsizetype(json.size() + 7)) + "S" + QByteArray::number(packed.size()) + "C" + packed) << 400 << true;
        QTest::newRow("sign in length") << ("+" + rawLength + "S" + QByteArray::number(packed.size()) + "C" + packed) << 400 << true;
        QTest::newRow("oversized raw length") << (QByteArray("60000000S") + QByteArray::number(packed.size()) + "C" + packed) << 413 << true;
        QTest::newRow("absurd length") << (QByteArray("99999999999999999999S10C") + packed) << 400 << true;
        QTest::newRow("not zlib") << (rawLength + "S10C0123456789") << 400 << true;
        QTest::newRow("not json") << QByteArray::fromStdString(TestFrames::frame("{not json")) << 400 << true;
        QTest::newRow("json array") << QByteArray::fromStdString(TestFrames::frame("[1,2]\n")) << 400 << true;
        QTest::newRow("sentences not strings") << withSession(
            "{\"session\":\"x\",\"sents\":[1],\"configs\":[0],\"configTypes\":[[\"a\"]]}") << 400 << true;
        QTest::newRow("configs shorter than sentences") << withSession(
            "{\"session\":\"x\",\"sents\":[\"a\",\"b\"],\"configs\":[0],\"configTypes\":[[\"a\"]]}") << 400 << false;
        QTest::newRow("config beyond the types") << withSession(
            "{\"session\":\"x\",\"sents\":[\"a\"],\"configs\":[2],\"configTypes\":[[\"a\"],[\"b\"]]}") << 400 << false;
        QTest::newRow("config below -1") << withSession(
            "{\"session\":\"x\",\"sents\":[\"a\"],\"configs\":[-2],\"configTypes\":[[\"a\"]]}") << 400 << false;
        QTest::newRow("score errors shorter than sentences") << withSession(
            "{\"session\":\"x\",\"sents\":[\"a\",\"b\"],\"configs\":[-1,0],\"scoreErrors\":[1],\"configTypes\":[[\"a\"]]}") << 400 << false;
        QTest::newRow("score errors not numbers") << withSession(
            "{\"session\":\"x\",\"sents\":[\"a\"],\"configs\":[-1],\"scoreErrors\":[\"9\"],\"configTypes\":[[\"a\"]]}") << 400 << false;
        QTest::newRow("no session") << QByteArray::fromStdString(TestFrames::frame(
            "{\"sents\":[\"a\"],\"configs\":[0],\"configTypes\":[[\"a\"]]}")) << 400 << true;
        QTest::newRow("deeply nested") << QByteArray::fromStdString(TestFrames::frame(std::string(500, '[') + std::string(500, ']'))) << 400 << true;
        QTest::newRow("broken utf-8 in a sentence") << withSession(
            "{\"session\":\"x\",\"sents\":[\"ab\xff\xfe teh\"],\"configs\":[0],\"configTypes\":[[\"a\"]]}") << 400 << true;
        QTest::newRow("lone surrogate escape") << withSession(
            "{\"session\":\"x\",\"sents\":[\"ab\\ud800 teh\"],\"configs\":[0],\"configTypes\":[[\"a\"]]}") << 400 << true;
        QTest::newRow("huge body") << QByteArray(17 * 1024 * 1024, '7') << 413 << true;
    }

    void refusesBadFrames()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(bool, frameFault);
        const auto res = m_server.post("/apps_compressed/", body.toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, status);
        if (!frameFault)
            return;
        const auto polish = m_server.post("/lexsub/", body.toStdString());
        QVERIFY(polish);
        QCOMPARE(polish->status, status);
    }

    void unknownSessionsAreUnauthorized_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("unknown key") << QStringLiteral("0123456789ABCDEF0123456789ABCDEF");
        QTest::newRow("empty key") << QString();
        QTest::newRow("sql-looking key") << QStringLiteral("' OR '1'='1");
        QTest::newRow("anonymous key") << QStringLiteral("5206-5206");
    }

    void unknownSessionsAreUnauthorized()
    {
        QFETCH(QString, key);
        const auto check = m_server.post("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(
                                             key.toStdString(), {"Hello there."}, {0})));
        QVERIFY(check);
        QCOMPARE(check->status, 200);
        QCOMPARE(check->body, std::string("unauthorized"));
        const auto polish = m_server.post("/lexsub/", TestFrames::frame(TestFrames::polishRequest(
                                              key.toStdString(), {"Hello there.", "It is a nice day."}, 2)));
        QVERIFY(polish);
        QCOMPARE(polish->body, std::string("unauthorized"));
    }

    void loggedOutAndExpiredSessionsAreUnauthorized()
    {
        const std::string outKey = freshKey("leaving01");
        QVERIFY(m_server.post("/Logout-new.ashx", "sessionKey=" + outKey));
        auto res = m_server.post("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(outKey, {"Hi."}, {0})));
        QVERIFY(res);
        QCOMPARE(res->body, std::string("unauthorized"));

        const std::string oldKey = freshKey("expiring1");
        m_server.advanceClock(3601);
        res = m_server.post("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(oldKey, {"Hi."}, {0})));
        QVERIFY(res);
        QCOMPARE(res->body, std::string("unauthorized"));
        m_key = m_server.login("checker01", "secret123");
        QVERIFY(!m_key.empty());
    }

    void wordLimitsPerCheckAndPerMinute()
    {
        PennovaServer::ServerOptions options = TestServer::defaultOptions();
        options.maxWordsPerCheck = 20;
        options.maxWordsPerMinute = 50;
        TestServer limited(options);
        QVERIFY(limited.start());
        QVERIFY(limited.addUser("limited1", "l@example.com", "secret123"));
        const std::string key = limited.login("limited1", "secret123");
        const auto post = [&](int words, int config) {
            std::string text;
            for (int i = 0; i < words; ++i)
                text += (i ? " word" : "Word");
            const auto res = limited.post("/apps_compressed/", TestFrames::frame(TestFrames::checkRequest(key, {text}, {config})));
            return res ? res->status : -1;
        };
        QCOMPARE(post(21, 0), 413);   // over the per-check limit
        QCOMPARE(post(500, -1), 200); // cached sentences cost nothing
        for (int i = 0; i < 5; ++i)
            QCOMPARE(post(20, 0), 200); // the bucket holds two minutes' words
        QCOMPARE(post(1, 0), 429);
        limited.advanceClock(24);       // refills 50 words a minute: 20 in 24 s
        QCOMPARE(post(20, 0), 200);
        QCOMPARE(post(1, 0), 429);

        // A text of one-word paragraphs: the client's counter reads "a\nb" as one piece, so
        // 40 such paragraphs count 1 word there and must not be refused here as 40.
        limited.advanceClock(60);
        std::vector<std::string> paragraphs(40, "word");
        const auto res = limited.post("/apps_compressed/",
            TestFrames::frame(TestFrames::checkRequest(key, paragraphs, std::vector<int>(40, 1))));
        QVERIFY(res);
        QCOMPARE(res->status, 200);
    }

    void polishReplies_data()
    {
        QTest::addColumn<QStringList>("sentences");
        QTest::addColumn<int>("status");
        QTest::newRow("too short") << QStringList{"Hi."} << 422;
        QTest::newRow("a paragraph")
            << QStringList{"I think the weather is very good today.", "We went to the park and had a good time.",
                           "The children played a lot of games there."} << 200;
    }

    void polishReplies()
    {
        QFETCH(QStringList, sentences);
        QFETCH(int, status);
        const auto res = m_server.post("/lexsub/", TestFrames::frame(TestFrames::polishRequest(m_key, toStd(sentences), 2)));
        QVERIFY(res);
        QCOMPARE(res->status, status);
        if (status != 200)
            return;
        // Exactly one frame holding a JSON array.
        const QByteArray json = ZeltraLib::decodeFrameStrict(QByteArray::fromStdString(res->body));
        const Json::Value array = parseJson(json.toStdString());
        QVERIFY(array.isArray());
        for (const Json::Value &record : array)
            QVERIFY(record["sentInd"].asInt() >= 0 && record["sentInd"].asInt() < sentences.size());
    }

    // Polish levels as the preference stores them: 1 high, 2 medium, every other value low.
    void polishLevelsFollowThePreference_data()
    {
        QTest::addColumn<int>("confidence");
        QTest::addColumn<int>("readAs");
        QTest::newRow("1 is high") << 1 << 1;
        QTest::newRow("2 is medium") << 2 << 2;
        QTest::newRow("3 is low") << 3 << 3;
        QTest::newRow("0 is low") << 0 << 3;
        QTest::newRow("negative is low") << -4 << 3;
        QTest::newRow("above 3 is low") << 9 << 3;
    }

    void polishLevelsFollowThePreference()
    {
        QFETCH(int, confidence);
        QFETCH(int, readAs);
        const std::vector<std::string> sentences = {
            "I think the weather is very good today and we are very happy.",
            "We went to the big park and had a good time with many nice friends.",
            "The children played a lot of games there and then we got a lot of food."};
        const auto polish = [&](int level) {
            const std::string key = freshKey("polisher" + std::to_string(++m_polishers));
            const auto res = m_server.post("/lexsub/", TestFrames::frame(TestFrames::polishRequest(key, sentences, level)));
            return res && res->status == 200 ? res->body : std::string("<status>");
        };
        const std::string high = polish(1);
        const std::string low = polish(3);
        // The levels must differ on this text, or the rows below prove nothing.
        QVERIFY(high != low);
        QCOMPARE(polish(confidence), polish(readAs));
    }

    void synonymRequests_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::newRow("json") << QByteArray("{\"sent\":\"I walk home.\",\"start\":2,\"end\":6}") << 200;
        QTest::newRow("unescaped quotation mark")
            << QByteArray("{\"sent\":\"He said \"walk\" twice.\",\"start\":9,\"end\":13}") << 200;
        QTest::newRow("chinese sentence") << QByteArray("{\"sent\":\"我 walk home.\",\"start\":2,\"end\":6}") << 200;
        QTest::newRow("garbage") << QByteArray("sent=walk") << 400;
        QTest::newRow("missing end") << QByteArray("{\"sent\":\"I walk.\",\"start\":2}") << 400;
        QTest::newRow("truncated") << QByteArray("{\"sent\":\"I walk.\",\"sta") << 400;
        QTest::newRow("oversized") << QByteArray("{\"sent\":\"") + QByteArray(70000, 'a') + "\",\"start\":0,\"end\":1}" << 413;
    }

    void synonymRequests()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        const auto res = m_server.post("/syms/", body.toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, status);
        if (status == 200)
            QVERIFY(parseJson(res->body).isArray());
    }

    void synonymReplyKeepsTheClientReadable_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("body");
        QTest::newRow("none") << QStringList{} << QStringLiteral("[]");
        QTest::newRow("one short word is padded") << QStringList{"go"} << QStringLiteral("     [\"go\"]");
        QTest::newRow("two words") << QStringList{"walk", "stroll"} << QStringLiteral("[\"walk\",\"stroll\"]");
        QTest::newRow("quotation marks and brackets are dropped")
            << QStringList{"a\"b", "x]y", "strides"} << QStringLiteral("[\"strides\"]");
        QTest::newRow("chinese word counts characters") << QStringList{"散步"} << QStringLiteral("     [\"散步\"]");
    }

    void synonymReplyKeepsTheClientReadable()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, body);
        Json::Value array(Json::arrayValue);
        for (const QString &w : words)
            array.append(w.toStdString());
        const QString reply = QString::fromStdString(PennovaServer::CheckRoutes::synonymReply(array));
        QCOMPARE(reply, body);
        QVERIFY(reply.size() > 10 || reply == QStringLiteral("[]"));
    }

    void explanationsAndHomeShareTheRoot_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("homePage");
        QTest::newRow("error explanation") << QStringLiteral("/?et=SPELL&ct=the&fk=teh") << false;
        QTest::newRow("polish explanation") << QStringLiteral("/?lexsub=good,great&pos=3") << false;
        QTest::newRow("home page") << QStringLiteral("/") << true;
    }

    void explanationsAndHomeShareTheRoot()
    {
        QFETCH(QString, target);
        QFETCH(bool, homePage);
        const auto res = m_server.get(target.toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        QVERIFY(res->get_header_value("Content-Type").find("text/html") != std::string::npos);
        QCOMPARE(res->body.find("<!DOCTYPE html>") == 0, homePage);
    }

    void reachability()
    {
        const auto res = m_server.get("/apps_compressed/");
        QVERIFY(res);
        QCOMPARE(res->status, 200);
    }

    void twoClientsCheckAtOnce()
    {
        std::vector<std::string> sentences;
        for (int i = 0; i < 30; ++i)
            sentences.push_back("Sentence number " + std::to_string(i) + " is here.");
        const std::string body = TestFrames::frame(TestFrames::checkRequest(m_key, sentences, std::vector<int>(30, 0)));
        int counts[2] = {0, 0};
        std::thread other([&] {
            const auto res = m_server.post("/apps_compressed/", body);
            std::vector<std::string> texts;
            if (res && TestFrames::records(res->body, &texts))
                counts[1] = int(texts.size());
        });
        const auto res = m_server.post("/apps_compressed/", body);
        std::vector<std::string> texts;
        if (res && TestFrames::records(res->body, &texts))
            counts[0] = int(texts.size());
        other.join();
        QCOMPARE(counts[0], 31);
        QCOMPARE(counts[1], 31);
    }
};

QTEST_GUILESS_MAIN(TestServerCheck)
#include "tst_servercheck.moc"
