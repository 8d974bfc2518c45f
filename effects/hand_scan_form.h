// The hand scan pad: a small window that stays above the main window. The
// cursor's place on a 256 x 256 field steers a scanner's beam through two
// channels, starting at every channel ticked in the "Выбор" column: X goes to
// the ticked channel, Y to the one after it. The levels reach the output
// through the hand scan values that the tick reads; while the show is
// stopped a press also stores them in the current scene.
#pragma once

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QColor;
class QGroupBox;

namespace velantra {

class Shell;

class THandScanForm : public QDialog {
    Q_OBJECT
public:
    // GUI thread. Not shown until showPad(); parent: the main window. shell
    // must outlive the form.
    THandScanForm(Shell& shell, QWidget* parent);

    // GUI thread. Opens the window (not modal) on its pad and brings it to the
    // front; a button still held from before no longer counts as pressed.
    void showPad();
    // GUI thread. Levels from the pad position and the three switches; the
    // two captions show them. While the pad is pressed it also moves the
    // marker, hands the levels to the output tick, keeps ticked channels in
    // pairs and, when the show is stopped, stores them in the current scene.
    void calcMouse();

    // GUI thread. The pad position (0..255 each) and whether a button is down on it.
    int padColumn() const { return padColumn_; }
    int padRow() const { return padRow_; }
    bool padPressed() const { return padPressed_; }

signals:
    // A ticked channel was unticked to keep the pairs.
    void selectionChanged();

protected:
    // GUI thread. Activation and deactivation both end the priority.
    bool event(QEvent* event) override;
    // GUI thread. Mouse on the pad.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // GUI thread. Stores a pad position, each coordinate limited to 0..255.
    void setPadPosition(int column, int row);
    // GUI thread. Writes the levels into the ticked channels (see calcMouse).
    void writeChannels(std::uint8_t x, std::uint8_t y);
    // GUI thread. The window colour.
    void setColour(const QColor& colour);
    // GUI thread. Hand scan priority off, box unticked.
    void dropPriority();

    Shell& form_;
    QGroupBox* group_;
    QWidget* pad_ = nullptr;
    QWidget* marker_ = nullptr;
    QCheckBox* invertX_;
    QCheckBox* invertY_;
    QCheckBox* swap_;
    QCheckBox* priority_;
    int padColumn_ = 0;
    int padRow_ = 0;
    bool padPressed_ = false;
};

}  // namespace velantra
