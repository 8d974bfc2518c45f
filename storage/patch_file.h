// The patch file: entries 0..255 of the coder table (the source slot of each
// output slot 0..255) as 256 little-endian 16-bit words, 512 bytes.
#pragma once

#include "engine/atomic_array.h"
#include "engine/engine.h"
#include "storage/file_result.h"

#include <QString>

#include <cstdint>

namespace velantra {

inline constexpr int PatchFileWords = 256;
inline constexpr int PatchFileSize = 2 * PatchFileWords;

// GUI thread. Replaces entries 0..255 with the first 512 bytes of the file;
// bytes after them are ignored, entries 256..512 are never touched. A word
// above 255 would make the output read past its 256-slot copy of the frame:
// that entry gets its own slot number instead, and replaced (when given)
// receives how many did. A missing, unreadable or short file fails before
// any entry changes.
FileResult readPatchFile(const QString& path, AtomicArray<std::uint16_t, CoderEntries>& table, int* replaced = nullptr);

// GUI thread. Writes entries 0..255 as they are through a temporary file
// renamed over path, so a failed write leaves the previous file as it was.
FileResult writePatchFile(const QString& path, const AtomicArray<std::uint16_t, CoderEntries>& table);

}  // namespace velantra
