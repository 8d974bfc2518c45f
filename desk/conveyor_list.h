// The show conveyor's list: twenty slots, each with a show file (empty: no
// show) and a down flag, the mode and the position the next step looks at.
#pragma once

#include <QString>

#include <array>
#include <optional>

namespace velantra {

inline constexpr int ConveyorSlots = 20;

class ConveyorList {
public:
    // Hand: a slot's key loads its show at once. List: each wrap of the show
    // plays the next slot that is down. Off: slots can be set, nothing plays.
    enum class Mode { Hand, List, Off };

    // Any thread that owns the list. Slot k is 1..20.
    const QString& file(int k) const { return files[index(k)]; }
    void setFile(int k, const QString& path) { files[index(k)] = path; }
    bool filled(int k) const { return !file(k).isEmpty(); }
    bool down(int k) const { return down_[index(k)]; }
    void setDown(int k, bool isDown) { down_[index(k)] = isDown; }
    void allUp() { down_.fill(false); }

    // Shows of the twenty slots, full paths; empty: no show.
    std::array<QString, ConveyorSlots> files;
    Mode mode = Mode::Hand;
    // The slot the next step looks at first, 1..20.
    int position = 1;

    // The next step: the first slot from the position on that is down and
    // filled gives its show; the position then moves past it (after slot 20
    // back to 1). shown: the position the step stopped at (1..20), or 0 when
    // it found no show. Returns the show to load, if any.
    struct Step {
        std::optional<QString> show;
        int shown = 0;
    };
    Step next()
    {
        Step step;
        // Only one show per step: once slot k is taken the position stays at
        // k, which no later index of this pass matches.
        for (int k = 1; k <= ConveyorSlots; ++k) {
            if (position != k) {
                continue;
            }
            if (down(k) && filled(k)) {
                step.show = file(k);
            } else {
                position = k + 1;
            }
        }
        step.shown = position <= ConveyorSlots ? position : 0;
        position = position + 1 > ConveyorSlots ? 1 : position + 1;
        return step;
    }

private:
    static std::size_t index(int k) { return static_cast<std::size_t>(k - 1); }

    std::array<bool, ConveyorSlots> down_{};
};

}  // namespace velantra
