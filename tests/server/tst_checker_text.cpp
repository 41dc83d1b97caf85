// Text handling of the checker: tokens with UTF-16 offsets, UTF-8 decoding of bad
// bytes, addresses kept whole, and the explanation query parser and HTML escaping.

#include "explanationpages.h"
#include "tokenizer.h"

#include <QtTest>

using namespace PennovaChecker;

class TestCheckerText : public QObject
{
    Q_OBJECT

private slots:
    void tokenOffsets_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("plain English") << "He goes home." << QStringList{"He", "goes", "home"};
        QTest::newRow("Chinese around English") << QStringLiteral("我说 hello 世界 world。")
                                                << QStringList{"hello", "world"};
        QTest::newRow("emoji takes two units") << QStringLiteral("🙂🙂 smile now") << QStringList{"smile", "now"};
        QTest::newRow("contractions stay whole") << "I don't think it's here." << QStringList{"I", "don't", "think", "it's", "here"};
        QTest::newRow("typographic apostrophe") << QStringLiteral("It’s mine.") << QStringList{QStringLiteral("It’s"), "mine"};
        QTest::newRow("hyphen splits words") << "a well-known fact" << QStringList{"a", "well", "known", "fact"};
    }

    void tokenOffsets()
    {
        QFETCH(QString, sentence);
        QFETCH(QStringList, words);
        int length = 0;
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString(), &length);
        QCOMPARE(length, int(sentence.size()));
        QStringList got;
        for (const Token &t : tokens) {
            if (t.kind != Token::Word)
                continue;
            const QString span = sentence.mid(t.start, t.end - t.start);
            got << span;
            // the token text equals its span, with a typographic apostrophe read as "'"
            QCOMPARE(QString::fromStdString(t.text), QString(span).replace(QChar(0x2019), QLatin1Char('\'')));
        }
        QCOMPARE(got, words);
    }

    void addressesAreOneToken_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("address");
        QTest::newRow("web address with scheme") << "See https://example.org/a?b=c. Then go." << "https://example.org/a?b=c";
        QTest::newRow("www address") << "Visit www.pennova.cn today." << "www.pennova.cn";
        QTest::newRow("e-mail address") << "Mail li.ming@example.com, please." << "li.ming@example.com";
        QTest::newRow("bare domain") << "It is on example.com now." << "example.com";
    }

    void addressesAreOneToken()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, address);
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        int urls = 0;
        for (const Token &t : tokens) {
            if (t.kind != Token::Url)
                continue;
            ++urls;
            QCOMPARE(sentence.mid(t.start, t.end - t.start), address);
        }
        QCOMPARE(urls, 1);
    }

    void decodingBadBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("codePoints");
        QTest::newRow("valid mixed text") << QByteArray("a\xe4\xb8\xad\xf0\x9f\x99\x82") << 3;
        QTest::newRow("lone continuation byte") << QByteArray("a\x80" "b") << 3;
        QTest::newRow("truncated sequence at the end") << QByteArray("ab\xe4\xb8") << 4;
        QTest::newRow("overlong encoding") << QByteArray("\xc0\xaf") << 2;
        QTest::newRow("surrogate encoded in UTF-8") << QByteArray("\xed\xa0\x80") << 3;
        QTest::newRow("empty") << QByteArray() << 0;
    }

    void decodingBadBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, codePoints);
        const std::u32string text = Tokenizer::decode(bytes.toStdString());
        QCOMPARE(int(text.size()), codePoints);
        // encoding again always gives valid UTF-8
        const QByteArray again = QByteArray::fromStdString(Tokenizer::encode(text));
        QCOMPARE(QString::fromUtf8(again).toUtf8(), again);
    }

    void queryParsing_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("pairs"); // "key=value" after decoding
        QTest::newRow("path and query") << "/?et=nonword&ct=receive" << QStringList{"et=nonword", "ct=receive"};
        QTest::newRow("without the path") << "et=a&fk=b&fk=c" << QStringList{"et=a", "fk=b", "fk=c"};
        QTest::newRow("escaped characters") << "/?fk=a%20b%26c%3D" << QStringList{"fk=a b&c="};
        QTest::newRow("UTF-8 escapes") << "/?ct=%E4%B8%AD" << QStringList{QStringLiteral("ct=中")};
        QTest::newRow("truncated escape kept as text") << "/?ct=ab%4" << QStringList{"ct=ab%4"};
        QTest::newRow("bad hex kept as text") << "/?ct=%zz" << QStringList{"ct=%zz"};
        QTest::newRow("key without value") << "/?lexsub" << QStringList{"lexsub="};
        QTest::newRow("empty") << "" << QStringList{};
    }

    void queryParsing()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, pairs);
        QStringList got;
        for (const auto &[k, v] : ExplanationPages::parseQuery(query.toStdString()))
            got << QString::fromStdString(k) + QLatin1Char('=') + QString::fromStdString(v);
        QCOMPARE(got, pairs);
    }

    void oversizedQueryIsCut()
    {
        const std::string huge = "/?et=nonword&fk=" + std::string(1 << 20, 'a');
        const auto params = ExplanationPages::parseQuery(huge);
        size_t total = 0;
        for (const auto &[k, v] : params)
            total += k.size() + v.size();
        QVERIFY(total <= 8192);
    }

    void escaping_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("markup") << QByteArray("<b>\"x\" & 'y'</b>") << "&lt;b&gt;&quot;x&quot; &amp; &#39;y&#39;&lt;/b&gt;";
        QTest::newRow("Chinese passes") << QByteArray("中文") << QStringLiteral("中文");
        QTest::newRow("invalid bytes replaced") << QByteArray("a\xff") << QStringLiteral("a\uFFFD");
    }

    void escaping()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, escaped);
        QCOMPARE(QString::fromStdString(ExplanationPages::escapeHtml(text.toStdString())), escaped);
    }
};

QTEST_GUILESS_MAIN(TestCheckerText)
#include "tst_checker_text.moc"
