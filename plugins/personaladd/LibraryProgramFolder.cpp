#include "LibraryProgramFolder.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

QString LibraryProgramFolder() {
    // The file this very function was loaded from.
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void *>(&LibraryProgramFolder), &info) != 0 &&
        info.dli_fname != nullptr && info.dli_fname[0] != '\0') {
        QDir folder = QFileInfo(QFile::decodeName(info.dli_fname)).absoluteDir();
        if (folder.dirName().compare(QString::fromUtf8("system"), Qt::CaseInsensitive) == 0 &&
            folder.cdUp())
            return folder.absolutePath() + u'/';
    }
    return platform::ProgramFolder();
}
