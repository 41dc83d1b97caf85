// Qt's own Chinese texts for its standard dialogs.
#include "qttranslations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
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
        QTest::newRow("file dialog: detail view") << QByteArray("QFileDialog") << QByteArray("Detail View") << "详情视图";
    }
    void standardDialogTextsAreChinese()
    {
        QFETCH(QByteArray, context);
        QFETCH(QByteArray, source);
        QFETCH(QString, expected);
        QCOMPARE(QCoreApplication::translate(context, source), expected);
    }
};

QTEST_GUILESS_MAIN(TestQtTranslations)
#include "tst_qttranslations.moc"
