// Scene editing and the block copies of levels, on a whole engine.
#include "engine/output_cycle.h"
#include "engine/output_thread.h"
#include "engine/scene_ops.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

namespace velantra {
namespace {

constexpr std::uint8_t Spare = 0xAB;

// A different level in every cell of every scene.
std::uint8_t pattern(int scene, int channel)
{
    return static_cast<std::uint8_t>(scene * 7 + channel * 31 + 5);
}

class SceneOpsTest : public ::testing::Test {
protected:
    SceneOpsTest()
    {
        for (int s = 0; s < SceneCount; ++s) {
            for (int c = 0; c < SceneSize; ++c) {
                e->memory.set(std::size_t(sceneAddress(std::uint8_t(s)) + c), pattern(s, c));
            }
        }
        e->memory.set(ShowMemoryTop, Spare);
    }
    ~SceneOpsTest() override { EXPECT_EQ(e->memory.get(ShowMemoryTop), Spare) << "the spare cell was written"; }

    void at(int current, int last)
    {
        e->memory.set(CellScene, std::uint8_t(current));
        e->memory.set(CellLastScene, std::uint8_t(last));
    }
    int level(int scene, int channel) const
    {
        return e->memory.get(std::size_t(sceneAddress(std::uint8_t(scene)) + channel));
    }
    int current() const { return e->memory.get(CellScene); }
    int last() const { return e->memory.get(CellLastScene); }
    std::vector<std::uint8_t> snapshot() const
    {
        std::vector<std::uint8_t> cells(ShowMemorySize);
        e->memory.copyOut(0, ShowMemorySize, cells.data());
        return cells;
    }
    // Scene s holds old scene from's levels in channels first..255.
    void expectScene(int s, int from, int first = 0)
    {
        for (int c = first; c < SceneSize; ++c) {
            ASSERT_EQ(level(s, c), pattern(from, c)) << "scene " << s << " channel " << c;
        }
    }

    std::unique_ptr<Engine> e = std::make_unique<Engine>();
};

TEST_F(SceneOpsTest, InsertAfterSceneTwoOfFiveMovesTheFollowingScenesUp)
{
    at(2, 5);
    InsertNewScena(*e);
    EXPECT_EQ(current(), 3);
    EXPECT_EQ(last(), 6);
    for (int s = 0; s <= 2; ++s) {
        expectScene(s, s);
    }
    expectScene(3, 2, 1);
    EXPECT_EQ(level(3, 0), pattern(3, 0)) << "cell 0 of the new scene keeps its content";
    for (int s = 4; s <= 6; ++s) {
        expectScene(s, s - 1);
    }
    EXPECT_EQ(e->shared.sceneAddr.load(), sceneAddress(3));
}

TEST_F(SceneOpsTest, InsertAtSceneTwoHundredFiftyFiveChangesNothing)
{
    at(255, 255);
    const auto before = snapshot();
    InsertNewScena(*e);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SceneOpsTest, InsertWithAllScenesUsedDropsTheLastScene)
{
    at(100, 255);
    InsertNewScena(*e);
    EXPECT_EQ(current(), 101);
    EXPECT_EQ(last(), 255);
    expectScene(100, 100);
    expectScene(101, 100, 1);
    expectScene(102, 101);
    expectScene(255, 254);
}

TEST_F(SceneOpsTest, DeleteTheLastSceneStepsBackOne)
{
    at(5, 5);
    DeleteScena(*e);
    EXPECT_EQ(current(), 4);
    EXPECT_EQ(last(), 4);
    expectScene(4, 4);
    expectScene(5, 6);
    expectScene(254, 255);
    EXPECT_EQ(level(255, 0), Spare) << "scene 255 starts with the spare cell";
    EXPECT_EQ(e->shared.sceneAddr.load(), sceneAddress(4));
}

TEST_F(SceneOpsTest, DeleteTheOnlySceneBringsSceneOneDown)
{
    at(0, 0);
    DeleteScena(*e);
    EXPECT_EQ(current(), 0);
    EXPECT_EQ(last(), 0);
    expectScene(0, 1);
}

TEST_F(SceneOpsTest, CopyPreviousSceneOnSceneZeroDoesNothing)
{
    at(0, 3);
    const auto before = snapshot();
    copyPreviousScene(*e);
    EXPECT_EQ(snapshot(), before);
    at(3, 3);
    copyPreviousScene(*e);
    expectScene(3, 2);
    expectScene(4, 4);
}

TEST_F(SceneOpsTest, ClipboardCarriesASceneAndClearEmptiesIt)
{
    at(7, 20);
    SaveToPaste(*e);
    clearScene(*e);
    for (int c = 0; c < SceneSize; ++c) {
        ASSERT_EQ(level(7, c), 0);
    }
    expectScene(8, 8);
    at(9, 20);
    LoadFromPaste(*e);
    expectScene(9, 7);
}

TEST_F(SceneOpsTest, CopyInsideTheSceneRereadsWhatItJustWrote)
{
    at(4, 10);
    for (int c = 1; c <= 11; ++c) {
        e->DataWrite(4, std::uint8_t(c), c);
    }
    EXPECT_EQ(copyA(*e, 1, 10, 11), CopyResult::Done);
    for (int c = 11; c <= 20; ++c) {
        EXPECT_EQ(level(4, c), c - 10);
    }
    EXPECT_EQ(level(4, 21), 1);
    EXPECT_EQ(level(4, 22), pattern(4, 22));
    expectScene(3, 3);
    expectScene(5, 5);
}

TEST_F(SceneOpsTest, RefusedBlockCopiesChangeNothing)
{
    at(4, 10);
    const auto before = snapshot();
    EXPECT_EQ(copyA(*e, 10, 250, 20), CopyResult::TooManyChannels);
    EXPECT_EQ(copyB(*e, 1, 10, 247, 255), CopyResult::TooManyChannels);
    EXPECT_EQ(copyC(*e, 1, 10, 250, 0, 5, 0), CopyResult::TooManyChannels);
    EXPECT_EQ(copyC(*e, 1, 10, 11, 200, 210, 50), CopyResult::TooManyScenes);
    EXPECT_EQ(copyC(*e, 1, 10, 11, 6, 5, 0), CopyResult::Nothing);
    EXPECT_EQ(copyA(*e, 12, 10, 11), CopyResult::Nothing);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SceneOpsTest, CopyInAllScenesSpillsIntoTheNextSceneButNeverPastTheEnd)
{
    at(0, 255);
    EXPECT_EQ(copyB(*e, 1, 9, 247, 256), CopyResult::Done);
    for (int s = 0; s < SceneCount; ++s) {
        for (int c = 1; c <= 9; ++c) {
            ASSERT_EQ(level(s, 246 + c), pattern(s, c)) << "scene " << s;
        }
        if (s > 0) {
            ASSERT_EQ(level(s, 0), pattern(s - 1, 10)) << "channel 256 of the scene before";
        }
    }
    // The widest block reaches two cells past the last scene.
    EXPECT_EQ(copyB(*e, 1, 10, 247, 256), CopyResult::Done);
}

TEST_F(SceneOpsTest, CopyInScenesWrapsTheTargetSceneRoundTo0)
{
    at(0, 255);
    EXPECT_EQ(copyC(*e, 1, 2, 5, 1, 6, 250), CopyResult::Done);
    for (int s : {251, 252, 253, 254, 255, 0}) {
        EXPECT_EQ(level(s, 5), pattern(s, 1)) << "scene " << s;
        EXPECT_EQ(level(s, 6), pattern(s, 2)) << "scene " << s;
        EXPECT_EQ(level(s, 7), pattern(s, 3)) << "scene " << s;
        EXPECT_EQ(level(s, 8), pattern(s, 8)) << "scene " << s;
    }
    expectScene(1, 1);
    expectScene(250, 250);
}

struct Operation {
    const char* name;
    std::function<void(Engine&)> run;
    int currentAfter;
};

void PrintTo(const Operation& op, std::ostream* os)
{
    *os << op.name;
}

class SceneAddressTest : public SceneOpsTest, public ::testing::WithParamInterface<Operation> {};

TEST_P(SceneAddressTest, LeavesTheSceneAddressAtTheCurrentScene)
{
    at(7, 20);
    e->shared.sceneAddr = 12345;
    GetParam().run(*e);
    EXPECT_EQ(current(), GetParam().currentAfter);
    EXPECT_EQ(e->shared.sceneAddr.load(), sceneAddress(std::uint8_t(GetParam().currentAfter)));
}

INSTANTIATE_TEST_SUITE_P(Operations, SceneAddressTest,
                         ::testing::Values(Operation{"insert", InsertNewScena, 8}, Operation{"delete", DeleteScena, 7},
                                           Operation{"clear", clearScene, 7},
                                           Operation{"previous", copyPreviousScene, 7},
                                           Operation{"save", SaveToPaste, 7}, Operation{"load", LoadFromPaste, 7},
                                           Operation{"copyA", [](Engine& e) { copyA(e, 1, 10, 11); }, 7},
                                           Operation{"copyB", [](Engine& e) { copyB(e, 1, 10, 11, 255); }, 7},
                                           Operation{"copyC", [](Engine& e) { copyC(e, 1, 10, 11, 1, 10, 11); }, 7}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(SceneOpsTest, UndoBringsBackEveryRegion)
{
    UndoMemory undo;
    EXPECT_FALSE(undo.valid());
    at(7, 20);
    e->memory.set(CellTempo, 44);
    const auto before = snapshot();
    undo.take(e->memory);
    EXPECT_TRUE(undo.valid());
    e->memory.set(NameBase + 16 * 3, 'Q');
    e->memory.set(RateBase + 9, 99);
    e->memory.set(SelectBase + 4, 1);
    e->memory.set(pictureAddress(15) + 300, 77);
    e->memory.set(CellTempo, 120);
    DeleteScena(*e);
    copyB(*e, 1, 10, 11, 255);
    ASSERT_NE(snapshot(), before);
    undo.restore(e->memory);
    EXPECT_EQ(snapshot(), before);
}

// Scene edits while the tick reads the show: run under ThreadSanitizer.
TEST_F(SceneOpsTest, SceneEditsWhileTheTickRunsStayInsideTheShow)
{
    using namespace std::chrono_literals;
    at(3, 40);
    OutputCycle cycle(*e);
    OutputThread thread([&] { cycle.tick(); }, 1ms);
    thread.start();
    const auto end = std::chrono::steady_clock::now() + 300ms;
    int n = 0;
    while (std::chrono::steady_clock::now() < end || thread.ticks() < 20) {
        ++n;
        e->memory.set(CellScene, std::uint8_t(n % 256));
        InsertNewScena(*e);
        DeleteScena(*e);
        copyB(*e, 1 + n % 20, 30, 40, 256);
        copyC(*e, 1, 10, 11, n % 50, n % 50 + 5, 200);
    }
    thread.stop();
    EXPECT_GE(thread.ticks(), 20u);
    EXPECT_GT(n, 0);
}

}  // namespace
}  // namespace velantra
