#include "programming/pictures.h"

#include <array>

namespace velantra {

namespace {

constexpr int SavedScene = 0;
constexpr int SavedRates = 256;
constexpr int SavedSelect = 512;

void clearSelection(Engine& engine)
{
    engine.memory.fill(SelectBase, SelectBase + 255, 0);
}

void clearSceneZero(Engine& engine)
{
    engine.memory.fill(SceneBase, SceneBase + SceneSize - 1, 0);
}

}  // namespace

PictureEditSession beginPictureEdit(Engine& engine)
{
    ShowMemory& m = engine.memory;
    engine.shared.playMode.store(0, std::memory_order_relaxed);
    m.copyOut(SceneBase, 256, engine.pictureEditSave.data() + SavedScene);
    m.copyOut(RateBase, 256, engine.pictureEditSave.data() + SavedRates);
    PictureEditSession session;
    session.scene = m.get(CellScene);
    m.set(CellScene, 0);
    clearSceneZero(engine);
    m.copyOut(SelectBase, 256, engine.pictureEditSave.data() + SavedSelect);
    clearSelection(engine);
    engine.publishSceneAddress(0);
    return session;
}

void endPictureEdit(Engine& engine, const PictureEditSession& session)
{
    restoreBorrowed(engine, session, engine.memory);
    engine.publishSceneAddress(session.scene);
}

void restoreBorrowed(const Engine& engine, const PictureEditSession& session, ShowMemory& image)
{
    image.copyIn(SceneBase, 256, engine.pictureEditSave.data() + SavedScene);
    image.copyIn(RateBase, 256, engine.pictureEditSave.data() + SavedRates);
    image.set(CellScene, session.scene);
    image.copyIn(SelectBase, 256, engine.pictureEditSave.data() + SavedSelect);
}

void ReadChaser(Engine& engine, int k)
{
    ShowMemory& m = engine.memory;
    const int base = pictureAddress(k);
    for (int c = 0; c < 256; ++c) {
        const std::uint8_t flag = m.get(base + c);
        m.set(SelectBase + c, flag);
        m.set(SceneBase + c, flag == 1 ? m.get(base + 256 + c) : 0);
    }
}

void SaveChaser(Engine& engine, int k)
{
    ShowMemory& m = engine.memory;
    const int base = pictureAddress(k);
    for (int c = 0; c < 256; ++c) {
        m.set(base + c, m.get(SelectBase + c));
        m.set(base + 256 + c, m.get(SceneBase + c));
    }
}

void copySceneToSurface(Engine& engine, int position)
{
    ShowMemory& m = engine.memory;
    const int scene = (position + 1) % SceneCount;
    if (scene != 0) {
        std::array<std::uint8_t, SceneSize> cells{};
        m.copyOut(sceneAddress(static_cast<std::uint8_t>(scene)), SceneSize, cells.data());
        m.copyIn(SceneBase, SceneSize, cells.data());
    }
    clearSelection(engine);
}

void clearSurface(Engine& engine)
{
    clearSceneZero(engine);
    clearSelection(engine);
}

void clearAllPictures(Engine& engine)
{
    engine.memory.fill(PictureBase, PictureBase + PictureCount * PictureSize - 1, 0);
    clearSurface(engine);
}

}  // namespace velantra
