// Libraries that must be refused. HARDENING_PLUGIN_UNRESOLVED: the three
// exports, but a call to a function no library defines, so binding every
// symbol at load time fails. Without it: a library with none of the three
// exports.
#include <quillary/PluginApi.h>

#include <QWidget>

#ifdef HARDENING_PLUGIN_UNRESOLVED

extern "C" void quillary_hardening_function_nobody_defines();

QUILLARY_PLUGIN_EXPORT void ShowForm(QWidget *parent) {
    quillary_hardening_function_nobody_defines();
    parent->update();
}

QUILLARY_PLUGIN_EXPORT QByteArray *OutputCode(QByteArray *text) {
    *text = QByteArray("never");
    return text;
}

QUILLARY_PLUGIN_EXPORT void CloseForm() {}

#else

extern "C" __attribute__((visibility("default"))) int ShowTheForm(QWidget *parent) {
    return parent ? 1 : 0;
}

#endif
