#include "releasecommand.h"
#include "releasekey.h"
#include "releasestore.h"
#include "servercommandline.h"
#include "support/testserver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sstream>

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
        QVERIFY(store.publish({first.path(), 1, 0, "v", "notes", &m_key, {}}, &error));
        QTemporaryDir source;
        if (problem != "empty")
            QVERIFY(write(source.filePath("Pennova"), "new"));
        if (problem == "link")
            QVERIFY(QFile::link("/etc/hostname", source.filePath("hostname")));
        if (problem == "bar")
            QVERIFY(write(source.filePath("a|b"), "x"));
        error.clear();
        QVERIFY(!store.publish({source.path(), version, 0, "v", "notes", &m_key, {}}, &error));
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
        const QByteArray content = "main " + QByteArray::number(version); // stored in this version's folder
        QVERIFY(publish(version, {{"Pennova", content}}));
        const QString files = QString::fromStdString(m_server->dataDir()) + "/update/" + QString::number(version);
        QVERIFY(QFile::link(QString::fromStdString(m_server->dataDir()) + "/releases/1.json", files + "/outside"));
        const auto res = m_server->get(path.arg(version).toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, 404);
        QCOMPARE(m_server->get("/update/" + std::to_string(version) + "/Pennova")->body, content.toStdString());
    }

    void unchangedFilesAreStoredOnce()
    {
        const int first = ++m_version;
        const int second = ++m_version;
        const QByteArray big(200 * 1024, 'x');
        QVERIFY(publish(first, {{"Pennova", "main " + QByteArray::number(first)}, {"lib/big.dat", big}}));
        QVERIFY(publish(second, {{"Pennova", "main " + QByteArray::number(second)}, {"lib/big.dat", big}}));
        const QString update = QString::fromStdString(m_server->dataDir()) + "/update/";
        QVERIFY(QFileInfo::exists(update + QString::number(first) + "/lib/big.dat"));
        QVERIFY(!QFileInfo::exists(update + QString::number(second) + "/lib/big.dat"));
        QVERIFY(QFileInfo::exists(update + QString::number(second) + "/Pennova"));
        // Every file of the list downloads with its content, wherever it is stored.
        const auto list = m_server->post("/GetTesselFileList.ashx", "version=" + std::to_string(second));
        QVERIFY(list);
        const QStringList items = text(list->body).split(';');
        QCOMPARE(items.size(), 2);
        for (const QString &item : items) {
            UpdateFileEntry entry;
            QVERIFY2(UpdateFileEntry::parse(item, &entry), qPrintable(item));
            QCOMPARE(entry.version, entry.name == "big.dat" ? first : second);
            const auto file = m_server->get(QUrl(entry.url).path(QUrl::FullyEncoded).toStdString());
            QVERIFY(file);
            QCOMPARE(file->status, 200);
            QCOMPARE(QCryptographicHash::hash(QByteArray::fromStdString(file->body), QCryptographicHash::Sha256).toHex(),
                     entry.sha256.toLatin1());
        }
        // A stored copy that has gone missing is stored again with the new version.
        QVERIFY(QFile::remove(update + QString::number(first) + "/lib/big.dat"));
        const int third = ++m_version;
        QVERIFY(publish(third, {{"Pennova", "main " + QByteArray::number(second)}, {"lib/big.dat", big}}));
        QVERIFY(QFileInfo::exists(update + QString::number(third) + "/lib/big.dat"));
        QVERIFY(!QFileInfo::exists(update + QString::number(third) + "/Pennova"));
    }

    void relativeFolderGivesPathsBelowIt()
    {
        QTemporaryDir work;
        QVERIFY(write(work.filePath("release/Pennova"), "main"));
        QVERIFY(write(work.filePath("release/lib/data.txt"), "data"));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(work.path()));
        QString error;
        ReleaseStore store(work.filePath("data"));
        const bool published = store.publish({QStringLiteral("release"), 1, 0, "v", "n", &m_key, {}}, &error);
        QDir::setCurrent(before);
        QVERIFY2(published, qPrintable(error));
        const auto release = store.latest();
        QVERIFY(release);
        QStringList paths;
        for (const UpdateFileEntry &entry : release->files)
            paths << entry.relativePath();
        QCOMPARE(paths, (QStringList{"Pennova", "lib/data.txt"}));
    }

    void publicKeyIsChecked_data()
    {
        QTest::addColumn<QString>("publicKey"); // "own", "other" or empty
        QTest::addColumn<QString>("updater");   // the release's "update": "own" key, "other" key, or none
        QTest::addColumn<bool>("published");
        QTest::newRow("the key's own public key") << "own" << "" << true;
        QTest::newRow("another public key") << "other" << "" << false;
        QTest::newRow("updater built with the key") << "own" << "own" << true;
        QTest::newRow("updater built with another key") << "own" << "other" << false;
        QTest::newRow("no public key given: not checked") << "" << "other" << true;
    }
    void publicKeyIsChecked()
    {
        QFETCH(QString, publicKey);
        QFETCH(QString, updater);
        QFETCH(bool, published);
        ReleaseKey other;
        QString error;
        QVERIFY(ReleaseKey::generate(m_work->filePath("other-" + QString::number(++m_keys)), &error));
        QVERIFY(other.load(m_work->filePath("other-" + QString::number(m_keys)), &error));
        const auto keyOf = [&](const QString &which) {
            return which == "own" ? m_key.publicKeyBase64() : which == "other" ? other.publicKeyBase64() : QByteArray();
        };
        QTemporaryDir data;
        QTemporaryDir source;
        QVERIFY(write(source.filePath("Pennova"), "main"));
        if (!updater.isEmpty())
            QVERIFY(write(source.filePath("update"), "\x7f" "ELF...key:" + keyOf(updater) + "...end"));
        ReleaseStore store(data.path());
        ReleaseStore::PublishRequest request{source.path(), 1, 0, "v", "notes", &m_key, {}};
        request.publicKey = keyOf(publicKey);
        QCOMPARE(store.publish(request, &error), published);
        QCOMPARE(store.latest().has_value(), published);
        if (published)
            QVERIFY(ReleaseKey::verify(m_key.publicKeyBase64(),
                                       UpdateFileEntry::signedText(1, store.latest()->files), store.latest()->signature));
        else
            QVERIFY2(error.contains(updater == "other" ? "PENNOVA_RELEASE_PUBLIC_KEY" : "public key"), qPrintable(error));
    }

    void releaseAddRefusesAnotherPublicKey_data()
    {
        QTest::addColumn<QString>("publicKey"); // the option's value; FILE stands for the key's .pub
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::newRow("the key's .pub file") << "FILE" << 0 << "published version 1";
        QTest::newRow("the key itself") << "OWN" << 0 << "published version 1";
        QTest::newRow("the throw-away key of a default build") << "+7p0ab4H/3MpL6MYjeSh5eUE4qju/WWKQCm/lHo8zFo=" << 1
                                                                << "does not belong to the public key";
        QTest::newRow("garbage") << "not a key" << 1 << "is no public release key";
        QTest::newRow("a missing file") << "/nonexistent/key.pub" << 1 << "is no public release key";
    }
    void releaseAddRefusesAnotherPublicKey()
    {
        QFETCH(QString, publicKey);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        publicKey.replace("FILE", m_work->filePath("key.pub")).replace("OWN", QString::fromLatin1(m_key.publicKeyBase64()));
        QTemporaryDir data;
        QTemporaryDir source;
        QVERIFY(write(source.filePath("Pennova"), "main"));
        QVERIFY(write(m_work->filePath("notes.html"), "<p>n</p>"));
        std::vector<std::string> arguments = {"--data", data.path().toStdString(), "release", "add",
                                              source.path().toStdString(), "--version", "1", "--notes",
                                              m_work->filePath("notes.html").toStdString(), "--key",
                                              m_work->filePath("key").toStdString(), "--public-key",
                                              publicKey.toStdString()};
        const PennovaServer::ServerCommandLine line = PennovaServer::ServerCommandLine::parse(arguments, "/home/t");
        QCOMPARE(int(line.mode), int(PennovaServer::ServerCommandLine::Mode::ReleaseAdd));
        std::ostringstream out;
        std::ostringstream err;
        QCOMPARE(PennovaServer::ReleaseCommand::run(line, out, err), exitCode);
        QVERIFY2(text(out.str() + err.str()).contains(message), (out.str() + err.str()).c_str());
        QCOMPARE(ReleaseStore(data.path()).latest().has_value(), exitCode == 0);
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
        const bool published = store.publish({source.path(), version, lowest, "v", notes, &m_key, {}}, &error);
        if (!published)
            qWarning() << error;
        return published;
    }

    std::unique_ptr<TestServer> m_server;
    std::unique_ptr<QTemporaryDir> m_work;
    ReleaseKey m_key;
    int m_version = 0; // the newest published on m_server
    int m_keys = 0;
};

QTEST_GUILESS_MAIN(TestServerReleases)
#include "tst_serverreleases.moc"
