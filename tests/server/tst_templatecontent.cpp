// Every shipped template as the writing guide receives it from a real pennova-server
// through the client's own template classes: the catalog and each template parse, every
// sentence is bilingual, every key word carries a hint with an example, the detailed
// templates have the promised shape, and every English sentence (its key words filled
// with their examples) passes our checker at its strictest level with no findings. The
// simple templates' documents and covers download, and each blank is in its document.

#include "englishchecker.h"
#include "hightemplatedownloader.h"
#include "lowtemplatedownloader.h"
#include "sentencechunk.h"
#include "serviceserver.h"
#include "support/testserver.h"
#include "templatelibrary.h"
#include "titlechunk.h"
#include "writingcatalog.h"

#include <pennovapaths.h>

#include <QRegularExpression>
#include <QtTest>

using namespace ZeltraLib;

namespace {

// A key word "[提示，如 Example]" becomes "Example": the text a student hands in.
QString filled(QString text, QStringList *faults)
{
    static const QRegularExpression keyWord(QStringLiteral("\\[([^\\]]*)\\]"));
    QRegularExpressionMatch m;
    while ((m = keyWord.match(text)).hasMatch()) {
        const QString inside = m.captured(1);
        const qsizetype example = inside.indexOf(QStringLiteral("，如 "));
        if (example <= 0 || inside.mid(example + 3).trimmed().isEmpty()) {
            faults->append(QStringLiteral("key word without \"提示，如 example\": ") + m.captured(0));
            return text.replace(m.capturedStart(), m.capturedLength(), QStringLiteral("X"));
        }
        text.replace(m.capturedStart(), m.capturedLength(), inside.mid(example + 3).trimmed());
    }
    return text;
}

// The full sentences of a stored .docx: paragraphs of document.xml that end like a
// sentence (headings and "Time: ..." lines are left out), with their Chinese hints as
// the translation so that they count as bilingual.
QList<SentencePair> documentSentences(const QByteArray &docx)
{
    static const QRegularExpression paragraph(QStringLiteral("<w:p>(.*?)</w:p>"));
    static const QRegularExpression run(QStringLiteral("<w:t[^>]*>([^<]*)</w:t>"));
    QList<SentencePair> out;
    const QString text = QString::fromUtf8(docx);
    for (auto p = paragraph.globalMatch(text); p.hasNext();) {
        QString sentence;
        for (auto r = run.globalMatch(p.next().captured(1)); r.hasNext();)
            sentence += r.next().captured(1);
        sentence.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        if (sentence.endsWith(QLatin1Char('.')) || sentence.endsWith(QLatin1Char('?')) || sentence.endsWith(QLatin1Char('!')))
            out.append({sentence, QStringLiteral("（文档）")});
    }
    return out;
}

std::vector<std::string> config(const TextChunk &chunk)
{
    QStringList list;
    chunk.configs(list);
    std::vector<std::string> out;
    for (const QString &s : list)
        out.push_back(s.toStdString());
    return out;
}

} // namespace

class TestTemplateContent : public QObject
{
    Q_OBJECT

    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.port()); }

    // Checks one sentence; describes its findings, empty when there are none.
    QString findings(const QString &english, bool title, const std::vector<std::string> &previous)
    {
        static const std::unordered_set<std::string> noWords;
        SentenceChunk sentence;
        TitleChunk heading;
        TextChunk &chunk = title ? static_cast<TextChunk &>(heading) : sentence;
        chunk.setConfidence(3); // every finding, even the doubtful ones
        const Json::Value record = m_checker->checkSentence(0, english.toStdString(), title ? 1 : 0,
                                                            config(chunk), noWords, previous);
        QStringList parts;
        for (const Json::Value &c : record["corrections"]) {
            const int start = c["start"].asInt(), end = c["end"].asInt();
            parts << QStringLiteral("%1 '%2' -> '%3'")
                         .arg(QString::fromStdString(c["errorType"].asString()), english.mid(start, end - start),
                              QString::fromStdString(c["candidates"][0u]["correction"].asString()));
        }
        return parts.join(QStringLiteral("; "));
    }

    // Checks a run of sentences as one text; every fault goes to *faults.
    void checkRun(const QString &where, const QList<SentencePair> &run, QStringList *faults)
    {
        std::vector<std::string> previous;
        for (const SentencePair &pair : run) {
            if (pair.content.trimmed().isEmpty() || pair.translation.trimmed().isEmpty()) {
                faults->append(where + QStringLiteral(": a sentence without both languages: ") + pair.content);
                continue;
            }
            const QString english = filled(pair.content.trimmed(), faults);
            const QString found = findings(english, false, previous);
            if (!found.isEmpty())
                faults->append(where + QStringLiteral(": \"") + english + QStringLiteral("\": ") + found);
            previous.push_back(english.toStdString());
        }
    }

    HighTemplate fetchHigh(int id)
    {
        HighTemplateDownloader downloader(host());
        QSignalSpy done(&downloader, &HighTemplateDownloader::signalGetTemplateFinished);
        HighTemplate t;
        downloader.getTemplate(id, &t);
        if (!done.wait(10000))
            QTest::qFail("no reply", __FILE__, __LINE__);
        return t;
    }

    QByteArray download(const QString &url)
    {
        const QUrl u(url);
        const auto res = m_server.get(u.path(QUrl::FullyEncoded).toStdString());
        return res && res->status == 200 ? QByteArray::fromStdString(res->body) : QByteArray();
    }

    TestServer m_server;
    const PennovaChecker::EnglishChecker *m_checker = nullptr; // the server's
    QList<TemplateCatalogNode> m_catalog;
    QList<int> m_high;
    QList<int> m_low;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        m_checker = &m_server.server().checker();
        WritingCatalog catalog(host());
        QSignalSpy done(&catalog, &WritingCatalog::signalGetCatalogFinished);
        catalog.getCatalog(&m_catalog);
        QVERIFY(done.wait(10000));
        for (const TemplateCatalogNode &category : std::as_const(m_catalog))
            for (const TemplateCatalogNode &node : category.children)
                (node.nodeType == TemplateCatalogNode::High ? m_high : m_low).append(node.id);
    }

    void catalogHoldsEveryShippedFile()
    {
        const QDir shipped(QStringLiteral(PENNOVA_SOURCE_DIR "/server/templates/data"));
        const int files = int(shipped.entryList({QStringLiteral("*.tpl")}, QDir::Files).size());
        QCOMPARE(m_high.size() + m_low.size(), files);
        QVERIFY2(m_high.size() >= 24, qPrintable(QString::number(m_high.size())));
        QVERIFY2(m_low.size() >= 6, qPrintable(QString::number(m_low.size())));
        QVERIFY(m_catalog.size() >= 6);
        QSet<QString> names;
        for (const TemplateCatalogNode &category : std::as_const(m_catalog)) {
            QCOMPARE(category.nodeType, int(TemplateCatalogNode::Category));
            QVERIFY(!category.shortName.isEmpty());
            for (const TemplateCatalogNode &node : category.children) {
                // "短名|English name": the tree shows the Chinese, the filter finds both.
                QVERIFY2(node.name.contains(QLatin1Char('|')) && !node.shortName.isEmpty(), qPrintable(node.name));
                QVERIFY2(!names.contains(node.shortName), qPrintable(node.shortName));
                names.insert(node.shortName);
            }
        }
    }

    void detailedTemplates()
    {
        QStringList faults;
        for (int id : std::as_const(m_high)) {
            const HighTemplate t = fetchHigh(id);
            const QString where = QStringLiteral("template %1").arg(id);
            QCOMPARE(t.catId, id);
            if (t.description.trimmed().isEmpty() || t.title.translation.isEmpty())
                faults << where + QStringLiteral(": no description or title translation");
            if (t.blocks.size() < 4)
                faults << where + QStringLiteral(": fewer than 4 blocks");
            int replaceable = 0, keyWords = 0;
            for (const HighTemplate::Block &block : t.blocks)
                replaceable += block.size() >= 2 ? 1 : 0;
            if (replaceable < 2)
                faults << where + QStringLiteral(": fewer than 2 blocks with alternatives");
            if (t.commonSentences.size() < 8)
                faults << where + QStringLiteral(": fewer than 8 common sentences");

            const QString title = filled(t.title.content, &faults);
            const QString found = findings(title, true, {});
            if (!found.isEmpty())
                faults << where + QStringLiteral(" title \"") + title + QStringLiteral("\": ") + found;
            for (int b = 0; b < t.blocks.size(); ++b)
                for (int a = 0; a < t.blocks[b].size(); ++a) {
                    checkRun(where + QStringLiteral(" block %1.%2").arg(b).arg(a), t.blocks[b][a], &faults);
                    for (const SentencePair &pair : t.blocks[b][a])
                        keyWords += int(pair.content.count(QLatin1Char('[')));
                }
            for (const SentencePair &pair : t.commonSentences)
                checkRun(where + QStringLiteral(" common"), {pair}, &faults);
            if (keyWords == 0)
                faults << where + QStringLiteral(": no key words to fill");
        }
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("\n") + faults.join(QLatin1Char('\n'))));
    }

    // What a teacher of Chinese students marks down in a template: a fixed sentence that
    // fits one topic only, a stand that turns, a Chinglish phrase, a wrong name. Every
    // alternative is read with every other, so a fixed sentence may not contradict one.
    void whatATeacherMarksDown_data()
    {
        QTest::addColumn<int>("id");            // 0: every detailed template
        QTest::addColumn<QString>("pattern");   // must not match
        QTest::addColumn<bool>("outsideBlanks"); // matched against the fixed words only
        QTest::newRow("Chinglish conclusion \"In a word\"") << 0 << "\\bIn a word\\b" << false;
        QTest::newRow("the university is Peking University") << 0 << "Beijing University" << false;
        QTest::newRow("a fixed period of ten years") << 0 << "\\bin ten years\\b" << true;
        QTest::newRow("pros and cons: nothing fixed about the example topic")
            << 101 << "(?i)\\b(online|learning|technology|teachers?|students?)\\b" << true;
        QTest::newRow("pros and cons: the topic may be plural, no singular verb after it")
            << 101 << "\\]\\s+(has|is|was|does|brings|makes)\\b" << false;
        QTest::newRow("pros and cons: no \"it\" for a plural topic") << 101 << "\\b(Like everything else, it|on it)\\b"
                                                                  << false;
        QTest::newRow("opinion essay: one stand from start to end") << 105 << "(?i)\\b(disagree|do not agree|against)\\b"
                                                                    << false;
        QTest::newRow("chart description: no causes or forecasts (IELTS Task 1)")
            << 104 << "(?i)\\b(account for|reasons?|causes?|because|likely|future|will)\\b" << true;
        QTest::newRow("problem and solution: nothing fixed about the example problem")
            << 103 << "(?i)\\b(food|eat|meals?|waste|environment)\\b" << true;
        QTest::newRow("two choices: nothing fixed about the example choice")
            << 106 << "(?i)\\b(chatting|difficult|plan my time)\\b" << true;
        QTest::newRow("two views: nothing fixed about the example topic")
            << 107 << "(?i)\\b(job|work|study|grades|society)\\b" << true;
        QTest::newRow("complaint: goods and services alike") << 201 << "(?i)\\b(bought|shop)\\b" << true;
        QTest::newRow("apology: any fault, not only a missed meeting") << 205 << "(?i)\\b(waited|call you)\\b" << true;
    }
    void whatATeacherMarksDown()
    {
        QFETCH(int, id);
        QFETCH(QString, pattern);
        QFETCH(bool, outsideBlanks);
        const QRegularExpression fault(pattern);
        QVERIFY(fault.isValid());
        static const QRegularExpression blank(QStringLiteral("\\[[^\\]]*\\]"));
        QStringList found;
        int read = 0;
        for (int each : std::as_const(m_high)) {
            if (id != 0 && each != id)
                continue;
            const HighTemplate t = fetchHigh(each);
            QStringList texts{t.title.content};
            for (const HighTemplate::Block &block : t.blocks)
                for (const QList<SentencePair> &alternative : block)
                    for (const SentencePair &pair : alternative)
                        texts << pair.content;
            for (const SentencePair &pair : t.commonSentences)
                texts << pair.content;
            for (QString text : std::as_const(texts)) {
                ++read;
                if (outsideBlanks)
                    text.replace(blank, QStringLiteral("[]"));
                if (fault.match(text).hasMatch())
                    found << QStringLiteral("%1: %2").arg(each).arg(text);
            }
        }
        QVERIFY(read > 0);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    // The opinion and preference essays ask a question; their titles say so.
    void questionTitlesEndInAQuestionMark()
    {
        for (const int id : {105, 106}) {
            const QString title = fetchHigh(id).title.content.trimmed();
            QVERIFY2(title.endsWith(QLatin1Char('?')), qPrintable(title));
        }
    }

    void simpleTemplates()
    {
        QStringList faults;
        for (int id : std::as_const(m_low)) {
            LowTemplateDownloader downloader(host());
            QSignalSpy done(&downloader, &LowTemplateDownloader::signalGetTemplateFinished);
            QList<LowTemplateItem> items;
            downloader.getTemplate(id, &items);
            QVERIFY(done.wait(10000));
            QVERIFY2(!done.first().first().toString().trimmed().isEmpty(), qPrintable(QString::number(id)));
            QVERIFY(!items.isEmpty());
            for (const LowTemplateItem &item : std::as_const(items)) {
                const QByteArray document = download(item.fileUrl);
                const QByteArray cover = download(item.imageUrl);
                QVERIFY2(document.startsWith("PK\x03\x04"), qPrintable(item.fileUrl));
                QVERIFY2(cover.startsWith("\x89PNG"), qPrintable(item.imageUrl));
                QVERIFY(!item.blanks.isEmpty());
                // The documents are stored uncompressed, so every blank and its bookmark
                // can be seen in the bytes.
                for (const QString &blank : item.blanks)
                    QVERIFY2(document.contains(blank.toUtf8()), qPrintable(item.title + QLatin1Char(' ') + blank));
                QVERIFY(document.contains("w:bookmarkStart"));
                if (document.contains("Beijing University")) // the school is Peking University
                    faults << item.title + QStringLiteral(": Beijing University");
                checkRun(item.title, documentSentences(document), &faults);
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("\n") + faults.join(QLatin1Char('\n'))));
    }

    void noShippedFileIsRejected()
    {
        // The routes' library logged nothing: every shipped file parsed.
        PennovaTemplates::TemplateLibrary library(m_server.dataDir() + "/templates", std::chrono::milliseconds(0),
                                                  [](const std::string &) {});
        QVERIFY2(library.errors().empty(), library.errors().empty() ? "" : library.errors().front().c_str());
    }
};

QTEST_GUILESS_MAIN(TestTemplateContent)
#include "tst_templatecontent.moc"
