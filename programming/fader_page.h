// The page "Фэйдера": 27 rows showing channels FaderOffset+1 .. FaderOffset+27
// of the current scene, with their output levels, gobo and border cells,
// names, fade rates and selection boxes, plus the page bar and the level,
// selection and display buttons.
#pragma once

#include "desk/desk_controls.h"

#include <QWidget>

#include <array>
#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QTimer;
class QToolButton;
class QVBoxLayout;

namespace velantra {

class Shell;
struct ChannelTables;

class FaderPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int Rows = 27;

    // GUI thread. shell and tables must outlive the page.
    FaderPage(Shell& shell, const ChannelTables& tables, QWidget* parent = nullptr);

    // GUI thread. Faders from the current scene (selected rows keep theirs in manual mode).
    void ReturnScrollBars();
    // GUI thread. Check boxes from the selection flags of the visible channels.
    void CheckBoxFromMemory();
    // GUI thread. Selection flags of the visible channels from the check boxes.
    void CheckBoxToMemory();
    // GUI thread. Channel numbers of the 27 rows.
    void NamberDmx();
    // GUI thread. Rate bars from the rate table.
    void ReturnRate();
    // GUI thread. Name fields from the name table.
    void ReturnName();
    // GUI thread. Stores all 27 name fields, then turns every blank into 0.
    void SaveEditAll();
    // GUI thread. The whole page from the show memory.
    void refresh();

    // GUI thread. Places the page's snapshot and undo buttons.
    void addUndoPair(QToolButton* mem, QToolButton* undo);
    // GUI thread. Gobo picture of a row (1..27); code 0..255.
    void SetGobo(int row, std::uint8_t code);
    // GUI thread. Border swatch of a row (1..27).
    void ShapeColor(int row, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    // GUI thread. Every name field in its channel's name colour.
    void UpdateColorEditAll();
    // GUI thread. The name field of channel, when it is on the page, in its name colour.
    void UstColorEditOne(int channel);

    QScrollBar* pageBar() const { return pageBar_; }
    QScrollBar* fader(int row) const { return faders_[static_cast<std::size_t>(row - 1)]; }
    QCheckBox* checkBox(int row) const { return checks_[static_cast<std::size_t>(row - 1)]; }
    QLabel* outputLabel(int row) const { return outputs_[static_cast<std::size_t>(row - 1)]; }
    QScrollBar* rateBar(int row) const { return rates_[static_cast<std::size_t>(row - 1)]; }
    QLineEdit* nameField(int row) const { return names_[static_cast<std::size_t>(row - 1)]; }
    QToolButton* onScena() const { return onScena_; }
    QToolButton* blackOut() const { return blackOut_; }
    QToolButton* macrosOut() const { return macrosOut_; }
    int labelGroup() const { return labelGroup_; }

signals:
    // A rate bar of a row was moved by the user: the label text of its position.
    void rateChosen(int position);
    // Double click on a name field: the channel whose name colour is edited.
    void nameColorChannelChosen(int channel);
    // Every tick of the output display, before it looks at the page: play
    // may have ended without the stop button (a blackout change).
    void outputDisplayed();
    // A channel name is about to be typed: the show keys must fire nothing.
    void showKeysOffWanted();

public slots:
    void ScrolbarVertPosChange(int position);
    void TimerDataDmxToDspTimer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildRows(QWidget* grid);
    QWidget* buildButtons();
    void faderChanged(int row, int value);
    // A desk control changed, through any surface: the fader or the page bar shows it.
    void follow(DeskControls::Control control, int index);
    // GUI thread. "On", "BO" or "M" as the desk stands, and the blackout button's blink.
    void showOutputMode();
    void checkBoxClicked(int row);
    void rateChanged(int row, int position);
    void setVisibleLevels(std::uint8_t level, const QString& status, bool wholeScene);
    void setVisibleFlags(std::uint8_t flag);
    void invertGroup(int firstRow);
    void showOutput(int row);
    void showNameColor(int row);
    int channel(int row) const;
    bool playing() const;

    Shell& form_;
    const ChannelTables& tables_;
    QScrollBar* pageBar_;
    std::array<QLabel*, Rows> numbers_{};
    std::array<QScrollBar*, Rows> faders_{};
    std::array<QLabel*, Rows> outputs_{};
    std::array<QLabel*, Rows> gobos_{};
    std::array<QLabel*, Rows> swatches_{};
    std::array<QLineEdit*, Rows> names_{};
    std::array<QScrollBar*, Rows> rates_{};
    std::array<QCheckBox*, Rows> checks_{};
    QToolButton* outLevel255_ = nullptr;
    QToolButton* outLevel100_ = nullptr;
    QToolButton* level255_ = nullptr;
    QToolButton* onScena_ = nullptr;
    QToolButton* blackOut_ = nullptr;
    QToolButton* macrosOut_ = nullptr;
    QTimer* blink_ = nullptr;
    QTimer* display_;
    QVBoxLayout* buttonColumn_ = nullptr;
    int labelGroup_ = 1;
    bool refreshing_ = false;  // position changes made by the program, not the user
    // What the cells show now, so the display tick redraws only what changed.
    std::array<int, Rows> shownOutput_{};
    std::array<int, Rows> shownGobo_{};
    std::array<std::uint32_t, Rows> shownSwatch_{};
};

}  // namespace velantra
