// The tabs "Плавность" and "Уровни" of the group " Установки каналов и
// Клавиатуры  ": fade rates of the selected channels and the smoothing mode;
// manual override, the level of the selected channels and blackout.
#pragma once

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QRadioButton;
class QScrollBar;

namespace velantra {

class DeskControls;
class Engine;

class RateTab : public QWidget {
    Q_OBJECT
public:
    // GUI thread. engine must outlive the tab.
    explicit RateTab(Engine& engine, QWidget* parent = nullptr);

    // GUI thread. LabelRate := the text of a bar position.
    void showRate(int position);
    QScrollBar* rateLevel() const { return rateLevel_; }
    QLabel* label() const { return label_; }
    // GUI thread. The smoothing mode "Выкл".
    void smoothingOff();

signals:
    // The selected channels took a new rate: the faders' rate bars show it.
    void ratesChanged();

public slots:
    void ScrollBarRateLeuelChange(int position);

private:
    Engine& engine_;
    QScrollBar* rateLevel_;
    QLabel* label_;
    QButtonGroup* mode_;
};

class LevelsTab : public QWidget {
    Q_OBJECT
public:
    // GUI thread. desk must outlive the tab.
    explicit LevelsTab(DeskControls& desk, QWidget* parent = nullptr);

    QCheckBox* manual() const { return manual_; }
    QCheckBox* blackOut() const { return blackOut_; }
    QScrollBar* levelAll() const { return levelAll_; }

public slots:
    void ScrollBarLevelAllChange(int position);
    void CheckBoxBlackOutClick();

private:
    DeskControls& desk_;
    Engine& engine_;
    QCheckBox* manual_;
    QCheckBox* blackOut_;
    QScrollBar* levelAll_;
};

}  // namespace velantra
