#include "checkcodes.h"
#include "resultstate.h"

#include <QMetaType>
#include <QTest>

#include <stdexcept>

using namespace ZeltraLib;

namespace {

QString parseError(const QByteArray &json)
{
    try {
        parseResultState(json);
    } catch (const std::runtime_error &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

const QByteArray FullRecord = QStringLiteral(
    R"({"sentInd":3,"corrections":[)"
    R"({"start":2,"end":9,"loc":17,"errorInfo":"主谓不一致","explainType":"SVA","errorType":"GRAMMAR",)"
    R"("featureKeys":["he go","VBP"],"candidates":[)"
    R"({"correction":"goes","candidateType":"REPLACE","score":0.75,"originalScore":0.125},)"
    R"({"correction":"","candidateType":"DELETION","score":1,"originalScore":0}]},)"
    R"({"start":0,"end":1,"errorType":"NONWORD","candidates":[]}]})").toUtf8();

} // namespace

class TestResultState : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fullRecord();
    void summary_data();
    void summary();
    void scoreErrors_data();
    void scoreErrors();
    void missingMembers_data();
    void missingMembers();
    void apostropheRule_data();
    void apostropheRule();
    void nonAsciiOffsets_data();
    void nonAsciiOffsets();
    void rejected_data();
    void rejected();
    void largeRecord();
    void list_data();
    void list();
    void categories_data();
    void categories();
    void operations_data();
    void operations();
    void explanationQuery_data();
    void explanationQuery();
    void metaType();
};

void TestResultState::fullRecord()
{
    const CResultState s = parseResultState(FullRecord);
    QCOMPARE(s.sentInd, 3);
    QVERIFY(!s.isSummary());
    QCOMPARE(s.corrections.size(), 2);
    const CorrectionRecord &r = s.corrections.at(0);
    QCOMPARE(r.start, 2);
    QCOMPARE(r.end, 9);
    QCOMPARE(r.loc, 17);
    QCOMPARE(QString::fromUtf8(r.errorInfo), QStringLiteral("主谓不一致"));
    QCOMPARE(r.explainType, QByteArray("SVA"));
    QCOMPARE(r.errorType, QByteArray("GRAMMAR"));
    QCOMPARE(r.category(), int(CategoryGrammar));
    QCOMPARE(r.featureKeys, (QList<QByteArray>{ "he go", "VBP" }));
    QVERIFY(r.secondKeys.isEmpty());
    QCOMPARE(r.label, 0);
    QVERIFY(r.labelText.isEmpty());
    QVERIFY(r.explanation.isEmpty());
    QCOMPARE(r.candidates.size(), 2);
    QCOMPARE(r.candidates.at(0).correction, QByteArray("goes"));
    QCOMPARE(r.candidates.at(0).candidateType, QByteArray("REPLACE"));
    QCOMPARE(r.candidates.at(0).score, 0.75);
    QCOMPARE(r.candidates.at(0).originalScore, 0.125);
    QCOMPARE(r.candidates.at(1).score, 1.0);
    QCOMPARE(r.candidates.at(1).operation(), int(OperationDeletion));
    // Order of corrections is the reply's.
    QCOMPARE(s.corrections.at(1).category(), int(CategoryNonword));
    QVERIFY(s.corrections.at(1).candidates.isEmpty());
}

void TestResultState::summary_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("sentInd");
    QTest::addColumn<double>("lexical");
    QTest::addColumn<double>("syntax");
    QTest::newRow("summary record") << QByteArray(R"({"sentInd":-1,"lexicalScore":0.5,"syntaxScore":0.875})") << -1 << 0.5 << 0.875;
    QTest::newRow("summary ignores a corrections array")
        << QByteArray(R"({"sentInd":-1,"lexicalScore":0.5,"syntaxScore":0.25,"corrections":[{"start":1,"errorType":"GRAMMAR"}]})")
        << -1 << 0.5 << 0.25;
    QTest::newRow("integer scores read as reals") << QByteArray(R"({"sentInd":-2,"lexicalScore":1,"syntaxScore":0})") << -2 << 1.0 << 0.0;
    QTest::newRow("summary without scores") << QByteArray(R"({"sentInd":-1})") << -1 << 0.0 << 0.0;
    QTest::newRow("scores of a sentence record are not read")
        << QByteArray(R"({"sentInd":0,"lexicalScore":0.5,"syntaxScore":0.5})") << 0 << 0.0 << 0.0;
}

void TestResultState::summary()
{
    QFETCH(QByteArray, json);
    QFETCH(int, sentInd);
    QFETCH(double, lexical);
    QFETCH(double, syntax);
    const CResultState s = parseResultState(json);
    QCOMPARE(s.sentInd, sentInd);
    QCOMPARE(s.isSummary(), sentInd < 0);
    QCOMPARE(s.lexicalScore, lexical);
    QCOMPARE(s.syntaxScore, syntax);
    QVERIFY(s.corrections.isEmpty());
}

// A sentence record's share of the summary's error count.
void TestResultState::scoreErrors_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<int>("errors");
    QTest::newRow("given") << QByteArray(R"({"sentInd":3,"scoreErrors":2,"corrections":[]})") << 2;
    QTest::newRow("missing reads as 0") << QByteArray(R"({"sentInd":3,"corrections":[]})") << 0;
    QTest::newRow("negative reads as 0") << QByteArray(R"({"sentInd":3,"scoreErrors":-5})") << 0;
    QTest::newRow("not a number: 0, findings kept")
        << QByteArray(R"({"sentInd":3,"scoreErrors":"x","corrections":[{"start":1}]})") << 0;
    QTest::newRow("not read from a summary") << QByteArray(R"({"sentInd":-1,"scoreErrors":4})") << 0;
}

void TestResultState::scoreErrors()
{
    QFETCH(QByteArray, json);
    QFETCH(int, errors);
    const CResultState state = parseResultState(json);
    QCOMPARE(state.scoreErrors, errors);
    QCOMPARE(state.corrections.size(), json.contains("\"start\"") ? 1 : 0);
}

void TestResultState::missingMembers_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("empty object") << QByteArray("{}");
    QTest::newRow("empty correction") << QByteArray(R"({"corrections":[{}]})");
    QTest::newRow("nulls everywhere")
        << QByteArray(R"({"sentInd":null,"corrections":[{"start":null,"errorInfo":null,"featureKeys":null,"candidates":[{"score":null}]}]})");
}

void TestResultState::missingMembers()
{
    QFETCH(QByteArray, json);
    const CResultState s = parseResultState(json);
    QCOMPARE(s.sentInd, 0);
    for (const CorrectionRecord &r : s.corrections) {
        QCOMPARE(r.start, 0);
        QCOMPARE(r.end, 0);
        QCOMPARE(r.loc, 0);
        QVERIFY(r.errorInfo.isEmpty());
        QVERIFY(r.errorType.isEmpty());
        QVERIFY(r.featureKeys.isEmpty());
        // An empty type is outside the table.
        QCOMPARE(r.category(), int(CategoryOther));
        for (const CandidateRecord &c : r.candidates) {
            QCOMPARE(c.score, 0.0);
            QVERIFY(c.correction.isEmpty());
        }
    }
}

void TestResultState::apostropheRule_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("correction");
    QTest::newRow("escaped apostrophe in a correction")
        << QByteArray(R"({"corrections":[{"candidates":[{"correction":"it\u0027s"}]}]})") << QStringLiteral("it's");
    QTest::newRow("several escaped apostrophes")
        << QByteArray(R"({"corrections":[{"candidates":[{"correction":"\u0027a\u0027\u0027"}]}]})") << QStringLiteral("'a''");
    QTest::newRow("other escapes still decoded")
        << QByteArray(R"({"corrections":[{"candidates":[{"correction":"\u4e2d\u0027\n"}]}]})") << QStringLiteral("中'\n");
    QTest::newRow("plain apostrophe") << QByteArray(R"({"corrections":[{"candidates":[{"correction":"don't"}]}]})") << QStringLiteral("don't");
}

void TestResultState::apostropheRule()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, correction);
    const CResultState s = parseResultState(json);
    QCOMPARE(QString::fromUtf8(s.corrections.at(0).candidates.at(0).correction), correction);
}

void TestResultState::nonAsciiOffsets_data()
{
    // Offsets are characters of the sentence, passed through unchanged; they must not be
    // confused with byte positions of the UTF-8 text around them.
    QTest::addColumn<QString>("sentence");
    QTest::addColumn<QString>("finding");
    QTest::newRow("chinese before the finding") << QStringLiteral("我们 goes to school.") << QStringLiteral("goes");
    QTest::newRow("fullwidth punctuation") << QStringLiteral("“He go，” she said.") << QStringLiteral("go");
    QTest::newRow("ascii only") << QStringLiteral("He go home.") << QStringLiteral("go");
}

void TestResultState::nonAsciiOffsets()
{
    QFETCH(QString, sentence);
    QFETCH(QString, finding);
    const int start = int(sentence.indexOf(finding));
    const int end = start + int(finding.size());
    const QByteArray json = QStringLiteral(R"({"sentInd":0,"corrections":[{"start":%1,"end":%2,"errorInfo":"%3","candidates":[{"correction":"%4"}]}]})")
                                .arg(start).arg(end).arg(sentence, finding).toUtf8();
    const CorrectionRecord r = parseResultState(json).corrections.at(0);
    QCOMPARE(sentence.mid(r.start, r.end - r.start), finding);
    QCOMPARE(QString::fromUtf8(r.errorInfo), sentence);
    QCOMPARE(QString::fromUtf8(r.candidates.at(0).correction), finding);
}

void TestResultState::rejected_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("empty text") << QByteArray();
    QTest::newRow("garbage") << QByteArray("not json at all");
    QTest::newRow("binary") << QByteArray("\x01\x02\xff\xfe", 4);
    for (const int cut : { 1, 10, 40, 120, int(FullRecord.size()) - 1 })
        QTest::newRow(qPrintable(QStringLiteral("truncated after %1 bytes").arg(cut))) << FullRecord.left(cut);
    QTest::newRow("text after the object") << QByteArray(R"({"sentInd":1} {"sentInd":2})");
    QTest::newRow("array instead of object") << QByteArray("[1,2]");
    QTest::newRow("number instead of object") << QByteArray("42");
    QTest::newRow("sentInd is text") << QByteArray(R"({"sentInd":"1"})");
    QTest::newRow("sentInd beyond int") << QByteArray(R"({"sentInd":99999999999})");
    QTest::newRow("sentInd is boolean") << QByteArray(R"({"sentInd":true})");
    QTest::newRow("corrections is an object") << QByteArray(R"({"corrections":{"start":1}})");
    QTest::newRow("correction is a number") << QByteArray(R"({"corrections":[5]})");
    QTest::newRow("start is text") << QByteArray(R"({"corrections":[{"start":"2"}]})");
    QTest::newRow("errorType is a number") << QByteArray(R"({"corrections":[{"errorType":4}]})");
    QTest::newRow("feature key is a number") << QByteArray(R"({"corrections":[{"featureKeys":["a",1]}]})");
    QTest::newRow("candidate is text") << QByteArray(R"({"corrections":[{"candidates":["goes"]}]})");
    QTest::newRow("score is text") << QByteArray(R"({"corrections":[{"candidates":[{"score":"high"}]}]})");
    QTest::newRow("summary score is text") << QByteArray(R"({"sentInd":-1,"lexicalScore":"x"})");
    QTest::newRow("escaped backslash before u0027")
        << QByteArray(R"({"corrections":[{"errorInfo":"a\\u0027b"}]})");
    QTest::newRow("nesting far too deep") << (QByteArray("{\"a\":") + QByteArray(100000, '[') + QByteArray(100000, ']') + "}");
}

void TestResultState::rejected()
{
    QFETCH(QByteArray, json);
    QCOMPARE(parseError(json), QStringLiteral("Error: Cannot deserialize into CResultState objects."));
}

void TestResultState::largeRecord()
{
    QByteArray json = R"({"sentInd":7,"corrections":[)";
    const int count = 20000;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            json += ',';
        json += R"({"start":)" + QByteArray::number(i) + R"(,"end":)" + QByteArray::number(i + 1)
                + R"(,"errorType":"STYLE","candidates":[{"correction":"x","candidateType":"INSERTION"}]})";
    }
    json += "]}";
    const CResultState s = parseResultState(json);
    QCOMPARE(s.corrections.size(), count);
    QCOMPARE(s.corrections.last().start, count - 1);
    QCOMPARE(s.corrections.last().category(), int(CategoryStyle));
}

void TestResultState::list_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QList<int>>("sentences"); // empty with ok=false: an error
    QTest::addColumn<bool>("ok");
    QTest::newRow("empty array") << QByteArray("[]") << QList<int>{} << true;
    QTest::newRow("sentences 0 and 2")
        << QByteArray(R"([{"sentInd":0,"corrections":[{"errorType":"IMPROVE"}]},{"sentInd":2,"corrections":[]}])")
        << QList<int>{ 0, 2 } << true;
    QTest::newRow("apostrophe rule applies")
        << QByteArray(R"([{"sentInd":1,"corrections":[{"errorInfo":"x\u0027"}]}])") << QList<int>{ 1 } << true;
    QTest::newRow("object instead of array") << QByteArray(R"({"sentInd":0})") << QList<int>{} << false;
    QTest::newRow("one bad element spoils the reply")
        << QByteArray(R"([{"sentInd":0},{"sentInd":"x"}])") << QList<int>{} << false;
    QTest::newRow("truncated array") << QByteArray(R"([{"sentInd":0},{"sentI)") << QList<int>{} << false;
}

void TestResultState::list()
{
    QFETCH(QByteArray, json);
    QFETCH(QList<int>, sentences);
    QFETCH(bool, ok);
    try {
        const QList<CResultState> states = parseResultStateList(json);
        QVERIFY2(ok, "a bad reply was accepted");
        QList<int> got;
        for (const CResultState &s : states)
            got.append(s.sentInd);
        QCOMPARE(got, sentences);
    } catch (const std::runtime_error &e) {
        QVERIFY2(!ok, e.what());
        QCOMPARE(QString::fromUtf8(e.what()), QString::fromLatin1(DeserializeErrorText));
    }
}

void TestResultState::categories_data()
{
    QTest::addColumn<QByteArray>("errorType");
    QTest::addColumn<int>("category");
    QTest::newRow("NONWORD") << QByteArray("NONWORD") << 1;
    QTest::newRow("REAL") << QByteArray("REAL") << 2;
    QTest::newRow("MOPHOLOGY") << QByteArray("MOPHOLOGY") << 3;
    QTest::newRow("GRAMMAR") << QByteArray("GRAMMAR") << 4;
    QTest::newRow("STYLE") << QByteArray("STYLE") << 5;
    QTest::newRow("SUGGESTION") << QByteArray("SUGGESTION") << 6;
    QTest::newRow("IMPROVE") << QByteArray("IMPROVE") << 7;
    QTest::newRow("lower-case grammar is other") << QByteArray("grammar") << 8;
    QTest::newRow("correct spelling MORPHOLOGY is other") << QByteArray("MORPHOLOGY") << 8;
    QTest::newRow("trailing space is other") << QByteArray("STYLE ") << 8;
    QTest::newRow("empty is other") << QByteArray() << 8;
}

void TestResultState::categories()
{
    QFETCH(QByteArray, errorType);
    QFETCH(int, category);
    const QByteArray json = R"({"corrections":[{"errorType":")" + errorType + R"("}]})";
    const CResultState s = parseResultState(json);
    QCOMPARE(s.corrections.at(0).category(), category);
    QCOMPARE(s.corrections.at(0).errorType, errorType); // kept as sent
}

void TestResultState::operations_data()
{
    QTest::addColumn<QByteArray>("candidateType");
    QTest::addColumn<int>("operation");
    QTest::newRow("REPLACE") << QByteArray("REPLACE") << 1;
    QTest::newRow("DELETION") << QByteArray("DELETION") << 2;
    QTest::newRow("INSERTION") << QByteArray("INSERTION") << 3;
    QTest::newRow("lower-case replace is other") << QByteArray("replace") << 4;
    QTest::newRow("empty is other") << QByteArray() << 4;
}

void TestResultState::operations()
{
    QFETCH(QByteArray, candidateType);
    QFETCH(int, operation);
    const QByteArray json = R"({"corrections":[{"candidates":[{"candidateType":")" + candidateType + R"("}]}]})";
    const CandidateRecord c = parseResultState(json).corrections.at(0).candidates.at(0);
    QCOMPARE(c.cachedOperation(), 0); // derived on first use only
    QCOMPARE(c.operation(), operation);
    QCOMPARE(c.cachedOperation(), operation);
    // Kept once derived, even if the text changes afterwards.
    CandidateRecord copy = c;
    copy.candidateType = "DELETION";
    QCOMPARE(copy.operation(), operation);
}

void TestResultState::explanationQuery_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<QByteArray>("explainType");
    QTest::addColumn<QList<QByteArray>>("corrections");
    QTest::addColumn<QByteArray>("labelText");
    QTest::addColumn<int>("label");
    QTest::addColumn<QList<QByteArray>>("featureKeys");
    QTest::addColumn<QList<QByteArray>>("secondKeys");
    QTest::addColumn<QByteArray>("errorInfo");
    QTest::addColumn<QString>("query");

    using L = QList<QByteArray>;
    QTest::newRow("grammar with candidate and keys")
        << 4 << QByteArray("SVA") << L{ "goes", "went" } << QByteArray() << 0 << L{ "he go", "a/b" } << L{ "x?y" }
        << QByteArray() << QStringLiteral("/?et=SVA&ct=goes&fk=he%20go&fk=a%2Fb&sk=x%3Fy");
    QTest::newRow("no candidate, no ct")
        << 1 << QByteArray("SP") << L{} << QByteArray() << 0 << L{} << L{} << QByteArray() << QStringLiteral("/?et=SP");
    QTest::newRow("empty first candidate, no ct")
        << 2 << QByteArray("RW") << L{ "", "then" } << QByteArray() << 0 << L{} << L{} << QByteArray() << QStringLiteral("/?et=RW");
    QTest::newRow("candidate inserted unescaped")
        << 5 << QByteArray("ST") << L{ "a lot" } << QByteArray() << 0 << L{} << L{} << QByteArray() << QStringLiteral("/?et=ST&ct=a lot");
    QTest::newRow("label and escaped label text")
        << 8 << QByteArray("E") << L{} << QByteArray("50% & more") << 12 << L{} << L{} << QByteArray()
        << QStringLiteral("/?et=E&label=12&ls=50%25%20%26%20more");
    QTest::newRow("every escaped character")
        << 4 << QByteArray("E") << L{} << QByteArray() << 0 << L{ "% <>#{}|\\^~[]`;/?:@=&$" } << L{} << QByteArray()
        << QStringLiteral("/?et=E&fk=%25%20%3C%3E%23%7B%7D%7C%5C%5E%7E%5B%5D%60%3B%2F%3F%3A%40%3D%26%24");
    QTest::newRow("unlisted characters unchanged")
        << 4 << QByteArray("E") << L{} << QByteArray() << 0 << L{ "a+b,c!\"'*()-_." } << L{} << QByteArray()
        << QStringLiteral("/?et=E&fk=a+b,c!\"'*()-_.");
    QTest::newRow("chinese keys stay utf-8 text")
        << 4 << QByteArray("E") << L{ QStringLiteral("去").toUtf8() } << QByteArray() << 0
        << L{ QStringLiteral("中文 键").toUtf8() } << L{} << QByteArray() << QStringLiteral("/?et=E&ct=去&fk=中文%20键");
    QTest::newRow("polish query")
        << 7 << QByteArray("ignored") << L{ "big" } << QByteArray("also ignored") << 3 << L{ "large", "huge", "中" }
        << L{ "z" } << QByteArray("NN") << QStringLiteral("/?lexsub=large,huge,中&pos=NN");
    QTest::newRow("polish query without keys")
        << 7 << QByteArray() << L{} << QByteArray() << 0 << L{} << L{} << QByteArray("JJ") << QStringLiteral("/?lexsub=&pos=JJ");
}

void TestResultState::explanationQuery()
{
    QFETCH(int, category);
    QFETCH(QByteArray, explainType);
    QFETCH(QList<QByteArray>, corrections);
    QFETCH(QByteArray, labelText);
    QFETCH(int, label);
    QFETCH(QList<QByteArray>, featureKeys);
    QFETCH(QList<QByteArray>, secondKeys);
    QFETCH(QByteArray, errorInfo);
    QFETCH(QString, query);

    CorrectionRecord r;
    r.setCategory(category);
    r.explainType = explainType;
    for (const QByteArray &c : corrections) {
        CandidateRecord candidate;
        candidate.correction = c;
        r.candidates.append(candidate);
    }
    r.labelText = labelText;
    r.label = label;
    r.featureKeys = featureKeys;
    r.secondKeys = secondKeys;
    r.errorInfo = errorInfo;
    QCOMPARE(r.explanationQuery(), query);
}

void TestResultState::metaType()
{
    registerResultStateType();
    const QMetaType byName = QMetaType::fromName("CResultState");
    QVERIFY(byName.isValid());
    QCOMPARE(byName, QMetaType::fromType<CResultState>());

    // A value survives the trip through QVariant, as in a queued signal.
    const CResultState s = parseResultState(FullRecord);
    const QVariant v = QVariant::fromValue(s);
    const CResultState back = v.value<CResultState>();
    QCOMPARE(back.sentInd, 3);
    QCOMPARE(back.corrections.size(), 2);
    QCOMPARE(back.corrections.at(0).candidates.at(0).correction, QByteArray("goes"));
}

QTEST_GUILESS_MAIN(TestResultState)
#include "tst_resultstate.moc"
