#pragma once

class QWidget;

// Shows the program's help file, program folder + "ghelp.chm", on its default
// topic in the help window, reusing the window when it is already open. The
// window belongs to no other window and does not keep the program running.
// Returns false, silently, when the CHM library, one of its functions or the
// help file is missing or the file cannot be read. `owner` only places a new
// window over it; it may be null.
bool ShowProgramHelp(QWidget *owner);
