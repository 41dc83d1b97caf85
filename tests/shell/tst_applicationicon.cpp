#include <QFile>
#include <QImage>
#include <QImageReader>
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

QTEST_MAIN(TestApplicationIcon)
#include "tst_applicationicon.moc"
