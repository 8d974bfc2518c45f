// The web remote's messages: what a page sends (one JSON object per WebSocket
// text message, {"do": "<action>", ...}), read into an action or refused, and
// the action carried out on the desk's controls. Plain functions, so the
// server, the tests and the fuzzer use the same ones without a socket.
// QtCore.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <variant>

namespace velantra {

class DeskControls;

namespace remote {

// The largest message a page may send, in bytes.
inline constexpr int MaxMessageBytes = 4096;
// The PIN is this many decimal digits.
inline constexpr int PinDigits = 6;

enum class ActionKind : std::uint8_t {
    Pin,          // text: the PIN the operator typed
    Play,         //
    Stop,         //
    Step,         // value: -1 back, +1 on
    Scene,        // value: the scene as the page shows it, 1..
    Tempo,        // value: TempoMin..TempoMax
    BlackOut,     // B.O.
    BackToScene,  // "On"
    Picture,      // index 1..16, value 0/1: latched on or off
    Flash,        // index 1..16, value 1 down / 0 up: on while held
    Fader,        // index: row 1..27 of the current page, value 0..255
    Page,         // value: the page's offset 0..FaderOffsetMax (channels offset+1..offset+27)
    Chaser,       // index 1..2, value 0/1: "Run always"
    Queue,        // index: the show queue's slot 1..20
};

struct Action {
    ActionKind kind = ActionKind::Play;
    int index = 0;
    int value = 0;
    QString text;

    bool operator==(const Action&) const = default;
};

// Why a message was refused, in English for the page.
struct Refusal {
    QString reason;

    bool operator==(const Refusal&) const = default;
};

using Parsed = std::variant<Action, Refusal>;

// Any thread. Reads one message. Refused: anything but a JSON object of at
// most MaxMessageBytes bytes with a known "do" and exactly that action's keys,
// each of its type and within its range (numbers are whole).
Parsed parseMessage(QByteArrayView text);

// GUI thread. Carries out an action on the desk, as the window's keys and
// MIDI do. Pin does nothing here: the server checks it.
void applyAction(const Action& action, DeskControls& desk);

}  // namespace remote
}  // namespace velantra
