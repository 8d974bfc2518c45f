// The window's controls as the MIDI surface's targets: the fader bank, the
// level of the selected channels, tempo, play, stop and the automats' speeds
// through the desk's controls (the pages follow the desk), the other targets through their control's own handler
// (so the rules of playing, refresh and selection hold); every change of a
// control reported, and the control a click in learning names.
#pragma once

#include "midi/midi_surface.h"

#include <QObject>

#include <functional>
#include <optional>

class QAbstractButton;
class QScrollBar;
class QWidget;

namespace velantra {

class DeskControls;
class DeskTargets;
struct WindowPages;

class MidiTargets : public QObject, public midi::TargetAccess {
    Q_OBJECT
public:
    // GUI thread. pages and desk must outlive the targets; changed is called
    // with every target whose control changed.
    MidiTargets(const WindowPages& pages, DeskControls& desk, std::function<void(const midi::Target&)> changed);

    midi::Range range(const midi::Target& target) const override;
    int value(const midi::Target& target) const override;
    void set(const midi::Target& target, int value) override;
    void press(const midi::Target& target, bool down) override;

    // The target whose control widget is (or contains), if any.
    std::optional<midi::Target> targetOf(const QWidget* widget) const;

private:
    QScrollBar* bar(const midi::Target& target) const;
    QAbstractButton* button(const midi::Target& target) const;

    const WindowPages& pages_;
    DeskTargets* desk_;
};

}  // namespace velantra
