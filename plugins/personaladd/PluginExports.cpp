// The two entry points the host looks up, and the life of the one form:
// built when the library is loaded, destroyed when it is unloaded.
#include "LibraryProgramFolder.h"
#include "TForm_PersonalAdd.h"

#include <quillary/PluginApi.h>

#include <QApplication>
#include <QPointer>

namespace {

// Held weakly: the host's panel may destroy the form before the library is
// unloaded.
QPointer<TForm_PersonalAdd> Form_PersonalAdd;

bool applicationExists() {
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

__attribute__((constructor)) void createForm() {
    if (applicationExists())
        Form_PersonalAdd = new TForm_PersonalAdd(LibraryProgramFolder());
}

__attribute__((destructor)) void destroyForm() {
    if (applicationExists())
        delete Form_PersonalAdd.data();
}

} // namespace

void ShowForm(QWidget *parent) {
    if (Form_PersonalAdd)
        Form_PersonalAdd->ShowIn(parent);
}

void CloseForm() {
    if (Form_PersonalAdd)
        Form_PersonalAdd->CloseIn();
}
