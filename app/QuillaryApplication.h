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

    // 宋体 at `pixelSize` pixels, as the forms ask for it (12 pixels is 9
    // points on a Windows screen).
    static QFont SongFont(int pixelSize);

    // Maps the Windows face names the forms ask for (宋体, SimSun) to the
    // Song faces a Debian desktop has.
    static void InstallFontSubstitutions();
};
