#include "desk/desk_controls.h"

#include "desk/player.h"
#include "engine/automat.h"
#include "engine/sequencer.h"

#include <algorithm>

namespace velantra {

namespace {
constexpr auto relaxed = std::memory_order_relaxed;

std::size_t slot(int oneBased)
{
    return static_cast<std::size_t>(oneBased - 1);
}
}  // namespace

DeskControls::DeskControls(Engine& engine, Player& player, QObject* parent)
    : QObject(parent)
    , engine_(engine)
    , player_(player)
{
    setObjectName(QStringLiteral("DeskControls"));
    connect(&player_, &Player::playingChanged, this, [this] { emit changed(Control::Playing, 0); });
    connect(&player_, &Player::tempoChanged, this, [this] { emit changed(Control::Tempo, 0); });
}

int DeskControls::scene() const
{
    return engine_.memory.get(CellScene);
}

int DeskControls::lastScene() const
{
    return engine_.memory.get(CellLastScene);
}

void DeskControls::goToScene(int scene)
{
    player_.jumpToScene(std::clamp(scene, 0, lastScene()));
    emit changed(Control::Scene, 0);
}

void DeskControls::stepScene(int delta)
{
    const int count = lastScene() + 1;
    goToScene(((scene() + delta) % count + count) % count);
}

int DeskControls::faderPosition(int row) const
{
    if (row < 1 || row > FaderCount) {
        return 0;
    }
    return engine_.controls.faderPosition[slot(row)].load(relaxed);
}

void DeskControls::moveFader(int row, int value)
{
    if (row < 1 || row > FaderCount) {
        return;
    }
    const auto level = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
    engine_.controls.faderPosition[slot(row)].store(level, relaxed);
    if (!playing()) {
        engine_.publishSceneAddress(engine_.memory.get(CellScene));
        const int cell = engine_.shared.sceneAddr.load(relaxed) + pageOffset() + row;
        engine_.memory.set(cell, level);
    }
    emit changed(Control::Fader, row);
}

int DeskControls::faderValue(int row) const
{
    if (row < 1 || row > FaderCount) {
        return 0;
    }
    const int channel = pageOffset() + row;
    if (engine_.controls.manual.load(relaxed) && engine_.memory.get(SelectBase + channel) != 0) {
        return faderPosition(row);
    }
    return engine_.memory.get(sceneAddress(engine_.memory.get(CellScene)) + channel);
}

int DeskControls::pageOffset() const
{
    return engine_.shared.faderOffset.load(relaxed);
}

void DeskControls::setPageOffset(int offset)
{
    const int clamped = std::clamp(offset, 0, FaderOffsetMax);
    if (clamped == pageOffset()) {
        return;
    }
    engine_.shared.faderOffset.store(static_cast<std::uint8_t>(clamped), relaxed);
    emit changed(Control::PageOffset, 0);
}

void DeskControls::setLevelAll(int level)
{
    levelAll_ = std::clamp(level, 0, 255);
    engine_.publishSceneAddress(engine_.memory.get(CellScene));
    const int address = engine_.shared.sceneAddr.load(relaxed);
    for (int c = 1; c <= LastChannel; ++c) {
        if (engine_.memory.get(SelectBase + c) != 0) {
            engine_.memory.set(address + c, static_cast<std::uint8_t>(levelAll_));
        }
    }
    emit changed(Control::LevelAll, 0);
}

int DeskControls::tempo() const
{
    return std::clamp<int>(engine_.memory.get(CellTempo), TempoMin, TempoMax);
}

void DeskControls::setTempo(int tempo)
{
    player_.setTempo(tempo);  // the player says tempoChanged
}

bool DeskControls::playing() const
{
    return engine_.shared.playMode.load(relaxed) != 0;
}

void DeskControls::play()
{
    player_.play();
}

void DeskControls::stop()
{
    player_.stop();
}

bool DeskControls::blackOut() const
{
    return engine_.controls.blackOut.load(relaxed);
}

void DeskControls::setBlackOut(bool on)
{
    engine_.controls.blackOut.store(on, relaxed);
    engine_.shared.playMode.store(0, relaxed);  // blackout ends play
    emit changed(Control::BlackOut, 0);
    emit changed(Control::Playing, 0);
}

bool DeskControls::macro() const
{
    return engine_.controls.macroDown.load(relaxed);
}

void DeskControls::setMacro(bool down)
{
    engine_.controls.macroDown.store(down, relaxed);
    if (down) {
        setBlackOut(true);  // "M": every channel off but the macro picture's
    }
    emit changed(Control::Macro, 0);
}

void DeskControls::backToScene()
{
    if (macro()) {
        setMacro(false);
    }
    if (blackOut()) {
        setBlackOut(false);
    }
}

bool DeskControls::picture(int k) const
{
    return k >= 1 && k <= 16 && engine_.controls.pictureOn[slot(k)].load(relaxed);
}

void DeskControls::setPicture(int k, bool on)
{
    if (k < 1 || k > 16) {
        return;
    }
    engine_.controls.pictureOn[slot(k)].store(on, relaxed);
    emit changed(Control::Picture, k);
}

bool DeskControls::automatAlone(int a) const
{
    return a >= 1 && a <= AutomatCount && engine_.transport.automats[slot(a)].alone.load(relaxed) != 0;
}

void DeskControls::setAutomatAlone(int a, bool on)
{
    if (a < 1 || a > AutomatCount) {
        return;
    }
    const bool withSequencer = engine_.transport.automats[slot(a)].withSequencer.load(relaxed) != 0;
    player_.setAutomatRun(a - 1, on, withSequencer);
    emit changed(Control::AutomatAlone, a);
}

int DeskControls::automatSpeed(int a) const
{
    if (a < 1 || a > AutomatCount) {
        return AutomatTempoDefault;
    }
    return std::clamp<int>(engine_.memory.get(AutomatSetups[slot(a)].tempoCell), AutomatTempoMin, AutomatTempoMax);
}

void DeskControls::setAutomatSpeed(int a, int tempo)
{
    if (a < 1 || a > AutomatCount) {
        return;
    }
    engine_.memory.set(AutomatSetups[slot(a)].tempoCell,
                       static_cast<std::uint8_t>(std::clamp(tempo, AutomatTempoMin, AutomatTempoMax)));
    player_.refreshAutomatTempo(a - 1);
    emit changed(Control::AutomatSpeed, a);
}

void DeskControls::chooseConveyorSlot(int k)
{
    ConveyorList& list = player_.conveyor();
    if (k < 1 || k > ConveyorSlots || list.mode != ConveyorList::Mode::Hand) {
        return;
    }
    conveyorSlot_ = k;
    emit changed(Control::ConveyorSlot, k);
    if (list.filled(k)) {
        emit showWanted(list.file(k));
    }
}

}  // namespace velantra
