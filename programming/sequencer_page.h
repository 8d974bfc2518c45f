// The page "Секвенсер": play and stop, the tempo, the scene counters, the
// tempo lamp, the preset scene and the play and pause clocks.
#pragma once

#include <QWidget>

class QLabel;
class QScrollBar;
class QTimer;
class QToolButton;

namespace velantra {

class TBaseForm;

class SequencerPage : public QWidget {
    Q_OBJECT
public:
    explicit SequencerPage(TBaseForm& form, QWidget* parent = nullptr);

    // GUI thread. Start and end of play mode.
    void ModePlay();
    void ModeStop();
    // GUI thread. Sequencer interval and scenes-per-minute label from the tempo cell.
    void TempStatus();
    // GUI thread. Tempo bar, scene counters and the step bar from the show memory.
    void showCounters();
    // GUI thread. The clock part of the once-a-second show clock.
    void clockTick();

    QToolButton* playButton() const { return play_; }
    QToolButton* stopButton() const { return stop_; }
    QScrollBar* tempoBar() const { return tempo_; }
    QScrollBar* stepBar() const { return step_; }
    QTimer* sequencerTimer() const { return timerSeqveser_; }
    // The scene edit buttons on this page, enabled and disabled by play mode.
    QToolButton* editButton(const char* name) const;

    int clockHours = 0;
    int clockMinutes = 0;
    int clockSeconds = 0;

public slots:
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

    TBaseForm& form_;
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
    QTimer* timerSeqveser_;
    QTimer* timerLamp_;
    bool refreshing_ = false;
};

}  // namespace velantra
