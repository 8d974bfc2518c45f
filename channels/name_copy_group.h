// The group "Имен " of the page "Копирование": copies a block of channel
// names, with their gobo codes and colours, to one or more fixtures' worth of
// following channels, numbering and marking the copies.
#pragma once

#include "channels/channel_names.h"

#include <QGroupBox>

#include <functional>

class QCheckBox;
class QSpinBox;
class QToolButton;

namespace velantra {

class NameCopyGroup : public QGroupBox {
    Q_OBJECT
public:
    // GUI thread. memory and tables must outlive the group.
    NameCopyGroup(ShowMemory& memory, ChannelTables& tables, QWidget* parent = nullptr);

    // GUI thread. Run before a copy (may be empty).
    void setTakeUndo(std::function<void()> takeUndo);
    // GUI thread. Run after every press of the copy button, copied or not (may be empty).
    void setAfterCopy(std::function<void()> afterCopy);

    // GUI thread. The fields as they stand.
    NameCopySettings settings() const;
    // GUI thread. "Связать": the destination follows the end of the block.
    bool linked() const;

public slots:
    // GUI thread. The copy button: copies, or warns when the copies would not fit.
    void ButtonNameBlocCopyClick();

private:
    void firstChanged();
    void lastChanged();
    void destinationChanged();

    ShowMemory& memory_;
    ChannelTables& tables_;
    std::function<void()> takeUndo_;
    std::function<void()> afterCopy_;
    QSpinBox* first_;
    QSpinBox* last_;
    QCheckBox* link_;
    QSpinBox* destination_;
    QCheckBox* numberNames_;
    QSpinBox* firstDigit_;
    QSpinBox* fixtures_;
    QCheckBox* markFirst_;
    QToolButton* copy_;
};

}  // namespace velantra
