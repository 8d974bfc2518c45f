#include "desk/desk_core.h"

#include "journal/edit_journal.h"
#include "journal/journal_reader.h"
#include "journal/recovery_copies.h"

#include "desk/desk_controls.h"
#include "desk/player.h"
#include "link/interface_kinds.h"
#include "link/usb_texts.h"
#include "midi/midi_control.h"
#include "network/network_outputs.h"
#include "storage/color_file.h"
#include "storage/data_dir.h"
#include "storage/patch_file.h"
#include "storage/show_file.h"
#include "storage/universes_file.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTimer>
#include <algorithm>

namespace velantra {

namespace {

constexpr std::uint8_t AutomatStartTempo = 50;

bool isPatchFileName(const QString& path)
{
    return path.endsWith(QLatin1String(".vdx"), Qt::CaseInsensitive);
}

}  // namespace

DeskCore::DeskCore(std::unique_ptr<D2xxProvider> driver, OutputClock clock, QObject* parent)
    : QObject(parent)
    , rig_(std::make_unique<OutputRig>(std::move(driver), clock == OutputClock::ByHand
                                                              ? UsbLink::Writes::OnCaller
                                                              : UsbLink::Writes::OnWriterThread))
    , clock_(clock)
    , saveName_(QStringLiteral("Unit_001"))
{
    player_ = new Player(engine(), this);
    controls_ = new DeskControls(engine(), *player_, this);
    connect(&network(), &NetworkOutputs::status, this, &DeskCore::status);
    connect(player_, &Player::autoSaveDue, this, &DeskCore::autoSave);
    connect(player_, &Player::showWanted, this, &DeskCore::loadShow);
    // A conveyor slot chosen in hand mode: its show, from scene 0.
    connect(controls_, &DeskControls::showWanted, this, [this](const QString& path) {
        loadShow(path);
        engine().memory.set(CellScene, 0);
    });
    engine().hooks.disableUndo = [this] { emit undoAvailable(false); };
    pollTimer_ = new QTimer(this);
    pollTimer_->setObjectName(QStringLiteral("TimerPolling"));
    pollTimer_->setInterval(1000);
    connect(pollTimer_, &QTimer::timeout, this, &DeskCore::poll);
}

DeskCore::~DeskCore()
{
    stopOutput();
    // The MIDI control lets go of what its controllers hold through the
    // surface's targets: it goes before them.
    delete midi_;
    midi_ = nullptr;
}

void DeskCore::startOutput()
{
    link().openInterface();  // openInterface: lists the bus, opens device 0

    Engine& e = engine();
    e.resetPatch();
    e.memory.fill(NameBase, NameBase + ChannelNameCells, 0);
    e.memory.set(CellAvt1Tempo, AutomatStartTempo);
    e.memory.set(CellAvt2Tempo, AutomatStartTempo);
    // The fixed files live here; a first start creates the directory.
    ensureDataDirectory();
    removeStaleSaveLeftovers();
    e.ClearAll();
    if (clock_ == OutputClock::Thread) {
        outputThread().start();
        player_->clockOnTheTick(true);
    }
    pollTimer_->start();
}

QString makeRemotePin()
{
    return QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(1000000), 6, 10, QLatin1Char('0'));
}

void DeskCore::readSettings()
{
    const Settings settings = velantra::readSettings(settingsFile());
    ConveyorList& conveyor = player_->conveyor();
    for (int slot = 1; slot <= ConveyorSlots; ++slot) {
        conveyor.setFile(slot, settings.konveir[static_cast<std::size_t>(slot - 1)]);
    }
    openName_ = settings.path;
    patchName_ = settings.coder;
    language_ = settings.language;
    network().applySacn(settings.sacn);
    network().applyArtNet(settings.artnet);
    interfaceKinds_ = settings.interfaceKinds;
    remote_ = settings.remote;
    if (remote_.pin.isEmpty()) {
        remote_.pin = makeRemotePin();
    }
    osc_ = settings.osc;
    // Each device is driven as the kind chosen for its serial number.
    applyKindChoices(link(), interfaceKinds_);
    emit settingsRead(settings);
}

bool DeskCore::openAtStart(const QString& named)
{
    // A named file is read once to see that it can be: what is wrong with it
    // is said (for a missing show the Open command's own text) and logged
    // with its name.
    const bool patch = isPatchFileName(named);
    bool readable = false;
    if (!named.isEmpty()) {
        FileResult read;
        QString shown;
        if (patch) {
            auto scratch = std::make_unique<AtomicArray<std::uint16_t, CoderEntries>>();
            read = readPatchFile(named, *scratch);
        } else if (!isRegularFile(named)) {
            read = ioFailure(IoError::FileNotFound);
            shown = tr("Файл ШОУ не найден ");
        } else {
            read = readShowFile(named, *std::make_unique<ShowMemory>());
        }
        if (!read.ok) {
            qCWarning(lcFile).noquote() << named + QStringLiteral(": ") + read.message;
            emit fileError(shown.isEmpty() ? read.message : shown);
        }
        readable = read.ok;
    }
    if (readable && !patch) {
        openShow(named);
    } else if ((named.isEmpty() || patch) && !openName_.isEmpty()) {
        readShow();
    }
    emit status(usbStatusText(link().status()));
    return readable && patch;
}

void DeskCore::loadColours()
{
    const QString path = colourFile();
    if (isRegularFile(path)) {
        // A refused file leaves the tables with their start-up values.
        if (const FileResult read = readColorFile(path, channelTables_); !read.ok) {
            emit fileError(read.message);
        }
        return;
    }
    saveColours();
    emit status(tr("Файл -Color- не найден  "));
}

FileResult DeskCore::saveColours()
{
    const FileResult written = writeColorFile(colourFile(), channelTables_);
    if (!written.ok) {
        emit fileError(written.message);
    }
    return written;
}

DeskCore::PatchAtStart DeskCore::loadPatchAtStart(const QString& path)
{
    PatchAtStart loaded = readPatchAtStart(engine(), path);
    if (!loaded.file.isEmpty()) {
        patchName_ = loaded.file;
    }
    // The further universes: none until a file of them is there; a damaged
    // one is refused whole and left on disk as it is.
    if (isRegularFile(universesFile())) {
        const FileResult universes = readUniversesFile(universesFile(), engine().furtherPatch);
        if (!universes.ok) {
            loaded.notes << QStringLiteral(" ") + universes.message;
        }
    }
    return loaded;
}

FileResult DeskCore::saveUniverses()
{
    ensureDataDirectory();
    return writeUniversesFile(universesFile(), engine().furtherPatch);
}

DeskCore::PatchAtStart DeskCore::readPatchAtStart(Engine& engine, const QString& path)
{
    PatchAtStart loaded;
    if (isRegularFile(path)) {
        int replaced = 0;
        loaded.result = readPatchFile(path, engine.coderTable, &replaced);
        if (loaded.result.ok) {
            loaded.file = path;
            loaded.notes = patchNotes(replaced, engine);
        }
        return loaded;
    }
    engine.resetPatch();
    loaded.notes << tr("Нет файла кодера");
    ensureDataDirectory();  // normally made at start-up already
    const QString fresh = defaultPatchFile();
    loaded.result = writePatchFile(fresh, engine.coderTable);
    if (loaded.result.ok) {
        loaded.file = fresh;
    }
    return loaded;
}

QStringList DeskCore::patchNotes(int replaced, const Engine& engine)
{
    QStringList notes;
    if (replaced > 0) {
        notes << tr("В файле кодера недопустимые каналы заменены прямым выводом: %1").arg(replaced);
    }
    // Entry 0 routes a channel's level into the start code: receivers then ignore every frame.
    if (const int source = engine.coderTable.get(0); source != 0) {
        notes << tr(" Файл кодера меняет start code кадра DMX (уровень канала %1): приемники не примут кадры ")
                     .arg(source);
    }
    return notes;
}

void DeskCore::startMidi(midi::TargetAccess& targets)
{
    midi_ = new midi::MidiControl(targets, midiBindingsFile(), this);
    connect(midi_, &midi::MidiControl::status, this, &DeskCore::status);
}

FileResult DeskCore::loadMidiBindings()
{
    const FileResult read = midi_->load();
    if (!read.ok) {
        emit fileError(read.message);
    }
    return read;
}

DeskCore::ReadOutcome DeskCore::readShow()
{
    ReadOutcome outcome = ReadOutcome::Missing;
    if (isRegularFile(openName_)) {
        if (const FileResult result = readShowFile(openName_, engine().memory); !result.ok) {
            // The read stops at the failing step; the later ones are not done.
            emit fileError(result.message);
            return ReadOutcome::Failed;
        }
        saveName_ = openName_;
        engine().shared.showNamed = 1;
        // The automats run with the show's settings whatever page is shown
        // and whichever surface switches them on.
        player_->followShowAutomats();
        beginJournal(openName_);
        outcome = ReadOutcome::Loaded;
        emit showLoaded(openName_);
    } else {
        emit status(tr("Файл ШОУ не найден "));
    }
    emit undoAvailable(false);
    return outcome;
}

DeskCore::ReadOutcome DeskCore::openShow(const QString& path)
{
    openName_ = path;
    if (beforeShowReplaced) {
        beforeShowReplaced();
    }
    if (isRegularFile(path)) {
        keepRecoveryCopy();  // the show as it was stays recoverable
    }
    const ReadOutcome outcome = readShow();
    if (outcome == ReadOutcome::Failed) {
        return outcome;  // a failed read stops the open at that step
    }
    // A missing file leaves the show as it was, and the open goes on with it.
    if (engine().hooks.applyTempo) {
        engine().hooks.applyTempo();
    }
    player_->refreshTempo();
    emit showOpened();
    return outcome;
}

void DeskCore::loadShow(const QString& path)
{
    openName_ = path;
    if (beforeShowReplaced) {
        beforeShowReplaced();
    }
    if (readShow() == ReadOutcome::Loaded) {
        player_->refreshTempo();
    }
}

FileResult DeskCore::writeShow(const QString& path)
{
    FileResult result;
    const ShowMemory* written = &engine().memory;
    auto image = std::make_unique<ShowMemory>();
    if (!showImage) {
        result = writeShowFile(path, engine().memory);
    } else {
        for (int i = 0; i < ShowMemorySize; ++i) {
            image->set(i, engine().memory.get(i));
        }
        showImage(*image);
        result = writeShowFile(path, *image);
        written = image.get();
    }
    if (result.ok) {
        emit saveFailure({});  // the show is on disk again
        if (journal_ != nullptr) {
            // The journal goes on from the image just written: the edits are in that file now.
            const auto bytes = imageOf(*written);
            journal_->saved(ShowImage(bytes->data(), ShowFileSize), path == autosaveFile() ? journalName() : path);
        }
    }
    return result;
}

std::unique_ptr<std::array<std::uint8_t, ShowFileSize>> DeskCore::imageOf(const ShowMemory& memory)
{
    auto bytes = std::make_unique<std::array<std::uint8_t, ShowFileSize>>();
    for (int i = 0; i < ShowFileSize; ++i) {
        (*bytes)[static_cast<std::size_t>(i)] = memory.get(i);
    }
    return bytes;
}

void DeskCore::beginJournal(const QString& showName)
{
    if (journal_ != nullptr) {
        auto shaped = std::make_unique<ShowMemory>();
        for (int i = 0; i < ShowFileSize; ++i) {
            shaped->set(i, engine().memory.get(i));
        }
        if (showImage) {
            showImage(*shaped);
        }
        const auto bytes = imageOf(*shaped);
        journal_->begin(ShowImage(bytes->data(), ShowFileSize), showName);
    }
}

QString DeskCore::journalName() const
{
    return rig_->engine().shared.showNamed == 1 ? saveName_ : QString();
}

QByteArray DeskCore::newShowImage()
{
    auto fresh = std::make_unique<Engine>();
    fresh->ClearAll();
    const auto bytes = imageOf(fresh->memory);
    return QByteArray(reinterpret_cast<const char*>(bytes->data()), ShowFileSize);
}

std::vector<BaseCandidate> DeskCore::journalBases() const
{
    return baseCandidates(EditJournal::basePaths(journalFile()) + QStringList{saveName_, openName_, autosaveFile()},
                          newShowImage(), RecoveryCopies(recoveryDirectory()));
}

void DeskCore::startJournal()
{
    if (journal_ != nullptr) {
        return;
    }
    // A journal left means the last run did not end cleanly (a clean end
    // removes it or sets it aside). It is never written over: one that gives
    // back anything goes to the recovery folder first, and is offered from there.
    journalLeft_ = std::make_unique<JournalRecovery>();
    if (isRegularFile(journalFile())) {
        *journalLeft_ = examineJournal(journalFile(), journalBases(), currentImage());
    }
    JournalRecovery& found = *journalLeft_;
    if (found.state != JournalRecovery::State::Nothing) {
        keepJournalBase(found.header);
        RecoveryCopies copies(recoveryDirectory());
        if (const FileResult kept = copies.setAside(journalFile(), QDateTime::currentDateTimeUtc(), &found.journalPath);
            !kept.ok) {
            qCWarning(lcFile).noquote() << "edit journal of the last run not set aside:" << kept.message;
            emit fileError(kept.message);  // still offered: what it gives back is in memory
        }
        if (found.state == JournalRecovery::State::Refused) {
            qCWarning(lcFile).noquote() << "edit journal of the last run refused:" << found.message.trimmed()
                                        << "- kept as" << found.journalPath;
        } else {
            qCWarning(lcFile).noquote() << "edit journal of the last run:" << found.records << "records of"
                                        << (found.header.showName.isEmpty() ? QStringLiteral("a show without a file")
                                                                            : found.header.showName)
                                        << (found.tailCut ? "(a torn tail cut)" : "") << "kept as" << found.journalPath;
        }
        if (found.state == JournalRecovery::State::Foreign) {
            emit status(tr(" Журнал правок не подходит ни к одному шоу: он сохранен в папке восстановления "));
        } else if (found.state == JournalRecovery::State::Refused) {
            emit status(QStringLiteral(" ") + found.message);
        }
    }
    journal_ = new EditJournal(engine().memory, journalFile(), this);
    // What the picture editor borrowed is journaled as the show's own, as a save writes it.
    journal_->setShape([this](ShowMemory& image) {
        if (showImage) {
            showImage(image);
        }
    });
    connect(journal_, &EditJournal::notice, this, [this](const QString& text) {
        qCWarning(lcFile).noquote() << text;
        emit status(QStringLiteral(" ") + text);
    });
    beginJournal(journalName());
}

void DeskCore::keepJournalBase(const JournalHeader& header)
{
    // A journal set aside keeps the show it stands on among the copies: the
    // base file beside the journal is written over by the next journal.
    const QByteArray base = readShowImage(EditJournal::basePathOf(journalFile(), header.baseIdentity));
    if (base.size() == ShowFileSize && imageIdentity(base) == header.baseIdentity) {
        // Listed at the time that show was, not at the time it was kept.
        const QDateTime when = header.baseSavedAt.isValid() ? header.baseSavedAt : QDateTime::currentDateTimeUtc();
        RecoveryCopies(recoveryDirectory())
            .keepCopy(ShowImage(reinterpret_cast<const std::uint8_t*>(base.constData()), ShowFileSize), header.showName,
                      when);
    }
}

const JournalRecovery& DeskCore::journalLeft() const
{
    static const JournalRecovery nothing;
    return journalLeft_ != nullptr ? *journalLeft_ : nothing;
}

void DeskCore::endJournal()
{
    if (journal_ == nullptr) {
        return;
    }
    journal_->finish();  // removes the journal when the last save holds every edit
    if (isRegularFile(journalFile())) {
        const JournalContents left = readJournalFile(journalFile());
        keepJournalBase(left.header);
        // Edits no file holds: offered by the recovery command, not asked about at the next start.
        if (const FileResult kept = RecoveryCopies(recoveryDirectory()).setAside(journalFile()); !kept.ok) {
            qCWarning(lcFile).noquote() << "edit journal not set aside:" << kept.message;
        }
    }
}

void DeskCore::recover(const JournalRecovery& recovery)
{
    if (recovery.state != JournalRecovery::State::Offered || recovery.image.size() != ShowFileSize) {
        return;
    }
    replaceShow(recovery.image, recovery.header.showName);
    // The new journal stands on the base the edits were made on, so that
    // they are journaled again at once and survive another crash.
    if (journal_ != nullptr) {
        const QByteArray base = recovery.basePath.isEmpty() ? newShowImage() : baseImageOf(recovery);
        if (base.size() == ShowFileSize) {
            journal_->begin(ShowImage(reinterpret_cast<const std::uint8_t*>(base.constData()), ShowFileSize),
                            journalName());
            journal_->step(true);
        }
    }
}

QByteArray DeskCore::baseImageOf(const JournalRecovery& recovery) const
{
    for (const BaseCandidate& candidate : journalBases()) {
        if (candidate.path == recovery.basePath && imageIdentity(candidate.image) == recovery.header.baseIdentity) {
            return candidate.image;
        }
    }
    if (const QByteArray own = readShowImage(recovery.basePath); imageIdentity(own) == recovery.header.baseIdentity) {
        return own;
    }
    return {};
}

void DeskCore::replaceShow(const QByteArray& image, const QString& showName)
{
    if (beforeShowReplaced) {
        beforeShowReplaced();
    }
    keepRecoveryCopy();
    for (int i = 0; i < ShowFileSize; ++i) {
        engine().memory.set(i, static_cast<std::uint8_t>(image[i]));
    }
    emit undoAvailable(false);
    if (!showName.isEmpty()) {
        openName_ = showName;
        saveName_ = showName;
        engine().shared.showNamed = 1;
        emit showLoaded(showName);
    } else {
        engine().shared.showNamed = 0;
        if (engine().hooks.untitledCaption) {
            engine().hooks.untitledCaption();
        }
    }
    player_->followShowAutomats();
    if (engine().hooks.applyTempo) {
        engine().hooks.applyTempo();
    }
    player_->refreshTempo();
    emit showOpened();
    beginJournal(journalName());
}

std::vector<RecoveryEntry> DeskCore::recoveryEntries() const
{
    return RecoveryCopies(recoveryDirectory()).list();
}

bool DeskCore::openRecoveryEntry(const RecoveryEntry& entry)
{
    if (entry.kind == RecoveryEntry::Kind::ShowCopy) {
        QByteArray image;
        if (const FileResult read = RecoveryCopies(recoveryDirectory()).read(entry, image); !read.ok) {
            emit fileError(read.message);
            return false;
        }
        replaceShow(image, entry.showName);
        return true;
    }
    const JournalRecovery found = examineJournal(entry.path, journalBases(), currentImage());
    switch (found.state) {
    case JournalRecovery::State::Offered:
        recover(found);
        return true;
    case JournalRecovery::State::Refused:
        emit fileError(found.message);
        return false;
    case JournalRecovery::State::Foreign:
        emit fileError(tr("Журнал правок не подходит ни к одному шоу: шоу, на котором он начат, не найдено "));
        return false;
    case JournalRecovery::State::Nothing:
        break;
    }
    emit fileError(tr("В журнале правок нет изменений шоу "));
    return false;
}

QByteArray DeskCore::currentImage()
{
    const auto bytes = imageOf(engine().memory);
    return QByteArray(reinterpret_cast<const char*>(bytes->data()), ShowFileSize);
}

void DeskCore::keepRecoveryCopy()
{
    if (journal_ == nullptr) {
        return;  // velantra-player edits nothing: it keeps no copies either
    }
    const auto bytes = imageOf(engine().memory);
    const QByteArray image(reinterpret_cast<const char*>(bytes->data()), ShowFileSize);
    if (image == newShowImage()) {
        return;  // nothing to lose
    }
    RecoveryCopies copies(recoveryDirectory());
    for (const RecoveryEntry& entry : copies.list()) {
        if (entry.kind == RecoveryEntry::Kind::ShowCopy) {
            QByteArray newest;
            if (copies.read(entry, newest).ok && newest == image) {
                return;  // kept already
            }
            break;
        }
    }
    if (const FileResult kept = copies.keepCopy(ShowImage(bytes->data(), ShowFileSize), journalName()); !kept.ok) {
        qCWarning(lcFile).noquote() << "recovery copy not kept:" << kept.message;
        emit status(QStringLiteral(" ") + kept.message);
    }
}

FileResult DeskCore::saveShow()
{
    engine().memory.writeHeader();
    const FileResult result = writeShow(saveName_);
    if (!result.ok) {
        emit fileError(result.message);
        return result;
    }
    engine().shared.showNamed = 1;
    return result;
}

FileResult DeskCore::autoSave()
{
    if (!saveName_.isEmpty()) {
        emit status(tr("Автосохранение файла %1").arg(QFileInfo(saveName_).fileName()));
    }
    // A failure goes to the status line and stays marked until a save
    // succeeds: a modal box every three minutes would take the keyboard away
    // from a live show, and the status line alone is rewritten every second.
    const FileResult result = writeShow(autosaveFile());
    if (!result.ok) {
        qCWarning(lcFile).noquote() << "autosave not written:" << result.message.trimmed();
        emit status(QStringLiteral(" ") + result.message);
        emit saveFailure(result.message);
    }
    return result;
}

void DeskCore::newShow()
{
    if (beforeShowReplaced) {
        beforeShowReplaced();
    }
    keepRecoveryCopy();  // the show as it was stays recoverable
    engine().ClearAll();
    beginJournal({});
}

Settings DeskCore::currentSettings() const
{
    Settings settings;
    settings.konveir = player_->conveyor().files;
    settings.path = saveName_;
    settings.coder = patchName_;
    settings.sacn = rig_->network().sacnSettings();
    settings.artnet = rig_->network().artNetSettings();
    settings.language = language_;
    settings.interfaceKinds = interfaceKinds_;
    settings.remote = remote_;
    settings.osc = osc_;
    return settings;
}

FileResult DeskCore::writeSettings()
{
    // Through a temporary file renamed over the old one.
    const FileResult result = velantra::writeSettings(settingsFile(), currentSettings());
    if (!result.ok) {
        emit fileError(result.message);
    }
    return result;
}

void DeskCore::poll()
{
    // A DMX USB Pro is sent the output slots the patch fills from a channel, at least 24.
    int used = 0;
    for (int slot = DmxSlots - 1; slot >= 1 && used == 0; --slot) {
        const int source = engine().coderTable.get(static_cast<std::size_t>(slot));
        if (source >= 1 && source <= LastChannel) {
            used = slot;
        }
    }
    link().setSlotsUsed(used);
    link().poll();
    emit polled();
}

void DeskCore::chooseKind(int choice)
{
    interfaceKinds_ = withKindChoice(interfaceKinds_, link().device().serial, static_cast<KindChoice>(choice));
    applyKindChoices(link(), interfaceKinds_);
    // Written at once; a failure is said in the status line, not in a box.
    if (const FileResult result = velantra::writeSettings(settingsFile(), currentSettings()); !result.ok) {
        qCWarning(lcFile).noquote() << result.message;
        emit status(QStringLiteral(" ") + result.message);
    }
}

void DeskCore::setOffline(bool on)
{
    offline_ = on;
    link().setOffline(on);  // the widget's requests as well as the frames
    engine().controls.noUsbConnect.store(on, std::memory_order_relaxed);
}

bool DeskCore::offline() const
{
    return offline_;
}

bool DeskCore::playing() const
{
    return rig_->engine().shared.playMode.load(std::memory_order_relaxed) == 1;
}

bool DeskCore::sceneCommand(SceneCommand command)
{
    if (playing()) {
        return false;
    }
    Engine& e = engine();
    if (command == SceneCommand::CopyToClipboard) {
        SaveToPaste(e);
        return true;
    }
    takeUndo();
    switch (command) {
    case SceneCommand::Insert:
        InsertNewScena(e);
        break;
    case SceneCommand::Delete:
        DeleteScena(e);
        break;
    case SceneCommand::Clear:
        clearScene(e);
        break;
    case SceneCommand::CopyPrevious:
        copyPreviousScene(e);
        break;
    case SceneCommand::PasteAsNew:
        InsertNewScena(e);
        takeUndo();  // the paste takes its own copy: undo keeps the inserted scene
        LoadFromPaste(e);
        break;
    case SceneCommand::PasteOver:
        takeUndo();
        LoadFromPaste(e);
        break;
    case SceneCommand::CopyToClipboard:
        break;
    }
    return true;
}

void DeskCore::takeUndo()
{
    undo_.take(engine().memory);
    emit undoAvailable(true);
}

void DeskCore::restoreUndo()
{
    undo_.restore(engine().memory);
}

void DeskCore::stopOutput()
{
    if (stopped_) {
        return;
    }
    stopped_ = true;
    rig_->stop();  // the output stops before the link closes; sACN receivers let go at once
    player_->stopTimers();
    pollTimer_->stop();
}

void DeskCore::shutDownOnSignal()
{
    stopOutput();
    if (journal_ != nullptr) {
        journal_->step(true);  // the edits on the disk before anything else is tried
    }
    if (beforeShowReplaced) {
        beforeShowReplaced();
    }
    const auto note = [](const char* what, const FileResult& result) {
        if (!result.ok) {
            qWarning("velantra: %s not written: %s", what, qUtf8Printable(result.message));
        }
    };
    note("autosave copy", writeShow(autosaveFile()));
    note("colour file", writeColorFile(colourFile(), channelTables_));
    note("settings file", velantra::writeSettings(settingsFile(), currentSettings()));
}

}  // namespace velantra
