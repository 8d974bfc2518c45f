#include "midi/midi_ports.h"

#include "midi/jack_watch.h"
#include "midi/midi_binding.h"
#include "midi/midi_log.h"

#include <RtMidi.h>

#include <QFileInfo>
#include <QTimer>

#include <algorithm>

Q_LOGGING_CATEGORY(lcMidi, "velantra.midi", QtInfoMsg)

namespace velantra::midi {

namespace {

constexpr int ScanMs = 2000;
constexpr int FrameMs = 20;
// The program's own ports (and the listers' clients) are not controllers.
constexpr const char* ClientName = "Velantra";

bool ownPort(const std::string& name)
{
    return name.rfind(ClientName, 0) == 0;
}

RtMidi::Api apiOf(const std::string& name)
{
    if (name == "jack") {
        return RtMidi::UNIX_JACK;
    }
    return RtMidi::LINUX_ALSA;
}

void logError(RtMidiError::Type type, const std::string& text, void* /*user*/)
{
    if (type == RtMidiError::WARNING || type == RtMidiError::DEBUG_WARNING) {
        qCDebug(lcMidi) << text.c_str();
    } else {
        qCWarning(lcMidi) << text.c_str();
    }
}

template <typename Lister> std::vector<MidiPorts::Port> listPorts(Lister& lister)
{
    std::vector<MidiPorts::Port> out;
    const unsigned count = lister.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        std::string name = lister.getPortName(i);
        if (!name.empty() && !ownPort(name)) {
            out.push_back({name, controllerName(name), false});
        }
    }
    return out;
}

// The number the lister gives the port named name now, or -1.
template <typename Lister> int portNumber(Lister& lister, const std::string& name)
{
    const unsigned count = lister.getPortCount();
    for (unsigned i = 0; i < count; ++i) {
        if (lister.getPortName(i) == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace

struct MidiPorts::OpenInput {
    int id = 0;
    std::string name;
    std::string controller;
    MidiPorts* owner = nullptr;
    Parser parser;  // RtMidi's thread only, once open
    std::unique_ptr<RtMidiIn> in;
};

MidiPorts::MidiPorts(QObject* parent)
    : QObject(parent)
    , scan_(new QTimer(this))
    , frame_(new QTimer(this))
{
    // A MIDI system must never start a JACK server of its own.
    if (qEnvironmentVariableIsEmpty("JACK_NO_START_SERVER")) {
        qputenv("JACK_NO_START_SERVER", "1");
    }
    scan_->setObjectName(QStringLiteral("TimerMidiScan"));
    scan_->setInterval(ScanMs);
    connect(scan_, &QTimer::timeout, this, &MidiPorts::rescan);
    frame_->setObjectName(QStringLiteral("TimerMidiFrame"));
    frame_->setSingleShot(true);
    connect(frame_, &QTimer::timeout, this, &MidiPorts::take);
    lastTake_.start();
}

MidiPorts::~MidiPorts()
{
    jack_.reset();  // no shutdown reaches this object from now on
    closeAll(false);
}

void MidiPorts::setApi(const std::string& api)
{
    const QByteArray forced = qgetenv("VELANTRA_MIDI_API");
    api_ = forced.isEmpty() ? api : forced.toStdString();
    dropSystem();
    jack_.reset();
    systemUp_.reset();
    session_ = 0;
    rescan();
    scan_->start();
}

QString MidiPorts::apiName() const
{
    return apiOf(api_) == RtMidi::UNIX_JACK ? QStringLiteral("JACK") : QStringLiteral("ALSA");
}

bool MidiPorts::systemThere()
{
    const bool jack = apiOf(api_) == RtMidi::UNIX_JACK;
    bool up = false;
    int session = 0;
    if (jack) {
        if (!jack_) {
            jack_ = std::make_unique<JackWatch>(
                [this] { QMetaObject::invokeMethod(this, &MidiPorts::rescan, Qt::QueuedConnection); });
        }
        if (jack_->lost()) {
            dropSystem();  // the old server's clients go before the watch reaches for a new one
            jack_->release();
        }
        const JackWatch::Found found = jack_->reach();
        if (found == JackWatch::Found::NotYet) {
            return false;  // the watch's first look rescans when it ends
        }
        up = found == JackWatch::Found::There;
        session = jack_->session();
    } else {
        up = QFileInfo::exists(QStringLiteral("/dev/snd/seq"));
    }
    if (!up) {
        if (systemUp_ != false) {
            systemError_ = jack ? tr("сервер не запущен") : tr("нет /dev/snd/seq");
            qCWarning(lcMidi).noquote() << "MIDI system" << apiName()
                                        << "not available:" << (jack ? "no server running" : "no /dev/snd/seq");
            dropSystem();
            systemUp_ = false;
            emit portsChanged();
        }
        return false;
    }
    if (systemUp_ == false) {
        qCInfo(lcMidi).noquote() << "MIDI system" << apiName() << "is back";
    }
    if (session != session_) {
        dropSystem();  // a server that stopped and came back between two looks
        session_ = session;
    }
    systemUp_ = true;
    return true;
}

void MidiPorts::dropSystem()
{
    closeAll(true);
    inLister_.reset();
    outLister_.reset();
    inputs_.clear();
    outputs_.clear();
}

void MidiPorts::createListers()
{
    if (inLister_) {
        return;
    }
    const RtMidi::Api api = apiOf(api_);
    try {
        auto in = std::make_unique<RtMidiIn>(api, std::string(ClientName));
        in->setErrorCallback(&logError);
        auto out = std::make_unique<RtMidiOut>(api, std::string(ClientName));
        out->setErrorCallback(&logError);
        inLister_ = std::move(in);
        outLister_ = std::move(out);
        systemError_.clear();
    } catch (const RtMidiError& e) {
        const QString error = QString::fromStdString(e.getMessage());
        if (error != systemError_) {
            qCWarning(lcMidi) << "no MIDI system:" << error;  // once, not at every look
        }
        systemError_ = error;
    }
}

void MidiPorts::choose(const std::string& input, const std::string& output)
{
    input_ = input;
    if (output != output_) {
        output_ = output;
        out_.reset();
        outName_.clear();
    }
    if (scan_->isActive()) {
        rescan();  // before setApi, the first scan opens what is chosen
    }
}

bool MidiPorts::wanted(const std::string& controller) const
{
    return input_ == "*" || controller == input_;
}

void MidiPorts::closeAll(bool tell)
{
    std::vector<std::string> closed;
    for (auto& port : open_) {
        port->in.reset();  // stops RtMidi's thread before the rest goes
        closed.push_back(port->controller);
    }
    open_.clear();
    out_.reset();
    outName_.clear();
    if (tell) {
        for (const std::string& controller : closed) {
            emit inputClosed(controller);
        }
    }
}

void MidiPorts::rescan()
{
    const QString errorBefore = systemError_;
    if (!systemThere()) {
        return;
    }
    createListers();
    const bool errorChanged = systemError_ != errorBefore;  // e.g. the system is back
    if (!inLister_) {
        const bool had = !inputs_.empty() || !outputs_.empty();
        inputs_.clear();
        outputs_.clear();
        if (had || errorChanged) {
            emit portsChanged();
        }
        return;
    }
    std::vector<Port> inputs;
    std::vector<Port> outputs;
    try {
        inputs = listPorts(*inLister_);
        outputs = listPorts(*outLister_);
    } catch (const RtMidiError& e) {
        qCWarning(lcMidi) << "listing the ports failed:" << e.getMessage().c_str();
    }
    bool changed = false;
    std::vector<std::string> closed;
    // Close what is gone or no longer chosen.
    for (auto it = open_.begin(); it != open_.end();) {
        const auto& port = **it;
        const bool present =
            std::any_of(inputs.begin(), inputs.end(), [&](const Port& p) { return p.name == port.name; });
        if (present && wanted(port.controller)) {
            ++it;
            continue;
        }
        qCInfo(lcMidi) << "input closed:" << port.name.c_str() << (present ? "" : "(gone)");
        closed.push_back(port.controller);
        (*it)->in.reset();
        it = open_.erase(it);
        changed = true;
    }
    // Open what is chosen and present.
    for (Port& p : inputs) {
        const auto open = std::find_if(open_.begin(), open_.end(), [&](const auto& o) { return o->name == p.name; });
        if (open != open_.end()) {
            p.open = true;
            continue;
        }
        if (!wanted(p.controller)) {
            continue;
        }
        try {
            auto port = std::make_unique<OpenInput>();
            port->id = nextId_++;
            port->name = p.name;
            port->controller = p.controller;
            port->owner = this;
            port->in = std::make_unique<RtMidiIn>(apiOf(api_), std::string(ClientName));
            port->in->setErrorCallback(&logError);
            const int number = portNumber(*port->in, p.name);
            if (number < 0) {
                continue;
            }
            port->in->setCallback(&MidiPorts::callback, port.get());
            port->in->ignoreTypes(true, true, true);
            port->in->openPort(static_cast<unsigned>(number), "Velantra in");
            qCInfo(lcMidi) << "input opened:" << p.name.c_str();
            open_.push_back(std::move(port));
            p.open = true;
            changed = true;
        } catch (const RtMidiError& e) {
            qCWarning(lcMidi) << "opening" << p.name.c_str() << "failed:" << e.getMessage().c_str();
        }
    }
    // The feedback output.
    const auto outPresent = std::find_if(outputs.begin(), outputs.end(), [&](const Port& p) {
        return !output_.empty() && p.controller == controllerName(output_);
    });
    if (out_ && (outPresent == outputs.end() || outPresent->name != outName_)) {
        qCInfo(lcMidi) << "output closed:" << outName_.c_str();
        out_.reset();
        outName_.clear();
        changed = true;
    }
    bool opened = false;
    if (!out_ && outPresent != outputs.end()) {
        try {
            auto out = std::make_unique<RtMidiOut>(apiOf(api_), std::string(ClientName));
            out->setErrorCallback(&logError);
            const int number = portNumber(*out, outPresent->name);
            if (number >= 0) {
                out->openPort(static_cast<unsigned>(number), "Velantra feedback");
                out_ = std::move(out);
                outName_ = outPresent->name;
                opened = true;
                changed = true;
                qCInfo(lcMidi) << "output opened:" << outName_.c_str();
            }
        } catch (const RtMidiError& e) {
            qCWarning(lcMidi) << "opening" << outPresent->name.c_str() << "failed:" << e.getMessage().c_str();
        }
    }
    for (Port& p : outputs) {
        p.open = out_ && p.name == outName_;
    }
    const auto names = [](const std::vector<Port>& ports) {
        std::vector<std::pair<std::string, bool>> out;
        for (const Port& p : ports) {
            out.emplace_back(p.name, p.open);
        }
        return out;
    };
    changed = changed || errorChanged || names(inputs) != names(inputs_) || names(outputs) != names(outputs_);
    inputs_ = std::move(inputs);
    outputs_ = std::move(outputs);
    for (const std::string& controller : closed) {
        emit inputClosed(controller);
    }
    if (changed) {
        emit portsChanged();
    }
    if (opened) {
        emit outputOpened();
    }
}

std::vector<std::pair<std::string, bool>> MidiPorts::missing() const
{
    std::vector<std::pair<std::string, bool>> out;
    const auto present = [](const std::vector<Port>& ports, const std::string& controller) {
        return std::any_of(ports.begin(), ports.end(), [&](const Port& p) { return p.controller == controller; });
    };
    if (input_ != "*" && !input_.empty() && !present(inputs_, input_)) {
        out.emplace_back(input_, false);
    }
    if (!output_.empty() && !present(outputs_, controllerName(output_))) {
        out.emplace_back(output_, true);
    }
    return out;
}

bool MidiPorts::outputOpen() const
{
    return out_ != nullptr;
}

void MidiPorts::send(const Message& message)
{
    if (!out_) {
        return;
    }
    std::vector<unsigned char> bytes = encode(message);
    try {
        out_->sendMessage(&bytes);
    } catch (const RtMidiError& e) {
        qCWarning(lcMidi) << "sending failed:" << e.getMessage().c_str();
    }
}

void MidiPorts::callback(double /*stamp*/, std::vector<unsigned char>* bytes, void* user)
{
    auto* port = static_cast<OpenInput*>(user);
    if (bytes == nullptr || port == nullptr) {
        return;
    }
    MidiPorts* owner = port->owner;
    bool wake = false;
    port->parser.feed(*bytes, [&](const Message& m) { wake = owner->inbox_.push(port->id, m) || wake; });
    if (wake) {
        QMetaObject::invokeMethod(owner, &MidiPorts::takeSoon, Qt::QueuedConnection);
    }
}

void MidiPorts::takeSoon()
{
    const qint64 since = lastTake_.elapsed();
    if (since >= FrameMs) {
        take();
    } else if (!frame_->isActive()) {
        frame_->start(static_cast<int>(FrameMs - since));
    }
}

void MidiPorts::take()
{
    frame_->stop();
    lastTake_.restart();
    const std::vector<Received> messages = inbox_.take();
    for (const Received& r : messages) {
        const auto port = std::find_if(open_.begin(), open_.end(), [&](const auto& o) { return o->id == r.port; });
        if (port != open_.end() && handler_) {
            handler_((*port)->controller, r);
        }
    }
}

}  // namespace velantra::midi
