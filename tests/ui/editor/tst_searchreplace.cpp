// Search and replace: the two windows and the main window's work on the document.

#include "support/editorfixture.h"

#include "completionlabel.h"
#include "correctionitem.h"
#include "custommessagebox.h"
#include "customtexteditor.h"
#include "globalstores.h"
#include "mainwindow.h"
#include "polishmode.h"
#include "replacewindow.h"
#include "searchwindow.h"
#include "sentenceentry.h"
#include "textsearch.h"
#include "useraccess.h"
#include "userinformation.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace ZeltraLib;

namespace {

const QString Wrapped = QStringLiteral("已搜索到文档结尾，从开头继续搜索");
const QString WrappedUp = QStringLiteral("已搜索到文档开头，从结尾继续搜索");

// The controls of `window` that its completion line covers, by their texts.
QStringList coveredControls(QWidget *window)
{
    QStringList covered;
    const auto lines = window->findChildren<CompletionLabel *>();
    for (const CompletionLabel *line : lines) {
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (!control->isVisible() || !control->isEnabled() || control == line
                || !(qobject_cast<QAbstractButton *>(control) || qobject_cast<QLineEdit *>(control)
                     || qobject_cast<QGroupBox *>(control)))
                continue;
            const QRect where(control->mapTo(window, QPoint(0, 0)), control->size());
            if (where.intersects(line->geometry()))
                covered << control->objectName() + QLatin1Char(':') + control->property("text").toString()
                                 + control->property("title").toString();
        }
    }
    return covered;
}

} // namespace

class SearchReplaceTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<ConfigStore> m_prefs;
    std::unique_ptr<ConfigStore> m_tips;
    std::unique_ptr<UserAccess> m_access;
    std::unique_ptr<UserInformation> m_usage;
    std::unique_ptr<MainWindow> m_window;

    CustomTextEditor *editor() const { return m_window->editor(); }

    ReplaceWindow *openReplace(const QString &find, const QString &with, bool caseSensitive = false)
    {
        m_window->slotDisplayReplaceWnd();
        ReplaceWindow *wnd = m_window->replaceWindow();
        if (!wnd)
            return nullptr;
        wnd->searchEdit()->setText(find);
        wnd->replaceEdit()->setText(with);
        wnd->caseBox()->setChecked(caseSensitive);
        return wnd;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        CustomMessageBox::setAutoAnswer([](CustomMessageBox &) { return int(QDialog::Rejected); });
    }
    void cleanupTestCase() { CustomMessageBox::setAutoAnswer({}); }

    void init()
    {
        m_prefs = makePreferences(m_dir);
        QFile::remove(m_dir.filePath(QStringLiteral("setting.ini")));
        m_tips = std::make_unique<ConfigStore>(m_dir.path(), QStringLiteral("setting.ini"));
        m_access = std::make_unique<UserAccess>(QStringLiteral("127.0.0.1:1"));
        m_usage = std::make_unique<UserInformation>(QStringLiteral("127.0.0.1:1"));
        setPolishMode(false);
        MainWindowServices services{*m_prefs, *m_tips, *m_access, *m_usage, QStringLiteral("127.0.0.1:1"),
                                    QStringLiteral("127.0.0.1:1"), m_dir.filePath(QStringLiteral("none.dat"))};
        services.pingIntervalMs = 0;
        m_window = std::make_unique<MainWindow>(services);
        m_window->show();
    }
    void cleanup() { m_window.reset(); }

    // Opened from the essay, the window takes the keys: the search text goes into its field,
    // not into the essay behind it.
    void typingGoesToTheSearchField_data()
    {
        QTest::addColumn<bool>("replace");
        QTest::newRow("查找") << false;
        QTest::newRow("替换") << true;
    }
    void typingGoesToTheSearchField()
    {
        QFETCH(bool, replace);
        const QString essay = QStringLiteral("An essay about zebras.");
        m_window->editor()->setPlainText(essay);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_window->editor()->setFocus();
        (replace ? m_window->replaceAction() : m_window->searchAction())->trigger();
        QLineEdit *field = replace ? m_window->replaceWindow()->searchEdit() : m_window->searchWindow()->searchEdit();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("zebra"));
        QCOMPARE(field->text(), QStringLiteral("zebra"));
        QCOMPARE(m_window->editor()->toPlainText(), essay);
    }

    // At most one window; closing it frees the place; the buttons wait for a search text.
    void oneWindowAtATime()
    {
        m_window->searchAction()->trigger();
        QPointer<SearchWindow> search = m_window->searchWindow();
        QVERIFY(search);
        QVERIFY(!search->findButton()->isEnabled());
        search->searchEdit()->setText(QStringLiteral("x"));
        QVERIFY(search->findButton()->isEnabled());
        m_window->slotDisplaySearchWnd();
        m_window->replaceAction()->trigger();
        QCOMPARE(m_window->searchWindow(), search.data());
        QVERIFY(!m_window->replaceWindow());
        QCOMPARE(m_window->findChildren<SearchWindow *>().size(), 1);
        search->slotClose();
        QTRY_VERIFY(!search);
        QVERIFY(!m_window->searchWindow());

        ReplaceWindow *replace = openReplace(QString(), QString());
        QVERIFY(replace);
        for (int code = 0; code < 3; ++code)
            QVERIFY(!replace->button(ReplaceWindow::Code(code))->isEnabled());
        replace->searchEdit()->setText(QStringLiteral("a"));
        for (int code = 0; code < 3; ++code)
            QVERIFY(replace->button(ReplaceWindow::Code(code))->isEnabled());
        // Ctrl+F while the replace window is open does nothing.
        m_window->searchAction()->trigger();
        QVERIFY(!m_window->searchWindow());
    }

    void search_data()
    {
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("down");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QList<int>>("hits");      // selection starts, -1: none
        QTest::addColumn<QStringList>("messages"); // the completion line after each search
        const QString done = QStringLiteral("已完成对文档的搜索");
        QTest::newRow("down, any case: past the last hit it wraps and says so")
            << false << true << 0 << "über" << QList<int>{0, 12, 23, 0} << QStringList{"", "", "", Wrapped};
        QTest::newRow("down, case-sensitive") << true << true << 0 << "über" << QList<int>{12, 12}
                                              << QStringList{"", Wrapped};
        QTest::newRow("down from the end wraps") << false << true << 32 << "über" << QList<int>{0, 12}
                                                 << QStringList{Wrapped, ""};
        QTest::newRow("up from the end") << false << false << 32 << "über" << QList<int>{23, 12, 0, 23}
                                         << QStringList{"", "", "", WrappedUp};
        QTest::newRow("text not in the document") << false << true << 5 << "xyz" << QList<int>{-1, -1}
                                                  << QStringList{done, done};
    }
    void search()
    {
        QFETCH(bool, caseSensitive);
        QFETCH(bool, down);
        QFETCH(int, caret);
        QFETCH(QString, needle);
        QFETCH(QList<int>, hits);
        QFETCH(QStringList, messages);
        // "Über" makes the offsets count UTF-16 units of non-ASCII text.
        editor()->setPlainText(QStringLiteral("Über alles; über dies; ÜBER all."));
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(caret);
        editor()->setTextCursor(tc);
        m_window->slotDisplaySearchWnd();
        SearchWindow *wnd = m_window->searchWindow();
        wnd->searchEdit()->setText(needle);
        wnd->caseBox()->setChecked(caseSensitive);
        (down ? wnd->downButton() : wnd->upButton())->setChecked(true);
        for (qsizetype i = 0; i < hits.size(); ++i) {
            QTest::mouseClick(wnd->findButton(), Qt::LeftButton);
            if (hits.at(i) < 0) {
                QCOMPARE(editor()->textCursor().position(), caret);
            } else {
                QCOMPARE(editor()->textCursor().selectionStart(), hits.at(i));
                QCOMPARE(editor()->textCursor().selectedText().toLower(), needle);
            }
            QCOMPARE(wnd->completionText(), messages.at(i));
            QCOMPARE(coveredControls(wnd), QStringList());
        }
    }

    // "替换" replaces a selection equal but for case, then selects the next occurrence;
    // at the end the window says so on the line of its code.
    void replaceOneByOne()
    {
        editor()->setPlainText(QStringLiteral("Cat cat CAT."));
        ReplaceWindow *wnd = openReplace(QStringLiteral("cat"), QStringLiteral("dog"));
        QTest::mouseClick(wnd->button(ReplaceWindow::FindNext), Qt::LeftButton);
        QCOMPARE(editor()->textCursor().selectedText(), QStringLiteral("Cat"));
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(wnd->button(ReplaceWindow::ReplaceOne), Qt::LeftButton);
        QCOMPARE(editor()->toPlainText(), QStringLiteral("dog dog dog."));
        QCOMPARE(wnd->completionText(), QStringLiteral("已完成对文档的替换"));
        QCOMPARE(coveredControls(wnd), QStringList());
        QTest::mouseClick(wnd->button(ReplaceWindow::FindNext), Qt::LeftButton);
        QCOMPARE(wnd->completionText(), QStringLiteral("已完成对文档的搜索"));
        QCOMPARE(coveredControls(wnd), QStringList());
        // The earlier lines are gone.
        QTRY_COMPARE(wnd->findChildren<CompletionLabel *>().size(), 1);
    }

    // "查找下一个" of the replace window goes on from the start past the last hit.
    void replaceWindowFindWraps()
    {
        editor()->setPlainText(QStringLiteral("cat dog cat"));
        QTextCursor tc = editor()->textCursor();
        tc.setPosition(9);
        editor()->setTextCursor(tc);
        ReplaceWindow *wnd = openReplace(QStringLiteral("cat"), QStringLiteral("x"));
        QTest::mouseClick(wnd->button(ReplaceWindow::FindNext), Qt::LeftButton);
        QCOMPARE(editor()->textCursor().selectionStart(), 0);
        QCOMPARE(wnd->completionText(), Wrapped);
    }

    // Both windows name the case option alike.
    void oneNameForTheCaseOption()
    {
        m_window->slotDisplaySearchWnd();
        const QString search = m_window->searchWindow()->caseBox()->text();
        m_window->searchWindow()->slotClose();
        QTRY_VERIFY(!m_window->searchWindow());
        ReplaceWindow *wnd = openReplace(QString(), QString());
        QVERIFY(wnd);
        QCOMPARE(wnd->caseBox()->text(), search);
        QCOMPARE(search, QStringLiteral("区分大小写"));
    }

    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("with");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<QString>("expected");
        QTest::newRow("replacement holds the search text: ends")
            << "a cat and a cat." << "cat" << "concatenate" << false << "a concatenate and a concatenate.";
        QTest::newRow("replacement is the search text doubled")
            << "aaa" << "a" << "aa" << false << "aaaaaa";
        QTest::newRow("empty replacement removes")
            << "xyxyx" << "x" << "" << false << "yy";
        QTest::newRow("case-sensitive leaves other case")
            << "The the THE" << "the" << "a" << true << "The a THE";
        QTest::newRow("non-ASCII") << "我们 über Über 我们" << "über" << "uber" << false << "我们 uber uber 我们";
        QTest::newRow("nothing found") << "abc" << "z" << "y" << false << "abc";
        QTest::newRow("across paragraphs") << "one cat\ntwo cat" << "cat" << "cats" << false << "one cats\ntwo cats";
    }
    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, with);
        QFETCH(bool, caseSensitive);
        QFETCH(QString, expected);
        editor()->setPlainText(text);
        ReplaceWindow *wnd = openReplace(find, with, caseSensitive);
        QSignalSpy changes(editor()->document(), &QTextDocument::contentsChange);
        QTest::mouseClick(wnd->button(ReplaceWindow::ReplaceAll), Qt::LeftButton);
        QCOMPARE(editor()->toPlainText(), expected);
        QCOMPARE(wnd->completionText(), QStringLiteral("全部替换完成"));
        QCOMPARE(coveredControls(wnd), QStringList());
        // One edit block: the document reports one change; one step undoes it all.
        QCOMPARE(changes.size(), expected == text ? 0 : 1);
        QCOMPARE(m_window->history().undoCount(), expected == text ? 0 : 1);
        m_window->slotUndo();
        QCOMPARE(editor()->toPlainText(), text);
        m_window->slotRedo();
        QCOMPARE(editor()->toPlainText(), expected);
    }
};

QTEST_MAIN(SearchReplaceTest)
#include "tst_searchreplace.moc"
