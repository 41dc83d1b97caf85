#include "fontsetup.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QRawFont>
#include <QTest>

class TestFontSetup : public QObject
{
    Q_OBJECT

private slots:
    void styleSheetFamilyResolvesToCjkFont_data();
    void styleSheetFamilyResolvesToCjkFont();
};

void TestFontSetup::styleSheetFamilyResolvesToCjkFont_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("chinese name") << QStringLiteral("微软雅黑");
    QTest::newRow("latin name") << QStringLiteral("Microsoft YaHei");
}

void TestFontSetup::styleSheetFamilyResolvesToCjkFont()
{
    QFETCH(QString, family);
    if (!QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei")))
        QSKIP("fonts-wqy-microhei is not installed");
    installFontSubstitutions();
    QVERIFY(QFont::substitutes(family).contains(QStringLiteral("WenQuanYi Micro Hei"), Qt::CaseInsensitive));
    // The resolved font draws Chinese characters.
    const QFont font(family, 12);
    const QRawFont raw = QRawFont::fromFont(font);
    QVERIFY(raw.isValid());
    QVERIFY(raw.supportsCharacter(QChar(0x4E2D))); // 中
    QVERIFY(raw.supportsCharacter(QChar(0x6587))); // 文
}

QTEST_MAIN(TestFontSetup)
#include "tst_fontsetup.moc"
