#include "passwordhash.h"
#include "resultcode.h"
#include "serviceform.h"
#include "servicereply.h"

#include <QTest>

using namespace ZeltraLib;

// Result-code table, three-part replies, form bodies and the password hash.
class TestServiceReply : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resultCodeWords_data();
    void resultCodeWords();
    void userStateWords_data();
    void userStateWords();
    void parse_data();
    void parse();
    void parseLatin1Body();
    void formBody_data();
    void formBody();
    void hash_data();
    void hash();
};

void TestServiceReply::resultCodeWords_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("value");
    const QList<QPair<const char *, int>> table = {
        {"Success", -1}, {"Failure", 0}, {"UndefinedError", 999}, {"LogicError", 1000},
        {"UserNotExit", 1001}, {"UserNameExist", 1002}, {"UserNameDontMatchRule", 1003},
        {"UserEmailExist", 1004}, {"UserEmailDontMatchRule", 1005},
        {"UserPasswordDontMatchRule", 1006}, {"UserNameEmpty", 1007}, {"UserEmailEmpty", 1008},
        {"UserEmailToolLong", 1009}, {"UserLogined", 1010}, {"SystemError", 2000},
        {"NetworkError", 2100}, {"DatabaseError", 2200}, {"SessionError", 2300}};
    for (const auto &entry : table)
        QTest::newRow(entry.first) << QString::fromLatin1(entry.first) << entry.second;
}

void TestServiceReply::resultCodeWords()
{
    QFETCH(QString, word);
    QFETCH(int, value);
    QCOMPARE(ResultCode::fromWord(word), value);
    QCOMPARE(ResultCode::word(value), word);
    // Words match exactly: another case is an unknown word, which is Failure.
    if (value != ResultCode::Failure) {
        QCOMPARE(ResultCode::fromWord(word.toLower()), int(ResultCode::Failure));
        QCOMPARE(ResultCode::fromWord(word + QLatin1Char(' ')), int(ResultCode::Failure));
    }
}

void TestServiceReply::userStateWords_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("value");
    QTest::newRow("registered") << "registered" << 1;
    QTest::newRow("active") << "active" << 2;
    QTest::newRow("disabled") << "disabled" << 3;
    QTest::newRow("case matters") << "Active" << 0;
    QTest::newRow("unknown word") << "banned" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestServiceReply::userStateWords()
{
    QFETCH(QString, word);
    QFETCH(int, value);
    QCOMPARE(UserState::fromWord(word), value);
}

void TestServiceReply::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("three parts, empty third") << "Success|KEY42|" << -1 << "KEY42" << "";
    QTest::newRow("two parts is the same") << "Success|KEY42" << -1 << "KEY42" << "";
    QTest::newRow("three full parts") << "Success|KEY|demo123;a;b" << -1 << "KEY"
                                      << "demo123;a;b";
    QTest::newRow("four parts drop both texts") << "Success|KEY|name|x" << -1 << "" << "";
    QTest::newRow("code only") << "Success" << -1 << "" << "";
    QTest::newRow("unknown word is Failure") << "Gibberish|KEY|x" << 0 << "KEY" << "x";
    QTest::newRow("lower case word is unknown") << "success|KEY|" << 0 << "KEY" << "";
    QTest::newRow("empty reply") << "" << 0 << "" << "";
    QTest::newRow("bars only") << "||" << 0 << "" << "";
    QTest::newRow("error word") << "UserNotExit||" << 1001 << "" << "";
    QTest::newRow("truncated after bar") << "SessionError|" << 2300 << "" << "";
    QTest::newRow("word with trailing newline is unknown") << "Success\n|KEY|" << 0 << "KEY"
                                                           << "";
    QTest::newRow("chinese texts kept") << QString::fromUtf8("Success|钥匙|张三;李四") << -1
                                        << QString::fromUtf8("钥匙")
                                        << QString::fromUtf8("张三;李四");
    QTest::newRow("garbage bytes") << QString::fromLatin1("\x01\xff|\x7f") << 0 << "\x7f" << "";
    const QString huge(300000, QLatin1Char('k'));
    QTest::newRow("oversized key") << QStringLiteral("Success|") + huge + QStringLiteral("|n")
                                   << -1 << huge << "n";
    QStringList many;
    for (int i = 0; i < 10000; ++i)
        many << QStringLiteral("Success");
    QTest::newRow("many parts") << many.join(QLatin1Char('|')) << -1 << "" << "";
}

void TestServiceReply::parse()
{
    QFETCH(QString, text);
    QFETCH(int, code);
    QFETCH(QString, first);
    QFETCH(QString, second);
    const ServiceReply reply = ServiceReply::parse(text);
    QCOMPARE(reply.code, code);
    QCOMPARE(reply.first, first);
    QCOMPARE(reply.second, second);
}

void TestServiceReply::parseLatin1Body()
{
    // Bodies are taken byte for byte: 0xE9 is one character, not a broken UTF-8 sequence.
    const ServiceReply reply = ServiceReply::parse(QByteArray("Success|caf\xe9|"));
    QCOMPARE(reply.code, -1);
    QCOMPARE(reply.first, QString(QStringLiteral("caf") + QChar(0xe9)));
}

void TestServiceReply::formBody_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("escapePlus");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("plain value") << "u" << "demo123" << false << QByteArray("a=1&u=demo123");
    QTest::newRow("plus kept") << "e" << "a+b@x.cn" << false << QByteArray("a=1&e=a+b@x.cn");
    QTest::newRow("plus escaped on request") << "e" << "a+b+c@x.cn" << true
                                             << QByteArray("a=1&e=a%2bb%2bc@x.cn");
    QTest::newRow("ampersand cannot forge a field") << "u" << "x&p=HASH" << false
                                                    << QByteArray("a=1&u=x%26p=HASH");
    QTest::newRow("percent survives decoding") << "u" << "100%41" << false
                                               << QByteArray("a=1&u=100%2541");
    QTest::newRow("chinese as utf-8") << "u" << QString::fromUtf8("张三") << false
                                      << QByteArray("a=1&u=\xe5\xbc\xa0\xe4\xb8\x89");
    QTest::newRow("empty value") << "sessionKey" << "" << false << QByteArray("a=1&sessionKey=");
}

void TestServiceReply::formBody()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(bool, escapePlus);
    QFETCH(QByteArray, expected);
    QCOMPARE(ZeltraLib::formBody({{QStringLiteral("a"), QStringLiteral("1")},
                                  {key, value, escapePlus}}),
             expected);
}

void TestServiceReply::hash_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("expected");
    // Digests computed independently (Python hashlib).
    QTest::newRow("ascii") << "demo123456" << "BED3482F502C7BBFB6F9FA54F36E77D7";
    QTest::newRow("chinese as utf-8") << QString::fromUtf8("密码abc")
                                      << "F47BF2FB76CF064228AF8AE8B5568EAE";
    QTest::newRow("empty") << "" << "D41D8CD98F00B204E9800998ECF8427E";
}

void TestServiceReply::hash()
{
    QFETCH(QString, password);
    QFETCH(QString, expected);
    QCOMPARE(passwordHash(password), expected);
}

QTEST_GUILESS_MAIN(TestServiceReply)
#include "tst_servicereply.moc"
