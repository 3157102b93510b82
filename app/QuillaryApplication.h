#pragma once

#include <QApplication>

// The application object: an error that escapes an event handler is shown
// in a message box with the stop icon and the application's title, and the
// program goes on.
class QuillaryApplication : public QApplication {
    Q_OBJECT
public:
    QuillaryApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Maps the Windows face names the forms ask for (宋体, SimSun) to the
    // Song faces a Debian desktop has.
    static void InstallFontSubstitutions();
};
