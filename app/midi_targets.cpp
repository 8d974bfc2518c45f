#include "app/midi_targets.h"

#include "app/base.h"
#include "conveyor/conveyor_group.h"
#include "desk/desk_controls.h"
#include "effects/automats_page.h"
#include "engine/automat.h"
#include "engine/sequencer.h"
#include "programming/fader_page.h"
#include "programming/pictures_tab.h"
#include "programming/sequencer_page.h"
#include "programming/settings_tabs.h"

#include <QCheckBox>
#include <QScrollBar>
#include <QToolButton>

namespace velantra {

using midi::Target;
using midi::TargetKind;

MidiTargets::MidiTargets(TBaseForm& form, std::function<void(const Target&)> changed)
    : QObject(&form)
    , form_(form)
{
    for (const Target& t : midi::allTargets()) {
        if (QScrollBar* b = bar(t)) {
            connect(b, &QScrollBar::valueChanged, this, [changed, t] { changed(t); });
        } else if (QAbstractButton* k = button(t)) {
            connect(k, &QAbstractButton::toggled, this, [changed, t] { changed(t); });
        }
    }
}

QScrollBar* MidiTargets::bar(const Target& t) const
{
    switch (t.kind) {
    case TargetKind::Fader:
        return form_.faderPage()->fader(t.index);
    case TargetKind::PageBar:
        return form_.faderPage()->pageBar();
    case TargetKind::LevelAll:
        return form_.levelsTab()->levelAll();
    case TargetKind::Tempo:
        return form_.sequencerPage()->tempoBar();
    case TargetKind::AutomatSpeed:
        return form_.automatsPage()->speedBar(t.index - 1);
    default:
        return nullptr;
    }
}

QAbstractButton* MidiTargets::button(const Target& t) const
{
    switch (t.kind) {
    case TargetKind::Play:
        return form_.sequencerPage()->playButton();
    case TargetKind::Stop:
        return form_.sequencerPage()->stopButton();
    case TargetKind::BlackOut:
        return form_.faderPage()->blackOut();
    case TargetKind::Macro:
        return form_.faderPage()->macrosOut();
    case TargetKind::Picture:
        return form_.picturesTab()->picture(t.index - 1);
    case TargetKind::ConveyorSlot:
        return form_.conveyorGroup()->slotButton(t.index);
    case TargetKind::AutomatOn:
        return form_.automatsPage()->runAlone(t.index - 1);
    default:
        return nullptr;
    }
}

midi::Range MidiTargets::range(const Target& t) const
{
    switch (t.kind) {
    case TargetKind::PageBar:
        return {0, FaderOffsetMax};
    case TargetKind::Tempo:
        return {TempoMin, TempoMax};
    case TargetKind::AutomatSpeed:
        return {AutomatTempoMin, AutomatTempoMax};
    default:
        break;
    }
    if (onDesk(t)) {
        return {0, 255};
    }
    if (const QScrollBar* b = bar(t)) {
        return {b->minimum(), b->maximum()};
    }
    return {0, 1};
}

bool MidiTargets::onDesk(const Target& t)
{
    switch (t.kind) {
    case TargetKind::Fader:
    case TargetKind::PageBar:
    case TargetKind::LevelAll:
    case TargetKind::Tempo:
    case TargetKind::AutomatSpeed:
        return true;
    default:
        return false;
    }
}

int MidiTargets::value(const Target& t) const
{
    DeskControls& desk = form_.desk();
    switch (t.kind) {
    case TargetKind::Fader:
        return desk.faderValue(t.index);
    case TargetKind::PageBar:
        return desk.pageOffset();
    case TargetKind::LevelAll:
        return desk.levelAll();
    case TargetKind::Tempo:
        return desk.tempo();
    case TargetKind::AutomatSpeed:
        return desk.automatSpeed(t.index);
    default:
        break;
    }
    if (const QScrollBar* b = bar(t)) {
        return b->value();
    }
    const QAbstractButton* k = button(t);
    return k != nullptr && k->isChecked() ? 1 : 0;
}

void MidiTargets::set(const Target& t, int value)
{
    // The fader bank and the level of the selected channels are the desk's:
    // the pages follow it.
    DeskControls& desk = form_.desk();
    switch (t.kind) {
    case TargetKind::Fader:
        desk.moveFader(t.index, value);
        return;
    case TargetKind::PageBar:
        desk.setPageOffset(value);
        return;
    case TargetKind::LevelAll:
        desk.setLevelAll(value);
        return;
    case TargetKind::Tempo:
        desk.setTempo(value);
        return;
    case TargetKind::AutomatSpeed:
        desk.setAutomatSpeed(t.index, value);
        return;
    default:
        break;
    }
    if (QScrollBar* b = bar(t)) {
        b->setValue(value);
    }
}

void MidiTargets::press(const Target& t, bool down)
{
    switch (t.kind) {
    case TargetKind::Play:
        form_.desk().play();
        break;
    case TargetKind::Stop:
        form_.desk().stop();
        break;
    case TargetKind::BlackOut:
    case TargetKind::Macro:
        // Each press switches the mode on, or back to the scene.
        (button(t)->isChecked() ? form_.faderPage()->onScena() : button(t))->click();
        break;
    case TargetKind::Picture:
        button(t)->setChecked(down);
        break;
    case TargetKind::ConveyorSlot:
        form_.conveyorGroup()->slotJob(t.index);
        break;
    case TargetKind::AutomatOn:
        button(t)->click();
        break;
    default:
        break;
    }
}

std::optional<Target> MidiTargets::targetOf(const QWidget* widget) const
{
    for (const Target& t : midi::allTargets()) {
        const QWidget* control = bar(t);
        if (control == nullptr) {
            control = button(t);
        }
        if (control != nullptr && (control == widget || control->isAncestorOf(widget))) {
            return t;
        }
    }
    return std::nullopt;
}

}  // namespace velantra
