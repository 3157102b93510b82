#include "app/QuillaryApplication.h"

#include "platform/AppMessageBox.h"

#include <QFont>

#include <exception>

QuillaryApplication::QuillaryApplication(int &argc, char **argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("quillary"));
    setApplicationDisplayName(QStringLiteral("妙码工坊v4.0"));
    InstallFontSubstitutions();
    // Every window of the program, message boxes and dialogs included, starts
    // from the forms' font, as on a Chinese Windows desktop. Set here rather
    // than only on the forms because a widget styled by a style sheet takes
    // its font's unset parts from the application, not from its parent.
    setFont(SongFont(12));
}

bool QuillaryApplication::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        platform::ReportApplicationError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        platform::ReportApplicationError(QString());
    }
    return false;
}

QFont QuillaryApplication::SongFont(int pixelSize) {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(pixelSize);
    // The Song faces carry hand-drawn bitmaps for 11 to 16 pixels: on a
    // screen of pixel ratio 1 they are drawn from those, crisp as Windows
    // draws 宋体, and without running the hinter over every glyph at
    // start-up. Widgets inside the form inherit this unless their font says
    // otherwise.
    const bool bitmaps = pixelSize >= 11 && pixelSize <= 16;
    if (bitmaps && (!qGuiApp || qGuiApp->devicePixelRatio() <= 1.0))
        font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void QuillaryApplication::InstallFontSubstitutions() {
    const QStringList song{QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                           QStringLiteral("Noto Sans CJK SC")};
    for (const QString &face : {QStringLiteral("宋体"), QStringLiteral("SimSun")})
        QFont::insertSubstitutions(face, song);
}
