#include "app/keyboard_control.h"

#include "app/base.h"
#include "app/options_page.h"
#include "conveyor/conveyor_group.h"
#include "programming/keyboard.h"
#include "programming/pictures_tab.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QWheelEvent>

namespace velantra {

namespace {

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

// A field where letters are typed (a channel name) keeps its keys. A spin box
// (and the line edit inside it) is not one: show keys work there.
bool typesText(QObject* watched)
{
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
        return qobject_cast<QAbstractSpinBox*>(edit->parentWidget()) == nullptr;
    }
    return qobject_cast<QTextEdit*>(watched) != nullptr || qobject_cast<QPlainTextEdit*>(watched) != nullptr;
}

// Ctrl+A, which opens the hand scan pad whatever control has the focus.
bool isHandScanShortcut(const QKeyEvent& event)
{
    return (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == Qt::ControlModifier &&
           physicalKeyCode(event) == 'A';
}

}  // namespace

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
    form_.optionsPage()->keyCode()->setText(tr("NomberKey is %1").arg(code));
    const int picture = pictureOfKey(code);
    if (code == KeyCtrl) {
        ctrlHeld_ = true;
    } else if (picture >= 0) {
        form_.desk().setPicture(picture + 1, true);
    } else if (code == KeyZero) {
        form_.desk().setBlackOut(!form_.desk().blackOut());  // either way, play ends
    } else if (code == KeyStop) {
        form_.desk().stop();
    } else if (code == KeyPlay) {
        form_.desk().play();
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
        form_.desk().setPicture(picture + 1, false);
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
    case TBaseForm::PageFaders: {
        // The fader bank's page is the desk's: a step, or to an end on a fast turn.
        DeskControls& desk = form_.desk();
        if (delta > 250) {
            desk.setPageOffset(FaderOffsetMax);
        } else if (delta < -250) {
            desk.setPageOffset(0);
        } else {
            desk.setPageOffset(desk.pageOffset() + (delta > 0 ? 1 : -1));
        }
        return true;
    }
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
    return true;
}

bool KeyboardControl::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::Wheel &&
        type != QEvent::ShortcutOverride) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &form_) {
        return false;
    }
    if (type == QEvent::ShortcutOverride) {
        // A text field would take Ctrl+A as "select all"; the hand scan pad's
        // shortcut wins over it, so nobody may claim the key.
        if (isHandScanShortcut(*static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (type == QEvent::Wheel) {
        return FormMouseWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
    }
    if (!keyboardOn() || typesText(watched)) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = physicalKeyCode(*key);
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
