// Spelling parts of the checker: the suggester's ranking for typical learner
// misspellings, what counts as a known word, pinyin names, the edit distances and
// the symmetric-delete index.

#include "pennovapaths.h"
#include "confusionrules.h"
#include "editdistance.h"
#include "lexicon.h"
#include "ruleengine.h"
#include "spellingrule.h"
#include "spellingsuggester.h"
#include "symspellindex.h"
#include "tokenizer.h"

#include <QtTest>

#include "pennovapaths.h"

#include <memory>

using namespace PennovaChecker;

class TestCheckerSpelling : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Lexicon> m_lexicon;
    std::unique_ptr<SpellingSuggester> m_speller;
    QTemporaryDir m_listDir;
    std::unique_ptr<SpellingSuggester> m_listSpeller; // reads its word lists from m_listDir
    RuleEngine m_rules;                               // the shipped rule files

private slots:
    void initTestCase()
    {
        m_lexicon = std::make_unique<Lexicon>(PENNOVA_SOURCE_DIR "/server/checker/data", "/usr/share/wordnet");
        m_speller = std::make_unique<SpellingSuggester>(*m_lexicon, "/usr/share/hunspell");
        QVERIFY(m_speller->hasDictionary());
        m_rules.loadFolder(PENNOVA_SOURCE_DIR "/server/checker/data/rules");
        QVERIFY(m_rules.errors().empty());
    }

    void topSuggestion_data()
    {
        QTest::addColumn<QString>("typo");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ie/ei swap") << "recieve" << "receive";
        QTest::newRow("transposed letters") << "becuase" << "because";
        QTest::newRow("vowel confusion") << "importent" << "important";
        QTest::newRow("dropped letter") << "beautful" << "beautiful";
        QTest::newRow("single for double letter") << "begining" << "beginning";
        QTest::newRow("double for single letter") << "untill" << "until";
        QTest::newRow("ending misheard") << "enviroment" << "environment";
        QTest::newRow("neighbouring key") << "hapoy" << "happy";
        QTest::newRow("capital kept") << "Freind" << "Friend";
        QTest::newRow("all capitals kept") << "TOMORROW" << "TOMORROW";
        QTest::newRow("far from the word") << "accomodatoin" << "accommodation";
        QTest::newRow("run-on words") << "alot" << "a lot";
        QTest::newRow("contraction without apostrophe") << "dont" << "don't";
        QTest::newRow("unheard r before a consonant") << "futher" << "further";
        QTest::newRow("American form of a British-listed word") << "favorit" << "favorite";
    }

    void topSuggestion()
    {
        QFETCH(QString, typo);
        QFETCH(QString, expected);
        const auto s = m_speller->suggest(typo.toStdString(), 5);
        if (typo == expected) {
            QVERIFY(m_speller->isCorrect(typo.toStdString()));
            return;
        }
        QVERIFY(!s.empty());
        QCOMPARE(QString::fromStdString(s[0].word), expected);
        double sum = 0.0;
        for (const auto &x : s) {
            QVERIFY(x.score >= 0.0 && x.score <= 1.0);
            sum += x.score;
        }
        QVERIFY(sum <= 1.0 + 1e-9);
        for (size_t i = 1; i < s.size(); ++i)
            QVERIFY(s[i - 1].score >= s[i].score);
    }

    void suggestionsOfGarbage_data()
    {
        QTest::addColumn<QByteArray>("word");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("very long") << QByteArray(500, 'x');
        QTest::newRow("non-ASCII bytes") << QByteArray("\xe4\xb8\xad\xe6\x96\x87");
        QTest::newRow("invalid UTF-8") << QByteArray("\xff\xfe\xfd");
        QTest::newRow("punctuation") << QByteArray("?!;");
    }

    void suggestionsOfGarbage()
    {
        QFETCH(QByteArray, word);
        const auto s = m_speller->suggest(word.toStdString(), 5);
        QVERIFY(s.size() <= 5);
        for (const auto &x : s)
            QVERIFY(!x.word.empty());
    }

    void knownWords_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("known");
        QTest::newRow("common word") << "house" << true;
        QTest::newRow("inflected form") << "studied" << true;
        QTest::newRow("contraction") << "doesn't" << true;
        QTest::newRow("British spelling") << "colour" << true;
        QTest::newRow("prefixed word") << "cybersecurity" << true;
        QTest::newRow("British -isation") << "digitalisation" << true;
        QTest::newRow("compound of common words") << "weeklong" << true;
        QTest::newRow("misspelling") << "recieve" << false;
        QTest::newRow("learner run-on") << "eachother" << false;
        QTest::newRow("prefix on a misspelling") << "rebuisness" << false;
        QTest::newRow("random letters") << "qzxvkj" << false;
        QTest::newRow("-ly on a noun") << "accidently" << false;
        QTest::newRow("word and -fully run together") << "greatfully" << false;
        QTest::newRow("-ly on an adverb") << "oftenly" << false;
        QTest::newRow("-ally on an adjective not in -ic") << "evidentally" << false;
        QTest::newRow("silent e kept before -ing") << "changeing" << false;
        QTest::newRow("-es after a plain consonant") << "performes" << false;
        QTest::newRow("-ly on an adjective") << "unhurriedly" << true;
        QTest::newRow("-es after a hissing sound") << "unleashes" << true;
        QTest::newRow("e dropped after soft g before -able") << "changable" << false;
        QTest::newRow("e dropped after soft c before -able") << "noticable" << false;
        QTest::newRow("e dropped before -able elsewhere") << "rescalable" << true;
        QTest::newRow("consonant not doubled where English doubles it") << "prefering" << false;
        QTest::newRow("consonant not doubled where English does not") << "rebudgeting" << true;
        QTest::newRow("un- where English says in-") << "uneffective" << false;
        QTest::newRow("un- where English says in-, a noun") << "unjustice" << false;
        QTest::newRow("un- on a word with no other negative") << "unfixable" << true;
        QTest::newRow("prefix on a name") << "detroyes" << false;
    }

    void knownWords()
    {
        QFETCH(QString, word);
        QFETCH(bool, known);
        QCOMPARE(m_speller->isCorrect(word.toStdString()), known);
    }

    // The native pairs file: a good one loads and makes its pairs run-together words; garbage,
    // truncated and oversized files do not load and keep no pairs.
    void nativePairs_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("loads");
        const QByteArray good = "# pairs\nother hand 66\nspare time 7\n";
        QTest::newRow("good") << good << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("comments only") << QByteArray("# nothing\n") << false;
        QTest::newRow("garbage") << QByteArray("\xff\xfe\x00garbage\n", 12) << false;
        QTest::newRow("truncated line") << good + "fast food" << false;
        QTest::newRow("count not a number") << good + "fast food many\n" << false;
        QTest::newRow("capital in a word") << good + "Latin american 9\n" << false;
        QTest::newRow("oversized count") << good + "fast food 99999999999999\n" << false;
        QTest::newRow("oversized line") << good + "fast " + QByteArray(200, 'f') + " 3\n" << false;
    }

    void nativePairs()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, loads);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("pairs.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        SpellingSuggester &speller = *m_speller;
        std::string error;
        QCOMPARE(speller.loadNativePairs(file.fileName().toStdString(), &error), loads);
        QCOMPARE(error.empty(), loads);
        QCOMPARE(speller.nativePairCount() > 0, loads);
        // a pair native text writes apart is no compound; another compound of common words is
        QCOMPARE(speller.isCorrect("otherhand"), !loads);
        QVERIFY(speller.isCorrect("weeklong"));
        QVERIFY(!speller.loadNativePairs("/nonexistent/pairs.txt", &error));
        QCOMPARE(speller.nativePairCount(), size_t(0));
        QVERIFY(speller.isCorrect("otherhand"));
    }

    void pinyin_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("pinyin");
        QTest::newRow("surname") << "zhang" << true;
        QTest::newRow("given name of two syllables") << "xiaoming" << true;
        QTest::newRow("place") << "chongqing" << true;
        QTest::newRow("English misspelling") << "becuase" << false;
        QTest::newRow("single letter") << "x" << false;
        QTest::newRow("consonants only") << "bcdfg" << false;
        QTest::newRow("vowel syllable after another, no apostrophe") << "anoying" << false;
        QTest::newRow("vowel syllable opening the word") << "ouyang" << true;
        QTest::newRow("vowel syllables after others") << "tiananmen" << true;
    }

    void pinyin()
    {
        QFETCH(QString, word);
        QFETCH(bool, pinyin);
        QCOMPARE(SpellingRule::isPinyin(word.toStdString()), pinyin);
    }

    void distances_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("damerau");
        QTest::newRow("equal") << "word" << "word" << 0;
        QTest::newRow("transposition counts once") << "becuase" << "because" << 1;
        QTest::newRow("insertion") << "begining" << "beginning" << 1;
        QTest::newRow("two edits") << "recieev" << "receive" << 2;
        QTest::newRow("beyond the limit") << "abcdef" << "uvwxyz" << 3;
        QTest::newRow("empty against word") << "" << "ab" << 2;
    }

    void distances()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, damerau);
        QCOMPARE(EditDistance::damerau(a.toStdString(), b.toStdString(), 2), damerau);
        if (damerau == 0)
            QCOMPARE(EditDistance::weighted(a.toStdString(), b.toStdString()), 0.0);
    }

    // Which words of a sentence the spelling rule flags: each kind of word that is no slip
    // (terms, British forms, abbreviations, names) beside a learner's slip of the same shape.
    void flaggedWords_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("flagged"); // the words flagged, space-separated
        QTest::newRow("term in a large word list") << "The uplink was slow all day." << "";
        QTest::newRow("medical term") << "The patient has a varicosis of the leg." << "";
        QTest::newRow("slip a word list also holds") << "I belive the answer is right." << "belive";
        QTest::newRow("British spelling") << "Her behaviour was good." << "";
        QTest::newRow("slip of a British spelling") << "Her behavour was good." << "behavour";
        QTest::newRow("abbreviation without vowels") << "Copy the src folder to the server." << "";
        QTest::newRow("common word without its vowel") << "I need hlp with this task." << "hlp";
        QTest::newRow("particle between two names") << "The cake was made for Prince Wenzel von Munchy." << "";
        QTest::newRow("short slip after a name") << "The cake was made for Wenzel teh other day." << "teh";
        QTest::newRow("species after the genus initial") << "P. orientale grows well in dry soil." << "";
        QTest::newRow("species after the genus opening a sentence") << "Pennisetum orientale grows well." << "";
        QTest::newRow("same word without a genus") << "The orientale grows well in dry soil." << "orientale";
        QTest::newRow("term written twice") << "Mythistories spread, and mythistories change." << "";
        QTest::newRow("slip written twice") << "The enviroment matters and the enviroment changes." << "enviroment enviroment";
        QTest::newRow("run-together written twice") << "It grows upto two metres, and upto three." << "upto upto";
        QTest::newRow("inflected part of a compound") << "The gap between the haves and the have-nots grew." << "";
        QTest::newRow("derived-looking slip, letter changed") << "The chair is very comportable." << "comportable";
        QTest::newRow("derived-looking slip, letter doubled") << "It was an interresting day." << "interresting";
        QTest::newRow("derived-looking slip, letter added") << "Our theacher was kind." << "theacher";
        QTest::newRow("derived-looking slip, e added") << "Please submite the form." << "submite";
        QTest::newRow("derived-looking slip, two slips from a common word") << "We need more resouse now." << "resouse";
        QTest::newRow("plural of a compound") << "The webpages load fast." << "";
        QTest::newRow("Roman-numeral letters that make no numeral") << "They teach the cild well." << "cild";
        QTest::newRow("Roman numerals") << "See part xiv, chapter iii, of the mcmxc edition." << "";
        QTest::newRow("derived-looking slip of a less common word") << "The benefits outweight the costs." << "outweight";
        QTest::newRow("y kept before a consonant ending") << "Their wealthyness grew." << "wealthyness";
        QTest::newRow("y after a vowel before a consonant ending") << "The island was monkeyless then." << "";
        QTest::newRow("-le kept before -ly") << "Prices grew stablely." << "stablely";
        QTest::newRow("-le after a vowel before -ly") << "He laughed virilely at it." << "";
        QTest::newRow("-able where English says -ible") << "The pain was resistable." << "resistable";
        QTest::newRow("-able with no -ible form") << "The map is zoomable now." << "";
        QTest::newRow("medical-list word, a common word with letters dropped") << "It was a qualitive study." << "qualitive";
        QTest::newRow("medical-list term near a common word") << "We studied paraxial rays." << "";
        QTest::newRow("medical-list Latin name") << "Trichinella spiralis lives in pork." << "";
        QTest::newRow("letters before a known word, no prefix of a term") << "It is an appcacemental method." << "appcacemental";
        QTest::newRow("letters before a rare known word: a term") << "Compounds of triphenylarsine formed." << "";
        QTest::newRow("plural of a derived noun") << "Their encodings differ a lot." << "";
        QTest::newRow("two-letter slip before a verb") << "It is fair for people te increase taxes." << "te";
        QTest::newRow("two-letter slip before an adjective") << "He stands az better than me." << "az";
        QTest::newRow("two letters far from any common word") << "We cannot jb because of it." << "";
        QTest::newRow("two-letter word written in lower case") << "They said ok to it." << "";
        QTest::newRow("two letters after a comma") << "Take the pills, eg after lunch." << "";
        QTest::newRow("two words run together, one misspelt") << "I mean our homecontry, not yours." << "homecontry";
        QTest::newRow("run together, letters swapped in the second word") << "The weatherrealted news came." << "weatherrealted";
        QTest::newRow("capitalised run-together with a slip: a name") << "We flew with Homecontry Air." << "";
        QTest::newRow("run together, rare part no slip of a common word") << "The wildpopulation grew." << "";
        QTest::newRow("long word three slips from a common word") << "It was errounuosly written." << "errounuosly";
        QTest::newRow("derivation three letters from its stem") << "The governorate was formed." << "";
        QTest::newRow("compound ending in a common word") << "The warfighting doctrine changed." << "";
        QTest::newRow("Latin species name") << "Salvia lemmonii grows here." << "";
        QTest::newRow("hyphen before another ending") << "It is a can-do spirit, a well-s design." << "";
        QTest::newRow("backtick after no contraction stem") << "Run the `ls` command." << "";
        QTest::newRow("number run together with a noun") << "The car is less than 5years old." << "5years";
        QTest::newRow("number with a unit") << "It is 12km away, on the 5th floor." << "";
        QTest::newRow("number inside a name") << "They came from Lead2pass dumps." << "";
        QTest::newRow("number before a word that is no noun") << "We met at 10again today." << "";
        QTest::newRow("oversized number run together") << "We paid " + QString(40, '9') + "million once." << "";
        QTest::newRow("backtick ending the text") << "I don`" << "";
        QTest::newRow("capitalised first word near a common word") << "Becuase it rained, we stayed." << "Becuase";
        QTest::newRow("capitalised first word, derived slip") << "Studing English is hard." << "Studing";
        QTest::newRow("capitalised first word that splits like pinyin") << "Anoying noises kept us awake." << "Anoying";
        QTest::newRow("pinyin name opening a sentence") << "Xiaoming kept us awake." << "";
        QTest::newRow("capitalised first word, slip of a less common word") << "Embaress was all I felt." << "Embaress";
        QTest::newRow("capitalised long first word, two slips from a common word") << "Atmosfere matters most." << "Atmosfere";
        QTest::newRow("name two slips from a less common word") << "Nutkin is a little squirrel." << "";
        QTest::newRow("name before another name") << "Pieter Abbeel is featured in the paper." << "";
        QTest::newRow("name written twice") << "Bortles played, and then Blake Bortles won." << "";
        QTest::newRow("possessive name first") << "Newtown's old houses still stand." << "";
        QTest::newRow("name with a lost letter") << "My friend lives in Gemany now." << "Gemany";
        QTest::newRow("name with swapped letters") << "I want to visit Eruope next year." << "Eruope";
        QTest::newRow("nationality with a vowel changed") << "They are made in a Europian way." << "Europian";
        QTest::newRow("city with a vowel changed") << "I visited Londen in May." << "Londen";
        QTest::newRow("names a letter from other names") << "We met Marin and Lukas in May." << "";
        QTest::newRow("stray capital on a slip inside") << "In today's Compuer lessons we type." << "Compuer";
        QTest::newRow("name a letter from a word at its end") << "Alice Westery is our director." << "";
        QTest::newRow("name beside a lower-case word, end changed") << "We met Westery at the gate." << "";
        QTest::newRow("slip inside a capitalised name") << "We saw the Old Kindgom King." << "";
        QTest::newRow("unknown capitalised word inside") << "We met Jelske at the station." << "";
        QTest::newRow("key held too long inside a word") << "I like cherrrys very much." << "cherrrys";
        QTest::newRow("drawn-out words") << "Hmmm, that is sooo good, whaaat a day." << "";
        QTest::newRow("non-ASCII before a slip") << "Café owners belive it." << "belive";
    }

    void flaggedWords()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, flagged);
        const SpellingRule rule(*m_speller);
        const std::string utf8 = sentence.toStdString();
        std::vector<Finding> found;
        rule.check(Tokenizer::tokenize(utf8), {}, {}, &found);
        QStringList words;
        int from = 0;
        for (const Finding &f : found) {
            if (f.certainty < 2)
                continue; // hidden at the usual confidence
            QVERIFY(f.end > f.start);
            const QString word = sentence.mid(f.start, f.end - f.start); // UTF-16 offsets
            QCOMPARE(QString::fromStdString(f.errorInfo), word);
            QVERIFY(f.start >= from);
            from = f.end;
            // only a word far from every word goes without candidates
            QCOMPARE(f.candidates.empty(), f.explainType == "unknown_word");
            words << word;
        }
        QCOMPARE(words.join(' '), flagged);
    }

    // The first candidate offered for the flagged word, in its sentence.
    void firstCandidate_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("candidate");
        QTest::newRow("stray capital dropped") << "In today's Compuer lessons we type." << "Compuer" << "computer";
        QTest::newRow("two-letter slip before a verb") << "It is fair for people te increase taxes." << "te" << "to";
        QTest::newRow("two words run together, one misspelt") << "I mean our homecontry, not yours." << "homecontry" << "home country";
        QTest::newRow("slip before the second word") << "We need more selfconfdence now." << "selfconfdence" << "self confidence";
        QTest::newRow("run-on a word list holds") << "I like it aswell, really." << "aswell" << "as well";
        QTest::newRow("run-on with a doubled letter") << "I donnot know him." << "donnot" << "do not";
        QTest::newRow("number run together with a noun") << "They paid 100million dollars." << "100million" << "100 million";
        QTest::newRow("short contraction without its apostrophe") << "I think im ready now." << "im" << "I'm";
        QTest::newRow("auxiliary run together with its adjective") << "The film wasgood, they said." << "wasgood" << "was good";
        QTest::newRow("capitalised run-on of two longer words") << "Eventhough it rained, we went." << "Eventhough" << "Even though";
        QTest::newRow("run-on nearer a name than its words") << "Atlast we won the game." << "Atlast" << "At last";
        QTest::newRow("capital kept at the start") << "Becuase it rained, we stayed." << "Becuase" << "Because";
        QTest::newRow("y turned i before -ness") << "Their wealthyness grew." << "wealthyness" << "wealthiness";
        QTest::newRow("-le turned -ly") << "Prices grew stablely." << "stablely" << "stably";
        QTest::newRow("-able turned -ible") << "The pain was resistable." << "resistable" << "resistible";
        QTest::newRow("-ible turned -able") << "The plan is acceptible." << "acceptible" << "acceptable";
    }

    void firstCandidate()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, word);
        QFETCH(QString, candidate);
        const SpellingRule rule(*m_speller);
        std::vector<Finding> found;
        rule.check(Tokenizer::tokenize(sentence.toStdString()), {}, {}, &found);
        QStringList got;
        for (const Finding &f : found)
            if (sentence.mid(f.start, f.end - f.start) == word && !f.candidates.empty())
                got << QString::fromStdString(f.candidates[0].correction);
        QCOMPARE(got, QStringList{candidate});
    }

    // Real-word confusions (confusionrules.cpp and confusions.rules): each learner row beside
    // a clean sentence with the same words.
    void confusions_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::addColumn<QString>("fix"); // "word->correction", or empty for none
        QTest::newRow("of after a past phrasal verb") << "He took of his coat." << "of->off";
        QTest::newRow("of after the noun turn") << "At the turn of the century we moved." << "";
        QTest::newRow("of after got") << "He got of the bus at noon." << "of->off";
        QTest::newRow("of after take care") << "We take care of the garden." << "";
        QTest::newRow("of after the noun fall") << "Take the rise and fall of the empire." << "";
        QTest::newRow("of after a verb that is also a noun") << "Please turn of the light." << "of->off";
        QTest::newRow("of after a subject and a bare verb") << "We cut of the old branches." << "of->off";
        QTest::newRow("of ending a clause") << "The light was switched of." << "of->off";
        QTest::newRow("past after a subject") << "They past the exam last year." << "past->passed";
        QTest::newRow("past after a verb of motion") << "They walked past the shop." << "";
        QTest::newRow("who's before a noun and a verb") << "Who's book is this?" << "Who's->Whose";
        QTest::newRow("who's before an -ing verb") << "Who's coming tonight?" << "";
        QTest::newRow("weather after know") << "I don't know weather he will come." << "weather->whether";
        QTest::newRow("weather as a subject") << "The weather is nice, so he will come." << "";
        QTest::newRow("wether before a subject") << "I am not sure wether it works." << "wether->whether";
        QTest::newRow("lose after an article") << "It is a lose screw." << "lose->loose";
        QTest::newRow("lose in a hyphenated compound") << "It is a lose-lose deal." << "";
        QTest::newRow("quite ending a clause") << "The room was very quite." << "quite->quiet";
        QTest::newRow("quite after not") << "It was not quite." << "";
        QTest::newRow("your right after think") << "I think your right." << "your->you're";
        QTest::newRow("your right as a noun") << "It is your right." << "";
        QTest::newRow("to before an adjective and a time") << "It is to hot today." << "to->too";
        QTest::newRow("to before a place") << "It is close to home today." << "";
        QTest::newRow("affect as a noun before of") << "The affect of smoking is clear." << "affect->effect";
        QTest::newRow("affect as a noun of psychology") << "The affect was flat during the talk." << "";
        QTest::newRow("effects as a verb after it") << "It effects everyone in the town." << "effects->affects";
        QTest::newRow("effects as a noun after it") << "We studied it and its effects on people." << "";
        QTest::newRow("you're before a noun and a verb") << "I think you're book is on the desk." << "you're->your";
        QTest::newRow("you're before a noun ending the clause") << "Come in, you're family." << "";
        QTest::newRow("than after a comma before a subject") << "First we ate, than we left." << "than->then";
        QTest::newRow("than after a comparative and a comma") << "She is older, than we thought." << "";
        QTest::newRow("thorough before a possessive") << "I learned it thorough my work." << "thorough->through";
        QTest::newRow("thorough before its noun") << "A thorough check of the house was made." << "";
        QTest::newRow("rise before a time") << "The sun will rise the next day." << "";
        QTest::newRow("rise as a noun before of") << "The rise of prices hurt the family." << "";
        QTest::newRow("give rise to") << "It gave rise to more questions." << "";
        QTest::newRow("live as a noun ending the clause") << "I love my live." << "live->life";
        QTest::newRow("live as a noun before is") << "Their live is very busy." << "live->life";
        QTest::newRow("live as an adjective before its noun") << "Their live show was great." << "";
        QTest::newRow("live as an adverb after her") << "I saw her live." << "";
        QTest::newRow("life after a modal") << "We can life in peace." << "life->live";
        QTest::newRow("life after a subject") << "I life in Beijing now." << "life->live";
        QTest::newRow("life after to come") << "The story comes to life in the film." << "";
        QTest::newRow("life as the object of a modal verb") << "We can change life in many ways." << "";
        QTest::newRow("beside opening the sentence") << "Beside, it is cheap." << "Beside->Besides";
        QTest::newRow("beside with its noun") << "Beside the house, a tree grew." << "";
        QTest::newRow("even thought opening the sentence") << "Even thought buildings fell, we stayed." << "thought->though";
        QTest::newRow("even thought after a subject") << "I even thought it was late." << "";
        QTest::newRow("even thought of at the start") << "Even thought of as a child, he led." << "";
        QTest::newRow("sometime before a present clause") << "Sometime I feel sad at night." << "Sometime->Sometimes";
        QTest::newRow("sometime before a future clause") << "Sometime we will meet again." << "";
        QTest::newRow("sometime before a time") << "Sometime in May we met." << "";
        QTest::newRow("fell before a feeling") << "I fell very happy today." << "fell->feel";
        QTest::newRow("fell asleep") << "I fell asleep at once." << "";
        QTest::newRow("fell after a noun subject") << "The price fell sharply, good news." << "";
        QTest::newRow("cloths after a buying verb") << "We bought new cloths." << "cloths->clothes";
        QTest::newRow("cloths for cleaning") << "Use soft cleaning cloths." << "";
        QTest::newRow("ones before a noun after a preposition") << "It is good for ones health." << "ones->one's";
        QTest::newRow("ones before own") << "Follow ones own dream." << "ones->one's";
        QTest::newRow("ones as a plural pronoun") << "The big ones in the box came in ones and twos." << "";
        QTest::newRow("ones after of before a relative") << "Pick one of the ones with handles, of ones that fit." << "";
        QTest::newRow("search machine") << "Other search machines already existed." << "machines->engines";
        QTest::newRow("machine after search as a verb") << "They search machine parts for wear." << "";
        QTest::newRow("machines after search as an infinitive") << "We want to search machines for viruses." << "";
    }

    void confusions()
    {
        QFETCH(QString, sentence);
        QFETCH(QString, fix);
        // the hand-written confusions and those of the rule file, without the tagger
        const ConfusionRules rules(*m_lexicon);
        const std::vector<Token> tokens = Tokenizer::tokenize(sentence.toStdString());
        std::vector<Finding> found;
        rules.check(tokens, &found);
        m_rules.run("confusions", tokens, {}, *m_lexicon, &found);
        QStringList got;
        for (const Finding &f : found) {
            QVERIFY(!f.candidates.empty());
            got << sentence.mid(f.start, f.end - f.start) + "->" + QString::fromStdString(f.candidates[0].correction);
        }
        QCOMPARE(got.join(' '), fix);
    }

    // The wider word lists: only lower-case letter words of four letters or more count;
    // garbage lines, a missing list and over-long lines are skipped without harm.
    void widerWordLists_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("listing");
        QTest::newRow("word of the list") << "zorblaxian" << int(SpellingSuggester::Listing::WordList);
        QTest::newRow("capitalised entry skipped") << "zemlarion" << int(SpellingSuggester::Listing::None);
        QTest::newRow("entry with a digit skipped") << "abc123def" << int(SpellingSuggester::Listing::None);
        QTest::newRow("over-long entry skipped") << QString(60, 'q') << int(SpellingSuggester::Listing::None);
        QTest::newRow("short word") << "zor" << int(SpellingSuggester::Listing::None);
        QTest::newRow("British dictionary") << "colourise" << int(SpellingSuggester::Listing::British);
        QTest::newRow("medical dictionary only") << "qualitive" << int(SpellingSuggester::Listing::Medical);
        QTest::newRow("unknown everywhere") << "qzxvkjw" << int(SpellingSuggester::Listing::None);
    }

    void widerWordLists()
    {
        QFETCH(QString, word);
        QFETCH(int, listing);
        // built once for all rows: the index takes a while
        std::unique_ptr<SpellingSuggester> &speller = m_listSpeller;
        if (!speller) {
            QVERIFY(m_listDir.isValid());
            QFile list(m_listDir.filePath("american-english-huge"));
            QVERIFY(list.open(QIODevice::WriteOnly));
            list.write("zorblaxian\nZemlarion\nabc123def\n" + QByteArray(60, 'q') + "\n\xff\xfe garbage\n\n");
            list.close();
            // british-english-huge is missing: skipped
            speller = std::make_unique<SpellingSuggester>(*m_lexicon, "/usr/share/hunspell", m_listDir.path().toStdString());
        }
        QCOMPARE(int(speller->listedElsewhere(word.toStdString())), listing);
    }

    // Typical slips cost less than arbitrary edits of the same count.
    void weightedCosts()
    {
        QVERIFY(EditDistance::weighted("begining", "beginning") < EditDistance::weighted("beginxing", "beginning"));
        QVERIFY(EditDistance::weighted("importent", "important") < EditDistance::weighted("importxnt", "important"));
        QVERIFY(EditDistance::weighted("becuase", "because") < EditDistance::weighted("bxcuase", "because"));
        QVERIFY(EditDistance::weighted("hapoy", "happy") < EditDistance::weighted("hapzy", "happy"));
        QVERIFY(EditDistance::weighted("futher", "further") < EditDistance::weighted("furher", "further"));
        QCOMPARE(EditDistance::soundKey("phone"), EditDistance::soundKey("fone"));
        QVERIFY(EditDistance::soundKey("night") != EditDistance::soundKey("day"));
    }

    // The index finds exactly the words within distance 2.
    void symmetricDeleteIndex()
    {
        SymSpellIndex index;
        const QStringList words = {"because", "became", "beach", "receive", "relieve", "recipe", "international",
                                   "internationally"};
        for (const QString &w : words)
            index.add(w.toStdString(), 10);
        index.add("because", 99); // a repeated word keeps the larger count
        index.build();
        QCOMPARE(index.size(), size_t(words.size()));
        for (const QString &query : {QStringLiteral("becuase"), QStringLiteral("recieve"), QStringLiteral("internatonal"),
                                     QStringLiteral("zzzz")}) {
            QSet<QString> got;
            for (const auto &h : index.lookup(query.toStdString())) {
                got.insert(QString::fromStdString(index.word(h.word)));
                QCOMPARE(h.distance, EditDistance::damerau(query.toStdString(), index.word(h.word), 2));
            }
            QSet<QString> want;
            for (const QString &w : words)
                if (EditDistance::damerau(query.toStdString(), w.toStdString(), 2) <= 2)
                    want.insert(w);
            QCOMPARE(got, want);
        }
        for (uint32_t i = 0; i < index.size(); ++i)
            if (index.word(i) == "because")
                QCOMPARE(index.count(i), uint64_t(99));
    }
};

QTEST_GUILESS_MAIN(TestCheckerSpelling)
#include "tst_checker_spelling.moc"
