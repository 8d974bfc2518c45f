// The group " Установки каналов и Клавиатуры  ": fade rates and smoothing,
// common level and blackout, the static-picture boxes and the keyboard switch.
#pragma once

#include <QGroupBox>

class QTabWidget;

namespace velantra {

class ChannelSetupGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit ChannelSetupGroup(QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    QWidget* ratePage() const { return rate_; }
    QWidget* levelsPage() const { return levels_; }
    QWidget* picturesPage() const { return pictures_; }

private:
    QTabWidget* tabs_;
    QWidget* rate_;
    QWidget* levels_;
    QWidget* pictures_;
};

}  // namespace velantra
