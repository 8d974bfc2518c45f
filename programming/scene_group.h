// The group "Управление сценами": the sequencer and the colour of the
// selected channel, each on its own tab.
#pragma once

#include <QGroupBox>

class QTabWidget;

namespace velantra {

class SceneGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit SceneGroup(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    QWidget* sequencerPage() const { return sequencer_; }
    QWidget* channelColorPage() const { return channelColor_; }

private:
    QTabWidget* tabs_;
    QWidget* sequencer_;
    QWidget* channelColor_;
};

}  // namespace velantra
