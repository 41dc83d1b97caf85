#include "configstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

int fileMode(const QString &path)
{
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 0777) : -1;
}

const QByteArray ValidFile =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<config>\n"
    " <proxy_type default=\"0\">2</proxy_type>\n"
    " <str_user default=\"\">李雷</str_user>\n"
    " <future_key default=\"x\">kept</future_key>\n"
    "</config>\n";

} // namespace

class TestConfigStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    // construction and file location
    void constructorPicksDirectoryAndName_data();
    void constructorPicksDirectoryAndName();

    // semantics of value() and setValue()
    void valueSemantics();

    // file format
    void savedFileHasTheFormat();
    void roundTrip_data();
    void roundTrip();
    void loadReadsTheSecondTopLevelNode_data();
    void loadReadsTheSecondTopLevelNode();
    void unknownKeysSurviveLoadAndSave();
    void textThatXmlCannotCarryDoesNotSpoilTheFile();

    // bad files
    void badFileKeepsEntriesAndFile_data();
    void badFileKeepsEntriesAndFile();

    // saving
    void saveCreatesMissingDirectories();
    void saveFailureKeepsOldFile_data();
    void saveFailureKeepsOldFile();
    void writeFailureKeepsOldFile();
    void savedFileIsOwnerOnly_data();
    void savedFileIsOwnerOnly();
    void settingsFolderIsOwnerOnly_data();
    void settingsFolderIsOwnerOnly();

private:
    QTemporaryDir m_config;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &name) const { return m_dir->path() + u'/' + name; }
};

void TestConfigStore::initTestCase()
{
    // Keep the user's real settings out of reach.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    QCOMPARE(ConfigStore::settingsDirectory(), m_config.path() + QStringLiteral("/Tessel/"));
}

void TestConfigStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestConfigStore::constructorPicksDirectoryAndName_data()
{
    QTest::addColumn<QString>("directory"); // "<tmp>" stands for the temporary directory
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("usesSettingsDirectory");
    QTest::addColumn<QString>("expectedName");

    QTest::newRow("existing directory without slash") << "<tmp>" << "a.ini" << false << "a.ini";
    QTest::newRow("existing directory with slash") << "<tmp>/" << "a.ini" << false << "a.ini";
    QTest::newRow("empty file name becomes default.ini") << "<tmp>" << "" << false << "default.ini";
    QTest::newRow("empty directory means settings directory") << "" << "a.ini" << true << "a.ini";
    QTest::newRow("missing directory means settings directory")
        << "<tmp>/no/such/dir" << "a.ini" << true << "a.ini";
}

void TestConfigStore::constructorPicksDirectoryAndName()
{
    QFETCH(QString, directory);
    QFETCH(QString, fileName);
    QFETCH(bool, usesSettingsDirectory);
    QFETCH(QString, expectedName);

    directory.replace(QStringLiteral("<tmp>"), m_dir->path());
    ConfigStore store(directory, fileName);
    const QString expectedDirectory =
        usesSettingsDirectory ? ConfigStore::settingsDirectory() : m_dir->path() + u'/';
    QCOMPARE(store.directory(), expectedDirectory);
    QVERIFY(store.directory().endsWith(u'/'));
    QCOMPARE(store.fileName(), expectedName);
    QVERIFY(!store.directory().endsWith(QStringLiteral("//")));
}

void TestConfigStore::valueSemantics()
{
    QVERIFY(writeAll(path("s.ini"),
                     "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<config>\n"
                     " <proxy_type default=\"0\"></proxy_type>\n"
                     " <Left default=\"-1\">120</Left>\n"
                     " <no_default>7</no_default>\n"
                     "</config>\n"));
    ConfigStore store(m_dir->path(), "s.ini");

    // an empty stored value reads as its default
    QCOMPARE(store.value("proxy_type"), QStringLiteral("0"));
    QCOMPARE(store.value("Left"), QStringLiteral("120"));
    QCOMPARE(store.value("Left", true), QStringLiteral("-1"));
    // a missing attribute is an empty default
    QCOMPARE(store.value("no_default", true), QString());
    QCOMPARE(store.value("no_default"), QStringLiteral("7"));

    // an unknown key reads as "" and is inserted
    QVERIFY(!store.contains("never_seen"));
    QCOMPARE(store.value("never_seen"), QString());
    QVERIFY(store.contains("never_seen"));

    // setValue on an existing key keeps the default
    store.setValue("Left", "5");
    QCOMPARE(store.value("Left"), QStringLiteral("5"));
    QCOMPARE(store.value("Left", true), QStringLiteral("-1"));
    store.setValue("Left", "");
    QCOMPARE(store.value("Left"), QStringLiteral("-1"));

    // setValue on a new key sets value and default alike
    store.setValue("brand_new", "abc");
    QCOMPARE(store.value("brand_new"), QStringLiteral("abc"));
    QCOMPARE(store.value("brand_new", true), QStringLiteral("abc"));

    // nothing of this reached the disk
    QVERIFY(!readAll(path("s.ini")).contains("brand_new"));
}

void TestConfigStore::savedFileHasTheFormat()
{
    ConfigStore store(m_dir->path(), "f.ini");
    store.setValue("Width", "850");
    store.setValue("Width", "900");
    QVERIFY(store.save());
    QCOMPARE(readAll(path("f.ini")),
             QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                        "<config>\n"
                        " <Width default=\"850\">900</Width>\n"
                        "</config>\n"));
}

void TestConfigStore::roundTrip_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("defaultValue");

    QTest::newRow("plain") << "display_text_font" << "Courier New" << "Arial";
    QTest::newRow("chinese text") << "str_user" << "韩梅梅的账号" << "";
    QTest::newRow("markup characters") << "proxy_pwd" << "a<b>&\"c'd" << "<&>";
    QTest::newRow("hot key with bars") << "hk_check_key" << "ctrl|shift|K" << "ctrl|alt|C";
    QTest::newRow("backslash domain user") << "proxy_user" << "CORP\\lilei" << "";
    QTest::newRow("emoji outside the basic plane") << "str_user" << "pen\U0001F58Aname" << "";
    QTest::newRow("long value") << "proxy_host" << QString(20000, u'h') << "";
}

void TestConfigStore::roundTrip()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, defaultValue);

    {
        ConfigStore store(m_dir->path(), "r.ini");
        store.setValue(key, defaultValue);
        store.setValue(key, value);
        store.setValue("other", "1");
        QVERIFY(store.save());
    }
    ConfigStore reread(m_dir->path(), "r.ini");
    QCOMPARE(reread.value(key), value.isEmpty() ? defaultValue : value);
    QCOMPARE(reread.value(key, true), defaultValue);
    QCOMPARE(reread.value("other"), QStringLiteral("1"));
}

void TestConfigStore::loadReadsTheSecondTopLevelNode_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("keys");

    QTest::newRow("written file")
        << ValidFile << QStringList{"future_key", "proxy_type", "str_user"};
    QTest::newRow("utf-8 byte order mark")
        << QByteArray("\xEF\xBB\xBF") + ValidFile
        << QStringList{"future_key", "proxy_type", "str_user"};
    QTest::newRow("comments inside the root are no keys")
        << QByteArray("<?xml version=\"1.0\"?>\n<config><!-- note --><a>1</a><?pi x?></config>")
        << QStringList{"a"};
    QTest::newRow("no declaration: nothing stands second")
        << QByteArray("<config><a>1</a></config>") << QStringList{};
    QTest::newRow("other root name is read alike")
        << QByteArray("<?xml version=\"1.0\"?>\n<settings><b>2</b></settings>")
        << QStringList{"b"};
}

void TestConfigStore::loadReadsTheSecondTopLevelNode()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, keys);

    QVERIFY(writeAll(path("l.ini"), content));
    ConfigStore store(m_dir->path(), "other.ini");
    store.setValue("before", "x");
    QFile::copy(path("l.ini"), path("other.ini"));
    QVERIFY(store.load());
    QStringList loaded = store.keys();
    loaded.sort();
    QCOMPARE(loaded, keys); // earlier entries are gone
    if (keys.contains("str_user"))
        QCOMPARE(store.value("str_user"), QStringLiteral("李雷"));
}

void TestConfigStore::unknownKeysSurviveLoadAndSave()
{
    QVERIFY(writeAll(path("u.ini"), ValidFile));
    {
        ConfigStore store(m_dir->path(), "u.ini");
        store.setValue("proxy_type", "1");
        QVERIFY(store.save());
    }
    ConfigStore reread(m_dir->path(), "u.ini");
    QCOMPARE(reread.value("future_key"), QStringLiteral("kept"));
    QCOMPARE(reread.value("future_key", true), QStringLiteral("x"));
    QCOMPARE(reread.value("proxy_type"), QStringLiteral("1"));
    QCOMPARE(reread.value("str_user"), QStringLiteral("李雷"));
}

void TestConfigStore::textThatXmlCannotCarryDoesNotSpoilTheFile()
{
    {
        ConfigStore store(m_dir->path(), "c.ini");
        store.setValue("proxy_pwd", QStringLiteral("ab") + QChar(0x01) + QChar(0xFFFF) + "cd"
                                        + QChar(0xD800));
        store.setValue("str_user", "lilei");
        store.setValue("bad key", "1");
        store.setValue("9starts_with_digit", "1");
        QVERIFY(store.save());
    }
    ConfigStore reread(m_dir->path(), "c.ini");
    QCOMPARE(reread.value("str_user"), QStringLiteral("lilei"));
    QCOMPARE(reread.value("proxy_pwd"), QStringLiteral("abcd"));
    QVERIFY(!reread.contains("bad key"));
    QVERIFY(!reread.contains("9starts_with_digit"));
}

void TestConfigStore::badFileKeepsEntriesAndFile_data()
{
    QTest::addColumn<QByteArray>("content");

    QByteArray bomb = "<?xml version=\"1.0\"?><!DOCTYPE b [<!ENTITY a \"aaaaaaaaaa\">";
    QByteArray previous = "a";
    for (int level = 1; level < 9; ++level) {
        const QByteArray name = "e" + QByteArray::number(level);
        bomb += "<!ENTITY " + name + " \"" + QByteArray("&" + previous + ";").repeated(10) + "\">";
        previous = name;
    }
    bomb += "]><config><k>&" + previous + ";</k></config>";

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("binary garbage") << QByteArray("\x00\x01\xFF\xFE\x89PNG\r\n\x1A\n", 12);
    QTest::newRow("plain ini text") << QByteArray("[General]\nproxy_type=1\n");
    QTest::newRow("truncated in an element") << ValidFile.left(ValidFile.size() / 2);
    QTest::newRow("truncated before the root ends") << ValidFile.chopped(10);
    QTest::newRow("two roots") << QByteArray("<config/><config/>");
    QTest::newRow("mismatched tags") << QByteArray("<?xml version=\"1.0\"?><config><a></b></config>");
    QTest::newRow("entity expansion bomb") << bomb;
    QByteArray huge = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<config>\n <k default=\"\">";
    huge += QByteArray(ConfigStore::MaxFileSize, 'v');
    huge += "</k>\n</config>\n";
    QTest::newRow("oversized well-formed file") << huge;
}

void TestConfigStore::badFileKeepsEntriesAndFile()
{
    QFETCH(QByteArray, content);

    QVERIFY(writeAll(path("b.ini"), content));
    ConfigStore store(m_dir->path(), "b.ini");
    QVERIFY(store.keys().isEmpty());
    store.setValue("proxy_type", "0");
    QVERIFY(!store.load());
    QCOMPARE(store.keys(), QStringList{"proxy_type"});
    QCOMPARE(store.value("proxy_type"), QStringLiteral("0"));
    // nothing is written back until save()
    QCOMPARE(readAll(path("b.ini")), content);
    QVERIFY(store.save());
    ConfigStore reread(m_dir->path(), "b.ini");
    QCOMPARE(reread.value("proxy_type"), QStringLiteral("0"));
}

void TestConfigStore::saveCreatesMissingDirectories()
{
    // The constructor falls back for a missing directory: remove it after construction.
    QVERIFY(QDir(m_dir->path()).mkpath("deep"));
    ConfigStore deep(path("deep"), "n.ini");
    QVERIFY(QDir(path("deep")).removeRecursively());
    deep.setValue("a", "1");
    QVERIFY(deep.save());
    QCOMPARE(ConfigStore(path("deep"), "n.ini").value("a"), QStringLiteral("1"));
}

void TestConfigStore::saveFailureKeepsOldFile_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("directory replaced by a file") << "file";
    QTest::newRow("target is a directory") << "directory";
}

void TestConfigStore::saveFailureKeepsOldFile()
{
    QFETCH(QString, obstacle);

    QVERIFY(QDir(m_dir->path()).mkpath("sub"));
    ConfigStore store(path("sub"), "p.ini");
    store.setValue("a", "1");
    if (obstacle == "file") {
        QVERIFY(QDir(path("sub")).removeRecursively());
        QVERIFY(writeAll(path("sub"), "old content"));
        QVERIFY(!store.save());
        QCOMPARE(readAll(path("sub")), QByteArray("old content"));
    } else {
        QVERIFY(QDir(path("sub")).mkpath("p.ini/inner"));
        QVERIFY(!store.save());
        QVERIFY(QFileInfo(path("sub/p.ini/inner")).isDir());
    }
    // no temporary files are left behind
    const QStringList left = QDir(m_dir->path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    QVERIFY2(obstacle == "file" ? left == QStringList{"sub"} : left.isEmpty(),
             qPrintable(left.join(u',')));
}

void TestConfigStore::writeFailureKeepsOldFile()
{
    // A full disk, as the file size limit makes every write past it fail.
    QVERIFY(writeAll(path("w.ini"), ValidFile));
    ConfigStore store(m_dir->path(), "w.ini");
    store.setValue("proxy_host", QString(64 * 1024, u'x'));

    struct rlimit previous;
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = previous;
    limit.rlim_cur = 1024;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const bool saved = store.save();
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!saved);
    QCOMPARE(readAll(path("w.ini")), ValidFile);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"w.ini"});
    // the same store saves once the disk has room again
    QVERIFY(store.save());
    QCOMPARE(ConfigStore(m_dir->path(), "w.ini").value("proxy_host").size(), 64 * 1024);
}

void TestConfigStore::savedFileIsOwnerOnly_data()
{
    QTest::addColumn<int>("existingMode"); // -1: no file yet
    QTest::newRow("new file") << -1;
    QTest::newRow("readable by all before") << 0644;
    QTest::newRow("writable by group before") << 0664;
}

void TestConfigStore::savedFileIsOwnerOnly()
{
    QFETCH(int, existingMode);

    if (existingMode >= 0) {
        QVERIFY(writeAll(path("m.ini"), ValidFile));
        QCOMPARE(::chmod(QFile::encodeName(path("m.ini")).constData(), mode_t(existingMode)), 0);
    }
    const mode_t oldMask = ::umask(0);
    ConfigStore store(m_dir->path(), "m.ini");
    store.setValue("str_pwd", "0123456789abcdef0123456789abcdef");
    const bool saved = store.save();
    ::umask(oldMask);
    QVERIFY(saved);
    QCOMPARE(fileMode(path("m.ini")), 0600);
}

void TestConfigStore::settingsFolderIsOwnerOnly_data()
{
    QTest::addColumn<bool>("ownFolder"); // false: the per-user settings folder
    QTest::addColumn<int>("existingMode"); // -1: no folder yet
    QTest::newRow("new settings folder") << false << -1;
    QTest::newRow("settings folder of an older client") << false << 0755;
    QTest::newRow("given folder open to the group") << true << 0775;
}

void TestConfigStore::settingsFolderIsOwnerOnly()
{
    QFETCH(bool, ownFolder);
    QFETCH(int, existingMode);
    const QString folder = ownFolder ? m_dir->path() : ConfigStore::settingsDirectory();
    if (!ownFolder)
        QDir(folder).removeRecursively();
    if (existingMode >= 0) {
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(::chmod(QFile::encodeName(folder).constData(), mode_t(existingMode)), 0);
    }
    const mode_t oldMask = ::umask(022);
    ConfigStore store(ownFolder ? folder : QString(), "f.ini");
    store.setValue("str_pwd", "0123456789abcdef0123456789abcdef");
    const bool saved = store.save();
    ::umask(oldMask);
    QVERIFY(saved);
    QCOMPARE(fileMode(folder), 0700);
    QCOMPARE(fileMode(QDir(folder).filePath("f.ini")), 0600);
}

QTEST_GUILESS_MAIN(TestConfigStore)
#include "tst_configstore.moc"
