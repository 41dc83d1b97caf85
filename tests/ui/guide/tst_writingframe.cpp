// The template editor: loading blocks and key words, replacing a block through its
// alternatives (and remembering the choice), key words edited in place or in the
// key-word window changing every occurrence in both languages, deleting sentences and
// blocks, dropping common sentences before, on and after a sentence, and searching the
// panel; the preview text and the short forms of keys and blanks.

#include "highguideframe.h"
#include "hoverpushbutton.h"
#include "keywordwindow.h"
#include "lowguideframe.h"
#include "writingblockrange.h"
#include "writingframe.h"
#include "writingtexteditor.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace ZeltraLib;

namespace {
const QString Name = QStringLiteral("[姓名，如 Li Hua]");
const QString Town = QStringLiteral("[城市，如 Wuhan]");

SentencePair pair(const QString &en, const QString &zh)
{
    return {en, zh};
}

// Title, a greeting with one wording, a body with three, a closing of a sentence and
// a paragraph mark.
HighTemplate sample()
{
    HighTemplate t;
    t.catId = 77;
    t.title = pair(QStringLiteral("A Letter from ") + Name, QStringLiteral("来自") + Name + QStringLiteral("的信"));
    t.blocks.append(HighTemplate::Block{{pair(QStringLiteral("Dear ") + Name + QStringLiteral(","), QStringLiteral("亲爱的") + Name + QStringLiteral("："))}});
    t.blocks.append(HighTemplate::Block{
        {pair(QStringLiteral("I live in ") + Town + QStringLiteral("."), QStringLiteral("我住在") + Town + QStringLiteral("。")),
         pair(QStringLiteral("It is a big city."), QStringLiteral("这是一座大城市。"))},
        {pair(QStringLiteral("My home is ") + Town + QStringLiteral("."), QStringLiteral("我家在") + Town + QStringLiteral("。"))},
        {pair(QStringLiteral("I grew up near the sea."), QStringLiteral("我在海边长大。"))}});
    t.blocks.append(HighTemplate::Block{{pair(QStringLiteral("Yours,\n"), QStringLiteral("你的，\n")), pair(Name, Name)}});
    t.commonSentences = {pair(QStringLiteral("Thank you for your letter."), QStringLiteral("谢谢你的来信。")),
                         pair(QStringLiteral("I <b>miss</b> you."), QStringLiteral("我想你。")),
                         pair(QStringLiteral("See you soon."), QStringLiteral("回头见。"))};
    return t;
}

// The document position in the middle of a sentence's English text.
int middleOf(const WritingSentenceRange *s)
{
    return (s->englishRange.selectionStart() + s->englishRange.selectionEnd()) / 2;
}
} // namespace

class TestWritingFrame : public QObject
{
    Q_OBJECT

    std::unique_ptr<WritingFrame> m_frame;
    WritingChoices::Map m_choices;
    HighTemplate m_template;
    QStringList m_events;

    WritingBlockRange *block(int i) const { return m_frame->blocks()[i].get(); }

private slots:
    void init()
    {
        m_frame = std::make_unique<WritingFrame>();
        m_frame->setDelays(0, 0);
        m_choices.clear();
        m_events.clear();
        m_frame->setChoices(&m_choices);
        m_frame->setEventLog([this](const QString &e) { m_events << e; });
        m_frame->resize(1000, 600);
        m_frame->show();
        m_template = sample();
        m_frame->setTemplate(&m_template);
    }

    void loadsBlocksAndKeyWords()
    {
        QCOMPARE(m_frame->blocks().size(), std::size_t(4));
        QVERIFY(!block(0)->button);                 // the title cannot be replaced
        QVERIFY(!block(1)->button->isEnabled());    // one wording only
        QVERIFY(block(2)->button->isEnabled());
        // Each button shows in the view's right margin, level with its block's first line.
        const QRect viewport = m_frame->englishView()->viewport()->geometry();
        QVERIFY(block(2)->button->isVisible());
        QVERIFY(block(2)->button->geometry().left() >= viewport.right());
        QVERIFY(block(2)->button->geometry().top() > block(1)->button->geometry().top());
        QCOMPARE(m_frame->englishText(), QStringLiteral("A Letter from [姓名，如 Li Hua]\nDear [姓名，如 Li Hua],\n"
                                                        "I live in [城市，如 Wuhan]. It is a big city.\nYours,\n[姓名，如 Li Hua]"));
        QCOMPARE(m_frame->keyWordWindow()->keys(), (QStringList{Name, Town}));
        QVERIFY(!m_frame->allFilled());
        QVERIFY(!m_frame->hasAnyValue());
        QCOMPARE(m_frame->commonLabels().size(), 3);
        // Key words are blue in both views.
        const KeywordRange &k = block(2)->sentences[0]->translationKeywords.first();
        QCOMPARE(k.range.selectedText(), Town);
        QCOMPARE(k.range.charFormat().foreground().color(), QColor(QStringLiteral("#0000FF")));
    }

    void replacingCyclesAndRemembers()
    {
        m_frame->keyWordWindow()->field(Town)->setText(QStringLiteral("Xi'an"));
        m_frame->slotKeyWordEditChanged(Town, QStringLiteral("Xi'an"));
        QList<int> seen;
        for (int i = 0; i < 4; ++i) {
            block(2)->button->click();
            seen << block(2)->current;
            const QList<qint32> stored{0, qint32(block(2)->current), 0}; // every replaceable block
            QCOMPARE(m_choices.value(77), stored);
        }
        QCOMPARE(seen, (QList<int>{1, 2, 0, 1}));
        // The known value shows in the new wording, and the translation follows.
        QVERIFY(m_frame->englishText().contains(QStringLiteral("My home is Xi'an.")));
        QVERIFY(m_frame->translationText().contains(QStringLiteral("我家在Xi'an。")));
        QVERIFY(!m_frame->englishText().contains(QStringLiteral("big city")));
        QCOMPARE(m_events.count(QStringLiteral("Writing_High_Replace")), 4);
        // A template whose block has no sentence of that wording any more drops the key.
        block(2)->button->click(); // -> 2: "I grew up near the sea."
        QCOMPARE(m_frame->keyWordWindow()->keys(), QStringList{Name});
        QVERIFY(!m_frame->keywordValues().contains(Town));
    }

    void storedChoiceIsUsedOnLoad_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("valid choice") << 2 << QStringLiteral("I grew up near the sea.");
        QTest::newRow("out of range") << 5 << QStringLiteral("It is a big city.");
        QTest::newRow("negative") << -1 << QStringLiteral("It is a big city.");
    }

    void storedChoiceIsUsedOnLoad()
    {
        QFETCH(int, stored);
        QFETCH(QString, shown);
        m_choices.insert(77, {0, stored, 0});
        m_frame->setTemplate(&m_template);
        QVERIFY(m_frame->englishText().contains(shown));
        QVERIFY(HighGuideFrame::previewText(m_template, {0, stored}).contains(shown));
    }

    void previewPutsTheChineseUnderEachParagraph()
    {
        QCOMPARE(HighGuideFrame::previewText(m_template, {}),
                 QStringLiteral("A Letter from [姓名，如 Li Hua]\n来自[姓名，如 Li Hua]的信\n\n"
                                "Dear [姓名，如 Li Hua],\n亲爱的[姓名，如 Li Hua]：\n\n"
                                "I live in [城市，如 Wuhan]. It is a big city.\n我住在[城市，如 Wuhan]。这是一座大城市。\n\n"
                                "Yours,\n你的，\n\n[姓名，如 Li Hua]\n[姓名，如 Li Hua]\n\n"));
    }

    void keyWordEditedInPlaceChangesEverywhere()
    {
        WritingTextEditor *editor = m_frame->englishView();
        const KeywordRange &k = block(1)->sentences[0]->englishKeywords.first();
        QVERIFY(editor->editKeyWordAt(k.range.selectionStart() + 1));
        QVERIFY(editor->inlineEdit()->isVisible());
        QCOMPARE(editor->inlineEdit()->text(), QString()); // still the key: nothing to edit
        editor->inlineEdit()->setText(QStringLiteral("  王小明  "));
        editor->slotLineEditFinished();
        QVERIFY(!editor->inlineEdit()->isVisible());
        QCOMPARE(m_frame->keywordValues().value(Name), QStringLiteral("王小明"));
        QCOMPARE(m_frame->englishText().count(QStringLiteral("王小明")), 3);
        QCOMPARE(m_frame->translationText().count(QStringLiteral("王小明")), 3);
        QCOMPARE(m_frame->keyWordWindow()->value(Name), QStringLiteral("王小明"));
        QVERIFY(m_events.contains(QStringLiteral("Writing_High_Direct_Edit")));
        // Editing again starts from the value; clearing it brings the key back everywhere.
        QVERIFY(editor->editKeyWordAt(block(0)->sentences[0]->englishKeywords.first().range.selectionStart()));
        QCOMPARE(editor->inlineEdit()->text(), QStringLiteral("王小明"));
        editor->inlineEdit()->setText(QStringLiteral("   "));
        editor->slotLineEditFinished();
        QCOMPARE(m_frame->englishText().count(Name), 3);
        QCOMPARE(m_frame->translationText().count(Name), 3);
        QVERIFY(!m_frame->hasAnyValue());
        // Outside any key word nothing is edited.
        QVERIFY(!editor->editKeyWordAt(middleOf(block(2)->sentences[1].get())));
    }

    void windowFillsEveryKey()
    {
        m_frame->slotKeyWordEditChanged(Name, QStringLiteral("Tom"));
        m_frame->slotKeyWordEditChanged(Town, QStringLiteral("Chengdu"));
        QVERIFY(m_frame->allFilled());
        QCOMPARE(m_frame->englishText(), QStringLiteral("A Letter from Tom\nDear Tom,\nI live in Chengdu. It is a big city.\nYours,\nTom"));
        QSignalSpy copied(m_frame.get(), &WritingFrame::signalCopyTo);
        m_frame->findChild<QPushButton *>(QStringLiteral("pb_improve"))->click();
        QCOMPARE(copied.size(), 1);
        QCOMPARE(copied.first().at(0).toBool(), false);
        QCOMPARE(copied.first().at(1).toString(), m_frame->englishText());
    }

    void deletingSentencesAndBlocks()
    {
        // A block with two real sentences loses just the sentence.
        m_frame->deleteSentence(block(2)->sentences[1].get());
        QCOMPARE(m_frame->englishText(), QStringLiteral("A Letter from [姓名，如 Li Hua]\nDear [姓名，如 Li Hua],\n"
                                                        "I live in [城市，如 Wuhan].\nYours,\n[姓名，如 Li Hua]"));
        QCOMPARE(m_frame->commonSentences().last().content, QStringLiteral("It is a big city."));
        // Deleting the only real sentence removes the block and its paragraph break.
        m_frame->deleteSentence(block(2)->sentences[0].get());
        QCOMPARE(m_frame->blocks().size(), std::size_t(3));
        QCOMPARE(m_frame->englishText(), QStringLiteral("A Letter from [姓名，如 Li Hua]\nDear [姓名，如 Li Hua],\nYours,\n[姓名，如 Li Hua]"));
        QCOMPARE(m_frame->translationText(), QStringLiteral("来自[姓名，如 Li Hua]的信\n亲爱的[姓名，如 Li Hua]：\n你的，\n[姓名，如 Li Hua]"));
        QCOMPARE(m_frame->keyWordWindow()->keys(), QStringList{Name});
    }

    void deletedSentenceIsListedOnce()
    {
        m_template.commonSentences.append(pair(QStringLiteral("It is a big city."), QStringLiteral("这是一座大城市。")));
        m_frame->setTemplate(&m_template);
        QCOMPARE(m_frame->commonLabels().size(), 4);
        m_frame->deleteSentence(block(2)->sentences[1].get());
        QCOMPARE(m_frame->commonLabels().size(), 4);
        QVERIFY(!m_frame->englishText().contains(QStringLiteral("big city")));
    }

    void dropping_data()
    {
        QTest::addColumn<int>("offset"); // from the target's start; -1: from its end
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("translation");
        QTest::newRow("within two of the start: before") << 2 << QStringLiteral("See you soon. I live in [城市，如 Wuhan]. It is a big city.")
                                                          << QStringLiteral("回头见。我住在[城市，如 Wuhan]。这是一座大城市。");
        QTest::newRow("in the middle: replaces") << 8 << QStringLiteral("See you soon. It is a big city.")
                                                 << QStringLiteral("回头见。这是一座大城市。");
        QTest::newRow("within two of the end: after") << -1 << QStringLiteral("I live in [城市，如 Wuhan]. See you soon. It is a big city.")
                                                      << QStringLiteral("我住在[城市，如 Wuhan]。回头见。这是一座大城市。");
    }

    void dropping()
    {
        QFETCH(int, offset);
        QFETCH(QString, english);
        QFETCH(QString, translation);
        const WritingSentenceRange *target = block(2)->sentences[0].get();
        const int position = offset >= 0 ? target->englishRange.selectionStart() + offset : target->englishRange.selectionEnd() - 1;
        QVERIFY(m_frame->dropCommonSentence(2, position));
        QCOMPARE(m_frame->englishText().split(QLatin1Char('\n')).at(2), english);
        QCOMPARE(m_frame->translationText().split(QLatin1Char('\n')).at(2), translation);
        // The dropped sentence leaves the panel; a replaced one joins it.
        QCOMPARE(m_frame->commonLabels().size(), offset == 8 ? 3 : 2);
        QCOMPARE(m_frame->commonSentences().last().content,
                 offset == 8 ? QStringLiteral("I live in [城市，如 Wuhan].") : QStringLiteral("I <b>miss</b> you."));
        QCOMPARE(m_frame->keyWordWindow()->keys().contains(Town), offset != 8);
        // The new sentence is a real sentence of the block: it can be deleted again.
        m_frame->deleteSentence(block(2)->sentences[offset == -1 ? 1 : 0].get());
        QVERIFY(!m_frame->englishText().contains(QStringLiteral("See you soon.")));
    }

    void badDropsAreIgnored()
    {
        const QString before = m_frame->englishText();
        QVERIFY(!m_frame->dropCommonSentence(7, middleOf(block(2)->sentences[0].get())));   // no such sentence
        QVERIFY(!m_frame->dropCommonSentence(-1, middleOf(block(2)->sentences[0].get())));
        QVERIFY(!m_frame->dropCommonSentence(0, middleOf(block(0)->sentences[0].get())));   // the title
        QVERIFY(!m_frame->dropCommonSentence(0, block(3)->sentences[0]->englishRange.selectionStart() + 2)); // paragraph mark
        QCOMPARE(m_frame->englishText(), before);
        QCOMPARE(m_frame->commonLabels().size(), 3);
    }

    void searchingThePanel()
    {
        m_frame->slotCommonSearchTextChanged(QStringLiteral("YOU"));
        const QList<QLabel *> labels = m_frame->commonLabels();
        QVERIFY(labels[0]->isVisible() && labels[1]->isVisible() && labels[2]->isVisible());
        QCOMPARE(labels[2]->text().count(QStringLiteral("background-color:#ffae00")), 1);
        // The sentence's own "<b>" stays text.
        QVERIFY(labels[1]->text().contains(QStringLiteral("&lt;b&gt;miss&lt;/b&gt;")));
        m_frame->slotCommonSearchTextChanged(QStringLiteral("回头"));
        QVERIFY(!labels[0]->isVisible() && labels[2]->isVisible());
        m_frame->slotCommonSearchTextChanged(QString());
        QVERIFY(labels[0]->isVisible());
        QCOMPARE(labels[0]->text(), QStringLiteral("Thank you for your letter.\n谢谢你的来信。"));
    }

    void repeatedLabelsAreNumbered()
    {
        KeyWordWindow window;
        window.setKeys({QStringLiteral("[原因，如 a]"), QStringLiteral("[原因，如 b]"), Name}, {});
        const QList<QLabel *> labels = window.findChildren<QLabel *>();
        QStringList texts;
        for (QLabel *l : labels)
            if (!l->toolTip().isEmpty())
                texts << l->text();
        QCOMPARE(texts, (QStringList{QStringLiteral("原因（1）"), QStringLiteral("原因（2）"), QStringLiteral("姓名")}));
    }

    void shortForms_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("blank");
        QTest::newRow("two characters and a hint") << QStringLiteral("[姓名，如 Li Hua]") << QStringLiteral("姓名") << QStringLiteral("姓名");
        QTest::newRow("long without comma") << QStringLiteral("[abcdefghijkl]") << QStringLiteral("abcdefghij...") << QStringLiteral("abcdefg...");
        QTest::newRow("comma first stays") << QStringLiteral("[，如 x]") << QStringLiteral("，如 x") << QStringLiteral("，如 x");
    }

    void shortForms()
    {
        QFETCH(QString, key);
        QFETCH(QString, window);
        QFETCH(QString, blank);
        QCOMPARE(KeyWordWindow::shortForm(key), window);
        QCOMPARE(LowGuideFrame::shortForm(key), blank);
    }
};

QTEST_MAIN(TestWritingFrame)
#include "tst_writingframe.moc"
