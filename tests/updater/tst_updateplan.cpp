#include "programfolder.h"
#include "releaseverifier.h"
#include "updateplan.h"
#include "versionfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sodium.h>

using ZeltraLib::UpdateFileEntry;
using ZeltraLib::VersionFile;

namespace {
struct KeyPair
{
    QByteArray publicKey; // base64
    QByteArray secretKey; // raw
};

KeyPair newKeyPair()
{
    unsigned char pk[crypto_sign_PUBLICKEYBYTES];
    unsigned char sk[crypto_sign_SECRETKEYBYTES];
    crypto_sign_keypair(pk, sk);
    return {QByteArray(reinterpret_cast<char *>(pk), sizeof pk).toBase64(),
            QByteArray(reinterpret_cast<char *>(sk), sizeof sk)};
}

QByteArray sign(const KeyPair &key, const QByteArray &message)
{
    unsigned char signature[crypto_sign_BYTES];
    crypto_sign_detached(signature, nullptr, reinterpret_cast<const unsigned char *>(message.constData()),
                         std::size_t(message.size()), reinterpret_cast<const unsigned char *>(key.secretKey.constData()));
    return QByteArray(reinterpret_cast<char *>(signature), sizeof signature).toBase64();
}

UpdateFileEntry entry(const QString &folder, const QString &name, int version, const QByteArray &content = "x")
{
    return {name, version, QStringLiteral("/update/") + name, folder,
            QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex())};
}

QStringList reply(const QList<UpdateFileEntry> &entries)
{
    QStringList list;
    for (const UpdateFileEntry &item : entries)
        list << item.toText();
    return list;
}
} // namespace

// Which file lists the updater accepts, and what it then installs.
class TestUpdatePlan : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(sodium_init() >= 0);
        m_key = newKeyPair();
        m_otherKey = newKeyPair();
        QVERIFY(m_dir.isValid());
        QVERIFY(m_outside.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath("lib"));
        QVERIFY(QFile::link(m_outside.path(), m_dir.filePath("escape")));
        QVERIFY(QFile::link(m_dir.filePath("lib"), m_dir.filePath("inside")));
    }

    void refusedLists_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("signedAs"); // "key", "other", "none", "garbage"
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("signedList"); // empty: the list itself
        const QList<UpdateFileEntry> good{entry("", "Pennova", 2), entry("lib", "数据 1.dat", 2)};
        QStringList tamperedHash = reply(good);
        tamperedHash[1] = reply({entry("lib", "数据 1.dat", 2, "evil")})[0];
        QStringList tamperedVersion = reply(good);
        tamperedVersion[0].replace("|2|", "|3|");
        QStringList movedFolder = reply(good);
        movedFolder[1].replace("|lib|", "|inside|");

        QTest::newRow("signed list") << reply(good) << "key" << true << QStringList();
        QTest::newRow("link inside the folder") << reply({entry("inside", "a", 2)}) << "key" << true << QStringList();
        QTest::newRow("tampered hash") << tamperedHash << "key" << false << reply(good);
        QTest::newRow("tampered version") << tamperedVersion << "key" << false << reply(good);
        QTest::newRow("tampered folder") << movedFolder << "key" << false << reply(good);
        QTest::newRow("entry dropped") << reply(good).mid(1) << "key" << false << reply(good);
        QTest::newRow("signed with another key") << reply(good) << "other" << false << QStringList();
        QTest::newRow("unsigned") << reply(good) << "none" << false << QStringList();
        QTest::newRow("garbage signature") << reply(good) << "garbage" << false << QStringList();
        QTest::newRow("empty list") << QStringList() << "key" << false << QStringList();
        QTest::newRow("truncated entry") << QStringList{"Pennova|2|/u|"} << "key" << false << QStringList();
        QTest::newRow("hash not hex") << QStringList{"a|2|/u||" + QString(64, 'g')} << "key" << false << QStringList();
        QTest::newRow("garbage entry") << (reply(good) << QStringLiteral("\x01\x02")) << "key" << false << QStringList();
        QTest::newRow("oversized list") << QStringList(UpdatePlan::MaxEntries + 1, reply(good)[0]) << "key" << false << QStringList();
        QTest::newRow("absolute folder") << reply({entry("/tmp", "a", 2)}) << "key" << false << QStringList();
        QTest::newRow("dot-dot") << reply({entry("lib/..", "..", 2)}) << "key" << false << QStringList();
        QTest::newRow("backslash") << reply({entry("", "..\\a", 2)}) << "key" << false << QStringList();
        QTest::newRow("NUL") << reply({entry("", QString::fromUtf8("a\0b", 3), 2)}) << "key" << false << QStringList();
        QTest::newRow("link out of the folder") << reply({entry("escape", "a", 2)}) << "key" << false << QStringList();
        QTest::newRow("the link itself") << reply({entry("", "escape", 2)}) << "key" << false << QStringList();
        QTest::newRow("ver.dat itself") << reply({entry("", "ver.dat", 2)}) << "key" << false << QStringList();
        QTest::newRow("backup name") << reply({entry("", "Pennova.old", 2)}) << "key" << false << QStringList();
        QTest::newRow("same place twice") << reply({entry("lib", "a", 2), entry("lib", "a", 2)}) << "key" << false << QStringList();
    }
    void refusedLists()
    {
        QFETCH(QStringList, list);
        QFETCH(QString, signedAs);
        QFETCH(bool, accepted);
        QFETCH(QStringList, signedList);
        // Signs what the entries say (or the genuine list a row tampered with).
        QList<UpdateFileEntry> entries;
        for (const QString &text : signedList.isEmpty() ? list : signedList) {
            UpdateFileEntry parsed;
            if (UpdateFileEntry::parse(text, &parsed))
                entries << parsed;
        }
        const QByteArray message = UpdateFileEntry::signedText(2, entries);
        QByteArray signature;
        if (signedAs == "key")
            signature = sign(m_key, message);
        else if (signedAs == "other")
            signature = sign(m_otherKey, message);
        else if (signedAs == "garbage")
            signature = "not*base64";
        VersionFile installed(m_dir.filePath("ver.dat"));
        const UpdatePlan plan = UpdatePlan::build(list, 2, signature, ReleaseVerifier(m_key.publicKey),
                                                  ProgramFolder(m_dir.path()), installed);
        QCOMPARE(plan.accepted(), accepted);
        QCOMPARE(plan.needed.size(), accepted ? list.size() : 0);
    }

    void listOfAnotherVersionIsRefused()
    {
        const QList<UpdateFileEntry> entries{entry("", "Pennova", 1)};
        const QByteArray oldSignature = sign(m_key, UpdateFileEntry::signedText(1, entries));
        VersionFile installed(m_dir.filePath("ver.dat"));
        const ReleaseVerifier verifier(m_key.publicKey);
        QVERIFY(UpdatePlan::build(reply(entries), 1, oldSignature, verifier, ProgramFolder(m_dir.path()), installed)
                    .accepted());
        QVERIFY(!UpdatePlan::build(reply(entries), 2, oldSignature, verifier, ProgramFolder(m_dir.path()), installed)
                     .accepted());
    }

    void onlyMissingOrOlderFilesAreNeeded()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("lib"));
        for (const QString &name : {"current", "older", "lib/unrecorded"}) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        VersionFile installed(dir.filePath("ver.dat"));
        installed.setFileVersion("", "current", 5);
        installed.setFileVersion("", "older", 4);
        installed.setFileVersion("lib", "current", 1); // another file of the same name
        const QList<UpdateFileEntry> entries{entry("", "current", 5), entry("", "older", 5), entry("", "missing", 1),
                                             entry("lib", "unrecorded", 1)};
        const UpdatePlan plan =
            UpdatePlan::build(reply(entries), 5, sign(m_key, UpdateFileEntry::signedText(5, entries)),
                              ReleaseVerifier(m_key.publicKey), ProgramFolder(dir.path()), installed);
        QVERIFY(plan.accepted());
        QStringList needed;
        for (const UpdatePlan::Item &item : plan.needed)
            needed << QDir(dir.path()).relativeFilePath(item.target);
        QCOMPARE(needed, (QStringList{"older", "missing", "lib/unrecorded"}));
    }

private:
    KeyPair m_key;
    KeyPair m_otherKey;
    QTemporaryDir m_dir;
    QTemporaryDir m_outside;
};

QTEST_GUILESS_MAIN(TestUpdatePlan)
#include "tst_updateplan.moc"
