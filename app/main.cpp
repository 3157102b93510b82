// Quillary: a catalogue of ready-made web-page effects.
#include "app/QuillaryApplication.h"
#include "app/TForm_About.h"
#include "app/TForm_Main.h"
#include "platform/AppMessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

bool HasDisplay() {
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    const char *x11 = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

int main(int argc, char **argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "quillary: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Start it on a desktop, or under a virtual X server:\n"
                     "  xvfb-run -a -s '-screen 0 1024x768x24' %s\n",
                     argv[0]);
        return 1;
    }
    QuillaryApplication app(argc, argv);
    try {
        TForm_Main main;
        TForm_About about;
        main.SetAboutBox(&about);
        main.show();
        app.exec();
    } catch (const std::exception &error) {
        platform::ReportApplicationError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        platform::ReportApplicationError(QString());
    }
    return 0;
}
