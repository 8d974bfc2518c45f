// Playing a show, without a window: the sequencer's steps (glide and wrap),
// the tempo, the show and pause clocks, the two automats' steps, the
// conveyor's move to its next show when a show wraps, and the autosave
// period. It changes the show memory; what it did it tells through signals.
// The window's pages are views of it; the headless player runs it alone.
// While the output thread runs, the tick clocks the steps (clockOnTheTick)
// and the player follows them; with the output stepped by hand its own
// timers do.
#pragma once

#include "desk/conveyor_list.h"
#include "engine/automat.h"
#include "engine/engine.h"

#include <QObject>
#include <QString>

#include <array>

class QTimer;

namespace velantra {

class Player : public QObject {
    Q_OBJECT
public:
    // Time of the show clock or the pause clock.
    struct Clock {
        int hours = 0;
        int minutes = 0;
        int seconds = 0;
    };

    // GUI thread. engine must outlive the player. The sequencer, automat,
    // clock and autosave timers start at once.
    explicit Player(Engine& engine, QObject* parent = nullptr);

    Engine& engine() { return engine_; }
    ConveyorList& conveyor() { return conveyor_; }

    // GUI thread. On: the output tick takes the sequencer's and automats'
    // steps on its own clock, their timers stop and the player follows the
    // tick (it loads the conveyor's next show at a wrap). Off: the timers.
    void clockOnTheTick(bool on);
    bool clockedOnTheTick() const;
    // GUI thread (the follow timer). What the tick did since the last look,
    // told as the timers tell it; a wrap into the conveyor's next show.
    void followTheTick();

    // GUI thread. The conveyor's mode, which a wrap of the show follows.
    void setConveyorMode(ConveyorList::Mode mode);

    // GUI thread. Start and end of play mode; both start the clock from 0.
    // play does nothing while the show is held stopped.
    void play();
    void stop();
    bool playing() const;
    // GUI thread. The static picture editor holds the show stopped while it
    // borrows scene 0.
    void setHeld(bool held);
    bool held() const { return held_; }

    // GUI thread. The tempo cell, read as 10..170, sets the step period (tempo² ms).
    void refreshTempo();
    void setTempo(int tempo);
    int stepInterval() const;

    // GUI thread. One tick of the sequencer timer: a beat; while playing the
    // next scene (0 after the last), the conveyor's next show when it wrapped
    // in list mode, and the glide steps from the scene it left to the new one.
    void step();
    // GUI thread. Makes scene (0..255) the current one; while playing, the
    // glide runs from the scene shown before. While the tick clocks the
    // steps of play, the tick takes the jump at its next start (it is then
    // the only writer of the current scene).
    void jumpToScene(int scene);

    // GUI thread. The conveyor's next step: loads the show of the next slot
    // that is down (through showWanted) and starts it from scene 0.
    void conveyorStep();

    // GUI thread. One second of the show clock (while playing) or the pause clock.
    void clockTick();
    const Clock& clock() const { return clock_; }
    void setClock(const Clock& clock) { clock_ = clock; }

    // GUI thread. Automat a (0, 1): its run switches, its program 1..4 (other
    // values: dark), its step period from its tempo cell.
    void setAutomatRun(int a, bool alone, bool withSequencer);
    void setAutomatProgram(int a, int program);
    int automatProgram(int a) const { return automats_[index(a)].program; }
    void refreshAutomatTempo(int a);
    // GUI thread. Each automat whose program cell holds 1..4 takes that program.
    void takeAutomatPrograms();
    // GUI thread. Both automats take their settings from the show as the
    // automats page shows them: cells brought within the page's ranges, the
    // first channels, the programs held in 1..4 and the step periods.
    // GUI thread. The automats run with the show's first channels, programs
    // and speeds (brought within their ranges), the show's cells left as
    // they are: after every show loaded, whatever page is shown.
    void followShowAutomats();
    void takeAutomatSettings();
    // GUI thread. Both automats run on their own with the show's settings:
    // the automats page with both "Пуск самостоятельно" switches on.
    void runAutomatsAlone();
    // GUI thread. One tick of automat a's timer.
    void automatTick(int a);

    // GUI thread. Stops every timer: the end of the program.
    void stopTimers();

    QTimer* sequencerTimer() const { return sequencer_; }
    QTimer* automatTimer(int a) const { return automats_[index(a)].timer; }
    QTimer* clockTimer() const { return clockTimer_; }
    QTimer* autoSaveTimer() const { return autoSave_; }
    QTimer* followTimer() const { return follow_; }

signals:
    // Play mode began or ended.
    void playingChanged(bool playing);
    void heldChanged(bool held);
    // The step period changed: tempo² ms.
    void tempoChanged(int intervalMs);
    // Every tick of the sequencer timer, playing or not.
    void beat();
    // The current scene moved by a step of play.
    void stepped();
    // The conveyor wants this show loaded now (it is started from scene 0 after).
    void showWanted(const QString& path);
    // The conveyor stepped; shown: the position it stopped at (1..20) or 0.
    void conveyorStepped(int shown);
    void clockTicked();
    // Automat a's timer ticked; stepped: it took a step.
    void automatTicked(int a, bool stepped);
    void automatTempoChanged(int a, int periodMs);
    // The autosave period ran out.
    void autoSaveDue();

private:
    struct Automat {
        QTimer* timer = nullptr;
        bool alone = false;
        bool withSequencer = false;
        int program = 1;  // until a program is chosen or read from the show
    };
    static std::size_t index(int a) { return static_cast<std::size_t>(a); }
    void resetClock();
    void shareAutomat(int a);

    Engine& engine_;
    ConveyorList conveyor_;
    QTimer* sequencer_;
    QTimer* clockTimer_;
    QTimer* autoSave_;
    QTimer* follow_;
    struct Seen {
        std::uint32_t beats = 0;
        std::uint32_t steps = 0;
        std::array<std::uint32_t, AutomatCount> automatBeats{};
        std::array<std::uint32_t, AutomatCount> automatSteps{};
    } seen_;
    std::array<Automat, AutomatCount> automats_{};
    Clock clock_;
    bool held_ = false;
};

}  // namespace velantra
