// Spelling in learner text beyond plain slips: unknown words far from every word (a finding
// without candidates, and the client reads such a reply), Chinese words in lower-case
// pinyin, candidates a student must never be offered, and real-word slips that the
// confusion model finds from the words around them. Each beside its clean look-alikes.

#include "pennovapaths.h"
#include "confusionmodel.h"
#include "englishchecker.h"
#include "lexicon.h"
#include "postagger.h"
#include "resultstate.h"
#include "spellingrule.h"
#include "spellingsuggester.h"
#include "support/checkerrecords.h"
#include "tokenizer.h"

#include <QtTest>

#include <fstream>
#include <memory>

using namespace PennovaChecker;
using namespace CheckerRecords;

class TestCheckerWordChoice : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Lexicon> m_lexicon;
    std::unique_ptr<SpellingSuggester> m_speller;
    std::unique_ptr<SpellingRule> m_rule; // with the Chinese words of CC-CEDICT
    std::unique_ptr<EnglishChecker> m_checker;
    QTemporaryDir m_dir;

    // "word/explainType->first candidate" for each finding of the spelling rule ("" for none)
    QString spellingFindings(const QString &sentence, const std::unordered_set<std::string> &userWords = {})
    {
        std::vector<Finding> found;
        m_rule->check(Tokenizer::tokenize(sentence.toStdString()), {}, userWords, &found);
        QStringList out;
        for (const Finding &f : found)
            if (f.certainty >= 2) // hidden at the usual confidence otherwise
                out << sentence.mid(f.start, f.end - f.start) + "/" + QString::fromStdString(f.explainType) + "->"
                        + (f.candidates.empty() ? QString() : QString::fromStdString(f.candidates[0].correction));
        return out.join(' ');
    }

    QString modelFile(const QByteArray &text)
    {
        const QString path = m_dir.filePath(QStringLiteral("model.txt"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        f.write(text);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_lexicon = std::make_unique<Lexicon>(PENNOVA_SOURCE_DIR "/server/checker/data", "/usr/share/wordnet");
        m_speller = std::make_unique<SpellingSuggester>(*m_lexicon, "/usr/share/hunspell");
        QVERIFY(m_speller->hasDictionary());
        m_rule = std::make_unique<SpellingRule>(*m_speller);
        QVERIFY(m_rule->loadChineseWords(PENNOVA_SOURCE_DIR "/server/dictionary/data/cedict.tsv"));
        m_checker = std::make_unique<EnglishChecker>();
    }

    // A lower-case word far from every known word is a finding without candidates; names,
    // terms, addresses, pinyin and the user's own words stay clean.
    void unknownWords_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("findings");
        QTest::newRow("far from every word") << "It is more sagniffecient for us." << "sagniffecient/unknown_word->";
        QTest::newRow("after the sentence's first word") << "The sagniffecient cost rose." << "sagniffecient/unknown_word->";
        QTest::newRow("garbled long word") << "We saw a consicvencieses of it." << "consicvencieses/unknown_word->";
        QTest::newRow("near miss keeps its candidates") << "It is importent for us." << "importent/nonword->important";
        QTest::newRow("capitalised name") << "We met Sagniffecient at noon." << "";
        QTest::newRow("all capitals") << "We use SAGNIFFECIENT here." << "";
        QTest::newRow("short unknown word") << "We saw a zqx there." << "";
        QTest::newRow("term written twice") << "The sagniffecient rose, and sagniffecient fell." << "";
        QTest::newRow("hyphenated term") << "It is a sagniffecient-based idea." << "";
        QTest::newRow("address") << "Visit sagniffecient.com today." << "";
        QTest::newRow("term glossed in brackets") << "It came from a previous birth (praarabda) they say." << "";
        QTest::newRow("prefix before a long known word") << "It allows cryosectioning without loss." << "";
        QTest::newRow("Latin name after its genus") << "Salvia lemmonii grows here." << "";
        QTest::newRow("pinyin-shaped word") << "We ate xiaolongbao at noon." << "";
        QTest::newRow("number with letters") << "It was 12kph at most." << "";
    }

    void unknownWords()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, findings);
        QCOMPARE(spellingFindings(sentence), findings);
    }

    void usersOwnUnknownWord()
    {
        QCOMPARE(spellingFindings("It is more sagniffecient for us.", {"sagniffecient"}), QString());
    }

    // The reply with a finding without candidates: an empty array the client reads, and an
    // explanation page that names the kind.
    void unknownWordReply()
    {
        const QString sentence = QStringLiteral("It is more sagniffecient for us.");
        const Json::Value record = m_checker->checkSentence(0, sentence.toStdString(), 0, sentenceConfig(), {}, {});
        const Json::Value *unknown = nullptr;
        for (const Json::Value &c : record["corrections"])
            if (c["explainType"].asString() == "unknown_word")
                unknown = &c;
        QVERIFY2(unknown, qPrintable(describe(sentence, record)));
        QCOMPARE(covered(sentence, *unknown), QStringLiteral("sagniffecient"));
        QCOMPARE((*unknown)["errorType"].asString(), std::string("NONWORD"));
        QVERIFY((*unknown)["candidates"].isArray());
        QCOMPARE((*unknown)["candidates"].size(), 0u);

        Json::StreamWriterBuilder writer;
        const QByteArray text = QByteArray::fromStdString(Json::writeString(writer, record));
        const ZeltraLib::CResultState state = ZeltraLib::parseResultState(text);
        bool read = false;
        for (const ZeltraLib::CorrectionRecord &c : state.corrections)
            if (c.explainType == "unknown_word") {
                read = true;
                QVERIFY(c.candidates.isEmpty());
                QCOMPARE(c.start, (*unknown)["start"].asInt());
                QCOMPARE(c.end, (*unknown)["end"].asInt());
            }
        QVERIFY(read);

        const QString page = QString::fromStdString(m_checker->explanationHtml("/?et=unknown_word&fk=sagniffecient"));
        QVERIFY(page.contains(QStringLiteral("无法识别的单词")));
        QVERIFY(page.contains(QStringLiteral("unknown word")));
        QVERIFY(page.contains(QStringLiteral("sagniffecient")));
        QVERIFY(!page.contains(QStringLiteral("→"))); // no correction to name
    }

    // Chinese words in lower-case pinyin are left as written; English slips that happen to
    // read as pinyin are still corrected.
    void chineseWords_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("findings");
        QTest::newRow("steamed buns") << "We ate baozi for breakfast." << "";
        QTest::newRow("rice dumplings") << "My grandmother makes zongzi every June." << "";
        QTest::newRow("dumplings") << "We made jiaozi at the festival." << "";
        QTest::newRow("alley") << "He lives in an old hutong in Beijing." << "";
        QTest::newRow("connections") << "In China guanxi matters a lot." << "";
        QTest::newRow("capitalised opening a sentence") << "Jiaozi are eaten at the festival." << "";
        QTest::newRow("slip that reads as pinyin, common word near") << "I am geting tired." << "geting/nonword->getting";
        QTest::newRow("another such slip") << "We had rice puding." << "puding/nonword->pudding";
        QTest::newRow("short slip no pinyin") << "I saw teh dog." << "teh/nonword->the";
    }

    void chineseWords()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, findings);
        QCOMPARE(spellingFindings(sentence), findings);
    }

    void pinyinSyllables_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("syllables");
        QTest::newRow("one syllable") << "zhang" << 1;
        QTest::newRow("two syllables") << "baozi" << 2;
        QTest::newRow("fewest of several splits") << "xian" << 1;
        QTest::newRow("three syllables") << "xiaolongbao" << 3;
        QTest::newRow("English word") << "because" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("oversized") << QString(30, 'a') << 0;
    }

    void pinyinSyllables()
    {
        QFETCH(QString, word);
        QFETCH(int, syllables);
        QCOMPARE(SpellingRule::pinyinSyllables(word.toStdString()), syllables);
    }

    void chineseWordList()
    {
        SpellingRule rule(*m_speller);
        QVERIFY(!rule.loadChineseWords("/nonexistent/cedict.tsv"));
        const QString path = m_dir.filePath(QStringLiteral("cedict.tsv"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        // a comment, a good entry, garbage, a truncated line, a one-syllable entry, u:
        f.write("# comment\n包子\t包子\tbao1 zi5\tsteamed bun\n\xff\xfe\x01\n绿\t綠\n马\t馬\tma3\thorse\n"
                "女儿\t女兒\tnu:3 er2\tdaughter\n");
        f.close();
        QVERIFY(rule.loadChineseWords(path.toStdString()));
        QVERIFY(rule.isChineseWord("baozi", {}));
        QVERIFY(rule.isChineseWord("nver", {}));
        QVERIFY(!rule.isChineseWord("ma", {}));
        QVERIFY(!rule.isChineseWord("jiaozi", {})); // not in this list
    }

    // A misspelling whose nearest word is vulgar gets a suitable candidate or none.
    void unsuitableCandidates_data()
    {
        QTest::addColumn<QString>("typo");
        QTest::addColumn<QString>("first"); // the expected first candidate, or "" for any suitable one
        QTest::newRow("nearest is vulgar, a word nearby") << "penic" << "panic";
        QTest::newRow("nearest is vulgar, county near") << "cunty" << "county";
        QTest::newRow("clean look-alike near a vulgar word") << "shitr" << "shirt";
        QTest::newRow("vulgar word with letters swapped") << "fcuk" << "";
        QTest::newRow("vulgar word with a letter doubled") << "pornn" << "";
        QTest::newRow("vulgar word cut short") << "bastar" << "";
        QTest::newRow("vulgar word with a letter added") << "peniss" << "";
    }

    void unsuitableCandidates()
    {
        QFETCH(QString, typo);
        QFETCH(QString, first);
        const auto sugg = m_speller->suggest(typo.toStdString(), 5);
        for (const auto &s : sugg)
            QVERIFY2(!m_speller->unsuitable(s.word), s.word.c_str());
        if (!first.isEmpty()) {
            QVERIFY(!sugg.empty());
            QCOMPARE(QString::fromStdString(sugg[0].word), first);
        }
        // the sentence's finding offers the same
        std::vector<Finding> found;
        m_rule->check(Tokenizer::tokenize(("They said " + typo + " twice.").toStdString()), {}, {}, &found);
        for (const Finding &f : found)
            for (const Candidate &c : f.candidates)
                QVERIFY2(!m_lexicon->isUnsuitable(Tokenizer::toLower(c.correction)), c.correction.c_str());
    }

    void unsuitableList()
    {
        QVERIFY(m_lexicon->isUnsuitable("fuck"));
        QVERIFY(!m_lexicon->isUnsuitable("shirt"));
        QVERIFY(!m_lexicon->isUnsuitable("# Words a suggestion list never offers a student: vulgar, offensive and sexual words and"));
        QVERIFY(m_speller->unsuitable("dumb ass"));
        QVERIFY(m_speller->unsuitable("Bull-shit"));
        QVERIFY(!m_speller->unsuitable("class"));
    }

    // Real-word slips the confusion model finds in the full checker, each beside its
    // clean look-alike.
    void contextSlips_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("fix"); // "word->correction" of a REAL finding, or "" for none
        QTest::newRow("grate before a noun") << "It was a grate idea." << "grate->great";
        QTest::newRow("grate of a fireplace") << "The fire was in the grate." << "";
        // a word native text hardly uses: its parts of speech decide, and the slip goes before
        // what the grammar rules would make of the written word ("a grate")
        QTest::newRow("rare word after be") << "It was grate." << "grate->great";
        QTest::newRow("rare word between article and noun") << "I had a grate time." << "grate->great";
        QTest::newRow("rare word as a verb") << "Grate the cheese over the pasta." << "";
        QTest::newRow("rare word as a subject") << "The grate was hot." << "";
        QTest::newRow("by after to") << "I want to by a book." << "by->buy";
        QTest::newRow("by before a place") << "We sat by the window." << "";
        QTest::newRow("by after a modal") << "Can I by this?" << "by->buy";
        QTest::newRow("by after a passive") << "It was written by him." << "";
        QTest::newRow("their before is") << "Their is a book on the desk." << "Their->There";
        QTest::newRow("there before is") << "There is a book on the desk." << "";
        QTest::newRow("no after a subject") << "I no the answer." << "no->know";
        QTest::newRow("no before a noun") << "There is no answer." << "";
        QTest::newRow("right after a modal") << "I will right a letter." << "right->write";
        QTest::newRow("right after be") << "You are right." << "";
        QTest::newRow("here after to") << "I want to here your voice." << "here->hear";
        QTest::newRow("here opening a sentence") << "Here is the book." << "";
        QTest::newRow("meat after a modal") << "We will meat at noon." << "meat->meet";
        QTest::newRow("meat as food") << "We ate meat for dinner." << "";
        QTest::newRow("sea after to") << "I can't wait to sea you." << "sea->see";
        QTest::newRow("see opening a sentence") << "See you later." << "";
        QTest::newRow("sea after to as a place") << "The boats went out to sea." << "";
        QTest::newRow("knew before a noun") << "I bought a knew phone." << "knew->new";
        QTest::newRow("knew after a subject") << "I knew it." << "";
        QTest::newRow("know before a noun") << "I have know idea." << "know->no";
        QTest::newRow("know opening a sentence") << "Know your rights." << "";
        QTest::newRow("right after please") << "Please right your name." << "right->write";
        QTest::newRow("right opening a sentence") << "Right now I am busy." << "";
        QTest::newRow("buy opening a sentence") << "Buy a book now." << "";
        QTest::newRow("then after a comparative and its noun") << "Some cars have more power then others." << "then->than";
        QTest::newRow("then after a comparative before a number") << "It did not grow higher then 5 percent." << "then->than";
        QTest::newRow("then closing a sentence") << "It was better then." << "";
        QTest::newRow("then after and") << "We talked and then we left." << "";
        QTest::newRow("life after to") << "I want to life in London." << "life->live";
        QTest::newRow("life after a possessive") << "I love my life." << "";
        QTest::newRow("dose after a subject") << "He dose not like it." << "dose->does";
        QTest::newRow("dose as a noun") << "Take one dose a day." << "";
        QTest::newRow("fell after a modal") << "You may fell tired." << "fell->feel";
        QTest::newRow("fell as a past") << "He fell down the stairs." << "";
        QTest::newRow("safe after a modal") << "We should safe the environment." << "safe->save";
        QTest::newRow("safe after be") << "The house is safe." << "";
        QTest::newRow("sense before a year") << "I have lived here sense 2010." << "sense->since";
        QTest::newRow("sense as an object") << "It makes sense." << "";
        QTest::newRow("though after a subject") << "I though it was easy." << "though->thought";
        QTest::newRow("even though") << "Even though it rained, we went." << "";
        QTest::newRow("through between article and noun") << "He did a through check." << "through->thorough";
        QTest::newRow("through before a noun phrase") << "We walked through the park." << "";
        QTest::newRow("shore after not") << "I am not shore about it." << "shore->sure";
        QTest::newRow("shore after the") << "We walked along the shore." << "";
        QTest::newRow("rare bellow after be") << "The river is bellow the bridge." << "bellow->below";
        QTest::newRow("bellow as a verb") << "The dog began to bellow." << "";
        QTest::newRow("there before a time phrase") << "We have been there last summer." << "";
        QTest::newRow("there before every day") << "I go there every day." << "";
        QTest::newRow("name with a capital") << "We met Mr Grate at noon." << "";
        // where a hand-written rule knows better, its finding stands
        QTest::newRow("no before a verb: don't") << "I no like spicy food." << "";
        QTest::newRow("buy after spent: buying") << "He spent all his money buy clothes." << "";
    }

    void contextSlips()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, fix);
        const Json::Value record = m_checker->checkSentence(0, sentence.toStdString(), 0, sentenceConfig(), {}, {});
        QStringList got;
        for (const Json::Value &c : record["corrections"])
            if (c["errorType"].asString() == "REAL")
                got << covered(sentence, c) + "->" + QString::fromStdString(c["candidates"][0u]["correction"].asString());
        QCOMPARE(got.join(' '), fix);
    }

    void contextSlipPage()
    {
        const Json::Value record = m_checker->checkSentence(0, "I want to by a book.", 0, sentenceConfig(), {}, {});
        QCOMPARE(record["corrections"].size(), 1u);
        QCOMPARE(record["corrections"][0u]["explainType"].asString(), std::string("confusion_context"));
        const QString page = QString::fromStdString(m_checker->explanationHtml("/?et=confusion_context&fk=by&ct=buy"));
        QVERIFY(page.contains(QStringLiteral("同音词、形近词误用")));
        QVERIFY(page.contains(QStringLiteral("real-word slip")));
        QVERIFY(page.contains(QStringLiteral("buy")));
    }

    // The model file: a good one loads; garbage, truncated and oversized files do not,
    // and leave the model empty.
    void modelFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("loads");
        const QByteArray good = "# note\nset great grate\nmember great 10\nmember grate 5\nmt great JJ 10\n"
                                "mt grate NN 5\nmw great DT DT NN 3\nml great a 3\nmr grate . 2\ntc JJ 100\n"
                                "tw JJ DT DT NN 40\ntl JJ a 30\ntr NN . 20\n";
        QTest::newRow("good") << good << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("garbage") << QByteArray("\xff\xfe\x00garbage\nmore garbage\n", 28) << false;
        QTest::newRow("truncated line") << good + "tw JJ DT" << false;
        QTest::newRow("count not a number") << good + "tc NN many\n" << false;
        QTest::newRow("oversized count") << good + "tc NN 99999999999999999999\n" << false;
        QTest::newRow("oversized line") << good + "ml great " + QByteArray(10000, 'x') + " 1\n" << false;
        QTest::newRow("unknown kind") << good + "zz a b 1\n" << false;
        QTest::newRow("member of no set") << good + "member tree 4\n" << false;
        QTest::newRow("set of one word") << QByteArray("set great\n") + good << false;
    }

    void modelFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, loads);
        ConfusionModel model;
        std::string error;
        QCOMPARE(model.load(modelFile(text).toStdString(), &error), loads);
        QCOMPARE(model.isLoaded(), loads);
        QCOMPARE(error.empty(), loads);
        QVERIFY(!model.load("/nonexistent/model.txt", &error));
        QVERIFY(!model.isLoaded());
    }

    // Counts saved by training read back into the same verdicts.
    void modelRoundTrip()
    {
        ConfusionModel counts;
        const auto add = [&](const char *text, const std::vector<std::string> &tags) {
            const std::vector<Token> t = Tokenizer::tokenize(text);
            QCOMPARE(t.size(), tags.size());
            counts.add(t, tags);
        };
        for (int k = 0; k < 30; ++k) {
            add("I want to buy a book .", {"PRP", "VBP", "TO", "VB", "DT", "NN", "."});
            add("We sat by the window .", {"PRP", "VBD", "IN", "DT", "NN", "."});
        }
        const QString path = m_dir.filePath(QStringLiteral("trained.txt"));
        QVERIFY(counts.save(path.toStdString()));
        ConfusionModel model;
        std::string error;
        QVERIFY2(model.load(path.toStdString(), &error), error.c_str());
        model.minRatio = 100; // counts of two sentences are thin evidence
        const std::vector<Token> slip = Tokenizer::tokenize("I want to by a book .");
        const std::vector<std::string> tags = {"PRP", "VBP", "TO", "IN", "DT", "NN", "."};
        QCOMPARE(model.judge(slip, tags, 3).better, std::string("buy"));
        const std::vector<Token> clean = Tokenizer::tokenize("We sat by the window .");
        QCOMPARE(model.judge(clean, {"PRP", "VBD", "IN", "DT", "NN", "."}, 2).better, std::string());
        QCOMPARE(model.judge(slip, {}, 3).better, std::string()); // tags missing: no verdict
        QCOMPARE(model.judge(slip, tags, 99).better, std::string());
    }
};

QTEST_GUILESS_MAIN(TestCheckerWordChoice)
#include "tst_checker_wordchoice.moc"
