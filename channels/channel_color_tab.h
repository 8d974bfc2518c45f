// The tab "Цвет канала": the gobo code and border colour of a chosen channel,
// and the name colour of the channel picked by a double click on its name
// field. The three colour bars serve both: while a channel is picked for its
// name colour they recolour it at once; "OFF" ends that, after which the bars
// only prepare a border colour for "setColor".
#pragma once

#include "storage/channel_tables.h"

#include <QWidget>

#include <array>

class QLabel;
class QScrollBar;
class QToolButton;

namespace velantra {

class ChannelColorTab : public QWidget {
    Q_OBJECT
public:
    // No channel is picked for name colour.
    static constexpr int NoChannel = 1000;

    // GUI thread. tables must outlive the tab.
    explicit ChannelColorTab(ChannelTables& tables, QWidget* parent = nullptr);

    // GUI thread. Picks channel (0..511) for name-colour editing: the bars
    // take its name colour and the status label its number.
    void UpdateScrollRGBtxt(int channel);

    // The channel whose name colour the bars edit; NoChannel when none.
    int colorEditChannel() const { return colorEditChannel_; }
    QLabel* status() const { return status_; }

signals:
    // The name colour of channel changed.
    void nameColorChanged(int channel);

private:
    void colorBarChanged(int component, int value);
    void showChannelAndCode();
    void showPreview();

    ChannelTables& tables_;
    QScrollBar* channel_;
    QScrollBar* gobo_;
    std::array<QScrollBar*, 3> colour_{};
    QLabel* goboPreview_;
    QLabel* preview_;
    QLabel* status_;
    // Channel 0 at start: it has no name field, so nothing shows the bars' changes.
    int colorEditChannel_ = 0;
};

}  // namespace velantra
