// Control states read by the output tick.
//
// The widgets own the controls; every change the operator makes is mirrored
// into these atomics by the widget's handler on the GUI thread, and the tick
// only ever reads them. The tick never touches a widget.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace velantra {

inline constexpr int FaderCount = 27;

// Items of the smoothing radio group "Плавность перехода  сцен ".
enum class RateMode : std::int8_t {
    None = -1,    // no item selected: the scene layer writes nothing
    Faders = 0,   // "Фейдера": per-channel fade rates
    Automat = 1,  // "Автомат": sequencer glide steps while playing
    Off = 2,      // "Выкл": scene levels taken at once
};

struct ControlStates {
    std::atomic<RateMode> rateMode{RateMode::Faders};                   // RadioGroupRate
    std::array<std::atomic<bool>, 16> pictureOn{};                      // CheckBoxChs1..CheckBoxChsM
    std::atomic<bool> manual{false};                                    // CheckBoxManual
    std::array<std::atomic<std::uint8_t>, FaderCount> faderPosition{};  // ScrollBar1..27
    std::array<std::atomic<bool>, FaderCount> faderChecked{};           // CheckBox1..27
    std::atomic<bool> blackOut{false};                                  // CheckBoxBlackOut
    std::atomic<bool> macroDown{false};                                 // SpeedButtonMacrosOut down
    std::atomic<bool> noUsbConnect{false};                              // CheckBoxNoUSBconnect
};

// What the tick publishes for the GUI thread to apply; the GUI polls it.
struct TickOutputs {
    // Visibility of SpeedButtonBlackOut: toggled by every tick during blackout.
    std::atomic<bool> blackOutButtonVisible{true};
    // Ticks run since start; lets the GUI notice a new frame.
    std::atomic<std::uint64_t> tickCount{0};
};

}  // namespace velantra
