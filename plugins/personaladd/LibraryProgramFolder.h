#pragma once

#include <QString>

// The program folder as seen from this library: the folder that holds the
// "system/" folder the library was loaded from, ending with "/". When the
// library lies somewhere else, the folder of the running program.
QString LibraryProgramFolder();
