#include "journal/shadow_diff.h"

#include <algorithm>
#include <utility>

namespace velantra {

ShadowDiff::ShadowDiff()
    : shadow_(std::make_unique<Image>())
    , snapshot_(std::make_unique<Image>())
{
    shadow_->fill(0);
    snapshot_->fill(0);
}

void ShadowDiff::reset(const ShowMemory& memory)
{
    memory.copyOut(0, ShowFileSize, shadow_->data());
}

void ShadowDiff::reset(ShowImage image)
{
    std::copy(image.begin(), image.end(), shadow_->begin());
}

ShowChanges ShadowDiff::changes(const ShowMemory& memory)
{
    memory.copyOut(0, ShowFileSize, snapshot_->data());
    std::vector<ByteRange> ranges = differingRanges(shadow_->data(), snapshot_->data(), ShowFileSize, MergeGap);
    std::swap(shadow_, snapshot_);
    return {std::move(ranges), image()};
}

}  // namespace velantra
