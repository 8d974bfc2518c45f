// The further universes' file: for the desk's universes 2..4, the channel
// that feeds each of their 512 slots, as JSON:
//
//   {"format": "velantra-universes", "version": 1,
//    "universes": [{"universe": 2, "slots": [0, 1, 2, ... 512 numbers]}]}
//
// A universe that is not listed has nothing patched. The file is refused
// whole, before anything changes, when it is not such a document: a wrong
// format or version, a universe outside 2..4 or listed twice, a slot list
// that is not 512 whole numbers 0..255.
#pragma once

#include "engine/further_patch.h"
#include "storage/file_result.h"

#include <QString>

namespace velantra {

inline constexpr qint64 UniversesFileMaxSize = 256 * 1024;

// GUI thread. Replaces every further universe with the file's.
FileResult readUniversesFile(const QString& path, FurtherPatch& patch);

// GUI thread. Writes the universes that have a slot patched, through a
// temporary file renamed over path.
FileResult writeUniversesFile(const QString& path, const FurtherPatch& patch);

}  // namespace velantra
