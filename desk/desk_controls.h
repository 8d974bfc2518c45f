// The desk's controls: the fader bank, the levels of the selected channels,
// blackout, "M" and "On", the pictures, tempo, play and stop, the automats'
// switches and speeds and the conveyor's slots, with the rules the window's
// pages keep. Every surface (the window's pages, MIDI, the headless player)
// calls these and follows `changed`; none moves another surface's widget.
// QtCore; GUI thread.
#pragma once

#include "engine/engine.h"

#include <QObject>
#include <QString>

namespace velantra {

class Player;

class DeskControls : public QObject {
    Q_OBJECT
public:
    enum class Control : std::uint8_t {
        Fader,  // index 1..27
        PageOffset,
        LevelAll,
        Tempo,
        Playing,
        BlackOut,
        Macro,
        Picture,       // index 1..16
        AutomatAlone,  // index 1..2
        AutomatSpeed,  // index 1..2
        ConveyorSlot,  // index 1..20
        Scene,         // chosen through a surface; the show's own steps are Player::stepped
    };
    Q_ENUM(Control)

    // engine and player must outlive the controls.
    DeskControls(Engine& engine, Player& player, QObject* parent = nullptr);

    // The fader bank. Row 1..27 shows channel pageOffset() + row. A move is
    // the fader's position (what the tick takes for a selected channel in
    // manual mode) and, unless the show plays, the channel's level in the
    // current scene.
    int faderPosition(int row) const;
    void moveFader(int row, int value);
    // What fader row shows: its position for a selected channel in manual
    // mode, else the channel's level in the current scene.
    int faderValue(int row) const;
    int pageOffset() const;
    void setPageOffset(int offset);  // 0..FaderOffsetMax
    // The selected channels of the current scene all take level 0..255.
    int levelAll() const { return levelAll_; }
    void setLevelAll(int level);

    int tempo() const;
    void setTempo(int tempo);
    bool playing() const;
    void play();
    void stop();

    // The current scene, 0-based, and the last scene of the show. Stopped, a
    // jump only chooses the scene shown; playing, the show goes on from it.
    int scene() const;
    int lastScene() const;
    void goToScene(int scene);  // clamped to 0..lastScene()
    void stepScene(int delta);  // -1 back, +1 on, wrapping within the show

    // Blackout stops play; "M" holds the macro picture over a blackout;
    // backToScene ("On") ends both.
    bool blackOut() const;
    void setBlackOut(bool on);
    bool macro() const;
    void setMacro(bool down);
    void backToScene();
    // Static picture 1..16 on (held) or off.
    bool picture(int k) const;
    void setPicture(int k, bool on);

    // Automat 1..2: running on its own, and its tempo cell (5..50).
    bool automatAlone(int a) const;
    void setAutomatAlone(int a, bool on);
    int automatSpeed(int a) const;
    void setAutomatSpeed(int a, int tempo);

    // Conveyor slot 1..20 in hand mode: its show is wanted now (showWanted).
    int conveyorSlot() const { return conveyorSlot_; }
    void chooseConveyorSlot(int k);

    Engine& engine() { return engine_; }
    Player& player() { return player_; }

signals:
    // A control changed, through any surface. index: the row, picture, automat or slot.
    void changed(velantra::DeskControls::Control control, int index);
    // The conveyor's hand mode wants this show loaded now.
    void showWanted(const QString& path);

private:
    Engine& engine_;
    Player& player_;
    int levelAll_ = 127;
    int conveyorSlot_ = 0;
};

}  // namespace velantra
