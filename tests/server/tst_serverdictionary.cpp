// The dictionary pages: glosses from the shipped CC-CEDICT index, word entries, gloss
// lines, web-search redirects and pronunciation files, through the room and real HTTP.

#include "support/testserver.h"

#include "cedictindex.h"
#include "dictionarypages.h"
#include "pronunciationcache.h"

#include <QtTest>

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QBuffer>
#include <QFile>

#include <fstream>
#include <future>

#include "pennovapaths.h"

using PennovaDictionary::DictionaryPages;
using PennovaDictionary::PronunciationCache;

namespace {

std::string encoded(const QString &text)
{
    return QUrl::toPercentEncoding(text).toStdString();
}

bool validUtf8(const std::string &s)
{
    const QByteArray bytes = QByteArray::fromStdString(s);
    return QString::fromUtf8(bytes).toUtf8() == bytes;
}

struct Decoded
{
    qint64 frames = 0;
    int sampleRate = 0;
    double peak = 0; // largest absolute sample, 0..1
    bool error = false;
};

// Decodes MP3 data completely with Qt's own decoder.
Decoded decodeMp3(const QByteArray &data)
{
    Decoded out;
    QBuffer device;
    device.setData(data);
    device.open(QIODevice::ReadOnly);
    QAudioDecoder decoder;
    QAudioFormat format;
    format.setSampleFormat(QAudioFormat::Float);
    format.setChannelCount(1);
    format.setSampleRate(22050);
    decoder.setAudioFormat(format);
    decoder.setSourceDevice(&device);
    QObject context;
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &context, [&] {
        const QAudioBuffer buffer = decoder.read();
        out.frames += buffer.frameCount();
        out.sampleRate = buffer.format().sampleRate();
        const float *samples = buffer.constData<float>();
        for (qsizetype i = 0; buffer.format().sampleFormat() == QAudioFormat::Float && i < buffer.sampleCount(); ++i)
            out.peak = std::max(out.peak, double(std::abs(samples[i])));
    });
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &context,
                     [&](QAudioDecoder::Error) { out.error = true; });
    QSignalSpy finished(&decoder, &QAudioDecoder::finished);
    decoder.start();
    if (!finished.wait(20000))
        out.error = true;
    return out;
}

} // namespace

class TestServerDictionary : public QObject
{
    Q_OBJECT

private:
    TestServer m_server;
    std::unique_ptr<DictionaryPages> m_pages;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        m_pages = std::make_unique<DictionaryPages>(DictionaryPages::defaultPaths(m_server.dataDir()));
    }

    // Acceptance: of the 200 most frequent words of the shipped list, 95 % get a gloss.
    void frequentWordsHaveGlosses()
    {
        std::ifstream in(PENNOVA_SOURCE_DIR "/server/checker/data/frequency_dictionary_en_82_765.txt");
        std::string line;
        int words = 0, glossed = 0;
        QStringList missing;
        while (words < 200 && std::getline(in, line)) {
            if (line.size() >= 3 && static_cast<unsigned char>(line[0]) == 0xEF)
                line.erase(0, 3);
            const std::string word = line.substr(0, line.find(' '));
            ++words;
            if (!m_pages->chineseGlosses(word, 1).empty())
                ++glossed;
            else
                missing << QString::fromStdString(word);
        }
        QCOMPARE(words, 200);
        QVERIFY2(glossed >= 190, qPrintable(QStringLiteral("%1 glossed; none for: %2").arg(glossed).arg(missing.join(' '))));
    }

    void commonGloss_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("expected"); // the first gloss is one of these
        QTest::newRow("apple") << "apple" << QStringList{"苹果"};
        QTest::newRow("improve") << "improve" << QStringList{"改善", "提高"};
        QTest::newRow("environment") << "environment" << QStringList{"环境"};
        QTest::newRow("study") << "study" << QStringList{"学习", "研究"};
        QTest::newRow("inflected: studies") << "studies" << QStringList{"学习", "研究"};
        QTest::newRow("irregular: went") << "went" << QStringList{"去", "走", "往"};
        QTest::newRow("form of be: are, not the unit of area") << "are" << QStringList{"是"};
        QTest::newRow("capitals") << "Teacher" << QStringList{"教师", "老师", "先生"};
        QTest::newRow("derived adverb: quickly") << "quickly" << QStringList{"快", "迅速", "赶快", "快速"};
        // The common sense first: an entry whose main meaning is another goes behind.
        QTest::newRow("soon: not 最近 (recently)") << "soon" << QStringList{"不久", "即将", "早日", "马上", "很快"};
        QTest::newRow("recently keeps 最近") << "recently" << QStringList{"最近", "近来", "新近", "近日"};
        QTest::newRow("look forward to: not 向往 (yearn for)") << "look forward to" << QStringList{"期待", "盼望", "期盼"};
        QTest::newRow("-ing adjective: interesting") << "interesting" << QStringList{"有趣", "有意思", "好玩"};
        QTest::newRow("its verb: interest") << "interest" << QStringList{"兴趣", "利益", "利息", "意兴"};
        QTest::newRow("-ed adjective: bored") << "bored" << QStringList{"厌烦", "无聊", "闷", "烦闷"};
    }
    void commonGloss()
    {
        QFETCH(QString, word);
        QFETCH(QStringList, expected);
        const std::vector<std::string> glosses = m_pages->chineseGlosses(word.toStdString(), 3);
        QVERIFY(!glosses.empty());
        QVERIFY2(expected.contains(QString::fromStdString(glosses.front())), glosses.front().c_str());
    }

    void headword_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("head");
        QTest::newRow("third person / plural") << "studies" << "study";
        QTest::newRow("irregular past") << "went" << "go";
        QTest::newRow("irregular plural") << "mice" << "mouse";
        QTest::newRow("irregular comparative") << "better" << "good";
        QTest::newRow("form of be") << "is" << "be";
        QTest::newRow("no two-letter base") << "as" << "as";
        QTest::newRow("a lemma of its own") << "news" << "news";
        QTest::newRow("unknown word stays") << "qwzx" << "qwzx";
        QTest::newRow("-ing adjective is its own headword") << "interesting" << "interesting";
        QTest::newRow("-ed adjective is its own headword") << "bored" << "bored";
        QTest::newRow("-ing form that is no adjective") << "studying" << "study";
        QTest::newRow("plain inflection of the same verb") << "interests" << "interest";
    }
    void headword()
    {
        QFETCH(QString, word);
        QFETCH(QString, head);
        QCOMPARE(QString::fromStdString(m_pages->headword(word.toStdString())), head);
    }

    void findPage_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QStringList>("contains");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("word: glosses, senses, forms, level, sound")
            << "study" << QStringList{"学习", "xué xí", "n. 名词", "v. 动词", "studies", "studied", "A1",
                                      "/tessel/audio/study.mp3", "CC-CEDICT"} << QStringList{};
        QTest::newRow("inflection finds its lemma") << "studies"
                                                    << QStringList{"<h1>study</h1>", "studies 是 study 的", "学习"}
                                                    << QStringList{};
        QTest::newRow("synonyms and examples") << "improve" << QStringList{"同义词", "better", "例："} << QStringList{};
        QTest::newRow("no plural for an uncountable noun") << "information" << QStringList{"信息"}
                                                           << QStringList{"informations"};
        QTest::newRow("few own glosses: the verb's too") << "pollution" << QStringList{"污染"} << QStringList{};
        QTest::newRow("known phrase") << "look after" << QStringList{"照顾"} << QStringList{"逐词释义"};
        QTest::newRow("sentence: gloss line")
            << "My students improve the environment." << QStringList{"逐词释义", "学生", "提高", "环境"}
            << QStringList{};
        QTest::newRow("Chinese word") << "学习" << QStringList{"to learn", "xué xí"} << QStringList{};
        QTest::newRow("markup is escaped") << "<script>alert(1)</script>" << QStringList{"&lt;script&gt;"}
                                           << QStringList{"<script>"};
        QTest::newRow("quotes are escaped") << "a\"b' onload=\"x" << QStringList{"&quot;"}
                                            << QStringList{"\" onload=\""};
        QTest::newRow("unknown word: no sound") << "qwzxv" << QStringList{"没有找到"} << QStringList{"发音", ".mp3"};
        QTest::newRow("-ing adjective: the adjective first")
            << "interesting" << QStringList{"<h1>interesting</h1>", "有趣", "adj. 形容词", "也是动词 interest 的现在分词",
                                            "/tessel/audio/interesting.mp3", "同义词", "fascinating"}
            << QStringList{"利益", "concerning", "v. 动词"};
        QTest::newRow("its verb keeps the verb") << "interest" << QStringList{"<h1>interest</h1>", "v. 动词", "利益"}
                                                 << QStringList{"也是动词"};
        QTest::newRow("no CC-CEDICT markup") << "affect" << QStringList{"作用"}
                                             << QStringList{"[yi4", "zuo4 yong4]", "抑制作用[", "|"};
        QTest::newRow("no markup on a Chinese entry") << "台" << QStringList{"platform"}
                                                      << QStringList{"[tai2]", "|", "CL:"};
        QTest::newRow("examples hold the word") << "affect" << QStringList{"例："}
                                                << QStringList{"He shammed a headache"};
        QTest::newRow("sentence gloss: common sense of soon")
            << "I will see you soon." << QStringList{"逐词释义", "不久"} << QStringList{"最近"};
        QTest::newRow("sentence gloss: look forward to")
            << "We look forward to the holiday." << QStringList{"逐词释义", "期待"} << QStringList{"向往"};
        QTest::newRow("sentence gloss: -ing adjective after a")
            << "It is an interesting book." << QStringList{"逐词释义", "有趣"} << QStringList{"利益"};
        QTest::newRow("sentence gloss: -ed form after a noun is the verb")
            << "The story interested him." << QStringList{"逐词释义"} << QStringList{"有兴趣", "感兴趣的"};
        QTest::newRow("Chinese gloss line is marked too") << "我们很好地学习" << QStringList{"逐词释义"}
                                                          << QStringList{};
        QTest::newRow("empty") << "   " << QStringList{"请输入"} << QStringList{};
    }
    void findPage()
    {
        QFETCH(QString, content);
        QFETCH(QStringList, contains);
        QFETCH(QStringList, absent);
        const httplib::Result res = m_server.get("/tessel/find?content=" + encoded(content));
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        QVERIFY(res->get_header_value("Content-Type").find("charset=utf-8") != std::string::npos);
        const QString body = QString::fromStdString(res->body);
        for (const QString &c : contains)
            QVERIFY2(body.contains(c), qPrintable(c));
        for (const QString &a : absent)
            QVERIFY2(!body.contains(a), qPrintable(a));
    }

    void badContent_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::addColumn<QString>("note");
        QTest::newRow("invalid UTF-8") << QByteArray("%FF%FEab%C3") << QString();
        QTest::newRow("truncated escape") << QByteArray("abc%E5%AD") << QString();
        QTest::newRow("oversized") << QByteArray("word%20").repeated(1000) << QStringLiteral("内容过长");
        QTest::newRow("oversized Chinese") << QByteArray("%E5%AD%A6").repeated(800) << QStringLiteral("内容过长");
    }
    void badContent()
    {
        QFETCH(QByteArray, query);
        QFETCH(QString, note);
        for (const char *path : {"/tessel/find?content=", "/tessel/translate?content="}) {
            const httplib::Result res = m_server.get(path + query.toStdString());
            QVERIFY(res);
            QCOMPARE(res->status, 200);
            QVERIFY(validUtf8(res->body));
            QVERIFY(res->body.size() < 200 * 1024);
            if (!note.isEmpty())
                QVERIFY(QString::fromStdString(res->body).contains(note));
        }
    }

    // An address beyond the HTTP layer's limit is refused; the server keeps serving.
    void hugeAddressRefused()
    {
        const httplib::Result res = m_server.get("/tessel/find?content=" + std::string(100000, 'a'));
        QVERIFY(res);
        QVERIFY(res->status >= 400 && res->status < 500);
        const httplib::Result next = m_server.get("/tessel/find?content=apple");
        QVERIFY(next);
        QCOMPARE(next->status, 200);
    }

    void translatePage()
    {
        const httplib::Result res =
            m_server.get("/tessel/translate?content=" + encoded("We must look after the <environment>."));
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        const QString body = QString::fromStdString(res->body);
        QVERIFY(body.contains("不是完整的翻译"));
        QVERIFY(body.contains("seg phrase")); // "look after" glossed as one phrase
        QVERIFY(body.contains("照顾") || body.contains("照看"));
        QVERIFY(body.contains("环境"));
        QVERIFY(body.contains("&lt;"));
        QVERIFY(!body.contains("<environment>"));
    }

    void readableDefinitions_data()
    {
        QTest::addColumn<QString>("definitions");
        QTest::addColumn<QString>("readable");
        QTest::newRow("plain senses stay") << "to learn/to study" << "to learn/to study";
        QTest::newRow("pinyin reference") << "as in 抑制作用[yi4 zhi4 zuo4 yong4], inhibition"
                                          << "as in 抑制作用, inhibition";
        QTest::newRow("traditional|simplified") << "variant of 臺|台[tai2]" << "variant of 台";
        QTest::newRow("classifier dropped") << "table/CL:張|张[zhang1]" << "table";
        QTest::newRow("pronunciation note dropped") << "to learn/Taiwan pr. [xue2]" << "to learn";
        QTest::newRow("notes in round brackets stay") << "(literary) to rest" << "(literary) to rest";
        QTest::newRow("garbage: unclosed bracket") << "good/bad [hao3" << "good";
        QTest::newRow("garbage: bars and brackets only") << "|][|/[]" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("oversized") << QString("word[pin1]/").repeated(20000) << QString("word/").repeated(19999) + "word";
    }
    void readableDefinitions()
    {
        QFETCH(QString, definitions);
        QFETCH(QString, readable);
        QCOMPARE(QString::fromStdString(PennovaDictionary::CedictIndex::readable(definitions.toStdString())), readable);
    }

    void searchTarget_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("location");
        QTest::newRow("google") << "hello world" << "google" << "https://www.google.com/search?q=hello%20world";
        QTest::newRow("bing") << "hello" << "bing" << "https://www.bing.com/search?q=hello";
        QTest::newRow("unknown engine: bing") << "hello" << "yahoo" << "https://www.bing.com/search?q=hello";
        QTest::newRow("ampersand, hash and Chinese stay in the query")
            << "rock & roll #1 学" << "google" << "https://www.google.com/search?q=rock%20%26%20roll%20%231%20%E5%AD%A6";
        QTest::newRow("empty: the engine's home") << "  " << "google" << "https://www.google.com/";
    }
    void searchTarget()
    {
        QFETCH(QString, content);
        QFETCH(QString, engine);
        QFETCH(QString, location);
        QCOMPARE(QString::fromStdString(DictionaryPages::searchTarget(content.toStdString(), engine.toStdString())),
                 location);
    }

    void searchRedirects()
    {
        // The client library hands the Location header over decoded.
        const httplib::Result res = m_server.get("/tessel/search?content=rock%20%26%20roll&d=google");
        QVERIFY(res);
        QCOMPARE(res->status, 302);
        QCOMPARE(QString::fromStdString(res->get_header_value("Location")),
                 QStringLiteral("https://www.google.com/search?q=rock & roll"));
        const httplib::Result bing = m_server.get("/tessel/search?content=x");
        QVERIFY(bing);
        QCOMPARE(QString::fromStdString(bing->get_header_value("Location")), QStringLiteral("https://www.bing.com/search?q=x"));
    }

    // Acceptance: the served pronunciation decodes to sound.
    void pronunciationDecodes()
    {
        const httplib::Result res = m_server.get("/tessel/audio/study.mp3");
        QVERIFY(res);
        QCOMPARE(res->status, 200);
        QCOMPARE(QString::fromStdString(res->get_header_value("Content-Type")), QStringLiteral("audio/mpeg"));
        const Decoded decoded = decodeMp3(QByteArray::fromStdString(res->body));
        QVERIFY(!decoded.error);
        QVERIFY(decoded.sampleRate > 0);
        const double seconds = double(decoded.frames) / decoded.sampleRate;
        QVERIFY2(seconds > 0.2 && seconds < 5, qPrintable(QString::number(seconds)));
        QVERIFY2(decoded.peak > 0.05, qPrintable(QString::number(decoded.peak))); // not silence
        // Cached: the second answer is the same file.
        const httplib::Result again = m_server.get("/tessel/audio/study.mp3");
        QVERIFY(again);
        QCOMPARE(again->body, res->body);
        QVERIFY(QFile::exists(QString::fromStdString(m_server.dataDir() + "/audio/study.mp3")));
    }

    void badPronunciation_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("digits") << "/tessel/audio/abc1.mp3";
        QTest::newRow("path escape") << "/tessel/audio/..%2F..%2Fetc.mp3";
        QTest::newRow("upper case") << "/tessel/audio/Study.mp3";
        QTest::newRow("too long") << "/tessel/audio/" + QString(41, 'a') + ".mp3";
        QTest::newRow("not mp3") << "/tessel/audio/study.wav";
        QTest::newRow("nonsense word") << "/tessel/audio/qwzxv.mp3";
        QTest::newRow("phrase with a nonsense word") << "/tessel/audio/look_qwzxv.mp3";
    }
    void badPronunciation()
    {
        QFETCH(QString, path);
        const httplib::Result res = m_server.get(path.toStdString());
        QVERIFY(res);
        QCOMPARE(res->status, 404);
    }

    // Many requests for one new word make its file once.
    void pronunciationMadeOnce()
    {
        QTemporaryDir dir;
        PronunciationCache cache(dir.path().toStdString() + "/audio");
        QVERIFY(cache.available());
        std::vector<std::future<std::string>> results;
        for (int i = 0; i < 4; ++i)
            results.push_back(std::async(std::launch::async, [&cache] { return cache.mp3("look after"); }));
        std::string first;
        for (auto &r : results) {
            const std::string data = r.get();
            QVERIFY(!data.empty());
            if (first.empty())
                first = data;
            QCOMPARE(data, first);
        }
        QCOMPARE(cache.madeCount(), 1);
        QVERIFY(QFile::exists(dir.path() + "/audio/look_after.mp3"));
        // A leading "-" is spoken, not taken as an option; other characters are refused.
        QVERIFY(!cache.mp3("-rf").empty());
        QVERIFY(cache.mp3("rm; ls").empty());
        QVERIFY(cache.mp3("caf\xc3\xa9").empty());
        QCOMPARE(cache.madeCount(), 2);
    }
};

int main(int argc, char *argv[])
{
    // Qt's FFmpeg media backend decodes MP3 without further system plugins.
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
    QCoreApplication app(argc, argv);
    TestServerDictionary test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_serverdictionary.moc"
