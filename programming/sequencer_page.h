// The page "Секвенсер", a view of the player: play and stop, the tempo, the
// scene counters, the tempo lamp, the preset scene and the play and pause clocks.
#pragma once

#include <QWidget>

class QLabel;
class QScrollBar;
class QTimer;
class QToolButton;

namespace velantra {

class Player;

class SequencerPage : public QWidget {
    Q_OBJECT
public:
    // GUI thread. player must outlive the page.
    explicit SequencerPage(Player& player, QWidget* parent = nullptr);

    // GUI thread. Start and end of play mode.
    void ModePlay();
    void ModeStop();
    // GUI thread. Sequencer interval and scenes-per-minute label from the tempo cell.
    void TempStatus();
    // GUI thread. Tempo bar, scene counters and the step bar from the show memory.
    void showCounters();
    // GUI thread. The stop button goes down when play ended some other way
    // (a blackout change).
    void showStopped();
    // GUI thread. A step bar moved beyond the last scene copies the scene
    // before it into the new last scene while this is on.
    void setAutoAppend(bool on) { autoAppend_ = on; }

    QToolButton* playButton() const { return play_; }
    QToolButton* stopButton() const { return stop_; }
    QScrollBar* tempoBar() const { return tempo_; }
    QScrollBar* stepBar() const { return step_; }
    // The player's sequencer timer.
    QTimer* sequencerTimer() const;
    // The scene edit buttons on this page, enabled and disabled by play mode.
    QToolButton* editButton(const char* name) const;

signals:
    // Play mode allows editing scenes (stopped) or not (playing).
    void sceneEditingAllowed(bool allowed);
    // The current scene was changed by hand.
    void refreshWanted();

public slots:
    // GUI thread. One tick of the player's sequencer timer.
    void TimerSeqveserTimer();
    void TimerColorLentaTempaTimer();
    void ScrollBarTempChange(int position);
    void ScrollBarStepChange(int position);
    void ScrollBarScenHandChange(int position);
    void SpeedButtonScenHandClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setLamp(const QColor& color);
    void setEditButtonsEnabled(bool enabled);
    void showPlaying(bool playing);
    void showHeld(bool held);
    void beat();
    void showClock();

    Player& player_;
    QToolButton* play_;
    QToolButton* stop_;
    QScrollBar* tempo_;
    QLabel* tempoLabel_;
    QLabel* lamp_;
    QLabel* stepLabel_;
    QLabel* codaLabel_;
    QScrollBar* step_;
    QScrollBar* preset_;
    QLabel* presetLabel_;
    QLabel* timeShow_;
    QLabel* timePause_;
    QTimer* timerLamp_;
    bool refreshing_ = false;
    bool autoAppend_ = false;
};

}  // namespace velantra
