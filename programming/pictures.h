// Static pictures and their editing surface.
//
// While the picture editor is open, scene 0 is the drawing surface for the
// levels and the selection flags are the surface for the membership; the
// editor borrows both (and the rates and the current scene number) and gives
// them back when it closes.
#pragma once

#include "engine/engine.h"

#include <cstdint>

namespace velantra {

// What the editor borrowed from the show: scene 0, the rates and the
// selection flags are kept in Engine::pictureEditSave, the scene number here.
struct PictureEditSession {
    std::uint8_t scene = 0;  // cell CellScene when the editor opened
};

// GUI thread. Stops the show, keeps scene 0, the rates, the selection flags
// and the current scene, then clears scene 0 and the selection and makes
// scene 0 current.
PictureEditSession beginPictureEdit(Engine& engine);
// GUI thread. Gives back scene 0, the rates, the selection flags and the
// current scene kept by beginPictureEdit. Pictures stay as they are.
void endPictureEdit(Engine& engine, const PictureEditSession& session);
// GUI thread. Writes what the editor borrowed into image, a copy of the show
// memory, so that a show saved while the editor is open keeps its own scene 0.
void restoreBorrowed(const Engine& engine, const PictureEditSession& session, ShowMemory& image);

// GUI thread. Picture k (0..15) onto the surface: the selection takes its
// flags, scene 0 its levels where the flag is 1 and 0 elsewhere.
void ReadChaser(Engine& engine, int k);
// GUI thread. The surface into picture k: flags from the selection, all 256
// levels from scene 0.
void SaveChaser(Engine& engine, int k);
// GUI thread. Scene (position + 1) mod 256 onto the surface; the selection is cleared.
void copySceneToSurface(Engine& engine, int position);
// GUI thread. Scene 0 and the selection := 0.
void clearSurface(Engine& engine);
// GUI thread. Every picture, scene 0 and the selection := 0.
void clearAllPictures(Engine& engine);

}  // namespace velantra
