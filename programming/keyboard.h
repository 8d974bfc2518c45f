// Keyboard and wheel control of the main window: picture flash keys (latched
// with Ctrl), blackout, play and stop, the conveyor's letter keys, and the
// wheel that pages the editor tabs. Keys are seen before the focused control,
// and only while the switch "Включить клавиатуру" is on.
#pragma once

#include <QObject>

class QKeyEvent;

namespace velantra {

class TBaseForm;

// The classic virtual-key code of a Qt key (digits and letters as their
// upper-case ASCII, Space 32, Ctrl 17, =/+ 187, minus 189, ...); 0 for a key
// without one. The symbols of the shifted digit, minus and equals keys of a
// US keyboard give their key's code. Keys of the numeric keypad have codes of
// their own (digits 96..105), not the main block's.
int virtualKeyCode(int qtKey, bool keypad);

// The classic virtual-key code of an X keyboard's key code (the evdev scan
// code plus 8, as X11 and Wayland report it), for a standard PC keyboard; 0
// for a key without one. The same physical key gives the same code whatever
// the modifiers and the layout: Shift+3 is 51, and so is the key that a
// Russian layout calls "3".
int virtualKeyOfXkbKeycode(quint32 keycode);

// GUI thread. The classic virtual-key code of the physical key of event: on
// X11 and Wayland from its scan code, on Windows the system's own code, and
// from Qt's key where the event carries neither (other platforms, events made
// by a program).
int physicalKeyCode(const QKeyEvent& event);

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
