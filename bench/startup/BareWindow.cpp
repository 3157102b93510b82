// The floor for the start-up benchmark: a Qt program that links Qt Widgets
// and nothing else and shows an empty 700 x 507 window, the size of the main
// window. Started by startup_bench as "startup_bare_window <fd>".
#include "IdleReporter.h"

#include <QApplication>
#include <QWidget>

#include <cstdlib>

int main(int argc, char **argv) {
    if (argc < 2)
        return 2;
    const int fd = std::atoi(argv[1]);
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(700, 507);
    window.show();
    new IdleReporter(&window, fd);
    return app.exec();
}
