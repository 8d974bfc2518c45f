// What a control surface's controls are bound to: the sources (a controller's
// fader, key or wheel on a channel), the program's targets, and the bindings
// of each controller, with the words the bindings file spells them in.
// Plain C++, no Qt.
#pragma once

#include "midi/midi_message.h"

#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velantra::midi {

// A control of a surface: what it sends, on which channel, which number.
struct Source {
    Kind kind = Kind::ControlChange;
    std::uint8_t channel = 0;  // 0..15
    std::uint8_t number = 0;   // 0 for Pitch Bend

    static Source of(const Message& m)
    {
        return {m.kind, m.channel, m.kind == Kind::PitchBend ? std::uint8_t{0} : m.number};
    }
    friend auto operator<=>(const Source&, const Source&) = default;
};

enum class TargetKind : std::uint8_t {
    Fader,     // fader 1..27 of the page shown
    PageBar,   // the fader bank's page bar
    LevelAll,  // level of the selected channels
    Tempo,     // the sequencer's tempo
    Play,
    Stop,
    BlackOut,      // blackout on and off
    Macro,         // the "M" macro on and off
    Picture,       // static picture 1..16, held while the key is down
    ConveyorSlot,  // conveyor slot 1..20
    AutomatOn,     // automat 1..2 running on its own, on and off
    AutomatSpeed,  // automat 1..2's speed
};

struct Target {
    TargetKind kind = TargetKind::Fader;
    std::uint8_t index = 0;  // 1-based where the kind has several, else 0

    friend auto operator<=>(const Target&, const Target&) = default;
};

// Whether a target takes a value (a fader) rather than presses (a button).
bool isContinuous(TargetKind kind);
// Whether a button target acts while held (pressed and released) rather than
// once per press.
bool isHeld(TargetKind kind);
// How many of a kind there are (27 faders, 16 pictures ...); 1 for single ones.
int targetCount(TargetKind kind);
// Every target, in the order the MIDI page lists them.
std::vector<Target> allTargets();

// The file's words: "fader 5", "tempo", "picture 16"; "cc 1 7", "note 10 36", "bend 2"
// (channels 1..16 as operators count them).
std::string targetText(const Target& target);
std::optional<Target> parseTarget(std::string_view text);
std::string sourceText(const Source& source);
std::optional<Source> parseSource(std::string_view text);

// The bindings of one controller: a source drives one target and a target is
// driven by one source; binding either again moves it.
class BindingSet {
public:
    void bind(const Source& source, const Target& target);
    void unbind(const Target& target);
    std::optional<Target> targetOf(const Source& source) const;
    std::optional<Source> sourceOf(const Target& target) const;
    const std::map<Source, Target>& bySource() const { return bySource_; }
    bool empty() const { return bySource_.empty(); }
    friend bool operator==(const BindingSet&, const BindingSet&) = default;

private:
    std::map<Source, Target> bySource_;
};

// Everything the bindings file keeps: the ports chosen, pick-up, and the
// bindings per controller (the port's name without the system's numbers).
struct Bindings {
    static constexpr const char* AllInputs = "*";
    std::string input = AllInputs;  // a controller's name, or AllInputs
    std::string output;             // the feedback port's name, empty for none
    bool pickUp = true;
    std::string api;  // the MIDI system: "alsa", "jack", empty for the platform's own
    std::map<std::string, BindingSet> controllers;
    friend bool operator==(const Bindings&, const Bindings&) = default;
};

// A port's name without what the system numbers it by (ALSA's " 24:0"), so a
// controller plugged in again, into another socket, is the same controller.
std::string controllerName(std::string_view portName);

}  // namespace velantra::midi
