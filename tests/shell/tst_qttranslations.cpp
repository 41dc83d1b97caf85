// The program speaks Chinese whatever the system's locale: Qt's own texts for its
// standard dialogs, the texts Debian's catalogs miss, and the default locale.
#include "qttranslations.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QtTest>

class TestQtTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QString catalog = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_zh_CN.qm");
        if (!QFile::exists(catalog))
            QSKIP("qt6-translations-l10n is not installed");
        // A machine set to English.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "New Folder"), QStringLiteral("New Folder"));
        QVERIFY(installQtTranslations(*QCoreApplication::instance()));
    }

    void standardDialogTextsAreChinese_data()
    {
        QTest::addColumn<QByteArray>("context");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file dialog: new folder") << QByteArray("QFileDialog") << QByteArray("New Folder") << "新建文件夹";
        QTest::newRow("button: cancel") << QByteArray("QPlatformTheme") << QByteArray("Cancel") << "取消";
        QTest::newRow("message box: OK") << QByteArray("QPlatformTheme") << QByteArray("OK") << "确定";
        QTest::newRow("file dialog: detail view") << QByteArray("QFileDialog") << QByteArray("Detail View") << "详情视图";
        QTest::newRow("file list column: date modified")
            << QByteArray("QFileSystemModel") << QByteArray("Date Modified") << "修改日期";
        QTest::newRow("file type of a folder, missing from the catalog")
            << QByteArray("QAbstractFileIconProvider") << QByteArray("Folder") << "文件夹";
        QTest::newRow("a text nobody translates stays") << QByteArray("QAbstractFileIconProvider")
                                                        << QByteArray("No such text") << "No such text";
    }
    void standardDialogTextsAreChinese()
    {
        QFETCH(QByteArray, context);
        QFETCH(QByteArray, source);
        QFETCH(QString, expected);
        QCOMPARE(QCoreApplication::translate(context, source), expected);
    }

    void defaultLocaleIsChinese()
    {
        QCOMPARE(QLocale().language(), QLocale::Chinese);
        QCOMPARE(QLocale().territory(), QLocale::China);
        QCOMPARE(QLocale().toString(QDate(2026, 12, 8), QStringLiteral("MMMM")), QStringLiteral("十二月"));
    }
};

QTEST_GUILESS_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
