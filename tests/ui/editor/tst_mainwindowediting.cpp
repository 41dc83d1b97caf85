// Main window workflow after a check: focus and navigation, edits, undo, ignoring and
// accepting findings, preferences and modes, against a holding check service.

#include "support/mainwindowfixture.h"

using namespace ZeltraLib;

class MainWindowEditingTest : public QObject, public MainWindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { initCase(); }
    void init() { setUp(); }
    void cleanup() { tearDown(); }
    void cleanupTestCase() { cleanupCase(); }

    // ------------------------------------------------------------ focus and actions

    void navigationWalksTheListInOrder()
    {
        QVERIFY(checkStandardText());
        const QStringList order = {"Thsi", "tset", "the the", "go", "recieve", "letter", "freinds"};
        QCOMPARE(m_window->findings().size(), order.size());
        QCOMPARE(m_window->focusedFinding()->foundText(), order.first());
        QVERIFY(!m_window->form().prevButton->isEnabled());
        for (int i = 1; i < order.size(); ++i) {
            m_window->slotNextError();
            QCOMPARE(m_window->focusedFinding()->foundText(), order.at(i));
            QCOMPARE(m_window->panel()->shownFinding(), m_window->focusedFinding());
        }
        QVERIFY(!m_window->form().nextButton->isEnabled());
        QVERIFY(m_window->form().prevButton->isEnabled());
        m_window->slotPrevError();
        QCOMPARE(m_window->focusedFinding()->foundText(), order.at(order.size() - 2));
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Next")), order.size() - 1);
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Previous")), 1);
        // The caret leaving every finding clears the focus.
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(int(m_text.indexOf(QStringLiteral("school"))) + 2);
        editor()->setTextCursor(tc);
        QVERIFY(!m_window->focusedFinding());
    }

    void navigationWithoutFocusStartsAtTheCaret_data()
    {
        QTest::addColumn<int>("caret"); // outside every finding
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("reached"); // empty: nothing to go to
        QTest::addColumn<bool>("previousEnabled");
        QTest::addColumn<bool>("nextEnabled");
        const int inSchool = int(m_text.indexOf(QStringLiteral("school"))) + 2;
        const int atEnd = int(m_text.size());
        const int inIs = int(m_text.indexOf(QStringLiteral(" is "))) + 2;
        QTest::newRow("F4 goes to the first finding after the caret") << inSchool << true << "recieve" << true << true;
        QTest::newRow("F3 goes to the last finding before the caret") << inSchool << false << "go" << true << true;
        QTest::newRow("F4 after the last finding goes nowhere") << atEnd << true << "" << true << false;
        QTest::newRow("F3 after the last finding goes to it") << atEnd << false << "freinds" << true << false;
        QTest::newRow("F3 between the first two findings") << inIs << false << "Thsi" << true << true;
    }
    void navigationWithoutFocusStartsAtTheCaret()
    {
        QFETCH(int, caret);
        QFETCH(bool, forward);
        QFETCH(QString, reached);
        QFETCH(bool, previousEnabled);
        QFETCH(bool, nextEnabled);
        QVERIFY(checkStandardText());
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(caret);
        editor()->setTextCursor(tc);
        QVERIFY(!m_window->focusedFinding());
        QCOMPARE(m_window->form().prevButton->isEnabled(), previousEnabled);
        QCOMPARE(m_window->form().nextButton->isEnabled(), nextEnabled);
        if (forward)
            m_window->slotNextError();
        else
            m_window->slotPrevError();
        CorrectionItem *focused = m_window->focusedFinding();
        QCOMPARE(focused ? focused->foundText() : QString(), reached);
    }

    void wordCountFollowsTheText_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("words");
        QTest::newRow("typing") << "type" << 21;
        QTest::newRow("paste") << "paste" << 23;
        QTest::newRow("clear") << "clear" << 0;
        QTest::newRow("a correction") << "apply" << 19;
        QTest::newRow("undo of a correction") << "undo" << 20;
    }
    void wordCountFollowsTheText()
    {
        QFETCH(QString, action);
        QFETCH(int, words);
        QLabel *label = m_window->form().wordCountLabel;
        QVERIFY(checkStandardText());
        QTRY_COMPARE(label->text(), QStringLiteral("单词数：20"));
        QTextCursor end = editor()->textCursor();
        end.movePosition(QTextCursor::End);
        if (action == QLatin1String("type")) {
            editor()->setTextCursor(end);
            QTest::keyClicks(editor(), QStringLiteral(" More"));
        } else if (action == QLatin1String("paste")) {
            editor()->setTextCursor(end);
            m_window->slotOnPaste(QStringLiteral(" Three more words."));
        } else if (action == QLatin1String("clear")) {
            m_answers.insert(QStringLiteral("清除确认"), QDialog::Accepted);
            m_window->slotClear();
        } else {
            finding(QStringLiteral("the the"))->applyByIndex(0);
            if (action == QLatin1String("undo")) {
                QTRY_COMPARE(label->text(), QStringLiteral("单词数：19"));
                m_window->slotUndo();
            }
        }
        QTRY_COMPARE(label->text(), QStringLiteral("单词数：%1").arg(words));
    }

    void typingInsideAFindingRemovesIt()
    {
        QVERIFY(checkStandardText());
        CorrectionItem *go = finding(QStringLiteral("go"));
        QPointer<ClickableLabel> label = go->label();
        editor()->placeCaretAtFinding(go);
        QCOMPARE(m_window->focusedFinding(), go);
        QTest::keyClick(editor(), Qt::Key_X);
        QVERIFY(!finding(QStringLiteral("go")));
        QTRY_VERIFY(!label);
        QCOMPARE(m_window->findings().size(), 6);
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), 2);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("She xgo to")));
        // The others still cover their words.
        for (CorrectionItem *item : m_window->findings().items())
            QCOMPARE(item->currentText(), item->foundText());
        // Typing outside every finding keeps them all.
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(int(editor()->toPlainText().indexOf(QStringLiteral("school"))));
        editor()->setTextCursor(tc);
        QTest::keyClick(editor(), Qt::Key_A);
        QCOMPARE(m_window->findings().size(), 6);
        for (CorrectionItem *item : m_window->findings().items())
            QCOMPARE(item->currentText(), item->foundText());
    }

    void keys_data()
    {
        QTest::addColumn<QString>("useCtrl");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expectedText"); // of the "tset" finding's range
        QTest::addColumn<bool>("present");
        QTest::newRow("1 applies the first candidate") << "False" << int(Qt::Key_1) << 0 << "test" << true;
        QTest::newRow("2 applies the second candidate") << "False" << int(Qt::Key_2) << 0 << "set" << true;
        QTest::newRow("3 has no candidate, nothing happens") << "False" << int(Qt::Key_3) << 0 << "tset" << true;
        QTest::newRow("0 ignores") << "False" << int(Qt::Key_0) << 0 << "" << false;
        QTest::newRow("Ctrl+1 without use_ctrl is no action") << "False" << int(Qt::Key_1) << int(Qt::ControlModifier) << "tset" << true;
        QTest::newRow("Ctrl+1 with use_ctrl applies") << "True" << int(Qt::Key_1) << int(Qt::ControlModifier) << "test" << true;
        QTest::newRow("plain 1 with use_ctrl types and drops the finding") << "True" << int(Qt::Key_1) << 0 << "" << false;
    }
    void keys()
    {
        QFETCH(QString, useCtrl);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, expectedText);
        QFETCH(bool, present);
        m_prefs->setValue(QStringLiteral("use_ctrl"), useCtrl);
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        QVERIFY(checkStandardText());
        CorrectionItem *tset = finding(QStringLiteral("tset"));
        editor()->placeCaretAtFinding(tset);
        QCOMPARE(m_window->focusedFinding(), tset);
        QTest::keyClick(editor(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        CorrectionItem *after = finding(QStringLiteral("tset"));
        QCOMPARE(after != nullptr, present);
        if (present)
            QCOMPARE(after->currentText(), expectedText);
    }

    void f2RevertsAndUndoRedoFollow()
    {
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        QVERIFY(checkStandardText());
        CorrectionItem *tset = finding(QStringLiteral("tset"));
        editor()->placeCaretAtFinding(tset);
        QTest::keyClick(editor(), Qt::Key_2);
        QCOMPARE(tset->currentText(), QStringLiteral("set"));
        QTest::keyClick(editor(), Qt::Key_F2);
        QCOMPARE(tset->currentText(), QStringLiteral("tset"));
        QVERIFY(tset->isOpen());
        QCOMPARE(m_window->history().undoCount(), 2);
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(tset->currentText(), QStringLiteral("set"));
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(tset->currentText(), QStringLiteral("tset"));
        QVERIFY(!m_window->form().undoButton->isEnabled());
        QTest::keyClick(editor(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(tset->currentText(), QStringLiteral("set"));
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Undo")), 2);
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Redo")), 1);
        // A new action clears what could be redone.
        QVERIFY(m_window->form().redoButton->isEnabled());
        tset->applyByIndex(0);
        QVERIFY(!m_window->form().redoButton->isEnabled());
    }

    // Text that reaches a finding by any path discards it; no later action, undo or redo
    // writes over what was put there.
    void editsInsideAFindingSurviveLaterActions_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("input method commit") << "input method";
        QTest::newRow("paste") << "paste";
        QTest::newRow("program insert") << "insert";
    }
    void editsInsideAFindingSurviveLaterActions()
    {
        QFETCH(QString, how);
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        QVERIFY(checkStandardText());
        CorrectionItem *tset = finding(QStringLiteral("tset"));
        tset->applyByIndex(1); // "set"
        CorrectionItem *go = finding(QStringLiteral("go"));
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(go->start() + 1);
        editor()->setTextCursor(tc);
        if (how == "input method") {
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("去"));
            QApplication::sendEvent(editor(), &commit);
        } else if (how == "paste") {
            auto *data = new QMimeData;
            data->setText(QStringLiteral("去"));
            QApplication::clipboard()->setMimeData(data);
            editor()->paste();
        } else {
            tc.insertText(QStringLiteral("去"));
        }
        const QString typed = QStringLiteral("She g去o to school");
        QVERIFY(editor()->toPlainText().contains(typed));
        QVERIFY(!finding(QStringLiteral("go")));
        QCOMPARE(m_window->findings().size(), 6);
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), 2);
        // Actions on the other findings leave the edited word alone.
        finding(QStringLiteral("letter"))->applyByIndex(0);
        tset->correct(MenuItemRevert);
        QVERIFY(editor()->toPlainText().contains(typed));
        QVERIFY(editor()->toPlainText().startsWith(QStringLiteral("Thsi is a tset")));
        // Undo walks back revert, "letters", the edit, then "set"; redo forward again.
        m_window->slotUndo();
        QVERIFY(editor()->toPlainText().startsWith(QStringLiteral("Thsi is a set")));
        m_window->slotUndo();
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("many letter from")));
        QVERIFY(editor()->toPlainText().contains(typed));
        m_window->slotUndo();
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("She go to school")));
        m_window->slotRedo();
        QVERIFY(editor()->toPlainText().contains(typed));
        m_window->slotUndo();
        m_window->slotUndo();
        QCOMPARE(editor()->toPlainText(), m_text);
    }

    // Ctrl+Z and Ctrl+Y step through typing and finding actions in the order they were
    // done; the caret goes where the step acted.
    void undoFollowsTheOrderOfActions()
    {
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("True"));
        QVERIFY(checkStandardText());
        CorrectionItem *tset = finding(QStringLiteral("tset"));
        editor()->placeCaretAtFinding(tset);
        QTest::keyClick(editor(), Qt::Key_1); // "test", caret on to "the the"
        const int school = int(editor()->toPlainText().indexOf(QStringLiteral("school")));
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(school);
        editor()->setTextCursor(tc);
        QTest::keyClicks(editor(), QStringLiteral("my "));
        QTest::keyClick(editor(), Qt::Key_Backspace);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("to myschool")));

        // The Backspace, the typed word, then the correction.
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("to my school")));
        QCOMPARE(editor()->textCursor().position(), school + 3);
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("to school")));
        QCOMPARE(editor()->textCursor().position(), school);
        QVERIFY(tset->isApplied());
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor()->toPlainText(), m_text);
        QVERIFY(tset->isOpen());
        QCOMPARE(editor()->textCursor().position(), tset->start());
        QCOMPARE(m_window->focusedFinding(), tset);
        QVERIFY(!m_window->form().undoButton->isEnabled());

        QTest::keyClick(editor(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(tset->isApplied());
        QCOMPARE(m_window->focusedFinding(), tset); // not moved on by goto_next
        QTest::keyClick(editor(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("to my school")));
        QCOMPARE(editor()->textCursor().position(), school + 3);
        // Typing drops what could be redone.
        QTest::keyClick(editor(), Qt::Key_A);
        QVERIFY(!m_window->form().redoButton->isEnabled());
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("to my school")));
    }

    // Ignoring is a step of the history too: undo brings the finding back in place, with
    // its preview and count; redo ignores it again.
    void undoBringsAnIgnoredFindingBack()
    {
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        QVERIFY(checkStandardText());
        CorrectionItem *go = finding(QStringLiteral("go"));
        editor()->placeCaretAtFinding(go);
        QTest::keyClick(editor(), Qt::Key_0);
        QVERIFY(!finding(QStringLiteral("go")));
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), 2);
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(finding(QStringLiteral("go")), go);
        QCOMPARE(m_window->findings().size(), 7);
        QCOMPARE(m_window->statistics().count(CheckStatistics::Grammar), 3);
        QCOMPARE(m_window->focusedFinding(), go);
        QVERIFY(go->label() && go->label()->isVisible());
        QCOMPARE(go->currentText(), QStringLiteral("go"));
        QTest::keyClick(editor(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(!finding(QStringLiteral("go")));
        // Typed into while ignored: undoing the typing first, the ignore undoes as well.
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(int(editor()->toPlainText().indexOf(QStringLiteral("go to"))) + 1);
        editor()->setTextCursor(tc);
        QTest::keyClick(editor(), Qt::Key_X);
        QVERIFY(editor()->toPlainText().contains(QStringLiteral("gxo to")));
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!finding(QStringLiteral("go")));
        QTest::keyClick(editor(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(finding(QStringLiteral("go")), go);
        QCOMPARE(go->currentText(), QStringLiteral("go"));
    }

    // A shortcut chord types nothing, wherever the caret is.
    void chordsTypeNothing_data()
    {
        QTest::addColumn<int>("modifiers");
        QTest::newRow("alt") << int(Qt::AltModifier);
        QTest::newRow("alt+shift") << int(Qt::AltModifier | Qt::ShiftModifier);
        QTest::newRow("meta") << int(Qt::MetaModifier);
        QTest::newRow("ctrl+alt") << int(Qt::ControlModifier | Qt::AltModifier);
    }
    void chordsTypeNothing()
    {
        QFETCH(int, modifiers);
        QVERIFY(checkStandardText());
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(int(m_text.indexOf(QStringLiteral("school"))));
        editor()->setTextCursor(tc);
        QTest::keyClick(editor(), Qt::Key_Q, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(editor()->toPlainText(), m_text);
        QVERIFY(!m_window->form().undoButton->isEnabled());
    }

    // A small window keeps its size when a finding with many candidates gets the focus:
    // the panel's rows scroll.
    void manyCandidatesScrollInsteadOfGrowingTheWindow()
    {
        m_window->resize(660, 300); // as narrow as the window may be
        QTRY_COMPARE(m_window->height(), 300);
        const QSize small = m_window->size();
        editor()->setPlainText(QStringLiteral("Thsi is a tset of the text."));
        QVERIFY(runCheck({{0, QStringLiteral("tset"), "NONWORD", {"test", "set", "text", "tent", "best"}}}));
        QCOMPARE(m_window->focusedFinding(), finding(QStringLiteral("tset")));
        QCOMPARE(m_window->panel()->candidateRows().size(), 5);
        // The rows do not fit: they scroll, and the window stays as it was.
        QTRY_VERIFY(m_window->panel()->correctionScroll()->verticalScrollBar()->maximum() > 0);
        QCOMPARE(m_window->size(), small);
    }

    // Words written into the current sentence keep its highlight colour.
    void writtenWordsKeepTheSentenceHighlight_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("word"); // what the place holds afterwards
        QTest::newRow("corrected") << "apply" << "goes";
        QTest::newRow("reverted") << "revert" << "go";
        QTest::newRow("pasted") << "paste" << "often";
        QTest::newRow("undone") << "undo" << "go";
    }
    void writtenWordsKeepTheSentenceHighlight()
    {
        QFETCH(QString, how);
        QFETCH(QString, word);
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        QVERIFY(checkStandardText());
        CorrectionItem *go = finding(QStringLiteral("go"));
        editor()->placeCaretAtFinding(go);
        QCOMPARE(m_window->currentSentence(), m_window->sentences().at(1));
        if (how == "paste") {
            QTextCursor tc = editor()->textCursor();
            tc.setPosition(int(editor()->toPlainText().indexOf(QStringLiteral("school"))));
            editor()->setTextCursor(tc);
            m_window->slotOnPaste(QStringLiteral("often "));
        } else {
            go->applyByIndex(0);
            if (how == "revert")
                go->correct(MenuItemRevert);
            else if (how == "undo")
                m_window->slotUndo();
        }
        QCOMPARE(m_window->currentSentence(), m_window->sentences().at(1));
        const int at = int(editor()->toPlainText().indexOf(QLatin1Char(' ') + word + QLatin1Char(' '))) + 1;
        QVERIFY(at > 0);
        for (int i = 0; i < word.size(); ++i) {
            QTextCursor c(editor()->document());
            c.setPosition(at + i + 1);
            QCOMPARE(c.charFormat().foreground().color(), QColor(QStringLiteral("#8000B6")));
        }
    }

    // After a check, F4 and undo the focused finding is in view with its preview and a
    // line above and below, also once the statistics strip has taken its room.
    void focusedFindingIsShownWithContext()
    {
        m_prefs->setValue(QStringLiteral("goto_next"), QStringLiteral("False"));
        m_window->resize(900, 500);
        QString text;
        for (int i = 0; i < 12; ++i)
            text += QStringLiteral("Line %1 is fine.\n").arg(i);
        text += QStringLiteral("She go to school.\n");
        for (int i = 0; i < 30; ++i)
            text += QStringLiteral("More %1 is fine.\n").arg(i);
        text += QStringLiteral("We recieve letters.\n");
        editor()->setPlainText(text);
        QVERIFY(runCheck({{12, QStringLiteral("go"), "GRAMMAR", {"goes"}},
                          {43, QStringLiteral("recieve"), "NONWORD", {"receive"}}}));
        const auto inView = [this](CorrectionItem *item) {
            const QRect word = editor()->cursorRect(item->cursor());
            const int line = word.height() + editor()->lineGap();
            return m_window->focusedFinding() == item && word.top() - line >= 0
                && word.bottom() + editor()->lineGap() + line <= editor()->viewport()->height()
                && item->label() && item->label()->isVisible();
        };
        QTRY_VERIFY(m_window->statisticsStrip()->isVisible());
        QTRY_VERIFY(inView(finding(QStringLiteral("go"))));
        m_window->slotNextError();
        QVERIFY(inView(finding(QStringLiteral("recieve"))));
        finding(QStringLiteral("go"))->applyByIndex(0);
        editor()->verticalScrollBar()->setValue(editor()->verticalScrollBar()->maximum());
        m_window->slotUndo();
        QVERIFY(inView(finding(QStringLiteral("go"))));
    }

    void ignoreAll_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("same category and text only") << "teh"
            << QStringList{"Teh", "teh"};  // the grammar "teh" and the capitalised one stay
        QTest::newRow("capitalised text is its own") << "Teh" << QStringList{"teh", "teh", "teh", "teh"};
    }
    void ignoreAll()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, left);
        editor()->setPlainText(QStringLiteral("Teh cat saw teh dog and teh bird near teh tree by teh lake."));
        QVERIFY(runCheck({{0, QStringLiteral("Teh"), "NONWORD", {"The"}},
                          {0, QStringLiteral("teh"), "NONWORD", {"the"}, "REPLACE", 0},
                          {0, QStringLiteral("teh"), "NONWORD", {"the"}, "REPLACE", 1},
                          {0, QStringLiteral("teh"), "GRAMMAR", {"the"}, "REPLACE", 2},
                          {0, QStringLiteral("teh"), "NONWORD", {"the"}, "REPLACE", 3}}));
        QCOMPARE(m_window->findings().size(), 5);
        finding(target)->correct(MenuItemIgnoreAll);
        QStringList found;
        for (CorrectionItem *item : m_window->findings().items())
            found << item->foundText();
        QCOMPARE(found, left);
        QCOMPARE(m_window->statistics().total(), left.size());
        QCOMPARE(m_usage->eventCount(QStringLiteral("ContexMenu_IgnorSameError")), 1);
    }

    void addToDictionaryIgnoresAllAndFiltersLaterChecks()
    {
        QVERIFY(checkStandardText());
        finding(QStringLiteral("freinds"))->correct(MenuItemAddToDictionary);
        QVERIFY(!finding(QStringLiteral("freinds")));
        QVERIFY(m_usage->contains(QStringLiteral("freinds")));
        QCOMPARE(m_usage->newWords(), QStringList{QStringLiteral("freinds")});
        QCOMPARE(m_window->popup()->number(), 14);
        QVERIFY(runCheck(standardFindings()));
        QVERIFY(!finding(QStringLiteral("freinds")));
        QCOMPARE(m_window->findings().size(), 6);
    }

    // A spelling finding whose first candidate is not clearly ahead stays open.
    void acceptAllSkipsOpenChoices()
    {
        editor()->setPlainText(QStringLiteral("We need futher help and recieve letters."));
        QVERIFY(runCheck({{0, QStringLiteral("futher"), "NONWORD", {"father", "further"}, "REPLACE", 0, {0.67, 0.23}},
                          {0, QStringLiteral("recieve"), "NONWORD", {"receive", "relieve"}, "REPLACE", 0, {0.97, 0.01}}}));
        m_answers.insert(QStringLiteral("全部改正确认"), QDialog::Accepted);
        m_window->slotCorrectAll();
        QCOMPARE(editor()->toPlainText(), QStringLiteral("We need futher help and receive letters."));
        QVERIFY(finding(QStringLiteral("futher"))->isOpen());
    }

    void acceptAllThenUndoStepByStep()
    {
        QVERIFY(checkStandardText());
        m_answers.insert(QStringLiteral("全部改正确认"), QDialog::Accepted);
        m_window->slotCorrectAll();
        QCOMPARE(boxTitles(), QStringList{QStringLiteral("全部改正确认")});
        QCOMPARE(m_boxes.first().text, QStringLiteral("是否确认改正全部错误？"));
        const QString corrected = QStringLiteral("This is a test of the text. She goes to school every day. "
                                                 "We receive many letters from friends.");
        QCOMPARE(editor()->toPlainText(), corrected);
        QCOMPARE(m_window->history().undoCount(), 7);
        QCOMPARE(m_window->popup()->number(), 11);
        QVERIFY(!m_window->form().correctAllButton->isEnabled());
        // Spelling corrections went to the correction log.
        QCOMPARE(m_usage->errorLog().size(), 4);
        QCOMPARE(m_usage->errorLog().first(), qMakePair(QStringLiteral("Thsi"), QStringLiteral("This")));

        const QStringList order = {"freinds", "letter", "recieve", "go", "the the", "tset", "Thsi"};
        for (const QString &word : order) {
            m_window->slotUndo();
            QVERIFY2(finding(word)->isOpen(), qPrintable(word));
            QCOMPARE(finding(word)->currentText(), word);
            for (CorrectionItem *item : m_window->findings().items()) {
                if (order.indexOf(item->foundText()) > order.indexOf(word))
                    QVERIFY2(item->isApplied(), qPrintable(item->foundText()));
            }
        }
        QCOMPARE(editor()->toPlainText(), m_text);
        QVERIFY(m_usage->errorLog().isEmpty());
        QVERIFY(!m_window->form().undoButton->isEnabled());
        m_window->slotRedo();
        QVERIFY(finding(QStringLiteral("Thsi"))->isApplied());
        QVERIFY(finding(QStringLiteral("tset"))->isOpen());
    }

    void ignoringTheSentenceSuggestion()
    {
        editor()->setPlainText(QStringLiteral("Because the rain. We stayed home."));
        QVERIFY(runCheck({{0, QStringLiteral("Because the rain."), "SUGGESTION", {""}},
                          {1, QStringLiteral("stayed"), "STYLE", {"remained"}}}));
        QCOMPARE(m_window->statistics().count(CheckStatistics::Suggestion), 1);
        SentenceEntry *first = m_window->sentences().first();
        QVERIFY(first->lineWidget());
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(2);
        editor()->setTextCursor(tc);
        QCOMPARE(m_window->currentSentence(), first);
        QVERIFY(!m_window->focusedFinding());
        m_window->panel()->slotIgnor();
        QVERIFY(!first->hasSuggestion());
        QCOMPARE(m_window->statistics().count(CheckStatistics::Suggestion), 0);
        QCOMPARE(m_window->statisticsStrip()->countLabel(CheckStatistics::Suggestion)->text(),
                 QStringLiteral("句子不完整：0"));
    }

    // A change applied in the preferences shows at once through the one display refresh.
    void preferenceChangeShowsAtOnce_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("textChanged");
        QTest::addColumn<bool>("errorChanged");
        QTest::newRow("font") << "display_text_font" << "DejaVu Serif" << true << false;
        QTest::newRow("text colour") << "display_text_color" << "#336699" << true << false;
        QTest::newRow("sentence line colour") << "display_suggestion_color" << "#AA00AA" << false << true;
        QTest::newRow("sentence lines off") << "display_suggestion_enabled" << "False" << false << true;
        QTest::newRow("style colour") << "display_style_color" << "#123456" << false << true;
        QTest::newRow("hot key") << "hk_check_key" << "ctrl||K" << false << false;
        QTest::newRow("hot key off") << "hk_check_enabled" << "False" << false << false;
    }

    void preferenceChangeShowsAtOnce()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(bool, textChanged);
        QFETCH(bool, errorChanged);
        editor()->setPlainText(QStringLiteral("Because the rain. We stayed home."));
        QVERIFY(runCheck({{0, QStringLiteral("Because the rain."), "SUGGESTION", {""}},
                          {1, QStringLiteral("stayed"), "STYLE", {"remained"}}}));
        LineWidget *line = m_window->sentences().first()->lineWidget();
        QVERIFY(line);
        QVERIFY(finding(QStringLiteral("stayed")));
        QTextCursor styleAt(editor()->document());
        styleAt.setPosition(editor()->toPlainText().indexOf(QStringLiteral("stayed")) + 1);
        m_prefs->setValue(key, value);
        m_window->slotPreferChanged(textChanged, errorChanged);

        // A spot outside the highlighted sentence.
        QTextCursor at(editor()->document());
        const bool firstIsCurrent = m_window->currentSentence() == m_window->sentences().first();
        at.setPosition(editor()->toPlainText().indexOf(firstIsCurrent ? QStringLiteral("home") : QStringLiteral("rain")) + 1);
        const QAction *check = m_window->form().checkAction;
        if (key == QLatin1String("display_text_font"))
            QCOMPARE(editor()->font().family(), value);
        else if (key == QLatin1String("display_text_color"))
            QCOMPARE(at.charFormat().foreground().color(), QColor(value));
        else if (key == QLatin1String("display_suggestion_color"))
            QCOMPARE(line->color(), QColor(value));
        else if (key == QLatin1String("display_suggestion_enabled"))
            QVERIFY(line->isHidden());
        else if (key == QLatin1String("display_style_color"))
            QCOMPARE(styleAt.charFormat().underlineColor(), QColor(value));
        else if (key == QLatin1String("hk_check_key"))
            QCOMPARE(check->shortcut(), QKeySequence(QStringLiteral("Ctrl+K")));
        else
            QVERIFY(check->shortcut().isEmpty());
        if (key != QLatin1String("display_suggestion_enabled"))
            QVERIFY(!line->isHidden());
    }

    void pasteOverEverythingResets()
    {
        QVERIFY(checkStandardText());
        editor()->selectAll();
        m_window->slotOnPaste(QStringLiteral("Fresh text."));
        QCOMPARE(editor()->toPlainText(), QStringLiteral("Fresh text."));
        QVERIFY(m_window->findings().isEmpty());
        QVERIFY(m_window->sentences().isEmpty());
        QVERIFY(!m_window->statisticsStrip()->isVisible());
    }

    void copyAllAndClear()
    {
        QVERIFY(checkStandardText());
        QVERIFY(m_window->form().copyButton->isEnabled());
        m_window->slotCopyToClip();
        QCOMPARE(QApplication::clipboard()->text(), m_text);
        QCOMPARE(m_window->popup()->number(), 13);
        m_window->slotClear();
        QCOMPARE(editor()->toPlainText(), m_text); // box answered "返回"
        m_answers.insert(QStringLiteral("清除确认"), QDialog::Accepted);
        m_window->slotClear();
        QVERIFY(editor()->toPlainText().isEmpty());
        QVERIFY(m_window->findings().isEmpty());
        QVERIFY(!m_window->form().copyButton->isEnabled());
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Clear")), 2);
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_CopyAll")), 1);
    }

    void hidingACategory()
    {
        QVERIFY(checkStandardText());
        QCOMPARE(m_window->focusedFinding()->foundText(), QStringLiteral("Thsi"));
        m_prefs->setValue(QStringLiteral("display_spelling_enabled"), QStringLiteral("False"));
        m_window->slotPreferChanged(false, true);
        QVERIFY(!m_window->focusedFinding());
        for (CorrectionItem *item : m_window->findings().items()) {
            const bool spelling = item->category() == 1;
            QCOMPARE(item->isVisible(), !spelling);
            QCOMPARE(item->label()->isVisible(), !spelling);
        }
        QVERIFY(!m_window->statisticsStrip()->badge(CheckStatistics::Spelling)->isVisible());
        QVERIFY(m_window->statisticsStrip()->badge(CheckStatistics::Grammar)->isVisible());
        m_window->slotNextError();
        QCOMPARE(m_window->focusedFinding()->foundText(), QStringLiteral("the the"));
    }

    // ------------------------------------------------------------ modes

    void modeSwitchKeepsTheText()
    {
        QVERIFY(checkStandardText());
        m_window->leftSideBar()->polishModeButton()->click();
        QVERIFY(polishMode());
        QCOMPARE(editor()->toPlainText(), m_text);
        QVERIFY(m_window->findings().isEmpty());
        QVERIFY(m_window->sentences().isEmpty());
        QCOMPARE(m_prefs->value(QStringLiteral("Improve_mode")), QStringLiteral("True"));
        QVERIFY(m_window->form().improveButton->isVisible());
        QVERIFY(!m_window->form().checkButton->isVisible());
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Mode_Improve")), 1);

        // A polish check inserts everything the service sent when it ends.
        const QByteArray reply = encodeFrame(
            "[{\"sentInd\":1,\"corrections\":[{\"start\":17,\"end\":22,\"errorType\":\"IMPROVE\","
            "\"candidates\":[{\"correction\":\"daily\",\"candidateType\":\"REPLACE\"}]}]}]");
        QVERIFY(runCheck({}, reply));
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Improve_Check")), 1);
        QCOMPARE(m_window->findings().size(), 1);
        QCOMPARE(m_window->findings().at(0)->foundText(), QStringLiteral("every"));
        QVERIFY(!m_window->statisticsStrip()->isVisible());
        QVERIFY(m_window->form().improveAllButton->isEnabled());
        m_window->slotNextError();
        QCOMPARE(m_usage->eventCount(QStringLiteral("Main_Improve_Next")), 1);

        m_window->leftSideBar()->correctModeButton()->click();
        QVERIFY(!polishMode());
        QCOMPARE(editor()->toPlainText(), m_text);
        QVERIFY(m_window->findings().isEmpty());
        QCOMPARE(m_prefs->value(QStringLiteral("Improve_mode")), QStringLiteral("False"));
    }

    void savedModeIsRestored()
    {
        m_prefs->setValue(QStringLiteral("Improve_mode"), QStringLiteral("True"));
        makeWindow();
        QVERIFY(polishMode());
        QVERIFY(m_window->leftSideBar()->polishModeButton()->isChecked());
        QVERIFY(m_window->form().improveButton->isVisible());
    }
};

QTEST_MAIN(MainWindowEditingTest)
#include "tst_mainwindowediting.moc"
