// The pictures on the fader page's level, selection and invert buttons,
// drawn by the program: the buttons carry no text.
#pragma once

#include <QIcon>
#include <QSize>

namespace velantra {

enum class FaderGlyph {
    SceneZero,    // every channel of the scene to 0: a row of empty level bars, framed
    Level0,       // the visible channels to 0: one empty level bar
    Level127,     // ... to 127: a half-full bar
    Level255,     // ... to 255: a full bar
    SelectNone,   // clear the visible selection: an empty box
    SelectAll,    // set the visible selection: a ticked box
    SelectClear,  // clear the whole selection: a stack of empty boxes
    Invert,       // invert a group of five rows: a half-ticked box and the group's place
};

inline constexpr QSize FaderGlyphSize(30, 14);

// GUI thread. The picture of kind; group 0..4 marks which fifth of the rows
// an invert button turns over (rows 1-5 .. 21-25).
QIcon faderGlyph(FaderGlyph kind, int group = 0);

}  // namespace velantra
