// Opening documents into the main window, and the open and save dialogs.
#include "support/editorfixture.h"

#include "configstore.h"
#include "custommessagebox.h"
#include "customtexteditor.h"
#include "documentdialog.h"
#include "qttranslations.h"
#include "support/englishwords.h"
#include "globalstores.h"
#include "mainwindow.h"
#include "textfileio.h"
#include "pennovapaths.h"
#include "useraccess.h"
#include "userinformation.h"

#include <QFileDialog>
#include <QAbstractProxyModel>
#include <QFileSystemModel>
#include <QListView>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

#include <memory>

using namespace ZeltraLib;

namespace {

QString fixture(const QString &name)
{
    return QStringLiteral(PENNOVA_SOURCE_DIR "/tests/documents/fixtures/") + name;
}

QString fixtureText(const QString &name)
{
    QFile file(fixture(name + QStringLiteral(".expected.txt")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QStringLiteral("<missing>");
}

} // namespace

class DocumentDialogsTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<ConfigStore> m_prefs;
    std::unique_ptr<ConfigStore> m_tips;
    std::unique_ptr<UserAccess> m_access;
    std::unique_ptr<UserInformation> m_usage;
    std::unique_ptr<MainWindow> m_window;
    QString m_openPath;
    QStringList m_boxes; // title, then text, of every box shown
    int m_overwriteAnswer = QDialog::Accepted;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        // No LibreOffice, whether or not this machine has one.
        qputenv("PENNOVA_SOFFICE", "/nonexistent/soffice");
        CustomMessageBox::setAutoAnswer([this](CustomMessageBox &box) {
            m_boxes << box.title() << box.text();
            return box.title() == QStringLiteral("覆盖确认") ? m_overwriteAnswer : int(QDialog::Accepted);
        });
        m_prefs = makePreferences(m_dir);
        m_tips = std::make_unique<ConfigStore>(m_dir.path(), QStringLiteral("setting.ini"));
        mergeDefaults(*m_tips, promptTipDefaults());
        m_access = std::make_unique<UserAccess>(QStringLiteral("127.0.0.1:1"));
        m_usage = std::make_unique<UserInformation>(QStringLiteral("127.0.0.1:1"));
        MainWindowServices services{*m_prefs, *m_tips, *m_access, *m_usage, QStringLiteral("127.0.0.1:1"),
                                    QStringLiteral("127.0.0.1:1"), m_dir.filePath(QStringLiteral("no-voc.dat")), 0, {}, {}, {}, {}};
        services.chooseOpenFile = [this](QWidget *) { return m_openPath; };
        services.pingIntervalMs = 0;
        m_window = std::make_unique<MainWindow>(services);
    }

    void cleanupTestCase()
    {
        m_window.reset();
        CustomMessageBox::setAutoAnswer({});
    }

    void openIntoEditor_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("before");   // editor text before opening
        QTest::addColumn<int>("overwrite");    // answer to "覆盖确认"
        QTest::addColumn<QString>("expected"); // editor text after
        QTest::addColumn<QStringList>("message"); // parts of the "提示" box; empty: none shown
        const QString gb = m_dir.filePath(QStringLiteral("中文.TXT"));
        QFile file(gb);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("\xC4\xE3\xBA\xC3 teh world") > 0);
        file.close();
        const QString garbage = m_dir.filePath(QStringLiteral("broken essay.docx"));
        QFile broken(garbage);
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write(QByteArray(300, 'x')) > 0);
        broken.close();
        const QString doc = m_dir.filePath(QStringLiteral("old.doc"));
        QFile old(doc);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("\xD0\xCF\x11\xE0 not a zip") > 0);
        old.close();
        const int yes = QDialog::Accepted;
        const int no = QDialog::Rejected;
        QTest::newRow("docx into an empty editor") << fixture("table.docx") << "" << yes << fixtureText("table")
                                                   << QStringList();
        QTest::newRow("docx over text, confirmed") << fixture("chinese.docx") << "old text" << yes
                                                   << fixtureText("chinese") << QStringList();
        QTest::newRow("over text, declined") << fixture("chinese.docx") << "old text" << no << "old text"
                                             << QStringList();
        QTest::newRow("upper-case .TXT in GB18030") << gb << "" << yes << "你好 teh world" << QStringList();
        QTest::newRow("broken docx names file and reason")
            << garbage << "old text" << yes << "old text"
            << QStringList{"打开文档失败", "broken essay.docx", "不是有效的 Word 文档"};
        QTest::newRow(".doc without LibreOffice")
            << doc << "" << yes << "" << QStringList{"打开文档失败：需要安装 LibreOffice 才能打开 .doc 文件。", "old.doc"};
        QTest::newRow("missing file") << m_dir.filePath("gone.txt") << "kept" << yes << "kept"
                                      << QStringList{"打开文档失败", "gone.txt"};
    }
    void openIntoEditor()
    {
        QFETCH(QString, path);
        QFETCH(QString, before);
        QFETCH(int, overwrite);
        QFETCH(QString, expected);
        QFETCH(QStringList, message);
        m_window->editor()->setPlainText(before);
        m_openPath = path;
        m_overwriteAnswer = overwrite;
        m_boxes.clear();
        QMetaObject::invokeMethod(m_window.get(), "slotOpen");
        QCOMPARE(m_window->editor()->toPlainText(), expected);
        const qsizetype at = m_boxes.indexOf(QStringLiteral("提示"));
        QCOMPARE(at >= 0, !message.isEmpty());
        for (const QString &part : message)
            QVERIFY2(m_boxes.value(at + 1).contains(part), qPrintable(m_boxes.value(at + 1)));
        QCOMPARE(m_boxes.contains(QStringLiteral("覆盖确认")), !before.isEmpty());
    }

    void openDialog()
    {
        const auto dialog = DocumentDialog::makeOpenDialog(nullptr);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("打开文档"));
        QCOMPARE(dialog->labelText(QFileDialog::Accept), QStringLiteral("打开"));
        QCOMPARE(dialog->labelText(QFileDialog::Reject), QStringLiteral("取消"));
        QCOMPARE(dialog->labelText(QFileDialog::FileName), QStringLiteral("文件名"));
        QCOMPARE(dialog->labelText(QFileDialog::FileType), QStringLiteral("文件类型"));
        QCOMPARE(dialog->labelText(QFileDialog::LookIn), QStringLiteral("目录"));
        QCOMPARE(dialog->nameFilters(), QStringList{"所有支持文档 (*.txt *.doc *.docx *.odt *.rtf)"});
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        QVERIFY(dialog->sidebarUrls().contains(
            QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))));
    }

    // On a machine set to English, the side bar and the file list are still Chinese.
    void dialogSpeaksChinese()
    {
        installQtTranslations(*QCoreApplication::instance());
        // A home of English folder names (no user-dirs.dirs: Qt falls back to ~/Desktop).
        const QByteArray home = qgetenv("HOME");
        const QByteArray config = qgetenv("XDG_CONFIG_HOME");
        QTemporaryDir fakeHome;
        qputenv("HOME", fakeHome.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", fakeHome.filePath(QStringLiteral(".config")).toUtf8());
        auto restore = qScopeGuard([&] {
            qputenv("HOME", home);
            config.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", config);
        });
        QVERIFY(QDir(fakeHome.path()).mkpath(QStringLiteral("Desktop/folder")));
        QVERIFY(QDir(fakeHome.path()).mkpath(QStringLiteral("Documents")));
        QFile file(fakeHome.filePath(QStringLiteral("Desktop/essay.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("essay") == 5);
        file.close();

        const auto dialog = DocumentDialog::makeOpenDialog(nullptr);
        const auto *sidebar = dialog->findChild<QListView *>(QStringLiteral("sidebar"));
        QVERIFY(sidebar);
        QStringList names;
        for (int row = 0; row < sidebar->model()->rowCount(); ++row)
            names << sidebar->model()->index(row, 0).data().toString();
        QCOMPARE(names, (QStringList{"桌面", "文档"}));

        dialog->setDirectory(fakeHome.filePath(QStringLiteral("Desktop")));
        QAbstractProxyModel *list = dialog->proxyModel();
        QVERIFY(list);
        auto *files = qobject_cast<QFileSystemModel *>(list->sourceModel());
        QVERIFY(files);
        // A cell of the list as the dialog shows it (rows move while the folder loads).
        const auto cell = [&](const QString &path, int column) {
            const QModelIndex name = list->mapFromSource(files->index(path, 0));
            return list->index(name.row(), column, name.parent()).data().toString();
        };
        const QString folder = fakeHome.filePath(QStringLiteral("Desktop/folder"));
        QTRY_COMPARE(cell(folder, 2), QStringLiteral("文件夹"));
        QCOMPARE(list->headerData(3, Qt::Horizontal).toString(), QStringLiteral("修改日期"));
        QTRY_COMPARE(cell(file.fileName(), 3), QFileInfo(file).lastModified().toString(QStringLiteral("yyyy/M/d H:mm")));
        QTRY_VERIFY(!cell(file.fileName(), 2).isEmpty());
        QVERIFY2(!TestTexts::hasEnglishWord(cell(file.fileName(), 1)), qPrintable(cell(file.fileName(), 1)));
        QVERIFY2(!TestTexts::hasEnglishWord(cell(file.fileName(), 2)), qPrintable(cell(file.fileName(), 2)));
    }

    void saveDialog_data()
    {
        QTest::addColumn<QString>("stored");  // "Save_Filter" before
        QTest::addColumn<int>("preselected"); // filter index shown, and the suggested name's extension
        QTest::addColumn<int>("chosen");      // filter index the user picks
        QTest::addColumn<QString>("typed");   // file name typed
        QTest::addColumn<QString>("saved");   // name written
        QTest::addColumn<QString>("code");    // "Save_Filter" after
        QTest::newRow("no extension, .doc filter") << "0" << 0 << 2 << "essay" << "essay.doc" << "2";
        QTest::newRow("no extension, .docx filter") << "1" << 1 << 1 << "essay" << "essay.docx" << "1";
        QTest::newRow("upper-case .TXT kept whatever the filter") << "2" << 2 << 1 << "a.TXT" << "a.TXT" << "1";
        QTest::newRow(".DOC gets no second extension") << "" << 0 << 0 << "b.DOC" << "b.DOC" << "0";
        QTest::newRow("unknown stored filter means text") << "7" << 0 << 0 << "c.v2" << "c.v2.txt" << "0";
    }
    void saveDialog()
    {
        QFETCH(QString, stored);
        QFETCH(int, preselected);
        QFETCH(int, chosen);
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QFETCH(QString, code);
        m_prefs->setValue(QStringLiteral("Save_Filter"), stored);
        const QDateTime now(QDate(2026, 3, 4), QTime(5, 6, 7));
        const auto dialog = DocumentDialog::makeSaveDialog(nullptr, *m_prefs, QStringLiteral("保存文档"),
                                                           QStringLiteral("Pennova"), now);
        dialog->setDirectory(m_dir.path());
        QCOMPARE(dialog->labelText(QFileDialog::Accept), QStringLiteral("保存"));
        QCOMPARE(dialog->nameFilters(), DocumentDialog::saveFilters());
        QCOMPARE(dialog->selectedNameFilter(), DocumentDialog::saveFilters().at(preselected));
        const QStringList extensions{".txt", ".docx", ".doc"};
        QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(),
                 QStringLiteral("Pennova20260304050607") + extensions.at(preselected));
        // Picking another filter in the dialog changes the suggested name's extension along.
        emit dialog->filterSelected(DocumentDialog::saveFilters().at(chosen));
        QCOMPARE(QFileInfo(dialog->selectedFiles().value(0)).fileName(),
                 QStringLiteral("Pennova20260304050607") + extensions.at(chosen));
        dialog->selectNameFilter(DocumentDialog::saveFilters().at(chosen));
        dialog->selectFile(m_dir.filePath(typed));
        QCOMPARE(DocumentDialog::acceptedSaveName(*dialog, *m_prefs), m_dir.filePath(saved));
        QCOMPARE(m_prefs->value(QStringLiteral("Save_Filter")), code);
    }

    // The dialogs start where the last document was saved, and never in the folder the
    // program happened to be started from; a remembered folder since removed is not used.
    void dialogsStartInTheLastFolder()
    {
        const QString home = QDir::homePath();
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QTemporaryDir work;
        const QString started = QDir::currentPath();
        const auto back = qScopeGuard([&started] { QDir::setCurrent(started); });
        QVERIFY(QDir::setCurrent(work.path()));
        const auto fresh = DocumentDialog::makeOpenDialog(nullptr);
        QVERIFY2(fresh->directory().absolutePath() != QDir(work.path()).absolutePath(),
                 qPrintable(fresh->directory().absolutePath()));

        const QString folder = m_dir.filePath(QStringLiteral("目录 一"));
        QVERIFY(QDir().mkpath(folder));
        const auto save = DocumentDialog::makeSaveDialog(nullptr, *m_prefs, QStringLiteral("保存文档"),
                                                         QStringLiteral("Pennova"), QDateTime::currentDateTime());
        save->selectFile(folder + QStringLiteral("/作文.txt"));
        QCOMPARE(DocumentDialog::acceptedSaveName(*save, *m_prefs), folder + QStringLiteral("/作文.txt"));
        QCOMPARE(DocumentDialog::makeOpenDialog(nullptr)->directory().absolutePath(), QDir(folder).absolutePath());

        QVERIFY(QDir(folder).removeRecursively());
        const QString start = DocumentDialog::makeOpenDialog(nullptr)->directory().absolutePath();
        QVERIFY2(start == QDir(documents).absolutePath() || start == QDir(home).absolutePath(), qPrintable(start));
    }

    void saveTo_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // part of the "提示" box; empty: saved, no box
        QTest::newRow("text as UTF-8") << "out.txt" << "第一段 teh\n\tsecond" << "";
        QTest::newRow("empty editor, empty file") << "empty.txt" << "" << "";
        QTest::newRow("Word document") << "out.docx" << "第一段\nsecond" << "";
        QTest::newRow(".doc without LibreOffice") << "out.doc" << "x" << "保存文档失败：需要安装 LibreOffice 才能保存 .doc 文件。";
        QTest::newRow("no such folder") << "missing/out.txt" << "x" << "保存文档失败";
    }
    void saveTo()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, message);
        const QString path = m_dir.filePath(name);
        m_boxes.clear();
        QCOMPARE(DocumentDialog::saveTo(m_window.get(), path, text), message.isEmpty());
        QCOMPARE(m_boxes.value(0), message.isEmpty() ? QString() : QStringLiteral("提示"));
        if (!message.isEmpty()) {
            QVERIFY2(m_boxes.value(1).contains(message) && m_boxes.value(1).contains(QFileInfo(path).fileName()),
                     qPrintable(m_boxes.value(1)));
            QVERIFY(!QFile::exists(path));
            return;
        }
        QString read;
        QVERIFY(TextFileIo::read(path, &read));
        QCOMPARE(read, text);
        if (name.endsWith(QLatin1String(".txt"))) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), text.toUtf8());
        }
    }
};

QTEST_MAIN(DocumentDialogsTest)
#include "tst_documentdialogs.moc"
