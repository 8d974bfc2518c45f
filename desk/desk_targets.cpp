#include "desk/desk_targets.h"

#include "desk/player.h"
#include "engine/automat.h"
#include "engine/sequencer.h"

namespace velantra {

using midi::Target;
using midi::TargetKind;
using Control = DeskControls::Control;

DeskTargets::DeskTargets(DeskControls& desk, std::function<void(const Target&)> changed)
    : QObject(&desk)
    , desk_(desk)
    , changed_(std::move(changed))
{
    connect(&desk_, &DeskControls::changed, this, &DeskTargets::tell);
    // A step of play shows another scene on every fader.
    connect(&desk_.player(), &Player::stepped, this, [this] { tell(Control::PageOffset, 0); });
}

void DeskTargets::tell(Control control, int index)
{
    if (!changed_) {
        return;
    }
    const auto one = [this](TargetKind kind, int i) { changed_(Target{kind, static_cast<std::uint8_t>(i)}); };
    switch (control) {
    case Control::Fader:
        one(TargetKind::Fader, index);
        break;
    case Control::PageOffset:
        one(TargetKind::PageBar, 0);
        for (int row = 1; row <= FaderCount; ++row) {
            one(TargetKind::Fader, row);
        }
        break;
    case Control::LevelAll:
        one(TargetKind::LevelAll, 0);
        break;
    case Control::Tempo:
        one(TargetKind::Tempo, 0);
        break;
    case Control::Playing:
        one(TargetKind::Play, 0);
        one(TargetKind::Stop, 0);
        break;
    case Control::BlackOut:
        one(TargetKind::BlackOut, 0);
        break;
    case Control::Macro:
        one(TargetKind::Macro, 0);
        break;
    case Control::Picture:
        one(TargetKind::Picture, index);
        break;
    case Control::AutomatAlone:
        one(TargetKind::AutomatOn, index);
        break;
    case Control::AutomatSpeed:
        one(TargetKind::AutomatSpeed, index);
        break;
    case Control::ConveyorSlot:
        for (int k = 1; k <= ConveyorSlots; ++k) {
            one(TargetKind::ConveyorSlot, k);
        }
        break;
    case Control::Scene:
        break;  // no MIDI target follows the scene
    }
}

midi::Range DeskTargets::range(const Target& t) const
{
    switch (t.kind) {
    case TargetKind::Fader:
    case TargetKind::LevelAll:
        return {0, 255};
    case TargetKind::PageBar:
        return {0, FaderOffsetMax};
    case TargetKind::Tempo:
        return {TempoMin, TempoMax};
    case TargetKind::AutomatSpeed:
        return {AutomatTempoMin, AutomatTempoMax};
    default:
        return {0, 1};
    }
}

int DeskTargets::value(const Target& t) const
{
    switch (t.kind) {
    case TargetKind::Fader:
        return desk_.faderValue(t.index);
    case TargetKind::PageBar:
        return desk_.pageOffset();
    case TargetKind::LevelAll:
        return desk_.levelAll();
    case TargetKind::Tempo:
        return desk_.tempo();
    case TargetKind::AutomatSpeed:
        return desk_.automatSpeed(t.index);
    case TargetKind::Play:
        return desk_.playing() ? 1 : 0;
    case TargetKind::Stop:
        return desk_.playing() ? 0 : 1;
    case TargetKind::BlackOut:
        return desk_.blackOut() ? 1 : 0;
    case TargetKind::Macro:
        return desk_.macro() ? 1 : 0;
    case TargetKind::Picture:
        return desk_.picture(t.index) ? 1 : 0;
    case TargetKind::ConveyorSlot:
        return desk_.conveyorSlot() == t.index ? 1 : 0;
    case TargetKind::AutomatOn:
        return desk_.automatAlone(t.index) ? 1 : 0;
    }
    return 0;
}

void DeskTargets::set(const Target& t, int value)
{
    switch (t.kind) {
    case TargetKind::Fader:
        desk_.moveFader(t.index, value);
        break;
    case TargetKind::PageBar:
        desk_.setPageOffset(value);
        break;
    case TargetKind::LevelAll:
        desk_.setLevelAll(value);
        break;
    case TargetKind::Tempo:
        desk_.setTempo(value);
        break;
    case TargetKind::AutomatSpeed:
        desk_.setAutomatSpeed(t.index, value);
        break;
    default:
        break;
    }
}

void DeskTargets::press(const Target& t, bool down)
{
    switch (t.kind) {
    case TargetKind::Play:
        desk_.play();
        break;
    case TargetKind::Stop:
        desk_.stop();
        break;
    case TargetKind::BlackOut:
        // Each press switches the mode on, or back to the scene.
        desk_.blackOut() ? desk_.backToScene() : desk_.setBlackOut(true);
        break;
    case TargetKind::Macro:
        desk_.macro() ? desk_.backToScene() : desk_.setMacro(true);
        break;
    case TargetKind::Picture:
        desk_.setPicture(t.index, down);
        break;
    case TargetKind::ConveyorSlot:
        desk_.chooseConveyorSlot(t.index);
        break;
    case TargetKind::AutomatOn:
        desk_.setAutomatAlone(t.index, !desk_.automatAlone(t.index));
        break;
    default:
        break;
    }
}

}  // namespace velantra
