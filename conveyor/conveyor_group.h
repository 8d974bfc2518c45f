// The group "Конвейр потоков Шоу ": twenty show slots, the mode buttons, the
// current-show label and the keyboard switch.
#pragma once

#include "conveyor/conveyor_names.h"

#include <QGroupBox>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QToolButton;

namespace velantra {

class ConveyorGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit ConveyorGroup(QWidget* parent = nullptr);

    // GUI thread. Caption of slot 1..20 as the settings file gives it at
    // start-up: "Q=Show" navy bold when filled, "Q пусто" red when empty.
    void showSlotFromSettings(int slot, const QString& path);

    QToolButton* slotButton(int slot) const { return slots_[static_cast<std::size_t>(slot - 1)]; }
    QLabel* label() const { return label_; }
    QCheckBox* keyboard() const { return keyboard_; }

    // Shows of the twenty slots, full paths; empty = slot empty.
    std::array<QString, ConveyorSlots> files;

private:
    void setFilledLook(int slot, bool filled);

    std::array<QToolButton*, ConveyorSlots> slots_{};
    QButtonGroup* modes_;
    QLabel* label_;
    QCheckBox* keyboard_;
};

}  // namespace velantra
