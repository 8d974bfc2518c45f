#include "player/headless.h"

#include "desk/desk_controls.h"
#include "desk/desk_targets.h"
#include "desk/player.h"
#include "desk/player_log.h"
#include "engine/sequencer.h"
#include "i18n/language.h"
#include "link/interface_kinds.h"
#include "midi/midi_control.h"
#include "midi/midi_log.h"
#include "network/network_outputs.h"
#include "player/output_rig.h"
#include "storage/data_dir.h"
#include "storage/file_result.h"
#include "storage/patch_file.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"

#include <QFile>
#include <QTimer>

namespace velantra {

namespace {

constexpr int PollPeriodMs = 1000;
constexpr std::uint8_t AutomatStartTempo = 50;

QString autoSavePath()
{
    return autosaveFile();
}

}  // namespace

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
        } else if (a == QLatin1String("--conveyor")) {
            o.conveyor = true;
        } else if (a == QLatin1String("--automats")) {
            o.automats = true;
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

HeadlessPlayer::HeadlessPlayer(std::unique_ptr<D2xxProvider> driver, QObject* parent)
    : QObject(parent)
    , rig_(std::make_unique<OutputRig>(std::move(driver)))
{
    player_ = new Player(rig_->engine(), this);
    player_->autoSaveTimer()->stop();
    desk_ = new DeskControls(rig_->engine(), *player_, this);
    // A conveyor slot chosen in hand mode (MIDI): its show from scene 0.
    connect(desk_, &DeskControls::showWanted, this, [this](const QString& path) {
        if (loadShow(path)) {
            rig_->engine().memory.set(CellScene, 0);
        }
    });
    polling_ = new QTimer(this);
    polling_->setObjectName(QStringLiteral("TimerPolling"));
    polling_->setInterval(PollPeriodMs);
    connect(polling_, &QTimer::timeout, this, &HeadlessPlayer::poll);
    connect(player_, &Player::showWanted, this, &HeadlessPlayer::loadShow);
    connect(player_, &Player::autoSaveDue, this, &HeadlessPlayer::autoSave);
}

HeadlessPlayer::~HeadlessPlayer()
{
    stop();
    // The MIDI control lets go of what its controllers hold through the
    // desk's targets: it goes first.
    delete midi_;
    midi_ = nullptr;
}

Engine& HeadlessPlayer::engine()
{
    return rig_->engine();
}

bool HeadlessPlayer::loadShow(const QString& path)
{
    if (!isRegularFile(path)) {
        qCWarning(lcFile).noquote() << "show not found:" << path;
        return false;
    }
    const FileResult read = readShowFile(path, rig_->engine().memory);
    if (!read.ok) {
        qCWarning(lcFile).noquote() << read.message.trimmed();
        return false;
    }
    rig_->engine().shared.showNamed = 1;
    player_->refreshTempo();
    if (automats_) {
        player_->takeAutomatSettings();  // as the automats page does for each show loaded
    }
    qCInfo(lcFile).noquote() << "show loaded:" << path
                             << QStringLiteral("(%1 scenes)").arg(rig_->engine().memory.get(CellLastScene) + 1);
    return true;
}

bool HeadlessPlayer::start(const HeadlessOptions& options)
{
    autosave_ = options.autosave;
    automats_ = options.automats;
    rig_->link().InitUsbDevise();
    qCInfo(lcDevice).noquote() << usbCountText(rig_->link().listing()).trimmed();

    // The same starting state as the window's.
    rig_->engine().resetPatch();
    rig_->engine().memory.fill(NameBase, NameBase + ChannelNameCells, 0);
    rig_->engine().memory.set(CellAvt1Tempo, AutomatStartTempo);
    rig_->engine().memory.set(CellAvt2Tempo, AutomatStartTempo);
    if (options.autosave) {
        ensureDataDirectory();
        removeStaleSaveLeftovers();
    }
    rig_->engine().ClearAll();

    const Settings settings = readSettings(settingsFile());
    // Each device is driven as the kind chosen for its serial number in the window.
    applyKindChoices(rig_->link(), settings.interfaceKinds);
    if (isRegularFile(settings.coder)) {
        if (const FileResult read = readPatchFile(settings.coder, rig_->engine().coderTable); !read.ok) {
            qCWarning(lcFile).noquote() << read.message.trimmed();
        } else {
            qCInfo(lcFile).noquote() << "output patch:" << settings.coder;
        }
    }
    connect(&rig_->network(), &NetworkOutputs::status, this,
            [](const QString& text) { qCWarning(lcNetwork).noquote() << text.trimmed(); });
    rig_->network().applySacn(settings.sacn);
    rig_->network().applyArtNet(settings.artnet);

    ConveyorList& conveyor = player_->conveyor();
    if (options.conveyor) {
        int filled = 0;
        for (int k = 1; k <= ConveyorSlots; ++k) {
            conveyor.setFile(k, settings.konveir[static_cast<std::size_t>(k - 1)]);
            conveyor.setDown(k, conveyor.filled(k));
            filled += conveyor.filled(k) ? 1 : 0;
        }
        if (filled == 0) {
            qCCritical(lcPlayer) << "the conveyor's list in the settings file is empty";
            return false;
        }
        player_->setConveyorMode(ConveyorList::Mode::List);
        conveyor.position = 1;
    } else {
        const QString show = options.show.isEmpty() ? settings.path : options.show;
        if (show.isEmpty()) {
            qCCritical(lcPlayer) << "no show: name one with --show, or play one in the window first";
            return false;
        }
        if (!loadShow(show)) {
            return false;
        }
    }

    rig_->thread().start();
    player_->clockOnTheTick(true);
    polling_->start();
    if (options.conveyor) {
        player_->conveyorStep();
    }
    if (options.tempo) {
        player_->setTempo(*options.tempo);
    }
    if (options.automats) {
        player_->runAutomatsAlone();
    }
    if (options.autosave) {
        player_->autoSaveTimer()->start();
    }
    qCInfo(lcPlayer) << "tempo" << rig_->engine().memory.get(CellTempo) << "- a scene every" << player_->stepInterval()
                     << "ms";
    player_->play();
    poll();
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
    deskTargets_ = new DeskTargets(*desk_, [this](const midi::Target& target) {
        if (midi_ != nullptr) {
            midi_->targetChanged(target);
        }
    });
    midi_ = new midi::MidiControl(*deskTargets_, path, this);
    connect(midi_, &midi::MidiControl::status, this,
            [](const QString& text) { qCInfo(lcMidi).noquote() << text.trimmed(); });
    if (const FileResult read = midi_->load(); !read.ok) {
        qCWarning(lcMidi).noquote() << read.message.trimmed();
    } else {
        qCInfo(lcMidi).noquote() << "MIDI bindings:" << path;
    }
}

void HeadlessPlayer::poll()
{
    rig_->link().TimerPollingTimer();
    logInterface();
    rig_->network().refresh();
}

void HeadlessPlayer::logInterface()
{
    const UsbLink& link = rig_->link();
    const bool offline = rig_->engine().controls.noUsbConnect.load(std::memory_order_relaxed);
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

void HeadlessPlayer::autoSave()
{
    const FileResult written = writeShowFile(autoSavePath(), rig_->engine().memory);
    if (written.ok) {
        qCInfo(lcFile).noquote() << "autosave written:" << autoSavePath();
    } else {
        qCWarning(lcFile).noquote() << "autosave not written:" << written.message.trimmed();
    }
}

void HeadlessPlayer::stop()
{
    if (stopped_) {
        return;
    }
    stopped_ = true;
    player_->stopTimers();
    polling_->stop();
    rig_->stop();
    if (autosave_) {
        autoSave();
    }
    qCInfo(lcPlayer) << "outputs stopped";
}

}  // namespace velantra
