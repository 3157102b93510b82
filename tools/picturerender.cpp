// picturerender OUTDIR SVG [SVG...]
//
// Renders each SVG picture of the program for the screens it runs on:
//   OUTDIR/<name>.qpix    at the picture's own size, as raw pixels: "QPIX",
//                         width and height (32-bit little-endian), then the
//                         rows of premultiplied ARGB32 pixels, each a 32-bit
//                         little-endian word; compiled in uncompressed, it is
//                         copied into an image without any decoding;
//   OUTDIR/<name>@2x.png  at twice that size, for screens of a higher pixel
//                         ratio.
// The program shows these pictures on every start; drawn here once, their
// text layout, font loading and path filling are no longer paid at start-up,
// and the text in them looks the same whatever fonts the user's machine has.
//
// Fails, naming the file, on a picture that does not parse, has no size or
// cannot be written.
#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdio>

namespace {

QImage Draw(QSvgRenderer &renderer, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QByteArray RawPixels(const QImage &image) {
    QByteArray out("QPIX");
    const auto word = [&out](quint32 value) {
        const quint32 le = qToLittleEndian(value);
        out.append(reinterpret_cast<const char *>(&le), sizeof le);
    };
    word(quint32(image.width()));
    word(quint32(image.height()));
    out.reserve(out.size() + qsizetype(image.width()) * image.height() * 4);
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            word(row[x]);
    }
    return out;
}

bool Write(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    // Unbuffered, so a full disk shows as a failed write rather than an empty
    // file put in place by commit().
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           file.write(bytes) == bytes.size() && file.commit();
}

bool WritePng(const QString &path, const QImage &image) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
            return false;
    }
    return Write(path, bytes);
}

bool Render(const QString &svgPath, const QString &outDir) {
    QSvgRenderer renderer(svgPath);
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid() || size.isEmpty()) {
        std::fprintf(stderr, "%s: not a picture with a size\n", qPrintable(svgPath));
        return false;
    }
    const QString base = outDir + u'/' + QFileInfo(svgPath).completeBaseName();
    const QString raw = base + QStringLiteral(".qpix");
    if (!Write(raw, RawPixels(Draw(renderer, size)))) {
        std::fprintf(stderr, "%s: cannot write\n", qPrintable(raw));
        return false;
    }
    const QString png = base + QStringLiteral("@2x.png");
    if (!WritePng(png, Draw(renderer, size * 2))) {
        std::fprintf(stderr, "%s: cannot write\n", qPrintable(png));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: picturerender OUTDIR SVG [SVG...]\n");
        return 2;
    }
    // Nothing is shown; fonts come from fontconfig whatever the display is.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    for (int a = 2; a < argc; ++a) {
        if (!Render(QString::fromLocal8Bit(argv[a]), outDir))
            return 1;
    }
    return 0;
}
