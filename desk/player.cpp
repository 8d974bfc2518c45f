#include "desk/player.h"

#include "desk/player_log.h"
#include "desk/timer_interval.h"
#include "engine/sequencer.h"

#include <QTimer>

#include <algorithm>

Q_LOGGING_CATEGORY(lcPlayer, "velantra.player", QtInfoMsg)

namespace velantra {

namespace {

constexpr auto relaxed = std::memory_order_relaxed;
constexpr int ClockPeriodMs = 1000;
constexpr int AutoSavePeriodMs = 180000;
constexpr int AutomatStartPeriodMs = 1000;
// How often the window follows the tick's steps: displays only, the steps
// themselves are the tick's.
constexpr int FollowPeriodMs = 20;

QTimer* namedTimer(QObject* parent, const QString& name, int intervalMs)
{
    auto* timer = new QTimer(parent);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    return timer;
}

}  // namespace

Player::Player(Engine& engine, QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , sequencer_(namedTimer(this, QStringLiteral("TimerSeqveser"), sequencerInterval(TempoMin)))
    , clockTimer_(namedTimer(this, QStringLiteral("TimerShouClock"), ClockPeriodMs))
    , autoSave_(namedTimer(this, QStringLiteral("TimerAvtoSave"), AutoSavePeriodMs))
    , follow_(namedTimer(this, QStringLiteral("TimerTransportFollow"), FollowPeriodMs))
{
    setObjectName(QStringLiteral("Player"));
    for (int a = 0; a < AutomatCount; ++a) {
        Automat& automat = automats_[index(a)];
        automat.timer = namedTimer(this, QStringLiteral("TimerTempAvtomat%1").arg(a + 1), AutomatStartPeriodMs);
        connect(automat.timer, &QTimer::timeout, this, [this, a] { automatTick(a); });
    }
    connect(sequencer_, &QTimer::timeout, this, &Player::step);
    connect(clockTimer_, &QTimer::timeout, this, &Player::clockTick);
    connect(autoSave_, &QTimer::timeout, this, &Player::autoSaveDue);
    connect(follow_, &QTimer::timeout, this, &Player::followTheTick);
    refreshTempo();
    for (int a = 0; a < AutomatCount; ++a) {
        shareAutomat(a);
    }
    sequencer_->start();
    for (const Automat& automat : automats_) {
        automat.timer->start();
    }
    clockTimer_->start();
    autoSave_->start();
}

void Player::clockOnTheTick(bool on)
{
    TransportShared& t = engine_.transport;
    if (on == clockedOnTheTick()) {
        return;
    }
    seen_.beats = t.beats.load(relaxed);
    seen_.steps = t.steps.load(relaxed);
    for (std::size_t a = 0; a < automats_.size(); ++a) {
        seen_.automatBeats[a] = t.automatBeats[a].load(relaxed);
        seen_.automatSteps[a] = t.automatSteps[a].load(relaxed);
    }
    t.onTick.store(on ? 1 : 0, std::memory_order_release);
    for (QTimer* timer : {sequencer_, automats_[0].timer, automats_[1].timer}) {
        if (on) {
            timer->stop();
        } else {
            timer->start();
        }
    }
    if (on) {
        follow_->start();
    } else {
        follow_->stop();
    }
}

bool Player::clockedOnTheTick() const
{
    return engine_.transport.onTick.load(relaxed) != 0;
}

void Player::setConveyorMode(ConveyorList::Mode mode)
{
    conveyor_.mode = mode;
    engine_.transport.wrapsToConveyor.store(mode == ConveyorList::Mode::List ? 1 : 0, relaxed);
}

void Player::followTheTick()
{
    TransportShared& t = engine_.transport;
    // The list is open to its owners: a mode set on it directly reaches the tick here.
    t.wrapsToConveyor.store(conveyor_.mode == ConveyorList::Mode::List ? 1 : 0, relaxed);
    if (t.wrapWanted.load(std::memory_order_acquire) != 0) {
        // The tick stopped at the last scene: the wrap loads the next show.
        const SceneLevels left = sceneLevels(engine_, engine_.memory.get(CellScene));
        advanceScene(engine_);
        conveyorStep();
        computeSeqStep(engine_, sequencer_->interval(), left);
        t.wrapWanted.store(0, std::memory_order_release);
        emit stepped();
    }
    const std::uint32_t beats = t.beats.load(relaxed);
    const std::uint32_t steps = t.steps.load(std::memory_order_acquire);
    if (beats != seen_.beats) {
        seen_.beats = beats;
        emit beat();
    }
    if (steps != seen_.steps) {
        seen_.steps = steps;
        emit stepped();
    }
    for (int a = 0; a < AutomatCount; ++a) {
        const auto i = index(a);
        const std::uint32_t automatBeats = t.automatBeats[i].load(std::memory_order_acquire);
        const std::uint32_t automatSteps = t.automatSteps[i].load(relaxed);
        if (automatBeats == seen_.automatBeats[i]) {
            continue;
        }
        const bool took = automatSteps != seen_.automatSteps[i];
        seen_.automatBeats[i] = automatBeats;
        seen_.automatSteps[i] = automatSteps;
        emit automatTicked(a, took);
    }
}

void Player::shareAutomat(int a)
{
    const Automat& automat = automats_[index(a)];
    TransportShared::Automat& shared = engine_.transport.automats[index(a)];
    shared.alone.store(automat.alone ? 1 : 0, relaxed);
    shared.withSequencer.store(automat.withSequencer ? 1 : 0, relaxed);
    shared.program.store(static_cast<std::uint8_t>(std::clamp(automat.program, 0, 255)), relaxed);
    shared.periodMs.store(automat.timer->interval(), relaxed);
}

bool Player::playing() const
{
    return engine_.shared.playMode.load(relaxed) != 0;
}

void Player::resetClock()
{
    clock_ = Clock{};
}

void Player::play()
{
    if (held_) {
        return;
    }
    engine_.shared.playMode.store(1, relaxed);
    resetClock();
    qCInfo(lcPlayer) << "play from scene" << engine_.memory.get(CellScene) + 1;
    emit playingChanged(true);
}

void Player::stop()
{
    engine_.shared.playMode.store(0, relaxed);
    resetClock();
    qCInfo(lcPlayer) << "stop at scene" << engine_.memory.get(CellScene) + 1;
    emit playingChanged(false);
}

void Player::setHeld(bool held)
{
    held_ = held;
    emit heldChanged(held);
}

int Player::stepInterval() const
{
    return sequencer_->interval();
}

void Player::refreshTempo()
{
    const int tempo = std::clamp<int>(engine_.memory.get(CellTempo), TempoMin, TempoMax);
    setTimerInterval(*sequencer_, sequencerInterval(tempo));
    engine_.transport.stepPeriodMs.store(sequencer_->interval(), relaxed);
    emit tempoChanged(sequencer_->interval());
}

void Player::setTempo(int tempo)
{
    engine_.memory.set(CellTempo, static_cast<std::uint8_t>(std::clamp(tempo, TempoMin, TempoMax)));
    refreshTempo();
}

void Player::step()
{
    emit beat();
    if (!playing()) {
        return;
    }
    // Taken before the step: a wrap in list mode loads another show.
    const SceneLevels left = sceneLevels(engine_, engine_.memory.get(CellScene));
    if (advanceScene(engine_) && conveyor_.mode == ConveyorList::Mode::List) {
        conveyorStep();
    }
    computeSeqStep(engine_, sequencer_->interval(), left);
    emit stepped();
}

void Player::jumpToScene(int scene)
{
    if (playing() && engine_.transport.onTick.load(relaxed) != 0) {
        // The tick steps the scene during play: it takes the jump too.
        engine_.transport.jumpWanted.store(std::clamp(scene, 0, SceneCount - 1), std::memory_order_release);
        return;
    }
    const SceneLevels shown = sceneLevels(engine_, engine_.memory.get(CellScene));
    engine_.memory.set(CellScene, static_cast<std::uint8_t>(std::clamp(scene, 0, SceneCount - 1)));
    if (playing()) {
        computeSeqStep(engine_, sequencer_->interval(), shown);
    }
}

void Player::conveyorStep()
{
    const ConveyorList::Step next = conveyor_.next();
    if (next.show) {
        qCInfo(lcPlayer) << "show queue: slot" << next.shown << "plays" << *next.show;
        emit showWanted(*next.show);
    }
    engine_.memory.set(CellScene, 0);
    emit conveyorStepped(next.shown);
}

void Player::clockTick()
{
    if (++clock_.seconds == 60) {
        clock_.seconds = 0;
        if (++clock_.minutes == 60) {
            clock_.minutes = 0;
            if (++clock_.hours == 24) {
                clock_.hours = 0;
            }
        }
    }
    emit clockTicked();
}

void Player::setAutomatRun(int a, bool alone, bool withSequencer)
{
    Automat& automat = automats_[index(a)];
    automat.alone = alone;
    automat.withSequencer = withSequencer;
    shareAutomat(a);
}

void Player::setAutomatProgram(int a, int program)
{
    automats_[index(a)].program = program;
    shareAutomat(a);
}

void Player::takeAutomatPrograms()
{
    for (int a = 0; a < AutomatCount; ++a) {
        const int program = engine_.memory.get(AutomatSetups[index(a)].programCell);
        if (program >= 1 && program <= AutomatPrograms) {
            setAutomatProgram(a, program);
        }
    }
}

void Player::takeAutomatSettings()
{
    for (int a = 0; a < AutomatCount; ++a) {
        takeAutomatCells(engine_, a);
    }
    takeAutomatPrograms();
    for (int a = 0; a < AutomatCount; ++a) {
        refreshAutomatTempo(a);
    }
}

void Player::followShowAutomats()
{
    for (int a = 0; a < AutomatCount; ++a) {
        const AutomatSetup& setup = AutomatSetups[index(a)];
        const int first = std::min<int>(engine_.memory.get(setup.channelCell), AutomatFirstMax);
        engine_.automats[index(a)].first.store(static_cast<std::uint8_t>(first), relaxed);
        const int tempo = std::clamp<int>(engine_.memory.get(setup.tempoCell), AutomatTempoMin, AutomatTempoMax);
        setTimerInterval(*automats_[index(a)].timer, automatPeriod(tempo));
        shareAutomat(a);  // the speed bars show it when their page next refreshes
    }
    takeAutomatPrograms();
}

void Player::runAutomatsAlone()
{
    takeAutomatSettings();
    for (int a = 0; a < AutomatCount; ++a) {
        setAutomatRun(a, true, false);
    }
}

void Player::refreshAutomatTempo(int a)
{
    const int period = automatPeriod(engine_.memory.get(AutomatSetups[index(a)].tempoCell));
    setTimerInterval(*automats_[index(a)].timer, period);
    shareAutomat(a);
    emit automatTempoChanged(a, period);
}

void Player::automatTick(int a)
{
    const Automat& automat = automats_[index(a)];
    const bool steps = automatTickSteps(engine_, a, automat.alone, automat.withSequencer);
    if (steps) {
        runAutomatStep(engine_, a, automat.program);
    }
    emit automatTicked(a, steps);
}

void Player::stopTimers()
{
    engine_.transport.onTick.store(0, std::memory_order_release);
    for (QTimer* timer : findChildren<QTimer*>()) {
        timer->stop();
    }
}

}  // namespace velantra
