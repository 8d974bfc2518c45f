// The settings file "Vela43.ini": the twenty conveyor entries, the last show
// and the output patch file in use, in a Windows-style initialisation file:
//
//   [Konveir]
//   File01=C:\shows\Gala.vlt
//   ...
//   File20=
//
//   [LastFile]
//   Path=C:\shows\Gala.vlt
//   Coder=C:\KORVEX\VELANTRA\Vela43.vdx
//
// Values are file names in the system's 8-bit encoding (Windows-1251 on
// Windows, the file-name encoding elsewhere), without quotes or escapes.
#pragma once

#include "storage/file_result.h"

#include <QString>

#include <array>

namespace velantra {

inline constexpr int KonveirEntryCount = 20;

struct Settings {
    std::array<QString, KonveirEntryCount> konveir;  // "Konveir"/"File01".."File20"
    QString path;                                    // "LastFile"/"Path": the last show
    QString coder;                                   // "LastFile"/"Coder": the output patch file

    bool operator==(const Settings&) const = default;
};

// GUI thread. Reads the file the way Windows reads such files: section and key
// names in any case, blanks around '=' ignored, ';' or '#' starts a comment only
// at the start of a line, the first of a repeated key counts. A missing file or
// key reads as an empty value.
Settings readSettings(const QString& iniPath);

// GUI thread. Writes all twenty "Konveir" keys (empty ones as "File07="), then
// "Path" and "Coder", through a temporary file renamed over iniPath. A refused
// write gives "Unable to write to <iniPath>" and leaves the previous file as it
// was. A value with a line break cannot be kept in this format and is written
// empty; blanks at either end of a value do not survive a read.
FileResult writeSettings(const QString& iniPath, const Settings& settings);

}  // namespace velantra
