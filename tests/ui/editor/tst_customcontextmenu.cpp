// The editor's right-click menu: its entries for each situation, the word it acts on,
// the synonym submenu, the actions and the pop-open animation.

#include "support/editorfixture.h"
#include "support/scriptedhttpserver.h"

#include "callbackobject.h"
#include "correctionitem.h"
#include "customaction.h"
#include "customcontextmenu.h"
#include "replaceaction.h"
#include "sentenceentry.h"
#include "userinformation.h"

#include <QSignalSpy>
#include <QTest>

using ZeltraLib::MenuItemType;
using ZeltraLib::UserInformation;

Q_DECLARE_METATYPE(ZeltraLib::MenuItemType)

namespace {
QStringList entryTexts(const QMenu &menu)
{
    QStringList texts;
    for (QAction *action : menu.actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    return texts;
}

QAction *entry(const QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}
} // namespace

class TestCustomContextMenu : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<CorrectionItem *>();
        qRegisterMetaType<MenuItemType>();
    }

    void entries_data()
    {
        QTest::addColumn<int>("state"); // 0 no check, 1 open finding, 2 applied finding, 3 plain word, 4 suggestion
        QTest::addColumn<bool>("useCtrl");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("revertEnabled");
        const QStringList tail{QStringLiteral("整句翻译"), QStringLiteral("快速搜索"), QStringLiteral("剪切"),
                               QStringLiteral("复制"), QStringLiteral("粘贴")};
        QTest::newRow("before any check only the clipboard")
            << 0 << false << QStringList{QStringLiteral("剪切"), QStringLiteral("复制"), QStringLiteral("粘贴")} << false;
        QTest::newRow("open spelling finding")
            << 1 << true
            << QStringList{QStringLiteral("freinds"), QStringLiteral("friends"), QStringLiteral("fiends"), QStringLiteral("撤销"),
                           QStringLiteral("忽略"), QStringLiteral("忽略同样错误"), QStringLiteral("加入我的词库")} + tail
            << false;
        QTest::newRow("applied finding offers replacement words")
            << 2 << false
            << QStringList{QStringLiteral("freinds"), QStringLiteral("friends"), QStringLiteral("fiends"), QStringLiteral("撤销"),
                           QStringLiteral("忽略"), QStringLiteral("可替换词"), QStringLiteral("查词")} + tail
            << true;
        QTest::newRow("plain word")
            << 3 << false << QStringList{QStringLiteral("可替换词"), QStringLiteral("查词")} + tail << false;
        QTest::newRow("sentence suggestion")
            << 4 << false
            << QStringList{QStringLiteral("撤销"), QStringLiteral("忽略"), QStringLiteral("可替换词"), QStringLiteral("查词")} + tail
            << false;
    }
    void entries()
    {
        QFETCH(int, state);
        QFETCH(bool, useCtrl);
        QFETCH(QStringList, texts);
        QFETCH(bool, revertEnabled);
        EditorFixture f;
        QVERIFY(f.load(QStringLiteral("我的 freinds are Kind people.")));
        CorrectionItem *item = nullptr;
        if (state == 1 || state == 2)
            item = f.addFinding(0, makeRecord("NONWORD", 3, 10, {"friends", "fiends"}));
        if (state == 2)
            item->applyByIndex(0);
        if (state == 4)
            f.sentences.first()->setSuggestion(makeRecord("SUGGESTION", 0, 5, {}));
        QTextCursor caret(f.editor->document());
        caret.setPosition(f.positionOf(QStringLiteral("Kind")) + 2);
        f.editor->setTextCursor(caret);
        CustomContextMenu menu(f.editor.get(), item, state == 0 ? nullptr : f.sentences.first(),
                               ContextMenuOptions{useCtrl, false, nullptr, {}});
        QCOMPARE(entryTexts(menu), texts);
        QCOMPARE(menu.synonymMenu() != nullptr, state >= 2);
        if (QAction *revert = entry(menu, QStringLiteral("撤销"))) {
            QCOMPARE(revert->isEnabled(), revertEnabled);
            QCOMPARE(revert->shortcut(), QKeySequence(QStringLiteral("F2")));
        }
        if (item) {
            const QList<CustomAction *> candidates = menu.findChildren<CustomAction *>();
            QCOMPARE(candidates.size(), 2);
            QCOMPARE(candidates.at(1)->index(), 1);
            QCOMPARE(candidates.at(1)->shortcut(), QKeySequence(useCtrl ? QStringLiteral("Ctrl+2") : QStringLiteral("2")));
            QCOMPARE(entry(menu, QStringLiteral("freinds"))->isEnabled(), state == 2);
        }
        // The word-level entries act on the applied word or on the word at the caret.
        if (state == 2)
            QCOMPARE(menu.targetRange().selectedText(), QStringLiteral("friends"));
        if (state == 3 || state == 4) {
            QCOMPARE(menu.targetRange().selectedText(), QStringLiteral("Kind"));
            QCOMPARE(f.editor->textCursor().selectedText(), QStringLiteral("Kind"));
        }
    }

    void wordRules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<bool>("oneWord");
        QTest::addColumn<QString>("wordAtStart");
        QTest::newRow("word after chinese and a space") << QStringLiteral("汉字 well-known day") << 3 << 13 << true << "well-known";
        QTest::newRow("part of a word") << QStringLiteral("wonderful day") << 0 << 6 << false << "wonderful";
        QTest::newRow("two words") << QStringLiteral("a good day") << 2 << 10 << false << "good";
        QTest::newRow("apostrophe inside") << QStringLiteral("it's fine") << 0 << 4 << false << "it";
        QTest::newRow("word at the end") << QStringLiteral("so long") << 3 << 7 << true << "long";
        QTest::newRow("accented letters") << QStringLiteral("un café noir") << 3 << 7 << true << "café";
        QTest::newRow("caret on a space") << QStringLiteral("a  b") << 2 << 2 << false << "";
    }
    void wordRules()
    {
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(bool, oneWord);
        QFETCH(QString, wordAtStart);
        QTextDocument document(text);
        QTextCursor selection(&document);
        selection.setPosition(start);
        selection.setPosition(end, QTextCursor::KeepAnchor);
        QCOMPARE(CustomContextMenu::isOneWord(selection), oneWord);
        QTextCursor caret(&document);
        caret.setPosition(start + 1 < end ? start + 1 : start);
        QCOMPARE(CustomContextMenu::wordAt(caret).selectedText(), wordAtStart);
    }

    void synonymsArriveForTheWord_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("capitalised word capitalises synonyms")
            << "Kind" << QByteArray("[\"gentle\",\"nice\"]") << QStringList{"Gentle", "Nice"};
        QTest::newRow("lower-case word keeps them") << "people" << QByteArray("[\"persons\",\"folk\"]") << QStringList{"persons", "folk"};
        QTest::newRow("empty answer disables the submenu") << "people" << QByteArray("[]") << QStringList{};
    }
    void synonymsArriveForTheWord()
    {
        QFETCH(QString, word);
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, shown);
        ScriptedHttpServer server(ScriptedHttpServer::HoldAll);
        QVERIFY(server.listen());
        EditorFixture f;
        QVERIFY(f.load(QStringLiteral("你好。 Dear 朋友, be Kind to people.")));
        SentenceEntry *sentence = f.sentences.last();
        QTextCursor caret(f.editor->document());
        caret.setPosition(f.positionOf(word) + 1);
        f.editor->setTextCursor(caret);
        CustomContextMenu menu(f.editor.get(), nullptr, sentence,
                               ContextMenuOptions{false, false, nullptr, QStringLiteral("127.0.0.1:%1").arg(server.port())});
        // Offsets within the sentence, in the same units as the sentence text.
        QCOMPARE(sentence->text().mid(menu.synonymStart(), menu.synonymEnd() - menu.synonymStart()), word);
        QSignalSpy arrived(&server, &ScriptedHttpServer::requestReceived);
        QVERIFY(server.requestCount() > 0 || arrived.wait());
        QCOMPARE(server.path(0), QByteArray("/syms/"));
        server.respond(0, reply);
        QTRY_COMPARE(menu.synonymMenu()->isEnabled(), !shown.isEmpty());
        QTRY_COMPARE(entryTexts(*menu.synonymMenu()), shown);
    }

    void replacingAFocusedFindingIgnoresItFirst()
    {
        EditorFixture f;
        QVERIFY(f.load(QStringLiteral("我的 freinds are kind.")));
        CorrectionItem *item = f.addFinding(0, makeRecord("NONWORD", 3, 10, {"friends"}));
        item->applyByIndex(0);
        UserInformation usage(QStringLiteral("127.0.0.1:1"));
        CustomContextMenu menu(f.editor.get(), item, f.sentences.first(), ContextMenuOptions{false, false, &usage, {}});
        QSignalSpy callbacks(&CallbackObject::instance(), &CallbackObject::signalCallback);
        menu.slotGetSynonym({QStringLiteral("pals")});
        auto *pals = qobject_cast<ReplaceAction *>(menu.synonymMenu()->actions().value(0));
        QVERIFY(pals);
        pals->trigger();
        QCOMPARE(callbacks.size(), 1);
        QCOMPARE(callbacks.at(0).at(1).value<MenuItemType>(), ZeltraLib::MenuItemIgnore);
        QCOMPARE(f.editor->toPlainText(), QStringLiteral("我的 pals are kind."));
        QCOMPARE(usage.eventCount(QStringLiteral("ContexMenu_Replace")), 1);
    }

    void lookUpsCarryTheirText_data()
    {
        QTest::addColumn<bool>("polish");
        QTest::newRow("correct mode") << false;
        QTest::newRow("polish mode") << true;
    }
    void lookUpsCarryTheirText()
    {
        QFETCH(bool, polish);
        EditorFixture f;
        QVERIFY(f.load(QStringLiteral("They are kind.")));
        QTextCursor caret(f.editor->document());
        caret.setPosition(f.positionOf(QStringLiteral("kind")));
        f.editor->setTextCursor(caret);
        UserInformation usage(QStringLiteral("127.0.0.1:1"));
        CustomContextMenu menu(f.editor.get(), nullptr, f.sentences.first(), ContextMenuOptions{false, polish, &usage, {}});
        QSignalSpy find(&menu, &CustomContextMenu::signalFindInDict);
        QSignalSpy translate(&menu, &CustomContextMenu::signalTranslate);
        entry(menu, QStringLiteral("查词"))->trigger();
        entry(menu, QStringLiteral("整句翻译"))->trigger();
        menu.slotCmpInDict(QStringLiteral("nice"));
        QCOMPARE(find.size(), 2);
        QCOMPARE(find.at(0), (QList<QVariant>{QStringLiteral("kind"), QString()}));
        QCOMPARE(find.at(1), (QList<QVariant>{QStringLiteral("kind"), QStringLiteral("nice")}));
        QCOMPARE(translate.at(0).at(0).toString(), f.sentences.first()->text());
        QCOMPARE(usage.eventCount(QStringLiteral("ContexMenu_SearchWord")), polish ? 0 : 1);
        QCOMPARE(usage.eventCount(QStringLiteral("ContexMenu_Improve_Translation")), polish ? 1 : 0);
        QCOMPARE(usage.eventCount(QStringLiteral("ContexMenu_CompareWord")), 1);
    }

    void popOpenScale_data()
    {
        QTest::addColumn<int>("frame");
        QTest::addColumn<double>("scale");
        QTest::newRow("first frame is half size") << 50 << 0.5;
        QTest::newRow("growing") << 109 << 1.09;
        QTest::newRow("largest") << 110 << 1.1;
        QTest::newRow("settles at full size") << 120 << 1.0;
        QTest::newRow("out of range is clamped") << 500 << 1.0;
    }
    void popOpenScale()
    {
        QFETCH(int, frame);
        QFETCH(double, scale);
        QCOMPARE(AnimationMenu::scaleOf(qBound(50, frame, 120)), scale);
        AnimationMenu menu;
        menu.setDuration(0);
        for (int i = 0; i < 5; ++i)
            menu.addAction(QStringLiteral("entry %1").arg(i));
        menu.popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        const QSize full = menu.fullSize();
        QVERIFY(full.width() > 0 && full.height() > 0);
        QCOMPARE(menu.size(), full);
        menu.showMenuEffect(frame);
        QCOMPARE(menu.width(), qRound(full.width() * scale));
        QCOMPARE(menu.height(), qRound(full.height() * scale));
    }
};

QTEST_MAIN(TestCustomContextMenu)
#include "tst_customcontextmenu.moc"
