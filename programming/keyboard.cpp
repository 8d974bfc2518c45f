#include "programming/keyboard.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <cstdint>
#include <iterator>
#include <string_view>

namespace velantra {

namespace {

// Keypad keys: the digits and the operators have codes of their own.
int keypadCode(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return 96 + (qtKey - Qt::Key_0);
    }
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 110;
    case Qt::Key_Slash:
        return 111;
    case Qt::Key_Enter:
    case Qt::Key_Return:
        return 13;
    default:
        return 0;
    }
}

// The keys of a standard PC keyboard by X key code (evdev code + 8), from 9.
// clang-format off
constexpr std::uint8_t XkbKeys[] = {
    27,                                                    //   9 Escape
    49, 50, 51, 52, 53, 54, 55, 56, 57, 48,                //  10..19 digits 1..9, 0
    KeyPlay, KeyStop, 8, 9,                                //  20 minus, 21 equals, 22 Backspace, 23 Tab
    'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P',      //  24..33
    219, 221, 13, KeyCtrl,                                 //  34 [, 35 ], 36 Return, 37 left Ctrl
    'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L',           //  38..46
    186, 222, 192, 16, 220,                                //  47 ;, 48 ', 49 `, 50 left Shift, 51 backslash
    'Z', 'X', 'C', 'V', 'B', 'N', 'M',                     //  52..58
    188, 190, 191, 16,                                     //  59 , 60 . 61 / 62 right Shift
    106, 18, KeySpace, 20,                                 //  63 keypad *, 64 Alt, 65 Space, 66 Caps Lock
    112, 113, 114, 115, 116, 117, 118, 119, 120, 121,      //  67..76 F1..F10
    144, 145,                                              //  77 Num Lock, 78 Scroll Lock
    103, 104, 105, 109, 100, 101, 102, 107, 97, 98, 99,    //  79..89 keypad 7 8 9 - 4 5 6 + 1 2 3
    96, 110,                                               //  90 keypad 0, 91 keypad .
    0, 0, 226, 122, 123,                                   //  92, 93, 94 the 102nd key, 95 F11, 96 F12
    0, 0, 0, 0, 0, 0, 0,                                   //  97..103
    13, KeyCtrl, 111, 44, 18, 0,                           // 104 keypad Enter, 105 right Ctrl, 106 keypad /, 107 Print, 108 AltGr, 109
    36, 38, 33, 37, 39, 35, 40, 34, 45, 46,                // 110 Home, Up, Page Up, Left, Right, End, Down, Page Down, Insert, 119 Delete
    0, 0, 0, 0, 0, 0, 0, 19,                               // 120..127 Pause
    0, 0, 0, 0, 0, 91, 92, 93,                             // 128..135: 133, 134 Windows keys, 135 Menu
};
// clang-format on
constexpr quint32 FirstXkbKey = 9;

}  // namespace

int virtualKeyOfXkbKeycode(quint32 keycode)
{
    if (keycode < FirstXkbKey || keycode - FirstXkbKey >= std::size(XkbKeys)) {
        return 0;
    }
    return XkbKeys[keycode - FirstXkbKey];
}

int physicalKeyCode(const QKeyEvent& event)
{
    const QString platform = QGuiApplication::platformName();
    if (event.nativeScanCode() != 0 &&
        (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))) {
        if (const int code = virtualKeyOfXkbKeycode(event.nativeScanCode()); code != 0) {
            return code;
        }
    }
    if (platform == QLatin1String("windows") && event.nativeVirtualKey() != 0) {
        return static_cast<int>(event.nativeVirtualKey() & 0xFF);
    }
    return virtualKeyCode(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}
int virtualKeyCode(int qtKey, bool keypad)
{
    if (keypad) {
        return keypadCode(qtKey);
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return qtKey;  // Qt uses the ASCII codes of digits and upper-case letters
    }
    // With the Russian layout Qt reports the Cyrillic letter; the operator
    // means the key, so the letter goes back to the Latin one on the same key.
    constexpr std::u16string_view cyrillic = u"ЙЦУКЕНГШЩЗФЫВАПРОЛДЯЧСМИТЬ";
    constexpr std::string_view latin = "QWERTYUIOPASDFGHJKLZXCVBNM";
    if (const auto at = cyrillic.find(static_cast<char16_t>(qtKey));
        qtKey <= 0xFFFF && at != std::u16string_view::npos) {
        return latin[at];
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 112 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return KeyCtrl;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return KeySpace;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    // The shifted symbols of the digit row of a US keyboard.
    case Qt::Key_Exclam:
        return '1';
    case Qt::Key_At:
        return '2';
    case Qt::Key_NumberSign:
        return '3';
    case Qt::Key_Dollar:
        return '4';
    case Qt::Key_Percent:
        return '5';
    case Qt::Key_AsciiCircum:
        return '6';
    case Qt::Key_Ampersand:
        return '7';
    case Qt::Key_Asterisk:
        return '8';
    case Qt::Key_ParenLeft:
        return '9';
    case Qt::Key_ParenRight:
        return '0';
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return KeyStop;
    case Qt::Key_Comma:
    case Qt::Key_Less:
        return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return KeyPlay;
    case Qt::Key_Period:
    case Qt::Key_Greater:
        return 190;
    default:
        return 0;
    }
}

}  // namespace velantra
