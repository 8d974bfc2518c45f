// One OSC message read as an order to the desk: its address and typed
// arguments become an action, or a refusal that changes nothing. Plain C++,
// no Qt, no sockets; the server and the fuzzer both call it. Any thread (no
// shared state).
//
// The address space (every address under /velantra; N is a decimal number):
//
//   /velantra/play                 play the show       (no argument, or 1 / T / 1.0;
//   /velantra/stop                 stop                 0 / F / 0.0 is a release: nothing)
//   /velantra/step [i]             -1 a scene back, +1 (or no argument) a scene on
//   /velantra/scene i              go to scene i, counted from 1 as the window shows it
//   /velantra/tempo f|i            f 0..1 over the tempo range 10..170, i the tempo itself
//   /velantra/fader/N f|i          fader N (1..27) of the page shown: f 0..1, i 0..255
//   /velantra/page f|i             the page offset: i 0..228 (fader 1 shows channel i + 1),
//                                  f 0..1 over 0..228
//   /velantra/picture/N [i]        static picture N (1..16): 1 on, 0 off (a button box
//                                  sends 1 on press and 0 on release); no argument: toggle
//   /velantra/blackout [i]         1 blackout, 0 back to the scene (as "On"); no argument: toggle
//   /velantra/chaser/N [i]         chaser N (1..2) "Run always" on (1) or off (0); no argument: toggle
//   /velantra/chaser/N/speed f|i   chaser N's speed: f 0..1 over 5..50, i 5..50
//   /velantra/conveyor/N           the show queue's slot N (1..20), as its key
//   /velantra/queue/N              the same
//   /velantra/feedback [i]         1 (or no argument): feedback to the sender's address and
//                                  port; 0: no more feedback to the sender; 2..65535:
//                                  feedback to that port of the sender's host
//   /velantra/subscribe [i]        feedback to the sender, or to port i (2..65535) of its host
//   /velantra/unsubscribe [i]      no more feedback to the sender, or to port i of its host
//                                  (subscribe 0 and unsubscribe 0 are releases: nothing)
//
// Arguments: i (32 bit) and h (64 bit) integers, f and d floats, T and F;
// a switch value (play, picture, blackout ...) is i 0 or 1, f 0..1 (on from
// 0.5) or T / F. A level, tempo, page or speed given as a float is a
// fraction of its range, as an integer the value itself. A value outside its
// range, an argument of another type (s, b, N ...), more than one argument
// or an unknown address is refused and changes nothing.
#pragma once

#include <lo/lo_types.h>

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace velantra::osc {

// One argument as far as the desk cares: an integer, a float, true or false,
// or anything else (a string, a blob, nil ...).
struct Arg {
    enum class Type : std::uint8_t { Int, Float, True, False, Other };
    Type type = Type::Other;
    double number = 0;  // the value of Int and Float

    static Arg integer(std::int64_t v) { return {Type::Int, static_cast<double>(v)}; }
    static Arg real(double v) { return {Type::Float, v}; }
    static Arg yes() { return {Type::True, 1}; }
    static Arg no() { return {Type::False, 0}; }
    static Arg other() { return {Type::Other, 0}; }
};

enum class ActionKind : std::uint8_t {
    Nothing,  // accepted, nothing to do (a button's release)
    Play,
    Stop,
    Step,          // value -1 or +1
    Scene,         // value: the scene, 1-based
    Tempo,         // value TempoMin..TempoMax
    Fader,         // index 1..27, value 0..255
    Page,          // value 0..FaderOffsetMax
    Picture,       // index 1..16, value 0, 1 or Toggle
    BlackOut,      // value 0 (back to the scene), 1 or Toggle
    ChaserRun,     // index 1..2, value 0, 1 or Toggle
    ChaserSpeed,   // index 1..2, value AutomatTempoMin..AutomatTempoMax
    ConveyorSlot,  // index 1..20
    Feedback,      // value 1: feedback to the sender's port, or to port 2..65535 of its host
    Unsubscribe,   // value 1: no more feedback to the sender, or to port 2..65535 of its host
};

inline constexpr int Toggle = -1;

struct Action {
    ActionKind kind = ActionKind::Nothing;
    int index = 0;
    int value = 0;

    friend bool operator==(const Action&, const Action&) = default;
};

enum class Refusal : std::uint8_t {
    None,
    UnknownAddress,
    BadIndex,      // N is not a number of that control
    BadArguments,  // wrong number or type of arguments
    OutOfRange,    // a value outside its range, or not a number at all
    BadPacket,     // bytes that are no OSC message
};

struct Decision {
    Refusal refusal = Refusal::None;
    Action action;

    bool accepted() const { return refusal == Refusal::None; }
    friend bool operator==(const Decision&, const Decision&) = default;
};

// The action of an address with its arguments, or why it is refused.
Decision decide(std::string_view address, std::span<const Arg> args);

// A message's arguments as liblo gives them (types string and values).
// types may be null when argc is 0.
std::vector<Arg> argsOf(const char* types, lo_arg** argv, int argc);

}  // namespace velantra::osc
