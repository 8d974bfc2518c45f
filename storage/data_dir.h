// The fixed data directory of the program, decided in this one place.
#pragma once

#include <QString>

namespace velantra {

// GUI thread. The data directory with a trailing separator:
// $XDG_DATA_HOME/korvex/velantra/ on Linux, C:/KORVEX/VELANTRA/ on Windows.
QString dataDirectory();

// GUI thread. Creates the data directory if it is missing; false when it
// cannot be created (the fixed-file operations then report their own errors).
bool ensureDataDirectory();

// GUI thread. Path of a fixed file in the data directory ("Vela43.ini", ...).
QString dataFile(const QString& name);

}  // namespace velantra
