#include "app/QuillaryApplication.h"

#include "platform/AppMessageBox.h"

#include <QFont>

#include <exception>

QuillaryApplication::QuillaryApplication(int &argc, char **argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("quillary"));
    setApplicationDisplayName(QStringLiteral("妙码工坊v4.0"));
    InstallFontSubstitutions();
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

void QuillaryApplication::InstallFontSubstitutions() {
    const QStringList song{QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                           QStringLiteral("Noto Sans CJK SC")};
    for (const QString &face : {QStringLiteral("宋体"), QStringLiteral("SimSun")})
        QFont::insertSubstitutions(face, song);
}
