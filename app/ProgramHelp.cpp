#include "ProgramHelp.h"

#include "ChmFile.h"
#include "HelpWindow.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

namespace {

QPointer<HelpWindow> &OpenHelpWindow() {
    static QPointer<HelpWindow> window;
    return window;
}

} // namespace

bool ShowProgramHelp(QWidget *owner) {
    if (!ChmFile::LibraryAvailable())
        return false;
    const QString path = platform::ProgramFolder() + QStringLiteral("ghelp.chm");
    if (!QFileInfo(path).isFile())
        return false;

    QPointer<HelpWindow> &window = OpenHelpWindow();
    if (!window.isNull() && window->chm().path() != path)
        delete window.data();
    if (window.isNull()) {
        std::unique_ptr<ChmFile> chm = ChmFile::Open(path);
        if (chm == nullptr)
            return false;
        window = new HelpWindow(std::move(chm));
        window->setAttribute(Qt::WA_DeleteOnClose);
        // Like the system's help viewer, the window does not hold the program
        // open once the main window has closed.
        window->setAttribute(Qt::WA_QuitOnClose, false);
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, window.data(),
                         &QObject::deleteLater);
        if (owner != nullptr) {
            QRect frame = window->frameGeometry();
            frame.moveCenter(owner->window()->frameGeometry().center());
            window->move(frame.topLeft());
        }
    } else {
        window->showDefaultTopic();
    }
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
    return true;
}
