// The compiled-in pictures: what the build renders from each SVG source is
// what the program shows, at pixel ratio 1 (raw pixels) and 2 (PNG), and
// damaged raw pixels give no picture at all. Run twice by CTest: as it is,
// and with QT_SCALE_FACTOR=2.
#include "app/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>
#include <QtEndian>

namespace {

QImage RenderSource(const QString &svgPath, int ratio) {
    QSvgRenderer renderer(svgPath);
    QImage image(renderer.defaultSize() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(renderer.defaultSize() * ratio)));
    return image;
}

QByteArray Raw(quint32 width, quint32 height, qsizetype pixelBytes) {
    QByteArray bytes("QPIX");
    for (const quint32 v : {width, height}) {
        const quint32 le = qToLittleEndian(v);
        bytes.append(reinterpret_cast<const char *>(&le), 4);
    }
    return bytes + QByteArray(pixelBytes, '\x7f');
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT
private slots:
    void everySourceIsShownAsRendered();
    void unknownNamesGiveNothing();
    void rawPixelsKeepByteOrderAndRows();
    void damagedRawPixelsGiveNoImage_data();
    void damagedRawPixelsGiveNoImage();
};

void TestPictures::everySourceIsShownAsRendered() {
    const QDir sources(QStringLiteral(QUILLARY_SOURCE_DIR "/resources/pictures"));
    const QStringList svgs = sources.entryList({QStringLiteral("*.svg")}, QDir::Files);
    QVERIFY(svgs.size() >= 30);
    const int ratio = qGuiApp->devicePixelRatio() > 1.0 ? 2 : 1;
    QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR") == QLatin1String("2") ? 2 : 1);
    for (const QString &svg : svgs) {
        const QString name = QFileInfo(svg).completeBaseName();
        const QPixmap shown = Picture(name);
        QVERIFY2(!shown.isNull(), qPrintable(name));
        const QImage expected = RenderSource(sources.filePath(svg), ratio);
        QCOMPARE(shown.devicePixelRatio(), qreal(ratio));
        QCOMPARE(shown.deviceIndependentSize().toSize(), expected.size() / ratio);
        QVERIFY2(shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) == expected,
                 qPrintable(name));
        QVERIFY(!PictureIcon(name).isNull());
    }
}

void TestPictures::unknownNamesGiveNothing() {
    for (const QString &name :
         {QStringLiteral("no-such-picture"), QString(), QStringLiteral("title.qpix")}) {
        QVERIFY2(Picture(name).isNull(), qPrintable(name));
        QVERIFY2(PictureIcon(name).isNull(), qPrintable(name));
    }
}

void TestPictures::rawPixelsKeepByteOrderAndRows() {
    // Two rows of two pixels, each word little-endian: opaque red, half
    // transparent green (premultiplied), transparent, opaque blue.
    QByteArray bytes = Raw(2, 2, 0);
    for (const quint32 argb : {0xFFFF0000u, 0x80008000u, 0x00000000u, 0xFF0000FFu}) {
        const quint32 le = qToLittleEndian(argb);
        bytes.append(reinterpret_cast<const char *>(&le), 4);
    }
    const QImage image = ReadRawPixels(bytes);
    QCOMPARE(image.size(), QSize(2, 2));
    QCOMPARE(image.format(), QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(image.pixel(0, 0), 0xFFFF0000u);
    QCOMPARE(image.pixel(1, 0), 0x80008000u);
    QCOMPARE(image.pixel(0, 1), 0x00000000u);
    QCOMPARE(image.pixel(1, 1), 0xFF0000FFu);
}

void TestPictures::damagedRawPixelsGiveNoImage_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header cut short") << Raw(1, 1, 0).left(10);
    QTest::newRow("wrong magic") << QByteArray("QPIY") + Raw(1, 1, 4).mid(4);
    QTest::newRow("no width") << Raw(0, 4, 0);
    QTest::newRow("no height") << Raw(4, 0, 0);
    QTest::newRow("one byte short") << Raw(3, 2, 3 * 2 * 4 - 1);
    QTest::newRow("one byte over") << Raw(3, 2, 3 * 2 * 4 + 1);
    QTest::newRow("sides that overflow") << Raw(0xFFFFFFFFu, 0xFFFFFFFFu, 4);
    QTest::newRow("side beyond an image") << Raw(0x10000u, 1, 0x10000 * 4);
}

void TestPictures::damagedRawPixelsGiveNoImage() {
    QFETCH(QByteArray, bytes);
    QVERIFY(ReadRawPixels(bytes).isNull());
}

QTEST_MAIN(TestPictures)
#include "test_pictures.moc"
