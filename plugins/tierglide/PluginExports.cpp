// The three entry points the host looks up, and the life of the one form:
// built when the library is loaded, destroyed when it is unloaded.
#include "EncodePageGb.h"
#include "TForm_MultilayerSlipmMenu.h"

#include <quillary/PluginApi.h>

#include <QApplication>
#include <QPointer>

namespace {

// Held weakly: the host's panel may destroy the form before the library is
// unloaded.
QPointer<tierglide::TForm_MultilayerSlipmMenu> Form_MultilayerSlipmMenu;

bool applicationExists() {
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

__attribute__((constructor)) void createForm() {
    if (applicationExists())
        Form_MultilayerSlipmMenu = new tierglide::TForm_MultilayerSlipmMenu;
}

__attribute__((destructor)) void destroyForm() {
    if (applicationExists())
        delete Form_MultilayerSlipmMenu.data();
}

} // namespace

void ShowForm(QWidget *parent) {
    if (Form_MultilayerSlipmMenu)
        Form_MultilayerSlipmMenu->ShowIn(parent);
}

QByteArray *OutputCode(QByteArray *text) {
    if (Form_MultilayerSlipmMenu && text)
        *text = tierglide::EncodePageGb(Form_MultilayerSlipmMenu->GenerateCode());
    return text;
}

void CloseForm() {
    if (Form_MultilayerSlipmMenu)
        Form_MultilayerSlipmMenu->hide();
}
