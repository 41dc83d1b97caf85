// A present verb where the sentence has already fixed a past time: by an adverbial ("Last
// year", "in 2010", "two years ago") or by a past clause of time ("When I was a child,").
// Each learner sentence must get its finding with the past form first; each clean twin, and
// each right sentence that looks like the error (general truths, reported present, forecasts,
// a year inside a noun phrase, titles, numbers), none at all. A sentence with no time of its
// own is read after the sentence before it: a past told there carries on through a word of
// sequence ("Then", "Two hours later") or the same pronoun subject of a dated past sentence.

#include "englishchecker.h"
#include "support/learnertable.h"

#include <QtTest>

#include <memory>

using PennovaChecker::EnglishChecker;
using LearnerTable::columns;
using LearnerTable::row;

class TestCheckerTense : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnglishChecker> m_checker;

private slots:
    void initTestCase() { m_checker = std::make_unique<EnglishChecker>(); }

    void pastAdverbial_data()
    {
        columns();
        row("last year and a verb the tagger calls a noun", "Last year my family travel to Japan.", "travel",
            "traveled", "tense_past_time", "Last year my family traveled to Japan.");
        row("ago and a base form after he", "Two years ago he decide to leave.", "decide", "decided",
            "tense_past_time", "Two years ago he decided to leave.");
        row("a year and a plural noun subject", "In 2010 the number of users increase sharply.", "increase",
            "increased", "tense_past_time", "In 2010 the number of users increased sharply.");
        row("a year in a clause a chart reports", "The graph shows that in 1990 the figure is low.", "is", "was",
            "tense_past_time", "The graph shows that in 1990 the figure was low.");
        row("a year and there are", "In 1990 there are twenty cars per family.", "are", "were", "tense_past_time",
            "In 1990 there were twenty cars per family.");
        row("a stretch between two past years", "From 1990 to 2000 the number of cars increases steadily.",
            "increases", "increased", "tense_past_time", "From 1990 to 2000 the number of cars increased steadily.");
        row("in the year and a year", "In the year 2008 the company makes a loss.", "makes", "made",
            "tense_past_time", "In the year 2008 the company made a loss.");
        row("a year after the verb", "The rate is stable in 2014 and 2015.", "is", "was", "tense_past_time",
            "The rate was stable in 2014 and 2015.");
        row("the second of two dated clauses", "In 1990 the rate was high, while in 2000 it falls to ten per cent.",
            "falls", "fell", "tense_past_time", "In 1990 the rate was high, while in 2000 it fell to ten per cent.");
        row("once upon a time", "Once upon a time, a king lives in a castle.", "lives", "lived", "tense_past_time",
            "Once upon a time, a king lived in a castle.");
        row("an -s verb the tagger calls a plural noun", "The number of cars rises from 20% in 1990 to 30% in 2000.",
            "rises", "rose", "tense_past_time", "The number of cars rose from 20% in 1990 to 30% in 2000.");
        row("a regular verb outside the verb tables", "The rate accounts for a fifth of the total in 1995.",
            "accounts", "accounted", "tense_past_time", "The rate accounted for a fifth of the total in 1995.");
        row("a year and a subject of two names", "In 1990 the figures for Japan and Korea are low.", "are", "were",
            "tense_past_time", "In 1990 the figures for Japan and Korea were low.");
        row("during a past year", "It is only 3 per cent during 2014 and 2015.", "is", "was", "tense_past_time",
            "It was only 3 per cent during 2014 and 2015.");
        row("a phrase between commas after the year", "In 1985, as well as in 1990, the rate is low.", "is", "was",
            "tense_past_time", "In 1985, as well as in 1990, the rate was low.");
        row("a noun phrase between commas after the year", "In 1990, the year of the crisis, the figure is low.", "is",
            "was", "tense_past_time", "In 1990, the year of the crisis, the figure was low.");
        row("present perfect with a year", "In 1990 the figure has risen sharply.", "has risen", "rose",
            "tense_perfect_finished", "In 1990 the figure rose sharply.");
    }
    void pastAdverbial() { LearnerTable::verify(*m_checker); }

    void pastClause_data()
    {
        columns();
        row("when-clause and a habit", "When I was a child, I play football every day.", "play", "played",
            "tense_past_time", "When I was a child, I played football every day.");
        row("after-clause and the main clause", "After I finished school, I start to work.", "start", "started",
            "tense_past_time", "After I finished school, I started to work.");
        row("before-clause and be", "Before I came to Beijing, my home is a small village.", "is", "was",
            "tense_past_time", "Before I came to Beijing, my home was a small village.");
        row("as soon as and an -s verb", "As soon as he arrived, he calls his mother.", "calls", "called",
            "tense_past_time", "As soon as he arrived, he called his mother.");
        row("while and a past progressive", "While I was walking home, I meet an old friend.", "meet", "met",
            "tense_past_time", "While I was walking home, I met an old friend.");
        row("when-clause without a comma", "When I was young I play the piano.", "play", "played",
            "tense_past_time", "When I was young, I played the piano.");
        row("when-clause after its main clause", "It happens to me when I studied late.", "happens", "happened",
            "tense_past_time", "It happened to me when I studied late.");
    }
    void pastClause() { LearnerTable::verify(*m_checker); }

    void thenAfterPast_data()
    {
        columns();
        row("and then and a verb sharing the subject", "The number rose to 20 per cent and then falls to 10 per cent.",
            "falls", "fell", "tense_past_time", "The number rose to 20 per cent and then fell to 10 per cent.");
        row("a comma, then and a clause", "We ate dinner, then we go home.", "go", "went", "tense_past_time",
            "We ate dinner, then we went home.");
        row("and then and be", "He was tired, and then it is late.", "is", "was", "tense_past_time",
            "He was tired, and then it was late.");
    }
    void thenAfterPast() { LearnerTable::verify(*m_checker); }

    void thenLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("then drawing from a condition") << "If he was there, then he is guilty.";
        QTest::newRow("then after provided") << "Provided you signed the form, then it is valid.";
        QTest::newRow("then as now") << "We moved here in 2005, and then as now the town is quiet.";
        QTest::newRow("then after a present") << "He was tired and it is late, and then it gets dark.";
        QTest::newRow("then and a modal") << "We ate dinner, then we will go home.";
    }
    void thenLookAlikes() { LearnerTable::verifyClean(*m_checker); }

    // A clause of time or condition about the future takes the present, whatever words open it
    // and whether the main clause has "will" or gives a command.
    void willInTimeClause_data()
    {
        columns();
        row("as soon as after a future", "I will call you as soon as he will come.", "will come", "comes",
            "tense_if_will", "I will call you as soon as he comes.");
        row("by the time opening the sentence", "By the time he will arrive, we will be gone.", "will arrive",
            "arrives", "tense_if_will", "By the time he arrives, we will be gone.");
        row("the next time opening the sentence", "The next time I will see him, I will tell him.", "will see", "see",
            "tense_if_will", "The next time I see him, I will tell him.");
        row("until after a command", "Wait here until I will finish.", "will finish", "finish", "tense_if_will",
            "Wait here until I finish.");
        row("when after a command", "Call me when you will be ready.", "will be", "are", "tense_if_will",
            "Call me when you are ready.");
    }
    void willInTimeClause() { LearnerTable::verify(*m_checker); }

    void willLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a command to tell when") << "Tell me when you will arrive.";
        QTest::newRow("a command to ask if") << "Ask him if he will come.";
        QTest::newRow("a command to find out when") << "Find out when the train will leave.";
        QTest::newRow("let me know when") << "Let me know when it will be ready.";
        QTest::newRow("at the moment is no conjunction") << "At the moment it will not help.";
        QTest::newRow("a question about when") << "Do you know when he will come?";
        QTest::newRow("the next time as a noun phrase") << "The next time will be better.";
    }
    void willLookAlikes() { LearnerTable::verifyClean(*m_checker); }

    void experienceUpToNow_data()
    {
        columns();
        row("never and before with I", "I never see snow before.", "never see", "have never seen",
            "tense_experience_perfect", "I have never seen snow before.");
        row("never and before with she", "She never eats sushi before.", "never eats", "has never eaten",
            "tense_experience_perfect", "She has never eaten sushi before.");
        row("before closing the first clause", "They never visit Beijing before, so they are excited.", "never visit",
            "have never visited", "tense_experience_perfect", "They have never visited Beijing before, so they are excited.");
    }
    void experienceUpToNow() { LearnerTable::verify(*m_checker); }

    // Right sentences with "never" and a closing "before" that are no experience up to now.
    void experienceLookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("before as a conjunction") << "I never eat before I swim.";
        QTest::newRow("as before compares") << "He never calls me as before.";
        QTest::newRow("the day before looks back") << "I never sleep well the night before.";
        QTest::newRow("a past simple") << "I never saw snow before.";
        QTest::newRow("a present perfect") << "I have never seen snow before.";
        QTest::newRow("a verb of its own before before") << "I never know what I did before.";
        QTest::newRow("before in a clause of its own") << "It never rains here, as we said before.";
    }
    void experienceLookAlikes() { LearnerTable::verifyClean(*m_checker); }

    void lookAlikes_data()
    {
        QTest::addColumn<QString>("sentence");
        QTest::newRow("general truth in a when-clause") << "When water boils, it turns to steam.";
        QTest::newRow("reported present truth") << "He said the earth is round.";
        QTest::newRow("reported truth with a past time") << "Yesterday he said that the earth is round.";
        QTest::newRow("present perfect with since") << "Since 2010 the number has grown.";
        QTest::newRow("present perfect with for") << "For two years the number has grown.";
        QTest::newRow("a chart showing past years") << "The chart shows the number of cars in 1990 and 2000.";
        QTest::newRow("a table comparing past years") << "The table compares the sales in 1990 and 2000.";
        QTest::newRow("a forecast") << "In 2030 the figure will be higher.";
        QTest::newRow("past years beside a future one") << "In 2010 the figure rises and reaches its peak in 2090.";
        QTest::newRow("a forecast word") << "In 2010 the number is expected to double.";
        QTest::newRow("the year as a name") << "The 1990 election is remembered as a turning point.";
        QTest::newRow("ago inside a relative clause") << "A friend I met two years ago lives in Paris.";
        QTest::newRow("ago inside a noun phrase") << "Photos from many years ago show the old town.";
        QTest::newRow("a year inside the subject") << "Sales in 2019 are up five per cent.";
        QTest::newRow("a participle the year dates") << "The house built in 1990 is for sale.";
        QTest::newRow("a number in an address") << "They live in 1990 Park Avenue.";
        QTest::newRow("a number of cases") << "It happens in 2000 cases a year.";
        QTest::newRow("a comparison with a past year") << "The figure is higher than in 1990.";
        QTest::newRow("a comparison with last year") << "He is taller than last year.";
        QTest::newRow("last year's") << "Last year's winner is Tom.";
        QTest::newRow("of last year") << "The events of last year are a warning.";
        QTest::newRow("because and a present result") << "I am happy because I passed the exam.";
        QTest::newRow("because-clause first and a present state") << "Because he lost his job, he is poor.";
        QTest::newRow("a past when-clause and a past verb") << "I was happy when I passed the exam.";
        QTest::newRow("when and read in the present") << "When you read this, you are holding a letter from me.";
        QTest::newRow("a decade as a style") << "Every year the town holds a party in 1990s style.";
        QTest::newRow("a named person in a dated story") << "In 2007, Bartley accepts a plea bargain.";
        QTest::newRow("a plural noun after a list of adjectives")
            << "The chart shows the minutes of local and mobile calls from 1995 to 2002.";
        QTest::newRow("a title") << "My favourite book is Two Years Ago by a local author.";
        QTest::newRow("quotation") << "\"I am tired,\" she said last night.";
        QTest::newRow("question") << "What do you remember about 2010?";
        QTest::newRow("a year and a comparison with now between commas") << "In 1990, as now, the rate is low.";
        QTest::newRow("a year and a clause of its own between commas") << "In 1990, as you know, the rate was low.";
        QTest::newRow("now beside a past year") << "In 2010 I moved here, and now I work in a bank.";
        QTest::newRow("remember a past time") << "I remember the summer when I was ten.";
        QTest::newRow("after with a present perfect") << "After the factors described have been computed, they are used.";
        QTest::newRow("a present state after a past event") << "Investigations are underway after a bear was shot.";
    }
    void lookAlikes() { LearnerTable::verifyClean(*m_checker); }

    // previous: the sentence before; wrong: the sentence checked after it, whose finding covers
    // span with candidate first; twin: wrong mended. The sentence on its own gets no tense finding.
    void afterPastSentence_data()
    {
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QString>("wrong");
        QTest::addColumn<QString>("span");
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<QString>("twin");
        QTest::newRow("then after a past sentence") << "In 1990 the figure was 20 per cent." << "Then it rises sharply."
                                                    << "rises" << "rose" << "Then it rose sharply.";
        QTest::newRow("after that and a comma") << "We arrived at the hotel at noon." << "After that, we go to the beach."
                                                << "go" << "went" << "After that, we went to the beach.";
        QTest::newRow("an amount of time later") << "He left the house at eight." << "Two hours later, he calls his mother."
                                                 << "calls" << "called" << "Two hours later, he called his mother.";
        QTest::newRow("the next day") << "My parents bought a new car." << "The next day they drive it to the sea."
                                      << "drive" << "drove" << "The next day they drove it to the sea.";
        QTest::newRow("the same pronoun after a dated past") << "Last summer we went to Beijing."
                                                             << "We visit the Great Wall with our teacher." << "visit"
                                                             << "visited" << "We visited the Great Wall with our teacher.";
        QTest::newRow("the same pronoun after a past clause of time") << "When I was ten, I moved to Wuhan."
                                                                      << "I meet my best friend there." << "meet" << "met"
                                                                      << "I met my best friend there.";
    }
    void afterPastSentence()
    {
        QFETCH(QString, previous);
        QFETCH(QString, wrong);
        QFETCH(QString, span);
        QFETCH(QString, candidate);
        QFETCH(QString, twin);
        const Json::Value record = after(previous, wrong, 2);
        bool found = false;
        for (const Json::Value &c : record["corrections"]) {
            if (CheckerRecords::covered(wrong, c) != span || c["explainType"].asString() != "tense_past_time")
                continue;
            found = true;
            QCOMPARE(QString::fromStdString(c["candidates"][0u]["correction"].asString()), candidate);
            QVERIFY(!QString::fromStdString(m_checker->explanationHtml("et=tense_past_time")).contains(QStringLiteral("暂无")));
        }
        QVERIFY2(found, qPrintable(QStringLiteral("got: ") + CheckerRecords::describe(wrong, record)));
        // the past comes from the sentence before: alone, the sentence may be a present
        const Json::Value alone = m_checker->checkSentence(0, wrong.toStdString(), 0, CheckerRecords::sentenceConfig(3), {});
        for (const Json::Value &c : alone["corrections"])
            QVERIFY2(c["explainType"].asString() != "tense_past_time", qPrintable(CheckerRecords::describe(wrong, alone)));
        const Json::Value clean = after(previous, twin, 3);
        QVERIFY2(clean["corrections"].empty(), qPrintable(CheckerRecords::describe(twin, clean)));
    }

    // Right pairs that look like a slip from the past: the sentence after is about now, a
    // habit, a state, a list, or the sentence before is not told in the past.
    void afterPastSentenceLookAlikes_data()
    {
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("a state of now after a dated past") << "I was born in 2000." << "I live in Wuhan with my parents.";
        QTest::newRow("a liking after a dated past") << "Two years ago I moved to Paris." << "I love the old streets.";
        QTest::newRow("a habit with a word of frequency") << "Last year I joined a football club."
                                                          << "I train with them every Saturday.";
        QTest::newRow("be after a dated past") << "In 1990 the figure was low." << "It is clear that the figure grew.";
        QTest::newRow("another subject after a dated past") << "Last year my brother went to Beijing."
                                                            << "I visit him in the summer.";
        QTest::newRow("the same pronoun after an undated past") << "We talked for an hour."
                                                                << "We agree on most things.";
        QTest::newRow("then listing after a past") << "The old rules were strict." << "Then there are the new rules.";
        QTest::newRow("then after a present") << "We arrive at noon." << "Then we go to the beach.";
        QTest::newRow("then after a condition") << "If you knew the answer, you would tell me."
                                                << "Then you know the reason.";
        QTest::newRow("then and a forecast") << "In 1990 the figure was 20 per cent."
                                             << "Then it will rise sharply.";
        QTest::newRow("then and now") << "He left the town years ago." << "Then he lives abroad now.";
        QTest::newRow("then and a past of its own") << "He left at eight." << "Then he called his mother.";
        QTest::newRow("a chart presenting after a past") << "The figure rose in 1990."
                                                         << "After that, the chart shows a fall.";
        QTest::newRow("a quotation after a past") << "He left at eight." << "Then he says \"I am tired\".";
    }
    void afterPastSentenceLookAlikes()
    {
        QFETCH(QString, previous);
        QFETCH(QString, sentence);
        const Json::Value record = after(previous, sentence, 3);
        QVERIFY2(record["corrections"].empty(), qPrintable(CheckerRecords::describe(sentence, record)));
    }

private:
    Json::Value after(const QString &previous, const QString &sentence, int confidence) const
    {
        return m_checker->checkSentence(0, sentence.toStdString(), 0, CheckerRecords::sentenceConfig(confidence), {},
                                        {previous.toStdString()});
    }
};

QTEST_GUILESS_MAIN(TestCheckerTense)
#include "tst_checker_tense.moc"
