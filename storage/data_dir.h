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

// GUI thread. Removes what a save killed halfway leaves beside a fixed file:
// "Vela43.<ext>.XXXXXX" temporaries not written to for a minute (a younger
// one may belong to a save still running). Returns how many were removed.
int removeStaleSaveLeftovers();

// GUI thread. Path of a fixed file in the data directory ("Vela43.ini", ...).
QString dataFile(const QString& name);

// GUI thread. The program's fixed files, named here once: the settings, the
// autosave copy of the show, the channel colours, the default output patch
// the MIDI bindings, the further universes and the edit journal.
QString settingsFile();      // Vela43.ini
QString autosaveFile();      // Vela43.vlt
QString colourFile();        // Vela43.col
QString defaultPatchFile();  // Vela43.vdx
QString midiBindingsFile();  // Vela43.midi
QString universesFile();     // Vela43.universes
QString journalFile();       // Vela43.vlj, the edit journal of the open show

// GUI thread. The folder of show copies and journals set aside, with a
// trailing separator: <data directory>recovery/.
QString recoveryDirectory();

}  // namespace velantra
