// The remembered password hash: in the desktop's secret store where one is available,
// in the owner-only preference file where none is, and moved out of the file into the
// store on the next start.

#include "support/fakesecretstore.h"

#include "configstore.h"
#include "credentialstore.h"
#include "globalstores.h"
#include "keychainsecretstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Hash = QStringLiteral("E10ADC3949BA59ABBE56E057F20F883E");

QByteArray fileOf(const ConfigStore &store)
{
    QFile file(store.filePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class CredentialStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void rememberedHashGoesWhereItIsSafe_data()
    {
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("failWrites");
        QTest::addColumn<bool>("inSecretStore");
        QTest::newRow("secret store running") << true << false << true;
        QTest::newRow("no secret store: the owner-only file") << false << false << false;
        QTest::newRow("secret store refuses: the file") << true << true << false;
    }
    void rememberedHashGoesWhereItIsSafe()
    {
        QFETCH(bool, available);
        QFETCH(bool, failWrites);
        QFETCH(bool, inSecretStore);
        QTemporaryDir dir;
        ConfigStore prefs(dir.path(), PreferenceFileName);
        mergeDefaults(prefs, preferenceDefaults());
        FakeSecretStore secrets;
        secrets.available = available;
        secrets.failWrites = failWrites;
        CredentialStore credentials(prefs, &secrets);
        QCOMPARE(credentials.usesSecretStore(), available);
        prefs.setValue(QStringLiteral("str_user"), QStringLiteral("demo123"));
        credentials.remember(QStringLiteral("demo123"), Hash);
        QVERIFY(prefs.save());
        QCOMPARE(fileOf(prefs).contains(Hash.toLatin1()), !inSecretStore);
        QCOMPARE(secrets.secrets.values().contains(Hash), inSecretStore);
        QCOMPARE(credentials.passwordHash(QStringLiteral("demo123")), Hash);
        QCOMPARE(credentials.passwordHash(QStringLiteral("other1")), QString());
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
            | QFileDevice::ReadOther | QFileDevice::WriteOther;
        QCOMPARE(QFile::permissions(prefs.filePath()) & others, QFileDevice::Permissions());

        credentials.forget(QStringLiteral("demo123"));
        QCOMPARE(credentials.passwordHash(QStringLiteral("demo123")), QString());
        QVERIFY(secrets.secrets.isEmpty());
    }

    void fileHashMovesIntoTheSecretStore_data()
    {
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("moved");
        QTest::newRow("a secret store runs now") << true << true;
        QTest::newRow("still none") << false << false;
    }
    void fileHashMovesIntoTheSecretStore()
    {
        QFETCH(bool, available);
        QFETCH(bool, moved);
        QTemporaryDir dir;
        {
            ConfigStore older(dir.path(), PreferenceFileName);
            mergeDefaults(older, preferenceDefaults());
            older.setValue(QStringLiteral("str_user"), QStringLiteral("demo123"));
            older.setValue(QStringLiteral("rem_pwd"), QStringLiteral("True"));
            older.setValue(QStringLiteral("str_pwd"), Hash);
            QVERIFY(older.save());
        }
        ConfigStore prefs(dir.path(), PreferenceFileName);
        FakeSecretStore secrets;
        secrets.available = available;
        CredentialStore credentials(prefs, &secrets);
        QCOMPARE(credentials.migrate(), moved);
        // Saved at once: the file on disk no longer holds it.
        QCOMPARE(fileOf(prefs).contains(Hash.toLatin1()), !moved);
        QCOMPARE(prefs.value(QStringLiteral("rem_pwd")), QStringLiteral("True"));
        QCOMPARE(credentials.passwordHash(QStringLiteral("demo123")), Hash);
    }

    // Tests and CI run without a session bus or a Secret Service: the keychain store says
    // so at once and every call fails without waiting, so the file is used.
    void keychainWithoutSecretServiceIsUnavailable()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/pennova-test-bus");
        KeychainSecretStore keychain(QStringLiteral("PennovaTest"), 60000);
        QVERIFY(!keychain.isAvailable());
        QString secret;
        QVERIFY(!keychain.read(QStringLiteral("k"), &secret));
        QVERIFY(!keychain.write(QStringLiteral("k"), QStringLiteral("v")));
        QTemporaryDir dir;
        ConfigStore prefs(dir.path(), PreferenceFileName);
        mergeDefaults(prefs, preferenceDefaults());
        CredentialStore credentials(prefs, &keychain);
        QVERIFY(!credentials.usesSecretStore());
        credentials.remember(QStringLiteral("demo123"), Hash);
        QCOMPARE(prefs.value(QStringLiteral("str_pwd")), Hash);
    }
};

QTEST_GUILESS_MAIN(CredentialStoreTest)
#include "tst_credentialstore.moc"
