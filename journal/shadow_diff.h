// What changed in the show since it was last journaled: a copy of the image
// as journaled (the shadow) compared with a snapshot of show memory.
#pragma once

#include "engine/show_memory.h"
#include "journal/journal_format.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace velantra {

// What changes() found: the ranges, and the image that holds their new bytes
// (the shadow, valid until the next changes() or reset()).
struct ShowChanges {
    std::vector<ByteRange> ranges;
    ShowImage image;
};

class ShadowDiff {
public:
    // Runs of changed bytes closer than this are journaled as one range.
    static constexpr int MergeGap = 16;

    // GUI thread. The shadow starts as all zeros; reset() it to the journal's base.
    ShadowDiff();

    // GUI thread. The shadow becomes cells 0..81919 of memory (after a save,
    // an open or a new show, together with JournalWriter::start/restart).
    void reset(const ShowMemory& memory);
    // GUI thread. The shadow becomes image (the bytes a save just wrote, or
    // the base a recovered journal was replayed on).
    void reset(ShowImage image);

    // GUI thread, a few times a second. Never blocks. Snapshots cells
    // 0..81919 (relaxed reads, as every reader of show memory does), returns
    // the ranges that differ from the shadow, in ascending order, and makes
    // the snapshot the new shadow. Costs a copy and a compare of 80 KB.
    // Hand the result to JournalWriter::append().
    ShowChanges changes(const ShowMemory& memory);

    // GUI thread. The shadow: the image as of the last changes() or reset().
    ShowImage image() const { return ShowImage(shadow_->data(), ShowFileSize); }

private:
    using Image = std::array<std::uint8_t, ShowFileSize>;
    std::unique_ptr<Image> shadow_;
    std::unique_ptr<Image> snapshot_;
};

}  // namespace velantra
