// The desk's controls as a MIDI surface's targets: a target's range and value
// read from its control, a move or a press made through it, and every change
// of a control, whoever made it, told as the targets it moved.
// QtCore; GUI thread.
#pragma once

#include "desk/desk_controls.h"
#include "midi/midi_surface.h"

#include <QObject>

#include <functional>

namespace velantra {

class DeskTargets : public QObject, public midi::TargetAccess {
    Q_OBJECT
public:
    // desk must outlive the targets; changed (if any) is called with every
    // target whose value changed.
    DeskTargets(DeskControls& desk, std::function<void(const midi::Target&)> changed);

    midi::Range range(const midi::Target& target) const override;
    int value(const midi::Target& target) const override;
    void set(const midi::Target& target, int value) override;
    void press(const midi::Target& target, bool down) override;

private:
    void tell(DeskControls::Control control, int index);

    DeskControls& desk_;
    std::function<void(const midi::Target&)> changed_;
};

}  // namespace velantra
