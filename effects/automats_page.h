// The page of the two four-channel chasers, a view of the player's automats:
// per automat a first-channel bar, a speed bar, bright and dark bars, four
// program buttons, the two run switches and the displays of the levels it sends.
#pragma once

#include "engine/engine.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QScrollBar;

namespace velantra {

class Player;

class AutomatsPage : public QWidget {
    Q_OBJECT
public:
    // GUI thread. player must outlive the page.
    explicit AutomatsPage(Player& player, QWidget* parent = nullptr);

    // GUI thread. The step timer follows the tempo cell; the speed label shows its rate.
    void TempAvtomat1Status();
    void TempAvtomat2Status();
    // GUI thread. One step with the program whose button is down, then the display.
    void JobAvtomat1();
    void JobAvtomat2();
    // GUI thread. Step label and level swatches from the automat's state.
    void DisplayAvtomat1();
    void DisplayAvtomat2();
    // GUI thread. All controls from the settings cells; a cell the control
    // cannot show is replaced by the control's value.
    void ReturnAvtomat();
    // GUI thread. ReturnAvtomat, then both displays: after a show is loaded or reset.
    void refresh();

    // Automat a (0 or 1): its run switch and its speed bar.
    QCheckBox* runAlone(int a) const { return c_[static_cast<std::size_t>(a)].runAlone; }
    QScrollBar* speedBar(int a) const { return c_[static_cast<std::size_t>(a)].tempo; }

public slots:
    // GUI thread. The step timers.
    void TimerTempAvtomat1Timer();
    void TimerTempAvtomat2Timer();

private:
    // The controls of one automat.
    struct Controls {
        QScrollBar* channel = nullptr;
        QScrollBar* tempo = nullptr;
        QScrollBar* bright = nullptr;
        QScrollBar* dark = nullptr;
        QButtonGroup* programs = nullptr;
        QCheckBox* runAlone = nullptr;
        QCheckBox* withSequencer = nullptr;
        QLabel* channels = nullptr;
        QLabel* channelName = nullptr;
        QLabel* speed = nullptr;
        QLabel* step = nullptr;
        QFrame* beat = nullptr;
        std::array<QFrame*, AutomatSlots> swatches{};
    };

    QWidget* buildAutomat(int a);
    void tempoStatus(int a);
    void job(int a);
    void display(int a);
    void ticked(int a, bool stepped);
    void showChannels(int a);
    void showSpeed(int a, int periodMs);
    void channelChanged(int a, int position);

    Player& player_;
    Engine& engine_;
    std::array<Controls, AutomatCount> c_;
    bool returning_ = false;  // ReturnAvtomat is running: the channel bars do not start it again
};

}  // namespace velantra
