#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QTest>

namespace {
const QString LogoPath = QStringLiteral(":/MainWindow/Resources/logo.ico");
}

// The window icon is taken from the resources by the ".ico" path; its content decides
// the format.
class TestApplicationIcon : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void resourceIsCompiledIn();
    void readerDecodesByContent();
    void iconRendersAtWindowSizes_data();
    void iconRendersAtWindowSizes();
};

void TestApplicationIcon::resourceIsCompiledIn()
{
    QFile logo(LogoPath);
    QVERIFY(logo.open(QIODevice::ReadOnly));
    QVERIFY(logo.size() > 0);
}

void TestApplicationIcon::readerDecodesByContent()
{
    QImageReader reader(LogoPath);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QVERIFY(image.width() >= 64);
    QCOMPARE(image.width(), image.height());
    // Something is drawn: the centre is opaque and differs from the corner.
    QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    QVERIFY(image.pixel(image.width() / 2, image.height() / 2) != image.pixel(0, 0));
}

void TestApplicationIcon::iconRendersAtWindowSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("title bar") << 16;
    QTest::newRow("task switcher") << 48;
    QTest::newRow("large") << 256;
}

void TestApplicationIcon::iconRendersAtWindowSizes()
{
    QFETCH(int, size);
    const QIcon icon(LogoPath);
    QVERIFY(!icon.isNull());
    const QPixmap pixmap = icon.pixmap(size, size);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.width(), size);
}

QTEST_MAIN(TestApplicationIcon)
#include "tst_applicationicon.moc"
