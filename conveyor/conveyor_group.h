// The group "Конвейр потоков Шоу ": twenty show slots, the mode buttons, the
// current-show label and the keyboard switch. In hand mode a slot loads its
// show at once; the two start buttons play the slots that are down, one show
// after another, each time the sequencer wraps past the last scene.
#pragma once

#include "conveyor/conveyor_names.h"

#include <QGroupBox>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QEvent;
class QToolButton;

namespace velantra {

class Player;
class Shell;

class ConveyorGroup : public QGroupBox {
    Q_OBJECT
public:
    // GUI thread. A view of the player's conveyor list; shell: the window
    // whose shows the conveyor loads. Both must outlive the group.
    ConveyorGroup(Shell& shell, Player& player, QWidget* parent = nullptr);

    // GUI thread. Caption of slot 1..20 as the settings file gives it at
    // start-up: "Q=Show" navy bold when filled, "Q пусто" red when empty.
    void showSlotFromSettings(int slot, const QString& path);

    // GUI thread. The job of slot k (1..20), run after a left click has toggled
    // it and by its key letter: in hand mode slot k alone goes down and its
    // show, if it has one, is loaded at once; in the other modes nothing.
    void slotJob(int k);
    // GUI thread. The conveyor's next step (the player's): loads the show of
    // the first slot, from the current position on, that is down and filled,
    // and moves the position past it; after slot 20 the next step starts again at slot 1.
    void KonveyrJob();
    // GUI thread. All twenty slot buttons up.
    void KonveyrButtonOff();

    QToolButton* slotButton(int slot) const { return slots_[static_cast<std::size_t>(slot - 1)]; }
    QLabel* label() const { return label_; }
    QCheckBox* keyboard() const { return keyboard_; }
    // The slot the next step looks at first, 1..20.
    int position() const;

    // Shows of the twenty slots, full paths; empty = slot empty.
    const std::array<QString, ConveyorSlots>& files;

protected:
    // GUI thread. A right button press on a slot chooses its show.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setFilledLook(int slot, bool filled);
    // GUI thread. Runs the show open dialog for slot k; a cancel changes nothing.
    void chooseSlotShow(int k);
    // GUI thread. ConveyorName := short name of the open dialog's file name.
    void ConvertorFileName();
    // GUI thread. After the desk has loaded a slot's show: its name and the pages.
    void ManualLoad();
    void SpeedButtonKonvSpisBeginClick();
    void SpeedButtonKonvSpisClick();
    void SpeedButtonKonvNewClick();
    void setMode(ConveyorList::Mode mode);
    void showStep(int shown);
    ConveyorList& list();

    Shell& shell_;
    Player& player_;
    QString conveyorName_;
    QToolButton* hand_ = nullptr;
    std::array<QToolButton*, ConveyorSlots> slots_{};
    QButtonGroup* modes_;
    QLabel* label_;
    QCheckBox* keyboard_;
};

}  // namespace velantra
