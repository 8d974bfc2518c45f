#include "link/pro_widget.h"

#include <algorithm>

namespace velantra::pro {

std::size_t encode(std::uint8_t label, std::span<const std::uint8_t> data, std::span<std::uint8_t> out)
{
    const std::size_t length = data.size() + 5;
    if (data.size() > MaxData || out.size() < length) {
        return 0;
    }
    out[0] = StartByte;
    out[1] = label;
    out[2] = static_cast<std::uint8_t>(data.size() & 0xFF);
    out[3] = static_cast<std::uint8_t>(data.size() >> 8);
    std::copy(data.begin(), data.end(), out.begin() + 4);
    out[length - 1] = EndByte;
    return length;
}

std::size_t encodeFrame(FrameView frame, int slotCount, std::span<std::uint8_t> out)
{
    const int n = std::clamp(slotCount, MinSlots, MaxSlots);
    return encode(LabelSendDmx, frame.first(static_cast<std::size_t>(n) + 1), out);
}

std::vector<std::uint8_t> parametersRequest()
{
    // The data is the size of the user configuration wanted back: none.
    return {StartByte, LabelGetParameters, 2, 0, 0, 0, EndByte};
}

std::vector<std::uint8_t> serialRequest()
{
    return {StartByte, LabelGetSerial, 0, 0, EndByte};
}

std::optional<Parameters> parseParameters(std::span<const std::uint8_t> data)
{
    if (data.size() < 5) {
        return std::nullopt;
    }
    return Parameters{static_cast<std::uint16_t>(data[0] | data[1] << 8), data[2], data[3], data[4]};
}

std::optional<std::uint32_t> parseSerial(std::span<const std::uint8_t> data)
{
    if (data.size() != 4) {
        return std::nullopt;
    }
    std::uint32_t serial = 0;
    for (int i = 3; i >= 0; --i) {
        const std::uint8_t b = data[static_cast<std::size_t>(i)];
        if ((b >> 4) > 9 || (b & 0x0F) > 9) {
            return std::nullopt;
        }
        serial = serial * 100 + static_cast<std::uint32_t>((b >> 4) * 10 + (b & 0x0F));
    }
    return serial;
}

bool lengthCanBeRight(std::uint8_t label, std::size_t length)
{
    switch (label) {
    case LabelGetParameters:
        return length == ParametersReplyData;
    case LabelGetSerial:
        return length == SerialReplyData;
    default:
        return length <= MaxData;
    }
}

void ReplyReader::resync(const Handler& handler)
{
    // Every message still held is cut short too: each one's start is dropped in turn.
    while (!held_.empty()) {
        const std::vector<std::uint8_t> after(held_.begin() + 1, held_.end());
        held_.clear();
        feed(after, handler);
    }
}

void ReplyReader::feed(std::span<const std::uint8_t> bytes, const Handler& handler)
{
    for (const std::uint8_t byte : bytes) {
        if (held_.empty() && byte != StartByte) {
            continue;  // noise before a message
        }
        held_.push_back(byte);
        scan(handler);
    }
}

void ReplyReader::scan(const Handler& handler)
{
    while (held_.size() >= 4) {
        const std::size_t length = static_cast<std::size_t>(held_[2] | held_[3] << 8);
        const bool wrong = !lengthCanBeRight(held_[1], length);
        if (!wrong && held_.size() < length + 5) {
            return;  // more to come
        }
        std::size_t used = 1;  // not a message: only its start byte is dropped
        if (!wrong && held_[length + 4] == EndByte) {
            handler(held_[1], std::span<const std::uint8_t>(held_).subspan(4, length));
            used = length + 5;
        }
        // What follows may already be the next message: it starts at the next start byte.
        const auto next = std::find(held_.begin() + static_cast<std::ptrdiff_t>(used), held_.end(), StartByte);
        held_.erase(held_.begin(), next);
    }
}

}  // namespace velantra::pro
