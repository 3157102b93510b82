// The interface between Quillary and the libraries it loads from "system/".
//
// A generator plug-in (or the personal effects box) is a shared library that
// Quillary opens with dlopen(absolute path, RTLD_NOW | RTLD_LOCAL) and closes
// with dlclose. The host looks up the three functions below by their plain C
// names and uses nothing else from the library. All three are called on the
// host's user-interface thread, one at a time.
//
// Host and library both link the same Qt 6 shared libraries, so a QWidget and
// a QByteArray cross the boundary as they are: the library's form becomes a
// child of the host's widget, and a QByteArray the library fills is released
// later by the host through QtCore's allocator.
//
// Rules for plug-in writers
// - Create the one form of the library when the library is loaded (a static
//   constructor runs after the host's QApplication exists) and delete it when
//   the library is unloaded. Keep it in a QPointer: the host's panel may be
//   destroyed first, taking the form with it.
// - ShowForm(parent): make `parent` the form's parent, let the form fill it
//   and follow its size, show it. A second call moves the form to the new
//   parent.
// - OutputCode(text): assign the page code (GB2312 bytes, lines separated by
//   CR LF) or a message text to *text and return text. What *text held
//   before is released by the assignment. The bytes must live in memory that
//   QtCore allocated, never in the library's own image (no QByteArrayLiteral
//   or other static data): after dlclose that memory is gone.
// - CloseForm(): hide the form; keep its state until the library is unloaded.
//   Nothing of the library may run after CloseForm returns: no timers, no
//   posted events, no deleteLater.
// - Build with hidden visibility and -fno-gnu-unique so that dlclose really
//   unloads the library and every load starts afresh.
#pragma once

#include <QByteArray>

class QWidget;

#if defined(QUILLARY_PLUGIN_BUILD)
#define QUILLARY_PLUGIN_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define QUILLARY_PLUGIN_EXPORT extern "C"
#endif

QUILLARY_PLUGIN_EXPORT void ShowForm(QWidget *parent);
QUILLARY_PLUGIN_EXPORT QByteArray *OutputCode(QByteArray *text);
QUILLARY_PLUGIN_EXPORT void CloseForm();

namespace quillary {
// The types the host casts dlsym's results to.
using ShowFormFn = void (*)(QWidget *parent);
using OutputCodeFn = QByteArray *(*)(QByteArray *text);
using CloseFormFn = void (*)();
} // namespace quillary
