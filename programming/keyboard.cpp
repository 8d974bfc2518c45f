#include "programming/keyboard.h"

#include "app/base.h"
#include "app/options_page.h"
#include "conveyor/conveyor_group.h"
#include "programming/pictures_tab.h"
#include "programming/sequencer_page.h"
#include "programming/settings_tabs.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QWheelEvent>

#include <string_view>

namespace velantra {

namespace {

constexpr int KeyCtrl = 17;
constexpr int KeySpace = 32;
constexpr int KeyZero = 48;
constexpr int KeyStop = 187;  // =/+
constexpr int KeyPlay = 189;  // minus

// The conveyor's letters, slot 1 first (slot 20 has no key).
constexpr char ConveyorKeys[] = "QWERTYUIOPASDFGHJKL";

// Picture 0..15 of a key, or -1.
int pictureOfKey(int code)
{
    if (code >= '1' && code <= '8') {
        return code - '1';
    }
    switch (code) {
    case KeySpace:
        return 8;
    case 'Z':
        return 9;
    case 'X':
        return 10;
    case 'C':
        return 11;
    case 'V':
        return 12;
    case 'B':
        return 13;
    case 'N':
        return 14;
    case 'M':
        return 15;
    default:
        return -1;
    }
}

int conveyorSlotOfKey(int code)
{
    for (int i = 0; ConveyorKeys[i] != 0; ++i) {
        if (ConveyorKeys[i] == code) {
            return i + 1;
        }
    }
    return 0;
}

// A control that takes typed text keeps its keys.
bool typesText(QObject* watched)
{
    return qobject_cast<QLineEdit*>(watched) != nullptr || qobject_cast<QAbstractSpinBox*>(watched) != nullptr;
}

}  // namespace

int virtualKeyCode(int qtKey, bool keypad)
{
    if (keypad) {
        return 0;
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

KeyboardControl::KeyboardControl(TBaseForm& form)
    : QObject(&form)
    , form_(form)
{
    qApp->installEventFilter(this);
}

bool KeyboardControl::keyboardOn() const
{
    return form_.picturesTab()->flashOn()->isChecked();
}

void KeyboardControl::FormKeyDown(int code)
{
    form_.optionsPage()->keyCode()->setText(QStringLiteral("NomberKey is ") + QString::number(code));
    const int picture = pictureOfKey(code);
    if (code == KeyCtrl) {
        ctrlHeld_ = true;
    } else if (picture >= 0) {
        form_.picturesTab()->picture(picture)->setChecked(true);
    } else if (code == KeyZero) {
        QCheckBox* blackOut = form_.levelsTab()->blackOut();
        blackOut->setChecked(!blackOut->isChecked());
        form_.engine().shared.playMode.store(0, std::memory_order_relaxed);
    } else if (code == KeyStop) {
        form_.sequencerPage()->ModeStop();
    } else if (code == KeyPlay) {
        form_.sequencerPage()->ModePlay();
    }
    const int slot = conveyorSlotOfKey(code);
    if (slot != 0 && form_.conveyorGroup()->keyboard()->isChecked()) {
        form_.conveyorGroup()->slotJob(slot);
    }
}

void KeyboardControl::FormKeyUp(int code)
{
    const int picture = pictureOfKey(code);
    if (!ctrlHeld_ && picture >= 0) {
        form_.picturesTab()->picture(picture)->setChecked(false);
    }
    if (code == KeyCtrl) {
        ctrlHeld_ = false;
    }
}

bool KeyboardControl::FormMouseWheel(int delta)
{
    if (delta == 0) {
        return false;
    }
    const char* barName = nullptr;
    switch (form_.pageControlInput()->currentIndex()) {
    case TBaseForm::PageFaders:
        barName = "ScrolbarVertPos";
        break;
    case TBaseForm::PageGraph:
        barName = "ScrollBarChanellGrafik";
        break;
    case TBaseForm::PageXyEditor:
        barName = "ScrollBarEditXYCh1";
        break;
    default:
        return false;
    }
    auto* bar = form_.inputPage(static_cast<TBaseForm::InputPage>(form_.pageControlInput()->currentIndex()))
                    ->findChild<QScrollBar*>(QString::fromLatin1(barName));
    if (bar == nullptr) {
        return false;
    }
    bar->setValue(bar->value() + (delta > 0 ? 1 : -1));
    if (form_.pageControlInput()->currentIndex() == TBaseForm::PageFaders) {
        if (delta > 250) {
            bar->setValue(bar->maximum());
        } else if (delta < -250) {
            bar->setValue(bar->minimum());
        }
    }
    return true;
}

bool KeyboardControl::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::Wheel) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &form_) {
        return false;
    }
    if (type == QEvent::Wheel) {
        return FormMouseWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
    }
    if (!keyboardOn() || typesText(watched)) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = virtualKeyCode(key->key(), key->modifiers().testFlag(Qt::KeypadModifier));
    const bool picture = pictureOfKey(code) >= 0;
    if (type == QEvent::KeyRelease) {
        // Auto-repeat sends a release before every repeated press: the key is still held.
        if (key->isAutoRepeat()) {
            return picture;
        }
        FormKeyUp(code);
        return picture;
    }
    FormKeyDown(code);
    // The keys that did something stop here, so a focused button does not
    // also take the Space or a digit; the others go on to the focused control.
    return picture || code == KeyZero || code == KeyStop || code == KeyPlay ||
           (conveyorSlotOfKey(code) != 0 && form_.conveyorGroup()->keyboard()->isChecked());
}

}  // namespace velantra
