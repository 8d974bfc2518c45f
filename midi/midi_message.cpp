#include "midi/midi_message.h"

namespace velantra::midi {

namespace {

constexpr std::uint8_t SysExStart = 0xF0;

// Data bytes of a channel message by its status's high nibble.
int channelDataBytes(std::uint8_t status)
{
    const int type = status & 0xF0;
    return type == 0xC0 || type == 0xD0 ? 1 : 2;
}

// Data bytes of a system common message (0xF1..0xF7).
int systemDataBytes(std::uint8_t status)
{
    switch (status) {
    case 0xF1:  // MTC quarter frame
    case 0xF3:  // song select
        return 1;
    case 0xF2:  // song position
        return 2;
    default:  // tune request, end of exclusive, undefined
        return 0;
    }
}

}  // namespace

void Parser::reset()
{
    status_ = 0;
    have_ = 0;
    inSysEx_ = false;
    systemSkip_ = 0;
}

void Parser::feed(std::span<const std::uint8_t> bytes, const std::function<void(const Message&)>& out)
{
    for (const std::uint8_t byte : bytes) {
        if (byte >= 0xF8) {
            continue;  // real time: may come between any two bytes, changes nothing
        }
        if (byte & 0x80) {
            // Any status ends a system exclusive and drops a half-read message.
            inSysEx_ = byte == SysExStart;
            have_ = 0;
            systemSkip_ = 0;
            if (byte >= 0xF0) {
                status_ = 0;  // system messages end running status
                systemSkip_ = inSysEx_ ? 0 : systemDataBytes(byte);
            } else {
                status_ = byte;
            }
            continue;
        }
        if (inSysEx_) {
            continue;
        }
        if (systemSkip_ > 0) {
            --systemSkip_;
            continue;
        }
        if (status_ == 0) {
            continue;  // a data byte without a status
        }
        data_[have_++] = byte;
        if (have_ < channelDataBytes(status_)) {
            continue;
        }
        have_ = 0;  // complete; the status keeps running
        const auto channel = static_cast<std::uint8_t>(status_ & 0x0F);
        switch (status_ & 0xF0) {
        case 0x80:
            out(Message{Kind::Note, channel, data_[0], 0});
            break;
        case 0x90:
            out(Message{Kind::Note, channel, data_[0], data_[1]});
            break;
        case 0xB0:
            out(Message{Kind::ControlChange, channel, data_[0], data_[1]});
            break;
        case 0xE0:
            out(Message{Kind::PitchBend, channel, 0, static_cast<std::uint16_t>(data_[1] << 7 | data_[0])});
            break;
        default:
            break;  // pressure, program change: not control surface input we bind
        }
    }
}

std::vector<std::uint8_t> encode(const Message& m)
{
    const auto channel = static_cast<std::uint8_t>(m.channel & 0x0F);
    switch (m.kind) {
    case Kind::ControlChange:
        return {static_cast<std::uint8_t>(0xB0 | channel), static_cast<std::uint8_t>(m.number & 0x7F),
                static_cast<std::uint8_t>(m.value & 0x7F)};
    case Kind::Note:
        return {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(m.number & 0x7F),
                static_cast<std::uint8_t>(m.value & 0x7F)};
    case Kind::PitchBend:
        return {static_cast<std::uint8_t>(0xE0 | channel), static_cast<std::uint8_t>(m.value & 0x7F),
                static_cast<std::uint8_t>((m.value >> 7) & 0x7F)};
    }
    return {};
}

}  // namespace velantra::midi
