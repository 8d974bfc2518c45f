#include "app/midi_targets.h"

#include "app/window_pages.h"
#include "conveyor/conveyor_group.h"
#include "desk/desk_controls.h"
#include "desk/desk_targets.h"
#include "effects/automats_page.h"
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

MidiTargets::MidiTargets(const WindowPages& pages, DeskControls& desk, std::function<void(const Target&)> changed)
    : pages_(pages)
    // The window's controls follow the desk and report every change below;
    // the desk's own reports would only repeat them.
    , desk_(new DeskTargets(desk, {}))
{
    desk_->setParent(this);
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
        return pages_.faderPage->fader(t.index);
    case TargetKind::PageBar:
        return pages_.faderPage->pageBar();
    case TargetKind::LevelAll:
        return pages_.levelsTab->levelAll();
    case TargetKind::Tempo:
        return pages_.sequencerPage->tempoBar();
    case TargetKind::AutomatSpeed:
        return pages_.automatsPage->speedBar(t.index - 1);
    default:
        return nullptr;
    }
}

QAbstractButton* MidiTargets::button(const Target& t) const
{
    switch (t.kind) {
    case TargetKind::Play:
        return pages_.sequencerPage->playButton();
    case TargetKind::Stop:
        return pages_.sequencerPage->stopButton();
    case TargetKind::BlackOut:
        return pages_.faderPage->blackOut();
    case TargetKind::Macro:
        return pages_.faderPage->macrosOut();
    case TargetKind::Picture:
        return pages_.picturesTab->picture(t.index - 1);
    case TargetKind::ConveyorSlot:
        return pages_.conveyorGroup->slotButton(t.index);
    case TargetKind::AutomatOn:
        return pages_.automatsPage->runAlone(t.index - 1);
    default:
        return nullptr;
    }
}

midi::Range MidiTargets::range(const Target& t) const
{
    return desk_->range(t);
}

int MidiTargets::value(const Target& t) const
{
    if (t.kind == TargetKind::ConveyorSlot) {
        const QAbstractButton* k = button(t);
        return k != nullptr && k->isChecked() ? 1 : 0;
    }
    return desk_->value(t);
}

void MidiTargets::set(const Target& t, int value)
{
    desk_->set(t, value);
}

void MidiTargets::press(const Target& t, bool down)
{
    if (t.kind == TargetKind::ConveyorSlot) {
        pages_.conveyorGroup->slotJob(t.index);
        return;
    }
    desk_->press(t, down);
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
