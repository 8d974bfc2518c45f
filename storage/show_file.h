// The show file: the byte image of show memory cells 0..81919 (640 blocks of
// 128 bytes), nothing before or after it.
#pragma once

#include "engine/show_memory.h"
#include "storage/file_result.h"

#include <QString>

namespace velantra {

// GUI thread. Replaces cells 0..81919 with the first 81,920 bytes of the file,
// whatever they hold (a foreign header loads as it is); bytes after them are
// ignored, cell 81920 is never touched. A missing, unreadable or short file
// fails before any cell changes.
FileResult readShowFile(const QString& path, ShowMemory& memory);

// GUI thread. Writes cells 0..81919 as they are (the header is the caller's
// business) through a temporary file renamed over path, so a failed write
// leaves the previous file as it was.
FileResult writeShowFile(const QString& path, const ShowMemory& memory);

}  // namespace velantra
