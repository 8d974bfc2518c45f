// OSC's actions carried out through the desk's controls, as every other
// surface does, and the desk's values as the feedback's messages.
// QtCore; GUI thread.
#pragma once

#include "osc/osc_message.h"

#include <string>
#include <vector>

namespace velantra {
class DeskControls;
}

namespace velantra::osc {

// Carries action out. Refusal::OutOfRange for a scene past the show's last
// one (nothing changes); Nothing, Feedback and Unsubscribe leave the desk
// alone (the server keeps the feedback).
Refusal applyTo(DeskControls& desk, const Action& action);

// One message of the feedback: an integer (switches, the scene) or a float
// 0..1 over the control's range (faders, tempo, page, chaser speeds).
struct FeedbackValue {
    std::string address;
    bool isFloat = false;
    int i = 0;
    float f = 0;

    friend bool operator==(const FeedbackValue&, const FeedbackValue&) = default;
};

// The desk's values at the addresses a surface drives them by, always in the
// same order: play, stop, blackout, scene, tempo, page, faders 1..27,
// pictures 1..16, chasers 1..2, their speeds, the show queue's slots 1..20.
std::vector<FeedbackValue> feedbackValues(const DeskControls& desk);

}  // namespace velantra::osc
