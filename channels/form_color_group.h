// The group "Цвет формы" on the options page: the show's window colour (three
// bars and the switch, kept in the show's cells) and the automatic colour
// change on save-as.
#pragma once

#include "engine/show_memory.h"

#include <QGroupBox>

#include <array>

class QCheckBox;
class QScrollBar;

namespace velantra {

class FormColorGroup : public QGroupBox {
    Q_OBJECT
public:
    // GUI thread. memory must outlive the group.
    explicit FormColorGroup(ShowMemory& memory, QWidget* parent = nullptr);

    // GUI thread. The switch, the bars and the group's own colour from the
    // show's cells. A switch cell other than 0 or 1 leaves the box as it is.
    void showFromMemory();

    // The show's colour as the cells hold it.
    QColor showColor() const;
    // The bars' positions as a colour.
    QColor barsColor() const;

    QCheckBox* colorOn() const { return colorOn_; }
    QCheckBox* colorAvto() const { return colorAvto_; }

signals:
    // The operator changed the colour or the switch; the cells hold the change.
    void changed();

private:
    ShowMemory& memory_;
    std::array<QScrollBar*, 3> bars_{};
    QCheckBox* colorOn_;
    QCheckBox* colorAvto_;
    bool showing_ = false;
};

}  // namespace velantra
