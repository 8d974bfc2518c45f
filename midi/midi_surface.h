// A control surface driving the program's targets: a message is looked up in
// its controller's bindings and scaled to its target's range, pick-up holds a
// fader back until it meets the program's value, learning binds the first
// control moved, every change of a bound target becomes the message that
// sets the surface's fader or lamp to it, and what a controller holds down is
// let go when the controller goes. Plain C++, no Qt; GUI thread.
#pragma once

#include "midi/midi_binding.h"
#include "midi/midi_message.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace velantra::midi {

struct Range {
    int min = 0;
    int max = 127;
};

// The program's side of the targets. GUI thread.
class TargetAccess {
public:
    virtual ~TargetAccess() = default;
    // A continuous target's range of values.
    virtual Range range(const Target& target) const = 0;
    // A continuous target's value, or a button target's state (1 on, 0 off).
    virtual int value(const Target& target) const = 0;
    // A continuous target moved to value (within its range).
    virtual void set(const Target& target, int value) = 0;
    // A button target's key went down or up.
    virtual void press(const Target& target, bool down) = 0;
};

// value 0..maxValue(kind) on the surface to the target's range, and back.
int toProgram(std::uint16_t physical, Kind kind, Range range);
std::uint16_t toPhysical(int value, Kind kind, Range range);

class Surface {
public:
    enum class Outcome {
        Unbound,   // no binding for the message (and not learning)
        Acted,     // the target was set or pressed
        HeldBack,  // pick-up: the fader has not met the program's value yet
        Learned,   // learning bound the message's control to the target learned
    };

    // bindings and access must outlive the surface.
    Surface(Bindings& bindings, TargetAccess& access);

    // A message from the controller's port. low and high: the values the
    // control passed through since its previous message (a coalesced sweep),
    // message's own value when not given.
    Outcome receive(const std::string& controller, const Message& message);
    Outcome receive(const std::string& controller, const Message& message, std::uint16_t low, std::uint16_t high);

    // Learning: the next Control Change, note on or Pitch Bend binds its
    // control to target (nullopt: learning off).
    void learn(std::optional<Target> target) { learning_ = target; }
    std::optional<Target> learning() const { return learning_; }

    // The messages that set the feedback controller's control of target to
    // the target's value now; none when the control already shows it (it
    // was moved there, or sent there, whichever came last).
    std::vector<Message> feedback(const Target& target);
    // The messages for every bound target (a feedback port just opened).
    std::vector<Message> allFeedback();

    // The controller went (its port closed): what it held down is let go,
    // unless another controller still holds it, and where its controls
    // stand is forgotten. Returns the targets let go.
    std::vector<Target> release(const std::string& controller);

private:
    struct State {
        std::optional<std::uint16_t> last;  // where the control was last seen moving
        std::optional<int> shown;           // what it shows: its last move or what was sent, whichever came last
        bool caught = false;                // pick-up: the control follows
    };
    using Key = std::pair<std::string, Source>;

    Outcome move(const std::string& controller, State& state, const Target& target, const Message& message,
                 std::uint16_t low, std::uint16_t high);
    // The controllers whose bindings feedback goes to.
    std::vector<const std::pair<const std::string, BindingSet>*> feedbackSets() const;
    std::optional<Message> feedbackFor(const std::string& controller, const Source& source, const Target& target);

    Bindings& bindings_;
    TargetAccess& access_;
    std::optional<Target> learning_;
    std::map<Key, State> states_;
    std::set<std::pair<std::string, Target>> held_;  // held targets a controller keeps down
};

}  // namespace velantra::midi
