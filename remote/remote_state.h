// What every page of the web remote shows, read from the desk's controls as
// one JSON object, and the part of it that changed since a page's last
// update. QtCore; GUI thread.
#pragma once

#include <QJsonObject>

namespace velantra {

class DeskControls;

namespace remote {

// The desk as the page shows it:
//   playing, blackout, macro: bool; scene: 1-based; scenes: how many; tempo;
//   offset: the fader page's offset (channels offset+1..offset+27);
//   faders, outputs: 27 levels each (what the faders show, what goes out);
//   pictures: 16 of 0/1; chasers: 2 of bool ("Run always");
//   queue: {hand: slots load at a press, slot: the one chosen (0: none),
//           shows: 20 show names, "" for an empty slot}.
QJsonObject deskState(DeskControls& desk);

// The members of now whose value differs from before's (all of now when
// before is empty); members of before missing from now are not said.
QJsonObject changedMembers(const QJsonObject& before, const QJsonObject& now);

}  // namespace remote
}  // namespace velantra
