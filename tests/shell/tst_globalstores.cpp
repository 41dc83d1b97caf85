#include "globalstores.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray PreferenceFile =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<config>\n"
    " <proxy_type default=\"9\">2</proxy_type>\n"
    " <enlish_level default=\"3\"></enlish_level>\n"
    " <Width default=\"850\">1024</Width>\n"
    " <plugin_state default=\"\">on</plugin_state>\n"
    "</config>\n";

const QByteArray PromptTipFile =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<config>\n"
    " <PT_Input default=\"False\">True</PT_Input>\n"
    "</config>\n";

} // namespace

class TestGlobalStores : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void tablesAreComplete();

    void storesLiveInTheSettingsDirectory();
    void fileEntriesWinOverTheTable_data();
    void fileEntriesWinOverTheTable();
    void missingKeysTakeTheTableDefault();
    void creationWritesNothing();
    void deletedPromptTipFileShowsEveryTipAgain();

private:
    QTemporaryDir m_config;
    QString m_settingsDir;
};

void TestGlobalStores::initTestCase()
{
    // The stores must find these files, never the user's real ones.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    m_settingsDir = m_config.path() + QStringLiteral("/Tessel/");
    QVERIFY(QDir().mkpath(m_settingsDir));
    QFile preference(m_settingsDir + PreferenceFileName);
    QVERIFY(preference.open(QIODevice::WriteOnly));
    preference.write(PreferenceFile);
    preference.close();
    QFile promptTips(m_settingsDir + PromptTipFileName);
    QVERIFY(promptTips.open(QIODevice::WriteOnly));
    promptTips.write(PromptTipFile);
}

void TestGlobalStores::tablesAreComplete()
{
    QCOMPARE(preferenceDefaults().size(), 66);
    QCOMPARE(promptTipDefaults().size(), 14);

    QSet<QString> seen;
    for (const auto &[key, value] : preferenceDefaults()) {
        QVERIFY2(!seen.contains(key), qPrintable(key));
        seen.insert(key);
    }
    for (const auto &[key, value] : promptTipDefaults()) {
        QVERIFY2(key.startsWith(QStringLiteral("PT_")), qPrintable(key));
        QCOMPARE(value, QStringLiteral("False"));
        QVERIFY2(!seen.contains(key), qPrintable(key));
        seen.insert(key);
    }
    QCOMPARE(promptTipDefaults().first().first, QStringLiteral("PT_Input"));
    QCOMPARE(promptTipDefaults().last().first, QStringLiteral("PT_Writing_Common_Sentence"));
}

void TestGlobalStores::storesLiveInTheSettingsDirectory()
{
    QCOMPARE(preferenceStore().filePath(), m_settingsDir + QStringLiteral("preference.ini"));
    QCOMPARE(promptTipStore().filePath(), m_settingsDir + QStringLiteral("setting.ini"));
    // one object for the whole process
    QCOMPARE(&preferenceStore(), &preferenceStore());
    QVERIFY(static_cast<void *>(&preferenceStore()) != static_cast<void *>(&promptTipStore()));
}

void TestGlobalStores::fileEntriesWinOverTheTable_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("defaultValue");

    QTest::newRow("file value kept") << "Width" << "1024" << "850";
    QTest::newRow("file default kept over the table's") << "proxy_type" << "2" << "9";
    QTest::newRow("empty file value reads the file's default") << "enlish_level" << "3" << "3";
    QTest::newRow("key unknown to the table kept") << "plugin_state" << "on" << "";
}

void TestGlobalStores::fileEntriesWinOverTheTable()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, defaultValue);
    QCOMPARE(preferenceStore().value(key), value);
    QCOMPARE(preferenceStore().value(key, true), defaultValue);
}

void TestGlobalStores::missingKeysTakeTheTableDefault()
{
    for (const auto &[key, defaultValue] : preferenceDefaults()) {
        QVERIFY2(preferenceStore().contains(key), qPrintable(key));
        if (key == "Width" || key == "proxy_type" || key == "enlish_level")
            continue;
        QCOMPARE(preferenceStore().value(key, true), defaultValue);
        QCOMPARE(preferenceStore().value(key), defaultValue);
    }
    QCOMPARE(promptTipStore().value("PT_Input"), QStringLiteral("True"));
    QCOMPARE(promptTipStore().value("PT_Report"), QStringLiteral("False"));
    QCOMPARE(promptTipStore().keys().size(), 14);
}

void TestGlobalStores::creationWritesNothing()
{
    preferenceStore().value("Height");
    QCOMPARE(readAll(m_settingsDir + PreferenceFileName), PreferenceFile);
    QCOMPARE(readAll(m_settingsDir + PromptTipFileName), PromptTipFile);
    QCOMPARE(QDir(m_settingsDir).entryList(QDir::Files).size(), 2);
}

void TestGlobalStores::deletedPromptTipFileShowsEveryTipAgain()
{
    // What the next start sees after the updater deleted the prompt-tip file.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    {
        ConfigStore shown(dir.path(), PromptTipFileName);
        for (const auto &[key, value] : promptTipDefaults())
            shown.setValue(key, QStringLiteral("True"));
        QVERIFY(shown.save());
    }
    QVERIFY(QFile::remove(dir.path() + u'/' + PromptTipFileName));
    ConfigStore next(dir.path(), PromptTipFileName);
    mergeDefaults(next, promptTipDefaults());
    for (const auto &[key, value] : promptTipDefaults())
        QCOMPARE(next.value(key), QStringLiteral("False"));
}

QTEST_GUILESS_MAIN(TestGlobalStores)
#include "tst_globalstores.moc"
