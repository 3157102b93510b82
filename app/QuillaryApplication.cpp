#include "app/QuillaryApplication.h"

#include "platform/AppMessageBox.h"

#include <QFont>

#include <exception>

QuillaryApplication::QuillaryApplication(int &argc, char **argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("quillary"));
    setApplicationDisplayName(QStringLiteral("妙码工坊v4.0"));
    InstallFontSubstitutions();
    setFont(FormFont());
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

QFont QuillaryApplication::FormFont() {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    // The Song faces carry hand-drawn bitmaps for 11 to 16 pixels: on a
    // screen of pixel ratio 1 they are drawn as Windows draws 宋体, crisp,
    // and without running the hinter over every glyph at start-up. Fonts
    // set on widgets inherit this unless they set it themselves.
    if (!qGuiApp || qGuiApp->devicePixelRatio() <= 1.0)
        font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void QuillaryApplication::InstallFontSubstitutions() {
    const QStringList song{QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                           QStringLiteral("Noto Sans CJK SC")};
    for (const QString &face : {QStringLiteral("宋体"), QStringLiteral("SimSun")})
        QFont::insertSubstitutions(face, song);
}
