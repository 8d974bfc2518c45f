#include "osc/osc_desk.h"

#include "desk/conveyor_list.h"
#include "desk/desk_controls.h"
#include "engine/automat.h"
#include "engine/controls.h"
#include "engine/sequencer.h"
#include "engine/shared_values.h"

namespace velantra::osc {

namespace {

bool switched(int value, bool now)
{
    return value == Toggle ? !now : value != 0;
}

float fraction(int value, int lo, int hi)
{
    return static_cast<float>(value - lo) / static_cast<float>(hi - lo);
}

}  // namespace

Refusal applyTo(DeskControls& desk, const Action& action)
{
    const int n = action.index;
    const int v = action.value;
    switch (action.kind) {
    case ActionKind::Nothing:
    case ActionKind::Feedback:
    case ActionKind::Unsubscribe:
        break;
    case ActionKind::Play:
        desk.play();
        break;
    case ActionKind::Stop:
        desk.stop();
        break;
    case ActionKind::Step:
        desk.stepScene(v);
        break;
    case ActionKind::Scene:
        if (v < 1 || v - 1 > desk.lastScene()) {
            return Refusal::OutOfRange;
        }
        desk.goToScene(v - 1);
        break;
    case ActionKind::Tempo:
        desk.setTempo(v);
        break;
    case ActionKind::Fader:
        desk.moveFader(n, v);
        break;
    case ActionKind::Page:
        desk.setPageOffset(v);
        break;
    case ActionKind::Picture:
        desk.setPicture(n, switched(v, desk.picture(n)));
        break;
    case ActionKind::BlackOut:
        // On as the blackout key; off as "On": back to the scene.
        switched(v, desk.blackOut()) ? desk.setBlackOut(true) : desk.backToScene();
        break;
    case ActionKind::ChaserRun:
        desk.setAutomatAlone(n, switched(v, desk.automatAlone(n)));
        break;
    case ActionKind::ChaserSpeed:
        desk.setAutomatSpeed(n, v);
        break;
    case ActionKind::ConveyorSlot:
        desk.chooseConveyorSlot(n);
        break;
    }
    return Refusal::None;
}

std::vector<FeedbackValue> feedbackValues(const DeskControls& desk)
{
    std::vector<FeedbackValue> values;
    values.reserve(6 + FaderCount + 16 + 2 * AutomatCount + ConveyorSlots);
    const auto integer = [&values](std::string address, int i) { values.push_back({std::move(address), false, i, 0}); };
    const auto real = [&values](std::string address, float f) { values.push_back({std::move(address), true, 0, f}); };
    const std::string root = "/velantra/";
    integer(root + "play", desk.playing() ? 1 : 0);
    integer(root + "stop", desk.playing() ? 0 : 1);
    integer(root + "blackout", desk.blackOut() ? 1 : 0);
    integer(root + "scene", desk.scene() + 1);
    real(root + "tempo", fraction(desk.tempo(), TempoMin, TempoMax));
    real(root + "page", fraction(desk.pageOffset(), 0, FaderOffsetMax));
    for (int row = 1; row <= FaderCount; ++row) {
        real(root + "fader/" + std::to_string(row), fraction(desk.faderValue(row), 0, 255));
    }
    for (int k = 1; k <= 16; ++k) {
        integer(root + "picture/" + std::to_string(k), desk.picture(k) ? 1 : 0);
    }
    for (int a = 1; a <= AutomatCount; ++a) {
        integer(root + "chaser/" + std::to_string(a), desk.automatAlone(a) ? 1 : 0);
    }
    for (int a = 1; a <= AutomatCount; ++a) {
        real(root + "chaser/" + std::to_string(a) + "/speed",
             fraction(desk.automatSpeed(a), AutomatTempoMin, AutomatTempoMax));
    }
    for (int k = 1; k <= ConveyorSlots; ++k) {
        integer(root + "conveyor/" + std::to_string(k), desk.conveyorSlot() == k ? 1 : 0);
    }
    return values;
}

}  // namespace velantra::osc
