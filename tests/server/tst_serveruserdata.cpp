// The personal word list and the usage-log uploads through real HTTP on loopback.

#include "serverstorage.h"
#include "serviceserver.h"
#include "support/testserver.h"

#include <QtTest>

#include <algorithm>
#include <set>
#include <thread>

using PennovaServer::UsageLogStore;

class TestServerUserData : public QObject
{
    Q_OBJECT

private:
    int status(const std::string &path, const std::string &body)
    {
        const auto res = m_server.post(path, body);
        return res ? res->status : -1;
    }
    std::string reply(const std::string &path, const std::string &body)
    {
        const auto res = m_server.post(path, body);
        return res ? res->body : std::string("<no reply>");
    }
    std::int64_t userId(const std::string &name)
    {
        return m_server.server().storage().accounts().findByName(name)->id;
    }
    UsageLogStore &usage() { return m_server.server().storage().usage(); }

    TestServer m_server;
    std::string m_key;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        QVERIFY(m_server.addUser("writer01", "w@example.com", "secret123"));
        m_key = m_server.login("writer01", "secret123");
        QVERIFY(!m_key.empty());
    }

    void wordListStartsEmptyAndKeepsOrder()
    {
        QCOMPARE(reply("/NotPublic/UserWordList.ashx", "sessionKey=" + m_key), std::string());
        QCOMPARE(reply("/NotPublic/UserWordBulkAdd.ashx", "sessionKey=" + m_key + "&words=Zeltra;apple;"), std::string("ok"));
        QCOMPARE(reply("/NotPublic/UserWordBulkAdd.ashx", "sessionKey=" + m_key + "&words=apple;北京;R&D;"), std::string("ok"));
        // Duplicates are kept once; "&" inside the last field is part of a word.
        QCOMPARE(reply("/NotPublic/UserWordList.ashx", "sessionKey=" + m_key), std::string("Zeltra;apple;北京;R&D"));
    }

    void wordListsBelongToTheirUser()
    {
        QVERIFY(m_server.addUser("writer02", "w2@example.com", "secret123"));
        const std::string other = m_server.login("writer02", "secret123");
        QCOMPARE(reply("/NotPublic/UserWordList.ashx", "sessionKey=" + other), std::string());
        QCOMPARE(reply("/NotPublic/UserWordBulkAdd.ashx", "sessionKey=" + other + "&words=mine;"), std::string("ok"));
        QVERIFY(reply("/NotPublic/UserWordList.ashx", "sessionKey=" + m_key).find("mine") == std::string::npos);
    }

    void largeUploadsPass()
    {
        std::string words;
        for (int i = 0; i < 1500; ++i)
            words += "word" + std::to_string(i) + ";";
        QVERIFY(words.size() > 8192);
        QCOMPARE(reply("/NotPublic/UserWordBulkAdd.ashx", "sessionKey=" + m_key + "&words=" + words), std::string("ok"));
        QVERIFY(reply("/NotPublic/UserWordList.ashx", "sessionKey=" + m_key).find("word1499") != std::string::npos);
    }

    void badWordRequestsChangeNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        const QByteArray key = "sessionKey=";
        QTest::newRow("unknown session") << "/NotPublic/UserWordBulkAdd.ashx" << QByteArray("sessionKey=ABC&words=bad;") << 403;
        QTest::newRow("sql-looking session")
            << "/NotPublic/UserWordBulkAdd.ashx" << QByteArray("sessionKey=' OR 1=1 --&words=bad;") << 403;
        QTest::newRow("anonymous session") << "/NotPublic/UserWordBulkAdd.ashx" << QByteArray("sessionKey=5206-5206&words=bad;") << 403;
        QTest::newRow("no words field") << "/NotPublic/UserWordBulkAdd.ashx" << QByteArray("KEY") << 400;
        QTest::newRow("only separators") << "/NotPublic/UserWordBulkAdd.ashx" << QByteArray("KEY&words=;;;") << 400;
        QTest::newRow("overlong word") << "/NotPublic/UserWordBulkAdd.ashx" << "KEY&words=ok;" + QByteArray(65, 'b') + ";" << 400;
        QTest::newRow("65 chinese characters")
            << "/NotPublic/UserWordBulkAdd.ashx" << "KEY&words=ok;" + QString(65, QChar(0x8BCD)).toUtf8() + ";" << 400;
        QTest::newRow("remove, overlong word") << "/NotPublic/UserWordBulkRemove.ashx" << "KEY&words=" + QByteArray(65, 'b') + ";" << 400;
        QTest::newRow("remove, unknown session") << "/NotPublic/UserWordBulkRemove.ashx" << QByteArray("sessionKey=x&words=apple;") << 403;
        QTest::newRow("remove, no words") << "/NotPublic/UserWordBulkRemove.ashx" << QByteArray("KEY&words=;") << 400;
        QTest::newRow("control character") << "/NotPublic/UserWordBulkAdd.ashx" << QByteArray("KEY&words=ok;b\x01" "ad;") << 400;
        QTest::newRow("broken utf-8") << "/NotPublic/UserWordBulkAdd.ashx" << QByteArray("KEY&words=ok;b\xe4\xb8;") << 400;
        QTest::newRow("too many words") << "/NotPublic/UserWordBulkAdd.ashx" << "KEY&words=" + QByteArray("w;").repeated(2001) << 400;
        QTest::newRow("huge body") << "/NotPublic/UserWordBulkAdd.ashx" << "KEY&words=" + QByteArray(2 * 1024 * 1024, 'a') << 413;
        QTest::newRow("list for unknown session") << "/NotPublic/UserWordList.ashx" << QByteArray("sessionKey=nope") << 403;
        QTest::newRow("list without session") << "/NotPublic/UserWordList.ashx" << QByteArray("garbage") << 400;
    }

    void badWordRequestsChangeNothing()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        body.replace("KEY", "sessionKey=" + QByteArray::fromStdString(m_key));
        const std::string before = reply("/NotPublic/UserWordList.ashx", "sessionKey=" + m_key);
        const auto res = m_server.post(path.toStdString(), body.toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, status);
        // Never a body the client could take for "ok" or for words.
        QVERIFY(res->body != "ok");
        if (status == 403)
            QVERIFY(res->body.empty());
        QCOMPARE(reply("/NotPublic/UserWordList.ashx", "sessionKey=" + m_key), before);
    }

    void addAndRemoveAreIdempotent()
    {
        const std::string chinese = QString(64, QChar(0x8BCD)).toUtf8().toStdString();
        const std::string add = "sessionKey=" + m_key + "&words=Kestrel;" + chinese + ";";
        QCOMPARE(reply("/NotPublic/UserWordBulkAdd.ashx", add), std::string("ok"));
        QCOMPARE(reply("/NotPublic/UserWordBulkAdd.ashx", add), std::string("ok"));
        const auto listed = [this](const std::string &word) {
            const std::string list = ";" + reply("/NotPublic/UserWordList.ashx", "sessionKey=" + m_key) + ";";
            std::size_t n = 0;
            for (std::size_t at = list.find(";" + word + ";"); at != std::string::npos; at = list.find(";" + word + ";", at + 1))
                ++n;
            return n;
        };
        QCOMPARE(listed("Kestrel"), std::size_t(1));
        QCOMPARE(listed(chinese), std::size_t(1));
        const std::string remove = "sessionKey=" + m_key + "&words=Kestrel;never-added;";
        QCOMPARE(reply("/NotPublic/UserWordBulkRemove.ashx", remove), std::string("ok"));
        QCOMPARE(reply("/NotPublic/UserWordBulkRemove.ashx", remove), std::string("ok"));
        QCOMPARE(listed("Kestrel"), std::size_t(0));
        QCOMPARE(listed(chinese), std::size_t(1));
        QCOMPARE(listed("apple"), std::size_t(1));
    }

    void wordLimitRefusesAndKeepsTheList()
    {
        QVERIFY(m_server.addUser("collector", "c@example.com", "secret123"));
        const std::string key = m_server.login("collector", "secret123");
        auto &store = m_server.server().storage().words();
        std::vector<std::string> words;
        for (std::size_t i = 0; i + 1 < PennovaServer::WordListStore::MaxWordsPerUser; ++i)
            words.push_back("w" + std::to_string(i));
        QVERIFY(store.add(userId("collector"), words) == PennovaServer::WordListStore::AddResult::Added);
        // Two more would overflow: refused with a reason, nothing of either stored.
        const auto over = m_server.post("/NotPublic/UserWordBulkAdd.ashx", "sessionKey=" + key + "&words=last;extra;");
        QVERIFY(over);
        QCOMPARE(over->status, 413);
        QVERIFY(over->body.find("10000") != std::string::npos);
        QCOMPARE(store.count(userId("collector")), words.size());
        // A word already there still answers "ok"; the last free place still takes one.
        QCOMPARE(reply("/NotPublic/UserWordBulkAdd.ashx", "sessionKey=" + key + "&words=w0;last;"), std::string("ok"));
        QCOMPARE(store.count(userId("collector")), PennovaServer::WordListStore::MaxWordsPerUser);
        QCOMPARE(store.words(userId("collector")).back(), std::string("last"));
    }

    void concurrentAdds_data()
    {
        QTest::addColumn<int>("requests");
        QTest::addColumn<bool>("sameWord");
        QTest::newRow("200 distinct words") << 200 << false;
        QTest::newRow("20 times the same word") << 20 << true;
    }

    void concurrentAdds()
    {
        QFETCH(int, requests);
        QFETCH(bool, sameWord);
        const std::string name = sameWord ? "racer_same" : "racer_distinct";
        QVERIFY(m_server.addUser(name, name + "@example.com", "secret123"));
        const std::string key = m_server.login(name, "secret123");
        QVERIFY(!key.empty());
        std::vector<std::thread> threads;
        std::vector<int> statuses(std::size_t(requests), -1);
        std::set<std::string> expected;
        for (int i = 0; i < requests; ++i) {
            const std::string word = sameWord ? std::string("Zugzwang") : "word" + std::to_string(i) + "词";
            expected.insert(word);
            threads.emplace_back([this, i, key, word, &statuses] {
                auto client = m_server.client();
                client.set_connection_timeout(30);
                client.set_read_timeout(60);
                const auto res = client.Post("/NotPublic/UserWordBulkAdd.ashx", "sessionKey=" + key + "&words=" + word + ";",
                                             "application/x-www-form-urlencoded");
                statuses[std::size_t(i)] = res ? res->status : -1;
            });
        }
        for (std::thread &t : threads)
            t.join();
        QCOMPARE(int(std::count(statuses.begin(), statuses.end(), 200)), requests);
        const auto stored = m_server.server().storage().words().words(userId(name));
        QCOMPARE(stored.size(), expected.size());
        QCOMPARE(std::set<std::string>(stored.begin(), stored.end()), expected);
    }

    void eventCountsAddUp()
    {
        const std::string body = "sessionKey=" + m_key + "&group=event&version=0.9.2.0&data=Main_Check:3;Tip_Go:1;";
        QCOMPARE(reply("/NotPublic/UserCountBulkAdd.ashx", body), std::string("ok"));
        QCOMPARE(reply("/NotPublic/UserCountBulkAdd.ashx", body), std::string("ok"));
        const auto counts = usage().counts(userId("writer01"), "event");
        QCOMPARE(int(counts.size()), 2);
        QCOMPARE(counts[0].name, std::string("Main_Check"));
        QCOMPARE(counts[0].count, std::int64_t(6));
        QCOMPARE(counts[1].count, std::int64_t(2));
    }

    void checkStatisticsAndAnonymousEvents()
    {
        QCOMPARE(reply("/NotPublic/UserCountBulkAdd.ashx", "sessionKey=" + m_key + "&group=level&data=CET4:12;GRE:1;"),
                 std::string("ok"));
        QCOMPARE(usage().counts(userId("writer01"), "level").size(), std::size_t(2));
        QCOMPARE(reply("/NotPublic/UserCountBulkAdd.ashx",
                       "sessionKey=5206-5206&group=event&version=0.9.2.0&data=Login_Login:1;"), std::string("ok"));
        QCOMPARE(usage().counts(0, "event").size(), std::size_t(1));
    }

    void badCountUploadsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::newRow("unknown session") << QByteArray("sessionKey=nope&group=event&version=1&data=A:1;") << 403;
        QTest::newRow("anonymous statistics") << QByteArray("sessionKey=5206-5206&group=check&data=WORD:5;") << 400;
        QTest::newRow("unknown group") << QByteArray("KEY&group=users&data=A:1;") << 400;
        QTest::newRow("sql-looking name") << QByteArray("KEY&group=event&version=1&data=A');DROP TABLE users;--:1;") << 400;
        QTest::newRow("count not a number") << QByteArray("KEY&group=event&version=1&data=A:x;") << 400;
        QTest::newRow("negative count") << QByteArray("KEY&group=event&version=1&data=A:-4;") << 400;
        QTest::newRow("oversized count") << QByteArray("KEY&group=event&version=1&data=A:99999999999;") << 400;
        QTest::newRow("missing colon") << QByteArray("KEY&group=event&version=1&data=A;") << 400;
        QTest::newRow("one bad item spoils the upload") << QByteArray("KEY&group=event&version=1&data=Good:1;Bad:;") << 400;
        QTest::newRow("no data") << QByteArray("KEY&group=event&version=1") << 400;
    }

    void badCountUploadsChangeNothing()
    {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        body.replace("KEY", "sessionKey=" + QByteArray::fromStdString(m_key));
        const auto before = usage().counts(userId("writer01"), "event");
        const auto res = m_server.post("/NotPublic/UserCountBulkAdd.ashx", body.toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, status);
        const auto after = usage().counts(userId("writer01"), "event");
        QCOMPARE(after.size(), before.size());
        QVERIFY(m_server.server().storage().accounts().nameExists("writer01"));
    }

    void errorLogs_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("entries");
        QTest::newRow("two corrections") << QByteArray("teh:the:1;recieve:receive:1;") << 200 << 2;
        QTest::newRow("the same again adds up") << QByteArray("teh:the:1;") << 200 << 2;
        QTest::newRow("chinese text") << QByteArray("北京:Beijing:1;") << 200 << 3;
        QTest::newRow("missing count") << QByteArray("teh:the;") << 400 << 3;
        QTest::newRow("empty found text") << QByteArray(":the:1;") << 400 << 3;
        QTest::newRow("zero count") << QByteArray("a:b:0;") << 400 << 3;
        QTest::newRow("no entries") << QByteArray(";;") << 400 << 3;
    }

    void errorLogs()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, status);
        QFETCH(int, entries);
        QCOMPARE(this->status("/NotPublic/UserErrorLogBulkAdd.ashx", "sessionKey=" + m_key + "&data=" + data.toStdString()), status);
        const auto stored = usage().corrections(userId("writer01"));
        QCOMPARE(int(stored.size()), entries);
        if (QByteArray(QTest::currentDataTag()) == "the same again adds up") {
            const auto it = std::find_if(stored.begin(), stored.end(), [](const UsageLogStore::Correction &c) {
                return c.found == "teh";
            });
            QVERIFY(it != stored.end());
            QCOMPARE(it->count, std::int64_t(2));
        }
    }

    void wordChoices_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("stored");
        QTest::newRow("one record")
            << QByteArray("[{\"chooseWord\":\"great\",\"sentence\":\"It is good & fine.\",\"wordIdx\":6,\"wordLength\":4}]") << 200 << 1;
        QTest::newRow("not json") << QByteArray("[{chooseWord:great}") << 400 << 1;
        QTest::newRow("object, not array") << QByteArray("{\"chooseWord\":\"x\"}") << 400 << 1;
        QTest::newRow("index not a number")
            << QByteArray("[{\"chooseWord\":\"a\",\"sentence\":\"b\",\"wordIdx\":\"6\",\"wordLength\":4}]") << 400 << 1;
        QTest::newRow("negative index")
            << QByteArray("[{\"chooseWord\":\"a\",\"sentence\":\"b\",\"wordIdx\":-1,\"wordLength\":4}]") << 400 << 1;
        QTest::newRow("deep nesting") << QByteArray(300, '[') + QByteArray(300, ']') << 400 << 1;
        QTest::newRow("empty array") << QByteArray("[]") << 400 << 1;
    }

    void wordChoices()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, status);
        QFETCH(int, stored);
        QCOMPARE(this->status("/NotPublic/UserChooseBulkAdd.ashx", "sessionKey=" + m_key + "&data=" + data.toStdString()), status);
        const auto choices = usage().choices(userId("writer01"));
        QCOMPARE(int(choices.size()), stored);
        QCOMPARE(choices[0].sentence, std::string("It is good & fine."));
        QCOMPARE(choices[0].wordIdx, std::int64_t(6));
    }

    void wordListPageShowsOnlyTheOwner_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("status");
        QTest::newRow("owner") << QStringLiteral("u=writer01&s=KEY") << 200;
        QTest::newRow("other name") << QStringLiteral("u=writer02&s=KEY") << 403;
        QTest::newRow("no session") << QStringLiteral("u=writer01") << 403;
    }

    void wordListPageShowsOnlyTheOwner()
    {
        QFETCH(QString, query);
        QFETCH(int, status);
        query.replace(QLatin1String("KEY"), QString::fromStdString(m_key));
        const auto res = m_server.get("/Tessel/Dict?" + query.toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, status);
        QCOMPARE(res->body.find("Zeltra") != std::string::npos, status == 200);
        // Words are echoed escaped.
        QCOMPARE(res->body.find("R&amp;D") != std::string::npos, status == 200);
    }
};

QTEST_GUILESS_MAIN(TestServerUserData)
#include "tst_serveruserdata.moc"
