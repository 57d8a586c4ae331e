// The installed icons and the Windows executable's icon are files made once from velmora.xpm, the image
// the window compiles in. They must still show that image, pixel for pixel, so a changed picture cannot
// leave them behind; the Windows icon keeps the 32 x 32, 16-colour form of the window's own.

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>

class IconTest : public QObject {
    Q_OBJECT

private slots:
    void filesShowTheWindowsImage_data();
    void filesShowTheWindowsImage();
    void windowsIconIs32By32In16Colours();
};

namespace {

const QString packaging = QStringLiteral(VELMORA_PACKAGING_DIR "/");

QImage Read(const QString &name)
{
    QImageReader reader(packaging + name);
    QImage image = reader.read();
    if (image.isNull())
        qWarning("%s: %s", qPrintable(name), qPrintable(reader.errorString()));
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

void IconTest::filesShowTheWindowsImage_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("PNG") << QStringLiteral("net.ostrel.Velmora.png");
    QTest::newRow("ICO") << QStringLiteral("velmora.ico");
}

void IconTest::filesShowTheWindowsImage()
{
    QFETCH(QString, file);
    const QImage design = Read(QStringLiteral("velmora.xpm"));
    QCOMPARE(design.size(), QSize(32, 32));
    const QImage made = Read(file);
    QCOMPARE(made.size(), design.size());
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb want = design.pixel(x, y);
            const QRgb got = made.pixel(x, y);
            // A transparent pixel's colour is never seen.
            const bool same = qAlpha(want) == 0 ? qAlpha(got) == 0 : got == want;
            QVERIFY2(same, qPrintable(QStringLiteral("(%1, %2): %3 instead of %4")
                                          .arg(x)
                                          .arg(y)
                                          .arg(got, 8, 16, QLatin1Char('0'))
                                          .arg(want, 8, 16, QLatin1Char('0'))));
        }
    }
}

void IconTest::windowsIconIs32By32In16Colours()
{
    QFile file(packaging + QStringLiteral("velmora.ico"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(22);
    QCOMPARE(head.size(), 22);
    // File header: reserved 0, type 1 (icon), one image; its entry: 32 x 32, 16 colours, 1 plane, 4 bits.
    QCOMPARE(head.left(6), QByteArray::fromHex("000001000100"));
    QCOMPARE(head.mid(6, 8), QByteArray::fromHex("2020100001000400"));
}

QTEST_GUILESS_MAIN(IconTest)
#include "icon_test.moc"
