// The program's MIDI control: the bindings file, the ports and the surface
// together. Messages taken from the ports drive the targets (or are learned),
// each change of a bound target goes back to the feedback port, and every
// change of the bindings or the choices is written to Vela43.midi at once.
// QtCore; GUI thread.
#pragma once

#include "midi/midi_binding.h"
#include "midi/midi_ports.h"
#include "midi/midi_surface.h"
#include "storage/file_result.h"

#include <QObject>
#include <QString>

#include <optional>

namespace velantra::midi {

// The operator's name of a target ("Фэйдер 5", "Пуск").
QString targetName(const Target& target);
// The operator's text of a message ("CC 7 = 64, канал 1").
QString messageText(const Message& message);

class MidiControl : public QObject {
    Q_OBJECT
public:
    // access must outlive the control. path: the bindings file.
    MidiControl(TargetAccess& access, QString path, QObject* parent = nullptr);

    // Reads the bindings file and opens the ports it names. A file that is
    // refused leaves no bindings; the message says why, and the file is kept
    // (as Vela43.midi.damaged once a change is written).
    FileResult load();

    const Bindings& bindings() const { return bindings_; }
    MidiPorts& ports() { return ports_; }
    const Surface& surface() const { return surface_; }

    // Learning: the next control moved on a controller is bound to target.
    void learn(std::optional<Target> target);
    std::optional<Target> learning() const { return surface_.learning(); }
    void unbind(const std::string& controller, const Target& target);
    void setPickUp(bool on);
    void choosePorts(const std::string& input, const std::string& output);
    void setApi(const std::string& api);

    // A bound target's value changed, for whatever reason.
    void targetChanged(const Target& target);
    // The last message seen, for the page.
    const QString& lastSeen() const { return lastSeen_; }

signals:
    void status(const QString& text);
    void bindingsChanged();
    void learningChanged();

private:
    void received(const std::string& controller, const Received& received);
    void save();

    TargetAccess& access_;
    QString path_;
    Bindings bindings_;
    Surface surface_;
    MidiPorts ports_;
    QString lastSeen_;
    bool refused_ = false;
};

}  // namespace velantra::midi
