// The page "MIDI": the MIDI system, every input and output port with its
// state, the input (one controller or all) and the feedback output chosen,
// pick-up, learning, the bindings with their removal, and the last message.
// In learning, a click on a bindable control of the window chooses it (the
// click does nothing else) and the next control moved on a controller is
// bound to it.
#pragma once

#include "midi/midi_binding.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableWidget;
class QTimer;
class QToolButton;
class QPushButton;

namespace velantra::midi {

class MidiControl;

class MidiPage : public QWidget {
    Q_OBJECT
public:
    // Which target a clicked widget is, if any.
    using TargetOfWidget = std::function<std::optional<Target>(const QWidget*)>;

    // GUI thread. control must outlive the page.
    MidiPage(MidiControl& control, TargetOfWidget targetOf, QWidget* parent = nullptr);

    // GUI thread. The whole page from the control; the ports also on each change.
    void showAll();

    QToolButton* learnButton() const { return learn_; }

signals:
    void status(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showPorts();
    void showBindings();
    void showLearning();
    void portsChosen();
    void learnToggled(bool on);
    void unbindChosen();

    MidiControl& control_;
    TargetOfWidget targetOf_;
    QLabel* system_;
    QComboBox* api_;
    QComboBox* input_;
    QComboBox* output_;
    QCheckBox* pickUp_;
    QTableWidget* ports_;
    QToolButton* learn_;
    QLabel* learning_;
    QTableWidget* bindings_;
    QPushButton* unbind_;
    QLabel* last_;
    QTimer* timer_;
    bool showing_ = false;  // controls set by the program, not the operator
};

}  // namespace velantra::midi
