// Keyboard and wheel control of the main window: picture flash keys (latched
// with Ctrl), blackout, play and stop, the conveyor's letter keys, and the
// wheel that pages the editor tabs. Keys are seen before the focused control,
// and only while the switch "Включить клавиатуру" is on.
#pragma once

#include <QObject>

namespace velantra {

class TBaseForm;

class KeyboardControl : public QObject {
    Q_OBJECT
public:
    // GUI thread. Watches every key and wheel event of the application and
    // takes those aimed at form's window.
    explicit KeyboardControl(TBaseForm& form);

    // GUI thread. A key went down or came up; code: virtual-key code.
    void FormKeyDown(int code);
    void FormKeyUp(int code);
    // GUI thread. A wheel turn of delta (120 a notch, positive away from the user).
    // True when a tab's page moved.
    bool FormMouseWheel(int delta);

    bool ctrlHeld() const { return ctrlHeld_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyboardOn() const;

    TBaseForm& form_;
    bool ctrlHeld_ = false;
};

}  // namespace velantra
