// MIDI channel messages as a control surface sends them, a byte-stream parser
// that tolerates what real ports deliver, and the bytes of a message to send.
// Plain C++, no Qt.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace velantra::midi {

// The kinds a control of a surface sends: a knob or fader (Control Change),
// a key or pad (Note, on and off), a wheel or a 14-bit fader (Pitch Bend).
enum class Kind : std::uint8_t { ControlChange, Note, PitchBend };

struct Message {
    Kind kind = Kind::ControlChange;
    std::uint8_t channel = 0;  // 0..15 (the operator's 1..16)
    std::uint8_t number = 0;   // controller or note 0..127; 0 for Pitch Bend
    std::uint16_t value = 0;   // 0..127; Note: velocity, 0 for note off; Pitch Bend 0..16383

    friend bool operator==(const Message&, const Message&) = default;
};

// The highest value a kind carries.
constexpr std::uint16_t maxValue(Kind kind)
{
    return kind == Kind::PitchBend ? 16383 : 127;
}

// Splits a byte stream into messages, as a port that is read in pieces
// delivers it: running status, system real-time bytes anywhere (ignored),
// system exclusive of any length (skipped), other system messages (skipped,
// they end running status), and a message cut short by a new status byte
// (dropped). Program change, pressures and stray data bytes are skipped.
// One parser per port; any thread, not shared.
class Parser {
public:
    // Feeds bytes; out is called for every complete Control Change, Note or
    // Pitch Bend in them, in order. Note on with velocity 0 is a note off.
    void feed(std::span<const std::uint8_t> bytes, const std::function<void(const Message&)>& out);
    // Forgets a half-read message and the running status (a port reopened).
    void reset();

private:
    std::uint8_t status_ = 0;  // running status, 0 when none
    std::uint8_t data_[2] = {};
    int have_ = 0;  // data bytes of the message in hand
    bool inSysEx_ = false;
    int systemSkip_ = 0;  // data bytes of a system common message still to skip
};

// The bytes of a message (status first, no running status). A Note with
// value 0 is sent as note on with velocity 0, which every device reads as off.
std::vector<std::uint8_t> encode(const Message& message);

}  // namespace velantra::midi
