// The widget API of "DMX USB Pro" interfaces: a microcontroller behind the
// FTDI chip that takes labelled messages,
//
//   0x7E, label, data length (low byte, high byte), data, 0xE7
//
// and answers some of them the same way. Label 6 sends a DMX frame (start
// code and 24..512 slots), label 3 asks for the widget's parameters (break,
// mark-after-break, rate, firmware), label 10 for its serial number.
// Plain C++; any thread; nothing here blocks or allocates on the encode path.
#pragma once

#include "engine/frame_output.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace velantra::pro {

inline constexpr std::uint8_t StartByte = 0x7E;
inline constexpr std::uint8_t EndByte = 0xE7;
inline constexpr std::uint8_t LabelGetParameters = 3;
inline constexpr std::uint8_t LabelSendDmx = 6;
inline constexpr std::uint8_t LabelGetSerial = 10;
// The fewest and most slots a frame message carries (after the start code).
inline constexpr int MinSlots = 24;
inline constexpr int MaxSlots = 512;
// The longest message this program sends or accepts: a full frame.
inline constexpr std::size_t MaxData = 1 + MaxSlots;
inline constexpr std::size_t MaxMessage = 5 + MaxData;
// The widget counts break and mark-after-break in steps of 10.67 µs.
inline constexpr double TimeStepMicros = 10.67;
// The values the widget API publishes: break 9..127 steps, mark-after-break
// 1..127 steps, 0..40 frames a second.
inline constexpr int MinBreakSteps = 9;
inline constexpr int MaxBreakSteps = 127;
inline constexpr int MinMabSteps = 1;
inline constexpr int MaxMabSteps = 127;
inline constexpr int MaxRate = 40;
// The data of the replies to the two requests: the parameters (and none of
// the user configuration, as none is asked for) and the serial number.
inline constexpr std::size_t ParametersReplyData = 5;
inline constexpr std::size_t SerialReplyData = 4;

// A message with label and data into out; its length, or 0 when out is too
// small or data longer than MaxData.
std::size_t encode(std::uint8_t label, std::span<const std::uint8_t> data, std::span<std::uint8_t> out);
// The frame message: the start code and slots 1..slotCount of frame (slotCount is
// raised to MinSlots and cut to MaxSlots). Its length, or 0 when out is too small.
std::size_t encodeFrame(FrameView frame, int slotCount, std::span<std::uint8_t> out);
// The two requests, as the widget wants them.
std::vector<std::uint8_t> parametersRequest();
std::vector<std::uint8_t> serialRequest();

struct Parameters {
    std::uint16_t firmware = 0;
    std::uint8_t breakTime = 0;  // in steps of TimeStepMicros
    std::uint8_t mabTime = 0;    // in steps of TimeStepMicros
    std::uint8_t rate = 0;       // frames a second, 0: as fast as it can
    double breakMicros() const { return breakTime * TimeStepMicros; }
    double mabMicros() const { return mabTime * TimeStepMicros; }
    // Break, mark-after-break and rate are all values the API publishes.
    bool inRange() const
    {
        return breakTime >= MinBreakSteps && breakTime <= MaxBreakSteps && mabTime >= MinMabSteps &&
               mabTime <= MaxMabSteps && rate <= MaxRate;
    }
    int firmwareMajor() const { return firmware >> 8; }
    int firmwareMinor() const { return firmware & 0xFF; }
    friend bool operator==(const Parameters&, const Parameters&) = default;
};
// A parameters reply's data (at least 5 bytes; user bytes after them ignored).
std::optional<Parameters> parseParameters(std::span<const std::uint8_t> data);
// A serial number reply's data: 4 bytes of BCD, low byte first; nullopt when
// not 4 bytes or not decimal digits.
std::optional<std::uint32_t> parseSerial(std::span<const std::uint8_t> data);

// Whether a message with this label can carry length bytes of data: the
// replies to the two requests have their own length, any other message at
// most MaxData.
bool lengthCanBeRight(std::uint8_t label, std::size_t length);

// Finds the messages in what a widget sends back, read in pieces of any
// size: bytes before a start byte are skipped; a message whose length cannot
// be right for its label, or whose end byte is missing, is dropped and the
// search goes on from the next start byte after its start. Holds at most
// MaxMessage bytes.
class ReplyReader {
public:
    using Handler = std::function<void(std::uint8_t label, std::span<const std::uint8_t> data)>;
    void feed(std::span<const std::uint8_t> bytes, const Handler& handler);
    // Nothing more is coming: the message held was cut short. The search
    // goes on from the next start byte after its start; nothing is held after.
    void resync(const Handler& handler);
    void reset() { held_.clear(); }
    bool holding() const { return !held_.empty(); }

private:
    // Hands over every message complete in held_ and drops what cannot be one.
    void scan(const Handler& handler);

    std::vector<std::uint8_t> held_;
};

}  // namespace velantra::pro
