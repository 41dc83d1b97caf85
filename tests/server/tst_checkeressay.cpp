// A learner's essay through the client's own classes against a real pennova-server:
// every finding must land on the right UTF-16 span (also after Chinese text and an
// emoji), carry the category the editor colours it by, offer the expected first
// candidate, and lead the explanation look-up to a Chinese page about that error.

#include "checkcodes.h"
#include "checktask.h"
#include "enrichmenttask.h"
#include "explanation.h"
#include "passwordhash.h"
#include "support/testserver.h"
#include "useraccess.h"

#include <QtTest>

#include <json/json.h>

using namespace ZeltraLib;

namespace {

struct EssaySentence
{
    QString text;
    int kind; // 0 sentence, 1 title
};

// The essay; each sentence carries at most one error.
const QList<EssaySentence> &essay()
{
    static const QList<EssaySentence> e = {
        {QStringLiteral("My Summer Holiday"), 1},
        {QStringLiteral("他说：I recieved a letter from my friend."), 0},
        {QStringLiteral("妈妈说 its a good idea."), 0},
        {QStringLiteral("\U0001F600 He go to school every day."), 0},
        {QStringLiteral("I learned many knowledges about history."), 0},
        {QStringLiteral("We stayed at home due to the fact that it rained."), 0},
        {QStringLiteral("For example, the beautiful city of Beijing."), 0},
        {QStringLiteral("You must to finish it."), 0},
        {QStringLiteral("This book is more better than that one."), 0},
        {QStringLiteral("The weather was fine and we walked to the lake."), 0},
    };
    return e;
}

} // namespace

class TestCheckerEssay : public QObject
{
    Q_OBJECT

private:
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.port()); }

    const CorrectionRecord *findingIn(int sentence) const
    {
        const auto it = m_results.constFind(sentence);
        if (it == m_results.constEnd() || it->corrections.isEmpty())
            return nullptr;
        return &it->corrections.first();
    }

    // The page the panel would show for the record.
    QString explanationOf(CorrectionRecord *record)
    {
        Explanation explanation(host(), 7, record);
        QSignalSpy arrived(&explanation, &Explanation::signalExplanation);
        explanation.request();
        if (!arrived.wait(20000))
            return {};
        return arrived.first().at(1).toString();
    }

    TestServer m_server;
    QString m_session;
    QMap<int, CResultState> m_results;
    CResultState m_summary;

private slots:
    void initTestCase()
    {
        qRegisterMetaType<CResultState>("CResultState");
        qRegisterMetaType<QNetworkReply::NetworkError>();
        QVERIFY(m_server.start());
        QVERIFY(m_server.addUser("essay001", "essay@example.com", "essay12345"));

        UserAccess access(host());
        QSignalSpy loggedIn(&access, &UserAccess::LoginFinished);
        access.login(QStringLiteral("essay001"), passwordHash(QStringLiteral("essay12345")));
        QVERIFY(loggedIn.wait(20000));
        QCOMPARE(loggedIn.first().first().toInt(), -1);
        m_session = access.sessionKey();

        CheckTask task(host());
        QSignalSpy results(&task, &CheckTask::signalUpdateResult);
        QSignalSpy finished(&task, &CheckTask::signalFinished);
        CheckRequest request;
        request.session = m_session;
        for (const EssaySentence &s : essay()) {
            request.sents << s.text;
            request.configs << s.kind;
        }
        task.start(request);
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.first().first().value<QNetworkReply::NetworkError>(), QNetworkReply::NoError);
        for (const QList<QVariant> &signal : results) {
            const CResultState state = signal.first().value<CResultState>();
            if (state.isSummary())
                m_summary = state;
            else
                m_results.insert(state.sentInd, state);
        }
    }

    void everySentenceAnsweredOnce()
    {
        QCOMPARE(m_results.size(), essay().size());
        QVERIFY(m_summary.isSummary());
        QVERIFY(m_summary.lexicalScore > 0.0 && m_summary.lexicalScore <= 1.0);
        QVERIFY(m_summary.syntaxScore > 0.0 && m_summary.syntaxScore <= 1.0);
    }

    void findings_data()
    {
        QTest::addColumn<int>("sentence");
        QTest::addColumn<int>("start"); // UTF-16
        QTest::addColumn<QString>("span");
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("candidate");
        QTest::addColumn<QString>("pageTitle");

        QTest::newRow("misspelling after chinese text") << 1 << 5 << "recieved" << int(CategoryNonword) << 1
                                                        << "received" << "拼写错误";
        QTest::newRow("its for it's after chinese text") << 2 << 4 << "its" << int(CategoryReal) << 1 << "it's"
                                                         << "its 与 it's";
        QTest::newRow("agreement after an emoji") << 3 << 6 << "go" << int(CategoryGrammar) << 1 << "goes"
                                                  << "主谓一致";
        QTest::newRow("uncountable plural") << 4 << 15 << "knowledges" << int(CategoryMophology) << 1
                                            << "knowledge" << "不可数名词没有复数";
        QTest::newRow("wordy phrase") << 5 << 18 << "due to the fact that" << int(CategoryStyle) << 1 << "because"
                                      << "表达冗长";
        QTest::newRow("sentence without a verb") << 6 << 0 << "For example, the beautiful city of Beijing."
                                                 << int(CategorySuggestion) << -1 << "" << "句子不完整";
        // a deletion covers the word with the spaces on both sides; the editor puts one space back
        QTest::newRow("to after a modal is deleted") << 7 << 8 << " to " << int(CategoryGrammar) << 2 << ""
                                                     << "情态动词后不加 to";
        QTest::newRow("double comparative is deleted") << 8 << 12 << " more " << int(CategoryMophology) << 2 << ""
                                                       << "比较级重复";
    }

    void findings()
    {
        QFETCH(int, sentence);
        QFETCH(int, start);
        QFETCH(QString, span);
        QFETCH(int, category);
        QFETCH(int, operation);
        QFETCH(QString, candidate);
        QFETCH(QString, pageTitle);

        const CorrectionRecord *found = findingIn(sentence);
        QVERIFY2(found, qPrintable(essay().at(sentence).text));
        QCOMPARE(m_results.value(sentence).corrections.size(), 1);
        CorrectionRecord record = *found;
        const QString text = essay().at(sentence).text;
        QCOMPARE(record.start, start);
        QVERIFY(record.end <= text.size());
        QCOMPARE(text.mid(record.start, record.end - record.start), span);
        QCOMPARE(record.category(), category);
        QCOMPARE(record.category(), categoryFromErrorType(record.errorType));
        if (operation < 0) {
            QVERIFY(record.candidates.isEmpty());
        } else {
            QVERIFY(!record.candidates.isEmpty());
            QCOMPARE(record.candidates.first().operation(), operation);
            QCOMPARE(QString::fromUtf8(record.candidates.first().correction), candidate);
            QVERIFY(record.candidates.first().score > record.candidates.first().originalScore);
        }

        const QString query = record.explanationQuery();
        QVERIFY2(query.startsWith(QStringLiteral("/?et=") + QString::fromUtf8(record.explainType)), qPrintable(query));
        const QString page = explanationOf(&record);
        QVERIFY2(page.contains(pageTitle), qPrintable(page));
        QVERIFY(!page.contains(QStringLiteral("暂无")));
        if (!candidate.isEmpty())
            QVERIFY2(page.contains(QStringLiteral("建议：<b>") + candidate.toHtmlEscaped().replace(QLatin1Char('\''), QStringLiteral("&#39;"))
                                   + QStringLiteral("</b>")),
                     qPrintable(page));
        // the page is kept in the record: a second look-up answers at once
        QCOMPARE(record.explanation, page);
    }

    void cleanSentencesHaveNoFindings_data()
    {
        QTest::addColumn<int>("sentence");
        QTest::newRow("title") << 0;
        QTest::newRow("plain past narration") << 9;
    }

    void cleanSentencesHaveNoFindings()
    {
        QFETCH(int, sentence);
        QVERIFY(m_results.contains(sentence));
        QVERIFY2(m_results.value(sentence).corrections.isEmpty(),
                 qPrintable(QString::fromUtf8(m_results.value(sentence).corrections.value(0).errorType)));
    }

    void polishSuggestionsExplainThemselves()
    {
        Json::Value root(Json::objectValue);
        root["session"] = m_session.toStdString();
        root["clientVersion"] = ClientVersion.toStdString();
        root["confidence"] = 1;
        root["sents"] = Json::Value(Json::arrayValue);
        const QStringList sentences = {QStringLiteral("我觉得 this is a very good idea for our class."),
                                       QStringLiteral("We can learn a lot of new things from it."),
                                       QStringLiteral("Many students think the problem is very big.")};
        for (const QString &s : sentences)
            root["sents"].append(s.toStdString());
        Json::StreamWriterBuilder builder;
        builder["indentation"] = "";
        EnrichmentTask task(host());
        QSignalSpy finished(&task, &EnrichmentTask::signalFinished);
        task.start(QByteArray::fromStdString(Json::writeString(builder, root) + "\n"));
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.first().first().value<QNetworkReply::NetworkError>(), QNetworkReply::NoError);
        QVERIFY(!task.results().isEmpty());
        int explained = 0;
        for (const CResultState &state : task.results()) {
            QVERIFY(state.sentInd >= 0 && state.sentInd < sentences.size());
            for (CorrectionRecord record : state.corrections) {
                const QString text = sentences.at(state.sentInd);
                QVERIFY(record.start >= 0 && record.start < record.end && record.end <= text.size());
                QCOMPARE(record.category(), int(CategoryImprove));
                QVERIFY(!record.candidates.isEmpty());
                // the first feature key is the phrase the suggestion improves, inside the span
                QVERIFY(!record.featureKeys.isEmpty());
                QVERIFY2(text.mid(record.start, record.end - record.start)
                             .contains(QString::fromUtf8(record.featureKeys.first()), Qt::CaseInsensitive),
                         record.featureKeys.first().constData());
                QVERIFY2(record.explanationQuery().startsWith(QStringLiteral("/?lexsub=")),
                         qPrintable(record.explanationQuery()));
                const QString page = explanationOf(&record);
                QVERIFY2(page.contains(QStringLiteral("润色建议")), qPrintable(page));
                QVERIFY2(!page.contains(QStringLiteral("暂无")), qPrintable(record.explanationQuery()));
                // the page explains the words offered: the candidate ("an excellent") names one of them
                QVERIFY(record.featureKeys.size() >= 2);
                const QString offered = QString::fromUtf8(record.featureKeys.at(1));
                QVERIFY2(page.contains(QStringLiteral("<b>") + offered.toHtmlEscaped() + QStringLiteral("</b>")),
                         qPrintable(page));
                QVERIFY2(QString::fromUtf8(record.candidates.first().correction).contains(offered, Qt::CaseInsensitive),
                         record.candidates.first().correction.constData());
                ++explained;
            }
        }
        QVERIFY(explained > 0);
    }
};

QTEST_GUILESS_MAIN(TestCheckerEssay)
#include "tst_checkeressay.moc"
