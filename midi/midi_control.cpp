#include "midi/midi_control.h"

#include "midi/bindings_file.h"

#include <QFile>

namespace velantra::midi {

QString targetName(const Target& t)
{
    switch (t.kind) {
    case TargetKind::Fader:
        return MidiControl::tr("Фэйдер %1").arg(t.index);
    case TargetKind::PageBar:
        return MidiControl::tr("Страница фэйдеров");
    case TargetKind::LevelAll:
        return MidiControl::tr("Уровень выбранных");
    case TargetKind::Tempo:
        return MidiControl::tr("Темп");
    case TargetKind::Play:
        return MidiControl::tr("Пуск");
    case TargetKind::Stop:
        return MidiControl::tr("Стоп");
    case TargetKind::BlackOut:
        return MidiControl::tr("BlackOut");
    case TargetKind::Macro:
        return MidiControl::tr("Макрос M");
    case TargetKind::Picture:
        return MidiControl::tr("Картинка %1").arg(t.index);
    case TargetKind::ConveyorSlot:
        return MidiControl::tr("Конвейр %1").arg(t.index);
    case TargetKind::AutomatOn:
        return MidiControl::tr("Автомат %1").arg(t.index);
    case TargetKind::AutomatSpeed:
        return MidiControl::tr("Скорость автомата %1").arg(t.index);
    }
    return {};
}

QString messageText(const Message& m)
{
    switch (m.kind) {
    case Kind::ControlChange:
        return MidiControl::tr("CC %1 = %2, канал %3").arg(m.number).arg(m.value).arg(m.channel + 1);
    case Kind::Note:
        return MidiControl::tr("Нота %1 = %2, канал %3").arg(m.number).arg(m.value).arg(m.channel + 1);
    case Kind::PitchBend:
        return MidiControl::tr("Pitch Bend = %1, канал %2").arg(m.value).arg(m.channel + 1);
    }
    return {};
}

MidiControl::MidiControl(TargetAccess& access, QString path, QObject* parent)
    : QObject(parent)
    , access_(access)
    , path_(std::move(path))
    , surface_(bindings_, access_)
    , ports_(this)
{
    ports_.setHandler([this](const std::string& controller, const Received& r) { received(controller, r); });
    connect(&ports_, &MidiPorts::inputClosed, this,
            [this](const std::string& controller) { surface_.release(controller); });
    connect(&ports_, &MidiPorts::outputOpened, this, [this] {
        for (const Message& m : surface_.allFeedback()) {
            ports_.send(m);
        }
    });
}

FileResult MidiControl::load()
{
    FileResult r = readBindingsFile(path_, bindings_);
    refused_ = !r.ok;
    ports_.choose(bindings_.input, bindings_.output);
    ports_.setApi(bindings_.api);
    emit bindingsChanged();
    return r;
}

void MidiControl::save()
{
    if (refused_) {
        // The refused file stays for whoever wants to mend it by hand.
        const QString kept = path_ + QStringLiteral(".damaged");
        QFile::remove(kept);
        QFile::rename(path_, kept);
        refused_ = false;
    }
    if (const FileResult r = writeBindingsFile(path_, bindings_); !r.ok) {
        emit status(tr("Привязки MIDI не сохранены: %1").arg(r.message));
    }
    emit bindingsChanged();
}

void MidiControl::learn(std::optional<Target> target)
{
    surface_.learn(target);
    emit learningChanged();
}

void MidiControl::unbind(const std::string& controller, const Target& target)
{
    const auto it = bindings_.controllers.find(controller);
    if (it == bindings_.controllers.end()) {
        return;
    }
    it->second.unbind(target);
    if (it->second.empty()) {
        bindings_.controllers.erase(it);
    }
    save();
}

void MidiControl::setPickUp(bool on)
{
    if (bindings_.pickUp != on) {
        bindings_.pickUp = on;
        save();
    }
}

void MidiControl::choosePorts(const std::string& input, const std::string& output)
{
    if (bindings_.input == input && bindings_.output == output) {
        return;
    }
    bindings_.input = input;
    bindings_.output = output;
    ports_.choose(input, output);
    save();
}

void MidiControl::setApi(const std::string& api)
{
    if (bindings_.api != api) {
        bindings_.api = api;
        ports_.setApi(api);
        save();
    }
}

void MidiControl::targetChanged(const Target& target)
{
    // Also without a feedback port: pick-up learns here that the program moved.
    for (const Message& m : surface_.feedback(target)) {
        ports_.send(m);
    }
}

void MidiControl::received(const std::string& controller, const Received& r)
{
    const Message& message = r.message;
    lastSeen_ = QStringLiteral("%1: %2").arg(QString::fromStdString(controller), messageText(message));
    const std::optional<Target> learning = surface_.learning();
    if (surface_.receive(controller, message, r.low, r.high) == Surface::Outcome::Learned) {
        emit status(tr("MIDI: %1 привязан к «%2»").arg(messageText(message), targetName(*learning)));
        save();
        emit learningChanged();
    }
}

}  // namespace velantra::midi
