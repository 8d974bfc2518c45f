// The colour file: the installation's per-channel name colours, border
// colours and gobo codes, 16384 bytes without a header. Each table takes 512
// bytes indexed by channel; the bytes no table uses are written as zeros and
// ignored on reading.
#pragma once

#include "storage/channel_tables.h"
#include "storage/file_result.h"

#include <QString>

namespace velantra {

inline constexpr int ColorFileSize = 16384;

// GUI thread. Replaces the seven tables with the file's. A missing,
// unreadable or short file fails before any table changes.
FileResult readColorFile(const QString& path, ChannelTables& tables);

// GUI thread. Writes the seven tables through a temporary file renamed over
// path, so a failed write leaves the previous file as it was.
FileResult writeColorFile(const QString& path, const ChannelTables& tables);

}  // namespace velantra
