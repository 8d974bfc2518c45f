#include "player/headless.h"

#include "desk/desk_controls.h"
#include "desk/desk_core.h"
#include "desk/desk_targets.h"
#include "desk/player.h"
#include "desk/player_log.h"
#include "engine/sequencer.h"
#include "i18n/language.h"
#include "journal/journal_reader.h"
#include "midi/midi_control.h"
#include "midi/midi_log.h"
#include "network/network_outputs.h"
#include "osc/osc_server.h"
#include "remote/remote_log.h"
#include "remote/remote_server.h"
#include "storage/data_dir.h"
#include "storage/file_result.h"

#include <QFile>
#include <QTimer>

namespace velantra {

ParsedOptions parseHeadlessOptions(const QStringList& arguments)
{
    ParsedOptions parsed;
    HeadlessOptions& o = parsed.options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const auto value = [&](QString& into) {
            if (i + 1 >= arguments.size()) {
                parsed.error = QStringLiteral("%1 needs a value").arg(a);
                return false;
            }
            into = arguments[++i];
            return true;
        };
        if (a == QLatin1String("--show")) {
            if (!value(o.show)) {
                return parsed;
            }
        } else if (a == QLatin1String("--tempo")) {
            QString text;
            if (!value(text)) {
                return parsed;
            }
            bool ok = false;
            const int tempo = text.toInt(&ok);
            if (!ok || tempo < TempoMin || tempo > TempoMax) {
                parsed.error =
                    QStringLiteral("--tempo must be %1..%2, not \"%3\"").arg(TempoMin).arg(TempoMax).arg(text);
                return parsed;
            }
            o.tempo = tempo;
        } else if (a == QLatin1String("--queue") || a == QLatin1String("--conveyor")) {
            o.conveyor = true;  // --conveyor: the older name
        } else if (a == QLatin1String("--chasers") || a == QLatin1String("--automats")) {
            o.automats = true;  // --automats: the older name
        } else if (a == QLatin1String("--autosave")) {
            o.autosave = true;
        } else if (a == QLatin1String("--lang")) {
            if (!value(o.language)) {
                return parsed;
            }
            if (!languageOption(o.language, &parsed.error)) {
                return parsed;
            }
        } else {
            parsed.error = QStringLiteral("unknown argument \"%1\"").arg(a);
            return parsed;
        }
    }
    return parsed;
}

QString interfaceLogLine(bool offline, bool open, const QString& device, UsbStatus status, const UsbListing& listing)
{
    if (offline) {
        return QStringLiteral("demo mode: nothing is written to the interface");
    }
    if (open) {
        return QStringLiteral("interface open: ") + device;
    }
    QString reason = usbStatusText(status).trimmed();
    if (reason.isEmpty()) {
        switch (listing.count) {
        case UsbListing::Count::NoDevice:
            reason = QStringLiteral("no USB interface found");
            break;
        case UsbListing::Count::Devices:
            reason = QStringLiteral("%1 USB device(s) found, the first one does not open").arg(listing.devices);
            break;
        case UsbListing::Count::NotListed:
            reason = QStringLiteral("the USB devices could not be listed");
            break;
        }
    }
    return QStringLiteral("interface closed: %1 (demo mode: the frames go to the network outputs only)").arg(reason);
}

namespace {

// The web remote on the desk's controls, as the settings file says once it is
// read. It goes with the player, after the desk core (it does not touch the
// desk when destroyed).
void startRemoteOn(DeskCore& core, QObject& owner)
{
    auto* remote = new remote::RemoteServer(core.controls(), &owner);
    QObject::connect(remote, &remote::RemoteServer::message, remote,
                     [](const QString& text) { qCInfo(lcRemote).noquote() << text.trimmed(); });
    QObject::connect(&core, &DeskCore::settingsRead, remote, [&core, remote] {
        remote->apply(core.remoteSettings());
        const remote::RemoteStatus status = remote->status();
        for (const QString& address : status.addresses) {
            qCInfo(lcRemote).noquote() << "web remote:" << address << "PIN" << core.remoteSettings().pin;
        }
    });
}

Q_LOGGING_CATEGORY(lcOsc, "velantra.osc", QtInfoMsg)

// OSC on the desk's controls, as the settings file says once it is read.
void startOscOn(DeskCore& core, QObject& owner)
{
    auto* osc = new osc::OscServer(core.controls(), &owner);
    QObject::connect(osc, &osc::OscServer::message, osc,
                     [](const QString& text) { qCInfo(lcOsc).noquote() << text.trimmed(); });
    QObject::connect(&core, &DeskCore::settingsRead, osc, [&core, osc] { osc->apply(core.oscSettings()); });
}

}  // namespace

HeadlessPlayer::HeadlessPlayer(std::unique_ptr<D2xxProvider> driver, QObject* parent, DeskCore::OutputClock clock)
    : QObject(parent)
    , core_(new DeskCore(std::move(driver), clock, this))
{
    player().autoSaveTimer()->stop();
    connect(core_, &DeskCore::status, this, [](const QString& text) {
        if (!text.trimmed().isEmpty()) {
            qCInfo(lcPlayer).noquote() << text.trimmed();
        }
    });
    connect(core_, &DeskCore::fileError, this,
            [](const QString& message) { qCWarning(lcFile).noquote() << message.trimmed(); });
    connect(core_, &DeskCore::showLoaded, this, [this](const QString& path) {
        qCInfo(lcFile).noquote() << "show loaded:" << path
                                 << QStringLiteral("(%1 scenes)").arg(engine().memory.get(CellLastScene) + 1);
    });
    connect(core_, &DeskCore::polled, this, [this] {
        logInterface();
        core_->network().refresh();
    });
    startRemoteOn(*core_, *this);
    startOscOn(*core_, *this);
}

HeadlessPlayer::~HeadlessPlayer()
{
    stop();
}

Engine& HeadlessPlayer::engine()
{
    return core_->engine();
}

Player& HeadlessPlayer::player()
{
    return core_->player();
}

DeskControls& HeadlessPlayer::desk()
{
    return core_->controls();
}

void HeadlessPlayer::sayJournalWaiting()
{
    // The player edits nothing and journals nothing; the window's journal of a
    // run that did not end cleanly is left for the window to offer.
    if (!isRegularFile(journalFile())) {
        return;
    }
    const JournalContents journal = readJournalFile(journalFile());
    if (!journal.result.ok) {
        qCWarning(lcFile).noquote() << "edit journal not readable:" << journalFile()
                                    << journal.result.message.trimmed();
        return;
    }
    qCWarning(lcFile).noquote() << "an edit journal of the window waits to be recovered:" << journal.records.size()
                                << "records of"
                                << (journal.header.showName.isEmpty() ? QStringLiteral("a show without a file")
                                                                      : journal.header.showName)
                                << "- start velantra to recover them (" + journalFile() + ")";
}

bool HeadlessPlayer::start(const HeadlessOptions& options)
{
    autosave_ = options.autosave;
    // The window's start-up order: the interface and the output tick, the
    // settings, the show, the patch last.
    core_->startOutput();
    qCInfo(lcDevice).noquote() << usbCountText(core_->link().listing()).trimmed();
    core_->readSettings();
    sayJournalWaiting();

    ConveyorList& conveyor = player().conveyor();
    if (options.conveyor) {
        int filled = 0;
        for (int k = 1; k <= ConveyorSlots; ++k) {
            conveyor.setDown(k, conveyor.filled(k));
            filled += conveyor.filled(k) ? 1 : 0;
        }
        if (filled == 0) {
            qCCritical(lcPlayer) << "the show queue in the settings file is empty";
            return false;
        }
        player().setConveyorMode(ConveyorList::Mode::List);
        conveyor.position = 1;
    } else {
        const QString show = options.show.isEmpty() ? core_->openName() : options.show;
        if (show.isEmpty()) {
            qCCritical(lcPlayer) << "no show: name one with --show, or play one in the window first";
            return false;
        }
        if (!isRegularFile(show)) {
            qCWarning(lcFile).noquote() << "show not found:" << show;
            return false;
        }
        if (core_->openShow(show) != DeskCore::ReadOutcome::Loaded) {
            return false;
        }
    }
    const DeskCore::PatchAtStart patch = core_->loadPatchAtStart(core_->patchName());
    for (const QString& note : patch.notes) {
        qCInfo(lcFile).noquote() << note.trimmed();
    }
    if (!patch.result.ok) {
        qCWarning(lcFile).noquote() << patch.result.message.trimmed();
    } else {
        qCInfo(lcFile).noquote() << "output patch:" << patch.file;
    }

    if (options.conveyor) {
        player().conveyorStep();
    }
    if (options.tempo) {
        player().setTempo(*options.tempo);
    }
    if (options.automats) {
        player().runAutomatsAlone();
    }
    if (options.autosave) {
        player().autoSaveTimer()->start();
    }
    qCInfo(lcPlayer) << "tempo" << engine().memory.get(CellTempo) << "- a scene every" << player().stepInterval()
                     << "ms";
    player().play();
    core_->poll();
    startMidi();
    return true;
}

void HeadlessPlayer::startMidi()
{
    // The window's MIDI control, on the same desk: the bindings file made in
    // the window, pick-up and feedback. No file: no controller was set up.
    const QString path = midiBindingsFile();
    if (!QFile::exists(path)) {
        return;
    }
    deskTargets_ = new DeskTargets(desk(), [this](const midi::Target& target) {
        if (core_->midi() != nullptr) {
            core_->midi()->targetChanged(target);
        }
    });
    deskTargets_->setParent(this);
    core_->startMidi(*deskTargets_);
    if (core_->loadMidiBindings().ok) {
        qCInfo(lcMidi).noquote() << "MIDI bindings:" << path;
    }
}

void HeadlessPlayer::logInterface()
{
    const UsbLink& link = core_->link();
    const bool offline = engine().controls.noUsbConnect.load(std::memory_order_relaxed);
    const bool open = link.UsbOpen.load(std::memory_order_relaxed) == 1;
    const QString device = QString::fromStdString(link.deviceText()).trimmed() + QStringLiteral(" (") +
                           QString::fromLatin1(link.providerName()) + QLatin1Char(')');
    const QString line = interfaceLogLine(offline, open, device, link.status(), link.listing());
    if (line == interfaceLine_) {
        return;
    }
    interfaceLine_ = line;
    if (open || offline) {
        qCInfo(lcDevice).noquote() << line;
    } else {
        qCWarning(lcDevice).noquote() << line;
    }
}

void HeadlessPlayer::stop()
{
    if (stopped_) {
        return;
    }
    stopped_ = true;
    core_->stopOutput();
    if (autosave_) {
        if (core_->autoSave().ok) {
            qCInfo(lcFile).noquote() << "autosave written:" << autosaveFile();
        }
    }
    qCInfo(lcPlayer) << "outputs stopped";
}

}  // namespace velantra
