#include "releasekey.h"
#include "releasestore.h"
#include "support/testserver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using PennovaServer::ReleaseKey;
using PennovaServer::ReleaseStore;
using ZeltraLib::UpdateFileEntry;

namespace {
bool write(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QString text(const std::string &body)
{
    return QString::fromStdString(body);
}
} // namespace

// Publishing releases and serving the version service and its files.
class TestServerReleases : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // One server for all (starting one loads the checker); each test publishes newer versions.
    void initTestCase()
    {
        m_server = std::make_unique<TestServer>();
        QVERIFY(m_server->start());
        m_work = std::make_unique<QTemporaryDir>();
        QString error;
        QVERIFY2(ReleaseKey::generate(m_work->filePath("key"), &error), qPrintable(error));
        QVERIFY(m_key.load(m_work->filePath("key"), &error));
    }

    void publishedReleaseIsServed()
    {
        QVERIFY(publish(1, {{"Pennova", "main"}, {"词典/数据 1.dat", "data"}}, 0, "<p>a|b</p>"));
        m_version = 1;
        const auto latest = m_server->get("/GetTesselFileList.ashx");
        QVERIFY(latest);
        const QStringList parts = text(latest->body).split('|');
        QCOMPARE(parts.size(), 5);
        QCOMPARE(parts[0], QStringLiteral("1"));
        QCOMPARE(parts[2], QStringLiteral("<p>a&#124;b</p>"));

        // A forged Host header does not reach the download addresses.
        httplib::Client client = m_server->client();
        const auto list = client.Post("/GetTesselFileList.ashx", {{"Host", "evil.example"}}, "version=1",
                                      "application/x-www-form-urlencoded");
        QVERIFY(list);
        QList<UpdateFileEntry> entries;
        for (const QString &item : text(list->body).split(';')) {
            UpdateFileEntry entry;
            QVERIFY2(UpdateFileEntry::parse(item, &entry), qPrintable(item));
            QVERIFY2(entry.url.startsWith(QStringLiteral("http://127.0.0.1:%1/update/1/").arg(m_server->port())),
                     qPrintable(entry.url));
            const auto file = m_server->get(QUrl(entry.url).path(QUrl::FullyEncoded).toStdString());
            QVERIFY(file);
            QCOMPARE(file->status, 200);
            QCOMPARE(QCryptographicHash::hash(QByteArray::fromStdString(file->body), QCryptographicHash::Sha256).toHex(),
                     entry.sha256.toLatin1());
            entries << entry;
        }
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[1].folder, QStringLiteral("词典"));
        QVERIFY(!parts[3].isEmpty()); // the signature (checked by the updater's tests)
    }

    void publicUrlNamesTheDownloads()
    {
        PennovaServer::ServerOptions options = TestServer::defaultOptions();
        options.publicUrl = "https://updates.example.org/";
        TestServer server(options);
        QVERIFY(server.start());
        QVERIFY(publish(1, {{"Pennova", "main"}}, 0, "n", &server));
        const auto list = server.post("/GetTesselFileList.ashx", "version=1");
        QVERIFY(list);
        QVERIFY2(text(list->body).startsWith("Pennova|1|https://updates.example.org/update/1/Pennova||"),
                 list->body.c_str());
    }

    void unchangedFilesKeepTheirVersion()
    {
        QVERIFY(publish(2, {{"Pennova", "main"}, {"sub/data.txt", "one"}}));
        QVERIFY(publish(3, {{"Pennova", "main"}, {"sub/data.txt", "two"}}, 2));
        m_version = 3;
        const auto latest = m_server->get("/GetTesselFileList.ashx");
        QVERIFY(latest);
        QVERIFY(text(latest->body).startsWith("3|"));
        QVERIFY(text(latest->body).endsWith("|2"));
        QVERIFY(m_server->post("/GetTesselFileList.ashx", "version=2")->body.empty()); // only the newest
        const QStringList entries = text(m_server->post("/GetTesselFileList.ashx", "version=3")->body).split(';');
        QCOMPARE(entries.size(), 2);
        QVERIFY(entries[0].startsWith("Pennova|1|"));
        QVERIFY(entries[1].startsWith("data.txt|3|"));
    }

    void refusedPublications_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("problem");
        QTest::newRow("same version again") << 1 << "";
        QTest::newRow("lower version") << 0 << "";
        QTest::newRow("empty folder") << 2 << "empty";
        QTest::newRow("link in the folder") << 2 << "link";
        QTest::newRow("bar in a name") << 2 << "bar";
    }
    void refusedPublications()
    {
        QFETCH(int, version);
        QFETCH(QString, problem);
        QTemporaryDir data;
        ReleaseStore store(data.path());
        QTemporaryDir first;
        QVERIFY(write(first.filePath("Pennova"), "main"));
        QString error;
        QVERIFY(store.publish({first.path(), 1, 0, "v", "notes", &m_key}, &error));
        QTemporaryDir source;
        if (problem != "empty")
            QVERIFY(write(source.filePath("Pennova"), "new"));
        if (problem == "link")
            QVERIFY(QFile::link("/etc/hostname", source.filePath("hostname")));
        if (problem == "bar")
            QVERIFY(write(source.filePath("a|b"), "x"));
        error.clear();
        QVERIFY(!store.publish({source.path(), version, 0, "v", "notes", &m_key}, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(store.latest()->versionId, 1);
        QVERIFY(!QFileInfo::exists(data.filePath("update/2")));
    }

    void unsafeDownloadPathsAreRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("NUL cuts the name") << "/update/%1/Pennova%00.txt";
        QTest::newRow("encoded parent") << "/update/%1/%2e%2e/%2e%2e/pennova.db";
        QTest::newRow("backslash") << "/update/%1/..%5c..%5cpennova.db";
        QTest::newRow("empty part") << "/update/%1//Pennova";
        QTest::newRow("link out of the folder") << "/update/%1/outside";
    }
    void unsafeDownloadPathsAreRefused()
    {
        QFETCH(QString, path);
        const int version = ++m_version;
        QVERIFY(publish(version, {{"Pennova", "main"}}));
        const QString files = QString::fromStdString(m_server->dataDir()) + "/update/" + QString::number(version);
        QVERIFY(QFile::link(QString::fromStdString(m_server->dataDir()) + "/releases/1.json", files + "/outside"));
        const auto res = m_server->get(path.arg(version).toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, 404);
        QCOMPARE(m_server->get("/update/" + std::to_string(version) + "/Pennova")->body, std::string("main"));
    }

private:
    bool publish(int version, const QMap<QString, QByteArray> &files, int lowest = 0, const QString &notes = "n",
                 TestServer *server = nullptr)
    {
        QTemporaryDir source;
        for (auto it = files.begin(); it != files.end(); ++it)
            write(source.filePath(it.key()), it.value());
        ReleaseStore store(QString::fromStdString((server ? server : m_server.get())->dataDir()));
        QString error;
        const bool published = store.publish({source.path(), version, lowest, "v", notes, &m_key}, &error);
        if (!published)
            qWarning() << error;
        return published;
    }

    std::unique_ptr<TestServer> m_server;
    std::unique_ptr<QTemporaryDir> m_work;
    ReleaseKey m_key;
    int m_version = 0; // the newest published on m_server
};

QTEST_GUILESS_MAIN(TestServerReleases)
#include "tst_serverreleases.moc"
