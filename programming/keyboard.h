// The keys of the keyboard as the show keys know them: the classic
// virtual-key codes, by physical key.
#pragma once

#include <QtGlobal>

class QKeyEvent;

namespace velantra {

// Virtual-key codes the show keys use.
inline constexpr int KeyCtrl = 17;
inline constexpr int KeySpace = 32;
inline constexpr int KeyZero = 48;
inline constexpr int KeyStop = 187;  // =/+
inline constexpr int KeyPlay = 189;  // minus

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

}  // namespace velantra
