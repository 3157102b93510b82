#pragma once

#include <QApplication>
#include <QFont>

// The application object: an error that escapes an event handler is shown
// in a message box with the stop icon and the application's title, and the
// program goes on.
class QuillaryApplication : public QApplication {
    Q_OBJECT
public:
    QuillaryApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The font every window starts from: 宋体 at 12 pixels (9 points on a
    // Windows screen), as the forms ask for it.
    static QFont FormFont();

    // Maps the Windows face names the forms ask for (宋体, SimSun) to the
    // Song faces a Debian desktop has.
    static void InstallFontSubstitutions();
};
