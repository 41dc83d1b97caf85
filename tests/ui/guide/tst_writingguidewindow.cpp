// The writing guide window over shipped templates served by the template code of the
// server: the catalog tree and its filter, a detailed template's preview and editor, a
// simple template's page (documents, fields, cover) and its export, the questions on
// leaving and handing over, and writing.ini on closing.

#include "custommessagebox.h"
#include "highguideframe.h"
#include "keywordwindow.h"
#include "lowguideframe.h"
#include "support/templatehttpserver.h"
#include "titlebar.h"
#include "wordoperations.h"
#include "writingframe.h"
#include "writingtexteditor.h"
#include "writingguidewindow.h"

#include <pennovapaths.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtTest>

using namespace ZeltraLib;

class TestWritingGuideWindow : public QObject
{
    Q_OBJECT

    TemplateHttpServer m_server;
    QTemporaryDir m_dir;
    std::unique_ptr<WritingGuideWindow> m_guide;
    QStringList m_events;
    QStringList m_questions; // texts of the boxes shown
    int m_answer = QDialog::Accepted;

    QString choicesPath() const { return m_dir.filePath(QStringLiteral("writing.ini")); }

    QTreeWidgetItem *item(const QString &text) const
    {
        const auto found = m_guide->tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }

    QStringList visibleTemplates() const
    {
        QStringList out;
        for (QTreeWidgetItemIterator it(m_guide->tree()); *it; ++it)
            if (!(*it)->isHidden() && (*it)->childCount() == 0)
                out << (*it)->text(0);
        return out;
    }

    void select(const QString &text)
    {
        QTreeWidgetItem *i = item(text);
        QVERIFY(i);
        m_guide->tree()->setCurrentItem(i);
    }

    void openEditor()
    {
        select(QStringLiteral("邀请信"));
        QTRY_VERIFY(m_guide->highFrame()->nextButton()->isEnabled());
        m_guide->highFrame()->nextButton()->click();
        QVERIFY(m_guide->writingFrame()->isVisible());
    }

private slots:
    void initTestCase()
    {
        for (const char *file : {"101-cet-pros-cons.tpl", "206-letter-invitation.tpl", "701-leave-request-note.tpl",
                                 "304-email-meeting.tpl"})
            QVERIFY(m_server.serveShipped(QString::fromLatin1(file)));
        CustomMessageBox::setAutoAnswer([this](CustomMessageBox &box) {
            m_questions << box.text();
            return m_answer;
        });
    }

    void init()
    {
        m_events.clear();
        m_questions.clear();
        m_answer = QDialog::Accepted;
        m_guide = std::make_unique<WritingGuideWindow>(m_server.host(), nullptr, nullptr, nullptr, choicesPath());
        m_guide->setEventLog([this](const QString &e) { m_events << e; });
        m_guide->writingFrame()->setDelays(0, 0);
        m_guide->show();
        QTRY_VERIFY(m_guide->tree()->topLevelItemCount() > 0);
    }

    void cleanup() { m_guide.reset(); }

    void catalogTree()
    {
        QCOMPARE(m_guide->tree()->topLevelItemCount(), 3); // exams, letters, emails
        QTreeWidgetItem *letters = item(QStringLiteral("书信"));
        QVERIFY(letters && letters->isExpanded());
        QCOMPARE(letters->childCount(), 2);
        QVERIFY(m_guide->welcomePage()->isVisible());
        // Every name shows whole ("四六级议论文：利弊分析" was cut at the first width).
        QTreeWidget *tree = m_guide->tree();
        const auto widest = [tree] {
            int right = 0;
            for (QTreeWidgetItemIterator it(tree); *it; ++it)
                right = qMax(right, tree->visualItemRect(*it).left()
                                        + tree->sizeHintForIndex(tree->indexFromItem(*it)).width());
            return right;
        };
        QTRY_VERIFY2(tree->viewport()->width() >= widest(),
                     qPrintable(QStringLiteral("%1 < %2").arg(tree->viewport()->width()).arg(widest())));
        QVERIFY(m_guide->splitter()->sizes().first() <= m_guide->width() / 3);
    }

    // The guide's title bar wears the colours of every other window's title bar.
    void titleBarColours()
    {
        QWidget *bar = m_guide->findChild<QWidget *>(QStringLiteral("GuideTitleBar"));
        QVERIFY(bar);
        Titlebar reference;
        reference.resize(bar->width(), bar->height());
        const QImage ours = bar->grab().toImage();
        const QImage theirs = reference.grab().toImage();
        for (const int y : {1, bar->height() / 2, bar->height() - 2}) {
            const QColor a = ours.pixelColor(bar->width() / 2, y * ours.height() / bar->height());
            const QColor b = theirs.pixelColor(bar->width() / 2, y * theirs.height() / bar->height());
            QVERIFY2(qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) <= 12,
                     qPrintable(a.name() + QStringLiteral(" vs ") + b.name()));
        }
    }

    void filter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("shown");
        const QStringList all{QStringLiteral("四六级议论文：利弊分析"), QStringLiteral("邀请信"), QStringLiteral("请假条"),
                              QStringLiteral("邮件：约定小组会议")};
        QTest::newRow("spaces show everything") << QStringLiteral("   ") << all;
        QTest::newRow("English words after the bar, any case") << QStringLiteral("LETTER OF") << QStringList{QStringLiteral("邀请信")};
        QTest::newRow("Chinese short name") << QStringLiteral("请假") << QStringList{QStringLiteral("请假条")};
        QTest::newRow("a category's own name shows nothing") << QStringLiteral("Exam essays") << QStringList();
        QTest::newRow("nothing matches") << QStringLiteral("zzz") << QStringList();
    }

    void filter()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, shown);
        m_guide->filter()->setText(text);
        QCOMPARE(visibleTemplates(), shown);
        for (const QString &name : shown) // with the category chain shown and expanded
            QVERIFY(!item(name)->parent()->isHidden() && item(name)->parent()->isExpanded());
        m_guide->filter()->clear();
        QCOMPARE(visibleTemplates().size(), 4);
    }

    void detailedPreviewAndEditor()
    {
        select(QStringLiteral("四六级议论文：利弊分析"));
        QVERIFY(m_guide->highFrame()->isVisible() && !m_guide->welcomePage()->isVisible());
        QTRY_VERIFY(m_guide->highFrame()->nextButton()->isEnabled());
        const QString preview = m_guide->highFrame()->preview()->toPlainText();
        QVERIFY(preview.startsWith(QStringLiteral("The Advantages and Disadvantages of [标题中的话题，如 Online Learning]\n")));
        QVERIFY(preview.contains(QStringLiteral("近年来")));
        QVERIFY(!m_guide->highFrame()->description()->toPlainText().isEmpty());
        QVERIFY(m_events.contains(QStringLiteral("Writing_High_Select")));
        m_guide->highFrame()->nextButton()->click();
        QCOMPARE(m_guide->title(), QStringLiteral("写作向导 - 四六级议论文：利弊分析"));
        QVERIFY(!m_guide->splitter()->isVisible());
        QVERIFY(m_guide->writingFrame()->englishText().contains(QStringLiteral("On the one hand")));
        // Back without values asks nothing.
        m_guide->findChild<WritingFrame *>()->findChild<QPushButton *>(QStringLiteral("pb_back"))->click();
        QVERIFY(m_questions.isEmpty());
        QCOMPARE(m_guide->title(), QStringLiteral("写作向导"));
        QVERIFY(m_guide->splitter()->isVisible());
    }

    void handOverAsksWhileKeyWordsAreEmpty()
    {
        openEditor();
        QSignalSpy copied(m_guide.get(), &WritingGuideWindow::signalCopyCheck);
        m_answer = QDialog::Rejected;
        m_guide->writingFrame()->findChild<QPushButton *>(QStringLiteral("pb_correct"))->click();
        QCOMPARE(m_questions, QStringList{QStringLiteral("模板关键词尚未填写完毕，是否确认纠错？")});
        QCOMPARE(copied.size(), 0);
        QVERIFY(m_guide->writingFrame()->keyWordWindow()->isVisible()); // shown to fill them
        // Every key filled: handed over at once, English only.
        for (const QString &key : m_guide->writingFrame()->keyWordWindow()->keys())
            m_guide->writingFrame()->slotKeyWordEditChanged(key, QStringLiteral("X"));
        m_guide->writingFrame()->findChild<QPushButton *>(QStringLiteral("pb_improve"))->click();
        QCOMPARE(copied.size(), 1);
        // The key-word window goes with the guide; its button is back for the next opening.
        m_guide->hide();
        QVERIFY(!m_guide->writingFrame()->keyWordWindow()->isVisible());
        QVERIFY(!m_guide->writingFrame()->findChild<QPushButton *>(QStringLiteral("pb_key_word_window"))->isHidden());
        m_guide->show();
        QCOMPARE(copied.first().at(0).toBool(), false);
        const QString text = copied.first().at(1).toString();
        QVERIFY(text.startsWith(QStringLiteral("An Invitation to X\nDear X,\n")));
        QVERIFY(!text.contains(QStringLiteral("邀请")));
        // Return in a field presses no button of the guide (the title bar's close was one).
        m_questions.clear();
        QTest::keyClick(m_guide->writingFrame()->keyWordWindow()->field(m_guide->writingFrame()->keyWordWindow()->keys().first()),
                        Qt::Key_Return);
        QTest::keyClick(m_guide.get(), Qt::Key_Return);
        QVERIFY(m_questions.isEmpty());
        // Leaving the editor now asks first; cancelling stays.
        m_guide->slotClose();
        QCOMPARE(m_questions, QStringList{QStringLiteral("退出写作向导将丢失模板文本，是否退出？")});
        QVERIFY(m_guide->isVisible());
    }

    void exportOfADetailedTemplateWritesText()
    {
        openEditor();
        const QString path = m_dir.filePath(QStringLiteral("letter"));
        QString offered;
        m_guide->setSaveDialog([&](const QString &, const QStringList &filters, const QString &suggested, QString *) {
            offered = suggested;
            return filters.first().contains(QStringLiteral("*.txt")) ? path : QString();
        });
        m_guide->writingFrame()->findChild<QPushButton *>(QStringLiteral("pb_export"))->click();
        QVERIFY(offered.startsWith(QStringLiteral("邀请信")) && offered.endsWith(QStringLiteral(".txt")));
        QFile file(path + QStringLiteral(".txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()), m_guide->writingFrame()->englishText());
        QVERIFY(m_events.contains(QStringLiteral("Writing_High_Save")));
    }

    void simpleTemplatePage()
    {
        select(QStringLiteral("请假条"));
        LowGuideFrame *low = m_guide->lowFrame();
        QVERIFY(low->isVisible());
        QSignalSpy cover(low, &LowGuideFrame::signalCoverShown);
        QTRY_COMPARE(low->items().size(), 2);
        QCOMPARE(low->findChildren<QRadioButton *>().size(), 2);
        QTRY_COMPARE(cover.size(), 1);
        QVERIFY(!low->cover()->pixmap().isNull());
        // One field per distinct blank, labelled by its short form.
        const auto fields = low->findChild<QWidget *>(QStringLiteral("frame_key_word"))->findChildren<QLineEdit *>();
        QCOMPARE(fields.size(), 6);
        QCOMPARE(low->findChild<QWidget *>(QStringLiteral("frame_key_word"))->findChildren<QLabel *>().first()->text(),
                 QStringLiteral("老师"));
        low->findChildren<QRadioButton *>().at(1)->click();
        QCOMPARE(low->selected(), 1);
        QCOMPARE(low->findChild<QWidget *>(QStringLiteral("frame_key_word"))->findChildren<QLineEdit *>().size(), 4);
    }

    void simpleExport_data()
    {
        QTest::addColumn<int>("filled"); // how many fields get a value, from the first
        QTest::addColumn<QString>("event");
        QTest::newRow("no value: the document as downloaded") << 0 << QStringLiteral("Writing_Low_Save_None");
        QTest::newRow("one value: filled in, the other blanks stay") << 1 << QStringLiteral("Writing_Low_Save_Part");
        QTest::newRow("every value: no blank left") << 6 << QStringLiteral("Writing_Low_Save_All");
    }

    void simpleExport()
    {
        QFETCH(int, filled);
        QFETCH(QString, event);
        select(QStringLiteral("请假条"));
        LowGuideFrame *low = m_guide->lowFrame();
        QTRY_COMPARE(low->items().size(), 2);
        const auto fields = low->findChild<QWidget *>(QStringLiteral("frame_key_word"))->findChildren<QLineEdit *>();
        QCOMPARE(fields.size(), 6);
        QStringList values;
        for (int i = 0; i < filled; ++i) {
            values << QStringLiteral("Ms. Li 李%1").arg(i);
            fields.at(i)->setText(values.last());
        }
        const QString path = m_dir.filePath(QStringLiteral("note.DOCX"));
        QFile::remove(path);
        m_guide->setSaveDialog([&](const QString &title, const QStringList &, const QString &, QString *) {
            return title == QStringLiteral("导出文档") ? path : QString();
        });
        low->exportButton()->click();
        // Only the question about empty fields; no box asks to fill them in Word.
        QCOMPARE(m_questions, filled < fields.size() ? QStringList{QStringLiteral("模板关键词尚未填写完毕，是否确认导出？")}
                                                     : QStringList());
        QVERIFY(m_events.contains(event));
        QVERIFY(QFile::exists(path)); // no second extension
        QString text;
        QString error;
        QVERIFY2(readWordText(path, text, &error), qPrintable(error));
        for (const QString &value : std::as_const(values))
            QVERIFY2(text.contains(value), qPrintable(text));
        for (int i = 0; i < fields.size(); ++i)
            QCOMPARE(text.contains(fields.at(i)->placeholderText()), i >= filled);
        if (filled == 0) {
            QFile saved(path);
            QVERIFY(saved.open(QIODevice::ReadOnly));
            QFile shipped(QStringLiteral(PENNOVA_SOURCE_DIR "/server/templates/data/files/leave-request-formal.docx"));
            QVERIFY(shipped.open(QIODevice::ReadOnly));
            QCOMPARE(saved.readAll(), shipped.readAll());
        }
    }

    // Every shipped simple document carries the bookmarks its blank list names: filled
    // with a value per blank it reads back with each value and no blank left.
    void shippedDocumentsAreFilled_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("blanks");
        const QDir data(QStringLiteral(PENNOVA_SOURCE_DIR "/server/templates/data"));
        for (const QString &name : data.entryList({QStringLiteral("7*.tpl")})) {
            QFile tpl(data.filePath(name));
            QVERIFY(tpl.open(QIODevice::ReadOnly | QIODevice::Text));
            QString file;
            QStringList blanks;
            const auto addRow = [&] {
                if (!file.isEmpty())
                    QTest::newRow(qPrintable(file)) << data.filePath(QStringLiteral("files/") + file) << blanks;
                file.clear();
                blanks.clear();
            };
            for (const QString &line : QString::fromUtf8(tpl.readAll()).split(QLatin1Char('\n'))) {
                if (line.startsWith(QLatin1String("[document]")))
                    addRow();
                else if (line.startsWith(QLatin1String("file: ")))
                    file = line.mid(6).trimmed();
                else if (line.startsWith(QLatin1String("blank: ")))
                    blanks << line.mid(7).trimmed();
            }
            addRow();
        }
    }

    void shippedDocumentsAreFilled()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, blanks);
        QVERIFY(!blanks.isEmpty());
        const QString copy = m_dir.filePath(QStringLiteral("shipped.docx"));
        QFile::remove(copy);
        QVERIFY(QFile::copy(file, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        QHash<QString, QString> values;
        for (qsizetype i = 0; i < blanks.size(); ++i)
            values.insert(blanks.at(i), QStringLiteral("值%1 value").arg(i));
        QString error;
        QVERIFY2(fillWordBookmarks(copy, blanks, values, &error), qPrintable(error));
        QString text;
        QVERIFY2(readWordText(copy, text, &error), qPrintable(error));
        for (const QString &value : std::as_const(values))
            QVERIFY2(text.contains(value), qPrintable(value + QLatin1String(" missing in ") + text));
        QVERIFY2(!text.contains(QLatin1Char('[')), qPrintable(text));
    }

    void failedDownloadLeavesNoFile()
    {
        select(QStringLiteral("请假条"));
        LowGuideFrame *low = m_guide->lowFrame();
        QTRY_COMPARE(low->items().size(), 2);
        m_server.setReply("/files/leave-request-formal.docx", QByteArray()); // an empty answer
        const QString path = m_dir.filePath(QStringLiteral("broken.docx"));
        QCOMPARE(low->exportTo(path), LowGuideFrame::ExportResult::Failed);
        QVERIFY(!QFile::exists(path));
        QVERIFY(m_server.serveShipped(QStringLiteral("701-leave-request-note.tpl")));
    }

    void choicesAreWrittenOnClose()
    {
        QFile::remove(choicesPath());
        m_guide->slotClose();
        QVERIFY(!QFile::exists(choicesPath())); // nothing chosen
        init();
        openEditor();
        WritingFrame *frame = m_guide->writingFrame();
        for (QPushButton *b : frame->englishView()->findChildren<QPushButton *>())
            if (b->text() == QStringLiteral("替换") && b->isEnabled()) {
                b->click();
                break;
            }
        m_guide->slotClose(); // no key word filled: closes without asking
        QVERIFY(m_questions.isEmpty());
        const WritingChoices::Map stored = WritingChoices::read(choicesPath());
        QCOMPARE(stored.keys(), QList<qint32>{206});
        QVERIFY(stored.value(206).contains(1));
        // The next guide shows the chosen wording in the preview.
        init();
        select(QStringLiteral("邀请信"));
        QTRY_VERIFY(m_guide->highFrame()->nextButton()->isEnabled());
        QVERIFY(m_guide->highFrame()->preview()->toPlainText().contains(QStringLiteral("On behalf of")));
    }
};

QTEST_MAIN(TestWritingGuideWindow)
#include "tst_writingguidewindow.moc"
