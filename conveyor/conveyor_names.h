// Names of the conveyor's slots: letters, short show names and captions.
#pragma once

#include "desk/conveyor_list.h"

#include <QString>

namespace velantra {

// Key letter of slot 1..20 ('Q' .. 'L'); slot 20 has none (returns 0).
char conveyorLetter(int slot);

// The file name without its directory, cut to its first `length` characters,
// without the extension if one lies within them (Show.vlt gives Show).
QString conveyorShortName(const QString& path, int length);

}  // namespace velantra
